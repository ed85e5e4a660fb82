#include "audio/TestTone.h"

#include "app/VarnexState.h"
#include "audio/TonePlayer.h"
#include "measure/Quadrature.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace varnex {
namespace {

// The window's Pi: the float 4 arctan(1).
const float kPi = static_cast<float>(4 * std::atan(1.0));

// Records what the window asked of the player.
class RecordingPlayer final : public TonePlayer {
public:
    bool play(std::span<const uint8_t> image) override {
        calls.push_back("play");
        played.assign(image.begin(), image.end());
        return accept;
    }
    void stop() override { calls.push_back("stop"); }

    bool accept = true;
    std::vector<std::string> calls;
    std::vector<uint8_t> played;
};

TEST(TestTone, QuadratureOfTheGeneratorFrequencies) {
    struct Row {
        float freq;
        int16_t lag;
    };
    const Row rows[] = {{120, 92}, {525, 21}, {1000, 11}, {1225, 9}, {2205, 5}, {3675, 3}};
    for (const Row& r : rows) {
        const Quadrature q = quadratureFor(r.freq, kPi);
        EXPECT_EQ(q.QuadLag, r.lag) << r.freq << " Hz";
        // QuadA x(k) + QuadB x(k - QuadLag) is the cosine of the sine x.
        const double omega = 2 * std::numbers::pi * r.freq / 44100;
        for (int k = 100; k < 200; k += 7) {
            const double made = q.QuadA * std::sin(omega * k) + q.QuadB * std::sin(omega * (k - q.QuadLag));
            EXPECT_NEAR(made, std::cos(omega * k), 2e-5) << r.freq << " Hz, k " << k;
        }
    }
    const Quadrature at1225 = quadratureFor(1225, kPi);
    EXPECT_EQ(at1225.QuadB, -1.0f);
    EXPECT_NEAR(at1225.QuadA, 0.0f, 1e-6f);
}

TEST(TestTone, QuarterPeriodRoundsHalvesToEven) {
    // 44100 / (4 f) = 10.5 and 12.5.
    EXPECT_EQ(quadratureFor(1050, kPi).QuadLag, 10);
    EXPECT_EQ(quadratureFor(882, kPi).QuadLag, 12);
}

TEST(TestTone, ImpossibleFrequenciesGiveZeroConstants) {
    for (float freq : {0.0f, -5.0f, 0.1f, std::nanf("")}) {
        const Quadrature q = quadratureFor(freq, kPi);
        EXPECT_EQ(q.QuadLag, 0) << freq;
        EXPECT_EQ(q.QuadA, 0) << freq;
        EXPECT_EQ(q.QuadB, 0) << freq;
    }
}

TEST(TestTone, PlayStopsRebuildsAndPlaysTheImage) {
    auto state = std::make_unique<VarnexState>();
    RecordingPlayer player;
    state->freq = 2205;
    EXPECT_TRUE(PlayTestTone(*state, player));
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play"}));
    EXPECT_EQ(player.played, state->WavBuf);
    EXPECT_EQ(state->WavBuf.size(), 44u + 4 * 2000);
    EXPECT_EQ(state->QuadLag, 5);

    player.accept = false;
    state->freq = 120;
    EXPECT_FALSE(PlayTestTone(*state, player)) << "the player's refusal is passed on";
    EXPECT_EQ(state->QuadLag, 92) << "the constants follow the last Play even without a tone";
}

TEST(TestTone, LevelFromAHandEditedSettingsFileCannotWrapSamples) {
    auto state = std::make_unique<VarnexState>();
    RecordingPlayer player;
    state->SigGenLvl = 3.5;
    PlayTestTone(*state, player);
    const std::vector<uint8_t> loud = state->WavBuf;
    state->SigGenLvl = 1;
    PlayTestTone(*state, player);
    EXPECT_EQ(loud, state->WavBuf);
    EXPECT_EQ(state->SigGenLvl, 1) << "the setting itself is the window's";
}

}  // namespace
}  // namespace varnex
