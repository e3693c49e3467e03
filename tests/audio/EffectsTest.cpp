// The sound effects as the game plays them: how loud they are beside the music (-16 LUFS) and
// each other, played alone and at the rates the game plays them; that none clicks; that the
// player's shot leaves the music's lead band to the music; and that the menus have their sounds.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "AudioGen.h"

using namespace audiogen;

namespace {

constexpr double kMusicLufs = -16.0;

const std::vector<Effect>& allEffects() {
    static const std::vector<Effect> effects = renderEffects();
    return effects;
}

const std::vector<double>& effect(const std::string& name) {
    for (const Effect& e : allEffects()) {
        if (e.name == name) {
            return e.samples;
        }
    }
    ADD_FAILURE() << "no effect " << name;
    static const std::vector<double> none(1, 0.0);
    return none;
}

double peakOf(const std::vector<double>& s) {
    double peak = 0.0;
    for (double v : s) {
        peak = std::max(peak, std::fabs(v));
    }
    return peak;
}

// One effect played every `everySeconds` for two seconds at `gainDb`, as the game's voices mix it.
std::vector<double> train(const std::vector<double>& one, double everySeconds, double gainDb) {
    std::vector<double> out(static_cast<size_t>(2.0 * kRate) + one.size(), 0.0);
    const size_t step = static_cast<size_t>(everySeconds * kRate);
    for (size_t at = 0; at + one.size() <= out.size() && at < static_cast<size_t>(2.0 * kRate); at += step) {
        for (size_t i = 0; i < one.size(); ++i) {
            out[at + i] += one[i] * dbToGain(gainDb);
        }
    }
    return out;
}

// The share of a sound's energy between `fromHz` and `toHz` (a plain DFT over the sound).
double bandShare(const std::vector<double>& s, double fromHz, double toHz) {
    const double n = static_cast<double>(s.size());
    double total = 0.0, band = 0.0;
    for (double v : s) {
        total += v * v;
    }
    for (int k = static_cast<int>(std::ceil(fromHz * n / kRate)); k <= static_cast<int>(toHz * n / kRate);
         ++k) {
        double re = 0.0, im = 0.0;
        for (size_t i = 0; i < s.size(); ++i) {
            const double phase = 2.0 * kPi * k * static_cast<double>(i) / n;
            re += s[i] * std::cos(phase);
            im -= s[i] * std::sin(phase);
        }
        band += 2.0 * (re * re + im * im) / n;  // the bin and its mirror image
    }
    return total > 0.0 ? band / total : 0.0;
}

// The sharpest step in a sound: the largest jump from one sample to the next against the
// largest jump within 25 ms on either side of it (leaving out the millisecond around it). A
// waveform, even a raw saw or noise, repeats jumps like its own within that reach; a step of
// the level, a hard gate or a grain that starts at full size stands far out.
double sharpestStep(const std::vector<double>& s, size_t from) {
    const size_t block = static_cast<size_t>(0.001 * kRate), reach = 25;  // in blocks of 1 ms
    std::vector<double> blockPeak(s.size() / block + 1, 0.0);
    for (size_t i = 1; i < s.size(); ++i) {
        blockPeak[i / block] = std::max(blockPeak[i / block], std::fabs(s[i] - s[i - 1]));
    }
    const double floor = 0.002 * peakOf(s);
    double sharpest = 0.0;
    for (size_t i = std::max<size_t>(from, 1); i < s.size(); ++i) {
        const size_t at = i / block;
        double around = floor;
        for (size_t b = at > reach ? at - reach : 0; b < std::min(blockPeak.size(), at + reach + 1); ++b) {
            if (b + 1 < at || b > at + 1) {
                around = std::max(around, blockPeak[b]);
            }
        }
        sharpest = std::max(sharpest, std::fabs(s[i] - s[i - 1]) / around);
    }
    return sharpest;
}

}  // namespace

