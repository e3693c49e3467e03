#include "engine/gl/recording/RecordingGLDevice.h"

#include <algorithm>
#include <numeric>

int RecordingGLDevice::totalCalls() const {
    return std::accumulate(counts.begin(), counts.end(), 0);
}

void RecordingGLDevice::resetCounts() {
    counts.fill(0);
    draws.clear();
    clearedColours.clear();
}

bool RecordingGLDevice::initExtensions() {
    note(GLCall::InitExtensions);
    return true;
}

void RecordingGLDevice::shadeModel(GLenum) {
    note(GLCall::ShadeModel);
}
void RecordingGLDevice::hint(GLenum, GLenum) {
    note(GLCall::Hint);
}
void RecordingGLDevice::depthFunc(GLenum) {
    note(GLCall::DepthFunc);
}
void RecordingGLDevice::matrixMode(GLenum) {
    note(GLCall::MatrixMode);
}
void RecordingGLDevice::loadIdentity() {
    note(GLCall::LoadIdentity);
}
void RecordingGLDevice::perspective(double, double, double, double) {
    note(GLCall::Perspective);
}

void RecordingGLDevice::clearColor(float r, float g, float b, float a) {
    note(GLCall::ClearColor);
    lastClearColour = {r, g, b, a};
}

void RecordingGLDevice::clearDepth(double) {
    note(GLCall::ClearDepth);
}
void RecordingGLDevice::clear(GLbitfield) {
    note(GLCall::Clear);
    clearedColours.push_back(lastClearColour);
}

void RecordingGLDevice::viewport(int x, int y, int width, int height) {
    note(GLCall::Viewport);
    lastViewport = {x, y, width, height};
}

void RecordingGLDevice::scissor(int x, int y, int width, int height) {
    note(GLCall::Scissor);
    lastScissor = {x, y, width, height};
}

void RecordingGLDevice::enable(GLenum capability) {
    note(GLCall::Enable);
    enabledCapabilities.insert(capability);
}

void RecordingGLDevice::disable(GLenum capability) {
    note(GLCall::Disable);
    enabledCapabilities.erase(capability);
}

bool RecordingGLDevice::isEnabled(GLenum capability) {
    note(GLCall::IsEnabled);
    return enabledCapabilities.count(capability) != 0;
}

void RecordingGLDevice::enableClientState(GLenum array) {
    note(GLCall::EnableClientState);
    enabledClientStates.insert(array);
}

void RecordingGLDevice::disableClientState(GLenum array) {
    note(GLCall::DisableClientState);
    enabledClientStates.erase(array);
}

void RecordingGLDevice::enableVertexAttribArray(GLuint index) {
    note(GLCall::EnableVertexAttribArray);
    enabledAttribArrays.insert(index);
}

void RecordingGLDevice::disableVertexAttribArray(GLuint index) {
    note(GLCall::DisableVertexAttribArray);
    enabledAttribArrays.erase(index);
}

void RecordingGLDevice::vertexAttribPointer(GLuint, GLint, GLenum, bool, GLsizei, const void*) {
    note(GLCall::VertexAttribPointer);
}

void RecordingGLDevice::blendFunc(GLenum source, GLenum destination) {
    note(GLCall::BlendFunc);
    blendSource = source;
    blendDestination = destination;
}

void RecordingGLDevice::drawArrays(GLenum mode, GLint, GLsizei vertexCount) {
    note(GLCall::DrawArrays);
    draws.push_back({mode, vertexCount, boundTexture, currentProgram});
}

GLuint RecordingGLDevice::genTexture() {
    note(GLCall::GenTexture);
    return nextHandle++;
}

void RecordingGLDevice::deleteTexture(GLuint) {
    note(GLCall::DeleteTexture);
}

void RecordingGLDevice::bindTexture(GLenum, GLuint texture) {
    note(GLCall::BindTexture);
    boundTexture = texture;
}

void RecordingGLDevice::texImage2D(GLenum, GLint level, GLint, GLsizei width, GLsizei height, GLenum, GLenum,
                                   const void* pixels) {
    note(GLCall::TexImage2D);
    if (level == 0) {
        const auto* bytes = static_cast<const unsigned char*>(pixels);
        lastUpload.assign(bytes, bytes ? bytes + static_cast<size_t>(width) * height * 4 : bytes);
    }
}

void RecordingGLDevice::texEnvi(GLenum, GLenum, GLint) {
    note(GLCall::TexEnvi);
}

