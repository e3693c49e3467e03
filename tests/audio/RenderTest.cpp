// The music renderer as a composer hears it: drum hits where the steps say, fills that differ,
// voices where they are placed, the same bytes from the same source, clear messages for what the soundfont
// cannot play, and a loop that comes round without a click.

#include <gtest/gtest.h>

#include <cmath>

#include "AudioGen.h"

using namespace audiogen;

namespace {

RenderedTrack render(const std::string& source) {
    RenderedTrack out;
    std::string error;
    EXPECT_TRUE(renderTrack(source, ".", out, error)) << error;
    return out;
}

std::string renderError(const std::string& source) {
    RenderedTrack out;
    std::string error;
    EXPECT_FALSE(renderTrack(source, ".", out, error));
    return error;
}

// RMS of both sides over [from, to) seconds.
double rms(const Stereo& audio, double from, double to) {
    const size_t begin = static_cast<size_t>(from * kRate), end = static_cast<size_t>(to * kRate);
    double sum = 0.0;
    for (size_t i = begin; i < end && i < audio.frames(); ++i) {
        sum += audio.left[i] * audio.left[i] + audio.right[i] * audio.right[i];
    }
    return std::sqrt(sum / static_cast<double>(2 * (end - begin)));
}

double energy(const std::vector<double>& side) {
    double sum = 0.0;
    for (double v : side) {
        sum += v * v;
    }
    return sum;
}

// A hit starts at `seconds` when the 30 ms after it are far louder than the 30 ms before.
bool onsetAt(const Stereo& audio, double seconds) {
    return rms(audio, seconds, seconds + 0.03) > 4.0 * rms(audio, seconds - 0.035, seconds - 0.005);
}

// At 120 beats a minute a step (a sixteenth) is 0.125 s.
const char* const kBars = "tempo 120\nprogression p Am\n";

}  // namespace

TEST(MusicRender, DrumLinesSoundOnTheirStepsAndNowhereElse) {
    for (const char* kit : {"standard", "tr808", "brush"}) {
        SCOPED_TRACE(kit);
        const RenderedTrack track =
            render(std::string(kBars) + "drumkit " + kit +
                   "\ndrums d k=x.......x....... s=....x.......x... "
                   "p=..............x.\nsection A 2 chords=p drums=d crash=0\nsong A\n");
        // Kicks on steps 0 and 8, snares on 4 and 12, a clap on 14, in both bars.
        for (int bar = 0; bar < 2; ++bar) {
            for (int step : {0, 4, 8, 12, 14}) {
                const double at = (bar * 16 + step) * 0.125;
                if (at > 0.0) {
                    EXPECT_TRUE(onsetAt(track.audio, at)) << "no hit at step " << bar * 16 + step;
                }
            }
            for (int step : {2, 6, 10}) {
                EXPECT_FALSE(onsetAt(track.audio, (bar * 16 + step) * 0.125)) << "a hit at step " << step;
            }
        }
    }
    // The new letters sound too: ride, tambourine, shaker and the toms.
    for (const char* line : {"r=x...............", "b=x...............", "e=x...............",
                             "l=x...............", "u=x..............."}) {
        SCOPED_TRACE(line);
        const RenderedTrack track = render(std::string(kBars) + "drums d " + line +
                                           "\nsection A 1 chords=p drums=d crash=0\nsong A\n");
        EXPECT_GT(rms(track.audio, 0.0, 0.1), 20.0 * rms(track.audio, 1.0, 1.9));
    }
}

TEST(MusicRender, SectionsTurnIntoTheNextWithFillsOfTheirOwn) {
    // The same bar under three names: the fills of their last half bars differ from each
    // other, while the first halves, the plain pattern, are alike.
    const RenderedTrack track =
        render(std::string(kBars) +
               "drums d k=x.......x.......\nsection A 1 chords=p drums=d fill=1 crash=0\n"
               "section B 1 chords=p drums=d fill=1 crash=0\nsection C 1 chords=p drums=d "
               "fill=1 crash=0\nsong A B C\n");
    auto half = [&](int bar, int which) {
        const size_t begin = static_cast<size_t>((bar * 2.0 + which) * kRate),
                     length = static_cast<size_t>(0.9 * kRate);
        return std::vector<double>(track.audio.left.begin() + static_cast<long>(begin),
                                   track.audio.left.begin() + static_cast<long>(begin + length));
    };
    auto alike = [](const std::vector<double>& a, const std::vector<double>& b) {
        double ab = 0.0;
        for (size_t i = 0; i < a.size(); ++i) {
            ab += a[i] * b[i];
        }
        return ab / std::sqrt(energy(a) * energy(b));
    };
    EXPECT_GT(alike(half(1, 0), half(2, 0)), 0.9);
    EXPECT_LT(alike(half(0, 1), half(1, 1)), 0.8);
    EXPECT_LT(alike(half(1, 1), half(2, 1)), 0.8);
    EXPECT_LT(alike(half(0, 1), half(2, 1)), 0.8);
}

