#pragma once

#include <string>
#include <vector>

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
    // Music and effect playback arrive with the audio library; until then
    // these only keep the state a stage can ask about.
    void stopMusic() { musicName.clear(); }
    void closeMusic() { musicName.clear(); }
    void playMusic(const std::string& name, bool looped) {
        musicName = name;
        musicLooped = looped;
    }
    void resumeMusic() { paused = false; }
    void pauseAll() { paused = true; }
    void resumeAll() { paused = false; }
    const std::string& currentMusic() const { return musicName; }
    bool isMusicLooped() const { return musicLooped; }
    bool isPaused() const { return paused; }

    // Sound effects by file name under the effect folder. Until the audio
    // library plays them these only remember what was loaded and played:
    // loading a name again keeps one entry, and a name never loaded plays
    // nothing, as a file missing from the package would.
    void loadEffect(const std::string& name);
    void playEffect(const std::string& name, float volume = 1.0f);
    bool isEffectLoaded(const std::string& name) const;
    // Plays of a loaded effect since it was loaded.
    int effectPlayCount(const std::string& name) const;
    // The volume factor of its last play.
    float effectLastVolume(const std::string& name) const;
    // Forgets every effect, as when a stage is torn down.
    void clearEffects() { effects.clear(); }

  private:
    CXSoundManager() = default;
    std::string effectDirectory;  // package folder of the effects
    float musicVolume = 0.5f;     // 0..1
    float sfxVolume = 0.5f;       // 0..1
    std::string musicName;        // the track playing, empty for none
    bool musicLooped = false;
    bool paused = false;

    struct Effect {
        std::string name;
        int plays = 0;
        float lastVolume = 0.0f;  // 0..1 factor
    };
    int indexOfEffect(const std::string& name) const;  // -1 when not loaded
    std::vector<Effect> effects;                       // in load order
};
