#pragma once

#include "engine/gl/IXGLDevice.h"

// The real device: each call goes straight to OpenGL (through GLEW for the
// 2.0 entry points) on the context that is current on this thread.
class OpenGLDevice : public IXGLDevice {
  public:
    bool initExtensions() override;
    void shadeModel(GLenum mode) override;
    void hint(GLenum target, GLenum mode) override;
    void depthFunc(GLenum func) override;
    void matrixMode(GLenum mode) override;
    void loadIdentity() override;
    void perspective(double fovyDegrees, double aspect, double near, double far) override;
    void clearColor(float r, float g, float b, float a) override;
    void clearDepth(double depth) override;
    void clear(GLbitfield mask) override;
    void viewport(int x, int y, int width, int height) override;
    void scissor(int x, int y, int width, int height) override;
    void enable(GLenum capability) override;
    void disable(GLenum capability) override;
    bool isEnabled(GLenum capability) override;
    void enableClientState(GLenum array) override;
    void disableClientState(GLenum array) override;
    void enableVertexAttribArray(GLuint index) override;
    void disableVertexAttribArray(GLuint index) override;
    void vertexAttribPointer(GLuint index, GLint size, GLenum type, bool normalised, GLsizei stride,
                             const void* pointer) override;
    void blendFunc(GLenum source, GLenum destination) override;
    void drawArrays(GLenum mode, GLint first, GLsizei count) override;
    GLuint genTexture() override;
    void deleteTexture(GLuint texture) override;
    void bindTexture(GLenum target, GLuint texture) override;
    void texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                    GLenum format, GLenum type, const void* pixels) override;
    void texParameteri(GLenum target, GLenum name, GLint value) override;
    void generateMipmap(GLenum target) override;
    void texEnvi(GLenum target, GLenum name, GLint value) override;
    void activeTexture(GLenum unit) override;
    GLuint genFramebuffer() override;
    void deleteFramebuffer(GLuint framebuffer) override;
    void bindFramebuffer(GLenum target, GLuint framebuffer) override;
    void framebufferTexture2D(GLenum target, GLenum attachment, GLenum textureTarget, GLuint texture,
                              GLint level) override;
    GLenum checkFramebufferStatus(GLenum target) override;
    void readPixels(int x, int y, int width, int height, GLenum format, GLenum type, void* pixels) override;
    GLuint createShader(GLenum type) override;
    void shaderSource(GLuint shader, const char* source, GLint length) override;
    void compileShader(GLuint shader) override;
    bool compileSucceeded(GLuint shader) override;
    std::string shaderInfoLog(GLuint shader) override;
    void deleteShader(GLuint shader) override;
    GLuint createProgram() override;
    void attachShader(GLuint program, GLuint shader) override;
    void detachShader(GLuint program, GLuint shader) override;
    void bindAttribLocation(GLuint program, GLuint index, const char* name) override;
    void linkProgram(GLuint program) override;
    bool linkSucceeded(GLuint program) override;
    void deleteProgram(GLuint program) override;
    void useProgram(GLuint program) override;
    GLint getUniformLocation(GLuint program, const char* name) override;
    void uniformMatrix4fv(GLint location, const float* values) override;
    void uniformMatrix3fv(GLint location, const float* values) override;
    void uniform1f(GLint location, float value) override;
    void uniform1i(GLint location, GLint value) override;
};
