// The front-end screens on a stand-in host, for the choices the end-to-end menu runs
// (menu_route, menu_screens: title, arcade, a first and a later game, credits, options) do not
// take: the bonus modes, casual play, free play's stage select, the fighters, the tutorial,
// and bad content.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "MenuTestHost.h"
#include "data/AssetPackage.h"
#include "data/CXUserProfile.h"
#include "engine/CXGfxManager.h"
#include "engine/Matrix.h"
#include "engine/OXButton.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "frontend/MenuScenes.h"
#include "frontend/OXScnDefaultBg.h"
#include "fx/OXVolleyBg.h"
#include "stg/game/CXGameSession.h"
#include "tests/stg/game/GameTestSupport.h"
#include "tests/support/TestFiles.h"

namespace {

class MenuFlowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gametest::packageMounted());
        setGLDevice(&device);
        CXGfxManager::instance().resetCaches();
    }
    void TearDown() override { setGLDevice(nullptr); }

    // Builds a screen as the application does and shows it.
    template <typename Screen>
    Screen& enter(Screen& screen) {
        testing::internal::CaptureStdout();
        screen.init();
        screen.setViewWidth(768);
        screen.setViewHeight(1024);
        screen.setEye(384, 512, 100);
        screen.setHighlightSprite("assets/plist/spr_select_highlight");
        screen.acceptKey = 2;
        screen.backKey = 1;
        screen.enterStarted();
        screen.enterFinished();
        testing::internal::GetCapturedStdout();
        return screen;
    }
    static void accept(OXScene& screen) {
        screen.keyEvent(screen.acceptKey, true);
        screen.keyEvent(screen.acceptKey, false);
    }
    static void key(OXScene& screen, int code) {
        screen.keyEvent(code, true);
        screen.keyEvent(code, false);
    }
    RecordingGLDevice device;
    MenuTestHost host;
    CXGameSession& session = CXGameSession::instance();
};

TEST_F(MenuFlowTest, MainAndBonusChooseTheModeOnTheWayToTheModeSelect) {
    OXScnVLMain main(host);
    enter(main);
    host.choices.mode = GameMode::BossRush;
    accept(main);  // ARCADE, the first button
    EXPECT_EQ(host.choices.mode, GameMode::Arcade);
    OXScnVLBonus bonus(host);
    enter(bonus);
    accept(bonus);
    EXPECT_EQ(host.choices.mode, GameMode::BossRush);
    key(bonus, bonus.downKey);
    accept(bonus);
    EXPECT_EQ(host.choices.mode, GameMode::FreePlay);
    EXPECT_EQ(host.switches, (std::vector<int>{kModeSelectScene, kModeSelectScene, kModeSelectScene}));
}

TEST_F(MenuFlowTest, ThePlayStyleIsSetAndFreePlayGoesOnToTheStageSelect) {
    for (GameMode mode : {GameMode::Arcade, GameMode::FreePlay}) {
        host.choices.mode = mode;
        host.choices.casual = false;
        host.switches.clear();
        OXScnVLModeSelect modes(host);
        enter(modes);
        accept(modes);  // CASUAL, the first button
        EXPECT_TRUE(host.choices.casual);
        EXPECT_EQ(host.switches,
                  std::vector<int>{mode == GameMode::FreePlay ? kStageSelectScene : kDifficultyScene});
    }
}

TEST_F(MenuFlowTest, StagesTheCampaignLacksAreShownGreyAndCannotBeChosen) {
    host.choices.mode = GameMode::FreePlay;
    OXScnVLFreePlay stages(host);
    enter(stages);
    const int playable = stages.getPlayableStages();
    ASSERT_GE(playable, 1) << "the campaign holds the first stage at least";
    if (playable == OXScnVLFreePlay::kStageCount) {
        GTEST_SKIP() << "the campaign holds every stage";
    }
    for (int stage = playable; stage < OXScnVLFreePlay::kStageCount; ++stage) {
        EXPECT_TRUE(stages.getStageButton(stage)->isVisible());
        EXPECT_EQ(stages.getStageButton(stage)->getState(), OXButton::Disabled);
    }
    ASSERT_NE(stages.getLockedHint(0), nullptr) << "a locked stage says why it is locked";
    EXPECT_TRUE(stages.getLockedHint(0)->isVisible());
    stages.buttonPressed(OXScnVLFreePlay::kStageCount - 1);  // a locked stage: nothing
    EXPECT_TRUE(host.switches.empty());
    // The campaign's last stage is offered and taken.
    for (int stage = 1; stage < playable; ++stage) {
        key(stages, stages.downKey);
    }
    accept(stages);
    EXPECT_EQ(host.choices.freePlayStage, playable - 1);
    EXPECT_EQ(host.switches, std::vector<int>{kDifficultyScene});
}

