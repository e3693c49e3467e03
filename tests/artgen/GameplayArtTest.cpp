// The gameplay atlases as the engine samples them: every cell's art stays inside the cell with
// a clear margin (linear filtering would pull a neighbour's edge in), every named frame holds
// art and each animation frame differs from the one before, tinted particles are grey, and
// the two sides are told apart by colour.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "raster/AtlasGrid.h"
#include "raster/PngExport.h"
#include "textures/GameplayAtlases.h"
#include "textures/TextureTable.h"

namespace artgen {
namespace {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    const uint8_t* pixel(int x, int y) const {
        return &rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
    }
};

// As exported: straight 8-bit RGBA. Each texture is painted once per run.
const Image& imageOf(const std::string& fileName) {
    static std::map<std::string, Image> images;
    auto found = images.find(fileName);
    if (found == images.end()) {
        const TextureEntry* entry = findTexture(fileName);
        if (entry == nullptr) {
            throw std::invalid_argument("no texture " + fileName);
        }
        found =
            images.emplace(fileName, Image{entry->width, entry->height, toRgba8(paintTexture(*entry))}).first;
    }
    return found->second;
}

struct Sheet {
    std::string fileName;
    AtlasGrid grid;
};

std::vector<Sheet> gameplaySheets() {
    return {{"enemies.png", enemyAtlasGrid()},      {"senko_type_a.png", playerShipGrid()},
            {"senko_option.png", optionGrid()},     {"senko_engine.png", engineGrid()},
            {"particles.png", particleAtlasGrid()}, {"explosion.png", explosionGrid()}};
}

// The enemy craft drawn in two animation frames, the second in the cell after the first.
const int kAnimatedCraft[] = {enemy_frame::kDart,    enemy_frame::kManta,  enemy_frame::kClaw,
                              enemy_frame::kGunship, enemy_frame::kEscort, enemy_frame::kAsteroid};

// Each craft that shows damage and its damaged variant.
const std::pair<int, int> kDamagedVariants[] = {
    {enemy_frame::kDart, enemy_frame::kDartDamaged},
    {enemy_frame::kManta, enemy_frame::kMantaDamaged},
    {enemy_frame::kClaw, enemy_frame::kClawDamaged},
    {enemy_frame::kGunship, enemy_frame::kGunshipDamaged},
    {enemy_frame::kTankHull, enemy_frame::kTankHullDamaged},
    {enemy_frame::kWallTurretBase, enemy_frame::kWallTurretBaseDamaged},
    {enemy_frame::kCarrierCore, enemy_frame::kCarrierCoreDamaged},
    {enemy_frame::kCarrierGunPod, enemy_frame::kCarrierGunPodDamaged},
    {enemy_frame::kCarrierArmour, enemy_frame::kCarrierArmourDamaged},
};

// A piece of art and the cells it covers: one cell, or the carrier's 2 x 2 block.
PixelRect pieceArea(const Sheet& sheet, int frame, int cellsWide, int cellsHigh) {
    PixelRect area = sheet.grid.frame(frame);
    area.width *= cellsWide;
    area.height *= cellsHigh;
    return area;
}

int opaquePixels(const Image& image, const PixelRect& area, int minimumAlpha = 128) {
    int count = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            count += image.pixel(x, y)[3] >= minimumAlpha ? 1 : 0;
        }
    }
    return count;
}

// The first pixel with any alpha within `margin` of the area's edge, or "" when there is none.
std::string pixelInMargin(const Image& image, const PixelRect& area, int margin) {
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const int edge = std::min({x - area.left, y - area.top, area.left + area.width - 1 - x,
                                       area.top + area.height - 1 - y});
            if (edge < margin && image.pixel(x, y)[3] != 0) {
                return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
    }
    return "";
}

int differingPixels(const Image& image, const PixelRect& a, const PixelRect& b) {
    int count = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const uint8_t* p = image.pixel(a.left + x, a.top + y);
            const uint8_t* q = image.pixel(b.left + x, b.top + y);
            int difference = 0;
            for (int channel = 0; channel < 4; ++channel) {
                difference = std::max(difference, std::abs(p[channel] - q[channel]));
            }
            count += difference > 24 ? 1 : 0;
        }
    }
    return count;
}

