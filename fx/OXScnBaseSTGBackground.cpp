#include "fx/OXScnBaseSTGBackground.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "data/AssetPackage.h"
#include "data/PlistRead.h"
#include "engine/BlendMode.h"
#include "engine/OXSprite.h"
#include "fx/OXVolleyBg.h"

namespace {

constexpr const char* kSquareSprite = "assets/plist/spr_invert_square";
constexpr float kFadeInAfterMs = 1000.0f;  // stage time at which the background fades in
constexpr float kFadeInMs = 1000.0f;
constexpr float kEventLayerFadeMs = 100.0f;
constexpr float kEventShowFlashMs = 1500.0f;
constexpr float kEventEndFlashMs = 800.0f;
// A command of no length still ends on the next frame, so the script goes on.
constexpr float kShortestCommandMs = 1.0f;
constexpr int kLayerIndexChars = 12;  // "%d " of one index, with room to spare

const Colour kWhite{1, 1, 1, 1};
const Colour kBlack{0, 0, 0, 1};
const Colour kEventFlash{2, 2, 2, 1};

struct CommandName {
    const char* type;
    OXScnBaseSTGBackground::CommandKind kind;
};
const CommandName kCommandNames[] = {
    {"fade", OXScnBaseSTGBackground::FadeCommand},
    {"fade out", OXScnBaseSTGBackground::FadeOutCommand},
    {"translate", OXScnBaseSTGBackground::TranslateCommand},
    {"translate relative", OXScnBaseSTGBackground::TranslateRelativeCommand},
    {"translate out", OXScnBaseSTGBackground::TranslateOutCommand},
    {"rotate", OXScnBaseSTGBackground::RotateCommand},
    {"rotate relative", OXScnBaseSTGBackground::RotateRelativeCommand},
    {"fade glare", OXScnBaseSTGBackground::FadeGlareCommand},
    {"fade out glare", OXScnBaseSTGBackground::FadeOutGlareCommand},
};

// Whole numbers separated by blanks; anything else is reported and skipped.
std::vector<int> parseIndices(const std::string& text, const char* what) {
    std::vector<int> indices;
    const char* cursor = text.c_str();
    while (*cursor != '\0') {
        if (*cursor == ' ' || *cursor == '\t') {
            ++cursor;
            continue;
        }
        char* end = nullptr;
        errno = 0;
        const long value = std::strtol(cursor, &end, 10);
        const bool separated = end != cursor && (*end == '\0' || *end == ' ' || *end == '\t');
        if (separated && errno == 0 && value >= -1000000 && value <= 1000000) {
            indices.push_back(static_cast<int>(value));
            cursor = end;
            continue;
        }
        const char* wordEnd = cursor;
        while (*wordEnd != '\0' && *wordEnd != ' ' && *wordEnd != '\t') {
            ++wordEnd;
        }
        std::printf("BACKGROUND %s: \"%.*s\" IS NOT A LAYER INDEX\n", what,
                    static_cast<int>(wordEnd - cursor), cursor);
        cursor = wordEnd;
    }
    return indices;
}

Colour multiply(const Colour& a, const Colour& b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b, a.a * b.a};
}

Colour blendColours(const Colour& from, const Colour& to, float towardsTo) {
    const float keep = 1.0f - towardsTo;
    return {from.r * keep + to.r * towardsTo, from.g * keep + to.g * towardsTo,
            from.b * keep + to.b * towardsTo, from.a * keep + to.a * towardsTo};
}

void showLayer(OXVolleyBg& layer) {
    layer.setVisible(true);
    layer.setActive(true);
}

void hideLayer(OXVolleyBg& layer) {
    layer.setVisible(false);
    layer.setActive(false);
}

// The script's end: time and duration -1, nothing named.
const OXScnBaseSTGBackground::AnimCommand kNoCommand{};

}  // namespace

OXScnBaseSTGBackground::CommandKind OXScnBaseSTGBackground::commandKind(const std::string& type) {
    for (const CommandName& name : kCommandNames) {
        if (type == name.type) {
            return name.kind;
        }
    }
    return OXScnBaseSTGBackground::UnknownCommand;
}

