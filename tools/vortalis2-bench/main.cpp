// vortalis2-bench: plays a stage in a real window through the OpenGL renderer
// with the game's frame pacing, driven by the headless runner's autopilot, and
// measures whole frames: simulation, vertex building, the GL driver, the
// composite and the swap. There is no dialog and no profile on disk.
//
//   vortalis2-bench [--stage I | --arcade --from INDEX] [--difficulty D] [--seed N] [--size WxH]
//                   [--buffer-scale S] [--seconds T] [--from MS] [--stress] [--dim D] [--contrast] [--marker]
//                   [--shot FILE.png]
//                   [--shot-at summary|cutin|panel|hit] [--shot-after MS] [--from-boss]
//                   [--practice-attack BOSS:PHASE]
//                   [--boss-phase N] [--keep-lives] [--trance-at MS] [--bomb-at MS] [--game-ms MS]
//
// --stage plays free play of stage I of the arcade list (5, one past its last, is the hidden last
// stage). --arcade plays the arcade as one game from stage INDEX, as the headless runner's
// --arcade --from does: the fighter's fresh stock and no continue used, so
// `--arcade --from 4 --difficulty hard` plays the hidden last stage. With --arcade, --from is that
// stage index and the stage time cannot be skipped to (--from-boss still can).
// --difficulty is easy, normal (the default), hard or extreme.
// --size is one of the game's eight resolutions (800x600 by default);
// --buffer-scale is the profile's "buffer scale" (0.5 shows the game image
// 1:1); --seconds is the wall time measured (10 by default); --from plays the
// stage without drawing or pacing until its stage time reaches MS, then
// measures (the first stage frame is always drawn, for the load time);
// --stress keeps every pool full for the whole run and the ship's lives
// topped up, so the stage goes on however often it is hit. --dim, --contrast
// and --marker turn on the visibility options (background dimming 0 to 0.8,
// bullet contrast, the hit-box marker); none of them changes what the stage
// does, so the same seed and --from show the same moment with and without.
// --shot writes the window after the first frame drawn (after --from) as a
// PNG picture and ends the run there. --shot-at plays on undrawn (after --from) to a moment
// instead: "summary", the stage summary after the stage's clear, "cutin", the trance
// cut-in, "panel", the attack panel at the end of --practice-attack's attempt, or "hit", the
// next hit kept in the game's recording (the ship left where it is, so the waves reach it), with
// what hit it ringed as a watched replay frozen there shows it; --shot-after then plays on that
// many milliseconds of game time before the picture (the summary's reveal, the cut-in's steps).
// A moment the game never reaches ends the run without a picture and with result=missed.
// --practice-attack plays attack practice of phase PHASE of the boss file BOSS (boss_vigil:2) on
// stage --stage's boss rush stage instead of free play.
// --from-boss plays undrawn (after --from) until the stage's boss is announced, and
// measures its fight; a stage lost or cleared before it ends the run with result=missed.
// --boss-phase N (with --from-boss) plays on undrawn until the boss's phase N has begun, to
// measure one attack. --keep-lives tops the ship's lives up before every frame, so a run on a
// hard stage reaches what it should measure however often the ship is hit.
// --trance-at fills the ship's trance gauge MS of game time into the measured run (the pilot
// trances as soon as it is full) and --bomb-at uses a bomb then, as the HUD's bomb button
// does: a run can hold the effects of both to the flash figures below. --game-ms ends the
// measured run once it has drawn that much game time (the game's frame step per frame drawn),
// however slowly the machine draws; --seconds still bounds its wall time.
//
// The result is one key=value line on standard output (the game's console
// lines go to standard error). Times are milliseconds; "interval" is from one
// frame's start to the next, "update" the session's tick with the pilot,
// "render" the drawing into the off-screen image and its composite, "swap" the
// buffer swap (where a software rasteriser finishes the frame). The line ends
// with targets=, the frame targets this run missed (or "met").
//
// The flash figures come from the game image as composited on the window, read back every
// frame drawn (every fourth pixel of every fourth row) before the swap, and timed by the game's
// frame step: luminance_max= is the brightest frame's mean relative luminance (sRGB made
// linear, 0.2126 R + 0.7152 G + 0.0722 B; 0 black, 1 white). A general flash is a rise of that
// mean by 0.1 or more from its lowest since the last flash to a frame above 0.25, and the next
// counts only once the mean has fallen 0.1 from its peak; flashes= counts them and
// flashes_max_per_s= is the most that began within any one second. bright_ms= is the time
// with the mean above 0.6, bright_run_max_ms= its longest unbroken stretch.
//
// --latency measures input latency instead (see LatencyRun.h): --presses N scripted arrow-key
// presses (60 by default) through the X server to the window, each timed from its key event to
// the moment the X server's copy of the window shows the first frame with the ship moved (the
// scrolling field makes every frame's pixels its own); --vsync asks the driver
// to swap on the display's refresh, --low-latency finishes every frame after its swap as the
// profile's "low latency" does. Its result line is "latency vsync= low_latency= presses=
// missed= latency_min_ms= latency_p50_ms= latency_p99_ms= latency_max_ms= present_p50_ms=
// jitter_p50_ms= jitter_p99_ms= jitter_max_ms=", jitter being each present-to-present
// interval's distance from their median.
// VORTALIS2_BENCH_VERBOSE=1 reports every frame slower than two frames on
// standard error, with its stage time and split, and every frame that begins a flash or is
// brighter than 0.6.
#include <lodepng.h>
#include <SFML/Window.hpp>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/CXSoundManager.h"
#include "data/AssetPackage.h"
#include "data/CXUserProfile.h"
#include "data/Difficulty.h"
#include "engine/CXGfxManager.h"
#include "engine/gl/IXGLDevice.h"
#include "engine/gl/opengl/OpenGLDevice.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/CXTrailEffectManager.h"
#include "platform/FramePacer.h"
#include "platform/GLWindow.h"
#include "platform/Resolution.h"
#include "platform/SfmlFrameClock.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/InputCodes.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/game/StageEffects.h"
#include "stg/game/overlays/OXScnBaseHUD.h"
#include "stg/shot/CXBulletManager.h"
#include "tools/pilot/Autopilot.h"
#include "tools/pilot/ToolArguments.h"
#include "tools/vortalis2-bench/FlashMeter.h"
#include "tools/vortalis2-bench/FrameSamples.h"
#include "tools/vortalis2-bench/LatencyRun.h"
#include "tools/vortalis2-bench/StageFrame.h"
#include "tools/vortalis2-bench/StressFill.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Options {
    int stage = 0;
    bool arcade = false;  // a whole arcade game from `stage`
    int difficulty = storedNumber(kDefaultDifficulty);
    unsigned seed = 1;
    int resolution = kDefaultResolution;
    float bufferScale = 0.5f;
    double seconds = 10.0;
    float fromMs = 0.0f;
    bool stress = false;
    VisibilityOptions visibility;
    std::string shotPath;
    std::string shotAt;          // "", "summary", "cutin" or "panel"
    std::string practiceAttack;  // "BOSS:PHASE", or empty for free play
    float shotAfterMs = 0.0f;
    bool fromBoss = false;
    int bossPhase = 0;
    bool keepLives = false;
    float tranceAtMs = -1.0f;  // game time into the measured run; -1 for never
    float bombAtMs = -1.0f;
    float gameMs = 0.0f;  // the measured run's game time; 0 for no bound
    bool latency = false;
    int presses = 60;
    bool vsync = false;
    bool lowLatency = false;
};

