// vortalis2-sim: plays a stage from the asset package without a window or
// sound, for tests, benchmarks and balancing. OpenGL calls go to the
// recording device. The same seed and input give the same result line, but
// for the two timing figures.
//
//   vortalis2-sim [--seed N] [--stage INDEX] [--input FILE | --autopilot [--record FILE]]
//                 [--max-frames N]
//
// --record writes the autopilot's key events as an input file: played back
// with --input and the same seed, it gives the same result line.
// An input file holds one event a line: FRAME KEYCODE up|down (game key
// codes: 28 left, 29 right, 30 up, 31 down, 2 fire, 3 beam, 1 trance, 26
// pause); lines starting with '#' are comments. The result is one line on
// standard output; the game's console lines go to standard error.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/AssetPackage.h"
#include "data/CXUserProfile.h"
#include "fx/CXParticleEffectManager.h"
#include "fx/CXTrailEffectManager.h"
#include "fx/FxMath.h"
#include "stg/enemy/CXEnemyManager.h"
#include "stg/enemy/OXBoss.h"
#include "stg/enemy/OXEnemy.h"
#include "stg/game/CXGameSession.h"
#include "stg/game/CXStageEffects.h"
#include "stg/game/OXSTGBasePlayer.h"
#include "stg/game/OXScnBaseSTGGame.h"
#include "stg/shot/CXBulletManager.h"
#include "stg/shot/OXBeam.h"
#include "stg/shot/OXBullet.h"

