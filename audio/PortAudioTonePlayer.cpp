#include "audio/PortAudioTonePlayer.h"

#include <algorithm>
#include <cstring>

namespace varnex {
namespace {

// Long blocks keep the tone cheap (about 1 % of a core against 2 % at 512
// frames). They cost no capture time because the input runs on between
// captures while measuring; a short latency with free-sized blocks would
// instead make the server wake every few milliseconds.
constexpr unsigned long kFramesPerBuffer = 1024;
constexpr double kOutputLatencySeconds = 0.04;

}  // namespace

PortAudioTonePlayer::PortAudioTonePlayer(std::optional<int> device) : device_(device) {}

PortAudioTonePlayer::~PortAudioTonePlayer() {
    stop();
}

int PortAudioTonePlayer::fill(const void*, void* output, unsigned long frames,
                              const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void* self) {
    auto& player = *static_cast<PortAudioTonePlayer*>(self);
    const size_t channels = static_cast<size_t>(player.loop_.channels);
    const size_t period = player.loop_.frames();
    const int16_t* loop = player.loop_.samples.data();
    auto* out = static_cast<int16_t*>(output);
    size_t position = player.position_;
    while (frames > 0) {
        const size_t run = std::min<size_t>(frames, period - position);
        std::memcpy(out, loop + position * channels, run * channels * sizeof(int16_t));
        out += run * channels;
        frames -= run;
        position += run;
        if (position == period) position = 0;
    }
    player.position_ = position;
    return paContinue;
}

bool PortAudioTonePlayer::play(std::span<const uint8_t> image) {
    stop();
    if (!library_.ready()) return false;
    std::optional<PcmLoop> loop = decodeWavImage(image);
    if (!loop) return false;
    const PaDeviceIndex device = library_.deviceOrDefault(false, device_);
    if (device == paNoDevice) return false;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (info == nullptr) return false;

    loop_ = std::move(*loop);
    position_ = 0;
    PaStreamParameters parameters{};
    parameters.device = device;
    parameters.channelCount = loop_.channels;
    parameters.sampleFormat = paInt16;
    parameters.suggestedLatency = kOutputLatencySeconds;
    PaStream* stream = nullptr;
    if (PortAudioLibrary::failed(Pa_OpenStream(&stream, nullptr, &parameters, loop_.sampleRate,
                                               kFramesPerBuffer, paNoFlag, &fill, this),
                                 "opening " + deviceName()))
        return false;
    if (PortAudioLibrary::failed(Pa_StartStream(stream), "starting " + deviceName())) {
        Pa_CloseStream(stream);
        return false;
    }
    stream_ = stream;
    return true;
}

void PortAudioTonePlayer::stop() {
    if (stream_ == nullptr) return;
    PortAudioLibrary::failed(Pa_AbortStream(stream_), "stopping " + deviceName());
    PortAudioLibrary::failed(Pa_CloseStream(stream_), "closing " + deviceName());
    stream_ = nullptr;
}

}  // namespace varnex
