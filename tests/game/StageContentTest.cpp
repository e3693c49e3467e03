// The first stage and what the game scene loads, read from the game's own
// package as the game reads them: every file named exists and parses, every
// sprite finds its texture, the carrier's parts fit together, and the real
// background loads its layers and plays its script to the end.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "data/AssetPackage.h"
#include "data/Plist.h"
#include "engine/CXTextureManager.h"
#include "engine/OXSprite.h"
#include "engine/gl/IXGLDevice.h"
#include "engine/gl/recording/RecordingGLDevice.h"
#include "fx/OXScnBaseSTGBackground.h"
#include "fx/OXVolleyBg.h"
#include "stg/enemy/CXEnemyManager.h"
#include "tests/game/GameTestSupport.h"
#include "tests/support/AllocationCounter.h"

namespace {

const std::string kPlists = "assets/plist/";

std::string stringOf(const Plist::Dictionary& dict, const char* key) {
    std::string value;
    Plist::getString(dict, key, value);
    return value;
}

// The package file, parsed as a dictionary; fails the test when missing or malformed.
Plist::Dictionary readDictionary(const std::string& path) {
    Plist::Dictionary dict;
    EXPECT_TRUE(assetExists(path)) << path;
    testing::internal::CaptureStdout();
    const bool read = Plist::loadContent(path, dict);
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(read) << path << ": " << console;
    return dict;
}

// A sprite list that names a texture the package holds.
void expectSpriteWithTexture(const std::string& name) {
    const Plist::Dictionary sprite = readDictionary(kPlists + name + ".plist");
    const std::string texture = stringOf(sprite, "textureFileName");
    EXPECT_FALSE(texture.empty()) << name;
    EXPECT_TRUE(assetExists("assets/texture/" + texture)) << name << " names " << texture;
}

class StageContent : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(gametest::packageMounted()) << "build data.oap first"; }
};

// That every file a stage or level list names exists, with its texture and a grid that holds
// its frames, is the content checker's (the content_check test runs it on the built package).
// Here: the first stage names everything the game scene needs, its waves load, and the level
// lists give every mode something to play.
TEST_F(StageContent, TheFirstStageNamesEverythingTheSceneNeedsAndItsWavesLoad) {
    const Plist::Dictionary stage = readDictionary(kPlists + "stage_1.plist");
    for (const char* key : {"particle atlas", "trail atlas", "font atlas", "bullet atlas", "enemy atlas",
                            "explosion atlas", "boss", "mid boss", "bg music", "boss music", "level data"}) {
        EXPECT_FALSE(stringOf(stage, key).empty()) << key;
    }
    float midBossTime = 0.0f, splashTime = 0.0f;
    EXPECT_TRUE(Plist::getFloat(stage, "mid boss time", midBossTime));
    EXPECT_TRUE(Plist::getFloat(stage, "splash time", splashTime));
    EXPECT_GT(splashTime, 500.0f);
    EXPECT_LT(splashTime, 5000.0f);

    CXEnemyManager enemies;
    enemies.init(kPlists + stringOf(stage, "enemy atlas"));
    enemies.loadWaveData(kPlists + stringOf(stage, "level data"));
    EXPECT_GT(enemies.queuedCount(), 100) << "the waves did not load";

    for (const char* list : {"arcade_level_list", "boss_rush_level_list"}) {
        Plist::Array names;
        ASSERT_TRUE(Plist::loadAssetArray(kPlists + list + ".plist", names)) << list;
        ASSERT_FALSE(names.empty()) << list;
        for (const Plist::Value& value : names) {
            const auto* name = boost::any_cast<std::string>(&value);
            ASSERT_NE(name, nullptr) << list;
            // A stage has waves, or (boss rush) at least its boss.
            const Plist::Dictionary listed = readDictionary(kPlists + *name + ".plist");
            EXPECT_FALSE(stringOf(listed, "level data").empty() && stringOf(listed, "boss").empty()) << *name;
        }
        if (std::string(list) == "arcade_level_list") {
            EXPECT_EQ(boost::any_cast<std::string>(names.front()), "stage_1");
        }
    }
}

