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
    input.start(capture.hWaveIn);
    return true;
}

CaptureResult CaptureOnce(CaptureBuffers& capture, WaveInput& input,
                          const CaptureCallbacks& callbacks, PollTimer& timer) {
    // 1-2. The header lives only until step 5: the device is closed by then,
    // and a device that is reset gives the buffer back before reset returns.
    WaveHeader WaveHdr;
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

    // 4-6.
    CloseInput(capture, input);
    capture.Busy = kFalse;
    if (timedOut) return CaptureResult::TimedOut;

    // 7.
    if (callbacks.yield) callbacks.yield();

    // 8-9.
    // SampleCount is a constant; the bound only keeps a wrong value from
    // writing past Samples.
    const int32_t last = std::min(capture.SampleCount + 1, kLastIndex);
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