constexpr const char* kUsage =
    "usage: vortalis2-bench [--stage I | --arcade --from INDEX] [--difficulty D] [--seed N] [--size WxH] "
    "[--buffer-scale S] "
    "[--seconds T] "
    "[--from MS] [--stress] [--dim D] [--contrast] [--marker] [--shot FILE.png] "
    "[--shot-at summary|cutin|panel|hit] [--practice-attack BOSS:PHASE] [--shot-after MS] [--from-boss] "
    "[--boss-phase N] [--keep-lives] [--trance-at "
    "MS] [--bomb-at MS] [--game-ms "
    "MS] [--latency [--presses N] [--vsync] [--low-latency]]\n"
    "The flash figures read the game image back every frame drawn: its mean relative luminance (0 black,\n"
    "1 white). A general flash is a rise of that mean by 0.1 or more to a frame above 0.25, counted again\n"
    "only after a fall of 0.1; flashes_max_per_s= is the most begun in any one second of game time,\n"
    "bright_ms= the time above 0.6 and bright_run_max_ms= its longest stretch.\n";

// The index of a resolution given as "WxH", or -1.
int resolutionNamed(const std::string& size) {
    for (int index = 0; index < kResolutionCount; ++index) {
        const Resolution& r = kResolutions[index];
        if (size == std::to_string(r.screenWidth) + "x" + std::to_string(r.screenHeight)) {
            return index;
        }
    }
    return -1;
}