TEST_F(MenuFlowTest, TheHiddenStageIsOfferedOnceAGameHasReachedIt) {
    host.choices.mode = GameMode::FreePlay;
    {
        OXScnVLFreePlay stages(host);
        enter(stages);
        EXPECT_EQ(stages.getHiddenStageButton(), nullptr) << "a secret until found";
    }
    host.userProfile.hiddenStageReached = true;
    OXScnVLFreePlay stages(host);
    enter(stages);
    if (stages.getPlayableStages() < OXScnVLFreePlay::kStageCount) {
        GTEST_SKIP() << "the campaign does not hold the fifth stage";
    }
    ASSERT_NE(stages.getHiddenStageButton(), nullptr);
    // Below the fifth stage, above BACK.
    for (int stage = 1; stage <= OXScnVLFreePlay::kStageCount; ++stage) {
        key(stages, stages.downKey);
    }
    accept(stages);
    EXPECT_EQ(host.choices.freePlayStage, CXGameSession::kHiddenStageChoice);
    EXPECT_EQ(host.switches, std::vector<int>{kDifficultyScene});
}

TEST_F(MenuFlowTest, BackFromTheDifficultyReturnsToTheStageSelectOnlyInFreePlay) {
    host.userProfile.timesPlayed = 1;
    for (GameMode mode : {GameMode::FreePlay, GameMode::Arcade, GameMode::BossRush}) {
        host.choices.mode = mode;
        OXScnVLDifficulty difficulty(host);
        enter(difficulty);
        host.switches.clear();
        key(difficulty, difficulty.backKey);
        EXPECT_EQ(host.switches,
                  std::vector<int>{mode == GameMode::FreePlay ? kStageSelectScene : kMainScene})
            << "mode " << storedNumber(mode);
    }
}

TEST_F(MenuFlowTest, TheTutorialTurnsItsPagesBothWaysNamesTheBoundKeysAndLeaves) {
    constexpr int kPages = OXScnTutorialPC::kPageCount;
    host.userProfile.controls[1] = 9;  // the beam
    std::vector<int> pictures[2];
    for (bool casual : {true, false}) {
        host.choices.casual = casual;
        OXScnTutorialPC tutorial(host);
        enter(tutorial);
        ASSERT_EQ(tutorial.getPage(), 0);
        // Right turns every page and stops on the last; no line runs off the screen.
        bool beamNamed = false;
        for (int turn = 0; turn <= kPages; ++turn) {
            pictures[casual ? 1 : 0].push_back(tutorial.getFrame());
            for (int line = 0; line < OXScnTutorialPC::kLines; ++line) {
                const OXTextBox* text = tutorial.getLine(line);
                beamNamed = beamNamed || text->getText().find("KEY9") != std::string::npos;
                EXPECT_LE(text->getX() + text->textWidth(), 672.0f) << text->getText();
            }
            key(tutorial, tutorial.rightKey);
        }
        EXPECT_EQ(tutorial.getPage(), kPages - 1);
        EXPECT_TRUE(beamNamed) << "the lines name the key bound to the beam";
        for (int turn = 0; turn <= kPages; ++turn) {
            key(tutorial, tutorial.leftKey);
        }
        EXPECT_EQ(tutorial.getPage(), 0);

        // The accept key turns the pages too, and on the last page leaves; back leaves at once.
        host.switches.clear();
        for (int turn = 1; turn < kPages; ++turn) {
            accept(tutorial);
        }
        EXPECT_EQ(tutorial.getPage(), kPages - 1);
        EXPECT_TRUE(host.switches.empty());
        accept(tutorial);
        EXPECT_EQ(host.switches, std::vector<int>{kDifficultyScene});
        enter(tutorial);
        EXPECT_EQ(tutorial.getPage(), 0) << "a new visit starts on the first page";
        key(tutorial, tutorial.rightKey);
        key(tutorial, tutorial.backKey);
        EXPECT_EQ(host.switches.back(), kDifficultyScene);
    }
    EXPECT_NE(pictures[0], pictures[1]) << "casual play is shown its laser, normal play its counter";
}

