#include "BulletContrast.h"

#include <lodepng.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "data/AssetPackage.h"
#include "data/Plist.h"

namespace contrast {

namespace {

const std::string kPlistFolder = "assets/plist/";
const std::string kTextureFolder = "assets/texture/";
// Where a name in a list may point, tried in order.
const char* const kReferenceFolders[] = {"", "enemy/", "fp/", "bp/"};

float channel(uint8_t value) {
    return static_cast<float>(value) / 255.0f;
}

bool loadImage(const std::string& file, Image& image) {
    std::vector<char> bytes;
    if (!readAssetFile(kTextureFolder + file, bytes)) {
        return false;
    }
    unsigned width = 0, height = 0;
    if (lodepng::decode(image.rgba, width, height, reinterpret_cast<const unsigned char*>(bytes.data()),
                        bytes.size()) != 0) {
        return false;
    }
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    return true;
}

// A sprite or atlas list's texture and the size of its first cell.
struct Grid {
    std::string texture;
    int columns = 1;
    int rows = 1;
};

Grid readGrid(const Plist::Dictionary& list) {
    Grid grid;
    Plist::getString(list, "textureFileName", grid.texture);
    int value = 0;
    if (Plist::getInt(list, "numColumns", value) && value > 0) {
        grid.columns = value;
    }
    if (Plist::getInt(list, "numRows", value) && value > 0) {
        grid.rows = value;
    }
    return grid;
}

bool loadList(const std::string& path, Plist::Dictionary& list) {
    try {
        return Plist::loadAsset(path, list);
    } catch (const std::exception&) {
        return false;
    }
}

// Every string in a value, at any depth.
void collectStrings(const Plist::Value& value, std::vector<std::string>& out) {
    if (const auto* text = boost::any_cast<std::string>(&value)) {
        out.push_back(*text);
    } else if (const auto* dict = boost::any_cast<Plist::Dictionary>(&value)) {
        for (const auto& entry : *dict) {
            collectStrings(entry.second, out);
        }
    } else if (const auto* array = boost::any_cast<Plist::Array>(&value)) {
        for (const auto& item : *array) {
            collectStrings(item, out);
        }
    }
}

// True when a bullet list describes an enemy bullet the bullet batch draws (not a beam, not the
// player's shot, not a blocker).
bool isEnemyBullet(const Plist::Dictionary& list) {
    bool flag = false;
    if ((Plist::getBool(list, "is player bullet", flag) && flag) ||
        (Plist::getBool(list, "is bullet block", flag) && flag)) {
        return false;
    }
    return list.count("atlas frame") != 0 && list.count("max length") == 0;
}

// Follows every name in the stage's lists to the lists it names, and keeps the enemy bullets.
void findBullets(const Plist::Dictionary& stageList, std::map<std::string, int>& frames) {
    std::set<std::string> seen;
    std::vector<Plist::Dictionary> pending{stageList};
    while (!pending.empty()) {
        const Plist::Dictionary list = std::move(pending.back());
        pending.pop_back();
        std::vector<std::string> names;
        collectStrings(Plist::Value(list), names);
        for (const std::string& name : names) {
            if (name.empty() || name.find('.') != std::string::npos) {
                continue;
            }
            for (const char* folder : kReferenceFolders) {
                const std::string path = kPlistFolder + folder + name + ".plist";
                if (seen.count(path) != 0 || !assetIsFile(path)) {
                    continue;
                }
                seen.insert(path);
                Plist::Dictionary named;
                if (!loadList(path, named)) {
                    continue;
                }
                if (std::string(folder) == "bp/" && isEnemyBullet(named)) {
                    int frame = 0;
                    Plist::getInt(named, "atlas frame", frame);
                    frames[name] = frame;
                }
                pending.push_back(std::move(named));
                break;
            }
        }
    }
}

Rgb premultipliedAt(const Image& image, int x, int y, float& alpha) {
    const size_t at =
        (static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 4;
    alpha = channel(image.rgba[at + 3]);
    return {channel(image.rgba[at]) * alpha, channel(image.rgba[at + 1]) * alpha,
            channel(image.rgba[at + 2]) * alpha};
}

}  // namespace

float luma(const Rgb& colour) {
    return 0.2126f * colour.r + 0.7152f * colour.g + 0.0722f * colour.b;
}

float chroma(const Rgb& colour) {
    return std::max({colour.r, colour.g, colour.b}) - std::min({colour.r, colour.g, colour.b});
}

float hue(const Rgb& colour) {
    const float high = std::max({colour.r, colour.g, colour.b});
    const float spread = chroma(colour);
    if (spread <= 0.0f) {
        return 0.0f;
    }
    float sixths = 0.0f;
    if (high == colour.r) {
        sixths = std::fmod((colour.g - colour.b) / spread + 6.0f, 6.0f);
    } else if (high == colour.g) {
        sixths = (colour.b - colour.r) / spread + 2.0f;
    } else {
        sixths = (colour.r - colour.g) / spread + 4.0f;
    }
    const float degrees = sixths * 60.0f;
    return degrees >= 360.0f ? degrees - 360.0f : degrees;
}

float hueDistance(float a, float b) {
    const float apart = std::fmod(std::fabs(a - b), 360.0f);
    return apart > 180.0f ? 360.0f - apart : apart;
}

BulletBody bulletBody(const Image& atlas, int x, int y, int width, int height) {
    BulletBody result;
    Rgb sum, rimSum;
    int opaque = 0, rim = 0;
    for (int row = std::max(0, y); row < std::min(atlas.height, y + height); ++row) {
        for (int column = std::max(0, x); column < std::min(atlas.width, x + width); ++column) {
            const size_t at =
                (static_cast<size_t>(row) * static_cast<size_t>(atlas.width) + static_cast<size_t>(column)) *
                4;
            if (channel(atlas.rgba[at + 3]) < 0.9f) {
                continue;
            }
            const Rgb pixel{channel(atlas.rgba[at]), channel(atlas.rgba[at + 1]),
                            channel(atlas.rgba[at + 2])};
            sum = {sum.r + pixel.r, sum.g + pixel.g, sum.b + pixel.b};
            ++opaque;
            if (luma(pixel) < kRimLuma) {
                rimSum = {rimSum.r + pixel.r, rimSum.g + pixel.g, rimSum.b + pixel.b};
                ++rim;
            }
        }
    }
    if (opaque == 0) {
        return result;
    }
    const auto count = static_cast<float>(opaque);
    result.body = {sum.r / count, sum.g / count, sum.b / count};
    result.visible = true;
    if (static_cast<float>(rim) >= kRimShare * count) {
        result.hasRim = true;
        const auto rims = static_cast<float>(rim);
        result.rimLuma = luma({rimSum.r / rims, rimSum.g / rims, rimSum.b / rims});
    }
    return result;
}

bool tooClose(const BulletBody& bullet, const Rgb& ground) {
    const float bodyLuma = luma(bullet.body);
    const float groundLuma = luma(ground);
    if (std::fabs(bodyLuma - groundLuma) >= kLumaGap) {
        // Darker than its ground, a bullet reads only by a dark rim the ground shows up.
        return groundLuma > bodyLuma && !(bullet.hasRim && groundLuma - bullet.rimLuma >= kRimGap);
    }
    const bool greyBullet = chroma(bullet.body) < kGreyChroma;
    const bool greyGround = chroma(ground) < kGreyChroma;
    if (greyBullet || greyGround) {
        return greyBullet && greyGround;
    }
    return hueDistance(hue(bullet.body), hue(ground)) < kHueGap;
}

Rgb blend(int mode, const Rgb& beneath, const Rgb& source, float sourceAlpha) {
    const auto each = [&](auto rule) {
        return Rgb{std::clamp(rule(beneath.r, source.r), 0.0f, 1.0f),
                   std::clamp(rule(beneath.g, source.g), 0.0f, 1.0f),
                   std::clamp(rule(beneath.b, source.b), 0.0f, 1.0f)};
    };
    const float a = sourceAlpha;
    switch (mode) {
        case 1:
        case 3:
            return each([a](float d, float s) { return d + s * a; });
        case 2:
            return each([](float d, float s) { return s + d * (1.0f - s); });
        case 4:
            return each([a](float d, float s) { return s * a + d * (1.0f - a); });
        case 5:
            return each([a](float d, float s) { return s * d + d * (1.0f - a); });
        case 6:
            return each([a](float d, float s) { return (1.0f - d) * s + d * (1.0f - a); });
        case 7:
            return each([a](float d, float) { return d * a; });
        default:
            return each([a](float d, float s) { return s + d * (1.0f - a); });
    }
}

float closeShare(const BulletBody& bullet, const std::vector<Rgb>& samples) {
    if (samples.empty() || !bullet.visible) {
        return 0.0f;
    }
    const auto close = std::count_if(samples.begin(), samples.end(),
                                     [&bullet](const Rgb& ground) { return tooClose(bullet, ground); });
    return static_cast<float>(close) / static_cast<float>(samples.size());
}

Stage readStage(const std::string& name, const std::string& backgroundList) {
    Stage stage;
    stage.name = name;
    stage.backgroundOf = backgroundList.empty() ? name : backgroundList;
    Plist::Dictionary stageList;
    if (!loadList(kPlistFolder + name + ".plist", stageList)) {
        stage.problems.push_back("the stage list " + kPlistFolder + name + ".plist can't be read");
        return stage;
    }
    Plist::Dictionary backgroundDict = stageList;
    if (!backgroundList.empty() && !loadList(kPlistFolder + backgroundList + ".plist", backgroundDict)) {
        stage.problems.push_back("the background list " + kPlistFolder + backgroundList +
                                 ".plist can't be read");
        return stage;
    }

    // The layers, each sampled where the grid falls on its first cell; layer 0 over black, the
    // others over layer 0.
    std::vector<Rgb> beneath(static_cast<size_t>(kGridSide * kGridSide));
    for (int index = 0;; ++index) {
        Plist::Dictionary layer;
        if (!Plist::getDict(backgroundDict, ("bg " + std::to_string(index)).c_str(), layer)) {
            break;
        }
        LayerSamples samples;
        samples.index = index;
        Plist::getString(layer, "filename", samples.sprite);
        int mode = 0;
        Plist::getInt(layer, "blend mode", mode);
        float alpha = 1.0f;
        if (!Plist::getFloat(layer, "alpha", alpha)) {
            alpha = 1.0f;
        }
        Plist::Dictionary sprite;
        loadList(kPlistFolder + samples.sprite + ".plist", sprite);
        const Grid grid = readGrid(sprite);
        samples.texture = grid.texture;
        Image image;
        if (grid.texture.empty() || !loadImage(grid.texture, image) || image.width == 0 ||
            image.height == 0) {
            stage.problems.push_back("layer " + std::to_string(index) + " (" + samples.sprite +
                                     "): its texture can't be read");
            stage.layers.push_back(std::move(samples));
            continue;
        }
        const int cellWidth = std::max(1, image.width / grid.columns);
        const int cellHeight = std::max(1, image.height / grid.rows);
        samples.samples.resize(beneath.size());
        for (int row = 0; row < kGridSide; ++row) {
            for (int column = 0; column < kGridSide; ++column) {
                const int x = (2 * column + 1) * cellWidth / (2 * kGridSide);
                const int y = (2 * row + 1) * cellHeight / (2 * kGridSide);
                float texelAlpha = 0.0f;
                Rgb source = premultipliedAt(image, x, y, texelAlpha);
                // The layer's vertex colour: (alpha, alpha, alpha, alpha squared) on a white layer.
                source = {source.r * alpha, source.g * alpha, source.b * alpha};
                const size_t at = static_cast<size_t>(row * kGridSide + column);
                samples.samples[at] =
                    blend(mode, index == 0 ? Rgb{} : beneath[at], source, texelAlpha * alpha * alpha);
            }
        }
        if (index == 0) {
            beneath = samples.samples;
        }
        stage.layers.push_back(std::move(samples));
    }

    // The bullets, one entry per atlas cell.
    std::string atlasName;
    Plist::getString(stageList, "bullet atlas", atlasName);
    Plist::Dictionary atlasList;
    Image atlas;
    if (atlasName.empty() || !loadList(kPlistFolder + atlasName + ".plist", atlasList)) {
        stage.problems.push_back("the bullet atlas \"" + atlasName + "\" can't be read");
        return stage;
    }
    const Grid grid = readGrid(atlasList);
    if (!loadImage(grid.texture, atlas)) {
        stage.problems.push_back("the bullet atlas's texture \"" + grid.texture + "\" can't be read");
        return stage;
    }
    std::map<std::string, int> frames;
    findBullets(stageList, frames);
    std::map<int, BulletCell> cells;
    const int cellWidth = atlas.width / grid.columns;
    const int cellHeight = atlas.height / grid.rows;
    for (const auto& [bullet, frame] : frames) {
        if (frame < 0 || frame >= grid.columns * grid.rows) {
            continue;  // the game draws nothing it could compare
        }
        BulletCell& cell = cells[frame];
        if (cell.names.empty()) {
            cell.frame = frame;
            cell.body = bulletBody(atlas, (frame % grid.columns) * cellWidth,
                                   (frame / grid.columns) * cellHeight, cellWidth, cellHeight);
        }
        cell.names.push_back(bullet);
    }
    for (auto& entry : cells) {
        stage.bullets.push_back(std::move(entry.second));
    }
    return stage;
}

std::vector<Finding> checkStage(const Stage& stage, Finding* closest) {
    std::vector<Finding> findings;
    for (const LayerSamples& layer : stage.layers) {
        for (const BulletCell& bullet : stage.bullets) {
            const float share = closeShare(bullet.body, layer.samples);
            const Finding finding{
                stage.name, stage.backgroundOf, layer.index, layer.sprite, layer.texture, &bullet, share};
            if (closest != nullptr && (closest->bullet == nullptr || share > closest->share)) {
                *closest = finding;
            }
            if (share > kMostCloseArea) {
                findings.push_back(finding);
            }
        }
    }
    return findings;
}

std::string hexOf(const Rgb& colour) {
    const auto byte = [](float value) {
        return static_cast<int>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
    };
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(colour.r), byte(colour.g), byte(colour.b));
    return text;
}

}  // namespace contrast