std::string resolutionList() {
    std::string list;
    for (const Resolution& r : kResolutions) {
        list +=
            (list.empty() ? "" : ", ") + std::to_string(r.screenWidth) + "x" + std::to_string(r.screenHeight);
    }
    return list;
}

// The bench's frame: the game's stage frame (the session's tick at the
// application's 16.7 ms, then the session drawn into the off-screen image and
// composited, then the swap), with the pilot's keys first and every part timed.
class BenchLoop : public IXLoopHost {
  public:
    BenchLoop(sf::Window& benchWindow, const Options& benchOptions, Clock::time_point loadStarted)
        : window(benchWindow), options(benchOptions), loadStart(loadStarted) {}

    bool pumpEvent(bool& quit) override {
        if (finished) {
            quit = true;
            return true;
        }
        sf::Event event;
        if (!window.pollEvent(event)) {
            return false;
        }
        quit = event.type == sf::Event::Closed;
        return true;
    }
    bool isWindowActive() override { return true; }
    bool isEscapeHeld() override { return false; }
    void dispatchKeys() override {}

    void drawFrame() override {
        const Clock::time_point started = Clock::now();
        CXGameSession& session = CXGameSession::instance();
        if (options.stress && stress.isReady()) {
            stress.topUp(session);  // the bench's own work: not part of any figure
        }
        keepLives(session);
        const Clock::time_point updateStart = Clock::now();
        OXScnBaseSTGGame* scene = session.getGameScene();
        if (scene && session.getState() == CXGameSession::State::Playing) {
            forceEffects(session, *scene);
            pilot.step(session, *scene);
        }
        session.tick(kFrameMs);
        scene = session.getGameScene();  // a tick may end the stage
        const Clock::time_point renderStart = Clock::now();
        drawStageFrame();
        if (loadMeasured) {
            measureFlash();
        }
        if (!options.shotPath.empty() && loadMeasured && outcome != "missed") {
            writeShot();
            finished = true;
        }
        const Clock::time_point swapStart = Clock::now();
        window.display();
        const Clock::time_point ended = Clock::now();
        ++frame;

        if (!loadMeasured) {
            firstFrameMs = millisecondsBetween(started, ended);
            finishFirstFrame(ended);
            lastStart = Clock::now();
            return;
        }
        const double interval = millisecondsBetween(lastStart, started);
        const double update = millisecondsBetween(updateStart, renderStart);
        const double draw = millisecondsBetween(renderStart, swapStart);
        const double swap = millisecondsBetween(swapStart, ended);
        const int drawCalls = CXGfxManager::instance().getFrameDrawCalls();
        samples.add(interval, update, draw, swap, drawCalls);
        if (verbose && interval > kSlowFrameMs) {
            // The interval ending here is the previous frame's; this frame's own parts follow.
            std::fprintf(stderr,
                         "BENCH: slow frame before %ld at stage %.0f ms: interval %.1f ms; this frame update "
                         "%.1f, render %.1f, swap %.1f ms, %d draw calls\n",
                         frame, scene ? static_cast<double>(scene->getStageTime()) : 0.0, interval, update,
                         draw, swap, drawCalls);
        }
        lastStart = started;
        notePeaks();
        noteEffects();
        checkEnd(millisecondsBetween(measureStart, ended));
    }