TEST_F(MenuFlowTest, EachFighterSetsItsWeaponSystemAndStartsTheStage) {
    for (int downs = 0; downs < 3; ++downs) {
        host.userProfile.weapon = host.userProfile.missiles = host.userProfile.options = 3;
        host.stageStarts = 0;
        OXScnVLFighterSelect fighters(host);
        enter(fighters);
        accept(fighters);  // the note's OK
        EXPECT_EQ(host.stageStarts, 0);
        for (int i = 0; i < downs; ++i) {
            key(fighters, fighters.downKey);
        }
        accept(fighters);
        EXPECT_EQ(host.stageStarts, 1);
        EXPECT_EQ(host.userProfile.weapon, downs == 0 ? 1 : 0);
        EXPECT_EQ(host.userProfile.missiles, downs == 1 ? 1 : 0);
        EXPECT_EQ(host.userProfile.options, downs == 2 ? 1 : 0);
    }
}

// A closed first-run note leaves nothing on screen or in the keys' way: its OK is neither
// drawn nor reached, however long the screen runs and wherever the cursor goes.
TEST_F(MenuFlowTest, AClosedFirstRunNoteLeavesNothingBehind) {
    OXScnVLDifficulty difficulty(host);  // a new player: both screens show their note
    OXScnVLFighterSelect fighters(host);
    for (OXScnVLMenu* screen :
         {static_cast<OXScnVLMenu*>(&difficulty), static_cast<OXScnVLMenu*>(&fighters)}) {
        enter(*screen);
        ASSERT_TRUE(screen->isNoteShown());
        const IXRenderObject* ok = screen->getSelectables()[static_cast<size_t>(screen->getSelectedIndex())];
        for (int frame = 0; frame < 20; ++frame) {
            screen->update(16.7f);  // OK wears the highlighted look, as under a player's cursor
        }
        accept(*screen);
        ASSERT_FALSE(screen->isNoteShown());
        for (size_t step = 0; step < screen->getSelectables().size() * 2; ++step) {
            screen->update(16.7f);
            EXPECT_FALSE(ok->isVisible()) << "step " << step;
            EXPECT_NE(screen->getSelectables()[static_cast<size_t>(screen->getSelectedIndex())], ok);
            key(*screen, screen->downKey);
        }
    }
}

// Back from a screen, a menu puts the cursor where the player left it, not on its first
// button; a button hidden since then gives way to the next one shown.
TEST_F(MenuFlowTest, AMenuPutsTheCursorBackWhereItWasLeft) {
    host.userProfile.autoTrance = true;
    OXScnVLOption options(host);
    enter(options);
    const auto highlighted = [&options] { return options.getSelectables()[options.getSelectedIndex()]; };
    while (highlighted() != options.getToggle(OXScnVLOption::AutoTranceOn)) {
        key(options, options.downKey);
    }
    for (bool autoTrance : {true, false}) {  // switched off while away the second time
        options.transitionOut(OXScene::SlideToLeft);
        host.userProfile.autoTrance = autoTrance;
        options.transitionIn(nullptr, nullptr, OXScene::SlideFromLeft);
        options.enterFinished();
        EXPECT_EQ(highlighted(),
                  options.getToggle(autoTrance ? OXScnVLOption::AutoTranceOn : OXScnVLOption::AutoTranceOff));
    }
}

