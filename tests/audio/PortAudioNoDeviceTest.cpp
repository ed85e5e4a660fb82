// The PortAudio devices on a machine without any sound device: CTest runs this
// with an ALSA configuration that defines no device and no sound server.
#include "audio/Capture.h"
#include "audio/PortAudioTonePlayer.h"
#include "audio/PortAudioWaveInput.h"
#include "instrument/Tone.h"

#include <gtest/gtest.h>

#include <memory>

namespace varnex {
namespace {

TEST(PortAudioNoDevice, InputDoesNotOpenAndThePlayerRefuses) {
    PortAudioTonePlayer player;
    PortAudioWaveInput input;
    auto state = std::make_unique<CaptureBuffers>();
    Tone tone;
    EXPECT_FALSE(playTestTone(tone, 0.5, player));
    EXPECT_EQ(tone.quadrature.QuadLag, 9) << "the constants are set even without a tone";
    EXPECT_EQ(input.open(WaveFormat{}), 0);
    EXPECT_FALSE(OpenInput(*state, input));
    EXPECT_EQ(state->hWaveIn, 0);
    EXPECT_EQ(state->Busy, kFalse);
    CloseInput(*state, input);  // as Stop does with nothing open
    EXPECT_EQ(state->hWaveIn, 0);
}

}  // namespace
}  // namespace varnex
