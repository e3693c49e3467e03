#pragma once

#include "engine/OXScene.h"

class OXSprite;
class OXTextBox;

// The stage title and the boss warning, each shown for a moment over the
// stage; the scene hides itself when neither is up.
class OXScnBaseSplash : public OXScene {
  public:
    static constexpr float kFadeInMs = 400.0f;
    static constexpr float kStageShownMs = 2400.0f;    // from the start of the fade-in
    static constexpr float kWarningShownMs = 3000.0f;  // from the start of the fade-in
    static constexpr float kFadeOutMs = 400.0f;

    void buildScene() override;
    void update(float dtMs) override;
    // "STAGE n" for the stage of index `index` (0 is "STAGE 1").
    void showStage(int index);
    void showBossWarning();

    const OXTextBox* getStageText() const { return stageText; }
    const OXTextBox* getWarningText() const { return warningText; }

  private:
    // Fades a part out and hides it when the fade ends.
    static void fadeAway(IXTransformable& part);

    OXSprite* stageBand = nullptr;  // all owned through objects
    OXTextBox* stageText = nullptr;
    OXSprite* warningBand = nullptr;
    OXTextBox* warningText = nullptr;
    float stageLeft = 0.0f;    // ms the stage title stays
    float warningLeft = 0.0f;  // ms the warning stays
};