    void printResult(std::FILE* out) const {
        const OXScnBaseSTGGame* scene = CXGameSession::instance().getGameScene();
        const Resolution& r = kResolutions[options.resolution];
        std::fprintf(out,
                     "bench stage=%d difficulty=%d seed=%u size=%dx%d buffer_scale=%.2f stress=%d "
                     "true_route=%d result=%s "
                     "frames=%d stage_ms=%.0f fps=%.1f ",
                     options.stage, options.difficulty, options.seed, r.screenWidth, r.screenHeight,
                     static_cast<double>(options.bufferScale), options.stress ? 1 : 0,
                     CXGameSession::instance().run().trueRoute ? 1 : 0, outcome.c_str(), samples.count(),
                     scene ? static_cast<double>(scene->getStageTime()) : 0.0, samples.framesPerSecond());
        samples.print(out);
        std::fputc(' ', out);
        flashes.print(out);
        std::fprintf(out, " trance_seen=%d bomb_seen=%d", tranceSeen ? 1 : 0, bombSeen ? 1 : 0);
        std::fprintf(out,
                     " peak_bullets=%d peak_player_bullets=%d peak_prizes=%d peak_beams=%d peak_particles=%d "
                     "peak_trails=%d load_ms=%.1f load_first_frame_ms=%.1f targets=%s\n",
                     peakBullets, peakPlayerBullets, peakPrizes, peakBeams, peakParticles, peakTrails, loadMs,
                     firstFrameMs, missedTargets().c_str());
    }

  private:
    static constexpr float kFrameMs = FramePacer::kStepMs;
    static constexpr double kSlowFrameMs = 34.0;  // two frames: reported with VORTALIS2_BENCH_VERBOSE=1

    // The game image as composited on the window, before the swap: every fourth pixel of every
    // fourth row, its mean luminance to the flash meter.
    void measureFlash() {
        int left = 0, bottom = 0, width = 0, height = 0;
        CXGfxManager::instance().gameImageRect(left, bottom, width, height);
        const int windowWidth = static_cast<int>(window.getSize().x);
        const int windowHeight = static_cast<int>(window.getSize().y);
        left = std::clamp(left, 0, windowWidth);
        bottom = std::clamp(bottom, 0, windowHeight);
        width = std::min(width, windowWidth - left);
        height = std::min(height, windowHeight - bottom);
        if (width <= 0 || height <= 0) {
            return;
        }
        double sum = 0.0;
        int rows = 0;
        flashRow.resize(static_cast<size_t>(width) * 4);  // once: the window keeps its size
        for (int y = bottom + 1; y < bottom + height; y += 4, ++rows) {
            glDevice().readPixels(left, y, width, 1, GL_RGBA, GL_UNSIGNED_BYTE, flashRow.data());
            sum += FlashMeter::meanLuminance(flashRow.data(), width, 4);
        }
        const double mean = rows > 0 ? sum / rows : 0.0;
        const bool began = flashes.add(mean, kFrameMs);
        if (verbose && (began || mean > FlashMeter::kBright)) {
            const OXScnBaseSTGGame* scene = CXGameSession::instance().getGameScene();
            std::fprintf(stderr, "BENCH: %s at %.0f ms into the run (stage %.0f ms): luminance %.2f\n",
                         began ? "flash" : "bright frame",
                         static_cast<double>(samples.count()) * static_cast<double>(kFrameMs),
                         scene ? static_cast<double>(scene->getStageTime()) : 0.0, mean);
        }
    }

    // What --trance-at and --bomb-at ask for, once each, at their time into the measured run.
    void forceEffects(CXGameSession& session, OXScnBaseSTGGame& scene) {
        if (!loadMeasured) {
            return;
        }
        const float into = static_cast<float>(samples.count()) * kFrameMs;
        OXSTGBasePlayer* ship = scene.getShip();
        if (bombHeld) {
            session.keyEvent(input::kBomb, false);
            bombHeld = false;
        }
        if (!tranceForced && options.tranceAtMs >= 0.0f && into >= options.tranceAtMs && ship) {
            tranceForced = true;
            ship->setBreakGauge(OXSTGBasePlayer::kBreakFull);
        }
        if (!bombForced && options.bombAtMs >= 0.0f && into >= options.bombAtMs) {
            bombForced = true;
            bombHeld = true;
            session.keyEvent(input::kBomb, true);
        }
    }

