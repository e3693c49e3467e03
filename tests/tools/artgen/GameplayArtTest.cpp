// The gameplay atlases as the engine samples them: every cell's art stays inside the cell with
// a clear margin (linear filtering would pull a neighbour's edge in), and every named frame
// holds art.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
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

// The enemy craft that span several cells: each is one piece, its margin round the whole block.
struct WidePiece {
    const char* name;
    int frame;  // the top-left cell
    int cellsWide;
    int cellsHigh;
};
const WidePiece kWidePieces[] = {{"the carrier", enemy_frame::kCarrier, 2, 2},
                                 {"the hauler", enemy_frame::kHauler, 2, 1},
                                 {"the damaged hauler", enemy_frame::kHaulerDamaged, 2, 1},
                                 {"the searchlight ship", enemy_frame::kStageThreeFirst + 10, 2, 1},
                                 {"the damaged searchlight ship", enemy_frame::kStageThreeFirst + 13, 2, 1}};

bool insideWidePiece(const AtlasGrid& grid, int frame) {
    for (const WidePiece& piece : kWidePieces) {
        const int column = frame % grid.columns() - piece.frame % grid.columns();
        const int row = frame / grid.columns() - piece.frame / grid.columns();
        if (column >= 0 && column < piece.cellsWide && row >= 0 && row < piece.cellsHigh) {
            return true;
        }
    }
    return false;
}

TEST(GameplayArt, EveryCellKeepsATransparentMarginSoFilteringNeverBleedsIntoNeighbours) {
    constexpr int kMargin = 2;
    for (const Sheet& sheet : gameplaySheets()) {
        const Image& image = imageOf(sheet.fileName);
        ASSERT_EQ(image.width, sheet.grid.imageWidth()) << sheet.fileName;
        ASSERT_EQ(image.height, sheet.grid.imageHeight()) << sheet.fileName;
        for (int frame = 0; frame < sheet.grid.cellCount(); ++frame) {
            if (sheet.fileName == "enemies.png" && insideWidePiece(sheet.grid, frame)) {
                continue;  // one piece over several cells, checked below
            }
            const std::string spill = pixelInMargin(image, sheet.grid.frame(frame), kMargin);
            EXPECT_EQ(spill, "") << sheet.fileName << " frame " << frame << " reaches its cell's edge at "
                                 << spill;
        }
    }
    const Sheet enemies{"enemies.png", enemyAtlasGrid()};
    for (const WidePiece& piece : kWidePieces) {
        const std::string spill =
            pixelInMargin(imageOf("enemies.png"),
                          pieceArea(enemies, piece.frame, piece.cellsWide, piece.cellsHigh), kMargin);
        EXPECT_EQ(spill, "") << piece.name << " reaches the edge of its block at " << spill;
    }
}