OXScnBaseSTGBackground::OXScnBaseSTGBackground() = default;

OXScnBaseSTGBackground::~OXScnBaseSTGBackground() = default;

// ---- Loading ----

bool OXScnBaseSTGBackground::readBackgroundFile(const std::string& file, Plist::Dictionary& out) const {
    out.clear();
    if (!Plist::loadContent(file, out)) {
        if (!assetExists(file)) {
            std::printf("BACKGROUND FILE %s NOT FOUND\n", file.c_str());
        }
        out.clear();
        return false;
    }
    return true;
}

void OXScnBaseSTGBackground::loadLayers(const Plist::Dictionary& file, std::vector<OXVolleyBg*>& into,
                                        float rotationDefault, const char* labelPrefix) {
    for (int index = 0;; ++index) {
        const std::string key = "bg " + std::to_string(index);
        const Plist::Dictionary* description = Plist::findDict(file, key);
        if (description == nullptr) {
            if (file.count(key) != 0) {
                std::printf("BACKGROUND %s IS NOT A DICTIONARY, LAYERS END THERE\n", key.c_str());
            }
            break;
        }
        auto* layer = new OXVolleyBg();
        layer->loadLayer(*description, sceneWidth, sceneHeight, rotationDefault,
                         std::string(labelPrefix) + " " + std::to_string(index));
        layer->setTintSource(&drawnTint);
        addObject(layer);
        into.push_back(layer);
    }
}

void OXScnBaseSTGBackground::loadStageBackground(const std::string& path) {
    sceneWidth = viewWidth;
    sceneHeight = viewHeight;

    barSprite = new OXSprite();
    barSprite->load(kSquareSprite);
    barSprite->setPosition(160, -46, 1);
    barSprite->setScale(5, 2.25f, 1);
    barSprite->setColour(0, 0, 0, 1);
    barSprite->setBlendMode(BlendPremultiplied);
    addObject(barSprite);

    flashSprite = new OXSprite();
    flashSprite->load(kSquareSprite);
    flashSprite->setPosition(160, 240, 1);
    flashSprite->setScale(5, 8, 1);
    flashSprite->setColour(0.7f, 1, 1, 1);
    flashSprite->setBlendMode(BlendInverseMultiply);
    flashSprite->setVisible(false);
    flashSprite->setActive(false);
    addOverlay(flashSprite);

    Plist::Dictionary file;
    readBackgroundFile(path + ".plist", file);
    loadLayers(file, layers, 1.0f, "bg");
    // Room for every index, so that recording the visible layers never allocates in play.
    currentLayers.reserve(layers.size() * kLayerIndexChars + 1);
    showStartLayers(Plist::textOf(file, "start bg"));
    readScript(file);

    animIndex = 0;
    busy = false;
    loadNextCommand();
    colour = kBlack;
    fadedIn = false;
    refreshLayerTint();
}

void OXScnBaseSTGBackground::loadEventBackground(const std::string& path) {
    Plist::Dictionary file;
    readBackgroundFile(path + ".plist", file);
    loadLayers(file, eventLayers, 0.0f, "event bg");
    refreshLayerTint();
}

void OXScnBaseSTGBackground::showStartLayers(const std::string& startBg) {
    const std::vector<int> shown = parseIndices(startBg, "start bg");
    if (shown.empty()) {
        // Every layer shows, and every layer comes back after a boss event.
        for (OXVolleyBg* layer : layers) {
            showLayer(*layer);
        }
        recordVisibleLayers();
        return;
    }
    for (int index : shown) {
        if (OXVolleyBg* layer = layerAt(index)) {
            showLayer(*layer);
        } else {
            std::printf("BACKGROUND start bg NAMES bg %d, WHICH DOES NOT EXIST\n", index);
        }
    }
    currentLayers = startBg;
}

