#include "audio/Capture.h"

#include "audio/SimulatedBridge.h"
#include "audio/WavImage.h"

#include <gtest/gtest.h>

#include "FakePollTimer.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace varnex {
namespace {

using namespace std::chrono_literals;

using FakeTimer = testing::FakePollTimer;

// A device that fills the buffer with a ramp when told to, and logs the calls.
class ScriptedInput final : public WaveInput {
public:
    std::string deviceName() const override { return "the scripted input"; }
    int32_t open(const WaveFormat&) override {
        log.push_back("open");
        return opens ? 7 : 0;
    }
    bool start(int32_t handle) override {
        log.push_back("start " + std::to_string(handle));
        return starts;
    }
    void addBuffer(int32_t handle, WaveHeader& h) override {
        log.push_back("add " + std::to_string(handle));
        header = &h;
    }
    void reset(int32_t handle) override { log.push_back("reset " + std::to_string(handle)); }
    void close(int32_t handle) override { log.push_back("close " + std::to_string(handle)); }

    void finish(int16_t first) {
        for (uint32_t i = 0; i < header->bufferLength / 2; ++i)
            header->data[i] = static_cast<int16_t>(first + i);
        header->flags.fetch_or(kHeaderDone, std::memory_order_release);
    }

    bool opens = true;
    bool starts = true;
    WaveHeader* header = nullptr;
    std::vector<std::string> log;
};

// Starts the program's tone at 1225 Hz on the card.
void playTone(SimulatedBridge& bridge) {
    std::vector<uint8_t> image;
    buildTestTone(image, 1225, 0.5);
    bridge.player->play(image);
}

struct Fixture {
    std::unique_ptr<CaptureBuffers> state = std::make_unique<CaptureBuffers>();
    std::vector<std::string> events;
    CaptureCallbacks callbacks{
        [this] { events.push_back("yield " + std::to_string(state->Samples[0])); },
        [this] { events.push_back("measure and draw"); }};
};

TEST(Capture, SamplesAfterACaptureOnTheSimulatedBridge) {
    SimulatedBridgeOptions options;
    options.circuit.component = *parseComponent("C=100n");
    options.realTime = false;
    SimulatedBridge bridge = makeSimulatedBridge(options);
    Fixture f;
    playTone(bridge);
    f.state->CapBuf.fill(-7);  // the device writes 0..22099 only
    ASSERT_TRUE(OpenInput(*f.state, *bridge.input));
    EXPECT_NE(f.state->hWaveIn, 0);
    f.state->Busy = kTrue;
    SteadyPollTimer timer;
    EXPECT_EQ(CaptureOnce(*f.state, *bridge.input, f.callbacks, timer), CaptureResult::Recorded);

    const CaptureBuffers& s = *f.state;
    EXPECT_EQ(s.Samples[0], s.CapBuf[0]);
    EXPECT_EQ(s.Samples[1], s.CapBuf[1]);
    EXPECT_EQ(s.Samples[22049], s.CapBuf[22049]);
    EXPECT_NE(s.CapBuf[22099], -7) << "the device filled 44200 bytes";
    EXPECT_EQ(s.CapBuf[22100], -7) << "and not one more";
    for (int n = 22050; n <= 44100; ++n) ASSERT_EQ(s.Samples[n], 0) << "index " << n;
    EXPECT_EQ(s.hWaveIn, 0);
    EXPECT_EQ(s.Busy, kFalse);
    EXPECT_EQ(s.Captured, 1);
    EXPECT_EQ(s.DataReady, kTrue);
    // The yield comes before the copy: Samples(0) still held its old 0 then.
    EXPECT_EQ(f.events, (std::vector<std::string>{"yield 0", "measure and draw"}));
}

TEST(Capture, SecondCaptureOverwritesExactlyTheCopiedRange) {
    ScriptedInput input;
    Fixture f;
    FakeTimer timer;
    for (int pass = 0; pass < 2; ++pass) {
        f.state->Samples.fill(12345);
        ASSERT_TRUE(OpenInput(*f.state, input));
        f.state->Busy = kTrue;
        timer.onPause = [&] { input.finish(static_cast<int16_t>(100 * pass)); };
        ASSERT_EQ(CaptureOnce(*f.state, input, f.callbacks, timer), CaptureResult::Recorded);
        for (int n = 0; n <= 44100; ++n) {
            const int16_t want = n <= 22049 ? static_cast<int16_t>(100 * pass + n) : 12345;
            ASSERT_EQ(f.state->Samples[n], want) << "pass " << pass << " index " << n;
        }
    }
    EXPECT_EQ(input.log,
              (std::vector<std::string>{"open", "start 7", "add 7", "reset 7", "close 7", "open",
                                        "start 7", "add 7", "reset 7", "close 7"}));
    ASSERT_NE(input.header, nullptr);
}

TEST(Capture, BufferHeaderGivenToTheDevice) {
    ScriptedInput input;
    Fixture f;
    FakeTimer timer;
    WaveHeader* seen = nullptr;
    timer.onPause = [&] {
        seen = input.header;
        EXPECT_EQ(seen->data, f.state->CapBuf.data());
        EXPECT_EQ(seen->bufferLength, 44200u);
        EXPECT_EQ(seen->flags.load(), 0u);
        input.finish(0);
    };
    OpenInput(*f.state, input);
    CaptureOnce(*f.state, input, f.callbacks, timer);
    EXPECT_NE(seen, nullptr);
}

TEST(Capture, NoInputDeviceLeavesEverythingAsItWas) {
    for (bool simulated : {true, false}) {
        SimulatedBridgeOptions options;
        options.hasInput = false;
        SimulatedBridge bridge = makeSimulatedBridge(options);
        ScriptedInput scripted;
        scripted.opens = false;
        WaveInput& input = simulated ? *bridge.input : static_cast<WaveInput&>(scripted);
        Fixture f;
        f.state->Samples[5] = 42;
        EXPECT_FALSE(OpenInput(*f.state, input)) << (simulated ? "simulated" : "scripted");
        EXPECT_EQ(f.state->hWaveIn, 0);
        EXPECT_EQ(f.state->Busy, kFalse);
        EXPECT_EQ(f.state->Samples[5], 42);
    }
    ScriptedInput refused;
    refused.opens = false;
    Fixture f;
    OpenInput(*f.state, refused);
    EXPECT_EQ(refused.log, std::vector<std::string>{"open"}) << "no start without a handle";
}

TEST(Capture, WaitForTheDeviceIsBounded) {
    struct Row {
        int doneAfterMs;  // -1: never
        CaptureResult expected;
    };
    const Row rows[] = {{-1, CaptureResult::TimedOut},
                        {1999, CaptureResult::Recorded},
                        {2001, CaptureResult::TimedOut},
                        {1, CaptureResult::Recorded}};
    for (const Row& r : rows) {
        ScriptedInput input;
        Fixture f;
        FakeTimer timer;
        f.state->Samples.fill(55);
        f.state->Captured = 0;
        timer.onPause = [&] {
            if (r.doneAfterMs >= 0 && timer.elapsed.count() == r.doneAfterMs) input.finish(0);
        };
        ASSERT_TRUE(OpenInput(*f.state, input));
        f.state->Busy = kTrue;
        const CaptureResult result = CaptureOnce(*f.state, input, f.callbacks, timer);
        const std::string row = "done after " + std::to_string(r.doneAfterMs) + " ms";
        EXPECT_EQ(result, r.expected) << row;
        EXPECT_EQ(f.state->Busy, kFalse) << row;
        EXPECT_EQ(f.state->hWaveIn, 0) << row;
        EXPECT_EQ(input.log.back(), "close 7") << row;
        EXPECT_EQ(input.log[input.log.size() - 2], "reset 7") << row;
        if (r.expected == CaptureResult::TimedOut) {
            EXPECT_GE(timer.elapsed, kCaptureTimeout) << row;
            EXPECT_LE(timer.elapsed, kCaptureTimeout + 1ms) << row;
            EXPECT_EQ(f.state->Samples[0], 55) << row << ": the previous capture stays";
            EXPECT_EQ(f.state->Captured, 0) << row;
            EXPECT_EQ(f.state->DataReady, kFalse) << row;
            EXPECT_TRUE(f.events.empty()) << row << ": no yield, no measurement";
        } else {
            EXPECT_EQ(f.state->Samples[0], 0) << row;
            EXPECT_EQ(f.state->DataReady, kTrue) << row;
            EXPECT_EQ(f.events.size(), 2u) << row;
        }
    }
}

TEST(Capture, CloseInputAlsoWithoutADevice) {
    ScriptedInput input;
    Fixture f;
    CloseInput(*f.state, input);
    EXPECT_EQ(input.log, (std::vector<std::string>{"reset 0", "close 0"}));
    EXPECT_EQ(f.state->hWaveIn, 0);
}

TEST(Capture, RealTimeCaptureOnTheSimulatedBridge) {
    SimulatedBridgeOptions options;
    options.circuit.component = *parseComponent("R=1k");
    SimulatedBridge bridge = makeSimulatedBridge(options);
    Fixture f;
    playTone(bridge);
    ASSERT_TRUE(OpenInput(*f.state, *bridge.input));
    f.state->Busy = kTrue;
    SteadyPollTimer timer;
    ASSERT_EQ(CaptureOnce(*f.state, *bridge.input, f.callbacks, timer), CaptureResult::Recorded);
    int16_t peak = 0;
    for (int n = 1; n <= 22049; n += 2) peak = std::max(peak, f.state->Samples[n]);
    EXPECT_GT(peak, 15000) << "the right channel carries the drive";
}

// Fills each buffer at once from a list of what the next captures hold.
class QueuedInput final : public WaveInput {
public:
    enum class Delivery { Sine, HoleOf32, HoleOf31, LeadingSilence, Dropout };

