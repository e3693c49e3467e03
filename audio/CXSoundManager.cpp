#include "audio/CXSoundManager.h"

CXSoundManager& CXSoundManager::instance() {
    // Made on first use and never destroyed: objects that outlive main()'s
    // scope may still call it while the process ends.
    static CXSoundManager* const manager = new CXSoundManager();
    return *manager;
}