void OXScnBaseSTGBackground::readScript(const Plist::Dictionary& file) {
    animData.clear();
    const Plist::Array* found = Plist::findArray(file, "stage anim data");
    if (found == nullptr) {
        if (file.count("stage anim data") != 0) {
            std::printf("BACKGROUND stage anim data IS NOT AN ARRAY, NO SCRIPT\n");
        }
        return;
    }
    const Plist::Array& script = *found;
    animData.reserve(script.size());
    for (size_t entry = 0; entry < script.size(); ++entry) {
        const Plist::Dictionary* fields = Plist::asDict(script[entry]);
        if (!fields) {
            std::printf("BACKGROUND stage anim data %zu IS NOT A DICTIONARY, SKIPPED\n", entry);
            continue;
        }
        AnimCommand command;
        command.type = Plist::textOf(*fields, "type");
        command.kind = commandKind(command.type);
        command.time = Plist::floatOr(*fields, "time", 0.0f);
        command.duration = Plist::floatOr(*fields, "duration", 0.0f);
        command.in = parseIndices(Plist::textOf(*fields, "in"), "stage anim data in");
        command.out = parseIndices(Plist::textOf(*fields, "out"), "stage anim data out");
        command.relativeX = Plist::floatOr(*fields, "relative x", 0.0f);
        command.relativeY = Plist::floatOr(*fields, "relative y", 0.0f);
        command.rotateX = Plist::floatOr(*fields, "rotate x", 0.0f);
        command.rotateY = Plist::floatOr(*fields, "rotate y", 0.0f);
        command.rotateZ = Plist::floatOr(*fields, "rotate z", 0.0f);
        animData.push_back(std::move(command));
    }
}

// ---- Accessors ----

OXVolleyBg* OXScnBaseSTGBackground::layerAt(int index) const {
    return index >= 0 && index < layerCount() ? layers[static_cast<size_t>(index)] : nullptr;
}

OXVolleyBg* OXScnBaseSTGBackground::getLayer(int index) const {
    return layerAt(index);
}

OXVolleyBg* OXScnBaseSTGBackground::getEventLayer(int index) const {
    return index >= 0 && index < eventLayerCount() ? eventLayers[static_cast<size_t>(index)] : nullptr;
}

const OXScnBaseSTGBackground::AnimCommand& OXScnBaseSTGBackground::currentCommand() const {
    return runningCommand >= 0 ? animData[static_cast<size_t>(runningCommand)] : kNoCommand;
}

// ---- The frame ----

void OXScnBaseSTGBackground::update(float dtMs) {
    runScript();
    flashRule.advance(dtMs);
    advanceFlash(dtMs);
    OXScene::update(dtMs);
    refreshLayerTint();
}

void OXScnBaseSTGBackground::runScript() {
    if (!fadedIn && stageTime > kFadeInAfterMs) {
        fadedIn = true;
        tintTo(kFadeInMs, kBlack, kWhite, 0.75f, nullptr, nullptr);
    }
    const AnimCommand& command = currentCommand();
    if (!busy && command.time > -1.0f && command.time <= stageTime) {
        busy = true;
        startCommand(command);
    }
}

