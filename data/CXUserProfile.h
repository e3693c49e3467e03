#pragma once

#include <string>

// What survives between runs: settings, bindings, progress and high scores.
// One profile exists for the whole run, owned by the application.
class CXUserProfile {
  public:
    static constexpr const char* kPath = "profile/save.osf";
    static constexpr int kBindingCount = 8;

    CXUserProfile() { reset(); }

    // Reads the profile file at start-up; a missing file gives a fresh profile.
    void load();
    // The values a new profile starts with.
    void reset();

    // Key code held by binding i (0 fire, 1 beam, 2 trance, 3 pause); 0 for
    // other bindings or a code outside the key table.
    int bindingCode(int binding) const;

    float musicVolume = 0.5f;
    float sfxVolume = 0.5f;
    float bufferScale = 0.5f;          // the options screen's "SCREEN SCALE"
    int aspectRatio = 0;               // 0 for 4:3, 1 for 16:9
    int screenOrientation = 0;         // quarter turns, 0..3
    int controls[kBindingCount] = {};  // key codes of the bindings
};
