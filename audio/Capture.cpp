#include "audio/Capture.h"

#include "audio/WaveInput.h"
#include "common/AudioFormat.h"

#include <algorithm>
#include <thread>

namespace varnex {

std::chrono::steady_clock::time_point SteadyPollTimer::now() {
    return std::chrono::steady_clock::now();
}

void SteadyPollTimer::pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

bool OpenInput(CaptureBuffers& capture, WaveInput& input) {
    const WaveFormat WaveFmt;
    capture.hWaveIn = input.open(WaveFmt);
    if (capture.hWaveIn == 0) return false;
    // A device that opens but will not run is no better than none, and the
    // user hears so at once rather than after the wait for a recording.
    if (!input.start(capture.hWaveIn)) {
        CloseInput(capture, input);
        return false;
    }
    return true;
}

CaptureFault captureFault(std::span<const int16_t> frames, uint32_t status) {
    if (status & kStatusDropout) return CaptureFault::Dropout;
    bool signal = false;
    size_t silentRun = 0, longestRun = 0;
    for (size_t i = 0; i + 1 < frames.size(); i += 2) {
        if (frames[i] == 0 && frames[i + 1] == 0) {
            longestRun = std::max(longestRun, ++silentRun);
        } else {
            silentRun = 0;
            signal = true;
        }
    }
    return signal && longestRun >= kHoleFrames ? CaptureFault::Silence : CaptureFault::None;
}

CaptureResult CaptureOnce(CaptureBuffers& capture, WaveInput& input,
                          const CaptureCallbacks& callbacks, PollTimer& timer, AfterCapture after) {
    // The measured part, which must be whole.  SampleCount is a constant; the
    // bound only keeps a wrong value from reaching past Samples.
    const int32_t last = std::min(capture.SampleCount + 1, kLastIndex);
    const std::span<const int16_t> measured(capture.CapBuf.data(), static_cast<size_t>(last) + 1);
    for (int attempt = 1;; ++attempt) {
        // 1-2.
        WaveHeader& WaveHdr = capture.WaveHdr;
        WaveHdr.data = capture.CapBuf.data();
        WaveHdr.bufferLength = kCaptureBytes;
        WaveHdr.flags.store(0, std::memory_order_relaxed);
        input.addBuffer(capture.hWaveIn, WaveHdr);

        // 3. Poll; neither CapBuf nor the header is touched until done is seen.
        const auto deadline = timer.now() + kCaptureTimeout;
        bool timedOut = false;
        while (!isDone(WaveHdr) && capture.hWaveIn != 0) {
            if (timer.now() >= deadline) {
                timedOut = true;
                break;
            }
            timer.pause();
        }
        if (timedOut) {
            CloseInput(capture, input);
            capture.Busy = kFalse;
            return CaptureResult::TimedOut;
        }
        if (captureFault(measured, WaveHdr.status.load(std::memory_order_relaxed)) ==
            CaptureFault::None)
            break;
        ++capture.retakes;
        if (attempt == kCaptureTries) {
            CloseInput(capture, input);
            capture.Busy = kFalse;
            return CaptureResult::Broken;
        }
    }

    // 4-6.
    if (after == AfterCapture::Close) CloseInput(capture, input);
    capture.Busy = kFalse;

    // 7.
    if (callbacks.yield) callbacks.yield();

    // 8-9.
    for (int32_t n = 0; n <= last; ++n) capture.Samples[n] = capture.CapBuf[n];
    capture.Captured = 1;
    capture.DataReady = kTrue;

    // 10.
    if (callbacks.measureAndDraw) callbacks.measureAndDraw();
    return CaptureResult::Recorded;
}

void CloseInput(CaptureBuffers& capture, WaveInput& input) {
    input.reset(capture.hWaveIn);
    input.close(capture.hWaveIn);
    capture.hWaveIn = 0;
}

}  // namespace varnex