    // The window's picture as drawn, before the swap, as a PNG file.
    void writeShot() {
        const int width = static_cast<int>(window.getSize().x);
        const int height = static_cast<int>(window.getSize().y);
        std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
        glDevice().readPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        // GL counts rows from the bottom; the picture from the top.
        std::vector<unsigned char> image(pixels.size());
        const size_t row = static_cast<size_t>(width) * 4;
        for (int y = 0; y < height; ++y) {
            std::copy_n(pixels.data() + row * static_cast<size_t>(height - 1 - y), row,
                        image.data() + row * static_cast<size_t>(y));
        }
        for (size_t i = 3; i < image.size(); i += 4) {
            image[i] = 255;
        }
        if (lodepng::encode(options.shotPath, image, static_cast<unsigned>(width),
                            static_cast<unsigned>(height)) != 0) {
            std::fprintf(stderr, "vortalis2-bench: %s could not be written\n", options.shotPath.c_str());
        }
    }

    // The first frame started the stage: the load time ends with its swap.
    // Then the stage runs undrawn to the stage time asked for, if any.
    void finishFirstFrame(Clock::time_point ended) {
        loadMs = millisecondsBetween(loadStart, ended);
        loadMeasured = true;
        CXGameSession& session = CXGameSession::instance();
        while (session.getGameScene() && session.getState() == CXGameSession::State::Playing &&
               session.getGameScene()->getStageTime() < options.fromMs) {
            pilot.step(session, *session.getGameScene());
            session.tick(kFrameMs);
            ++frame;
        }
        if (!options.shotAt.empty()) {
            playToShotMoment();
        }
        if (options.fromBoss) {
            playToBoss();
        }
        if (options.stress && session.getGameScene()) {
            stress.prepare(*session.getGameScene()->getBulletManager(),
                           session.getGameScene()->getStageEffects().particles());
        }
        measureStart = Clock::now();
    }

    // Undrawn, to the moment --shot-at names (the stage plays at most 30 minutes of game time),
    // then --shot-after more.
    void playToShotMoment() {
        CXGameSession& session = CXGameSession::instance();
        const size_t hitsBefore = session.getRecording().hits.size();  // the pilot's, before --from
        const auto reached = [&session, hitsBefore, this] {
            if (options.shotAt == "summary") {
                return session.getState() == CXGameSession::State::StageSummary;
            }
            if (options.shotAt == "panel") {
                return session.getActiveOverlay() == CXGameSession::Overlay::AttackPanel;
            }
            if (options.shotAt == "hit") {
                return session.getRecording().hits.size() > hitsBefore;
            }
            const auto* hud = session.overlays().hud.get();
            return hud && hud->isCutInPlaying();
        };
        for (long limit = frame + 108000; !reached() && frame < limit; ++frame) {
            if (session.getState() != CXGameSession::State::Playing || !session.getGameScene()) {
                break;  // lost, or the stage went on without the moment
            }
            if (options.shotAt != "hit") {
                pilot.step(session, *session.getGameScene());
            }
            session.tick(kFrameMs);
        }
        if (!reached()) {
            outcome = "missed";
            finished = true;
            return;
        }
        if (options.shotAt == "hit" && session.getGameScene()) {
            session.getGameScene()->showHitMark(&session.getRecording().hits.back());
        }
        for (float played = 0.0f; played < options.shotAfterMs; played += kFrameMs) {
            if (session.getState() == CXGameSession::State::Playing && session.getGameScene()) {
                pilot.step(session, *session.getGameScene());
            }
            session.tick(kFrameMs);
            ++frame;
        }
    }

    // Undrawn, to the boss's announcement (at most 30 minutes of game time).
    void playToBoss() {
        CXGameSession& session = CXGameSession::instance();
        for (long limit = frame + 108000; frame < limit; ++frame) {
            OXScnBaseSTGGame* scene = session.getGameScene();
            if (session.getState() != CXGameSession::State::Playing || !scene ||
                scene->getStageState() == OXScnBaseSTGGame::Cleared) {
                break;
            }
            const OXBoss* boss = scene->getEnemyManager()->currentBoss();
            if (scene->getStageState() == OXScnBaseSTGGame::BossAnnounced &&
                (options.bossPhase <= 0 || (boss && boss->getPhaseIndex() >= options.bossPhase))) {
                return;
            }
            keepLives(session);
            pilot.step(session, *scene);
            session.tick(kFrameMs);
        }
        outcome = "missed";
        finished = true;
    }

