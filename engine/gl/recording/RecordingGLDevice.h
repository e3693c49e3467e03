#pragma once

#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/gl/IXGLDevice.h"

// Every call of the device, for counting.
// clang-format off
#define ORVALE_GL_CALLS(X) \
    X(InitExtensions) X(ShadeModel) X(Hint) X(DepthFunc) X(MatrixMode) X(LoadIdentity) \
    X(Perspective) X(ClearColor) X(ClearDepth) X(Clear) X(Viewport) X(Scissor) \
    X(Enable) X(Disable) X(IsEnabled) X(EnableClientState) X(DisableClientState) X(EnableVertexAttribArray) \
    X(DisableVertexAttribArray) X(VertexAttribPointer) X(BlendFunc) X(DrawArrays) X(GenTexture) X(DeleteTexture) \
    X(BindTexture) X(TexImage2D) X(TexParameteri) X(TexEnvi) X(GenerateMipmap) X(ActiveTexture) X(GenFramebuffer) \
    X(DeleteFramebuffer) X(BindFramebuffer) X(FramebufferTexture2D) X(CheckFramebufferStatus) X(ReadPixels) X(CreateShader) \
    X(ShaderSource) X(CompileShader) X(CompileSucceeded) X(ShaderInfoLog) X(DeleteShader) X(CreateProgram) \
    X(AttachShader) X(DetachShader) X(BindAttribLocation) X(LinkProgram) X(LinkSucceeded) X(DeleteProgram) \
    X(UseProgram) X(GetUniformLocation) X(UniformMatrix4fv) X(UniformMatrix3fv) X(Uniform1f) X(Uniform1i)
// clang-format on

enum class GLCall {
#define ORVALE_GL_CALL_ENUM(name) name,
    ORVALE_GL_CALLS(ORVALE_GL_CALL_ENUM)
#undef ORVALE_GL_CALL_ENUM
        Count
};

// A GL device that draws nothing and remembers what it was asked: how often
// each call was made and the state those calls would have left. Tests and the
// headless runner use it; it needs no display.
class RecordingGLDevice : public IXGLDevice {
  public:
    struct DrawCall {
        GLenum mode;
        GLsizei count;
        GLuint texture;  // bound when the draw was made
        GLuint program;  // in use when the draw was made
    };

    int count(GLCall call) const { return counts[static_cast<int>(call)]; }
    int totalCalls() const;
    void resetCounts();

    // Shader sources containing `marker` fail to compile; an empty marker fails none.
    void failCompilesContaining(const std::string& marker) { compileFailMarker = marker; }
    void failLinks(bool fail) { linkFails = fail; }

    // The state the recorded calls have left.
    std::set<GLenum> enabledCapabilities;
    std::set<GLuint> enabledAttribArrays;
    std::set<GLenum> enabledClientStates;
    GLenum blendSource = GL_ONE;
    GLenum blendDestination = GL_ZERO;
    GLuint boundTexture = 0;
    GLuint boundFramebuffer = 0;
    GLuint currentProgram = 0;
    std::array<int, 4> lastViewport{};
    std::array<int, 4> lastScissor{};
    std::array<float, 4> lastClearColour{};
    std::vector<std::array<float, 4>> clearedColours;  // the clear colour at each clear, in order
    std::vector<DrawCall> draws;
    std::vector<unsigned char> lastUpload;                    // the pixels of the last level-0 texImage2D
    std::map<GLint, std::array<float, 16>> uniformMatrices4;  // by location
    std::map<GLint, float> uniformFloats;                     // by location
    std::map<GLuint, std::string> shaderSources;              // by shader handle
    std::map<GLuint, std::vector<std::pair<GLuint, std::string>>> attribBindings;  // by program

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

  private:
    void note(GLCall call) { ++counts[static_cast<int>(call)]; }

    std::array<int, static_cast<int>(GLCall::Count)> counts{};
    std::string compileFailMarker;
    bool linkFails = false;
    GLuint nextHandle = 1;
    std::map<std::string, GLint> uniformLocations;  // names get stable locations
};