// At 640 x 480 a text below the menus' smallest size is too small to read, and a 16:9 view
// sees only x 96 to 672 of the scene: every text and button of these screens is both, on every
// tutorial page and whichever hangar row is highlighted.
TEST_F(MenuFlowTest, EveryTextIsReadableAndEverythingFitsA16By9View) {
    // A later player at their fullest: a game just ended on a record, the longest rank name,
    // experience still to count and points in four figures.
    testfiles::TempDir folder;
    host.userProfile.setPath(folder.file("profile/save.osf"));
    session.setProfile(&host.userProfile);
    session.setScreenSize(450, 600);
    testing::internal::CaptureStdout();
    session.startGame(CXGameSession::kArcadeLevelList, 0);
    session.markReadyToStart();
    session.tick(16.7f);
    session.run().setScore(987654321);
    session.endGame();
    host.lastResult = session.getLastResult();
    session.tearDown();
    session.setProfile(nullptr);
    testing::internal::GetCapturedStdout();
    earnExperience(host.userProfile, 3, 3000, 2500);  // "flight lieutenant"
    host.userProfile.upgradePoints = 9999;

    const auto fits = [](float centre, float width) {
        return centre - width * 0.5f >= 95.5f && centre + width * 0.5f <= 672.5f;
    };
    for (int index : {kTitleScene, kMainScene, kBonusScene, kModeSelectScene, kStageSelectScene,
                      kDifficultyScene, kHighScoreScene, kOptionScene, kFighterSelectScene, kTutorialScene,
                      kHangarScene, kOptionControlScene, kResultsScene, kInputTestScene}) {
        OXScene* screen = makeMenuScene(index, host);
        enter(*screen);
        const int views = index == kTutorialScene ? OXScnTutorialPC::kPageCount
                          : index == kHangarScene ? HangarUpgrades::kItemCount + 1
                                                  : 1;
        for (int view = 0; view < views; ++view) {
            screen->update(16.7f);
            for (const IXRenderObject* object : screen->getObjects()) {
                const auto* button = dynamic_cast<const OXButton*>(object);
                const auto* text = button ? button->getLabel() : dynamic_cast<const OXTextBox*>(object);
                if (button) {
                    EXPECT_TRUE(fits(button->getX(),
                                     button->getSize().x * button->getScale().x * button->getUniformScale()))
                        << "screen " << index << ", button " << button->getId();
                }
                if (!text || text->getText().empty() || !object->isVisible()) {
                    continue;
                }
                // Alignment 0 starts the text at its x, 1 centres it there, 2 ends it there.
                const float width = static_cast<float>(text->getCharSize() * text->getText().size()) * 0.5f;
                const float centre =
                    (button ? button->getX() : text->getX()) + width * 0.5f * (1 - text->getAlignment());
                EXPECT_GE(text->getCharSize(), OXScnVLMenu::kSmallestTextSize)
                    << "\"" << text->getText() << "\"";
                EXPECT_TRUE(fits(centre, width)) << "screen " << index << ", \"" << text->getText() << "\"";
            }
            key(*screen, index == kTutorialScene ? screen->rightKey : screen->downKey);
        }
        delete screen;
    }
}

// The credits roll in perspective, where the view spans 828 of the scene's units in height and,
// at 16:9, 466 across: every line lies whole within the view.
TEST_F(MenuFlowTest, TheCreditsRollWholeInA16By9View) {
    OXScnVLCredits credits(host);
    enter(credits);
    credits.setViewWidth(576);  // as the application aims it at 16:9
    credits.setEye(576, 1024, -1000);
    credits.setCentre(576, 1024.1f, 1000);
    credits.setOrthographicMode(false);
    credits.setupCamera();
    const Mat4& view = CXGfxManager::instance().getProjection();
    struct Point {
        float x, y;
    };
    const auto onScreen = [&view](float x, float y) {  // -1 to 1 across and up the view
        const float w = view[3] * x + view[7] * y + view[15];
        return Point{(view[0] * x + view[4] * y + view[12]) / w, (view[1] * x + view[5] * y + view[13]) / w};
    };
    ASSERT_GT(credits.getLineCount(), 10);
    for (const IXRenderObject* object : credits.getObjects()) {
        const auto* button = dynamic_cast<const OXButton*>(object);
        const auto* text = button ? button->getLabel() : dynamic_cast<const OXTextBox*>(object);
        if (!text || text->getText().empty()) {
            continue;
        }
        const float glyph = static_cast<float>(text->getCharSize()) * 0.5f;
        const float width = glyph * static_cast<float>(text->getText().size());
        const float centre = button ? button->getX() : text->getX();
        const Point left = onScreen(centre - width * 0.5f, 500);
        const Point right = onScreen(centre + width * 0.5f, 500);
        EXPECT_LE(std::max(std::fabs(left.x), std::fabs(right.x)), 1.0f) << "\"" << text->getText() << "\"";
    }
}

