#include "tests/stg/shot/ShotTestSupport.h"

namespace shottest {

Stage::Stage() {
    world.ship = &ship;
    manager.setEffects(&effects);
    manager.setWorld(&world);
    manager.load("assets/plist/atlas_test");
}

Stage::~Stage() = default;

void Stage::run(int frames, float dtMs) {
    for (int i = 0; i < frames; ++i) {
        manager.update(dtMs);
    }
}

OXBullet* Stage::lastEnemyBullet() {
    for (int i = CXBulletManager::kEnemyPoolSize - 1; i >= 0; --i) {
        if (!manager.enemyBullet(i).isFree()) {
            return &manager.enemyBullet(i);
        }
    }
    return nullptr;
}

namespace {

const char kOnePixelPng[] =
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00\x00\x01\x08\x06"
    "\x00\x00\x00\x1f\x15\xc4\x89\x00\x00\x00\x0b\x49\x44\x41\x54\x78\x9c\x63\x60\x00\x02\x00\x00\x05\x00\x01"
    "\x7a\x5e\xab\x3f\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";

std::string bp(const std::string& name) {
    return "assets/plist/bp/" + name + ".plist";
}
std::string fp(const std::string& name) {
    return "assets/plist/fp/" + name + ".plist";
}

// A pattern firing `type` straight down (absolute angles) once.
Keys downwards(const std::string& type) {
    return {{"bullet type", text(type)},
            {"direction type", integer(1)},
            {"direction angle", real(180)},
            {"repeat", integer(1)},
            {"salvo", integer(1)}};
}

// `base` with the keys of `more` (a later key wins).
Keys with(Keys base, const Keys& more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

testfiles::Files testFiles() {
    const std::string longLife = real(100000);
    // clang-format off
    testfiles::Files files = {
        {"assets/texture/test_bullets.png", std::string(kOnePixelPng, sizeof kOnePixelPng - 1)},
        {"assets/plist/atlas_test.plist", plist({{"textureFileName", text("test_bullets.png")},
                                                 {"numColumns", integer(8)}, {"numRows", integer(8)}})},
        // Bullet types.
        {bp("t_still"), plist({{"size", real(8)}, {"duration", longLife}, {"damage", real(1)}})},
        {bp("t_self"), plist({{"fire pattern", text("t_self_fp")}, {"effect", text("ps_self_glow")},
                              {"hit effect", text("ps_self_hit")}, {"sound", text("self.caf")}})},
        {bp("t_shared"), plist({{"size", real(8)}})},
        {bp("t_broken"), "<?xml version=\"1.0\"?><plist><dict><key>size</key><real>8"},
        {bp("t_shell"), plist({{"start speed", real(2)}, {"size", real(16)}, {"duration", longLife},
                               {"fire pattern", text("t_ring4")}, {"fire pattern delay", real(300)}})},
        {bp("t_popper"), plist({{"start speed", real(2)}, {"size", real(16)}, {"duration", real(200)},
                                {"fire pattern", text("t_ring4")}, {"is fire on death", boolean(true)}})},
        {bp("t_shot"), plist({{"is player bullet", boolean(true)}, {"is glow", boolean(true)},
                              {"start speed", real(40)}, {"size", real(8)}, {"duration", real(2000)},
                              {"damage", real(3)}, {"hit effect", text("ps_spark")}})},
        // Beam types: a 2000 ms enemy beam that warns for its first quarter,
        // widens to 20 by half its life and narrows after three quarters;
        // player beams at full length at once.
        {bp("t_beam_enemy"), plist({{"duration", real(2000)}, {"width start", real(2)}, {"width med", real(20)},
                                    {"width end", real(4)}, {"width med time", real(0.5)},
                                    {"width end time", real(0.75)}, {"warning hold time", real(0.25)},
                                    {"extend speed", real(0.5)}, {"start length", real(10)},
                                    {"max length", real(400)}, {"damage", real(1)}, {"atlas frame", integer(1)},
                                    {"hit effect", text("ps_beam_hit")}, {"shoot effect", text("ps_beam_shoot")},
                                    {"shoot warning effect", text("ps_beam_warn")}, {"sound", text("beam.caf")}})},
        {bp("t_beam_search"), plist({{"duration", real(6000)}, {"width start", real(20)}, {"width med", real(20)},
                                     {"width end", real(20)}, {"warning hold time", real(0.1)},
                                     {"max length", real(400)}, {"aim turn rate", real(30)}})},
        {bp("t_beam_player"), plist({{"duration", real(2000)}, {"width start", real(10)}, {"width med", real(10)},
                                     {"width end", real(10)}, {"width med time", real(0.1)},
                                     {"width end time", real(0.9)}, {"extend speed", real(0.0005)},
                                     {"max length", real(400)}, {"damage", real(2)}})},
        {bp("t_beam_pierce"), plist({{"duration", real(2000)}, {"width start", real(10)}, {"width med", real(10)},
                                     {"width end", real(10)}, {"width med time", real(0.1)},
                                     {"width end time", real(0.9)}, {"extend speed", real(0.0005)},
                                     {"max length", real(400)}, {"damage", real(2)}, {"is penetrate", boolean(true)}})},
        {bp("t_beam_cancel"), plist({{"duration", real(2000)}, {"width start", real(20)}, {"width med", real(20)},
                                     {"width end", real(20)}, {"extend speed", real(0.0005)},
                                     {"max length", real(200)}, {"is bullet cancel", boolean(true)},
                                     {"is penetrate", boolean(true)}})},
        {fp("t_beam_fp"), plist(with(downwards("t_beam_enemy"), {{"is beam", boolean(true)}}))},
        // Fire patterns.
        {fp("t_self_fp"), plist(downwards("t_self"))},
        {fp("t_shared_a"), plist(downwards("t_shared"))},
        {fp("t_shared_b"), plist(downwards("t_shared"))},
        {fp("t_single"), plist(downwards("t_still"))},
        {fp("t_salvo5"), plist(with(downwards("t_still"), {{"salvo", integer(5)}, {"direction change", real(10)}}))},
        {fp("t_bomblet3"), plist(with(downwards("t_still"), {{"bomblet", integer(3)}, {"bomblet angle", real(5)}}))},
        {fp("t_bomblet4"), plist(with(downwards("t_still"), {{"bomblet", integer(4)}, {"bomblet angle", real(10)}}))},
        {fp("t_repeat4"), plist(with(downwards("t_still"), {{"repeat", integer(4)}, {"repeat salvo change", real(1)},
                                                            {"delay", real(100)}}))},
        {fp("t_gap"), plist(with(downwards("t_still"), {{"repeat", integer(8)}, {"delay", real(100)},
                                                        {"gap frequency", integer(3)}, {"gap size", integer(2)}}))},
        {fp("t_aim1"), plist(with(downwards("t_still"), {{"aim type", integer(1)}, {"repeat", integer(3)},
                                                         {"delay", real(100)}, {"direction angle", real(0)}}))},
        {fp("t_aim2"), plist(with(downwards("t_still"), {{"aim type", integer(2)}, {"repeat", integer(3)},
                                                         {"delay", real(100)}, {"direction angle", real(0)}}))},
        {fp("t_ring4"), plist(with(downwards("t_still"), {{"salvo", integer(4)}, {"direction change", real(90)}}))},
        {fp("t_shell"), plist(downwards("t_shell"))},
        {fp("t_popper"), plist(downwards("t_popper"))},
    };
    // clang-format on
    // The game's own lists, from the source tree.
    testfiles::addPropertyLists(files, ORVALE_SHOT_ASSET_DIR);
    files["assets/audio/self.caf"] = testfiles::tinyCaf();
    files["assets/audio/prize_pickup.caf"] = testfiles::tinyCaf();
    // The sounds the game's own beam types name, for the content tests.
    files["assets/audio/leaser_beam.caf"] = testfiles::tinyCaf();
    files["assets/audio/se_laser3.caf"] = testfiles::tinyCaf();
    return files;
}

// One package for the whole run, mounted before the first test.
const bool kMounted = testfiles::mountForTheRun(testFiles);

}  // namespace
}  // namespace shottest
