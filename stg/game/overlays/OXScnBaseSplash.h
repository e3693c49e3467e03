#pragma once

#include <array>
#include <string>

#include "engine/OXScene.h"

class OXSprite;
class OXTextBox;

// The stage title ("STAGE" and the stage's number over a band of light) and the boss warning
// ("WARNING" over a hazard band), each shown for a moment over the stage; the scene hides
// itself when neither is up.
class OXScnBaseSplash : public OXScene {
  public:
    static constexpr float kFadeInMs = 400.0f;
    static constexpr float kStageShownMs = 2400.0f;    // from the start of the fade-in
    static constexpr float kWarningShownMs = 3000.0f;  // from the start of the fade-in
    static constexpr float kFadeOutMs = 400.0f;

    void buildScene() override;
    void update(float dtMs) override;
    // The title of the stage of index `index`: the number sprite shows frame `index` ("1" for 0).
    // "STAGE" and its number, with the stage's title (when it has one) beneath.
    void showStage(int index, const std::string& title);
    void showBossWarning();

    const OXSprite* getStageNumber() const { return stageNumber; }
    const OXSprite* getWarningWord() const { return warningWord; }
    const OXTextBox* getStageTitle() const { return stageTitle; }

  private:
    // Fades a part out and hides it when the fade ends.
    static void fadeAway(IXTransformable& part);
    // The stage title's parts, shown and faded together.
    std::array<IXTransformable*, 4> stageParts() const;

    OXSprite* stageBand = nullptr;  // all owned through objects
    OXSprite* stageWord = nullptr;
    OXSprite* stageNumber = nullptr;
    OXSprite* warningBand = nullptr;
    OXSprite* warningWord = nullptr;
    OXTextBox* stageTitle = nullptr;
    float stageLeft = 0.0f;    // ms the stage title stays
    float warningLeft = 0.0f;  // ms the warning stays
};