void OXScnBaseSTGBackground::startCommand(const AnimCommand& command) {
    const float ms = std::max(command.duration, kShortestCommandMs);
    const Vec3 movement{command.relativeX * sceneWidth, command.relativeY * sceneHeight, 0.0f};
    const Vec3 turn{command.rotateX, command.rotateY, command.rotateZ};
    bool touched = false;
    bool callbackGiven = false;
    // The first animation started carries the command's completion.
    struct Completion {
        void* target;
        ActionCallback callback;
    };
    auto completion = [&]() -> Completion {
        if (callbackGiven) {
            return {nullptr, nullptr};
        }
        callbackGiven = true;
        return {this, commandDone};
    };
    // Calls `act` on every existing layer of `indices`, made visible and active.
    auto each = [&](const std::vector<int>& indices, auto act) {
        for (int index : indices) {
            if (OXVolleyBg* layer = layerAt(index)) {
                touched = true;
                showLayer(*layer);
                act(*layer);
            }
        }
    };
    auto fadeOutLayers = [&](OXVolleyBg& layer) {
        const Completion done = completion();
        layer.fadeTo(ms, 1.0f, 0.0f, 1.0f, done.target, done.callback);
    };
    auto fadeInLayers = [&](OXVolleyBg& layer) {
        const Completion done = completion();
        layer.fadeTo(ms, 0.0f, 1.0f, 1.0f, done.target, done.callback);
    };
    auto moveLayers = [&](float easing) {
        return [&, easing](OXVolleyBg& layer) {
            const Completion done = completion();
            layer.moveBy(ms, movement, easing, done.target, done.callback);
        };
    };
    auto showAtOnce = [](OXVolleyBg&) {};

    switch (command.kind) {
        case FadeCommand:
            each(command.in, fadeInLayers);
            each(command.out, fadeOutLayers);
            break;
        case FadeOutCommand:
            each(command.out, fadeOutLayers);
            each(command.in, [](OXVolleyBg& layer) { layer.setAlpha(1.0f); });
            break;
        case TranslateCommand:
            each(command.out, fadeOutLayers);
            each(command.in, [&](OXVolleyBg& layer) {
                layer.setPosition(layer.getPosition() - movement);
                moveLayers(2.0f)(layer);
            });
            break;
        case TranslateRelativeCommand:
            each(command.out, fadeOutLayers);
            each(command.in, moveLayers(2.0f));
            break;
        case TranslateOutCommand:
            each(command.out, moveLayers(0.75f));
            each(command.in, fadeInLayers);
            break;
        case RotateCommand:
            each(command.in, [&](OXVolleyBg& layer) {
                const Completion done = completion();
                layer.rotateTo(ms, layer.getRotation(), turn, 1.75f, done.target, done.callback);
            });
            break;
        case RotateRelativeCommand:
            each(command.in, [&](OXVolleyBg& layer) {
                const Completion done = completion();
                layer.rotateTo(ms, layer.getRotation(), layer.getRotation() + turn, 2.0f, done.target,
                               done.callback);
            });
            break;
        case FadeGlareCommand:
            each(command.in, fadeInLayers);
            break;
        case FadeOutGlareCommand:
            each(command.out, fadeOutLayers);
            each(command.in, showAtOnce);
            break;
        case UnknownCommand:
            break;
    }

    const int number = runningCommand;
    if (command.kind == UnknownCommand) {
        std::printf("BACKGROUND stage anim data %d: UNKNOWN TYPE \"%s\", THE SCRIPT STOPS HERE\n", number,
                    command.type.c_str());
    } else if (!touched) {
        std::printf("BACKGROUND stage anim data %d (%s) NAMES NO LAYER, THE SCRIPT STOPS HERE\n", number,
                    command.type.c_str());
    } else if (!callbackGiven) {
        // Every layer it named changed at once: the command is already over.
        finishCommand();
    }
}

bool OXScnBaseSTGBackground::commandDone(void* scene, int) {
    static_cast<OXScnBaseSTGBackground*>(scene)->finishCommand();
    return false;
}

void OXScnBaseSTGBackground::finishCommand() {
    for (int index : currentCommand().out) {
        if (OXVolleyBg* layer = layerAt(index)) {
            hideLayer(*layer);
        }
    }
    if (recordCurrentLayers) {
        recordVisibleLayers();
    }
    busy = false;
    loadNextCommand();
}

void OXScnBaseSTGBackground::loadNextCommand() {
    if (animIndex < commandCount()) {
        runningCommand = animIndex++;
    } else {
        runningCommand = -1;
    }
}

void OXScnBaseSTGBackground::recordVisibleLayers() {
    currentLayers.clear();
    char text[kLayerIndexChars];
    for (int index = 0; index < layerCount(); ++index) {
        if (layers[static_cast<size_t>(index)]->isVisible()) {
            std::snprintf(text, sizeof text, "%d ", index);
            currentLayers += text;
        }
    }
}

// ---- Boss event ----

