#include "audio/CXSoundManager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "audio/CafReader.h"
#include "audio/OggLoopStart.h"
#include "data/AssetPackage.h"
#include "data/PhysfsStream.h"

namespace {

float clampUnit(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}
float clampLibraryVolume(float v) {
    return std::min(100.0f, std::max(0.0f, v));
}
// A varied play lands at least this share of its spread away from the previous play's pitch,
// so two plays in a row are heard as two.
constexpr float kLeastPitchStep = 0.25f;
constexpr int kPitchDraws = 4;

}  // namespace

CXSoundManager& CXSoundManager::instance() {
    // Made on first use and never destroyed: objects that outlive main()'s
    // scope may still call it while the process ends.
    static CXSoundManager* const manager = new CXSoundManager();
    return *manager;
}

CXSoundManager::CXSoundManager() {
    CafReader::registerWithFactory();
    // A silent probe tells whether the library found an output: without one nothing is
    // loaded or streamed (the library's streaming thread misbehaves without a device).
    sf::SoundBuffer probe;
    const sf::Int16 silence[64] = {};
    if (probe.loadFromSamples(silence, 64, 1, 44100)) {
        sf::Sound sound(probe);
        sound.play();
        outputOpen = sound.getStatus() == sf::Sound::Playing;
        sound.stop();
    }
    // Voices only with an output: each asks the library for a source, which without one
    // fails with a page of errors.
    if (outputOpen) {
        voices.resize(kVoiceCount);
    } else {
        std::printf("No audio output could be opened; playing on silent\n");
    }
}

CXSoundManager::~CXSoundManager() {
    shutdown();
}

void CXSoundManager::shutdown() {
    clearSounds();
    closeMusic();
    // The library keeps its output open while any voice or buffer exists; an output left
    // open at exit makes the library's own clean-up abort the process.
    voices.clear();
    voices.shrink_to_fit();
    outputOpen = false;
}

const CXSoundManager::Effect* CXSoundManager::findBuffer(const std::string& name) const {
    for (const Effect& effect : buffers) {
        if (effect.name == name) {
            return &effect;
        }
    }
    return nullptr;
}

void CXSoundManager::loadSound(const std::string& name) {
    // Without a package there is nothing to read (and nothing to open a stream on).
    if (findBuffer(name) || !isAssetPackageMounted() || !outputOpen) {
        return;
    }
    auto buffer = std::make_unique<sf::SoundBuffer>();
    sf::physfs stream(basePath + name);
    // The library prints its own line when it cannot decode the file; the stream prints one
    // when the file is missing.
    if (stream.isOpen() && buffer->loadFromStream(stream)) {
        buffers.push_back({name, std::move(buffer), 0});
        // Spread the free voices over the effects now, while loading: each effect then
        // plays on its own share of voices and play never re-attaches a buffer.
        for (size_t i = 0; i < voices.size(); ++i) {
            if (voices[i].getStatus() == sf::Sound::Stopped) {
                voices[i].setBuffer(*buffers[i % buffers.size()].buffer);
            }
        }
    }
}

float CXSoundManager::variationDraw() {
    variationState ^= variationState << 13;
    variationState ^= variationState >> 17;
    variationState ^= variationState << 5;
    return static_cast<float>(variationState >> 8) / static_cast<float>(1u << 23) - 1.0f;
}

void CXSoundManager::playSound(const std::string& name, float volumeFactor, float pitchSpread,
                               float gainSpread) {
    if (silenced) {
        return;
    }
    for (Effect& effect : buffers) {
        if (effect.name != name) {
            continue;
        }
        // An effect plays on the voices it was given at load: attaching a buffer to another
        // voice costs the audio library an allocation, which play must not make. Only an
        // effect that holds no voice at all (loaded while every voice was busy) takes the
        // first free one.
        sf::Sound* own = nullptr;
        sf::Sound* anyFree = nullptr;
        bool holdsAVoice = false;
        for (sf::Sound& voice : voices) {
            const bool holdsThis = voice.getBuffer() == effect.buffer.get();
            holdsAVoice = holdsAVoice || holdsThis;
            if (voice.getStatus() != sf::Sound::Stopped) {
                continue;
            }
            if (holdsThis) {
                own = &voice;
                break;
            }
            if (!anyFree) {
                anyFree = &voice;
            }
        }
        sf::Sound* chosen = own ? own : (holdsAVoice ? nullptr : anyFree);
        if (chosen) {
            if (chosen->getBuffer() != effect.buffer.get()) {
                chosen->setBuffer(*effect.buffer);
            }
            float semitones = 0.0f;
            if (pitchSpread > 0.0f) {
                // Redrawn while too near the previous play; after a few draws the step is
                // taken towards the middle of the spread, which always stays within it.
                const float leastStep = pitchSpread * kLeastPitchStep;
                semitones = variationDraw() * pitchSpread;
                for (int draw = 1;
                     draw < kPitchDraws && std::fabs(semitones - effect.lastSemitones) < leastStep; ++draw) {
                    semitones = variationDraw() * pitchSpread;
                }
                if (std::fabs(semitones - effect.lastSemitones) < leastStep) {
                    semitones =
                        effect.lastSemitones + (effect.lastSemitones > 0.0f ? -2.0f : 2.0f) * leastStep;
                }
            }
            const float gainDb = gainSpread > 0.0f ? variationDraw() * gainSpread : 0.0f;
            effect.lastSemitones = semitones;
            effect.lastPitch = std::exp2(semitones / 12.0f);
            chosen->setPitch(effect.lastPitch);
            chosen->setVolume(
                clampLibraryVolume(sfxVolume * volumeFactor * std::pow(10.0f, gainDb / 20.0f) * 100.0f));
            effect.lastVolume = chosen->getVolume() / 100.0f;
            chosen->play();
            ++effect.plays;
        }
        return;  // every voice of the effect busy: dropped
    }
}

