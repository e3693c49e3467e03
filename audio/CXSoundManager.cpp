#include "audio/CXSoundManager.h"

CXSoundManager& CXSoundManager::instance() {
    static CXSoundManager manager;
    return manager;
}
