#pragma once

#include <string>
#include <vector>

#include "frontend/OXScnVLMenu.h"

class OXTextBox;

// The staff credits: the lines of a credits list rolling up the screen in
// their own font, from the bottom to beyond the top and round again. The
// roll starts over whenever the screen is entered; its button (0) stops it
// and returns to the main menu.
//
// A credits list is a dictionary whose "lines" array holds the lines in
// order; an empty string is a blank line and a line starting with "*" is a
// heading (shown lit, without the star). "followed by" names another list
// (as "credits") whose lines roll after these: the final credits are an
// epilogue followed by the staff credits.
class OXScnVLCredits : public OXScnVLMenu {
  public:
    static constexpr const char* kCreditsList = "assets/plist/credits.plist";
    // Rolled instead after the hidden last stage is cleared.
    static constexpr const char* kFinalCreditsList = "assets/plist/final_credits.plist";
    static constexpr const char* kCreditsFont = "assets/plist/font_atlas_credits";
    static constexpr float kLineGap = 44.0f;    // scene units between lines
    static constexpr float kRollSpeed = 0.06f;  // scene units per millisecond
    enum ButtonId { Back = 0 };

    explicit OXScnVLCredits(IXMenuHost& menuHost) : OXScnVLMenu(menuHost) {}
    void buildScene() override;
    bool enterStarted() override;
    void update(float dtMs) override;
    // The perspective camera seen from the far side of the roll, so its lines
    // read left to right.
    void setupCamera() override;
    void buttonPressed(int id) override;
    void backPressed() override;
    // Replaces the rolling lines with those of `listPath` in the font `fontPath`,
    // then of the lists it is followed by. A missing, empty or malformed list is
    // one console line and rolls what came before it; a font that cannot be
    // drawn leaves the roll empty. The screen works either way.
    void loadCredits(const std::string& listPath, const std::string& fontPath);
    int getLineCount() const { return static_cast<int>(lines.size()); }
    const OXTextBox* getLine(int index) const { return lines[static_cast<size_t>(index)]; }
    bool isRolling() const { return rolling; }
    float getRollOffset() const { return rollOffset; }

  private:
    void placeLines();
    void removeLines();
    // Adds the lines of one list; false when the font cannot draw them. `next` is the
    // list named by its "followed by", or empty.
    bool addLines(const std::string& listPath, const std::string& fontPath, std::string& next);

    std::vector<OXTextBox*> lines;  // owned through objects
    float rollOffset = 0.0f;        // how far the roll has risen, scene units
    bool rolling = false;
};
