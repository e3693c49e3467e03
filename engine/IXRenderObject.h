#pragma once

#include <string>

#include "engine/Matrix.h"
#include "engine/Vector.h"

// The root of everything that is updated and drawn: a transform, a colour, a
// blend mode, an optional texture and shader program, a parent link and the
// model matrix built from them. Drawn as one textured unit quad centred on
// its position and `size` units across.
class IXRenderObject {
  public:
    IXRenderObject() = default;
    IXRenderObject(const IXRenderObject&) = delete;
    IXRenderObject& operator=(const IXRenderObject&) = delete;
    virtual ~IXRenderObject();

    // Resets every field to its default and makes the object visible and
    // active. Subclasses read their data from `path` here.
    virtual void load(const std::string& path);
    virtual void resetActions() {}
    virtual void setBlendMode(int mode) { blendMode = mode; }
    virtual void updateMatrix();
    virtual void setParent(IXRenderObject* newParent) { parent = newParent; }
    virtual IXRenderObject* getParent() { return parent; }
    // Pointer events, in scene units.
    virtual void touchBegan(float, float) {}
    virtual void touchCancelled(float, float) {}
    virtual void touchEntered(float, float) {}
    virtual void touchExited(float, float) {}
    virtual void touchEnded(float, float) {}
    virtual void draw();
    // Once per frame: update then rebuild the matrix, only while active.
    virtual void tick(float dtMs);
    virtual void update(float) {}

    bool isVisible() const { return visible; }
    void setVisible(bool value) { visible = value; }
    bool isActive() const { return active; }
    void setActive(bool value) { active = value; }
    const Vec3& getPosition() const { return position; }
    void setPosition(float x, float y, float z) { position = {x, y, z}; }
    void setPosition(const Vec3& p) { position = p; }
    float getX() const { return position.x; }
    float getY() const { return position.y; }
    void setX(float x) { position.x = x; }
    void setY(float y) { position.y = y; }
    void setZ(float z) { position.z = z; }
    const Vec3& getRotation() const { return rotation; }
    void setRotation(float x, float y, float z) { rotation = {x, y, z}; }
    const Vec3& getSize() const { return size; }
    void setSize(float x, float y, float z) { size = {x, y, z}; }
    const Vec3& getScale() const { return scale; }
    void setScale(float x, float y, float z) { scale = {x, y, z}; }
    const Colour& getColour() const { return colour; }
    void setColour(float r, float g, float b, float a) { colour = {r, g, b, a}; }
    float getAlpha() const { return colour.a; }
    void setAlpha(float alpha) { colour.a = alpha; }
    float getHitScale() const { return hitScale; }
    void setHitScale(float value) { hitScale = value; }
    float getUniformScale() const { return uniformScale; }
    void setUniformScale(float value) { uniformScale = value; }
    int getBlendMode() const { return blendMode; }
    int getTextureId() const { return textureId; }
    const Mat4& getMatrix() const { return matrix; }
    void setProgram(int handle) { program = handle; }
    void clearParent() { parent = nullptr; }

    // Takes (or shares) the texture `name` from the texture manager and sizes
    // the object to the image; false when it could not be loaded. A texture
    // the object held is released first.
    bool setTexture(const std::string& name, bool linearMin = true, bool linearMag = true);

    // Hit tests in x and y on the object's own position (z is ignored).
    // Point inside the hit extent, edges included.
    bool containsPoint(float x, float y) const;
    // Circles whose radii come from the x extents.
    bool overlaps(const IXRenderObject* other) const;
    bool overlapsCircle(const Vec3& point, float radius) const;

  protected:
    int textureId = -1;                // retained texture manager id, -1 for none
    bool flag = false;                 // spare flag for subclasses
    bool visible = false;              // drawn only when true
    bool active = false;               // ticked only when true
    int blendMode = 0;                 // one of the graphics manager's blend modes
    Vec3 position{};                   // scene units, y up
    Vec3 rotation{};                   // degrees about x, y, z
    Vec3 size{1, 1, 1};                // base extent of the quad, scene units
    Vec3 scale{1, 1, 1};               // multiplier on size
    Colour colour{};                   // RGBA; alpha is what fades act on
    float hitScale = 1.0f;             // extent multiplier for hit tests only
    float uniformScale = 1.0f;         // multiplier on all three axes of the drawn extent
    Mat4 matrix{};                     // model matrix, world = parent * local
    IXRenderObject* parent = nullptr;  // not owned
    int program = -1;                  // shader program, -1 for the default one
};
