#pragma once

#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sf {
class physfs;
}
enum class LoopTag;

// Music and sound effects, all read from the asset package. One track plays at a time,
// streamed by the audio library's own thread through a package stream; effects are decoded
// whole into buffers when a stage loads and played on fifty voices, shared out among the
// effects as they load. A play finds a free voice of its effect or is dropped: voices are
// never taken from effects still playing. Volumes are
// fractions 0 .. 1, turned into the library's 0 .. 100 scale when applied.
class CXSoundManager {
  public:
    static constexpr int kVoiceCount = 50;

    static CXSoundManager& instance();
    ~CXSoundManager();
    CXSoundManager(const CXSoundManager&) = delete;
    CXSoundManager& operator=(const CXSoundManager&) = delete;

    // The package folder the effect names are relative to ("assets/audio/").
    void setBasePath(const std::string& path) { basePath = path; }
    const std::string& getBasePath() const { return basePath; }

    // Decodes basePath + name once; a missing or undecodable file is not cached, and later
    // plays of that name do nothing.
    void loadSound(const std::string& name);
    // Plays a loaded effect once on a free voice of its own at sfxVolume x factor. A play
    // may vary: it is pitched at random within +-pitchSpread semitones (never at the pitch of
    // the effect's previous play while the spread is above 0) and its gain moved at random
    // within +-gainSpread dB. The draws come from the manager's own generator, never the
    // game's, so sound leaves play and replays exactly as they were.
    void playSound(const std::string& name, float volumeFactor = 1.0f, float pitchSpread = 0.0f,
                   float gainSpread = 0.0f);
    // Detaches every voice and forgets every effect (a stage's teardown).
    void clearSounds();
    // The program's end: stops and releases everything, so the audio library can close its
    // output before the process exits. Later calls load and play nothing.
    void shutdown();

    // Opens the track at the package path, loops it or not, applies the music volume and
    // starts it. False when the track could not be opened: the game goes on without music.
    // A looping track with a loop start (its "LOOPSTART" comment, in frames) plays its intro
    // once and then loops the rest; without one, or with a value that is no frame of the
    // track (one line says so), the whole track loops.
    bool playMusic(const std::string& path, bool loop);
    void pauseMusic();
    void stopMusic();
    // Stops the music and closes its stream: no track is open afterwards.
    void closeMusic();
    // An overlay holds the music paused; releasing the hold plays the open track on.
    void setMusicHeld(bool held);
    // While silenced (a replay's frames played undrawn to reach a moment) nothing is heard:
    // effects asked for are dropped, and the voices playing when it began are stopped. The
    // music calls still choose, pause and stop the track, but none starts it; lifting the
    // silence plays the open track if the calls made meanwhile left it playing.
    void setSilenced(bool silenced);
    bool isSilenced() const { return silenced; }

    // Moves the track's volume by the change of the fraction, so a fade and a setting compose.
    void setMusicVolume(float volume);
    // Moves every playing voice by the change; later voices use the new fraction.
    void setSfxVolume(float volume);
    float getMusicVolume() const { return musicVolume; }
    float getSfxVolume() const { return sfxVolume; }

    // What the game and its tests can ask.
    bool isEffectLoaded(const std::string& name) const { return findBuffer(name) != nullptr; }
    // Plays started on a voice since the effect was loaded (drops are not counted).
    int effectPlayCount(const std::string& name) const;
    // The effect's latest play: its playback-rate factor (1 at its own pitch) and its volume
    // (0 .. 1, as applied); 1 and 0 before any.
    float effectLastPitch(const std::string& name) const;
    float effectLastVolume(const std::string& name) const;
    int bufferCount() const { return static_cast<int>(buffers.size()); }
    int busyVoices() const;
    bool isMusicHeld() const { return musicHeld; }
    bool isMusicStopped() const { return musicStopped; }
    bool isMusicOpen() const { return music != nullptr; }
    sf::SoundSource::Status musicStatus() const {
        return music ? music->getStatus() : sf::SoundSource::Stopped;
    }
    // The track's own volume, 0 .. 1 (fades included).
    float trackVolume() const { return trackLevel / 100.0f; }

  private:
    CXSoundManager();

    struct Effect {
        std::string name;
        std::unique_ptr<sf::SoundBuffer> buffer;
        int plays = 0;
        float lastPitch = 1.0f;      // playback-rate factor of the latest play
        float lastSemitones = 0.0f;  // its offset from the effect's own pitch
        float lastVolume = 0.0f;     // 0 .. 1, as applied
    };
    const Effect* findBuffer(const std::string& name) const;
    // A draw in [-1, 1) from the manager's own generator.
    float variationDraw();
    // Stops the track and deletes it, then its stream.
    void closeTrack();
    // Plays the open track, or while silenced marks it to play when the silence lifts.
    void startTrack();
    // Sets the open track's loop to run from the tagged frame to its end.
    void setLoopStart(const std::string& path, LoopTag tag, uint64_t frame);

    std::string basePath;
    bool musicHeld = false;
    bool musicStopped = false;
    // The stream is declared first so it outlives the track that reads it. A track is made
    // for every open: the library's music keeps reading (seeking, even when stopped) the
    // stream it was opened on, so the two are deleted together, the track first.
    std::unique_ptr<sf::physfs> musicStream;  // feeds `music`; null when no track is open
    std::unique_ptr<sf::Music> music;         // null when no track is open
    float trackLevel = 100.0f;                // the track's volume on the library's 0 .. 100 scale
    std::vector<Effect> buffers;              // unique names, in load order
    std::vector<sf::Sound> voices;            // kVoiceCount of them until shutdown()
    float musicVolume = 1.0f;
    float sfxVolume = 1.0f;
    bool outputOpen = false;                // the library found an audio output
    bool silenced = false;                  // see setSilenced
    bool playOnLift = false;                // the open track would be playing but for the silence
    uint32_t variationState = 0x9e3779b9u;  // the play variation's generator (xorshift32)
};
