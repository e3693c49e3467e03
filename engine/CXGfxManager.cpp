#include "engine/CXGfxManager.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "data/AssetPackage.h"
#include "engine/BlendMode.h"
#include "engine/BuiltInShaders.h"
#include "engine/gl/IXGLDevice.h"

namespace {
// The window's composite: a quad over the whole image, v = 0 at the bottom.
const float kScreenQuadPositions[] = {0, 1, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0};
const float kScreenQuadTexCoords[] = {0, 1, 1, 1, 0, 0, 1, 0};
const float kScreenQuadColours[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
const float kDimmedQuadColours[] = {0.25f, 0.25f, 0.25f, 1, 0.25f, 0.25f, 0.25f, 1,
                                    0.25f, 0.25f, 0.25f, 1, 0.25f, 0.25f, 0.25f, 1};

// The shader folders: the ES2 dialect first, desktop GLSL 1.10 as fallback.
const char* const kPrimaryShaderFolder = "Shaders/ES2/";
const char* const kAlternateShaderFolder = "Shaders/110/";
}  // namespace

std::string CXGfxManager::missingShaderSource() {
    for (const char* name : {"Shader", "GameBgShader", "Shader_HDR"}) {
        const std::string primary = std::string(kPrimaryShaderFolder) + name;
        const std::string alternate = std::string(kAlternateShaderFolder) + name;
        const bool found = (assetIsFile(primary + ".vsh") && assetIsFile(primary + ".fsh")) ||
                           (assetIsFile(alternate + ".vsh") && assetIsFile(alternate + ".fsh"));
        if (!found) {
            return primary + (assetIsFile(primary + ".vsh") ? ".fsh" : ".vsh");
        }
    }
    return "";
}

CXGfxManager& CXGfxManager::instance() {
    // Made on first use and never destroyed: objects that outlive main()'s
    // scope may still call it while the process ends.
    static CXGfxManager* const manager = new CXGfxManager();
    return *manager;
}

void CXGfxManager::setRenderSize(int width, int height) {
    renderWidth = width;
    renderHeight = height;
}

void CXGfxManager::setScreenSize(int width, int height) {
    screenWidth = width;
    screenHeight = height;
}

bool CXGfxManager::compileShader(unsigned type, const char* path, unsigned& shader) {
    IXGLDevice& gl = glDevice();
    std::printf("Compiling Shader: %s\n", path);
    std::vector<char> source;
    if (!readAssetFile(path, source)) {
        // Without a package at all, the desktop shaders built into the
        // program stand in, so the game still runs; a package that lacks a
        // shader fails it like one that does not compile.
        const char* builtIn = isAssetPackageMounted() ? nullptr : builtInShaderSource(path);
        if (!builtIn) {
            std::printf("FAILED TO COMPILE SHADER: %s\n", path);
            return false;
        }
        source.assign(builtIn, builtIn + std::strlen(builtIn));
    }
    shader = gl.createShader(type);
    gl.shaderSource(shader, source.data(), static_cast<GLint>(source.size()));
    gl.compileShader(shader);
    std::printf("%s\n", gl.shaderInfoLog(shader).c_str());
    if (!gl.compileSucceeded(shader)) {
        std::printf("FAILED TO COMPILE SHADER: %s\n", path);
        gl.deleteShader(shader);
        return false;
    }
    std::printf("Compile Successful!\n");
    return true;
}

bool CXGfxManager::loadProgram(const char* name, bool backgroundUniforms, int& program,
                               ProgramUniforms& uniforms) {
    IXGLDevice& gl = glDevice();
    auto sourcePath = [name](const char* folder, const char* suffix) {
        return std::string(folder) + name + suffix;
    };
    unsigned vertex = 0, fragment = 0;
    bool compiled =
        compileShader(GL_VERTEX_SHADER, sourcePath(kPrimaryShaderFolder, ".vsh").c_str(), vertex) &&
        compileShader(GL_FRAGMENT_SHADER, sourcePath(kPrimaryShaderFolder, ".fsh").c_str(), fragment);
    if (!compiled) {
        compiled =
            compileShader(GL_VERTEX_SHADER, sourcePath(kAlternateShaderFolder, ".vsh").c_str(), vertex) &&
            compileShader(GL_FRAGMENT_SHADER, sourcePath(kAlternateShaderFolder, ".fsh").c_str(), fragment);
        if (!compiled) {
            return false;
        }
        std::printf("Primary shaders not supported, loaded alternate shaders instead.\n");
    }

    std::printf("Linking program\n");
    const GLuint handle = gl.createProgram();
    gl.attachShader(handle, vertex);
    gl.attachShader(handle, fragment);
    gl.bindAttribLocation(handle, PositionAttribute, "position");
    gl.bindAttribLocation(handle, NormalAttribute, "normal");
    gl.bindAttribLocation(handle, ColourAttribute, "colour");
    gl.bindAttribLocation(handle, TexCoordAttribute, "texture");
    gl.linkProgram(handle);
    if (!gl.linkSucceeded(handle)) {
        gl.deleteProgram(handle);
        std::printf("Failed to link program: %u,\n", handle);
        gl.deleteShader(vertex);
        gl.deleteShader(fragment);
        return false;
    }
    uniforms.modelViewProjection = gl.getUniformLocation(handle, "modelViewProjectionMatrix");
    uniforms.normal = gl.getUniformLocation(handle, "normalMatrix");
    uniforms.texture = gl.getUniformLocation(handle, "texture");
    if (backgroundUniforms) {
        uniforms.texture1 = gl.getUniformLocation(handle, "texture1");
        uniforms.aberration = gl.getUniformLocation(handle, "abberation");
    }
    gl.detachShader(handle, vertex);
    gl.detachShader(handle, fragment);
    gl.deleteShader(vertex);
    gl.deleteShader(fragment);
    program = static_cast<int>(handle);
    return true;
}

void CXGfxManager::createHalfBuffer() {
    IXGLDevice& gl = glDevice();
    framebuffer = gl.genFramebuffer();
    gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    bufferTexture = gl.genTexture();
    gl.bindTexture(GL_TEXTURE_2D, bufferTexture);
    gl.texImage2D(GL_TEXTURE_2D, 0, GL_RGBA, renderWidth, renderHeight, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    gl.texParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl.texParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gl.texParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl.texParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl.framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, bufferTexture, 0);
    bufferWidth = renderWidth;
    bufferHeight = renderHeight;
    bufferScaleX = bufferScaleY = 1.0f;
    if (gl.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) {
        std::printf("half buffer creation successful\n");
    } else {
        std::printf("half buffer not complete!!\n");
    }
    gl.bindTexture(GL_TEXTURE_2D, 0);
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
}

void CXGfxManager::setup() {
    IXGLDevice& gl = glDevice();
    gl.clearColor(0, 0, 0, 0);
    gl.clearDepth(0.0);
    gl.hint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    gl.initExtensions();
    resetCaches();
    // A failed program stops the loads after it.
    glslAvailable = loadProgram("Shader", false, mainProgram, mainUniforms) &&
                    loadProgram("GameBgShader", true, gameBgProgram, gameBgUniforms) &&
                    loadProgram("Shader_HDR", true, hdrProgram, hdrUniforms);
    createHalfBuffer();
    setTexCoordAttrib(true);
    setColourAttrib(true);
    setPositionAttrib(true);
    setBlend(true);
    setDepthTest(false);
    aberrationOn = false;
}

void CXGfxManager::release() {
    IXGLDevice& gl = glDevice();
    if (mainProgram >= 0) {
        gl.deleteProgram(static_cast<GLuint>(mainProgram));
        mainProgram = -1;
    }
    if (framebuffer) {
        gl.deleteFramebuffer(framebuffer);
        framebuffer = 0;
    }
    if (bufferTexture) {
        gl.deleteTexture(bufferTexture);
        bufferTexture = 0;
    }
}

void CXGfxManager::setGameArea(int width, int height) {
    gameAreaWidth = width;
    gameAreaHeight = height;
}

void CXGfxManager::setResolutionBoost(bool is1440, bool wide) {
    is1440x1080 = is1440;
    wideAspect = wide;
}

const CXGfxManager::ProgramUniforms* CXGfxManager::uniformsOf(int program) const {
    if (program < 0) {
        return nullptr;
    }
    if (program == mainProgram) {
        return &mainUniforms;
    }
    if (program == gameBgProgram) {
        return &gameBgUniforms;
    }
    if (program == hdrProgram) {
        return &hdrUniforms;
    }
    return nullptr;
}

void CXGfxManager::resetCaches() {
    IXGLDevice& gl = glDevice();
    blendOn = gl.isEnabled(GL_BLEND);
    texCoordAttribOn = false;
    positionAttribOn = false;
    colourAttribOn = false;
    texCoordArrayOn = gl.isEnabled(GL_TEXTURE_COORD_ARRAY);
    cullOn = gl.isEnabled(GL_CULL_FACE);
    depthOn = gl.isEnabled(GL_DEPTH_TEST);
    normalArrayOn = gl.isEnabled(GL_NORMAL_ARRAY);
    blendMode = -1;
    boundTexture = -1;
    currentProgram = -1;
    positionPointer = colourPointer = texCoordPointer = nullptr;
    positionStride = colourStride = texCoordStride = -1;
}

void CXGfxManager::setBlendMode(int mode) {
    if (mode == blendMode) {
        return;
    }
    blendMode = mode;
    // Source and destination factors of each mode; textures are premultiplied.
    static const GLenum kFactors[BlendModeCount][2] = {
        {GL_ONE, GL_ONE_MINUS_SRC_ALPHA},                  // 0 premultiplied alpha
        {GL_SRC_ALPHA, GL_ONE},                            // 1 additive
        {GL_ONE, GL_ONE_MINUS_SRC_COLOR},                  // 2 screen
        {GL_SRC_ALPHA, GL_ONE},                            // 3 additive, as 1
        {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},            // 4 ordinary alpha
        {GL_DST_COLOR, GL_ONE_MINUS_SRC_ALPHA},            // 5 multiply over
        {GL_ONE_MINUS_DST_COLOR, GL_ONE_MINUS_SRC_ALPHA},  // 6 inverse multiply
        {GL_ZERO, GL_SRC_ALPHA},                           // 7 darken by alpha
    };
    if (mode >= 0 && mode < BlendModeCount) {
        glDevice().blendFunc(kFactors[mode][0], kFactors[mode][1]);
    }
}

void CXGfxManager::setCapability(bool& cached, bool on, unsigned capability) {
    if (cached == on) {
        return;
    }
    cached = on;
    if (on) {
        glDevice().enable(capability);
    } else {
        glDevice().disable(capability);
    }
}

void CXGfxManager::setAttribArray(bool& cached, bool on, unsigned index) {
    if (cached == on) {
        return;
    }
    cached = on;
    if (on) {
        glDevice().enableVertexAttribArray(index);
    } else {
        glDevice().disableVertexAttribArray(index);
    }
}

void CXGfxManager::setBlend(bool on) {
    setCapability(blendOn, on, GL_BLEND);
}
void CXGfxManager::setCull(bool on) {
    setCapability(cullOn, on, GL_CULL_FACE);
}
void CXGfxManager::setDepthTest(bool on) {
    setCapability(depthOn, on, GL_DEPTH_TEST);
}

void CXGfxManager::setTexCoordArray(bool on) {
    if (texCoordArrayOn == on) {
        return;
    }
    texCoordArrayOn = on;
    if (on) {
        glDevice().enableClientState(GL_TEXTURE_COORD_ARRAY);
    } else {
        glDevice().disableClientState(GL_TEXTURE_COORD_ARRAY);
    }
}

void CXGfxManager::setPositionAttrib(bool on) {
    setAttribArray(positionAttribOn, on, PositionAttribute);
}
void CXGfxManager::setColourAttrib(bool on) {
    setAttribArray(colourAttribOn, on, ColourAttribute);
}
void CXGfxManager::setTexCoordAttrib(bool on) {
    setAttribArray(texCoordAttribOn, on, TexCoordAttribute);
}

void CXGfxManager::bindTexture(int texture) {
    if (texture >= 0 && texture != boundTexture) {
        glDevice().bindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
        boundTexture = texture;
    }
}

void CXGfxManager::forgetTexture(int texture) {
    if (texture == boundTexture) {
        boundTexture = -1;
    }
}

void CXGfxManager::setOrthographic(float left, float right, float bottom, float top, float near, float far) {
    projection = Mat4::orthographic(left, right, bottom, top, near, far);
}

void CXGfxManager::setPerspective(float fovyDegrees, float aspect, float near, float far) {
    projection = Mat4::perspective(fovyDegrees, aspect, near, far);
}

void CXGfxManager::lookAt(const Vec3& eye, const Vec3& centre, const Vec3& up) {
    projection = projection * Mat4::lookAt(eye, centre, up);
}

void CXGfxManager::setBufferScale(float profileScale) {
    bufferScaleX = bufferScaleY = profileScale * 0.5f + 0.75f;
}

void CXGfxManager::drawStrip(int count, const float* positions, int positionStrideBytes, const float* colours,
                             int colourStrideBytes, const float* texCoords, int texCoordStrideBytes,
                             int texture, const Mat4& model, int program) {
    draw(GL_TRIANGLE_STRIP, count, positions, positionStrideBytes, colours, colourStrideBytes, texCoords,
         texCoordStrideBytes, texture, model, program);
}

void CXGfxManager::drawTriangles(int count, const float* positions, int positionStrideBytes,
                                 const float* colours, int colourStrideBytes, const float* texCoords,
                                 int texCoordStrideBytes, int texture, const Mat4& model, int program) {
    draw(GL_TRIANGLES, count, positions, positionStrideBytes, colours, colourStrideBytes, texCoords,
         texCoordStrideBytes, texture, model, program);
}

void CXGfxManager::draw(unsigned mode, int count, const float* positions, int positionStrideBytes,
                        const float* colours, int colourStrideBytes, const float* texCoords,
                        int texCoordStrideBytes, int texture, const Mat4& model, int program) {
    IXGLDevice& gl = glDevice();
    bindTexture(texture);
    normalMatrix = normalMatrixOf(model);
    mvp = projection * model;
    const int wanted = program >= 0 ? program : mainProgram;
    if (wanted >= 0 && wanted != currentProgram) {
        gl.useProgram(static_cast<GLuint>(wanted));
        currentProgram = wanted;
    }
    if (const ProgramUniforms* uniforms = uniformsOf(wanted)) {
        gl.uniformMatrix4fv(uniforms->modelViewProjection, mvp.m);
        gl.uniformMatrix3fv(uniforms->normal, normalMatrix.m);
        if (wanted == gameBgProgram) {
            gl.uniform1f(uniforms->aberration, aberration);
        }
    }
    if (positions != positionPointer || positionStrideBytes != positionStride) {
        gl.vertexAttribPointer(PositionAttribute, 3, GL_FLOAT, false, positionStrideBytes, positions);
        positionPointer = positions;
        positionStride = positionStrideBytes;
    }
    if (colours != colourPointer || colourStrideBytes != colourStride) {
        gl.vertexAttribPointer(ColourAttribute, 4, GL_FLOAT, false, colourStrideBytes, colours);
        colourPointer = colours;
        colourStride = colourStrideBytes;
    }
    if (texCoords != texCoordPointer || texCoordStrideBytes != texCoordStride) {
        gl.vertexAttribPointer(TexCoordAttribute, 2, GL_FLOAT, false, texCoordStrideBytes, texCoords);
        texCoordPointer = texCoords;
        texCoordStride = texCoordStrideBytes;
    }
    gl.drawArrays(mode, 0, count);
    ++drawCalls;
}

void CXGfxManager::beginFrame() {
    drawCalls = 0;
    IXGLDevice& gl = glDevice();
    gl.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl.clearColor(0, 0, 0, 0);
    gl.clear(GL_COLOR_BUFFER_BIT);
}

CXGfxManager::CompositeRect CXGfxManager::compositeRect() const {
    const float w = static_cast<float>(gameAreaWidth);
    const float h = static_cast<float>(gameAreaHeight);
    float sx = bufferScaleX;
    float sy = bufferScaleY;
    const bool upright = !turnsSideways(screenOrientation);
    if (is1440x1080) {
        const float boost = upright ? 0.05f : (wideAspect ? 0.875f : 0.4f);
        sx += boost;
        sy += boost;
    }
    const float a = upright ? w : h;
    const float b = upright ? h : w;
    return {screenWidth / 2.0f - a * sx / 2, screenHeight / 2.0f - b * sy / 2, a * sx, b * sy, sx, sy};
}

void CXGfxManager::gameImageRect(int& left, int& bottom, int& width, int& height) const {
    const CompositeRect placed = compositeRect();
    left = static_cast<int>(placed.left);
    bottom = static_cast<int>(placed.bottom);
    width = static_cast<int>(placed.width);
    height = static_cast<int>(placed.height);
}

bool CXGfxManager::windowToGameArea(float x, float y, float& nx, float& ny) const {
    const float w = static_cast<float>(gameAreaWidth);
    const float h = static_cast<float>(gameAreaHeight);
    const CompositeRect placed = compositeRect();
    if (w <= 0.0f || h <= 0.0f || placed.scaleX <= 0.0f || placed.scaleY <= 0.0f) {
        return false;
    }
    // Window pixels to the composite's own units (one per off-screen pixel), y up.
    const float ox = (x - placed.left) / placed.scaleX;
    const float oy = (static_cast<float>(screenHeight) - y - placed.bottom) / placed.scaleY;
    // Undo the quarter turns endFrame gives the image.
    float gx = ox, gy = oy;
    switch (screenOrientation) {
        case 1:
            gx = oy;
            gy = h - ox;
            break;
        case 2:
            gx = w - ox;
            gy = h - oy;
            break;
        case 3:
            gx = w - oy;
            gy = ox;
            break;
        default:
            break;
    }
    nx = gx / w;
    ny = gy / h;
    return nx >= 0.0f && nx <= 1.0f && ny >= 0.0f && ny <= 1.0f;
}

void CXGfxManager::endFrame() {
    IXGLDevice& gl = glDevice();
    const float w = static_cast<float>(gameAreaWidth);
    const float h = static_cast<float>(gameAreaHeight);

    Mat4 model;
    switch (screenOrientation) {
        case ScreenTurned90:
            model = Mat4::translation(h, 0, 0) * Mat4::rotationZ(90);
            break;
        case ScreenTurned180:
            model = Mat4::translation(w, h, 0) * Mat4::rotationZ(180);
            break;
        case ScreenTurned270:
            model = Mat4::translation(0, w, 0) * Mat4::rotationZ(270);
            break;
        default:
            break;
    }
    model = Mat4::translation(shakeOffset * w, shakeOffset * h, 0) * model *
            Mat4::scaling(static_cast<float>(bufferWidth), static_cast<float>(bufferHeight), 0);

    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    setTexCoordAttrib(true);
    // What is drawn first lands on the cleared window, where blending changes
    // nothing but costs a software rasteriser a read of every pixel; only the
    // image over the background fill blends.
    setBlend(false);
    if (blendMode != 0) {
        gl.blendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        blendMode = 0;
    }
    setPositionAttrib(true);
    setColourAttrib(true);
    setCull(false);
    gl.clearColor(0, 0, 0, 0);
    gl.clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const bool upright = !turnsSideways(screenOrientation);
    const float a = upright ? w : h;
    const float b = upright ? h : w;
    const float centreX = screenWidth / 2.0f;
    const float centreY = screenHeight / 2.0f;
    const CompositeRect placed = compositeRect();

    const Mat4 view =
        Mat4::orthographic(0, a, 0, b, -100, 100) * Mat4::lookAt({0, 0, 1}, {0, 0, -1}, {0, 1, 0});
    if (backgroundFill) {
        gl.viewport(static_cast<int>(centreX - a * 2.5f / 2), static_cast<int>(centreY - b * 2.5f / 2),
                    static_cast<int>(a * 2.5f), static_cast<int>(b * 2.5f));
        projection = view;
        drawStrip(4, kScreenQuadPositions, 0, kDimmedQuadColours, 0, kScreenQuadTexCoords, 0,
                  static_cast<int>(bufferTexture), model, hdrProgram);
        setBlend(true);
    }
    gl.viewport(static_cast<int>(placed.left), static_cast<int>(placed.bottom),
                static_cast<int>(placed.width), static_cast<int>(placed.height));
    projection = view;
    drawStrip(4, kScreenQuadPositions, 0, kScreenQuadColours, 0, kScreenQuadTexCoords, 0,
              static_cast<int>(bufferTexture), model, aberrationOn ? gameBgProgram : mainProgram);
    frameDrawCalls = drawCalls;
}