void OXScnBaseSTGBackground::showBossEvent() {
    if (eventShown) {
        return;
    }
    eventShown = true;
    eventFadedLayer = nullptr;
    for (OXVolleyBg* layer : layers) {
        if (!layer->isVisible()) {
            continue;
        }
        if (!eventFadedLayer) {
            eventFadedLayer = layer;
            alphaBeforeEvent = layer->getAlpha();
            layer->fadeTo(kEventLayerFadeMs, 1.0f, 0.0f, 1.0f, this, eventFadeDone);
        } else {
            hideLayer(*layer);
        }
    }
    for (OXVolleyBg* layer : eventLayers) {
        showLayer(*layer);
    }
    tintTo(kEventShowFlashMs, flashRule.wash(kEventFlash), kWhite, 0.5f, nullptr, nullptr);
}

bool OXScnBaseSTGBackground::eventFadeDone(void* scene, int) {
    auto* self = static_cast<OXScnBaseSTGBackground*>(scene);
    // The event may have ended before its first layer had faded.
    if (self->eventShown && self->eventFadedLayer) {
        hideLayer(*self->eventFadedLayer);
    }
    return false;
}

void OXScnBaseSTGBackground::endBossEvent() {
    if (!eventShown) {
        return;
    }
    eventShown = false;
    for (OXVolleyBg* layer : eventLayers) {
        hideLayer(*layer);
    }
    // Indices come back only in rising order.
    int previous = -1;
    const char* cursor = currentLayers.c_str();
    char* end = nullptr;
    for (long value = std::strtol(cursor, &end, 10); end != cursor; value = std::strtol(cursor, &end, 10)) {
        cursor = end;
        const int index = static_cast<int>(value);
        OXVolleyBg* layer = layerAt(index);
        if (index > previous && layer) {
            std::printf("showing bg %d\n", index);
            showLayer(*layer);
            if (layer == eventFadedLayer) {
                // Its own alpha, not the boss event's fade, whose end would otherwise still run.
                layer->fadeTo(kShortestCommandMs, alphaBeforeEvent, alphaBeforeEvent);
            }
        }
        previous = index;
    }
    eventFadedLayer = nullptr;
    tintTo(kEventEndFlashMs, flashRule.wash(kEventFlash), kWhite, 1.0f, nullptr, nullptr);
}

// ---- Tints ----

void OXScnBaseSTGBackground::flashTint(const Colour& tint, float durationMs) {
    flashLegs[0] = {flashRule.wash(tint), kWhite, durationMs};
    flashLegCount = 1;
    flashElapsed = 0.0f;
    advanceFlash(0.0f);
    refreshLayerTint();
}

void OXScnBaseSTGBackground::flashTintTwoStep(const Colour& dark, float darkMs, const Colour& bright,
                                              float brightMs) {
    flashLegs[0] = {flashColour, flashRule.wash(dark), darkMs};
    flashLegs[1] = {flashRule.wash(bright), kWhite, brightMs};
    flashLegCount = 2;
    flashElapsed = 0.0f;
    advanceFlash(0.0f);
    refreshLayerTint();
}

void OXScnBaseSTGBackground::advanceFlash(float dtMs) {
    flashElapsed += dtMs;
    while (flashLegCount > 0) {
        const TintLeg& leg = flashLegs[0];
        if (flashElapsed < leg.durationMs) {
            flashColour = blendColours(leg.from, leg.to, flashElapsed / leg.durationMs);
            return;
        }
        // The leg is over: the next starts with the time left over.
        flashColour = leg.to;
        flashElapsed -= std::max(leg.durationMs, 0.0f);
        flashLegs[0] = flashLegs[1];
        --flashLegCount;
    }
    flashElapsed = 0.0f;
}

void OXScnBaseSTGBackground::refreshLayerTint() {
    layerTint = FlashRule::bound(multiply(colour, flashColour));
    drawnTint = layerTint;
}

void OXScnBaseSTGBackground::drawObjects() {
    // Dimming scales the layers' colour, not their cover: the picture darkens as under a veil
    // of black, and the bar and the flash keep their own look.
    const float kept = 1.0f - (visibility != nullptr ? visibility->backgroundDimming : 0.0f);
    drawnTint = {layerTint.r * kept, layerTint.g * kept, layerTint.b * kept, layerTint.a};
    OXScene::drawObjects();
}