    // --keep-lives: however often the ship is hit, the game goes on.
    void keepLives(CXGameSession& session) const {
        if (options.keepLives) {
            session.run().lives = std::max(session.run().lives, 3);
        }
    }

    // Whether a trance and a bomb showed in the measured run.
    void noteEffects() {
        const OXScnBaseSTGGame* scene = CXGameSession::instance().getGameScene();
        if (scene) {
            tranceSeen = tranceSeen || (scene->getShip() && scene->getShip()->isTranceActive());
            bombSeen = bombSeen || scene->isBombActive();
        }
    }

    void notePeaks() {
        const OXScnBaseSTGGame* scene = CXGameSession::instance().getGameScene();
        if (!scene) {
            return;
        }
        const CXBulletManager& bullets = *scene->getBulletManager();
        peakBullets = std::max(peakBullets, bullets.liveEnemyPoolCount());
        peakPlayerBullets = std::max(peakPlayerBullets, bullets.livePlayerPoolCount());
        peakPrizes = std::max(peakPrizes, bullets.livePrizeCount());
        peakBeams = std::max(peakBeams, bullets.liveBeamCount());
        peakParticles = std::max(peakParticles, scene->getStageEffects().particles().liveParticles());
        peakTrails = std::max(peakTrails, scene->getStageEffects().trails().trailsInUse());
    }

    void checkEnd(double measuredMs) {
        CXGameSession& session = CXGameSession::instance();
        const OXScnBaseSTGGame* scene = session.getGameScene();
        const CXGameSession::Overlay overlay = session.getActiveOverlay();
        if (!scene || session.getState() == CXGameSession::State::StageSummary ||
            scene->getStageState() == OXScnBaseSTGGame::Cleared) {
            outcome = "clear";
        } else if (session.getState() == CXGameSession::State::InOverlay &&
                   (overlay == CXGameSession::Overlay::GameOver ||
                    overlay == CXGameSession::Overlay::Continue)) {
            outcome = "gameover";
        } else if (measuredMs < options.seconds * 1000.0 &&
                   (options.gameMs <= 0.0f ||
                    static_cast<float>(samples.count()) * kFrameMs < options.gameMs)) {
            return;
        }
        finished = true;
    }

    // The frame targets this run misses, comma-separated, or "met". A plain
    // run holds 58.8 frames a second: interval p95 <= 17.5, p99 <= 20, no
    // frame over 34 after the first second, the stage loaded in 0.5 s. With
    // every pool full: at least 30 frames a second, slowing evenly (no frame
    // over twice the median).
    std::string missedTargets() const {
        std::string missed;
        const auto miss = [&missed](bool failed, const char* name) {
            if (failed) {
                missed += (missed.empty() ? "" : ",") + std::string(name);
            }
        };
        const FrameSamples::Summary interval = samples.intervals();
        if (options.stress) {
            miss(samples.framesPerSecond() < 30.0, "fps_30");
            miss(interval.max > 2.0 * interval.p50, "max_2x_median");
        } else {
            miss(interval.p95 > 17.5, "p95_17.5");
            miss(interval.p99 > 20.0, "p99_20");
            miss(samples.maxIntervalAfter(1000.0) > 34.0, "max_34");
        }
        miss(loadMs > 500.0, "load_500");
        return missed.empty() ? "met" : missed;
    }

