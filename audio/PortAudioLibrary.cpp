#include "audio/PortAudioLibrary.h"

#include "audio/QuietAudioLibraries.h"

#include <portaudio.h>

#include <cstdio>

namespace varnex {

PortAudioLibrary::PortAudioLibrary() {
    silenceAudioLibraryChatter();
    ready_ = !failed(Pa_Initialize(), "starting the sound library");
}

bool PortAudioLibrary::failed(int error, const std::string& doing) {
    if (error >= paNoError) return false;
    static std::string lastMessage;
    const std::string message = "varnex: " + doing + ": " + Pa_GetErrorText(error);
    if (message != lastMessage) std::fprintf(stderr, "%s\n", message.c_str());
    lastMessage = message;
    return true;
}

int PortAudioLibrary::deviceOrDefault(bool input, std::optional<int> device) const {
    if (!ready_) return paNoDevice;
    if (device) return *device >= 0 && *device < Pa_GetDeviceCount() ? *device : paNoDevice;
    return input ? Pa_GetDefaultInputDevice() : Pa_GetDefaultOutputDevice();
}

std::string PortAudioLibrary::deviceName(bool input, std::optional<int> device) const {
    const std::string what = input ? "the input" : "the output";
    if (!ready_) return what + " (the sound library did not start)";
    const PaDeviceIndex index = deviceOrDefault(input, device);
    const PaDeviceInfo* info = index == paNoDevice ? nullptr : Pa_GetDeviceInfo(index);
    if (info == nullptr || info->name == nullptr)
        return what + (device ? " (no such device)" : " (there is no default device)");
    return what + " '" + info->name + "'";
}

PortAudioLibrary::~PortAudioLibrary() {
    if (ready_) Pa_Terminate();
}

}  // namespace varnex