// What a boss file holds: its phases, with what each does.
struct BossOutline {
    int phases = 0;
    int invinciblePhases = 0;  // besides the entrance
    bool breakPhase = false;   // black overlay with break modules
    bool beamPhase = false;    // fires a beam pattern
    int modules = 0;
};

BossOutline outlineOf(const std::string& name) {
    BossOutline outline;
    const Plist::Dictionary boss = readDictionary(kPlists + name + ".plist");
    expectSpriteWithTexture(stringOf(boss, "sprite"));
    for (int index = 0;; ++index) {
        Plist::Dictionary module;
        if (!Plist::getDict(boss, ("module " + std::to_string(index)).c_str(), module)) {
            break;
        }
        expectSpriteWithTexture(stringOf(module, "sprite"));
        ++outline.modules;
    }
    for (;; ++outline.phases) {
        Plist::Dictionary phase;
        if (!Plist::getDict(boss, ("phase " + std::to_string(outline.phases)).c_str(), phase)) {
            break;
        }
        bool flag = false;
        float hp = 0.0f;
        EXPECT_TRUE(Plist::getFloat(phase, "hp", hp) && hp > 0.0f) << name << " phase " << outline.phases;
        Plist::Dictionary firstNode;
        EXPECT_TRUE(Plist::getDict(phase, "movement node 0", firstNode))
            << name << " phase " << outline.phases << " has no script";
        if (outline.phases > 0 && Plist::getBool(phase, "invincibility", flag) && flag) {
            ++outline.invinciblePhases;
        }
        if (Plist::getBool(phase, "show black overlay", flag) && flag &&
            !stringOf(boss, "break modules").empty()) {
            outline.breakPhase = true;
        }
        for (int node = 0;; ++node) {
            Plist::Dictionary step;
            if (!Plist::getDict(phase, ("movement node " + std::to_string(node)).c_str(), step)) {
                break;
            }
            std::string list = stringOf(step, "fire launchers");
            for (size_t at = 0; at < list.size();) {
                const int slot = std::atoi(list.c_str() + at);
                Plist::Dictionary launcher;
                Plist::getDict(boss, ("launcher " + std::to_string(slot)).c_str(), launcher);
                const Plist::Dictionary pattern =
                    readDictionary(kPlists + "fp/" + stringOf(launcher, "fire pattern") + ".plist");
                bool beam = false;
                outline.beamPhase = outline.beamPhase || (Plist::getBool(pattern, "is beam", beam) && beam);
                const size_t space = list.find(' ', at);
                at = space == std::string::npos ? list.size() : space + 1;
            }
        }
    }
    return outline;
}

TEST_F(StageContent, TheFirstStagesBossesFightInDistinctPhases) {
    const BossOutline warden = outlineOf("boss_warden");
    EXPECT_GE(warden.phases, 3);  // the entrance and two fights
    const BossOutline vigil = outlineOf("boss_vigil");
    EXPECT_GE(vigil.phases, 5);  // the entrance and four fights or more
    EXPECT_TRUE(vigil.breakPhase);
    EXPECT_TRUE(vigil.beamPhase);
    EXPECT_GE(vigil.invinciblePhases, 1);  // a timed survival
    EXPECT_GE(vigil.modules, 4);
    for (const char* decoration :
         {"spr_boss_rune_circle", "spr_boss_event_circle", "spr_spell_gfx", "spr_break_ring",
          "spr_boss_explode_ring", "spr_boss_hp_counter_bg", "spr_boss_hp_counter"}) {
        expectSpriteWithTexture(decoration);
    }
}

