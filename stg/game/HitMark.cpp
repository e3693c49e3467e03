#include "stg/game/HitMark.h"

#include <algorithm>
#include <cmath>

#include "engine/BlendMode.h"
#include "engine/OXSprite.h"
#include "engine/OXTextBox.h"
#include "stg/game/FieldFraming.h"
#include "stg/game/Replay.h"

namespace {
constexpr const char* kRingSprite = "assets/plist/spr_ring_effects";
constexpr const char* kFont = "assets/plist/fnt_novo_white";
constexpr float kFieldWidth = 320.0f;
constexpr float kFieldHeight = framing::kFieldHeight;
// The HUD's top rows (score, chain, boss gauge) cover the field above this: a name stays under.
constexpr float kLabelTop = 416.0f;
constexpr float kGap = 4.0f;          // units between the ring and the label
constexpr float kStripPad = 3.0f;     // units of dark strip around the label
constexpr float kStripAlpha = 0.65f;  // enough to read the name over bullets
constexpr float kLabelDepth = 20.0f;  // over everything the field draws
constexpr float kTwoPi = 6.2831853f;
const std::string kNoLabel;
}  // namespace

HitMark::HitMark() = default;
HitMark::~HitMark() = default;

void HitMark::make() {
    ring = std::make_unique<OXSprite>();
    ring->load(kRingSprite);
    ring->setBlendMode(BlendPremultiplied);
    ring->setColour(kTint.r, kTint.g, kTint.b, 1.0f);
    strip = std::make_unique<OXSprite>();
    strip->loadFill({0.0f, 0.0f, 0.0f, kStripAlpha}, 1.0f, 1.0f);
    text = std::make_unique<OXTextBox>();
    text->load(kFont);
    text->setCharSize(kLabelSize);
    text->setAlignment(OXTextBox::AlignLeft);
    text->setColour(kTint.r, kTint.g, kTint.b, 1.0f);
}

void HitMark::show(const ReplayHit* hit) {
    shown = hit != nullptr;
    if (!hit) {
        return;
    }
    if (!ring) {
        make();
    }
    // A damaged record's point stands at the field's centre rather than nowhere.
    at = {std::isfinite(hit->x) ? hit->x : kFieldWidth * 0.5f,
          std::isfinite(hit->y) ? hit->y : kFieldHeight * 0.5f, kLabelDepth};
    const float size = std::isfinite(hit->radius) ? std::max(0.0f, hit->radius) : 0.0f;
    radius = std::max(kLeastRadius, size + kMargin);
    text->setText(hit->attack);
}

const std::string& HitMark::label() const {
    return text ? text->getText() : kNoLabel;
}

HitMark::LabelPlace HitMark::placeLabel(const Vec3& centre, float ringRadius, int glyphs, int size,
                                        float viewLeft, float viewRight) {
    const float width = static_cast<float>(size) * 0.5f * static_cast<float>(glyphs);
    const float height = static_cast<float>(size) * 0.5f;
    const float left = std::max(0.0f, viewLeft) + kStripPad;
    const float right = std::min(kFieldWidth, viewRight) - kStripPad;
    LabelPlace place;
    place.left = centre.x + ringRadius + kGap;
    if (place.left + width > right) {
        place.left = centre.x - ringRadius - kGap - width;  // no room on the right: the left side
    }
    // A name wider than the view starts at its left edge and runs out on the right.
    place.left = std::max(left, std::min(place.left, right - width));
    place.baseline = centre.y + kGap;
    if (place.baseline + height > kLabelTop) {
        place.baseline = centre.y - kGap - height;  // near the top: under the centre
    }
    place.baseline = std::clamp(place.baseline, kStripPad, kLabelTop - height);
    return place;
}

void HitMark::draw(float viewLeft, float viewRight, float clockMs) {
    if (!shown || !ring) {
        return;
    }
    const float swell = 1.0f + kPulseDepth * std::sin(std::fmod(clockMs, kPulseMs) / kPulseMs * kTwoPi);
    const float diameter = 2.0f * radius * swell;
    const Vec3& cell = ring->getSize();
    ring->setPosition(at);
    ring->setScale(cell.x > 0.0f ? diameter / cell.x : 0.0f, cell.y > 0.0f ? diameter / cell.y : 0.0f, 1.0f);
    ring->setAlpha(0.85f + 0.15f * swell / (1.0f + kPulseDepth));
    ring->updateMatrix();
    ring->draw();

    if (text->getText().empty()) {
        return;
    }
    const LabelPlace place = placeLabel(at, radius, text->glyphCount(), kLabelSize, viewLeft, viewRight);
    const float width = text->textWidth();
    const float height = static_cast<float>(kLabelSize) * 0.5f;
    const Vec3& unit = strip->getSize();
    strip->setPosition(place.left + width * 0.5f, place.baseline + height * 0.5f, kLabelDepth);
    strip->setScale(unit.x > 0.0f ? (width + 2.0f * kStripPad) / unit.x : 0.0f,
                    unit.y > 0.0f ? (height + 2.0f * kStripPad) / unit.y : 0.0f, 1.0f);
    strip->updateMatrix();
    strip->draw();
    text->setPosition(place.left, place.baseline, kLabelDepth);
    text->updateMatrix();
    text->draw();
}