    sf::Window& window;
    const Options& options;
    Autopilot pilot;
    StressFill stress;
    FrameSamples samples;
    FlashMeter flashes;
    std::vector<unsigned char> flashRow;  // one row of the game image read back
    bool tranceForced = false, bombForced = false, bombHeld = false;
    bool tranceSeen = false, bombSeen = false;
    Clock::time_point loadStart;     // before the stage was loaded
    Clock::time_point measureStart;  // after the first frame (and any undrawn stretch)
    Clock::time_point lastStart;     // the previous measured frame's start
    long frame = 0;                  // frames the session has ticked
    const bool verbose =
        std::getenv("VORTALIS2_BENCH_VERBOSE") && std::string(std::getenv("VORTALIS2_BENCH_VERBOSE")) == "1";
    bool loadMeasured = false;
    bool finished = false;
    double loadMs = 0.0;        // from before the stage's load to the end of its first frame
    double firstFrameMs = 0.0;  // the first frame's part of it
    std::string outcome = "running";
    int peakBullets = 0, peakPlayerBullets = 0, peakPrizes = 0, peakBeams = 0, peakParticles = 0,
        peakTrails = 0;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    ToolArguments args("vortalis2-bench", kUsage, argc, argv);
    std::string size;
    int stageGiven = -1;
    while (args.more()) {
        VisibilityOptions& visibility = options.visibility;
        if (args.number("--stage", 0, 99, stageGiven) || args.flag("--arcade", options.arcade) ||
            args.number("--seed", 0u, 0x7FFFFFFFu, options.seed) || args.text("--size", size) ||
            args.choice("--difficulty", {"easy", "normal", "hard", "extreme"}, options.difficulty) ||
            args.number("--buffer-scale", 0.0f, 2.0f, options.bufferScale) ||
            args.number("--seconds", 0.1, 3600.0, options.seconds) ||
            args.number("--from", 0.0f, 3600000.0f, options.fromMs) ||
            args.flag("--stress", options.stress) ||
            args.number("--dim", 0.0f, CXUserProfile::kMostDimming, visibility.backgroundDimming) ||
            args.flag("--contrast", visibility.bulletContrast) ||
            args.flag("--marker", visibility.hitboxMarker) || args.text("--shot", options.shotPath) ||
            args.text("--shot-at", options.shotAt) ||
            args.text("--practice-attack", options.practiceAttack) ||
            args.number("--shot-after", 0.0f, 60000.0f, options.shotAfterMs) ||
            args.flag("--from-boss", options.fromBoss) ||
            args.number("--boss-phase", 0, 99, options.bossPhase) ||
            args.flag("--keep-lives", options.keepLives) ||
            args.number("--trance-at", 0.0f, 3600000.0f, options.tranceAtMs) ||
            args.number("--bomb-at", 0.0f, 3600000.0f, options.bombAtMs) ||
            args.number("--game-ms", 0.0f, 3600000.0f, options.gameMs) ||
            args.flag("--latency", options.latency) || args.number("--presses", 1, 10000, options.presses) ||
            args.flag("--vsync", options.vsync) || args.flag("--low-latency", options.lowLatency)) {
            continue;
        }
        args.reject();
    }
    if (args.failed()) {
        return args.refuse();
    }
    if (options.arcade) {
        // As the runner's: --from names the stage the game starts at.
        if (stageGiven >= 0) {
            return args.refuse("--arcade starts at --from INDEX: give that instead of --stage");
        }
        if (options.fromMs > 99.0f ||
            options.fromMs != static_cast<float>(static_cast<int>(options.fromMs))) {
            return args.refuse("--arcade --from takes a stage index, a whole number from 0 to 99");
        }
        options.stage = static_cast<int>(options.fromMs);
        options.fromMs = 0.0f;
    } else if (stageGiven >= 0) {
        options.stage = stageGiven;
    }
    if (!size.empty() && (options.resolution = resolutionNamed(size)) < 0) {
        return args.refuse("--size takes one of the game's resolutions: " + resolutionList());
    }
    if (!options.shotAt.empty() && options.shotAt != "summary" && options.shotAt != "cutin" &&
        options.shotAt != "panel" && options.shotAt != "hit") {
        return args.refuse("--shot-at takes summary, cutin, panel or hit");
    }
    const size_t colon = options.practiceAttack.rfind(':');
    if (!options.practiceAttack.empty() &&
        (colon == std::string::npos || colon + 1 == options.practiceAttack.size() ||
         options.practiceAttack.find_first_not_of("0123456789", colon + 1) != std::string::npos ||
         options.practiceAttack.size() - colon > 3)) {
        return args.refuse("--practice-attack takes BOSS:PHASE, such as boss_vigil:2");
    }

