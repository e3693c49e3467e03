#include "stg/enemy/EnemyContext.h"

#include <string>

#include "audio/CXSoundManager.h"
#include "stg/enemy/IXEnemyWorld.h"
#include "stg/shot/IXShotEffects.h"

namespace {
const std::string kSoundFiles[] = {"sfx_small_expl.caf", "sfx_medium_expl.caf"};
static_assert(sizeof kSoundFiles / sizeof kSoundFiles[0] == static_cast<int>(EnemySound::Count),
              "one file per enemy sound");
// A kill's blast varies a little per play (semitones, dB), so a wave's kills are not one sample.
constexpr float kBlastPitchSpread = 0.4f;
constexpr float kBlastGainSpread = 1.0f;
}  // namespace

bool EnemyContext::playOncePerFrame(EnemySound sound) {
    const unsigned bit = 1u << static_cast<unsigned>(sound);
    if ((playedThisFrame & bit) != 0) {
        return false;
    }
    playedThisFrame |= bit;
    CXSoundManager::instance().playSound(kSoundFiles[static_cast<int>(sound)], 1.0f, kBlastPitchSpread,
                                         kBlastGainSpread);
    return true;
}

IXShotEffects& EnemyContext::effects() const {
    return world ? world->effects() : noShotEffects();
}
