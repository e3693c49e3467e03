#pragma once

#include <string>
#include <vector>

#include "data/Plist.h"
#include "engine/OXScene.h"
#include "engine/VisibilityOptions.h"
#include "fx/FlashRule.h"

class OXSprite;
class OXVolleyBg;

// The layered background behind a stage: the "bg %d" layers of the stage
// file, shown, faded, moved and turned by its "stage anim data" script on the
// stage clock; the boss-event layers that replace them while a boss shows its
// event; a black bar under the field and a flash sprite for bosses; and the
// tints the game scene puts on the whole background.
//
// Set the camera (view width and height) before loading: layers are placed
// as fractions of the view.
class OXScnBaseSTGBackground : public OXScene {
  public:
    // What a script command does; the file names them by "type".
    enum CommandKind {
        FadeCommand,               // "fade"
        FadeOutCommand,            // "fade out"
        TranslateCommand,          // "translate"
        TranslateRelativeCommand,  // "translate relative"
        TranslateOutCommand,       // "translate out"
        RotateCommand,             // "rotate"
        RotateRelativeCommand,     // "rotate relative"
        FadeGlareCommand,          // "fade glare"
        FadeOutGlareCommand,       // "fade out glare"
        UnknownCommand,
    };
    // The command a script's "type" names; UnknownCommand for a name the script does not know.
    static CommandKind commandKind(const std::string& type);

    // One entry of "stage anim data", read once at load.
    struct AnimCommand {
        std::string type;
        CommandKind kind = UnknownCommand;
        float time = -1.0f;                        // stage ms at which it starts; -1 when the script is over
        float duration = -1.0f;                    // ms of each of its animations
        std::vector<int> in;                       // layer indices brought in
        std::vector<int> out;                      // layer indices taken out
        float relativeX = 0.0f, relativeY = 0.0f;  // fractions of the view
        float rotateX = 0.0f, rotateY = 0.0f, rotateZ = 0.0f;  // degrees
    };

    OXScnBaseSTGBackground();
    ~OXScnBaseSTGBackground() override;

    // Reads `path` + ".plist": the bar and flash sprites, the layers, "start bg"
    // and the script. A missing or malformed file is reported and leaves the
    // scene without layers.
    void loadStageBackground(const std::string& path);
    // The boss-event layers of `path` + ".plist" (rotation defaults to 0); hidden until a boss event.
    void loadEventBackground(const std::string& path);
    // The script, the flash tint and the scene, all with `dtMs`.
    void update(float dtMs) override;
    // The stage clock the script follows, ms.
    void setStageTime(float ms) { stageTime = ms; }
    // The whole background is tinted `colour` and returns to white over `durationMs`. Every tint
    // passes the flash rule first: it may colour and darken, but lighten only a little.
    void flashTint(const Colour& colour, float durationMs);
    // Darkens to `dark` over `darkMs`, then brightens from `bright` to white over `brightMs`.
    void flashTintTwoStep(const Colour& dark, float darkMs, const Colour& bright, float brightMs);
    // The event layers replace the stage layers, with a bright flash.
    void showBossEvent();
    // The stage layers of `currentLayers` come back.
    void endBossEvent();
    // Whether each finished command records the visible layers as the ones a boss event restores (on by
    // default).
    void setRecordCurrentLayers(bool value) { recordCurrentLayers = value; }

    int layerCount() const { return static_cast<int>(layers.size()); }
    OXVolleyBg* getLayer(int index) const;
    int eventLayerCount() const { return static_cast<int>(eventLayers.size()); }
    OXVolleyBg* getEventLayer(int index) const;
    int commandCount() const { return static_cast<int>(animData.size()); }
    // The command waiting or running; time -1 once the script is over.
    const AnimCommand& currentCommand() const;
    int getAnimIndex() const { return animIndex; }
    bool isBusy() const { return busy; }
    bool isFadedIn() const { return fadedIn; }
    bool isEventShown() const { return eventShown; }
    float getStageTime() const { return stageTime; }
    const Colour& getFlashColour() const { return flashColour; }
    // The scene's colour times the flash tint: what every layer is multiplied by.
    const Colour& getLayerTint() const { return layerTint; }
    OXSprite* getFlashSprite() const { return flashSprite; }
    // Read at each draw: the layers are drawn darker by the options' background dimming. Not
    // owned; null for none.
    void setVisibility(const VisibilityOptions* chosen) {
        visibility = chosen;
        flashRule.setVisibility(chosen);
    }
    // What every flash of the stage may do: the washes here, and the veils and glows the game
    // scene and the HUD put over the field.
    FlashRule& getFlashRule() { return flashRule; }
    // The tint the layers were last drawn with: the layer tint, dimmed.
    const Colour& getDrawnTint() const { return drawnTint; }
    void drawObjects() override;
    OXSprite* getBarSprite() const { return barSprite; }

  protected:
    // One leg of the flash tint: from one colour to another over a time.
    struct TintLeg {
        Colour from;
        Colour to;
        float durationMs = 0.0f;
    };

    bool readBackgroundFile(const std::string& file, Plist::Dictionary& out) const;
    void loadLayers(const Plist::Dictionary& file, std::vector<OXVolleyBg*>& into, float rotationDefault,
                    const char* labelPrefix);
    void readScript(const Plist::Dictionary& file);
    void showStartLayers(const std::string& startBg);
    void runScript();
    void startCommand(const AnimCommand& command);
    void finishCommand();
    void loadNextCommand();
    void recordVisibleLayers();
    void advanceFlash(float dtMs);
    void refreshLayerTint();
    OXVolleyBg* layerAt(int index) const;
    static bool commandDone(void* scene, int);
    static bool eventFadeDone(void* scene, int);

    std::vector<OXVolleyBg*> layers;       // owned through the object list, in file order
    std::vector<OXVolleyBg*> eventLayers;  // owned through the object list
    std::vector<AnimCommand> animData;
    int animIndex = 0;        // the next command to load
    int runningCommand = -1;  // index into animData of the current command, -1 for none
    float stageTime = 0.0f;   // ms
    bool busy = false;
    bool fadedIn = false;
    bool eventShown = false;
    std::string currentLayers;  // "%d " per layer a boss event restores
    bool recordCurrentLayers = true;
    const VisibilityOptions* visibility = nullptr;
    FlashRule flashRule;
    Colour drawnTint{};               // what the layers read while they draw
    OXSprite* flashSprite = nullptr;  // owned through the overlay list
    OXSprite* barSprite = nullptr;    // owned through the object list
    float sceneWidth = 320.0f;        // the view at load, scene units
    float sceneHeight = 480.0f;
    OXVolleyBg* eventFadedLayer = nullptr;  // the stage layer the boss event fades out
    float alphaBeforeEvent = 1.0f;
    Colour flashColour{};  // the flash tint now
    TintLeg flashLegs[2];  // the legs still to run, the first one running
    int flashLegCount = 0;
    float flashElapsed = 0.0f;  // ms into the running leg
    Colour layerTint{0, 0, 0, 1};
};