void RecordingGLDevice::texParameteri(GLenum, GLenum, GLint) {
    note(GLCall::TexParameteri);
}
void RecordingGLDevice::generateMipmap(GLenum) {
    note(GLCall::GenerateMipmap);
}
void RecordingGLDevice::activeTexture(GLenum) {
    note(GLCall::ActiveTexture);
}

GLuint RecordingGLDevice::genFramebuffer() {
    note(GLCall::GenFramebuffer);
    return nextHandle++;
}

void RecordingGLDevice::deleteFramebuffer(GLuint) {
    note(GLCall::DeleteFramebuffer);
}

void RecordingGLDevice::bindFramebuffer(GLenum, GLuint framebuffer) {
    note(GLCall::BindFramebuffer);
    boundFramebuffer = framebuffer;
}

void RecordingGLDevice::framebufferTexture2D(GLenum, GLenum, GLenum, GLuint, GLint) {
    note(GLCall::FramebufferTexture2D);
}

GLenum RecordingGLDevice::checkFramebufferStatus(GLenum) {
    note(GLCall::CheckFramebufferStatus);
    return GL_FRAMEBUFFER_COMPLETE;
}

void RecordingGLDevice::readPixels(int, int, int width, int height, GLenum, GLenum, void* pixels) {
    note(GLCall::ReadPixels);
    std::fill_n(static_cast<unsigned char*>(pixels), static_cast<size_t>(width) * height * 4, 0);
}

GLuint RecordingGLDevice::createShader(GLenum) {
    note(GLCall::CreateShader);
    return nextHandle++;
}

void RecordingGLDevice::shaderSource(GLuint shader, const char* source, GLint length) {
    note(GLCall::ShaderSource);
    shaderSources[shader] = length < 0 ? std::string(source) : std::string(source, length);
}

void RecordingGLDevice::compileShader(GLuint) {
    note(GLCall::CompileShader);
}

bool RecordingGLDevice::compileSucceeded(GLuint shader) {
    note(GLCall::CompileSucceeded);
    if (compileFailMarker.empty()) {
        return true;
    }
    return shaderSources[shader].find(compileFailMarker) == std::string::npos;
}

std::string RecordingGLDevice::shaderInfoLog(GLuint) {
    note(GLCall::ShaderInfoLog);
    return {};
}

void RecordingGLDevice::deleteShader(GLuint) {
    note(GLCall::DeleteShader);
}

GLuint RecordingGLDevice::createProgram() {
    note(GLCall::CreateProgram);
    return nextHandle++;
}

void RecordingGLDevice::attachShader(GLuint, GLuint) {
    note(GLCall::AttachShader);
}
void RecordingGLDevice::detachShader(GLuint, GLuint) {
    note(GLCall::DetachShader);
}

void RecordingGLDevice::bindAttribLocation(GLuint program, GLuint index, const char* name) {
    note(GLCall::BindAttribLocation);
    attribBindings[program].emplace_back(index, name);
}

void RecordingGLDevice::linkProgram(GLuint) {
    note(GLCall::LinkProgram);
}

bool RecordingGLDevice::linkSucceeded(GLuint) {
    note(GLCall::LinkSucceeded);
    return !linkFails;
}

void RecordingGLDevice::deleteProgram(GLuint) {
    note(GLCall::DeleteProgram);
}

void RecordingGLDevice::useProgram(GLuint program) {
    note(GLCall::UseProgram);
    currentProgram = program;
}

GLint RecordingGLDevice::getUniformLocation(GLuint program, const char* name) {
    note(GLCall::GetUniformLocation);
    const std::string key = std::to_string(program) + ":" + name;
    auto found = uniformLocations.find(key);
    if (found == uniformLocations.end()) {
        found = uniformLocations.emplace(key, static_cast<GLint>(uniformLocations.size())).first;
    }
    return found->second;
}

void RecordingGLDevice::uniformMatrix4fv(GLint location, const float* values) {
    note(GLCall::UniformMatrix4fv);
    std::copy(values, values + 16, uniformMatrices4[location].begin());
}

void RecordingGLDevice::uniformMatrix3fv(GLint, const float*) {
    note(GLCall::UniformMatrix3fv);
}

void RecordingGLDevice::uniform1f(GLint location, float value) {
    note(GLCall::Uniform1f);
    uniformFloats[location] = value;
}

void RecordingGLDevice::uniform1i(GLint, GLint) {
    note(GLCall::Uniform1i);
}
