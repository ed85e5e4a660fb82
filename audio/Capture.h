// One recording of the default input into the capture buffers, written once
// against WaveInput so that a sound card and the simulated bridge run the same
// steps. Everything here runs on the user-interface thread.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <span>

#include "audio/WaveInput.h"
#include "common/Flags.h"
#include "common/WorkingArrays.h"

namespace varnex {

// Highest index of the raw capture buffer.
inline constexpr int kCapBufLastIndex = 176400;

// The capture's buffers and flags.  CapBuf's address stays fixed while the
// device writes into it, so this part lives as long as the program.
struct CaptureBuffers {
    int32_t hWaveIn = 0;         // the open input device, 0 when closed
    int16_t Busy = kFalse;       // True while the device records into CapBuf
    int16_t DataReady = kFalse;  // Samples holds a capture not yet cleared by Stop
    int16_t Captured = 0;        // 1 once the first capture has arrived
    // Interleaved values measured: 22048, set once; frame m is Samples(2m),
    // Samples(2m + 1) for m = 0 .. SampleCount / 2.
    int32_t SampleCount = 22048;
    SampleArray Samples{};
    // Raw capture buffer; the input device writes its first 22100 values.
    std::array<int16_t, kCapBufLastIndex + 1> CapBuf{};
    // The buffer's header; it outlives every use the device makes of it.
    WaveHeader WaveHdr;
    // Captures taken again since start because they were not whole.
    int64_t retakes = 0;
};

// Frames in a row of exact silence on both inputs that break a capture: a
// sound server's start-up silence, or a hole where frames were lost.  The
// drive of a bridge is never exactly zero for so long while the tone plays.
inline constexpr int kHoleFrames = 32;
// Tries of one capture before the user is told.
inline constexpr int kCaptureTries = 3;

enum class CaptureFault {
    None,
    Silence,  // a run of kHoleFrames silent frames among frames with signal
    Dropout,  // the device reported lost frames
};

// What breaks a capture's interleaved frames, or None.  A capture silent from
// end to end is whole: there is nothing to tell it from.
CaptureFault captureFault(std::span<const int16_t> frames, uint32_t status);

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
    Broken,    // kCaptureTries captures in a row were not whole; Samples is unchanged
};

// Whether the input stays open after a capture: continuous capture keeps it
// running from one capture to the next (opening a stream through a sound
// server costs time and unsettles the server), a single capture closes it.
enum class AfterCapture { Close, KeepOpen };

// Opens the default input for 16-bit stereo at 44100 frames/s into
// capture.hWaveIn and starts it at once.  Returns whether it opened and
// started; on false the device is closed again, the caller shows its message
// at once and nothing else has changed.
bool OpenInput(CaptureBuffers& capture, WaveInput& input);

// Records one buffer of 44200 bytes into capture.CapBuf; a capture that is
// not whole (captureFault) is taken again, up to kCaptureTries in all.  Then
// closes the device (unless kept open), sets Busy False, yields once, copies
// Samples(n) = CapBuf(n) for n = 0..SampleCount + 1, sets Captured = 1 and
// DataReady True, and calls measureAndDraw.  Called after a successful
// OpenInput with Busy True.  Every frame recorded arrived after the buffer
// was handed over.
//
// The poll for the done flag handles no user event. When the device has not
// returned the buffer after kCaptureTimeout, or no try was whole, it is reset
// and closed, Busy goes back to False and the result is TimedOut or Broken,
// with no yield, no copy and no measurement, so the caller can tell the user.
CaptureResult CaptureOnce(CaptureBuffers& capture, WaveInput& input,
                          const CaptureCallbacks& callbacks, PollTimer& timer,
                          AfterCapture after = AfterCapture::Close);

// Resets and closes the device with capture.hWaveIn (0 included: nothing
// happens) and sets hWaveIn to 0. The window also enables its device list.
void CloseInput(CaptureBuffers& capture, WaveInput& input);

}  // namespace varnex
