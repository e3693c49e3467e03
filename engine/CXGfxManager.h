#pragma once

#include <string>

#include "data/ScreenOrientation.h"
#include "engine/Matrix.h"

// The one object that draws with OpenGL. It caches enable states, the blend
// function, the bound texture, the current program and the attribute pointers
// so redundant GL calls are skipped, and keeps the projection-times-view of
// the scene being drawn. All its GL calls go through the current GL device.
class CXGfxManager {
  public:
    static CXGfxManager& instance();

    // Vertex attribute locations, bound by name in every program.
    enum Attribute { PositionAttribute = 0, NormalAttribute = 1, ColourAttribute = 2, TexCoordAttribute = 3 };

    void setRenderSize(int width, int height);
    void setScreenSize(int width, int height);
    // GL defaults for drawing; run once at start after both sizes are set.
    void setup();
    void release();

    // Each changes GL only when the cached value differs.
    void setBlendMode(int mode);
    void setBlend(bool on);
    void setCull(bool on);
    void setDepthTest(bool on);
    void setTexCoordArray(bool on);
    void setPositionAttrib(bool on);
    void setColourAttrib(bool on);
    void setTexCoordAttrib(bool on);

    // Binds a texture through the cache (for uploads); forgetTexture drops a
    // deleted texture from it, so a new texture given the same GL name is bound.
    void bindTexture(int texture);
    void forgetTexture(int texture);

    void setOrthographic(float left, float right, float bottom, float top, float near, float far);
    void setPerspective(float fovyDegrees, float aspect, float near, float far);
    // Multiplies the current projection by a right-handed look-at.
    void lookAt(const Vec3& eye, const Vec3& centre, const Vec3& up);
    const Mat4& getProjection() const { return projection; }

    // Draws `count` vertices as a triangle strip or as separate triangles.
    // A texture of -1 keeps whatever is bound; a program of -1 is the main one.
    void drawStrip(int count, const float* positions, int positionStride, const float* colours,
                   int colourStride, const float* texCoords, int texCoordStride, int texture,
                   const Mat4& model, int program = -1);
    void drawTriangles(int count, const float* positions, int positionStride, const float* colours,
                       int colourStride, const float* texCoords, int texCoordStride, int texture,
                       const Mat4& model, int program = -1);

    void setAberration(float value) { aberration = value; }
    void setAberrationOn(bool on) { aberrationOn = on; }
    void setBufferScale(float profileScale);
    void setScreenOrientation(ScreenOrientation orientation) { screenOrientation = orientation; }
    void setBackgroundFill(bool on) { backgroundFill = on; }
    // Screen shake: the composited image moves by this fraction of the game area.
    void setShakeOffset(float value) { shakeOffset = value; }
    float getShakeOffset() const { return shakeOffset; }

    // The portrait game area the scenes draw into, pixels, from the bottom
    // left of the off-screen image; the application keeps it current.
    void setGameArea(int width, int height);
    // The 1440 x 1080 mode magnifies its image a little more; with a 16:9
    // play field turned a quarter, more again.
    void setResolutionBoost(bool is1440x1080, bool wideAspect);

    // Draws into the off-screen image from here...
    void beginFrame();
    // ...and composites it onto the window: centred, scaled by the buffer
    // scale, turned for the screen orientation, over an optional dimmed and
    // enlarged copy of itself.
    void endFrame();
    // Where a window pixel (x right and y down from the window's top-left
    // corner) falls on the game area as composited, normalised: 0..1 across
    // and 0..1 up the upright game area, whatever the orientation. False when
    // the pixel lies outside the game image.
    bool windowToGameArea(float x, float y, float& nx, float& ny) const;
    // The window rectangle the game image is composited into, whole pixels from the bottom left.
    void gameImageRect(int& left, int& bottom, int& width, int& height) const;

    // Draw calls of the last frame from beginFrame to the end of endFrame's
    // composite; what is drawn onto the window afterwards is not counted.
    int getFrameDrawCalls() const { return frameDrawCalls; }