TEST(MusicRender, AVoicePannedToOneSideIsLouderThere) {
    const std::string tune = "phrase tune a4:4 c5:4 e5:4 a5:4\n";
    for (const char* voice : {"lead saw", "lead gm:73", "lead bell"}) {
        for (const double place : {-0.8, 0.8}) {
            SCOPED_TRACE(std::string(voice) + " at " + std::to_string(place));
            const RenderedTrack track =
                render(std::string(kBars) + voice + "\npan lead " + std::to_string(place) + "\n" + tune +
                       "section A 2 chords=p lead=tune\nsong A\n");
            const double left = energy(track.audio.left), right = energy(track.audio.right);
            ASSERT_GT(left + right, 1.0);
            EXPECT_GT(place < 0 ? left / right : right / left, 2.0);
        }
    }
    // The kick and the bass stay in the middle whatever else is placed.
    const RenderedTrack low =
        render(std::string(kBars) +
               "drums d k=x...x...x...x...\nsection A 2 chords=p bass=drive drums=d crash=0\n"
               "song A\n");
    EXPECT_NEAR(energy(low.audio.left) / energy(low.audio.right), 1.0, 0.05);
}

TEST(MusicRender, TheSameSourceRendersTheSameSamples) {
    const std::string source = std::string(kBars) +
                               "bassvoice gm:33\npadvoice gm:89\nphrase tune a4:4 c5:4 e5:4 a5:4\n"
                               "drums d k=x...x...x...x... s=....x.......x... h=xoxoxoxoxoxoxoxo\n"
                               "section A 2 chords=p lead=tune bass=drive drums=d pad=1 arp=up fill=1\n"
                               "section B 2 chords=p lead=tune bass=walk drums=d fill=1\nsong A B\n";
    const RenderedTrack first = render(source), second = render(source);
    ASSERT_EQ(first.audio.frames(), second.audio.frames());
    EXPECT_TRUE(first.audio.left == second.audio.left && first.audio.right == second.audio.right);
    EXPECT_GT(rms(first.audio, 0.0, 4.0), 0.01);
}

TEST(MusicRender, WhatTheSoundfontCannotPlayIsRefusedNamingTheLine) {
    const std::string song = "section A 1 chords=p\nsong A\n";
    EXPECT_NE(renderError(std::string(kBars) + "drumkit marching\n" + song).find("line 3"),
              std::string::npos);
    EXPECT_NE(renderError(std::string(kBars) + "drumkit marching\n" + song).find("standard"),
              std::string::npos);
    EXPECT_NE(renderError(std::string(kBars) + "lead gm:200\n" + song).find("line 3"), std::string::npos);
    EXPECT_NE(renderError(std::string(kBars) + "bassvoice gm:x\n" + song).find("line 3"), std::string::npos);
    EXPECT_NE(renderError(std::string(kBars) + "padvoice organ\n" + song).find("line 3"), std::string::npos);
    EXPECT_NE(renderError(std::string(kBars) + "drums d k=x... q=x...............\n" + song).find("line 3"),
              std::string::npos);
}

TEST(MusicRender, ASongWithAnIntroLoopsItsBodyWithoutAJump) {
    // A pad and an echoing arpeggio ring past the end; their tails are folded onto the body's
    // start, so the last frame runs on into the loop's first.
    const RenderedTrack track =
        render(std::string(kBars) +
               "progression q F G\n"
               "section in 1 chords=p pad=1 crash=0\nsection A 2 chords=q pad=1 arp=up\n"
               "song in | A\n");
    ASSERT_EQ(track.loopStart, static_cast<size_t>(2.0 * kRate));
    const size_t last = track.audio.frames() - 1;
    double largestStep = 0.0;
    for (size_t i = track.loopStart; i < last; ++i) {
        largestStep = std::max(largestStep, std::fabs(track.audio.left[i + 1] - track.audio.left[i]));
    }
    EXPECT_GT(rms(track.audio, 2.0, 6.0), 0.01);
    EXPECT_LE(std::fabs(track.audio.left[track.loopStart] - track.audio.left[last]), largestStep);
    EXPECT_LE(std::fabs(track.audio.right[track.loopStart] - track.audio.right[last]), largestStep);
}