// The credits against lists made for the test, beside the game's own package.
class CreditsTest : public MenuFlowTest {
  protected:
    static void SetUpTestSuite() {
        folder = new testfiles::TempDir();
        const std::string head = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
        testfiles::makeZipPackage(
            folder->file("credits.oap"),
            {{"assets/plist/test_credits_empty.plist",
              head + "<dict><key>lines</key><array/></dict></plist>"},
             {"assets/plist/test_credits_broken.plist", head + "<dict><key>lines</key><array><string>A"},
             {"assets/plist/test_credits_self.plist",
              head + "<dict><key>lines</key><array><string>A</string></array>"
                     "<key>followed by</key><string>test_credits_self</string></dict></plist>"},
             {"assets/plist/test_font_no_texture.plist",
              head +
                  "<dict><key>fontWidth</key><integer>32</integer><key>fontHeight</key><integer>32</integer>"
                  "<key>filename</key><string>no_such_font.png</string></dict></plist>"}});
        testing::internal::CaptureStdout();
        mountAssetPackage(folder->file("credits.oap"));
        testing::internal::GetCapturedStdout();
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    // Lines the screen printed, without the texture manager's notes of textures let go.
    static std::vector<std::string> linesIn(const std::string& text) {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
            const std::string line = text.substr(start, end - start);
            if (line.rfind("removing texture", 0) != 0 && line.rfind("DELETING TEXTURE", 0) != 0 &&
                line.find_first_not_of("=") != std::string::npos) {
                lines.push_back(line);
            }
            start = end + 1;
        }
        return lines;
    }
    static testfiles::TempDir* folder;
};
testfiles::TempDir* CreditsTest::folder = nullptr;

TEST_F(CreditsTest, TheFinalCreditsRollTheirEpilogueThenTheStaffCredits) {
    OXScnVLCredits credits(host);
    enter(credits);
    const int staff = credits.getLineCount();
    ASSERT_GT(staff, 0);
    credits.loadCredits(OXScnVLCredits::kFinalCreditsList, OXScnVLCredits::kCreditsFont);
    const int epilogue = credits.getLineCount() - staff;
    ASSERT_GT(epilogue, 0);
    EXPECT_EQ(credits.getLine(epilogue)->getText(), "VORTALIS 2") << "the staff credits follow the epilogue";
    // A list that names itself rolls once, not for ever.
    credits.loadCredits("assets/plist/test_credits_self.plist", OXScnVLCredits::kCreditsFont);
    EXPECT_EQ(credits.getLineCount(), 4);
}

TEST_F(CreditsTest, BadCreditsCostOneConsoleLineAndTheScreenStillWorks) {
    const struct {
        const char* list;
        const char* font;
        size_t loaderLines;  // what the asset loader says of a missing file, before the screen
    } cases[] = {
        {"assets/plist/test_credits_empty.plist", OXScnVLCredits::kCreditsFont, 0},
        {"assets/plist/test_credits_broken.plist", OXScnVLCredits::kCreditsFont, 0},
        {"assets/plist/no_such_credits.plist", OXScnVLCredits::kCreditsFont, 0},
        {OXScnVLCredits::kCreditsList, "assets/plist/test_font_no_texture", 2},
    };
    for (const auto& c : cases) {
        host.switches.clear();
        OXScnVLCredits credits(host);
        enter(credits);
        testing::internal::CaptureStdout();
        credits.loadCredits(c.list, c.font);
        const std::string said = testing::internal::GetCapturedStdout();
        EXPECT_EQ(credits.getLineCount(), 0) << c.list;
        EXPECT_EQ(linesIn(said).size(), c.loaderLines + 1) << said;
        for (int frame = 0; frame < 10; ++frame) {
            credits.tick(16.7f);
        }
        accept(credits);
        EXPECT_EQ(host.switches, std::vector<int>{kMainScene}) << c.list;
    }
}

TEST_F(MenuFlowTest, TheMenuBackgroundShowsEveryLayerWithItsKeys) {
    OXScnDefaultBg background;
    background.init();
    background.setViewWidth(768);
    background.setViewHeight(1024);
    background.loadBackground("assets/plist/gd_credits.plist");
    ASSERT_GE(background.getLayerCount(), 1);
    EXPECT_TRUE(background.getLayer(0)->isVisible());
    EXPECT_FLOAT_EQ(background.getLayer(0)->getScale().x, 2.0f) << "\"scale x\" is read";
}

}  // namespace
