#include "audio/Capture.h"

#include "app/VarnexState.h"
#include "audio/AudioFormat.h"
#include "audio/WaveInput.h"

#include <algorithm>
#include <thread>

namespace varnex {

std::chrono::steady_clock::time_point SteadyPollTimer::now() {
    return std::chrono::steady_clock::now();
}

void SteadyPollTimer::pause() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

bool OpenInput(VarnexState& state, WaveInput& input) {
    const WaveFormat WaveFmt;
    state.hWaveIn = input.open(WaveFmt);
    if (state.hWaveIn == 0) return false;
    input.start(state.hWaveIn);
    return true;
}

CaptureResult CaptureOnce(VarnexState& state, WaveInput& input, const CaptureCallbacks& callbacks,
                          PollTimer& timer) {
    // 1-2. The header lives only until step 5: the device is closed by then,
    // and a device that is reset gives the buffer back before reset returns.
    WaveHeader WaveHdr;
    WaveHdr.data = state.CapBuf.data();
    WaveHdr.bufferLength = kCaptureBytes;
    WaveHdr.flags.store(0, std::memory_order_relaxed);
    input.addBuffer(state.hWaveIn, WaveHdr);

    // 3. Poll; neither CapBuf nor the header is touched until done is seen.
    const auto deadline = timer.now() + kCaptureTimeout;
    bool timedOut = false;
    while (!isDone(WaveHdr) && state.hWaveIn != 0) {
        if (timer.now() >= deadline) {
            timedOut = true;
            break;
        }
        timer.pause();
    }

    // 4-6.
    CloseInput(state, input);
    state.Busy = kFalse;
    if (timedOut) return CaptureResult::TimedOut;

    // 7.
    if (callbacks.yield) callbacks.yield();

    // 8-9.
    // SampleCount is a constant of the window; the bound only keeps a wrong
    // value from writing past Samples.
    const int32_t last = std::min(state.SampleCount + 1, kLastIndex);
    for (int32_t n = 0; n <= last; ++n) state.Samples[n] = state.CapBuf[n];
    state.Captured = 1;
    state.DataReady = kTrue;

    // 10.
    if (callbacks.measureAndDraw) callbacks.measureAndDraw();
    return CaptureResult::Recorded;
}

void CloseInput(VarnexState& state, WaveInput& input) {
    input.reset(state.hWaveIn);
    input.close(state.hWaveIn);
    state.hWaveIn = 0;
}

}  // namespace varnex