namespace {

constexpr float kFrameMs = 16.7f;
constexpr int kLeft = 28, kRight = 29, kUp = 30, kDown = 31;
constexpr int kFire = 2, kBeam = 3, kTrance = 1;

struct Options {
    unsigned seed = 1;
    int stage = 0;
    bool autopilot = false;
    std::string inputPath;
    std::string recordPath;
    long maxFrames = 30000;
};

struct InputEvent {
    long frame;
    int code;
    bool down;
};

int usage(const std::string& problem) {
    std::fprintf(stderr, "vortalis2-sim: %s\n", problem.c_str());
    std::fprintf(
        stderr,
        "usage: vortalis2-sim [--seed N] [--stage INDEX] [--input FILE | --autopilot [--record FILE]] "
        "[--max-frames N]\n");
    return 1;
}

bool parseNumber(const char* text, long low, long high, long& out) {
    char* end = nullptr;
    out = std::strtol(text, &end, 10);
    return *text != '\0' && *end == '\0' && out >= low && out <= high;
}

bool readInput(const std::string& path, std::vector<InputEvent>& events, std::string& problem) {
    std::ifstream file(path);
    if (!file) {
        problem = path + ": cannot be opened";
        return false;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(file, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        InputEvent event{};
        std::string state;
        if (!(fields >> event.frame >> event.code >> state) || event.frame < 0 || event.code < 0 ||
            event.code > 31 || (state != "up" && state != "down")) {
            problem = path + ":" + std::to_string(lineNumber) + ": expected FRAME KEYCODE up|down";
            return false;
        }
        event.down = state == "down";
        events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
    return true;
}

// A pilot that keeps firing, steers away from the bullets and bodies that
// will soon be close and out of the line of every enemy beam (warning or
// firing), drifts under the nearest enemy or the boss, fires the counter when
// its gauge is full and bullets crowd in, and trances when it can.
class Autopilot {
  public:
    // Every key event the pilot sends is kept here when set, stamped with the frame.
    void recordInto(std::vector<InputEvent>* events) { recorded = events; }

    void step(CXGameSession& session, OXScnBaseSTGGame& scene, long frame) {
        now = frame;
        OXSTGBasePlayer* ship = scene.getShip();
        if (!ship || ship->isOutOfPlay() || !ship->isControllable()) {
            release(session);
            return;
        }
        press(session, kFire, true);
        const Vec3 at = ship->getPosition();
        float pushX = 0.0f, pushY = 0.0f;
        int crowd = 0;
        CXBulletManager& bullets = *scene.getBulletManager();
        for (int i = 0; i < CXBulletManager::kEnemyPoolSize; ++i) {
            const OXBullet& bullet = bullets.enemyBullet(i);
            if (bullet.isFree() || bullet.isDying() || bullet.isPrize()) {
                continue;
            }
            // Where the bullet will be in about six frames.
            const Vec3 d = bullet.directionVector();
            const float ahead = bullet.getSpeed() * 0.6f;
            const float dx = at.x - (bullet.getX() + d.x * ahead);
            const float dy = at.y - (bullet.getY() + d.y * ahead);
            const float distanceSquared = dx * dx + dy * dy;
            if (distanceSquared < 60.0f * 60.0f) {
                const float weight = 1.0f / std::max(distanceSquared, 16.0f);
                pushX += dx * weight;
                pushY += dy * weight;
                ++crowd;
            }
        }
        // Beams: keep out of a beam's line, warning or firing, with room for its full width.
        for (int i = 0; i < CXBulletManager::kBeamPoolSize; ++i) {
            const OXBeam& beam = bullets.beamSlot(i);
            if (beam.isFree() || beam.getOwnerKind() != OwnerEnemy) {
                beamSide[i] = 0;
                continue;
            }
            const float radians = beam.getDirection() * 0.0174532925f;
            const float ux = std::sin(radians), uy = std::cos(radians);
            const float rx = at.x - beam.getX(), ry = at.y - beam.getY();
            const float along = rx * ux + ry * uy;
            if (along < -20.0f) {
                continue;  // behind where it starts
            }
            const float side = rx * uy - ry * ux;  // signed distance from the line
            const float reach = 34.0f + 14.0f;     // its widest half plus the ship
            if (std::fabs(side) < reach + 40.0f) {
                // Step out to the nearer side, harder the closer the line: a beam
                // outweighs the bullets around it.
                const float push = 0.4f * (reach + 40.0f - std::fabs(side)) / (reach + 40.0f);
                // The side is chosen once per beam: the ship lags its keys, and
                // choosing again every frame would rock it on the line.
                if (beamSide[i] == 0) {
                    const float towardsMiddle = (160.0f - at.x) * uy - (240.0f - at.y) * ux;
                    beamSide[i] =
                        std::fabs(side) > 10.0f ? (side > 0.0f ? 1 : -1) : (towardsMiddle > 0.0f ? -1 : 1);
                }
                const float sign = static_cast<float>(beamSide[i]);
                pushX += uy * sign * push;
                pushY += -ux * sign * push;
                ++crowd;
            }
        }
        const OXEnemy* nearest = nullptr;
        float nearestDistance = 1e9f;
        for (const OXEnemy* enemy : scene.getEnemyManager()->getSpawnedEnemies()) {
            if (!enemy->isActive() || enemy->isDying()) {
                continue;
            }
            const float dx = at.x - enemy->getX();
            const float dy = at.y - enemy->getY();
            const float distanceSquared = dx * dx + dy * dy;
            if (distanceSquared < 70.0f * 70.0f) {  // bodies ram
                const float weight = 3.0f / std::max(distanceSquared, 16.0f);
                pushX += dx * weight;
                pushY += dy * weight;
            }
            if (enemy->getY() > at.y && enemy->getY() < 470.0f && std::fabs(dx) < nearestDistance) {
                nearest = enemy;
                nearestDistance = std::fabs(dx);
            }
        }
        // Home: under the nearest enemy (or the boss), low in the field, but off the edges,
        // where a ship pushed against the wall has nowhere left to dodge.
        float homeX = nearest ? nearest->getX() : 160.0f;
        const OXBoss* boss = scene.getEnemyManager()->currentBoss();
        if (!nearest && boss && boss->isActive() && boss->isVisible() && !boss->isDying()) {
            homeX = std::clamp(boss->getX(), 40.0f, 280.0f);
        }
        pushX += std::clamp((homeX - at.x) * 0.0004f, -0.02f, 0.02f);
        pushY += std::clamp((90.0f - at.y) * 0.0004f, -0.02f, 0.02f);
        pushX += wallPush(at.x - 20.0f) - wallPush(300.0f - at.x);
        pushY += wallPush(at.y - 20.0f);
        const float threshold = 0.004f;
        press(session, kRight, pushX > threshold && at.x < 300.0f);
        press(session, kLeft, pushX < -threshold && at.x > 20.0f);
        press(session, kUp, pushY > threshold && at.y < 400.0f);
        press(session, kDown, pushY < -threshold && at.y > 20.0f);

        // The counter clears the bullets around the ship: hold, then let go.
        if (charging > 0) {
            if (--charging == 0) {
                press(session, kBeam, false);
            }
        } else if (ship->getBeamGauge() >= 0.6f && crowd >= 6) {
            press(session, kBeam, true);
            charging = 4;
        }
        press(session, kTrance,
              ship->getBreakGauge() >= OXSTGBasePlayer::kBreakFull && !ship->isTranceActive());
    }

    void release(CXGameSession& session) {
        for (int code : {kLeft, kRight, kUp, kDown, kFire, kBeam, kTrance}) {
            press(session, code, false);
        }
        charging = 0;
    }

  private:
    // A push away from a wall `distance` units off, growing as the wall nears.
    static float wallPush(float distance) {
        return distance < 40.0f ? (40.0f - std::max(distance, 0.0f)) * 0.0015f : 0.0f;
    }
    void press(CXGameSession& session, int code, bool down) {
        if (held[code] != down) {
            held[code] = down;
            session.keyEvent(code, down);
            if (recorded) {
                recorded->push_back({now, code, down});
            }
        }
    }

    bool held[32] = {};
    int beamSide[CXBulletManager::kBeamPoolSize] = {};  // the side chosen to leave each beam by
    std::vector<InputEvent>* recorded = nullptr;        // not owned
    long now = 0;                                       // the frame being stepped
    int charging = 0;                                   // frames left of holding the beam button
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        long value = 0;
        if (arg == "--seed" && hasValue) {
            if (!parseNumber(argv[++i], 0, 0x7FFFFFFF, value))
                return usage("--seed takes a whole number");
            options.seed = static_cast<unsigned>(value);
        } else if (arg == "--stage" && hasValue) {
            if (!parseNumber(argv[++i], 0, 99, value))
                return usage("--stage takes an index from 0");
            options.stage = static_cast<int>(value);
        } else if (arg == "--max-frames" && hasValue) {
            if (!parseNumber(argv[++i], 1, 10000000, value))
                return usage("--max-frames takes a whole number");
            options.maxFrames = value;
        } else if (arg == "--input" && hasValue) {
            options.inputPath = argv[++i];
        } else if (arg == "--record" && hasValue) {
            options.recordPath = argv[++i];
        } else if (arg == "--autopilot") {
            options.autopilot = true;
        } else {
            return usage("unknown argument '" + arg + "'");
        }
    }
    if (options.autopilot == !options.inputPath.empty()) {
        return usage("give either --input FILE or --autopilot");
    }
    if (!options.recordPath.empty() && !options.autopilot) {
        return usage("--record records the autopilot: give --autopilot with it");
    }
    std::vector<InputEvent> events;
    std::string problem;
    if (!options.inputPath.empty() && !readInput(options.inputPath, events, problem)) {
        return usage(problem);
    }

    // The game's console lines go to standard error; the result line alone
    // to standard output.
    std::fflush(stdout);
    const int resultFd = dup(STDOUT_FILENO);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    std::FILE* result = fdopen(resultFd, "w");

    const std::string package = findProgramPackage();
    if (!mountAssetPackage(package)) {
        std::fprintf(stderr, "vortalis2-sim: %s could not be mounted\n", package.c_str());
        return 1;
    }
    std::srand(options.seed);
    fxmath::seedRandom(options.seed);

    CXUserProfile profile;  // a fresh profile: never read from or written to disk
    CXGameSession& session = CXGameSession::instance();
    session.setProfile(&profile);
    session.setScreenSize(450, 600);
    session.setGameMode(CXGameSession::FreePlay);
    session.setCasual(false);
    session.setDifficulty(1);
    session.startGame(CXGameSession::kArcadeLevelList, options.stage);
    const int stageCount = static_cast<int>(session.getLevelList().size());
    if (options.stage >= stageCount) {
        // Indices count from 0: a list of N stages ends at N - 1.
        std::fprintf(stderr, "vortalis2-sim: the level list has no stage %d (it has %d, from index 0)\n",
                     options.stage, stageCount);
        return 1;
    }
    session.markReadyToStart();

    // VORTALIS2_SIM_VERBOSE=1 reports deaths and slow frames on standard error.
    const char* verboseSetting = std::getenv("VORTALIS2_SIM_VERBOSE");
    const bool verbose = verboseSetting && std::string(verboseSetting) == "1";
    Autopilot pilot;
    std::vector<InputEvent> recording;
    if (!options.recordPath.empty()) {
        pilot.recordInto(&recording);
    }
    size_t nextEvent = 0;
    long frame = 0;
    int deaths = 0, peakBullets = 0, peakParticles = 0, peakTrails = 0;
    long long grazes = 0;
    int lastGrazes = 0;
    bool wasInPlay = false;
    double bossMs = 0.0, bossWorstUs = 0.0;
    int lastPhase = -1;
    double totalUpdateUs = 0.0, worstUpdateUs = 0.0;
    std::string outcome = "timeout";
    for (; frame < options.maxFrames; ++frame) {
        OXScnBaseSTGGame* scene = session.getGameScene();
        while (nextEvent < events.size() && events[nextEvent].frame <= frame) {
            session.keyEvent(events[nextEvent].code, events[nextEvent].down);
            ++nextEvent;
        }
        if (options.autopilot && scene && session.getState() == CXGameSession::Playing) {
            pilot.step(session, *scene, frame);
        }

        const auto started = std::chrono::steady_clock::now();
        session.tick(kFrameMs);
        const double us =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - started).count();
        totalUpdateUs += us;
        worstUpdateUs = std::max(worstUpdateUs, us);

        scene = session.getGameScene();
        if (!scene || session.getState() == CXGameSession::Idle) {
            outcome = "ended";  // the game went back to the menus (a stage it could not play)
            ++frame;
            break;
        }
        peakBullets = std::max(peakBullets, scene->getBulletManager()->liveEnemyPoolCount());
        // Stage time with a boss or mid-boss in the fight (dying included).
        const OXBoss* boss = scene->getEnemyManager()->currentBoss();
        if (verbose && boss && boss->getPhaseIndex() != lastPhase) {
            lastPhase = boss->getPhaseIndex();
            std::fprintf(stderr, "SIM: boss phase %d at stage %.0f ms, deaths %d\n", lastPhase,
                         static_cast<double>(scene->getStageTime()), deaths);
        }
        if (boss && boss->isActive() && session.getState() == CXGameSession::Playing) {
            bossMs += static_cast<double>(CXGameSession::kStageStepMs * scene->getTimeScale());
            bossWorstUs = std::max(bossWorstUs, us);
        }
        peakParticles = std::max(peakParticles, scene->getStageEffects().particles().peakParticles());
        peakTrails = std::max(peakTrails, scene->getStageEffects().trails().peakTrails());
        const int stageGrazes = session.getGrazes();
        grazes += std::max(0, stageGrazes - lastGrazes);
        lastGrazes = stageGrazes;
        const OXSTGBasePlayer* ship = scene->getShip();
        const bool inPlay = ship && !ship->isOutOfPlay();
        if (wasInPlay && !inPlay) {
            ++deaths;
            if (verbose) {
                std::fprintf(stderr, "SIM: death %d at frame %ld, stage %.0f ms, ship at (%.0f, %.0f)\n",
                             deaths, frame, static_cast<double>(scene->getStageTime()),
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
        if (session.getState() == CXGameSession::StageSummary ||
            scene->getStageState() == OXScnBaseSTGGame::Cleared) {
            outcome = "clear";
            ++frame;
            break;
        }
        const int overlay = session.getActiveOverlay();
        if (session.getState() == CXGameSession::InOverlay &&
            (overlay == CXGameSession::GameOverOverlay || overlay == CXGameSession::ContinueOverlay)) {
            outcome = "gameover";
            ++frame;
            break;
        }
    }

    const OXScnBaseSTGGame* scene = session.getGameScene();
    std::fprintf(
        result,
        "result=%s frames=%ld stage_ms=%.0f score=%lld grazes=%lld kills=%d deaths=%d peak_bullets=%d "
        "bosses=%d boss_ms=%.0f peak_particles=%d peak_trails=%d boss_worst_update_us=%.1f "
        "mean_update_us=%.1f worst_update_us=%.1f\n",
        outcome.c_str(), frame, scene ? static_cast<double>(scene->getStageTime()) : 0.0,
        static_cast<long long>(session.getScore()), grazes, session.getKills(), deaths, peakBullets,
        scene ? scene->getBossesDefeated() : 0, bossMs, peakParticles, peakTrails, bossWorstUs,
        frame > 0 ? totalUpdateUs / static_cast<double>(frame) : 0.0, worstUpdateUs);
    std::fclose(result);
    if (!options.recordPath.empty()) {
        std::ofstream out(options.recordPath);
        out << "# vortalis2-sim input: FRAME KEYCODE up|down, recorded from the autopilot, seed "
            << options.seed << ", stage " << options.stage << "\n";
        for (const InputEvent& event : recording) {
            out << event.frame << ' ' << event.code << ' ' << (event.down ? "down" : "up") << '\n';
        }
        if (!out) {
            std::fprintf(stderr, "vortalis2-sim: %s could not be written\n", options.recordPath.c_str());
            return 1;
        }
    }
    session.tearDown();
    unmountAssetPackage();
    return 0;
}
