#pragma once

#include <string>

// Music and sound effects. The application creates it at start-up, gives it
// the effect folder and the profile's volumes, and stops the music before a
// stage loads.
class CXSoundManager {
  public:
    static CXSoundManager& instance();

    void setEffectDirectory(const std::string& directory) { effectDirectory = directory; }
    const std::string& getEffectDirectory() const { return effectDirectory; }
    void setMusicVolume(float volume) { musicVolume = volume; }
    void setSfxVolume(float volume) { sfxVolume = volume; }
    float getMusicVolume() const { return musicVolume; }
    float getSfxVolume() const { return sfxVolume; }
    void stopMusic() {}
    void closeMusic() {}

  private:
    CXSoundManager() = default;
    std::string effectDirectory;  // package folder of the effects
    float musicVolume = 0.5f;     // 0..1
    float sfxVolume = 0.5f;       // 0..1
};
