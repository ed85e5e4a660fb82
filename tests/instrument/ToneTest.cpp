#include "instrument/Tone.h"

#include "audio/TonePlayer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace varnex {
namespace {

// Records what the window asked of the player.
class RecordingPlayer final : public TonePlayer {
public:
    std::string deviceName() const override { return "the recording player"; }
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

TEST(Tone, PlayStopsRebuildsAndPlaysTheImage) {
    Tone tone;
    RecordingPlayer player;
    tone.freq = 2205;
    EXPECT_TRUE(playTestTone(tone, 0.5, player));
    EXPECT_EQ(player.calls, (std::vector<std::string>{"stop", "play"}));
    EXPECT_EQ(player.played, tone.WavBuf);
    EXPECT_EQ(tone.WavBuf.size(), 44u + 4 * 2000);
    EXPECT_EQ(tone.quadrature.QuadLag, 5);

    player.accept = false;
    tone.freq = 120;
    EXPECT_FALSE(playTestTone(tone, 0.5, player)) << "the player's refusal is passed on";
    EXPECT_EQ(tone.quadrature.QuadLag, 92)
        << "the constants follow the last Play even without a tone";
}

TEST(Tone, LevelFromAHandEditedSettingsFileCannotWrapSamples) {
    Tone tone;
    RecordingPlayer player;
    playTestTone(tone, 3.5, player);
    const std::vector<uint8_t> loud = tone.WavBuf;
    playTestTone(tone, 1, player);
    EXPECT_EQ(loud, tone.WavBuf);
}

}  // namespace
}  // namespace varnex
