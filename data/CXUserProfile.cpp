#include "data/CXUserProfile.h"

#include <cstdio>
#include <fstream>

void CXUserProfile::load() {
    std::ifstream file(kPath, std::ios::binary);
    if (!file) {
        std::printf("Can't open file: %s\n", kPath);
    }
    // Reading a stored profile arrives with the profile format; until then
    // every run starts from the reset values.
    reset();
    std::printf("No user profile found. Creating new profile.\n");
}

void CXUserProfile::reset() {
    musicVolume = 0.5f;
    sfxVolume = 0.5f;
    bufferScale = 0.5f;
    aspectRatio = 0;
    screenOrientation = 0;
    for (int& code : controls) {
        code = 0;
    }
    controls[0] = 2;   // Z: fire and accept
    controls[1] = 3;   // X: beam
    controls[2] = 1;   // C: trance and back
    controls[3] = 26;  // P: pause
}

int CXUserProfile::bindingCode(int binding) const {
    if (binding < 0 || binding > 3) {
        return 0;
    }
    const int code = controls[binding];
    return code >= 0 && code < 32 ? code : 0;
}