TEST_F(StageContent, EverySpriteTheGameSceneLoadsFindsItsTexture) {
    const char* const sprites[] = {
        "spr_mothership_main",   "spr_mothership_left_arm", "spr_mothership_right_arm",
        "spr_mothership_engine", "spr_invert_circle",       "spr_boss_pointer",
        "spr_invert_square",     "spr_base_explosion",      "spr_ring_effects"};
    for (const char* name : sprites) {
        expectSpriteWithTexture(name);
        OXSprite sprite;
        sprite.load(kPlists + name);
        EXPECT_GE(sprite.getTextureId(), 0) << name;
        EXPECT_GT(sprite.getSize().x, 0.0f) << name;
    }
    // The explosion batches play the burst through the sheet's grid.
    const Plist::Dictionary explosion = readDictionary(kPlists + "spr_base_explosion.plist");
    int columns = 0, rows = 0, frames = 0, speed = 0;
    Plist::getInt(explosion, "numColumns", columns);
    Plist::getInt(explosion, "numRows", rows);
    Plist::getInt(explosion, "numFrames", frames);
    Plist::getInt(explosion, "animSpeed", speed);
    EXPECT_GT(frames, 1);
    EXPECT_LE(frames, columns * rows);
    EXPECT_GT(speed, 0);
    // One cell: the ring batch uses the same list as its atlas.
    const Plist::Dictionary ring = readDictionary(kPlists + "spr_ring_effects.plist");
    int ringCells = 0;
    Plist::getInt(ring, "numColumns", ringCells);
    EXPECT_EQ(ringCells, 1);
}

// Where the opening places the carrier's parts (field units, y up).
struct CarrierPart {
    const char* sprite;
    float x, y;
};
const CarrierPart kCarrier[] = {{"spr_mothership_main", 160, 900},
                                {"spr_mothership_left_arm", 135, 1030},
                                {"spr_mothership_right_arm", 185, 1030},
                                {"spr_mothership_engine", 160, 750}};

TEST_F(StageContent, TheCarrierPartsJoinUpWhereTheOpeningPutsThem) {
    Vec3 size[4];
    for (int part = 0; part < 4; ++part) {
        OXSprite sprite;
        sprite.load(kPlists + kCarrier[part].sprite);
        size[part] = sprite.getSize();
    }
    const float hullWidth = size[0].x;
    EXPECT_GE(hullWidth, 120.0f);
    EXPECT_LE(hullWidth, 160.0f);
    // The bow halves meet on the centre line...
    EXPECT_NEAR(kCarrier[1].x + size[1].x * 0.5f, 160.0f, 2.0f);
    EXPECT_NEAR(kCarrier[2].x - size[2].x * 0.5f, 160.0f, 2.0f);
    EXPECT_FLOAT_EQ(size[1].x, size[2].x);
    // ...and sit on the hull, as the engine hangs from it, with no gap between.
    const float hullTop = kCarrier[0].y + size[0].y * 0.5f;
    const float hullBottom = kCarrier[0].y - size[0].y * 0.5f;
    EXPECT_LE(kCarrier[1].y - size[1].y * 0.5f, hullTop);
    EXPECT_GE(kCarrier[3].y + size[3].y * 0.5f, hullBottom);
    // Opened by 40 units each, the halves clear the bay between them.
    EXPECT_GE((kCarrier[2].x + 40.0f - size[2].x * 0.5f) - (kCarrier[1].x - 40.0f + size[1].x * 0.5f), 60.0f);
}

// The visible extent of the perspective camera at a depth: 45 degrees high,
// 1000 units in front of the play plane.
float visibleHeightAt(float depth) {
    return 2.0f * (depth + 1000.0f) * std::tan(22.5f * 3.14159265f / 180.0f);
}

