#include "audio/SimulatedBridge.h"

#include "audio/WavImage.h"
#include "common/DefaultCalibration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
#include <memory>
#include <numbers>
#include <thread>
#include <vector>

namespace varnex {
namespace {

using Clock = std::chrono::steady_clock;

SimulatedBridgeOptions immediateCard(const char* component, double noise = 1.0) {
    SimulatedBridgeOptions options;
    options.circuit.component = *parseComponent(component);
    options.noiseSteps = noise;
    options.realTime = false;
    return options;
}

// Starts the program's tone at `freq` on the card.
bool playTone(SimulatedBridge& bridge, float freq, double level = 0.5) {
    std::vector<uint8_t> image;
    buildTestTone(image, freq, level);
    return bridge.player->play(image);
}

// Plays the program's tone at `freq` and returns one recorded block.
std::vector<int16_t> recordTone(SimulatedBridge& bridge, float freq, double level = 0.5) {
    EXPECT_TRUE(playTone(bridge, freq, level));
    std::vector<int16_t> block(kCaptureFrames * 2, 0);
    WaveHeader header;
    header.data = block.data();
    header.bufferLength = kCaptureBytes;
    const int32_t handle = bridge.input->open(WaveFormat{});
    EXPECT_NE(handle, 0);
    bridge.input->start(handle);
    bridge.input->addBuffer(handle, header);
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    while (!isDone(header) && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(isDone(header));
    EXPECT_EQ(header.bytesRecorded.load(), kCaptureBytes);
    bridge.input->close(handle);
    return block;
}

// The tone's frame 0 reaches the inputs after the card's 132 frames of latency.
constexpr int kToneStart = 132;

// Complex amplitude c of c_re sin(wt) + c_im cos(wt), t counted from the
// tone's first frame, fitted over frames [from, end); a lead of 90 degrees
// shows as +j, as the program counts it.
std::complex<double> phasor(const std::vector<int16_t>& block, int which, double freq,
                            size_t from) {
    const double w = 2 * std::numbers::pi * freq / 44100;
    double ss = 0, sc = 0, cc = 0, ys = 0, yc = 0;
    for (size_t k = from; k < block.size() / 2; ++k) {
        const double t = static_cast<double>(k) - kToneStart;
        const double s = std::sin(w * t), c = std::cos(w * t), y = block[2 * k + which];
        ss += s * s, sc += s * c, cc += c * c, ys += y * s, yc += y * c;
    }
    const double det = ss * cc - sc * sc;
    return {(ys * cc - yc * sc) / det, (yc * ss - ys * sc) / det};
}

TEST(SimulatedBridge, ChannelsFollowTheCircuitFormula) {
    struct Row {
        const char* component;
        float freq;
    };
    const Row rows[] = {{"R=1k", 1225}, {"C=100n", 1225}, {"L=10m,R=5", 1225}, {"Z=50-30j", 1225},
                        {"C=1u", 120},  {"R=10", 3675},   {"L=1m", 2205}};
    const double rs = 50, rm = 100, right = 1 / 0.9955;
    for (const Row& r : rows) {
        SimulatedBridge bridge = makeSimulatedBridge(immediateCard(r.component));
        const std::vector<int16_t> block = recordTone(bridge, r.freq);
        const std::complex<double> z = parseComponent(r.component)->impedanceAt(r.freq);
        // Output steps to input steps: the drive 16383.5 sin (floor takes half a step
        // off on average) at 0.000028 V per step, read at 0.00002792 V per step.
        const double drive = 16383.5 * 0.000028 / 0.00002792;
        const std::complex<double> wantLeft = drive * z / (rs + rm + z);
        const std::complex<double> wantRight = drive * right * (rm + z) / (rs + rm + z);
        const std::complex<double> left = phasor(block, 0, r.freq, 400);
        const std::complex<double> rightGot = phasor(block, 1, r.freq, 400);
        EXPECT_NEAR(std::abs(left), std::abs(wantLeft), 1e-3 * std::abs(wantLeft) + 0.05)
            << r.component;
        EXPECT_NEAR(std::abs(rightGot), std::abs(wantRight), 1e-3 * std::abs(wantRight))
            << r.component;
        EXPECT_NEAR(std::arg(left / wantLeft), 0, 1e-3) << r.component;
        EXPECT_NEAR(std::arg(rightGot / wantRight), 0, 1e-3) << r.component;
        // What the program computes with its default calibration: Vx / Vr = Z / Rm.
        const std::complex<double> ratio = left / (rightGot * 0.9955 - left);
        EXPECT_NEAR(std::abs(ratio * rm - z), 0, 2e-3 * std::abs(z) + 0.01) << r.component;
    }
}

TEST(SimulatedBridge, HugeReferenceAndComponentStillGiveTheirRatio) {
    // Rm + Z beyond the largest double once made the right input NaN.
    struct Row {
        const char* component;
        double rm;
        std::complex<double> left, right;  // ratios to the open-circuit drive
    };
    const double r = 1 / 0.9955;
    const Row rows[] = {
        {"R=1e308", 1e308, 0.5, r},
        {"R=1.7e308", 1.7e308, 0.5, r},
        {"Z=1e308+1e308j", 1e308, {0.6, 0.2}, r},
        {"L=1e306", 1e308, 1, r},  // the reactance overflows: open leads
    };
    for (const Row& row : rows) {
        BridgeCircuit circuit;
        circuit.component = *parseComponent(row.component);
        circuit.referenceResistance = row.rm;
        const double scale = circuit.dacVoltsPerStep / circuit.adcVoltsPerStep;
        const ChannelGains gains = channelGainsAt(circuit, 1225);
        EXPECT_NEAR(std::abs(gains.left / scale - row.left), 0, 1e-12) << row.component;
        EXPECT_NEAR(std::abs(gains.right / scale - row.right), 0, 1e-12) << row.component;
    }

    // Through the card: the left input records half the drive.
    SimulatedBridgeOptions options = immediateCard("R=1e308", 0);
    options.circuit.referenceResistance = 1e308;
    SimulatedBridge bridge = makeSimulatedBridge(options);
    const std::vector<int16_t> block = recordTone(bridge, 1225);
    const double drive = 16383.5 * 0.000028 / 0.00002792;
    EXPECT_NEAR(std::abs(phasor(block, 0, 1225, 400)), drive / 2, 1);
    EXPECT_NEAR(std::abs(phasor(block, 1, 1225, 400)), drive * r, 1);
}

TEST(SimulatedBridge, DefaultCalibrationOfTheProgramFitsTheCard) {
    const BridgeCircuit circuit;
    EXPECT_NEAR(circuit.rightGain * static_cast<float>(kDefaultBal), 1.0, 1e-7);
    EXPECT_NEAR(circuit.adcVoltsPerStep, static_cast<float>(kDefaultVperbit), 1e-12);
}

TEST(SimulatedBridge, SilenceAfterTheToneStartsThenTone) {
    SimulatedBridge bridge = makeSimulatedBridge(immediateCard("R=1k"));
    const std::vector<int16_t> block = recordTone(bridge, 1225);
    int loudestBefore = 0, loudestAfter = 0;
    for (size_t k = 0; k < kToneStart; ++k)
        loudestBefore = std::max(loudestBefore, std::abs(block[2 * k + 1]));
    for (size_t k = kToneStart; k < 200; ++k)
        loudestAfter = std::max(loudestAfter, std::abs(block[2 * k + 1]));
    EXPECT_LE(loudestBefore, 6) << "noise only during the output latency";
    EXPECT_GT(loudestAfter, 10000);
}

TEST(SimulatedBridge, StoppedToneRecordsOnlyNoise) {
    SimulatedBridge bridge = makeSimulatedBridge(immediateCard("R=1k"));
    recordTone(bridge, 1225);
    bridge.player->stop();
    std::vector<int16_t> block(kCaptureFrames * 2, 999);
    WaveHeader header;
    header.data = block.data();
    header.bufferLength = kCaptureBytes;
    const int32_t handle = bridge.input->open(WaveFormat{});
    bridge.input->start(handle);
    bridge.input->addBuffer(handle, header);
    ASSERT_TRUE(isDone(header));
    for (size_t i = 0; i < block.size(); ++i) ASSERT_LE(std::abs(block[i]), 6) << "index " << i;
    bridge.input->close(handle);
}

TEST(SimulatedBridge, NoiseIsSeededAndQuantisedTo16Bits) {
    auto options = immediateCard("R=1k", 3);
    SimulatedBridge a = makeSimulatedBridge(options);
    SimulatedBridge b = makeSimulatedBridge(options);
    options.noiseSeed = 2;
    SimulatedBridge c = makeSimulatedBridge(options);
    EXPECT_EQ(recordTone(a, 1225), recordTone(b, 1225));
    EXPECT_NE(recordTone(a, 1225), recordTone(c, 1225));
    // A full-scale drive into an open circuit overloads the right input: clipped, not wrapped.
    SimulatedBridge loud = makeSimulatedBridge(immediateCard("Z=1G"));
    const std::vector<int16_t> block = recordTone(loud, 1225, 1.0);
    EXPECT_EQ(*std::max_element(block.begin(), block.end()), 32767);
    EXPECT_EQ(*std::min_element(block.begin(), block.end()), -32768);
}

TEST(SimulatedBridge, MissingDevicesRefuse) {
    auto options = immediateCard("R=1k");
    options.hasInput = false;
    options.hasOutput = false;
    SimulatedBridge bridge = makeSimulatedBridge(options);
    EXPECT_FALSE(playTone(bridge, 1225));
    EXPECT_EQ(bridge.input->open(WaveFormat{}), 0);
}

TEST(SimulatedBridge, InputRefusesOtherFormatsAndASecondOpen) {
    SimulatedBridge bridge = makeSimulatedBridge(immediateCard("R=1k"));
    WaveFormat mono;
    mono.channels = 1;
    EXPECT_EQ(bridge.input->open(mono), 0);
    const int32_t handle = bridge.input->open(WaveFormat{});
    EXPECT_NE(handle, 0);
    EXPECT_EQ(bridge.input->open(WaveFormat{}), 0);
    bridge.input->close(handle);
    const int32_t again = bridge.input->open(WaveFormat{});
    EXPECT_NE(again, 0);
    EXPECT_NE(again, handle) << "a stale handle must not reach the new device";
    bridge.input->close(handle);  // stale: does nothing
    EXPECT_EQ(bridge.input->open(WaveFormat{}), 0) << "still open";
    bridge.input->close(again);
}

// A real-time card playing the tone, its input opened and started, and an
// empty capture buffer with its header.
struct RealTimeRecording {
    RealTimeRecording() {
        SimulatedBridgeOptions options = immediateCard("R=1k");
        options.realTime = true;
        bridge = makeSimulatedBridge(options);
        playTone(bridge, 1225);
        header.data = block.data();
        header.bufferLength = kCaptureBytes;
        handle = bridge.input->open(WaveFormat{});
        bridge.input->start(handle);
    }
    SimulatedBridge bridge;
    std::vector<int16_t> block = std::vector<int16_t>(kCaptureFrames * 2, 0);
    WaveHeader header;
    int32_t handle = 0;
};

TEST(SimulatedBridge, RealTimeBufferFillsAtTheFrameRate) {
    RealTimeRecording r;
    SimulatedBridge& bridge = r.bridge;
    WaveHeader& header = r.header;
    std::vector<int16_t>& block = r.block;
    const int32_t handle = r.handle;
    const auto begin = Clock::now();
    bridge.input->addBuffer(handle, header);
    EXPECT_FALSE(isDone(header)) << "11050 frames cannot be there yet";
    while (!isDone(header) && Clock::now() - begin < std::chrono::seconds(3))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const auto took = Clock::now() - begin;
    ASSERT_TRUE(isDone(header));
    EXPECT_GE(took, std::chrono::microseconds(11050 * 1000000LL / 44100));
    EXPECT_EQ(header.bytesRecorded.load(), kCaptureBytes);
    EXPECT_GT(*std::max_element(block.begin(), block.end()), 10000);
    bridge.input->close(handle);
}

TEST(SimulatedBridge, ResetGivesTheBufferBackAndStopsWriting) {
    // Reset comes once the first part of the recording has arrived.  Should
    // the machine stall the test past the recording's whole length, the buffer
    // is full before Reset, which tells nothing; the recording is then tried anew.
    const auto length =
        std::chrono::microseconds(int64_t{kCaptureFrames} * 1000000 / kFramesPerSecond);
    bool stoppedPartWay = false;
    for (int attempt = 1; attempt <= 5 && !stoppedPartWay; ++attempt) {
        RealTimeRecording r;
        SimulatedBridge& bridge = r.bridge;
        WaveHeader& header = r.header;
        const auto begin = Clock::now();
        bridge.input->addBuffer(r.handle, header);
        while (header.bytesRecorded.load() == 0 && Clock::now() - begin < std::chrono::seconds(3))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_GT(header.bytesRecorded.load(), 0u) << "attempt " << attempt;
        bridge.input->reset(r.handle);
        EXPECT_TRUE(isDone(header)) << "attempt " << attempt << ": Reset gives the buffer back";
        const uint32_t recorded = header.bytesRecorded.load();
        stoppedPartWay = recorded < kCaptureBytes;
        if (stoppedPartWay) {
            const std::vector<int16_t> atReset = r.block;
            // Nothing more arrives, up to when the whole recording would have ended.
            const auto end = begin + length + std::chrono::milliseconds(20);
            while (header.bytesRecorded.load() == recorded && Clock::now() < end)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            EXPECT_EQ(header.bytesRecorded.load(), recorded) << "written after Reset";
            EXPECT_EQ(r.block, atReset) << "written after Reset";
        }
        bridge.input->close(r.handle);
    }
    EXPECT_TRUE(stoppedPartWay) << "every recording was full before Reset came";
}

}  // namespace
}  // namespace varnex
