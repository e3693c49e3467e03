#include "tests/stg/enemy/EnemyTestSupport.h"

#include <gtest/gtest.h>

#include "stg/shot/OXLauncher.h"

namespace enemytest {

Stage::Stage() {
    world.ship = &ship;
    world.fx = &effects;
    bullets.setEffects(&effects);
    bullets.load("assets/plist/atlas_t_bullets");
    enemies.setWorld(&world);
    enemies.setBulletManager(&bullets);
    enemies.init("assets/plist/atlas_t_enemies");
}

Stage::~Stage() = default;

OXEnemy* Stage::spawn(const std::string& type, float x, float y, float angle) {
    enemies.loadEnemyDefinition(type);
    return enemies.spawnEnemy({x, y, 0.0f}, type, angle);
}

void Stage::run(int frames) {
    for (int i = 0; i < frames; ++i) {
        enemies.update(kStep);
    }
}

void Stage::enter(OXEnemy& enemy) {
    for (int i = 0; i < 100 && enemy.isEntering(); ++i) {
        enemies.update(kStep);
    }
}

std::string firedSlots(const OXEnemy& enemy) {
    std::string slots;
    for (int i = 0; i < enemy.launcherCount(); ++i) {
        if (enemy.getLauncher(i)->getCooldownTimer() > 0.0f) {
            slots += (slots.empty() ? "" : " ") + std::to_string(i);
        }
    }
    return slots;
}

namespace {
std::map<std::string, std::string>& extraFiles() {
    static std::map<std::string, std::string> files;
    return files;
}
}  // namespace

bool addPackageFile(const std::string& path, const std::string& contents) {
    extraFiles()[path] = contents;
    return true;
}

namespace {

std::string enemyFile(const std::string& name) {
    return "assets/plist/enemy/" + name + ".plist";
}

std::string node(const Keys& keys) {
    return dict(keys);
}

// An enemy with six launchers, slot i at x offset 10 i, and one node with the given keys.
std::string gunner(const Keys& nodeKeys) {
    Keys keys = {{"size", real(20)}, {"hp", integer(10)}};
    for (int slot = 0; slot < 6; ++slot) {
        keys.push_back({"launcher " + std::to_string(slot), dict({{"fire pattern", text("t_once")},
                                                                  {"cooldown", real(1000)},
                                                                  {"offset x", real(10 * slot)}})});
    }
    Keys nodeWithTime = nodeKeys;
    nodeWithTime.push_back({"duration", real(5000)});
    keys.push_back({"movement node 0", node(nodeWithTime)});
    return plist(keys);
}

testfiles::Files testFiles() {
    const std::string longNode = node({{"duration", real(5000)}});
    const std::string launcher = dict({{"fire pattern", text("t_once")}, {"cooldown", real(1000)}});
    // A 20-unit enemy of `hp` on one long node, with more keys.
    auto plain = [&longNode](int hp, const Keys& more) {
        Keys keys = {{"size", real(20)}, {"hp", integer(hp)}, {"movement node 0", longNode}};
        keys.insert(keys.end(), more.begin(), more.end());
        return plist(keys);
    };
    Keys crowded = {{"size", real(20)}, {"hp", integer(10)}, {"movement node 0", longNode}};
    for (int i = 0; i < 8; ++i) {
        crowded.push_back({"launcher " + std::to_string(i),
                           dict({{"fire pattern", text("t_once")}, {"offset x", real(10 * i)}})});
    }
    for (int i = 0; i < 6; ++i) {
        crowded.push_back(
            {"module " + std::to_string(i), dict({{"size", real(8)}, {"frame", integer(40 + i)}})});
    }
    return {
        {"assets/plist/atlas_t_enemies.plist", plist({{"textureFileName", text("t_enemies.png")},
                                                      {"numColumns", integer(8)},
                                                      {"numRows", integer(8)}})},
        // As the game's explosion batches: the popups' cells lie past the blast's 16 frames.
        {"assets/plist/spr_t_popup.plist",
         plist({{"numColumns", integer(8)}, {"numRows", integer(8)}, {"numFrames", integer(16)}})},
        {"assets/plist/bp/t_round.plist",
         plist({{"start speed", real(2)}, {"size", real(8)}, {"duration", real(10000)}})},
        {"assets/plist/fp/t_once.plist", plist({{"bullet type", text("t_round")},
                                                {"delay", real(50)},
                                                {"repeat", integer(1)},
                                                {"salvo", integer(1)},
                                                {"direction angle", real(0)}})},

        {enemyFile("t_plain"), plain(10, {{"atlas frame", integer(3)},
                                          {"flicker frame", integer(11)},
                                          {"points", real(100)},
                                          {"prize on death", integer(2)}})},
        {enemyFile("t_gaps"), plain(10, {{"launcher 0", launcher},
                                         {"launcher 2", launcher},
                                         {"module 0", dict({{"size", real(10)}, {"hp", real(5)}})},
                                         {"module 2", dict({{"size", real(10)}, {"hp", real(5)}})},
                                         {"movement node 2", longNode}})},
        {enemyFile("t_crowded"), plist(crowded)},
        {enemyFile("t_obstacle_false"),
         plain(10, {{"is obstacle", boolean(false)}, {"module 0", dict({{"size", real(8)}})}})},
        {enemyFile("t_break_zero"), plain(1, {{"break amount", real(0)}})},
        {enemyFile("t_wide"), plain(1, {{"unit width", real(2)}})},
        {enemyFile("t_tall"), plain(1, {{"unit width", real(2)}, {"unit height", real(3)}})},

        {enemyFile("t_turn"), plist({{"size", real(20)},
                                     {"hp", integer(10)},
                                     {"movement node 0", node({{"duration", real(1000)},
                                                               {"speed", real(1)},
                                                               {"direction change", real(90)},
                                                               {"speed change", real(2)}})}})},
        {enemyFile("t_zero"), plist({{"size", real(20)},
                                     {"hp", integer(10)},
                                     {"movement node 0", node({{"duration", real(0)},
                                                               {"direction change", real(45)},
                                                               {"speed", real(1)},
                                                               {"speed change", real(1)}})}})},
        {enemyFile("t_none"), plist({{"size", real(20)}, {"hp", integer(10)}})},

        {enemyFile("t_lists"), gunner({{"easy launchers", text("0")},
                                       {"med launchers", text("1")},
                                       {"hard launchers", text("2 3")},
                                       {"fire launchers", text("5")}})},
        {enemyFile("t_hard_negative"),
         gunner({{"hard launchers", text("-1")}, {"fire launchers", text("4")}})},
        {enemyFile("t_hard_outside"),
         gunner({{"hard launchers", text("7 9")}, {"fire launchers", text("4")}})},
        {enemyFile("t_no_med"), gunner({{"easy launchers", text("0")}, {"fire launchers", text("5")}})},

        {enemyFile("t_doomed"),
         plain(1, {{"points", real(100)},
                   {"prize on death", integer(3)},
                   {"atlas frame", integer(3)},
                   {"flicker frame", integer(11)},
                   {"uprade on death", integer(1)},
                   {"explosion type", integer(1)},
                   {"death movement node", node({{"duration", real(600)}, {"speed", real(1)}})}})},
        {enemyFile("t_instant"),
         plain(1, {{"points", real(100)}, {"prize on death", integer(3)}, {"break amount", real(5)}})},
        // Points no score can hold.
        {enemyFile("t_points_inf"), plain(1, {{"points", "<real>inf</real>"}})},
        {enemyFile("t_points_nan"), plain(1, {{"points", "<real>nan</real>"}})},
        {enemyFile("t_points_huge"), plain(1, {{"points", real(1e30)}})},
        {enemyFile("t_points_sunk"), plain(1, {{"points", real(-1e30)}})},

        {enemyFile("t_big"), plist({{"size", real(48)},
                                    {"hp", integer(1000)},
                                    {"movement node 0", longNode},
                                    {"death movement node", node({{"duration", real(500)}})}})},
        {enemyFile("t_escort"), plain(10, {{"friendly", boolean(true)}})},
        {enemyFile("t_carrier"), plist({{"size", real(40)},
                                        {"hp", integer(100)},
                                        {"atlas frame", integer(24)},
                                        {"unit width", real(2)},
                                        {"unit height", real(2)},
                                        {"module 0", dict({{"anchor x", real(-30)},
                                                           {"anchor z", real(-1)},
                                                           {"size", real(12)},
                                                           {"hp", real(3)},
                                                           {"num column", integer(8)},
                                                           {"num row", integer(8)},
                                                           {"column", integer(2)},
                                                           {"row", integer(3)},
                                                           {"on destroy effect", text("ps_t_pop")}})},
                                        {"module 1", dict({{"anchor x", real(30)},
                                                           {"anchor z", real(1)},
                                                           {"size", real(12)},
                                                           {"frame", integer(28)}})},
                                        {"movement node 0", longNode}})},
    };
}

// The test files, the game's own property lists beside them (whose names start with "t_"),
// what other files added, and the explosion sounds.
testfiles::Files packageFiles() {
    testfiles::Files files = testFiles();
    testfiles::addPropertyLists(files, ORVALE_ENEMY_ASSET_DIR);
    files.insert(extraFiles().begin(), extraFiles().end());
    files["assets/audio/sfx_small_expl.caf"] = testfiles::tinyCaf();
    files["assets/audio/sfx_medium_expl.caf"] = testfiles::tinyCaf();
    return files;
}

// One package for the whole run, mounted before the first test.
const bool kMounted = testfiles::mountForTheRun(packageFiles);

}  // namespace

}  // namespace enemytest