    std::string deviceName() const override { return "the queued input"; }
    int32_t open(const WaveFormat&) override {
        log.push_back("open");
        return 5;
    }
    bool start(int32_t) override {
        log.push_back("start");
        return starts;
    }
    void addBuffer(int32_t, WaveHeader& header) override {
        log.push_back("add");
        const Delivery delivery = deliveries.empty() ? Delivery::Sine : deliveries.front();
        if (!deliveries.empty()) deliveries.erase(deliveries.begin());
        const size_t frames = header.bufferLength / 4;
        for (size_t m = 0; m < frames; ++m) {
            const auto v =
                static_cast<int16_t>(8000 * std::sin(0.17 * static_cast<double>(m)) + 0.5);
            header.data[2 * m] = v;
            header.data[2 * m + 1] = static_cast<int16_t>(2 * v + 1);
        }
        const size_t holeAt = delivery == Delivery::LeadingSilence ? 0 : 5000;
        const size_t hole = delivery == Delivery::HoleOf31         ? 31
                            : delivery == Delivery::LeadingSilence ? 200
                                                                   : 32;
        if (delivery != Delivery::Sine && delivery != Delivery::Dropout)
            for (size_t m = holeAt; m < holeAt + hole; ++m)
                header.data[2 * m] = header.data[2 * m + 1] = 0;
        header.status.store(delivery == Delivery::Dropout ? kStatusDropout : 0);
        header.flags.fetch_or(kHeaderDone, std::memory_order_release);
    }
    void reset(int32_t) override { log.push_back("reset"); }
    void close(int32_t) override { log.push_back("close"); }

