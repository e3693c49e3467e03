#pragma once

#include <cstdint>
#include <vector>

#include "engine/IXTransformable.h"

class OXSprite;

// A screen: a transformable that owns two ordered lists of render objects,
// draws them with its own camera and viewport, routes keys and pointer
// touches to its selectable widgets and drives the selection highlight used
// for keyboard and joystick navigation.
class OXScene : public IXTransformable {
  public:
    OXScene();
    ~OXScene() override;

    // How a scene comes and goes. transitionIn and showWithTransition:
    // SlideFromLeft enters from the left, SlideFromRight from the right.
    // transitionOut: SlideToRight leaves to the right, SlideToLeft to the left.
    // All three: Tint tints from white to black; showWithTransition also has
    // FadeIn.
    enum TransitionStyle {
        SlideFromLeft = 0,
        SlideToLeft = 0,
        SlideFromRight = 1,
        SlideToRight = 1,
        Tint = 4,
        FadeIn = 5,
    };

    void draw() override;
    void update(float dtMs) override;
    virtual void buildScene() {}
    virtual void setupCamera();
    virtual void drawObjects();
    virtual void drawOverlays();
    virtual void buttonDown(int) {}
    virtual void buttonCancelled(int) {}
    virtual void buttonPressed(int) {}
    virtual bool enterFinished();
    virtual bool exitFinished();
    virtual bool enterStarted();
    virtual bool exitStarted() { return false; }
    virtual void backPressed() {}
    virtual void keyEvent(int key, bool down);
    // A character typed, as a Unicode code point, from the window's text events (backspace
    // comes as 8, return as 13, escape as 27). Only screens that take typed text use it.
    virtual void textEntered(uint32_t) {}
    // A game controller was plugged in (true) or unplugged (false) while this scene has the
    // focus: a screen waiting for a button stops waiting.
    virtual void controllerChanged(bool connected) { (void)connected; }
    // The names keys go by on screen changed (the player turned from the keyboard to a pad or
    // back): a screen showing key hints writes them again.
    virtual void keyNamesChanged() {}

    // load("") and then buildScene(): every scene is constructed, then init()ed.
    void init();
    // The scene takes ownership; null is ignored.
    void addObject(IXRenderObject* object);
    void addOverlay(IXRenderObject* object);
    // Not owned; normally also in the object list. Null is ignored.
    void addSelectable(IXRenderObject* object);
    void setHighlightSprite(const std::string& path);

    void setEye(float x, float y, float z) { eye = {x, y, z}; }
    void setCentre(float x, float y, float z) { centre = {x, y, z}; }
    void setOrthographicMode(bool on) { orthographic = on; }
    void setViewWidth(float width) { viewWidth = width; }
    void setViewHeight(float height) { viewHeight = height; }
    void setViewport(const Vec3& origin, const Vec3& extent);

    void selectPrevious();
    void selectNext();
    // A tap on the highlighted widget: touchBegan, then touchEnded.
    void acceptHighlighted();
    void placeHighlightOnFirst();
    // Pointer dispatch in coordinates normalised to the view (0..1); every
    // visible selectable under the point gets the call. True when any did.
    bool touchBeganAt(float nx, float ny);
    bool touchEndedAt(float nx, float ny);
    // The mouse, in coordinates normalised to the view (0..1, y up). A move
    // tells the selectables it enters and leaves (the highlight follows the
    // pointer onto the one it enters) and, while the button is held, tells
    // the widgets the press began on that the pointer moved. A press goes to
    // every visible selectable under the pointer; the release goes to the
    // same widgets, wherever the pointer then is, and they decide whether it
    // counts. True when a press reached any widget.
    void pointerMoved(float nx, float ny);
    bool pointerPressed(float nx, float ny);
    void pointerReleased(float nx, float ny);
    // Scene units of a point given in coordinates normalised to the view; in
    // perspective, on the plane z = 0 where the widgets stand.
    Vec3 viewPoint(float nx, float ny) const;

    void transitionIn(void* target, ActionCallback callback, TransitionStyle style);
    void transitionOut(TransitionStyle style);
    void showWithTransition(TransitionStyle style);

    bool isOrthographic() const { return orthographic; }
    const Vec3& getEye() const { return eye; }
    const Vec3& getCentre() const { return centre; }
    float getViewWidth() const { return viewWidth; }
    float getViewHeight() const { return viewHeight; }
    const Vec3& getViewportOrigin() const { return viewportOrigin; }
    const Vec3& getViewportSize() const { return viewportSize; }
    OXSprite* getHighlight() const { return highlight; }
    int getSelectedIndex() const { return selectedIndex; }
    const std::vector<IXRenderObject*>& getObjects() const { return objects; }
    const std::vector<IXRenderObject*>& getSelectables() const { return selectables; }

    int acceptKey = 2;  // game key codes; the front end replaces accept and back
    int backKey = 1;    // with the player's bindings
    int upKey = 30;
    int downKey = 31;
    int leftKey = 28;
    int rightKey = 29;

  protected:
    void moveHighlightOnto(IXRenderObject* selectable);
    void resetSelectables();
    void slideFrom(float startX, float distance, void* target, ActionCallback callback);

    std::vector<IXRenderObject*> objects;      // owned, drawn first
    std::vector<IXRenderObject*> overlays;     // owned, drawn after the objects
    std::vector<IXRenderObject*> selectables;  // not owned
    bool orthographic = true;
    Vec3 eye{160, 240, -100};     // camera position, scene units
    Vec3 centre{160, 240, 1000};  // point looked at, scene units
    float viewWidth = 320.0f;     // visible extent, scene units
    float viewHeight = 480.0f;
    Vec3 viewportOrigin{0, 0, 0};    // GL viewport, pixels
    Vec3 viewportSize{320, 480, 0};  // width and height in x and y
    OXSprite* highlight = nullptr;   // owned through objects
    int selectedIndex = 0;           // index into selectables
    // The mouse, per selectable (same order): under the pointer, and holding
    // the press that began on it.
    std::vector<char> pointerOver;
    std::vector<char> pointerHolds;
    bool pointerDown = false;
};
