#include "audio/CXSoundManager.h"

CXSoundManager& CXSoundManager::instance() {
    // Made on first use and never destroyed: objects that outlive main()'s
    // scope may still call it while the process ends.
    static CXSoundManager* const manager = new CXSoundManager();
    return *manager;
}

int CXSoundManager::indexOfEffect(const std::string& name) const {
    for (size_t i = 0; i < effects.size(); ++i) {
        if (effects[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CXSoundManager::loadEffect(const std::string& name) {
    if (indexOfEffect(name) < 0) {
        effects.push_back({name, 0, 0.0f});
    }
}

void CXSoundManager::playEffect(const std::string& name, float volume) {
    const int index = indexOfEffect(name);
    if (index >= 0) {
        Effect& effect = effects[static_cast<size_t>(index)];
        ++effect.plays;
        effect.lastVolume = volume;
    }
}

bool CXSoundManager::isEffectLoaded(const std::string& name) const {
    return indexOfEffect(name) >= 0;
}

int CXSoundManager::effectPlayCount(const std::string& name) const {
    const int index = indexOfEffect(name);
    return index >= 0 ? effects[static_cast<size_t>(index)].plays : 0;
}

float CXSoundManager::effectLastVolume(const std::string& name) const {
    const int index = indexOfEffect(name);
    return index >= 0 ? effects[static_cast<size_t>(index)].lastVolume : 0.0f;
}
