// vortalis2-sim: plays a stage from the asset package without a window or
// sound, for tests, benchmarks and balancing. OpenGL calls go to the
// recording device. The same seed and input give the same result line, but
// for the two timing figures.
//
//   vortalis2-sim [--seed N] [--stage INDEX | --arcade | --boss-rush] [--from INDEX]
//                 [--difficulty easy|normal|hard|extreme] [--casual]
//                 --autopilot [--record FILE] [--max-frames N]
//   vortalis2-sim --replay FILE [--max-frames N]
//   vortalis2-sim --replay FILE --seek FRAME
//   vortalis2-sim --replay FILE --take-control FRAME --autopilot [--record FILE] [--max-frames N]
//   vortalis2-sim --content-hash
//   vortalis2-sim --version | --help
//
// Without --max-frames a run may play 30000 frames (over eight minutes) for each stage it can
// reach. --autopilot plays free play of the stage (normal unless --difficulty says
// otherwise, normal play unless --casual) with the gameplay seed N; with
// --arcade it plays the whole arcade level list as one game, and with
// --boss-rush the boss rush list, continues refused: one result line per
// stage played, then a line for the game with stages_cleared=, true_route=
// (the hidden last stage was reached) and ending= (none, credits, or final
// for the ending of the hidden stage); --record writes that game's replay
// (.ovr). --from INDEX starts a whole game at that stage of its list, with the fighter's fresh
// stock and no continue used, so `--arcade --from 4 --difficulty hard` plays the hidden last
// stage at once. Free play of --stage 5, one past the arcade's last, is the hidden last stage. --replay plays
// a replay, one recorded here or by the game, with its own choices and seed, to its last frame, comparing the
// game's state with the recorded checks: the result line then ends with "replay=ok" or, at the first check
// that differs (where the playback stops), "replay=desync frame=N". A replay that can't be read, or is of
// other rules or of other content than the package's, is refused with "REPLAY REFUSED: FILE: REASON" on
// standard error and exit status 1. --content-hash prints the package's content hash, the one replays
// recorded on it name; --version prints the game's version, that hash and the licence. The result is one line
// on standard output; the game's console lines go to standard error. Among its figures, orbs= counts the
// items the ship picked up over the whole game, and beam_ready_ms= is the stage time at which the beam gauge
// first let the counter fire (-1 when it never did).
//
// --seek FRAME plays the replay undrawn to that frame as the replay theatre's seek does and prints one
// line, "seek_frame=N hash=HHHHHHHH seek_ms=T": the frame reached (a frame past the end stops at the last),
// the game's state hash there (the value the replay's own checks hold at the multiples of 300) and the
// seek's wall time; a replay that goes otherwise on the way adds " replay=desync frame=N" and exits 1.
// --take-control FRAME seeks there, hands the game to the autopilot as a practice game (the replay's keys
// held there let go) and plays on as --autopilot does, from that state: the result lines count the frames
// from the hand-over, and --record writes the game's recording (the replay's keys up to FRAME, then the
// autopilot's), which --replay plays back to the same end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/AssetPackage.h"
#include "data/CXUserProfile.h"
#include "data/Difficulty.h"
#include "data/GameVersion.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/CXTrailEffectManager.h"
#include "fx/FxMath.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/enemy/OXEnemy.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/Replay.h"
#include "stg/game/ReplayDeck.h"
#include "stg/game/ReplayPlayer.h"
#include "stg/game/StageEffects.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBeam.h"
#include "stg/shot/OXBullet.h"
#include "tools/pilot/Autopilot.h"
#include "tools/pilot/ToolArguments.h"