TEST(Effects, BigMomentsGrowWithTheirSizeAndTheBossDeathIsTheLoudestOfAll) {
    const char* const sizes[] = {"sfx_small_expl.caf", "sfx_medium_expl.caf", "sfx_huge_expl.caf",
                                 "sfx_player_expl.caf", "sfx_boss_expl_dist.caf"};
    for (size_t k = 1; k < std::size(sizes); ++k) {
        EXPECT_GT(effectLoudness(effect(sizes[k])), effectLoudness(effect(sizes[k - 1])) + 1.0)
            << sizes[k] << " against " << sizes[k - 1];
    }
    const double bossDeath = effectLoudness(effect("sfx_boss_expl_dist.caf"));
    EXPECT_GT(bossDeath, kMusicLufs) << "the boss's death stands out over the music";
    for (const Effect& e : allEffects()) {
        if (e.name != "sfx_boss_expl_dist.caf") {
            EXPECT_LT(effectLoudness(e.samples), bossDeath) << e.name;
        }
        EXPECT_LE(gainToDb(peakOf(e.samples)), -1.0) << e.name;
    }
}

TEST(Effects, ConstantFireAndAScreenOfPickupsStayUnderTheMusic) {
    // The shot every 70 ms at half the effect volume; pickups as fast as the game lets them ring.
    EXPECT_LT(effectLoudness(train(effect("bullet_shoot_1.caf"), 0.07, -6.0)), kMusicLufs - 8.0);
    EXPECT_LT(effectLoudness(train(effect("prize_pickup.caf"), 0.064, 0.0)), kMusicLufs - 3.0);
    EXPECT_GT(effectLoudness(effect("bullet_shoot_1.caf")), kMusicLufs - 20.0) << "yet the shot is heard";
}

TEST(Effects, TheShotLeavesTheLeadBandToTheMusicAndStaysShort) {
    for (const char* name : {"bullet_shoot_1.caf", "break_shoot.caf"}) {
        EXPECT_LT(bandShare(effect(name), 1000.0, 2000.0), 0.01) << name;
        EXPECT_LE(static_cast<double>(effect(name).size()) / kRate, 0.09) << name << " smears at 14 a second";
    }
}

TEST(Effects, NoEffectClicks) {
    const size_t attack = static_cast<size_t>(0.01 * kRate);
    for (const Effect& e : allEffects()) {
        const std::vector<double>& s = e.samples;
        ASSERT_GT(s.size(), attack) << e.name;
        EXPECT_NEAR(s.front(), 0.0, 1e-4) << e.name << " starts with a step";
        EXPECT_NEAR(s.back(), 0.0, 1e-4) << e.name << " stops with a step";
        const double sum = std::accumulate(s.begin(), s.end(), 0.0);
        EXPECT_LT(std::fabs(sum) / static_cast<double>(s.size()), 0.01 * peakOf(s))
            << e.name << " holds a DC offset";
        EXPECT_LT(sharpestStep(s, attack), 3.0) << e.name << " steps after its attack";
    }
    // The tonal sounds also bend smoothly: a note that enters at full level, even from a zero
    // crossing, shows as a sharp kink in the slope.
    for (const char* name : {"prize_pickup.caf", "trance_warning.caf", "ui_move.caf", "ui_accept.caf",
                             "ui_back.caf", "ui_refuse.caf"}) {
        const std::vector<double>& s = effect(name);
        std::vector<double> slope(s.size(), 0.0);
        for (size_t i = 1; i < s.size(); ++i) {
            slope[i] = s[i] - s[i - 1];
        }
        EXPECT_LT(sharpestStep(slope, attack), 2.0) << name << " has a note that clicks in";
    }
}

TEST(Effects, TheMenusHaveShortSoundsQuieterThanTheirMusicButHeard) {
    for (const char* name : {"ui_move.caf", "ui_accept.caf", "ui_back.caf", "ui_refuse.caf"}) {
        const std::vector<double>& s = effect(name);
        EXPECT_LE(static_cast<double>(s.size()) / kRate, 0.5) << name;
        EXPECT_LT(effectLoudness(s), kMusicLufs - 5.0) << name;
        EXPECT_GT(effectLoudness(s), kMusicLufs - 18.0) << name;
    }
}
