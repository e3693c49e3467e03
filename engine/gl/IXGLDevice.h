#pragma once

#include <GL/glew.h>

#include <string>

// The one door to OpenGL. Every GL call the program makes goes through the
// current device: the OpenGL backend in the game, a recording stand-in in tests
// and in the headless runner. Methods are named after the GL calls they stand
// for and take the same arguments.
class IXGLDevice {
  public:
    virtual ~IXGLDevice() = default;

    // Loads the extension entry points; false when the context cannot provide them.
    virtual bool initExtensions() = 0;

    // Fixed-function defaults and window set-up.
    virtual void shadeModel(GLenum mode) = 0;
    virtual void hint(GLenum target, GLenum mode) = 0;
    virtual void depthFunc(GLenum func) = 0;
    virtual void matrixMode(GLenum mode) = 0;
    virtual void loadIdentity() = 0;
    virtual void perspective(double fovyDegrees, double aspect, double near, double far) = 0;

    // Frame buffer clears, viewport and scissor.
    virtual void clearColor(float r, float g, float b, float a) = 0;
    virtual void clearDepth(double depth) = 0;
    virtual void clear(GLbitfield mask) = 0;
    virtual void viewport(int x, int y, int width, int height) = 0;
    virtual void scissor(int x, int y, int width, int height) = 0;

    // Capabilities and arrays.
    virtual void enable(GLenum capability) = 0;
    virtual void disable(GLenum capability) = 0;
    virtual bool isEnabled(GLenum capability) = 0;
    virtual void enableClientState(GLenum array) = 0;
    virtual void disableClientState(GLenum array) = 0;
    virtual void enableVertexAttribArray(GLuint index) = 0;
    virtual void disableVertexAttribArray(GLuint index) = 0;
    virtual void vertexAttribPointer(GLuint index, GLint size, GLenum type, bool normalised, GLsizei stride,
                                     const void* pointer) = 0;
    virtual void blendFunc(GLenum source, GLenum destination) = 0;

    // Drawing.
    virtual void drawArrays(GLenum mode, GLint first, GLsizei count) = 0;

    // Textures.
    virtual GLuint genTexture() = 0;
    virtual void deleteTexture(GLuint texture) = 0;
    virtual void bindTexture(GLenum target, GLuint texture) = 0;
    virtual void texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                            GLenum format, GLenum type, const void* pixels) = 0;
    virtual void texParameteri(GLenum target, GLenum name, GLint value) = 0;
    virtual void generateMipmap(GLenum target) = 0;
    virtual void texEnvi(GLenum target, GLenum name, GLint value) = 0;
    virtual void activeTexture(GLenum unit) = 0;

    // Off-screen targets.
    virtual GLuint genFramebuffer() = 0;
    virtual void deleteFramebuffer(GLuint framebuffer) = 0;
    virtual void bindFramebuffer(GLenum target, GLuint framebuffer) = 0;
    virtual void framebufferTexture2D(GLenum target, GLenum attachment, GLenum textureTarget, GLuint texture,
                                      GLint level) = 0;
    virtual GLenum checkFramebufferStatus(GLenum target) = 0;
    virtual void readPixels(int x, int y, int width, int height, GLenum format, GLenum type,
                            void* pixels) = 0;

    // Shaders and programs.
    virtual GLuint createShader(GLenum type) = 0;
    virtual void shaderSource(GLuint shader, const char* source, GLint length) = 0;
    virtual void compileShader(GLuint shader) = 0;
    virtual bool compileSucceeded(GLuint shader) = 0;
    virtual std::string shaderInfoLog(GLuint shader) = 0;
    virtual void deleteShader(GLuint shader) = 0;
    virtual GLuint createProgram() = 0;
    virtual void attachShader(GLuint program, GLuint shader) = 0;
    virtual void detachShader(GLuint program, GLuint shader) = 0;
    virtual void bindAttribLocation(GLuint program, GLuint index, const char* name) = 0;
    virtual void linkProgram(GLuint program) = 0;
    virtual bool linkSucceeded(GLuint program) = 0;
    virtual void deleteProgram(GLuint program) = 0;
    virtual void useProgram(GLuint program) = 0;
    virtual GLint getUniformLocation(GLuint program, const char* name) = 0;
    virtual void uniformMatrix4fv(GLint location, const float* values) = 0;
    virtual void uniformMatrix3fv(GLint location, const float* values) = 0;
    virtual void uniform1f(GLint location, float value) = 0;
    virtual void uniform1i(GLint location, GLint value) = 0;
};

// The device every GL call goes to. There is always one: until a backend is
// installed with setGLDevice, calls go to a recording device that draws nothing.
IXGLDevice& glDevice();

// Installs `device` (not owned) as the current device; null restores the
// built-in recording device.
void setGLDevice(IXGLDevice* device);
