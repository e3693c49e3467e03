#pragma once
// Enemy bullets against the stage backgrounds they fly over: the colour maths, the rule that says
// when a bullet is too close to a background, and the walk that finds every stage's bullets and
// layers in the mounted package.
//
// The rule (tools/artgen/README.md says it for artists): a bullet's body is the mean colour of its
// opaque pixels (alpha at least 0.9) in its atlas cell, drawn untinted. A background sample is
// too close to the body when their luma differs by less than kLumaGap and their hues lie within
// kHueGap degrees (two greys count as the same hue; a grey and a colour never do). A sample
// brighter than the body by kLumaGap or more is too close too, unless the bullet has a dark rim
// at least kRimGap darker than the sample: then the rim outlines it. A bullet fails on a layer
// when more than kMostCloseArea of the layer's
// samples are too close. Colours are the gamma-encoded values the blend works on; luma is
// 0.2126 R + 0.7152 G + 0.0722 B of them.

#include <cstdint>
#include <string>
#include <vector>

namespace contrast {

constexpr float kLumaGap = 0.10f;        // luma closer than this may hide a bullet
constexpr float kHueGap = 30.0f;         // degrees
constexpr float kGreyChroma = 0.12f;     // max - min of R, G, B below this: a grey, no hue
constexpr float kRimGap = 0.25f;         // luma a background needs above the rim for it to read
constexpr float kRimLuma = 0.2f;         // opaque pixels darker than this are the rim
constexpr float kRimShare = 0.1f;        // the rim is that many of the opaque pixels at least
constexpr float kMostCloseArea = 0.02f;  // share of a layer's samples that may be too close
constexpr int kGridSide = 96;            // samples across and down each layer

struct Rgb {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

float luma(const Rgb& colour);
float chroma(const Rgb& colour);
// Hue in degrees, 0 (red) up to but not including 360.
float hue(const Rgb& colour);
// The shorter way round the colour wheel between two hues, 0 to 180.
float hueDistance(float a, float b);

// An image as decoded: straight (not premultiplied) RGBA, 8 bits a channel, rows from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

// What a bullet looks like, from the pixels of its atlas cell.
struct BulletBody {
    Rgb body;              // mean of the opaque pixels
    bool hasRim = false;   // a dark outline round the body
    float rimLuma = 0.0f;  // the outline's mean luma
    bool visible = false;  // the cell has opaque pixels at all
};

// The body of the cell at (x, y, width, height) of `atlas`.
BulletBody bulletBody(const Image& atlas, int x, int y, int width, int height);

// True when a background of colour `ground` may hide the bullet (the rule above).
bool tooClose(const BulletBody& bullet, const Rgb& ground);

// One background layer as the stage shows it, sampled on the grid: what lies beneath it (the
// stage's first layer) with it drawn over, by its blend mode and alpha.
struct LayerSamples {
    int index = 0;             // "bg %d"
    std::string sprite;        // the layer's sprite list
    std::string texture;       // its texture file
    std::vector<Rgb> samples;  // kGridSide x kGridSide, or empty when the texture is missing
};

// A premultiplied sample `source` drawn over `beneath` with one of the graphics manager's blend
// modes (0-7; any other draws as 0).
Rgb blend(int mode, const Rgb& beneath, const Rgb& source, float sourceAlpha);

// The share of `samples` too close to `bullet`, 0 to 1.
float closeShare(const BulletBody& bullet, const std::vector<Rgb>& samples);

// A stage's enemy bullets that share one atlas cell.
struct BulletCell {
    int frame = 0;
    std::vector<std::string> names;  // their bullet lists, sorted
    BulletBody body;
};

// One stage as the check sees it: its layers and its bullets.
struct Stage {
    std::string name;          // the stage list ("stage_1")
    std::string backgroundOf;  // the list the layers come from (the stage's, or the boss event's)
    std::vector<LayerSamples> layers;
    std::vector<BulletCell> bullets;
    std::vector<std::string> problems;  // what could not be read
};

// Reads the stage list "assets/plist/" + name + ".plist" from the mounted package: its layers
// (from `backgroundList`, "" for the stage's own), its bullet atlas and every enemy bullet the
// lists it names lead to (waves, enemies, bosses, fire patterns), beams and player shots left out.
Stage readStage(const std::string& name, const std::string& backgroundList = "");

// One bullet too close to one layer.
struct Finding {
    std::string stage;
    std::string backgroundOf;
    int layer = 0;
    std::string sprite;
    std::string texture;
    const BulletCell* bullet = nullptr;
    float share = 0.0f;
};

// Every bullet of the stage against every layer; the closest pair goes to `closest` when given.
std::vector<Finding> checkStage(const Stage& stage, Finding* closest = nullptr);

// "#rrggbb" of a colour.
std::string hexOf(const Rgb& colour);

}  // namespace contrast
