// The sound devices PortAudio sees, for --list-devices and for choosing a
// device by a part of its name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnex {

struct SoundDeviceInfo {
    int index = -1;  // PortAudio's device index
    std::string name;
    std::string hostApi;
    int inputChannels = 0;
    int outputChannels = 0;
    bool defaultInput = false;
    bool defaultOutput = false;
};

// Every device, in PortAudio's order; empty when the sound library cannot start.
std::vector<SoundDeviceInfo> listSoundDevices();

// One line a device: index, name, host API, channel counts, default marks.
std::string soundDeviceListText(const std::vector<SoundDeviceInfo>& devices);

// The first device whose name contains `text`, case-insensitive, and that
// has channels in that direction.
std::optional<SoundDeviceInfo> findSoundDevice(const std::vector<SoundDeviceInfo>& devices,
                                               std::string_view text, bool input);

}  // namespace varnex
