#pragma once

#include "engine/IXRenderObject.h"

// Called once when a timed action ends: (its target, an argument that is 0 but
// for the scale channel's own). The return value is not used by the actions.
using ActionCallback = bool (*)(void* target, int argument);

// A render object with timed actions: an alpha fade, a scale, a move, a colour
// tint and a rotation, each interpolated over a duration in milliseconds with
// a power-curve easing and an optional completion callback, plus a constant
// spin. These actions animate every menu, transition and pulse.
class IXTransformable : public IXRenderObject {
  public:
    void load(const std::string& path) override;
    void resetActions() override;
    void update(float dtMs) override;

    // Starting an action replaces whatever its channel was doing, without
    // calling the old callback. Fade and scale also make the object visible
    // and active.
    void fadeTo(float durationMs, float from, float to, float easing = 1.0f, void* target = nullptr,
                ActionCallback callback = nullptr);
    void scaleTo(float durationMs, const Vec3& from, const Vec3& to, float easing = 1.0f,
                 void* target = nullptr, ActionCallback callback = nullptr);
    void scaleTo(float durationMs, const Vec3& from, const Vec3& to, float easing, void* target, int argument,
                 ActionCallback callback);
    // Moves from the current position to position + delta.
    void moveBy(float durationMs, const Vec3& delta, float easing, void* target = nullptr,
                ActionCallback callback = nullptr);
    void tintTo(float durationMs, const Colour& from, const Colour& to, float easing, void* target,
                ActionCallback callback);
    void rotateTo(float durationMs, const Vec3& from, const Vec3& to, float easing, void* target,
                  ActionCallback callback);
    // Degrees per millisecond, per axis.
    void setSpinRate(float x, float y, float z) { spinRate = {x, y, z}; }
    // When false the object hides and deactivates itself once its last action ends.
    void setKeepAlive(bool value) { keepAlive = value; }
    bool isKeptAlive() const { return keepAlive; }
    bool hasRunningActions() const { return hasActions; }

  protected:
    enum Channel { Fade, Scale, Move, Tint, Rotate, ChannelCount };

    // Advances one channel's timer; returns the interpolation weight of the
    // start value (1 at the start, 0 at the end), or -1 when it has just ended.
    float advanceTimer(Channel channel, float dtMs);
    void finish(Channel channel);
    float easedWeight(Channel channel, float weight) const;

    float timers[ChannelCount] = {};     // remaining milliseconds
    float durations[ChannelCount] = {};  // milliseconds
    float easings[ChannelCount] = {1, 1, 1, 1, 1};
    Vec3 scaleFrom{}, scaleTo_{};
    Vec3 moveFrom{}, moveTo{};
    float fadeTarget = 1.0f, fadeFrom = 1.0f;  // alpha
    Colour tintFrom{}, tintTarget{};
    Vec3 rotateFrom{}, rotateTarget{};  // degrees
    Vec3 spinRate{};                    // degrees per millisecond
    bool keepAlive = true;
    ActionCallback callbacks[ChannelCount] = {};
    void* targets[ChannelCount] = {};
    int scaleArgument = 0;
    bool hasActions = false;  // set when a fade, scale, move or tint starts
};