TEST(GameplayArt, EveryCellKeepsATransparentMarginSoFilteringNeverBleedsIntoNeighbours) {
    constexpr int kMargin = 2;
    for (const Sheet& sheet : gameplaySheets()) {
        const Image& image = imageOf(sheet.fileName);
        ASSERT_EQ(image.width, sheet.grid.imageWidth()) << sheet.fileName;
        ASSERT_EQ(image.height, sheet.grid.imageHeight()) << sheet.fileName;
        for (int frame = 0; frame < sheet.grid.cellCount(); ++frame) {
            const int below = enemy_frame::kCarrier + sheet.grid.columns();
            const bool carrierBlock = sheet.fileName == "enemies.png" &&
                                      (frame == enemy_frame::kCarrier || frame == enemy_frame::kCarrier + 1 ||
                                       frame == below || frame == below + 1);
            if (carrierBlock) {
                continue;  // one piece over four cells, checked below
            }
            const std::string spill = pixelInMargin(image, sheet.grid.frame(frame), kMargin);
            EXPECT_EQ(spill, "") << sheet.fileName << " frame " << frame << " reaches its cell's edge at "
                                 << spill;
        }
    }
    const Sheet enemies{"enemies.png", enemyAtlasGrid()};
    const std::string spill =
        pixelInMargin(imageOf("enemies.png"), pieceArea(enemies, enemy_frame::kCarrier, 2, 2), kMargin);
    EXPECT_EQ(spill, "") << "the carrier reaches the edge of its 2 x 2 block at " << spill;
}

TEST(GameplayArt, EveryNamedFrameHoldsArt) {
    namespace e = enemy_frame;
    namespace p = particle_frame;
    // Each animated craft's two frames, and every piece and damaged variant.
    std::vector<int> enemyFrames = {e::kTankHull, e::kTankTurret,    e::kWallTurretBase, e::kWallTurretBarrel,
                                    e::kDebris,   e::kCarrierGunPod, e::kCarrierArmour,  e::kCarrierCore};
    for (const auto& variant : kDamagedVariants) {
        enemyFrames.push_back(variant.second);
    }
    for (int craft : kAnimatedCraft) {
        enemyFrames.insert(enemyFrames.end(), {craft, craft + 1});
    }
    const std::map<std::string, std::vector<int>> named = {
        {"enemies.png", enemyFrames},
        {"senko_type_a.png",
         {ship_frame::kLevel, ship_frame::kBankLeft, ship_frame::kBankRight, ship_frame::kBoost}},
        {"senko_option.png", {0, 1}},
        {"senko_engine.png", {0, 1}},
        {"particles.png",
         {p::kSoftGlow,  p::kCoreGlow, p::kDot,       p::kSparkle,   p::kStreak,    p::kSpark,  p::kRing,
          p::kSoftRing,  p::kSmoke,    p::kSmoke + 1, p::kSmoke + 2, p::kSmoke + 3, p::kShard,  p::kShard + 1,
          p::kShard + 2, p::kEmber,    p::kFlame,     p::kFlash,     p::kBolt,      p::kScratch}},
    };
    for (const Sheet& sheet : gameplaySheets()) {
        const auto frames = named.find(sheet.fileName);
        if (frames == named.end()) {
            continue;
        }
        for (int frame : frames->second) {
            EXPECT_GT(opaquePixels(imageOf(sheet.fileName), sheet.grid.frame(frame)), 20)
                << sheet.fileName << " frame " << frame << " is empty";
        }
    }
    const Sheet enemies{"enemies.png", enemyAtlasGrid()};
    EXPECT_GT(opaquePixels(imageOf("enemies.png"), pieceArea(enemies, e::kCarrier, 2, 2)), 20000)
        << "the carrier should fill most of its block";
    // The two bosses' bodies share their sheet with their parts, which are cut finer below them.
    const Image& bosses = imageOf("boss_parts.png");
    for (int frame : {0, 1}) {
        EXPECT_GT(opaquePixels(bosses, AtlasGrid(512, 512, 2, 2).frame(frame)), 10000)
            << "boss body " << frame << " is missing";
    }
    for (int frame = 8; frame < 16; ++frame) {
        EXPECT_GT(opaquePixels(bosses, AtlasGrid(512, 512, 4, 4).frame(frame)), 20) << "boss part " << frame;
    }
}

TEST(GameplayArt, AnimationsChangeFromFrameToFrameAndDamagedVariantsDifferFromTheirCraft) {
    const Sheet enemies{"enemies.png", enemyAtlasGrid()};
    const Image& image = imageOf("enemies.png");
    std::vector<std::pair<int, int>> pairs(std::begin(kDamagedVariants), std::end(kDamagedVariants));
    for (int craft : kAnimatedCraft) {
        pairs.emplace_back(craft, craft + 1);
    }
    for (const auto& [a, b] : pairs) {
        EXPECT_GT(differingPixels(image, enemies.grid.frame(a), enemies.grid.frame(b)), 40)
            << "enemy frames " << a << " and " << b << " look the same";
    }
    for (const Sheet& sheet : gameplaySheets()) {
        if (sheet.fileName == "enemies.png") {
            continue;
        }
        int frames = sheet.grid.cellCount();
        int first = 0;
        if (sheet.fileName == "particles.png") {
            first = particle_frame::kFire;
            frames = particle_frame::kFireCount;
        } else if (sheet.fileName == "explosion.png") {
            frames = explosion_frame::kBurstCount;
        }
        for (int frame = first + 1; frame < first + frames; ++frame) {
            EXPECT_GT(differingPixels(imageOf(sheet.fileName), sheet.grid.frame(frame - 1),
                                      sheet.grid.frame(frame)),
                      40)
                << sheet.fileName << " frames " << frame - 1 << " and " << frame << " look the same";
        }
    }
}