    bool isGlslAvailable() const { return glslAvailable; }
    // The first shader source the mounted package lacks (a program needs its vertex and fragment
    // source as files in one of the two shader folders), or an empty text when it has them all.
    static std::string missingShaderSource();
    int getMainProgram() const { return mainProgram; }
    int getGameBgProgram() const { return gameBgProgram; }
    int getHdrProgram() const { return hdrProgram; }
    unsigned getBufferTexture() const { return bufferTexture; }
    ScreenOrientation getScreenOrientation() const { return screenOrientation; }
    int getScreenWidth() const { return screenWidth; }
    int getScreenHeight() const { return screenHeight; }
    float getBufferScaleX() const { return bufferScaleX; }
    int getBlendModeCached() const { return blendMode; }

    // Forgets every cached GL state, as after a new context; the next state
    // change of each kind reaches GL.
    void resetCaches();

  private:
    // Uniform locations of one program.
    struct ProgramUniforms {
        int modelViewProjection = -1;
        int normal = -1;
        int texture = -1;
        int texture1 = -1;
        int aberration = -1;
    };

    CXGfxManager() = default;
    // The window rectangle the game image is composited into, pixels from
    // the bottom left, and its magnification.
    struct CompositeRect {
        float left, bottom, width, height, scaleX, scaleY;
    };
    CompositeRect compositeRect() const;
    bool compileShader(unsigned type, const char* path, unsigned& shader);
    // Compiles and links the program `name` from the primary sources, or from
    // the alternate ones when those fail; `backgroundUniforms` also looks up
    // "texture1" and "abberation".
    bool loadProgram(const char* name, bool backgroundUniforms, int& program, ProgramUniforms& uniforms);
    void createHalfBuffer();
    const ProgramUniforms* uniformsOf(int program) const;
    void setCapability(bool& cached, bool on, unsigned capability);
    void setAttribArray(bool& cached, bool on, unsigned index);
    void draw(unsigned mode, int count, const float* positions, int positionStride, const float* colours,
              int colourStride, const float* texCoords, int texCoordStride, int texture, const Mat4& model,
              int program);

    bool blendOn = false;
    bool texCoordAttribOn = false;
    bool positionAttribOn = false;
    bool colourAttribOn = false;
    bool texCoordArrayOn = false;
    bool cullOn = false;
    bool depthOn = false;
    bool normalArrayOn = false;
    int blendMode = -1;
    int boundTexture = -1;
    int currentProgram = -1;
    const float* positionPointer = nullptr;
    const float* colourPointer = nullptr;
    const float* texCoordPointer = nullptr;
    int positionStride = -1;
    int colourStride = -1;
    int texCoordStride = -1;
    float bufferScaleX = 1.0f, bufferScaleY = 1.0f;  // on-screen magnification of the game image
    int screenWidth = 0, screenHeight = 0;           // window client size, pixels
    bool aberrationOn = false;
    float aberration = 0.0f;
    int renderWidth = 768, renderHeight = 1024;  // off-screen image size, pixels
    bool backgroundFill = false;
    float shakeOffset = 0.0f;  // fraction of the game area
    ScreenOrientation screenOrientation = ScreenUpright;
    bool glslAvailable = false;
    int mainProgram = -1;
    int gameBgProgram = -1;
    int hdrProgram = -1;
    ProgramUniforms mainUniforms, gameBgUniforms, hdrUniforms;
    unsigned framebuffer = 0;
    unsigned bufferTexture = 0;
    int bufferWidth = 0, bufferHeight = 0;  // off-screen image, pixels
    int gameAreaWidth = 450, gameAreaHeight = 600;
    bool is1440x1080 = false;
    bool wideAspect = false;
    Mat4 projection{};  // projection times view of the scene being drawn
    Mat4 mvp{};         // last model-view-projection
    Mat3 normalMatrix{};
    int drawCalls = 0;       // since beginFrame
    int frameDrawCalls = 0;  // the last finished frame's
};