TEST(GameplayArt, EveryNamedFrameHoldsArt) {
    namespace e = enemy_frame;
    namespace p = particle_frame;
    // Each animated craft's two frames, and every piece and damaged variant.
    std::vector<int> enemyFrames = {e::kTankHull,
                                    e::kTankTurret,
                                    e::kWallTurretBase,
                                    e::kWallTurretBarrel,
                                    e::kDebris,
                                    e::kCarrierGunPod,
                                    e::kCarrierArmour,
                                    e::kCarrierCore,
                                    e::kDartDamaged,
                                    e::kMantaDamaged,
                                    e::kClawDamaged,
                                    e::kGunshipDamaged,
                                    e::kTankHullDamaged,
                                    e::kWallTurretBaseDamaged,
                                    e::kCarrierCoreDamaged,
                                    e::kCarrierGunPodDamaged,
                                    e::kCarrierArmourDamaged};
    for (int craft : kAnimatedCraft) {
        enemyFrames.insert(enemyFrames.end(), {craft, craft + 1});
    }
    // The later stages fill their whole blocks.
    for (int frame = e::kStageTwoFirst; frame < e::kStageTwoFirst + e::kStageTwoCount; ++frame) {
        enemyFrames.push_back(frame);
    }
    for (int frame = e::kStageThreeFirst; frame < e::kStageThreeFirst + e::kStageThreeCount; ++frame) {
        enemyFrames.push_back(frame);
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
    const Image& parts = imageOf("boss_parts.png");
    for (int frame = 0; frame < 8; ++frame) {
        EXPECT_GT(opaquePixels(parts, AtlasGrid(512, 256, 4, 2).frame(frame)), 20) << "boss part " << frame;
    }
}

// A boss's hull is a row of four states the game steps through as its phases are lost (the
// last shown as it dies): each state shows the whole craft, stays inside its cell, and differs
// plainly from the whole hull, so a player sees the damage land.
TEST(GameplayArt, EveryEarlyBossHullShowsFourStatesEachPlainlyMoreBroken) {
    const AtlasGrid states(1024, 256, 4, 1);
    for (const char* hull : {"boss_warden.png", "boss_vigil.png", "boss_gantry.png", "boss_forgemother.png",
                             "boss_thunderhead.png", "boss_tempest.png"}) {
        const Image& row = imageOf(hull);
        ASSERT_EQ(row.width, 1024) << hull;
        ASSERT_EQ(row.height, 256) << hull;
        const PixelRect whole = states.frame(0);
        for (int state = 0; state < 4; ++state) {
            const PixelRect cell = states.frame(state);
            EXPECT_GT(opaquePixels(row, cell), 10000) << hull << " state " << state << " is missing";
            EXPECT_EQ(pixelInMargin(row, cell, 2), "") << hull << " state " << state << " reaches its edge";
            if (state == 0) {
                continue;
            }
            int changed = 0;
            for (int y = 0; y < cell.height; ++y) {
                for (int x = 0; x < cell.width; ++x) {
                    const uint8_t* now = row.pixel(cell.left + x, cell.top + y);
                    const uint8_t* then = row.pixel(whole.left + x, whole.top + y);
                    bool differs = false;
                    for (int channel = 0; channel < 4; ++channel) {
                        differs = differs || std::abs(now[channel] - then[channel]) > 40;
                    }
                    changed += differs ? 1 : 0;
                }
            }
            // About 2 % of the cell at least: a few scorch marks and a broken part.
            EXPECT_GT(changed, 1300) << hull << " state " << state << " hardly differs from the whole hull";
        }
    }
}

// The player's colours (white hull, teal panels, cyan light) are the player's alone: a craft in
// them reads as the player's own ship. A pixel counts as the player's when its hue lies in the
// cyan-to-teal band and it is clearly coloured.
bool isPlayerCyan(const uint8_t* rgba) {
    const float r = rgba[0] / 255.0f, g = rgba[1] / 255.0f, b = rgba[2] / 255.0f;
    const float high = std::max({r, g, b}), low = std::min({r, g, b});
    if (rgba[3] < 128 || high < 0.35f || high - low < 0.45f * high) {
        return false;
    }
    // Cyan-to-teal: blue and green both well above red, neither far above the other.
    return r == low && std::min(g, b) - r > 0.6f * (high - low);
}

TEST(GameplayArt, NoEnemyCraftWearsThePlayersCyan) {
    const Sheet enemies{"enemies.png", enemyAtlasGrid()};
    const Image& image = imageOf("enemies.png");
    for (int frame = 0; frame < enemies.grid.cellCount(); ++frame) {
        const PixelRect area = enemies.grid.frame(frame);
        int cyan = 0;
        for (int y = area.top; y < area.top + area.height; ++y) {
            for (int x = area.left; x < area.left + area.width; ++x) {
                cyan += isPlayerCyan(image.pixel(x, y)) ? 1 : 0;
            }
        }
        const int opaque = opaquePixels(image, area);
        EXPECT_LE(cyan, opaque / 50) << "enemy frame " << frame << " has " << cyan << " of " << opaque
                                     << " pixels in the player's cyan";
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

// The light a cell gives: the sum of each pixel's brightness times its cover.
double lightOf(const Image& image, const PixelRect& area) {
    double light = 0.0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const uint8_t* px = image.pixel(x, y);
            light += (px[0] + px[1] + px[2]) / 765.0 * px[3] / 255.0;
        }
    }
    return light;
}

TEST(GameplayArt, EachBlastBurnsOutWithinItsCellsAndNeighbouringBlastsDiffer) {
    namespace x = explosion_frame;
    const Sheet sheet{"explosion.png", explosionGrid()};
    const Image& image = imageOf(sheet.fileName);
    for (int variant = 0; variant < x::kBlastCount; ++variant) {
        const int first = x::kBlastStarts[variant];
        for (int step = 0; step < x::kBurstCount; ++step) {
            const PixelRect cell = sheet.grid.frame(first + step);
            if (step < x::kBurstCount - 1) {  // the last may have burnt out to nothing
                EXPECT_GT(opaquePixels(image, cell, 24), 20)
                    << "blast " << variant << " frame " << step << " is empty";
            }
            // Solid fire near the edge would be cut square by the cell.
            PixelRect inner = cell;
            inner.left += 6, inner.top += 6, inner.width -= 12, inner.height -= 12;
            EXPECT_EQ(opaquePixels(image, cell, 64), opaquePixels(image, inner, 64))
                << "blast " << variant << " frame " << step << " is cut off by its cell";
        }
        // The white-hot heart is gone by the middle of the blast, and the last frame gives far
        // less light than the first.
        auto heart = [&](int step) {
            const PixelRect cell = sheet.grid.frame(first + step);
            return lightOf(image, {cell.left + cell.width / 2 - 4, cell.top + cell.height / 2 - 4, 8, 8}) /
                   64.0;
        };
        EXPECT_GT(heart(0), 0.85) << "blast " << variant << " should start white-hot";
        EXPECT_LT(heart(x::kBurstCount / 2), 0.6) << "blast " << variant << ": its core should collapse";
        EXPECT_GT(lightOf(image, sheet.grid.frame(first)),
                  4.0 * lightOf(image, sheet.grid.frame(first + x::kBurstCount - 1)))
            << "blast " << variant << " should fade out";
    }
    // Two blasts side by side should not look the same: their fireballs differ pixel for pixel.
    for (int a = 0; a < x::kBlastCount; ++a) {
        for (int b = a + 1; b < x::kBlastCount; ++b) {
            const PixelRect one = sheet.grid.frame(x::kBlastStarts[a] + 5);
            const PixelRect other = sheet.grid.frame(x::kBlastStarts[b] + 5);
            int differing = 0;
            for (int y = 0; y < one.height; ++y) {
                for (int px = 0; px < one.width; ++px) {
                    differing += std::abs(image.pixel(one.left + px, one.top + y)[3] -
                                          image.pixel(other.left + px, other.top + y)[3]) > 64;
                }
            }
            EXPECT_GT(differing, one.width * one.height / 20) << "blasts " << a << " and " << b;
        }
    }
    for (int popup : {x::kScoreTimes2, x::kScoreTimes4, x::kScoreTimes8, x::kScoreTimes16}) {
        EXPECT_GT(opaquePixels(image, sheet.grid.frame(popup)), 200) << "score popup frame " << popup;
    }
}

}  // namespace
}  // namespace artgen