// Particle animations step along their row to the right, so a run must not wrap onto the next.
TEST(GameplayArt, ParticleAnimationsStayOnOneRowAndTheirFramesHoldArt) {
    const AtlasGrid grid = particleAtlasGrid();
    const Image& image = imageOf("particles.png");
    for (const auto& [first, count] : {std::pair{particle_frame::kFire, particle_frame::kFireCount},
                                       std::pair{particle_frame::kBurst, particle_frame::kBurstCount}}) {
        EXPECT_EQ(first / grid.columns(), (first + count - 1) / grid.columns()) << "run from frame " << first;
        // The last frame may be nearly faded out, but the run must show something throughout.
        for (int frame = first; frame < first + count - 1; ++frame) {
            EXPECT_GT(opaquePixels(image, grid.frame(frame), 24), 20)
                << "particle frame " << frame << " is empty";
        }
    }
}

TEST(GameplayArt, TintedParticlesAreGreySoTheEffectsColourShowsTrue) {
    namespace p = particle_frame;
    const AtlasGrid grid = particleAtlasGrid();
    const Image& image = imageOf("particles.png");
    std::vector<int> grey = {p::kSoftGlow, p::kCoreGlow, p::kDot,   p::kSparkle, p::kStreak, p::kSpark,
                             p::kRing,     p::kSoftRing, p::kFlash, p::kBolt,    p::kScratch};
    for (int i = 0; i < p::kSmokeCount; ++i) {
        grey.push_back(p::kSmoke + i);
    }
    for (int i = 0; i < p::kShardCount; ++i) {
        grey.push_back(p::kShard + i);
    }
    for (int i = 0; i < p::kBurstCount; ++i) {
        grey.push_back(p::kBurst + i);
    }
    for (int frame : grey) {
        const PixelRect area = grid.frame(frame);
        for (int y = area.top; y < area.top + area.height; ++y) {
            for (int x = area.left; x < area.left + area.width; ++x) {
                const uint8_t* px = image.pixel(x, y);
                ASSERT_TRUE(px[0] == px[1] && px[1] == px[2])
                    << "particle frame " << frame << " has colour at (" << x << ", " << y << ")";
            }
        }
    }
}

// The share of a piece's strongly coloured pixels with a warm hue (magenta through red to
// amber) and with a cool one (cyan through blue to violet).
struct HueShares {
    float warm = 0.0f;
    float cool = 0.0f;
};

HueShares hueShares(const Image& image, const PixelRect& area) {
    int warm = 0;
    int cool = 0;
    int counted = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const uint8_t* px = image.pixel(x, y);
            const float r = px[0] / 255.0f;
            const float g = px[1] / 255.0f;
            const float b = px[2] / 255.0f;
            const float high = std::max({r, g, b});
            const float chroma = high - std::min({r, g, b});
            if (px[3] < 128 || chroma < 0.3f) {
                continue;
            }
            float hue = high == r   ? std::fmod((g - b) / chroma + 6.0f, 6.0f)
                        : high == g ? (b - r) / chroma + 2.0f
                                    : (r - g) / chroma + 4.0f;
            hue *= 60.0f;
            warm += (hue >= 290.0f || hue <= 55.0f) ? 1 : 0;
            cool += (hue >= 160.0f && hue < 290.0f) ? 1 : 0;
            ++counted;
        }
    }
    if (counted == 0) {
        return {};
    }
    return {static_cast<float>(warm) / static_cast<float>(counted),
            static_cast<float>(cool) / static_cast<float>(counted)};
}

TEST(GameplayArt, HostileCraftGlowWarmAndTheFriendlySideCool) {
    namespace e = enemy_frame;
    const AtlasGrid enemies = enemyAtlasGrid();
    const Image& atlas = imageOf("enemies.png");
    for (int frame :
         {e::kDart, e::kManta, e::kClaw, e::kGunship, e::kTankHull, e::kTankTurret, e::kWallTurretBase,
          e::kWallTurretBarrel, e::kCarrierGunPod, e::kCarrierArmour, e::kCarrierCore}) {
        EXPECT_GT(hueShares(atlas, enemies.frame(frame)).warm, 0.85f)
            << "hostile frame " << frame << " does not read warm";
    }
    EXPECT_GT(hueShares(atlas, enemies.frame(e::kEscort)).cool, 0.85f)
        << "the friendly escort does not read cool";
    const AtlasGrid ship = playerShipGrid();
    for (int frame = 0; frame < ship.cellCount(); ++frame) {
        EXPECT_GT(hueShares(imageOf("senko_type_a.png"), ship.frame(frame)).cool, 0.85f)
            << "ship frame " << frame;
    }
    const Image& mothership = imageOf("mothership.png");
    EXPECT_GT(hueShares(mothership, {0, 0, mothership.width, mothership.height}).cool, 0.85f)
        << "the mothership";
}

}  // namespace
}  // namespace artgen
