// orvale-check: checks a package's content the way the game reads it.
//
//   orvale-check [--loading-lines FILE] PACKAGE [MORE...]
//
// Each argument is a package (data.oap) or a folder laid out like one ("assets/plist/..."); when
// several are given, a file in an earlier one hides the same file in a later one, so a folder of
// edited lists can be checked over the built package. The tool first lets the game's own loaders
// read everything (every stage of the arcade list at every difficulty, the arcade's hidden last
// stage and the boss rush list on hard, played by the autopilot, and every front-end screen),
// noting each key they read and the kind of list they read it in; then it reports, one line each,
//
//   FILE: KEY: what is wrong
//
// keys no loader reads (with the nearest known key), keys only other kinds of list take, values
// of a type this kind of list does not take, names of files the package lacks (and lists the
// game itself asks for), gaps in numbered keys, impossible values, and what the game answers with
// a message at load (a sprite without its grid, a boss without phases, a fighter without hit
// points, a node of no time, an index list with a word or a missing entry in it, an enemy's
// launchers or modules past its slots, a ship without its option pods, a background command the
// script does not know or that names no layer, wave data past the spawns a stage holds). It exits with
// 1 when it finds anything, 0 when the content is clean. The loaders' own console lines, which the
// check otherwise drops, go to FILE with --loading-lines.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ContentCheck.h"
#include "data/AssetPackage.h"
#include "data/CXUserProfile.h"
#include "frontend/IXMenuHost.h"
#include "frontend/MenuScenes.h"
#include "frontend/OXScnDefaultBg.h"
#include "frontend/OXScnVLCredits.h"
#include "fx/FxMath.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "tools/pilot/Autopilot.h"

namespace {

constexpr float kFrameMs = 16.7f;
constexpr long kMostFrames = 40000;  // well past the longest stage

// The application as the front-end screens see it while they load: it does nothing.
class QuietHost : public IXMenuHost {
  public:
    void switchToScene(int) override {}
    void requestStageStart() override {}
    CXUserProfile& profile() override { return userProfile; }
    GameChoices& gameChoices() override { return choices; }
    const GameResult& lastGameResult() const override { return result; }
    std::string keyName(int) const override { return "KEY"; }
    void startMenuMusic() override {}
    void pauseMenuMusic() override {}
    void setVolumes(float, float) override {}
    void setAspectRatio(int) override {}
    void setScreenOrientation(int) override {}
    void setMenuKeys(int, int) override {}
    bool watchReplay(const std::string&, int) override { return false; }
    bool showHit(const std::string&, int, int) override { return false; }
    void askToKeepLastReplay() override {}
    bool takeKeepRequest() override { return false; }

