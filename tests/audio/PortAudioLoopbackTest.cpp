// The real sound path: the program's tone through the PortAudio player into a
// sound server's null sink, and back from its monitor through the PortAudio
// input and the capture code, as single captures and as continuous capture.
// Runs against the private server of a CTest fixture (PulseAudio or
// PipeWire); it fails, not skips, when that server is not there.
#include "audio/Capture.h"
#include "audio/PcmLoop.h"
#include "audio/PortAudioTonePlayer.h"
#include "audio/PortAudioWaveInput.h"
#include "audio/WavImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

namespace varnex {
namespace {

constexpr int kMeasuredFrames = 11025;  // frames 0..11024 land in Samples

struct Match {
    size_t offset = 0;
    int mismatches = 0;  // frames not equal to the loop within one step
};

// Where in the loop the recording starts, and how many frames break the
// sequence: a gap or a repeated piece shows up as a run of mismatches.
Match matchLoop(const CaptureBuffers& s, const PcmLoop& loop, int channel) {
    const size_t period = loop.frames();
    Match best{0, kMeasuredFrames + 1};
    for (size_t offset = 0; offset < period; ++offset) {
        int mismatches = 0;
        for (int m = 0; m < kMeasuredFrames && mismatches < best.mismatches; ++m) {
            const int want = loop.samples[((offset + m) % period) * 2 + channel];
            mismatches += std::abs(s.Samples[2 * m + channel] - want) > 1;
        }
        if (mismatches < best.mismatches) best = {offset, mismatches};
        if (best.mismatches == 0) break;
    }
    return best;
}

TEST(PortAudioLoopback, EveryCaptureIsAnUnbrokenPieceOfTheToneOnBothChannels) {
    PortAudioTonePlayer player;
    PortAudioWaveInput input;
    auto state = std::make_unique<CaptureBuffers>();
    std::vector<uint8_t> image;
    buildTestTone(image, 1225, 0.5);
    ASSERT_TRUE(player.play(image)) << "no output device: is the sound server fixture up?";
    const std::optional<PcmLoop> loop = decodeWavImage(image);
    ASSERT_TRUE(loop);
    // Let the first buffers of the tone reach the sink.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    // Three single captures, then three of continuous capture with the input
    // kept running between them.
    for (int capture = 1; capture <= 6; ++capture) {
        const AfterCapture after = capture <= 3 ? AfterCapture::Close : AfterCapture::KeepOpen;
        state->Samples.fill(0);
        if (state->hWaveIn == 0) {
            ASSERT_TRUE(OpenInput(*state, input)) << "capture " << capture << ": no input device";
        }
        state->Busy = kTrue;
        SteadyPollTimer timer;
        int measured = 0;
        const CaptureResult result =
            CaptureOnce(*state, input, {[] {}, [&] { ++measured; }}, timer, after);
        ASSERT_EQ(result, CaptureResult::Recorded) << "capture " << capture;
        EXPECT_EQ(measured, 1);
        EXPECT_EQ(state->hWaveIn == 0, after == AfterCapture::Close) << "capture " << capture;

        size_t offsets[2] = {};
        for (int channel = 0; channel < 2; ++channel) {
            const std::string row =
                "capture " + std::to_string(capture) + " channel " + std::to_string(channel);
            int16_t high = -32768, low = 32767;
            int rises = 0;
            for (int m = 0; m < kMeasuredFrames; ++m) {
                const int16_t v = state->Samples[2 * m + channel];
                high = std::max(high, v);
                low = std::min(low, v);
                if (m > 0 && state->Samples[2 * (m - 1) + channel] < 0 && v >= 0) ++rises;
            }
            EXPECT_EQ(high, 16383) << row;
            EXPECT_EQ(low, -16384) << row;
            // 1225 Hz over 11025 frames at 44100 frames/s: 306.25 cycles.
            EXPECT_NEAR(rises, 306, 1) << row;
            const Match match = matchLoop(*state, *loop, channel);
            EXPECT_EQ(match.mismatches, 0) << row << ": the recording is not one unbroken piece "
                                           << "of the tone (best offset " << match.offset << ")";
            offsets[channel] = match.offset;
        }
        // The ratio of the channels is the measurement: they must not slip.
        EXPECT_EQ(offsets[0], offsets[1]) << "capture " << capture << ": channels out of phase";
    }
    CloseInput(*state, input);
    player.stop();
    std::cout << "retakes: " << state->retakes << " of 6 captures\n";
}

}  // namespace
}  // namespace varnex