void CXSoundManager::clearSounds() {
    for (sf::Sound& voice : voices) {
        voice.stop();
        voice.resetBuffer();
    }
    buffers.clear();
}

int CXSoundManager::effectPlayCount(const std::string& name) const {
    const Effect* effect = findBuffer(name);
    return effect ? effect->plays : 0;
}

float CXSoundManager::effectLastPitch(const std::string& name) const {
    const Effect* effect = findBuffer(name);
    return effect ? effect->lastPitch : 1.0f;
}

float CXSoundManager::effectLastVolume(const std::string& name) const {
    const Effect* effect = findBuffer(name);
    return effect ? effect->lastVolume : 0.0f;
}

int CXSoundManager::busyVoices() const {
    return static_cast<int>(std::count_if(voices.begin(), voices.end(), [](const sf::Sound& voice) {
        return voice.getStatus() != sf::Sound::Stopped;
    }));
}

void CXSoundManager::closeTrack() {
    playOnLift = false;
    // The streaming thread reads the stream until the music has stopped.
    if (music) {
        music->stop();
        music.reset();
    }
    musicStream.reset();
}

bool CXSoundManager::playMusic(const std::string& path, bool loop) {
    closeTrack();
    if (isAssetPackageMounted() && outputOpen) {
        musicStream = std::make_unique<sf::physfs>(path);
    }
    uint64_t loopFrame = 0;
    LoopTag loopTag = LoopTag::Absent;
    if (musicStream && musicStream->isOpen()) {
        // The loop's start is read before the library takes the stream (it reads from the start).
        loopTag = readLoopStart(*musicStream, loopFrame);
        musicStream->seek(0);
        music = std::make_unique<sf::Music>();
        if (!music->openFromStream(*musicStream)) {
            music.reset();
        }
    }
    if (!music) {
        musicStream.reset();
        // Without an audio output there is nothing to open a track for, and the start said so.
        if (outputOpen) {
            std::printf("Music track \"%s\" could not be opened; playing on without music\n", path.c_str());
        }
    }
    musicStopped = false;
    trackLevel = clampLibraryVolume(musicVolume * 100.0f);
    if (!music) {
        return false;
    }
    music->setLoop(loop);
    if (loop) {
        setLoopStart(path, loopTag, loopFrame);
    }
    music->setVolume(trackLevel);
    startTrack();
    return true;
}

void CXSoundManager::startTrack() {
    if (silenced) {
        playOnLift = true;
    } else {
        music->play();
    }
}

void CXSoundManager::setLoopStart(const std::string& path, LoopTag tag, uint64_t frame) {
    if (tag == LoopTag::Malformed) {
        std::printf("Music track \"%s\": its loop start is not a frame number; the whole track loops\n",
                    path.c_str());
        return;
    }
    if (tag == LoopTag::Absent || frame == 0) {
        return;
    }
    // Frames as microseconds, rounded to the nearest: the library rounds them back to the same frame.
    const sf::Int64 rate = music->getSampleRate();
    const sf::Int64 duration = music->getDuration().asMicroseconds();
    const sf::Int64 offset = rate > 0 && frame < (uint64_t{1} << 40)
                                 ? (static_cast<sf::Int64>(frame) * 1000000 + rate / 2) / rate
                                 : duration;
    if (offset >= duration) {
        std::printf(
            "Music track \"%s\": its loop start (frame %llu) lies past its end; the whole track loops\n",
            path.c_str(), static_cast<unsigned long long>(frame));
        return;
    }
    music->setLoopPoints(sf::Music::TimeSpan(sf::microseconds(offset), sf::microseconds(duration - offset)));
}

void CXSoundManager::pauseMusic() {
    if (!musicHeld) {
        musicStopped = true;
    }
    playOnLift = false;
    if (music) {
        music->pause();
    }
}

void CXSoundManager::stopMusic() {
    if (!musicHeld) {
        musicStopped = true;
    }
    playOnLift = false;
    if (music) {
        music->stop();
    }
}

void CXSoundManager::closeMusic() {
    closeTrack();
}

void CXSoundManager::setMusicHeld(bool held) {
    if (held) {
        musicHeld = true;
        playOnLift = false;
        if (music) {
            music->pause();
        }
        return;
    }
    musicHeld = false;
    musicStopped = false;
    if (music) {
        startTrack();
    }
}

void CXSoundManager::setSilenced(bool value) {
    if (value == silenced) {
        return;
    }
    silenced = value;
    if (silenced) {
        // What plays now belongs to the moment left behind.
        playOnLift = music && music->getStatus() == sf::SoundSource::Playing;
        if (playOnLift) {
            music->pause();
        }
        for (sf::Sound& voice : voices) {
            voice.stop();
        }
        return;
    }
    if (music && playOnLift) {
        music->play();
    }
    playOnLift = false;
}

void CXSoundManager::setMusicVolume(float volume) {
    trackLevel = clampLibraryVolume((volume - musicVolume) * 100.0f + trackLevel);
    if (music) {
        music->setVolume(trackLevel);
    }
    musicVolume = clampUnit(volume);
}

void CXSoundManager::setSfxVolume(float volume) {
    for (sf::Sound& voice : voices) {
        if (voice.getStatus() != sf::Sound::Stopped) {
            voice.setVolume(clampLibraryVolume((volume - sfxVolume) * 100.0f + voice.getVolume()));
        }
    }
    sfxVolume = clampUnit(volume);
}