namespace {

constexpr float kFrameMs = 16.7f;
// Without --max-frames a run stops after this many frames a stage (over eight minutes of play).
constexpr long kFramesPerStage = 30000;

struct Options {
    unsigned seed = 1;
    int stage = 0;
    int from = 0;  // the stage a whole game starts at
    int difficulty = storedNumber(kDefaultDifficulty);
    bool casual = false;
    bool arcade = false;
    bool bossRush = false;
    bool autopilot = false;
    std::string replayPath;
    std::string recordPath;
    long maxFrames = 0;   // 0: kFramesPerStage for each stage the game may play
    long seekFrame = -1;  // --seek: the frame to seek the replay to
    long takeFrame = -1;  // --take-control: the frame the autopilot takes the replay over at
};

constexpr const char* kUsage =
    "usage: vortalis2-sim [--seed N] [--stage INDEX | --arcade | --boss-rush] [--from INDEX]\n"
    "                     [--difficulty easy|normal|hard|extreme] [--casual]\n"
    "                     --autopilot [--record FILE] [--max-frames N]\n"
    "       vortalis2-sim --replay FILE [--max-frames N]\n"
    "       vortalis2-sim --replay FILE --seek FRAME\n"
    "       vortalis2-sim --replay FILE --take-control FRAME --autopilot [--record FILE] [--max-frames N]\n"
    "       vortalis2-sim --content-hash\n"
    "       vortalis2-sim --version | --help\n";

// --help: the usage and the environment settings the runner reads.
constexpr const char* kSettings =
    "\n"
    "environment:\n"
    "  VORTALIS2_SIM_VERBOSE=1  (test) report deaths, boss phases, the beam gauge and slow frames\n"
    "                           on standard error\n";

// What one stage's line reports, gathered frame by frame while the stage plays.
struct StageFigures {
    std::string stage;  // the stage's list name
    long frames = 0;    // filled as the line is printed
    int deaths = 0, peakBullets = 0, peakParticles = 0, peakTrails = 0;
    long long grazes = 0, orbs = 0;
    double beamReadyMs = -1.0;  // stage time the beam gauge first let the counter fire
    double bossMs = 0.0, bossWorstUs = 0.0;
    double totalUpdateUs = 0.0, worstUpdateUs = 0.0;
    int bosses = 0;
    double stageMs = 0.0;
};

// The list name of the stage a game plays at `index` ("stage_2", "gd_stage_5_true").
std::string stageName(const CXGameSession& session, int index) {
    std::string path = session.stagePathFor(index);
    const std::string folder = "assets/plist/", suffix = ".plist";
    if (path.compare(0, folder.size(), folder) == 0) {
        path.erase(0, folder.size());
    }
    if (path.size() > suffix.size() &&
        path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0) {
        path.erase(path.size() - suffix.size());
    }
    return path;
}

void printStageLine(std::FILE* out, const std::string& outcome, const StageFigures& figures,
                    const CXGameSession& session) {
    std::fprintf(
        out,
        "result=%s frames=%ld stage_ms=%.0f score=%lld grazes=%lld kills=%d deaths=%d peak_bullets=%d "
        "bosses=%d boss_ms=%.0f peak_particles=%d peak_trails=%d orbs=%lld beam_ready_ms=%.0f "
        "stage=%s boss_worst_update_us=%.1f mean_update_us=%.1f worst_update_us=%.1f",
        outcome.c_str(), figures.frames, figures.stageMs, static_cast<long long>(session.run().score),
        figures.grazes, session.run().kills, figures.deaths, figures.peakBullets, figures.bosses,
        figures.bossMs, figures.peakParticles, figures.peakTrails, figures.orbs, figures.beamReadyMs,
        figures.stage.c_str(), figures.bossWorstUs,
        figures.frames > 0 ? figures.totalUpdateUs / static_cast<double>(figures.frames) : 0.0,
        figures.worstUpdateUs);
}

// --content-hash: the package's content hash alone on standard output, as the replays recorded on
// it name it (tests/replay/stamp.py writes it into replays whose play is unchanged).
int printContentHash() {
    std::FILE* result = takeResultStream();
    const std::string package = findProgramPackage();
    if (!mountAssetPackage(package)) {
        std::fprintf(stderr, "vortalis2-sim: %s could not be mounted\n", package.c_str());
        return 1;
    }
    std::fprintf(result, "%s\n", packageContentHash().c_str());
    std::fclose(result);
    unmountAssetPackage();
    return 0;
}

// --seek: the replay sought to a frame, and the line that says where it stands.
int printSeek(std::FILE* out, CXGameSession& session, const Replay& replay, CXUserProfile& values,
              long frame) {
    ReplayDeck deck;
    deck.open(session, replay, values);
    const auto started = std::chrono::steady_clock::now();
    deck.seekTo(static_cast<int32_t>(std::min<long>(frame, Replay::kMaxFrames + 1L)));
    deck.seekNow();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    std::fprintf(out, "seek_frame=%d hash=%08x seek_ms=%.0f", deck.getFrame(), session.stateHash(), ms);
    const bool desync = deck.getStatus() == ReplayDeck::Status::Desync;
    if (desync) {
        std::fprintf(out, " replay=desync frame=%d", deck.getDesyncFrame());
    }
    std::fprintf(out, "\n");
    deck.close();
    return desync ? 1 : 0;
}

// --take-control: the replay sought to a frame and handed over; false, with a line, when the
// playback ended or went otherwise before it.
bool takeOver(CXGameSession& session, ReplayDeck& deck, const Replay& replay, CXUserProfile& values,
              long frame) {
    deck.open(session, replay, values);
    deck.seekTo(static_cast<int32_t>(std::min<long>(frame, Replay::kMaxFrames + 1L)));
    deck.seekNow();
    if (deck.takeControl()) {
        return true;
    }
    if (deck.getStatus() == ReplayDeck::Status::Desync) {
        std::fprintf(stderr, "vortalis2-sim: no control taken: the replay went otherwise at frame %d\n",
                     deck.getDesyncFrame());
    } else {
        std::fprintf(stderr, "vortalis2-sim: no control taken: the replay ends at frame %d\n", replay.frames);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--content-hash") {
        return printContentHash();
    }
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::printf("%s%s", kUsage, kSettings);
        return 0;
    }
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::FILE* result = takeResultStream();
        const bool complete = printVersionReport(result, "vortalis2-sim");
        std::fclose(result);
        return complete ? 0 : 1;
    }
    Options options;
    ToolArguments args("vortalis2-sim", kUsage, argc, argv);
    while (args.more()) {
        if (args.number("--seed", 0u, 0x7FFFFFFFu, options.seed) ||
            args.number("--stage", 0, 99, options.stage) || args.number("--from", 0, 99, options.from) ||
            args.number("--max-frames", 1L, 10000000L, options.maxFrames) ||
            args.number("--seek", 0L, 10000000L, options.seekFrame) ||
            args.number("--take-control", 0L, 10000000L, options.takeFrame) ||
            args.text("--replay", options.replayPath) || args.text("--record", options.recordPath) ||
            args.choice("--difficulty", {"easy", "normal", "hard", "extreme"}, options.difficulty) ||
            args.flag("--casual", options.casual) || args.flag("--arcade", options.arcade) ||
            args.flag("--boss-rush", options.bossRush) || args.flag("--autopilot", options.autopilot)) {
            continue;
        }
        args.reject();
    }
    if (args.failed()) {
        return args.refuse();
    }
    bool playback = !options.replayPath.empty();  // until a take-over, the replay plays
    const bool seek = options.seekFrame >= 0, takeControl = options.takeFrame >= 0;
    if (seek && (!playback || options.autopilot || takeControl)) {
        return args.refuse("--seek FRAME seeks in a replay: give --replay FILE alone with it");
    }
    if (takeControl && (!playback || !options.autopilot)) {
        return args.refuse(
            "--take-control FRAME hands a replay to the autopilot: give --replay FILE and --autopilot");
    }
    if (!takeControl && options.autopilot == playback) {
        return args.refuse("give either --replay FILE or --autopilot");
    }
    if (!options.recordPath.empty() && !options.autopilot) {
        return args.refuse("--record records the autopilot: give --autopilot with it");
    }
    if (options.arcade && options.bossRush) {
        return args.refuse("--arcade and --boss-rush are two games: give one");
    }
    // A whole game plays on through its stage clears; free play of one stage stops at the first.
    bool wholeGame = options.arcade || options.bossRush;
    if (options.from > 0 && !wholeGame) {
        return args.refuse("--from starts a whole game: give --arcade or --boss-rush with it");
    }
    std::FILE* result = takeResultStream();

    const std::string package = findProgramPackage();
    if (!mountAssetPackage(package)) {
        std::fprintf(stderr, "vortalis2-sim: %s could not be mounted\n", package.c_str());
        return 1;
    }
    // A replay is read once the package is mounted: it must name this package's content.
    Replay replay;
    std::string problem;
    if (playback && !Replay::load(options.replayPath, replay, problem)) {
        std::fprintf(stderr, "REPLAY REFUSED: %s: %s\n", options.replayPath.c_str(), problem.c_str());
        return 1;
    }
    // Effects never change the game; seeded alike, they give the same peaks in the line.
    fxmath::seedRandom(playback ? static_cast<unsigned>(replay.seed) : options.seed);

    CXUserProfile profile;  // a fresh profile: never read from or written to disk
    CXGameSession& session = CXGameSession::instance();
    session.setProfile(&profile);
    session.setScreenSize(450, 600);
    const int stage = playback ? replay.stage : wholeGame ? options.from : options.stage;
    ReplayPlayer player;
    ReplayDeck deck;
    if (seek) {
        const int status = printSeek(result, session, replay, profile, options.seekFrame);
        std::fclose(result);
        session.tearDown();
        unmountAssetPackage();
        return status;
    }
    if (takeControl) {
        if (!takeOver(session, deck, replay, profile, options.takeFrame)) {
            return 1;
        }
        // The autopilot plays on: a whole game through its stages, free play to its one stage's end.
        playback = false;
        wholeGame = session.run().mode != GameMode::FreePlay;
    } else if (playback) {
        player.start(session, replay, profile);
    } else {
        session.choices().mode = options.arcade     ? GameMode::Arcade
                                 : options.bossRush ? GameMode::BossRush
                                                    : GameMode::FreePlay;
        session.choices().casual = options.casual;
        session.choices().difficulty = difficultyFromStored(options.difficulty);
        session.setSeed(options.seed);
        session.startGame(
            options.bossRush ? CXGameSession::kBossRushLevelList : CXGameSession::kArcadeLevelList, stage);
        session.markReadyToStart();
    }
    const int stageCount = static_cast<int>(session.getLevelList().size());
    const bool hiddenStage = session.run().hiddenStageChosen;
    if (stage >= stageCount && !hiddenStage) {
        // Indices count from 0: a list of N stages ends at N - 1.
        std::fprintf(stderr, "vortalis2-sim: the level list has no stage %d (it has %d, from index 0)\n",
                     stage, stageCount);
        return 1;
    }

    if (options.maxFrames == 0) {
        options.maxFrames = kFramesPerStage * (wholeGame || playback ? std::max(1, stageCount - stage) : 1);
    }

    // VORTALIS2_SIM_VERBOSE=1 reports deaths and slow frames on standard error.
    const char* verboseSetting = std::getenv("VORTALIS2_SIM_VERBOSE");
    const bool verbose = verboseSetting && std::string(verboseSetting) == "1";
    Autopilot pilot;
    StageFigures figures;
    figures.stage = stageName(session, session.run().stageIndex);
    long frame = 0;
    int lastGrazes = 0, lastOrbs = 0;
    bool beamWasFull = false;
    bool wasInPlay = false;
    int lastPhase = -1;
    int stagesCleared = 0;
    long stageStartFrame = 0;    // where the stage being played began
    bool stageReported = false;  // a whole game's last stage already has its line
    std::string outcome = "timeout";
    for (; frame < options.maxFrames; ++frame) {
        OXScnBaseSTGGame* scene = session.getGameScene();
        if (playback && player.isDone()) {
            break;  // the recording ends here, or the game went otherwise
        }
        if (options.autopilot && scene && session.getState() == CXGameSession::State::Playing) {
            pilot.step(session, *scene);
        }

        const auto started = std::chrono::steady_clock::now();
        if (playback) {
            player.step(kFrameMs);  // the frame's recorded keys, the tick and its check
        } else {
            session.tick(kFrameMs);
        }
        const double us =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - started).count();
        figures.totalUpdateUs += us;
        figures.worstUpdateUs = std::max(figures.worstUpdateUs, us);

        if (player.getStatus() == ReplayPlayer::Desync) {
            ++frame;
            break;
        }

        scene = session.getGameScene();
        if (!scene || session.getState() == CXGameSession::State::Idle) {
            if (!playback || outcome == "timeout") {
                outcome = "ended";  // the game went back to the menus (a stage it could not play)
            }
            ++frame;
            break;
        }
        figures.stageMs = static_cast<double>(scene->getStageTime());
        figures.bosses = scene->getBossesDefeated();
        figures.peakBullets = std::max(figures.peakBullets, scene->getBulletManager()->liveEnemyPoolCount());
        // Stage time with a boss or mid-boss in the fight (dying included).
        const OXBoss* boss = scene->getEnemyManager()->currentBoss();
        if (verbose && boss && boss->getPhaseIndex() != lastPhase) {
            lastPhase = boss->getPhaseIndex();
            std::fprintf(stderr, "SIM: boss phase %d at stage %.0f ms, deaths %d\n", lastPhase,
                         static_cast<double>(scene->getStageTime()), figures.deaths);
        }
        if (boss && boss->isActive() && session.getState() == CXGameSession::State::Playing) {
            figures.bossMs += static_cast<double>(CXGameSession::kStageStepMs * scene->getTimeScale());
            figures.bossWorstUs = std::max(figures.bossWorstUs, us);
        }
        figures.peakParticles =
            std::max(figures.peakParticles, scene->getStageEffects().particles().peakParticles());
        figures.peakTrails = std::max(figures.peakTrails, scene->getStageEffects().trails().peakTrails());
        const int stageGrazes = session.run().grazes;
        figures.grazes += std::max(0, stageGrazes - lastGrazes);
        lastGrazes = stageGrazes;
        const int stageOrbs = session.run().orbs;
        figures.orbs += std::max(0, stageOrbs - lastOrbs);
        lastOrbs = stageOrbs;
        const OXSTGBasePlayer* ship = scene->getShip();
        if (figures.beamReadyMs < 0.0 && ship && ship->getBeamGauge() >= OXSTGBasePlayer::kCounterMinimum) {
            figures.beamReadyMs = static_cast<double>(scene->getStageTime());
            if (verbose) {
                std::fprintf(stderr, "SIM: beam gauge ready at stage %.0f ms, %lld orbs\n",
                             figures.beamReadyMs, figures.orbs);
            }
        }
        if (verbose && ship && ship->getBeamGauge() >= 1.0f && !beamWasFull) {
            std::fprintf(stderr, "SIM: beam gauge full at stage %.0f ms, %lld orbs\n",
                         static_cast<double>(scene->getStageTime()), figures.orbs);
        }
        beamWasFull = ship && ship->getBeamGauge() >= 1.0f;
        const bool inPlay = ship && !ship->isOutOfPlay();
        if (wasInPlay && !inPlay) {
            ++figures.deaths;
            if (verbose) {
                std::fprintf(stderr, "SIM: death %d at frame %ld, stage %.0f ms, ship at (%.0f, %.0f)\n",
                             figures.deaths, frame, static_cast<double>(scene->getStageTime()),
                             static_cast<double>(ship->getX()), static_cast<double>(ship->getY()));
                for (int i = 0; i < CXBulletManager::kBeamPoolSize; ++i) {
                    const OXBeam& beam = scene->getBulletManager()->beamSlot(i);
                    if (!beam.isFree()) {
                        std::fprintf(
                            stderr, "SIM:   beam from (%.0f, %.0f) at %.0f degrees, width %.0f, %s\n",
                            static_cast<double>(beam.getX()), static_cast<double>(beam.getY()),
                            static_cast<double>(beam.getDirection()), static_cast<double>(beam.getWidth()),
                            beam.isWarning() ? "warning" : "firing");
                    }
                }
            }
        }
        if (verbose && us > 2000.0) {
            std::fprintf(stderr, "SIM: frame %ld took %.0f us\n", frame, us);
        }
        wasInPlay = inPlay;
        // The autopilot's free play stops at the first clear or game over; a whole game goes on
        // to the next stage from the summary; a replay plays on to its end, so its outcome is
        // the last of them.
        if (session.getState() == CXGameSession::State::StageSummary ||
            scene->getStageState() == OXScnBaseSTGGame::Cleared) {
            outcome = "clear";
            if (!playback && !wholeGame) {
                ++frame;
                break;
            }
            if (wholeGame && session.getState() == CXGameSession::State::StageSummary) {
                // The summary is read at once: the stage's line, then on to the next stage.
                figures.frames = frame + 1 - stageStartFrame;
                printStageLine(result, outcome, figures, session);
                std::fprintf(result, "\n");
                ++stagesCleared;
                // Read by the fire key as a player reads it (the first press shows every count,
                // the second goes on), so the game's recording holds it and plays back.
                const int fire = session.profileValues().bindingCode(0);
                for (int press = 0; press < 2; ++press) {
                    session.keyEvent(fire, true);
                    session.keyEvent(fire, false);
                }
                if (session.getState() == CXGameSession::State::Ending) {
                    ++frame;
                    stageReported = true;  // the last stage of the list was cleared
                    break;
                }
                stageStartFrame = frame + 1;
                figures = StageFigures();
                figures.stage = stageName(session, session.run().stageIndex);
                lastGrazes = lastOrbs = 0;
                beamWasFull = wasInPlay = false;
                lastPhase = -1;
                outcome = "timeout";
                pilot = Autopilot();
                continue;
            }
        }
        const CXGameSession::Overlay overlay = session.getActiveOverlay();
        if (session.getState() == CXGameSession::State::InOverlay &&
            (overlay == CXGameSession::Overlay::GameOver || overlay == CXGameSession::Overlay::Continue)) {
            outcome = "gameover";
            if (!playback) {
                ++frame;
                break;
            }
        }
    }

    if (!stageReported) {
        figures.frames = frame - stageStartFrame;  // a replay's line counts the whole recording
        if (playback) {
            figures.stage = stageName(session, session.run().stageIndex);  // where the recording ended
        }
        printStageLine(result, outcome, figures, session);
        if (player.getStatus() == ReplayPlayer::Desync) {
            std::fprintf(result, " replay=desync frame=%d", player.getDesyncFrame());
        } else if (playback) {
            std::fprintf(result, " replay=ok");
        }
        std::fprintf(result, "\n");
    }
    if (wholeGame) {
        const GameRun& run = session.run();
        const char* ending = !run.gameFinished ? "none" : run.trueRoute ? "final" : "credits";
        std::fprintf(result, "game=%s frames=%ld score=%lld stages_cleared=%d true_route=%d ending=%s\n",
                     session.run().mode == GameMode::BossRush ? "boss_rush" : "arcade", frame,
                     static_cast<long long>(run.score), stagesCleared, run.trueRoute ? 1 : 0, ending);
    }
    std::fclose(result);
    if (!options.recordPath.empty()) {
        session.finishRecording();
        if (!session.getRecording().save(options.recordPath, problem)) {
            std::fprintf(stderr, "vortalis2-sim: %s could not be written: %s\n", options.recordPath.c_str(),
                         problem.c_str());
            return 1;
        }
    }
    session.tearDown();
    unmountAssetPackage();
    return 0;
}