    CXUserProfile userProfile;
    GameChoices choices;
    GameResult result;
};

// Plays the stage the session has loaded with the autopilot, to the clear or the game over.
void playLoadedStage(CXGameSession& session) {
    session.markReadyToStart();
    Autopilot pilot;
    for (long frame = 0; frame < kMostFrames; ++frame) {
        OXScnBaseSTGGame* scene = session.getGameScene();
        if (scene && session.getState() == CXGameSession::State::Playing) {
            pilot.step(session, *scene);
        }
        session.tick(kFrameMs);
        scene = session.getGameScene();
        const CXGameSession::Overlay overlay = session.getActiveOverlay();
        if (!scene || session.getState() == CXGameSession::State::Idle ||
            session.getState() == CXGameSession::State::StageSummary ||
            scene->getStageState() == OXScnBaseSTGGame::Cleared ||
            (session.getState() == CXGameSession::State::InOverlay &&
             (overlay == CXGameSession::Overlay::GameOver || overlay == CXGameSession::Overlay::Continue))) {
            break;
        }
    }
}

// Plays every stage of a level list at one difficulty with the autopilot; with `hiddenStage`,
// then the arcade's hidden last stage, which only a hard arcade game without a continue reaches.
void playLevelList(const char* list, int difficulty, int optionPairs, bool hiddenStage) {
    CXUserProfile profile;          // never read from or written to disk
    profile.options = optionPairs;  // the ship's option pods are read only when it has them
    CXGameSession& session = CXGameSession::instance();
    session.setProfile(&profile);
    session.setScreenSize(450, 600);
    session.choices().mode = GameMode::FreePlay;
    session.choices().casual = false;
    session.choices().difficulty = difficultyFromStored(difficulty);
    session.startGame(list, 0);
    const int stages = static_cast<int>(session.getLevelList().size());
    for (int stage = 0; stage < stages; ++stage) {
        if (stage > 0) {
            session.startGame(list, stage);
        }
        playLoadedStage(session);
    }
    if (hiddenStage && stages > CXGameSession::kTrueRouteStageIndex) {
        session.choices().mode = GameMode::Arcade;
        session.choices().difficulty = Difficulty::Hard;
        session.startGame(list, CXGameSession::kTrueRouteStageIndex);
        playLoadedStage(session);
    }
    session.tearDown();
    session.setProfile(nullptr);
}

// Builds every front-end screen and the menu backgrounds, as the application does.
void buildFrontEnd() {
    QuietHost host;
    for (int index = 0; index < kMenuSceneCount; ++index) {
        OXScene* scene = makeMenuScene(index, host);
        scene->init();
        scene->enterStarted();
        scene->enterFinished();
        if (index == kCreditsScene) {
            static_cast<OXScnVLCredits*>(scene)->loadCredits(OXScnVLCredits::kFinalCreditsList,
                                                             OXScnVLCredits::kCreditsFont);
        }
        if (index == kMenuBackgroundScene) {
            auto* background = static_cast<OXScnDefaultBg*>(scene);
            background->loadBackground("assets/plist/gd_credits.plist");
            background->loadBackground("assets/plist/gd_final_credits.plist");
        }
        delete scene;
    }
}

// Lets the loaders read the whole package with `ledger` watching. Their console lines go nowhere:
// the findings say what matters.
void learnKeys(KeyLedger& ledger, const char* loadingLines) {
    std::fflush(stdout);
    const int kept = dup(STDOUT_FILENO);
    std::FILE* quiet = std::freopen(loadingLines != nullptr ? loadingLines : "/dev/null", "w", stdout);
    Plist::setReadLedger(&ledger);
    std::srand(1);
    fxmath::seedRandom(1);
    for (int difficulty = 0; difficulty <= 2; ++difficulty) {
        playLevelList(CXGameSession::kArcadeLevelList, difficulty, difficulty + 1, difficulty == 0);
    }
    // The bosses again, on hard, where the arcade's autopilot seldom reaches them; easier
    // difficulties meet them in the arcade's own stages.
    const int hard = storedNumber(Difficulty::Hard);
    playLevelList(CXGameSession::kBossRushLevelList, hard, hard + 1, false);
    buildFrontEnd();
    Plist::setReadLedger(nullptr);
    std::fflush(stdout);
    if (quiet != nullptr) {
        dup2(kept, STDOUT_FILENO);
    }
    close(kept);
}

}  // namespace

int main(int argc, char** argv) {
    // The loaders play sounds; the check wants none, and no complaint about a missing device.
    setenv("ALSOFT_DRIVERS", "null", 1);
    const char* loadingLines = nullptr;
    int first = 1;
    if (argc > 2 && std::string(argv[1]) == "--loading-lines") {
        loadingLines = argv[2];
        first = 3;
    }
    if (argc <= first) {
        std::fprintf(stderr, "usage: orvale-check [--loading-lines FILE] PACKAGE [MORE...]\n");
        return 1;
    }
    if (!mountToolPackages("orvale-check", std::vector<std::string>(argv + first, argv + argc))) {
        return 1;
    }

    KeyLedger ledger;
    learnKeys(ledger, loadingLines);
    ContentCheck check(ledger);
    int faults = 0;
    for (const std::string& key : check.staleReferenceKeys()) {
        std::fprintf(stderr, "orvale-check: the reference rule for \"%s\" names a key no loader read\n",
                     key.c_str());
        ++faults;
    }
    const std::vector<std::string> lists = ContentCheck::propertyLists();
    for (const Finding& finding : check.run()) {
        std::printf("%s: %s%s%s\n", finding.file.c_str(), finding.key.c_str(),
                    finding.key.empty() ? "" : ": ", finding.message.c_str());
        ++faults;
    }
    std::printf("orvale-check: %zu kinds of list known, %zu keys read in them\n", ledger.kindCount(),
                ledger.keyCount());
    std::printf("orvale-check: %zu property lists checked, %d fault%s\n", lists.size(), faults,
                faults == 1 ? "" : "s");
    unmountAssetPackage();
    return faults == 0 ? 0 : 1;
}
