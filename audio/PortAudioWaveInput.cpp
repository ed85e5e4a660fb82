#include "audio/PortAudioWaveInput.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace varnex {

PortAudioWaveInput::PortAudioWaveInput(std::optional<int> device) : device_(device) {}

PortAudioWaveInput::~PortAudioWaveInput() {
    close(handle_);
}

int PortAudioWaveInput::record(const void* input, void*, unsigned long frames,
                               const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags statusFlags,
                               void* self) {
    auto& device = *static_cast<PortAudioWaveInput*>(self);
    const size_t skipped = input == nullptr ? 0 : device.skipStartSilence(input, frames);
    WaveHeader* header = device.pending_.load(std::memory_order_acquire);
    if (header == nullptr) return paContinue;
    // Frames lost while this buffer fills break it; the capture is taken again.
    if (statusFlags & (paInputOverflow | paInputUnderflow) || input == nullptr)
        header->status.fetch_or(kStatusDropout, std::memory_order_relaxed);
    if (input == nullptr) return paContinue;
    const uint32_t recorded = header->bytesRecorded.load(std::memory_order_relaxed);
    const uint32_t bytes =
        std::min<uint32_t>(static_cast<uint32_t>(frames - skipped) * device.blockAlign_,
                           header->bufferLength - recorded);
    std::memcpy(reinterpret_cast<uint8_t*>(header->data) + recorded,
                static_cast<const uint8_t*>(input) + skipped * device.blockAlign_, bytes);
    header->bytesRecorded.store(recorded + bytes, std::memory_order_relaxed);
    if (recorded + bytes >= header->bufferLength) {
        device.pending_.store(nullptr, std::memory_order_relaxed);
        header->flags.fetch_or(kHeaderDone, std::memory_order_release);
    }
    return paContinue;
}

size_t PortAudioWaveInput::skipStartSilence(const void* input, unsigned long frames) {
    uint32_t left = startSilenceLeft_.load(std::memory_order_relaxed);
    if (left == 0) return 0;
    const auto* samples = static_cast<const int16_t*>(input);
    const size_t channels = blockAlign_ / sizeof(int16_t);
    size_t skipped = 0;
    while (skipped < frames && left > 0 &&
           std::all_of(samples + skipped * channels, samples + (skipped + 1) * channels,
                       [](int16_t v) { return v == 0; })) {
        ++skipped;
        --left;
    }
    // The first frame with signal ends the start-up for good.
    startSilenceLeft_.store(skipped < frames ? 0 : left, std::memory_order_relaxed);
    return skipped;
}

int32_t PortAudioWaveInput::open(const WaveFormat& format) {
    if (!library_.ready() || handle_ != 0) return 0;
    if (format.formatTag != 1 || format.bitsPerSample != 16 || format.channels == 0 ||
        format.blockAlign != format.channels * 2)
        return 0;
    const PaDeviceIndex device = library_.deviceOrDefault(true, device_);
    if (device == paNoDevice) return 0;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (info == nullptr) return 0;
    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = format.channels;
    parameters.sampleFormat = paInt16;
    // Short enough that a capture ends soon after its last frame (10 ms made
    // back-to-back captures through PulseAudio 1 % faster than 20 ms); not
    // the lowest, which makes PipeWire run its whole graph in 64-frame blocks
    // and lose some of them when the machine is busy.
    constexpr double kInputLatencySeconds = 0.01;
    parameters.suggestedLatency = std::max(kInputLatencySeconds, info->defaultLowInputLatency);
    PaStream* stream = nullptr;
    if (PortAudioLibrary::failed(
            Pa_OpenStream(&stream, &parameters, nullptr, format.samplesPerSec,
                          paFramesPerBufferUnspecified, paNoFlag, &record, this),
            "opening " + deviceName()))
        return 0;
    stream_ = stream;
    blockAlign_ = format.blockAlign;
    lastHandle_ = lastHandle_ == std::numeric_limits<int32_t>::max() ? 1 : lastHandle_ + 1;
    handle_ = lastHandle_;
    return handle_;
}

bool PortAudioWaveInput::start(int32_t handle) {
    if (!isOpen(handle)) return false;
    if (Pa_IsStreamActive(stream_) == 1) return true;
    startSilenceLeft_.store(kStartSilenceFrames, std::memory_order_relaxed);
    return !PortAudioLibrary::failed(Pa_StartStream(stream_), "starting " + deviceName());
}

void PortAudioWaveInput::addBuffer(int32_t handle, WaveHeader& header) {
    if (!isOpen(handle) || pending_.load(std::memory_order_acquire) != nullptr) return;
    header.bytesRecorded.store(0, std::memory_order_relaxed);
    header.status.store(0, std::memory_order_relaxed);
    header.flags.store(0, std::memory_order_relaxed);
    pending_.store(&header, std::memory_order_release);
}

void PortAudioWaveInput::reset(int32_t handle) {
    if (!isOpen(handle)) return;
    // Abort returns only after the callback has finished for good.
    if (Pa_IsStreamStopped(stream_) == 0)
        PortAudioLibrary::failed(Pa_AbortStream(stream_), "stopping " + deviceName());
    if (WaveHeader* header = pending_.exchange(nullptr, std::memory_order_acq_rel))
        header->flags.fetch_or(kHeaderDone, std::memory_order_release);
}

void PortAudioWaveInput::close(int32_t handle) {
    if (!isOpen(handle)) return;
    reset(handle);
    PortAudioLibrary::failed(Pa_CloseStream(stream_), "closing " + deviceName());
    stream_ = nullptr;
    handle_ = 0;
}

}  // namespace varnex