std::unique_ptr<OXScnBaseSTGBackground> realBackground(std::string& console) {
    auto scene = std::make_unique<OXScnBaseSTGBackground>();
    scene->init();
    scene->setOrthographicMode(false);
    scene->setViewWidth(360.0f);
    scene->setViewHeight(480.0f);
    testing::internal::CaptureStdout();
    scene->loadStageBackground(kPlists + "stage_1");
    scene->loadEventBackground(kPlists + "gd_boss_event");
    console = testing::internal::GetCapturedStdout();
    return scene;
}

// A whole stage of about three minutes, drawn: the script runs to its end without a complaint,
// the tunnel shows on the way and the first layers are back at the end; then a boss's flash and
// event and their end. Nothing is allocated all the while.
TEST_F(StageContent, TheFirstStageBackgroundPlaysItsScriptToTheEndWithoutAllocating) {
    std::string console;
    auto bg = realBackground(console);
    EXPECT_EQ(console, "") << "complaints while loading";
    ASSERT_EQ(bg->layerCount(), 3);
    EXPECT_GE(bg->eventLayerCount(), 1);
    EXPECT_TRUE(bg->getLayer(0)->isVisible());
    EXPECT_TRUE(bg->getLayer(1)->isVisible());
    EXPECT_FALSE(bg->getLayer(2)->isVisible());
    EXPECT_TRUE(bg->getLayer(2)->isTube());
    for (int index = 0; index < bg->layerCount(); ++index) {
        EXPECT_GE(bg->getLayer(index)->getTextureId(), 0) << "bg " << index;
    }
    for (int index = 0; index < bg->eventLayerCount(); ++index) {
        EXPECT_GE(bg->getEventLayer(index)->getTextureId(), 0) << "event bg " << index;
    }
    ASSERT_GT(bg->commandCount(), 1);

    testfiles::CountingGLDevice device;
    setGLDevice(&device);
    bg->tick(gametest::kStep);
    bg->draw();
    bool tunnelSeen = false;
    float scriptEndMs = -1.0f;
    bool firstLayersAtTheEnd = false;
    testing::internal::CaptureStdout();
    const long before = testfiles::allocationCount();
    for (float stageMs = 0.0f; stageMs < 190000.0f; stageMs += gametest::kStep) {
        bg->setStageTime(stageMs);
        bg->tick(gametest::kStep);
        bg->draw();
        tunnelSeen = tunnelSeen || bg->getLayer(2)->isVisible();
        if (scriptEndMs < 0.0f && bg->currentCommand().time == -1.0f && !bg->isBusy()) {
            scriptEndMs = stageMs;
            firstLayersAtTheEnd = bg->getLayer(0)->isVisible() && bg->getLayer(1)->isVisible();
            bg->flashTint({0.25f, 1.0f, 0.8f, 1.0f}, 1400.0f);
            bg->showBossEvent();
        }
        if (scriptEndMs > 0.0f && stageMs > scriptEndMs + 2000.0f &&
            stageMs < scriptEndMs + 2000.0f + gametest::kStep) {
            bg->flashTintTwoStep({0.15f, 0.15f, 0.15f, 1.0f}, 100.0f, {0.75f, 0.75f, 0.75f, 1.0f}, 200.0f);
            bg->endBossEvent();
        }
    }
    const long after = testfiles::allocationCount();
    console = testing::internal::GetCapturedStdout();
    setGLDevice(nullptr);
    EXPECT_EQ(after - before, 0);
    EXPECT_GT(device.drawCount, 10000);
    // The boss event's end names the layers it brings back; nothing else is said.
    std::string complaints;
    std::istringstream lines(console);
    for (std::string line; std::getline(lines, line);) {
        complaints += line.rfind("showing bg ", 0) == 0 ? "" : line + "\n";
    }
    EXPECT_EQ(complaints, "");
    EXPECT_TRUE(tunnelSeen);
    ASSERT_GT(scriptEndMs, 0.0f) << "the script stopped at command " << bg->getAnimIndex() - 1;
    EXPECT_LT(scriptEndMs, 185000.0f);
    EXPECT_TRUE(firstLayersAtTheEnd);
    EXPECT_TRUE(bg->isFadedIn());
    EXPECT_FALSE(bg->isEventShown());
}