    std::FILE* result = takeResultStream();

    const std::string package = findProgramPackage();
    if (!mountAssetPackage(package)) {
        std::fprintf(stderr, "vortalis2-bench: %s could not be mounted\n", package.c_str());
        return 1;
    }

    const Resolution& resolution = kResolutions[options.resolution];
    sf::Window window(sf::VideoMode(static_cast<unsigned>(resolution.screenWidth),
                                    static_cast<unsigned>(resolution.screenHeight), 32),
                      "VORTALIS 2 BENCH", sf::Style::Titlebar | sf::Style::Close, gameContextSettings());
    if (!window.isOpen() || !window.setActive(true)) {
        std::fprintf(stderr, "vortalis2-bench: no window with an OpenGL context could be made\n");
        return 1;
    }
    // As in the game: a swap never waits for the display (unless the latency run asks it to).
    std::streambuf* errors = sf::err().rdbuf(nullptr);
    window.setVerticalSyncEnabled(options.latency && options.vsync);
    sf::err().rdbuf(errors);
    OpenGLDevice openGL;
    setGLDevice(&openGL);
    applyGLDefaults();

    // What the application sets up for a stage, with a fresh profile's values.
    CXUserProfile profile;  // never read from or written to disk
    profile.backgroundDimming = options.visibility.backgroundDimming;
    profile.bulletContrast = options.visibility.bulletContrast;
    profile.hitboxMarker = options.visibility.hitboxMarker;
    CXSoundManager& sound = CXSoundManager::instance();
    sound.setBasePath("assets/audio/");
    sound.setMusicVolume(profile.musicVolume);
    sound.setSfxVolume(profile.sfxVolume);
    CXGfxManager& gfx = CXGfxManager::instance();
    gfx.setRenderSize(resolution.renderWidth, resolution.renderHeight);
    gfx.setScreenSize(resolution.screenWidth, resolution.screenHeight);
    gfx.setup();
    if (!gfx.isGlslAvailable()) {
        std::fprintf(stderr, "vortalis2-bench: the shaders did not build on this OpenGL\n");
        return 1;
    }
    const int areaHeight = resolution.touchHeight;
    const int areaWidth = static_cast<int>(static_cast<float>(areaHeight) * 0.75f);
    gfx.setGameArea(areaWidth, areaHeight);
    gfx.setResolutionBoost(options.resolution == kResolution1440x1080, false);
    gfx.setBufferScale(options.bufferScale);

    CXGameSession& session = CXGameSession::instance();
    session.setSeed(options.seed);
    session.setProfile(&profile);
    session.setScreenSize(areaWidth, areaHeight);
    session.choices().mode = options.arcade ? GameMode::Arcade : GameMode::FreePlay;
    session.choices().casual = false;
    session.choices().difficulty = difficultyFromStored(options.difficulty);
    if (!options.practiceAttack.empty()) {
        session.choices().mode = GameMode::AttackPractice;
        session.choices().practice.stage = options.stage;
        session.choices().practice.boss = options.practiceAttack.substr(0, colon);
        session.choices().practice.phase = std::stoi(options.practiceAttack.substr(colon + 1));
    }
    const Clock::time_point loadStart = Clock::now();
    session.startGame(CXGameSession::kArcadeLevelList, options.stage);
    const int stageCount = static_cast<int>(session.getLevelList().size());
    if (options.stage >= stageCount && !session.run().hiddenStageChosen) {  // 5: the hidden last stage
        std::fprintf(stderr, "vortalis2-bench: the level list has no stage %d (it has %d, from index 0)\n",
                     options.stage, stageCount);
        return 1;
    }
    session.markReadyToStart();

    bool measured = true;
    if (options.latency) {
        measured = runLatency(window, options.presses, options.lowLatency, options.vsync, result);
    } else {
        SfmlFrameClock clock;
        FramePacer pacer(clock);
        BenchLoop loop(window, options, loadStart);
        runMainLoop(loop, pacer);
        loop.printResult(result);
    }
    std::fclose(result);

    session.tearDown();
    sound.shutdown();
    gfx.release();
    setGLDevice(nullptr);
    window.close();
    unmountAssetPackage();
    return measured ? 0 : 1;
}
