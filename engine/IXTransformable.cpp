#include "engine/IXTransformable.h"

#include <cmath>

void IXTransformable::load(const std::string& path) {
    IXRenderObject::load(path);
    resetActions();
}

void IXTransformable::resetActions() {
    for (int channel = 0; channel < ChannelCount; ++channel) {
        timers[channel] = 0.0f;
        durations[channel] = 0.0f;
        easings[channel] = 1.0f;
        callbacks[channel] = nullptr;
        targets[channel] = nullptr;
    }
    scaleFrom = scaleTo_ = {};
    moveFrom = moveTo = {};
    fadeTarget = fadeFrom = 1.0f;
    rotateTarget = {};
    spinRate = {};
    keepAlive = true;
    scaleArgument = 0;
    hasActions = false;
    colour = {1, 1, 1, 1};
}

void IXTransformable::fadeTo(float durationMs, float from, float to, float easing, void* target,
                             ActionCallback callback) {
    timers[Fade] = durations[Fade] = durationMs;
    easings[Fade] = easing;
    fadeFrom = from;
    fadeTarget = to;
    colour.a = from;
    targets[Fade] = target;
    callbacks[Fade] = callback;
    visible = active = true;
    hasActions = true;
}

void IXTransformable::scaleTo(float durationMs, const Vec3& from, const Vec3& to, float easing, void* target,
                              ActionCallback callback) {
    scaleTo(durationMs, from, to, easing, target, 0, callback);
}

void IXTransformable::scaleTo(float durationMs, const Vec3& from, const Vec3& to, float easing, void* target,
                              int argument, ActionCallback callback) {
    timers[Scale] = durations[Scale] = durationMs;
    easings[Scale] = easing;
    scaleFrom = from;
    scaleTo_ = to;
    scale = from;
    targets[Scale] = target;
    scaleArgument = argument;
    callbacks[Scale] = callback;
    visible = active = true;
    hasActions = true;
}

void IXTransformable::moveBy(float durationMs, const Vec3& delta, float easing, void* target,
                             ActionCallback callback) {
    timers[Move] = durations[Move] = durationMs;
    easings[Move] = easing;
    moveFrom = position;
    moveTo = position + delta;
    targets[Move] = target;
    callbacks[Move] = callback;
    hasActions = true;
}

void IXTransformable::tintTo(float durationMs, const Colour& from, const Colour& to, float easing,
                             void* target, ActionCallback callback) {
    timers[Tint] = durations[Tint] = durationMs;
    easings[Tint] = easing;
    tintFrom = from;
    tintTarget = to;
    colour = from;
    targets[Tint] = target;
    callbacks[Tint] = callback;
    hasActions = true;
}

void IXTransformable::rotateTo(float durationMs, const Vec3& from, const Vec3& to, float easing, void* target,
                               ActionCallback callback) {
    timers[Rotate] = durations[Rotate] = durationMs;
    easings[Rotate] = easing;
    rotateFrom = from;
    rotateTarget = to;
    rotation = from;
    targets[Rotate] = target;
    callbacks[Rotate] = callback;
}

float IXTransformable::advanceTimer(Channel channel, float dtMs) {
    timers[channel] -= dtMs;
    if (timers[channel] > 0.0f) {
        return timers[channel] / durations[channel];
    }
    timers[channel] = 0.0f;
    return -1.0f;
}

float IXTransformable::easedWeight(Channel channel, float weight) const {
    return easings[channel] != 1.0f ? std::pow(weight, easings[channel]) : weight;
}

void IXTransformable::finish(Channel channel) {
    // The callback may start a new action on this same channel; that action
    // then runs from the next update.
    if (callbacks[channel]) {
        callbacks[channel](targets[channel], channel == Scale ? scaleArgument : 0);
    }
}

namespace {
Vec3 blend(const Vec3& from, const Vec3& to, float weightOfFrom) {
    return from * weightOfFrom + to * (1.0f - weightOfFrom);
}
}  // namespace

void IXTransformable::update(float dtMs) {
    if (timers[Fade] > 0.0f) {
        const float r = advanceTimer(Fade, dtMs);
        if (r >= 0.0f) {
            // The fade's curve is applied to the value, not to the weight.
            const float alpha = (1.0f - r) * fadeTarget + r * fadeFrom;
            colour.a = easings[Fade] != 1.0f ? std::pow(alpha, easings[Fade]) : alpha;
        } else {
            colour.a = fadeTarget;
            finish(Fade);
        }
    }
    if (timers[Scale] > 0.0f) {
        const float r = advanceTimer(Scale, dtMs);
        if (r >= 0.0f) {
            scale = blend(scaleFrom, scaleTo_, easedWeight(Scale, r));
        } else {
            scale = scaleTo_;
            finish(Scale);
        }
    }
    if (timers[Move] > 0.0f) {
        const float r = advanceTimer(Move, dtMs);
        if (r >= 0.0f) {
            position = blend(moveFrom, moveTo, easedWeight(Move, r));
        } else {
            position = moveTo;
            finish(Move);
        }
    }
    if (timers[Rotate] > 0.0f) {
        const float r = advanceTimer(Rotate, dtMs);
        if (r >= 0.0f) {
            rotation = blend(rotateFrom, rotateTarget, easedWeight(Rotate, r));
        } else {
            rotation = rotateTarget;
            finish(Rotate);
        }
    }
    rotation = rotation + spinRate * dtMs;
    if (timers[Tint] > 0.0f) {
        const float r = advanceTimer(Tint, dtMs);
        if (r >= 0.0f) {
            const float w = easedWeight(Tint, r);
            colour = {tintFrom.r * w + tintTarget.r * (1.0f - w), tintFrom.g * w + tintTarget.g * (1.0f - w),
                      tintFrom.b * w + tintTarget.b * (1.0f - w), tintFrom.a * w + tintTarget.a * (1.0f - w)};
        } else {
            colour = tintTarget;
            finish(Tint);
        }
    }

    bool anyRunning = false;
    for (float timer : timers) {
        anyRunning = anyRunning || timer > 0.0f;
    }
    if (!anyRunning && hasActions) {
        if (!keepAlive) {
            visible = active = false;
        }
        hasActions = false;
    }
}
