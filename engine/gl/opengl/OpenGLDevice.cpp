#include "engine/gl/opengl/OpenGLDevice.h"

#include <GL/glu.h>

#include <vector>

bool OpenGLDevice::initExtensions() {
    return glewInit() == GLEW_OK;
}

void OpenGLDevice::shadeModel(GLenum mode) {
    glShadeModel(mode);
}
void OpenGLDevice::hint(GLenum target, GLenum mode) {
    glHint(target, mode);
}
void OpenGLDevice::depthFunc(GLenum func) {
    glDepthFunc(func);
}
void OpenGLDevice::matrixMode(GLenum mode) {
    glMatrixMode(mode);
}
void OpenGLDevice::loadIdentity() {
    glLoadIdentity();
}

void OpenGLDevice::perspective(double fovyDegrees, double aspect, double near, double far) {
    gluPerspective(fovyDegrees, aspect, near, far);
}

void OpenGLDevice::clearColor(float r, float g, float b, float a) {
    glClearColor(r, g, b, a);
}
void OpenGLDevice::clearDepth(double depth) {
    glClearDepth(depth);
}
void OpenGLDevice::clear(GLbitfield mask) {
    glClear(mask);
}
void OpenGLDevice::viewport(int x, int y, int width, int height) {
    glViewport(x, y, width, height);
}
void OpenGLDevice::scissor(int x, int y, int width, int height) {
    glScissor(x, y, width, height);
}
void OpenGLDevice::enable(GLenum capability) {
    glEnable(capability);
}
void OpenGLDevice::disable(GLenum capability) {
    glDisable(capability);
}
bool OpenGLDevice::isEnabled(GLenum capability) {
    return glIsEnabled(capability) == GL_TRUE;
}
void OpenGLDevice::enableClientState(GLenum array) {
    glEnableClientState(array);
}
void OpenGLDevice::disableClientState(GLenum array) {
    glDisableClientState(array);
}
void OpenGLDevice::enableVertexAttribArray(GLuint index) {
    glEnableVertexAttribArray(index);
}
void OpenGLDevice::disableVertexAttribArray(GLuint index) {
    glDisableVertexAttribArray(index);
}

void OpenGLDevice::vertexAttribPointer(GLuint index, GLint size, GLenum type, bool normalised, GLsizei stride,
                                       const void* pointer) {
    glVertexAttribPointer(index, size, type, normalised ? GL_TRUE : GL_FALSE, stride, pointer);
}

void OpenGLDevice::blendFunc(GLenum source, GLenum destination) {
    glBlendFunc(source, destination);
}
void OpenGLDevice::drawArrays(GLenum mode, GLint first, GLsizei count) {
    glDrawArrays(mode, first, count);
}

GLuint OpenGLDevice::genTexture() {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    return texture;
}

void OpenGLDevice::deleteTexture(GLuint texture) {
    glDeleteTextures(1, &texture);
}
void OpenGLDevice::bindTexture(GLenum target, GLuint texture) {
    glBindTexture(target, texture);
}

void OpenGLDevice::texImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                              GLenum format, GLenum type, const void* pixels) {
    glTexImage2D(target, level, internalFormat, width, height, 0, format, type, pixels);
}

void OpenGLDevice::texParameteri(GLenum target, GLenum name, GLint value) {
    glTexParameteri(target, name, value);
}
void OpenGLDevice::generateMipmap(GLenum target) {
    glGenerateMipmap(target);
}
void OpenGLDevice::texEnvi(GLenum target, GLenum name, GLint value) {
    glTexEnvi(target, name, value);
}
void OpenGLDevice::activeTexture(GLenum unit) {
    glActiveTexture(unit);
}

GLuint OpenGLDevice::genFramebuffer() {
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    return framebuffer;
}

void OpenGLDevice::deleteFramebuffer(GLuint framebuffer) {
    glDeleteFramebuffers(1, &framebuffer);
}
void OpenGLDevice::bindFramebuffer(GLenum target, GLuint framebuffer) {
    glBindFramebuffer(target, framebuffer);
}

void OpenGLDevice::framebufferTexture2D(GLenum target, GLenum attachment, GLenum textureTarget,
                                        GLuint texture, GLint level) {
    glFramebufferTexture2D(target, attachment, textureTarget, texture, level);
}

GLenum OpenGLDevice::checkFramebufferStatus(GLenum target) {
    return glCheckFramebufferStatus(target);
}

void OpenGLDevice::readPixels(int x, int y, int width, int height, GLenum format, GLenum type, void* pixels) {
    glReadPixels(x, y, width, height, format, type, pixels);
}

GLuint OpenGLDevice::createShader(GLenum type) {
    return glCreateShader(type);
}

void OpenGLDevice::shaderSource(GLuint shader, const char* source, GLint length) {
    glShaderSource(shader, 1, &source, length < 0 ? nullptr : &length);
}

void OpenGLDevice::compileShader(GLuint shader) {
    glCompileShader(shader);
}

bool OpenGLDevice::compileSucceeded(GLuint shader) {
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    return status == GL_TRUE;
}

std::string OpenGLDevice::shaderInfoLog(GLuint shader) {
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1) {
        return {};
    }
    std::vector<char> log(static_cast<size_t>(length));
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    return std::string(log.data());
}

void OpenGLDevice::deleteShader(GLuint shader) {
    glDeleteShader(shader);
}
GLuint OpenGLDevice::createProgram() {
    return glCreateProgram();
}
void OpenGLDevice::attachShader(GLuint program, GLuint shader) {
    glAttachShader(program, shader);
}
void OpenGLDevice::detachShader(GLuint program, GLuint shader) {
    glDetachShader(program, shader);
}

void OpenGLDevice::bindAttribLocation(GLuint program, GLuint index, const char* name) {
    glBindAttribLocation(program, index, name);
}

void OpenGLDevice::linkProgram(GLuint program) {
    glLinkProgram(program);
}

bool OpenGLDevice::linkSucceeded(GLuint program) {
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status == GL_TRUE;
}

void OpenGLDevice::deleteProgram(GLuint program) {
    glDeleteProgram(program);
}
void OpenGLDevice::useProgram(GLuint program) {
    glUseProgram(program);
}

GLint OpenGLDevice::getUniformLocation(GLuint program, const char* name) {
    return glGetUniformLocation(program, name);
}

void OpenGLDevice::uniformMatrix4fv(GLint location, const float* values) {
    glUniformMatrix4fv(location, 1, GL_FALSE, values);
}

void OpenGLDevice::uniformMatrix3fv(GLint location, const float* values) {
    glUniformMatrix3fv(location, 1, GL_FALSE, values);
}

void OpenGLDevice::uniform1f(GLint location, float value) {
    glUniform1f(location, value);
}
void OpenGLDevice::uniform1i(GLint location, GLint value) {
    glUniform1i(location, value);
}