    std::vector<Delivery> deliveries;
    bool starts = true;
    std::vector<std::string> log;
};

TEST(Capture, ACaptureWithAHoleOrLostFramesIsTakenAgain) {
    using D = QueuedInput::Delivery;
    struct Row {
        const char* name;
        std::vector<D> deliveries;
        CaptureResult result;
        int64_t retakes;
    };
    const Row rows[] = {
        {"whole", {D::Sine}, CaptureResult::Recorded, 0},
        {"31 silent frames are no hole", {D::HoleOf31}, CaptureResult::Recorded, 0},
        {"a hole, then whole", {D::HoleOf32, D::Sine}, CaptureResult::Recorded, 1},
        {"start-up silence, then whole", {D::LeadingSilence, D::Sine}, CaptureResult::Recorded, 1},
        {"lost frames twice, then whole",
         {D::Dropout, D::Dropout, D::Sine},
         CaptureResult::Recorded,
         2},
        {"three broken", {D::HoleOf32, D::Dropout, D::LeadingSilence}, CaptureResult::Broken, 3},
    };
    for (const Row& row : rows) {
        QueuedInput input;
        input.deliveries = row.deliveries;
        Fixture f;
        f.state->Samples.fill(77);
        FakeTimer timer;
        ASSERT_TRUE(OpenInput(*f.state, input)) << row.name;
        f.state->Busy = kTrue;
        EXPECT_EQ(CaptureOnce(*f.state, input, f.callbacks, timer), row.result) << row.name;
        EXPECT_EQ(f.state->retakes, row.retakes) << row.name;
        EXPECT_EQ(f.state->Busy, kFalse) << row.name;
        EXPECT_EQ(f.state->hWaveIn, 0) << row.name;
        const size_t adds = std::count(input.log.begin(), input.log.end(), "add");
        EXPECT_EQ(adds,
                  static_cast<size_t>(row.retakes + (row.result == CaptureResult::Broken ? 0 : 1)))
            << row.name;
        if (row.result == CaptureResult::Broken) {
            EXPECT_EQ(f.state->Samples[0], 77) << row.name << ": no broken capture is measured";
            EXPECT_TRUE(f.events.empty()) << row.name;
        } else {
            EXPECT_NE(f.state->Samples[0], 77) << row.name;
            EXPECT_EQ(f.events.size(), 2u) << row.name;
        }
    }
}

TEST(Capture, CaptureFaultsLookAtBothInputs) {
    std::vector<int16_t> frames(2 * 1000, 0);
    EXPECT_EQ(captureFault(frames, 0), CaptureFault::None) << "silent from end to end";
    EXPECT_EQ(captureFault(frames, kStatusDropout), CaptureFault::Dropout);
    for (size_t m = 0; m < 1000; ++m) frames[2 * m + 1] = 100;  // the drive on the right only
    EXPECT_EQ(captureFault(frames, 0), CaptureFault::None) << "one silent input is no hole";
    for (size_t m = 400; m < 432; ++m) frames[2 * m + 1] = 0;
    EXPECT_EQ(captureFault(frames, 0), CaptureFault::Silence);
}

TEST(Capture, AnInputThatWillNotStartIsRefusedAtOnceAndContinuousCaptureKeepsItOpen) {
    QueuedInput stuck;
    stuck.starts = false;
    Fixture f;
    EXPECT_FALSE(OpenInput(*f.state, stuck));
    EXPECT_EQ(f.state->hWaveIn, 0);
    EXPECT_EQ(stuck.log, (std::vector<std::string>{"open", "start", "reset", "close"}));

    QueuedInput input;
    FakeTimer timer;
    ASSERT_TRUE(OpenInput(*f.state, input));
    for (int capture = 0; capture < 2; ++capture) {
        f.state->Busy = kTrue;
        ASSERT_EQ(CaptureOnce(*f.state, input, f.callbacks, timer, AfterCapture::KeepOpen),
                  CaptureResult::Recorded);
    }
    EXPECT_EQ(input.log, (std::vector<std::string>{"open", "start", "add", "add"}));
    EXPECT_NE(f.state->hWaveIn, 0) << "still open for the next capture";
    CloseInput(*f.state, input);
    EXPECT_EQ(input.log.back(), "close");
}

}  // namespace
}  // namespace varnex
