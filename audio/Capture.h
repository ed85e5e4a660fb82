// One recording of the default input into the window's state, written once
// against WaveInput so that a sound card and the simulated bridge run the same
// steps. Everything here runs on the user-interface thread.
#pragma once

#include <chrono>
#include <functional>

namespace varnex {

struct VarnexState;
class WaveInput;

// A device that has not returned the buffer after this long is given up: a
// recording takes 0.25 s, and a sound server needs well under a second more
// to start its first stream.
inline constexpr std::chrono::milliseconds kCaptureTimeout{2000};

// Time source and pause of the poll, so tests need not wait two seconds.
class PollTimer {
public:
    virtual ~PollTimer() = default;
    virtual std::chrono::steady_clock::time_point now() = 0;
    // Called between two reads of the done flag.
    virtual void pause() = 0;
};

// The real clock; pauses one millisecond, which is 0.4 % of a recording and
// leaves the core free while the device works.
class SteadyPollTimer final : public PollTimer {
public:
    std::chrono::steady_clock::time_point now() override;
    void pause() override;
};

struct CaptureCallbacks {
    // One pass of the event loop (step 7); may run Stop, Exit or a nested capture.
    std::function<void()> yield;
    // docalib, then doscope.
    std::function<void()> measureAndDraw;
};

enum class CaptureResult {
    Recorded,  // Samples holds the new block, measured and drawn
    TimedOut,  // the device never returned the buffer; Samples is unchanged
};

// Opens the default input for 16-bit stereo at 44100 frames/s into
// state.hWaveIn and, when it opened (hWaveIn non-zero), starts it at once.
// Returns whether it opened; on false the caller shows its message and
// nothing else has changed.
bool OpenInput(VarnexState& state, WaveInput& input);

// Records one buffer of 44200 bytes into state.CapBuf, closes the device,
// sets Busy False, yields once, copies Samples(n) = CapBuf(n) for
// n = 0..SampleCount + 1, sets Captured = 1 and DataReady True, then calls
// measureAndDraw. Called right after a successful OpenInput with Busy True.
//
// The poll for the done flag handles no user event. When the device has not
// returned the buffer after kCaptureTimeout, it is reset and closed, Busy goes
// back to False and the result is TimedOut, with no yield, no copy and no
// measurement, so the caller can tell the user.
CaptureResult CaptureOnce(VarnexState& state, WaveInput& input, const CaptureCallbacks& callbacks,
                          PollTimer& timer);

// Resets and closes the device with state.hWaveIn (0 included: nothing
// happens) and sets hWaveIn to 0. The window also enables its device list.
void CloseInput(VarnexState& state, WaveInput& input);

}  // namespace varnex