TEST_F(StageContent, OpaqueBaseLayersCoverTheViewAtAnyTurnAndSoDoesTheFlash) {
    std::string console;
    auto bg = realBackground(console);
    ASSERT_GE(bg->layerCount(), 1);
    ASSERT_GE(bg->eventLayerCount(), 1);
    for (OXVolleyBg* base : {bg->getLayer(0), bg->getEventLayer(0)}) {
        EXPECT_EQ(base->getBlendMode(), 0);
        EXPECT_FALSE(base->isTube());
        const float height = visibleHeightAt(base->getPosition().z);
        const float diagonal = std::sqrt(height * height + (height * 0.75f) * (height * 0.75f));
        const float side = base->getSize().x * base->getScale().x * base->getUniformScale();
        EXPECT_GE(side, diagonal) << "the corners of a turning base layer would show";
        EXPECT_FLOAT_EQ(base->getSize().x * base->getScale().x, base->getSize().y * base->getScale().y);
    }
    // Bosses flash the whole screen with it.
    const OXSprite& flash = *bg->getFlashSprite();
    const float height = visibleHeightAt(flash.getPosition().z);
    const float halfWidth = flash.getSize().x * flash.getScale().x * 0.5f;
    const float halfHeight = flash.getSize().y * flash.getScale().y * 0.5f;
    EXPECT_LE(flash.getX() - halfWidth, 180.0f - height * 0.75f * 0.5f);
    EXPECT_GE(flash.getX() + halfWidth, 180.0f + height * 0.75f * 0.5f);
    EXPECT_LE(flash.getY() - halfHeight, 240.0f - height * 0.5f);
    EXPECT_GE(flash.getY() + halfHeight, 240.0f + height * 0.5f);
}

// The pixels of a package texture, as uploaded (premultiplied RGBA).
std::vector<unsigned char> texturePixels(const std::string& name, int& width, int& height) {
    RecordingGLDevice device;
    setGLDevice(&device);
    const int id = CXTextureManager::instance().load("assets/texture/" + name, width, height, true, true);
    std::vector<unsigned char> pixels = device.lastUpload;
    if (id >= 0) {
        CXTextureManager::instance().remove(id);
    }
    setGLDevice(nullptr);
    return pixels;
}

TEST_F(StageContent, ScrollingBackgroundsRepeatWithoutASeam) {
    for (const char* name :
         {"stage1_nebula.png", "stage1_stars.png", "stage1_tunnel.png", "menu_bg_nebula.png"}) {
        int width = 0, height = 0;
        const std::vector<unsigned char> pixels = texturePixels(name, width, height);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(width * height * 4)) << name;
        auto at = [&](int x, int y, int channel) {
            return static_cast<float>(pixels[static_cast<size_t>((y * width + x) * 4 + channel)]);
        };
        // The difference between two rows (or, turned, two columns) of the image.
        auto step = [&](bool rows, int a, int b) {
            float difference = 0.0f;
            for (int i = 0; i < (rows ? width : height); ++i) {
                for (int channel = 0; channel < 4; ++channel) {
                    difference += rows ? std::abs(at(i, a, channel) - at(i, b, channel))
                                       : std::abs(at(a, i, channel) - at(b, i, channel));
                }
            }
            return difference;
        };
        for (const bool rows : {true, false}) {
            const int count = rows ? height : width;
            float typical = 0.0f;
            for (int i = 0; i + 1 < count; ++i) {
                typical += step(rows, i, i + 1);
            }
            typical /= static_cast<float>(count - 1);
            EXPECT_LE(step(rows, count - 1, 0), typical * 1.5f + 1.0f)
                << name << " shows a seam " << (rows ? "top to bottom" : "side to side");
        }
    }
}

}  // namespace
