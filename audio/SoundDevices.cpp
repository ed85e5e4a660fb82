#include "audio/SoundDevices.h"

#include <portaudio.h>

#include <algorithm>
#include <cctype>

#include "audio/PortAudioLibrary.h"

namespace varnex {
namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace

std::vector<SoundDeviceInfo> listSoundDevices() {
    PortAudioLibrary library;
    std::vector<SoundDeviceInfo> devices;
    if (!library.ready()) return devices;
    const PaDeviceIndex count = Pa_GetDeviceCount();
    const PaDeviceIndex defaultInput = Pa_GetDefaultInputDevice();
    const PaDeviceIndex defaultOutput = Pa_GetDefaultOutputDevice();
    for (PaDeviceIndex i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (info == nullptr) continue;
        const PaHostApiInfo* api = Pa_GetHostApiInfo(info->hostApi);
        devices.push_back({i, info->name ? info->name : "", api && api->name ? api->name : "",
                           info->maxInputChannels, info->maxOutputChannels, i == defaultInput,
                           i == defaultOutput});
    }
    return devices;
}

std::string soundDeviceListText(const std::vector<SoundDeviceInfo>& devices) {
    if (devices.empty()) return "no sound devices\n";
    std::string text;
    for (const SoundDeviceInfo& d : devices) {
        std::string marks;
        if (d.defaultInput) marks += " (default input)";
        if (d.defaultOutput) marks += " (default output)";
        text += std::to_string(d.index) + ": " + d.name + " [" + d.hostApi + "] in " +
                std::to_string(d.inputChannels) + ", out " + std::to_string(d.outputChannels) +
                marks + "\n";
    }
    return text;
}

std::optional<SoundDeviceInfo> findSoundDevice(const std::vector<SoundDeviceInfo>& devices,
                                               std::string_view text, bool input) {
    const std::string wanted = lowerCase(text);
    for (const SoundDeviceInfo& d : devices) {
        const int channels = input ? d.inputChannels : d.outputChannels;
        if (channels > 0 && lowerCase(d.name).find(wanted) != std::string::npos) return d;
    }
    return std::nullopt;
}

}  // namespace varnex
