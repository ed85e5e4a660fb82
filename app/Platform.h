// What the platform gives the main window.  Production passes Qt message
// boxes, the executable's folder and the sound card (or the simulated
// bridge); tests pass scripted boxes, a temporary folder and the simulated
// bridge.  Sound devices left empty mean a machine without sound.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "app/MessageBoxes.h"
#include "instrument/Instrument.h"
#include "measure/Readings.h"

namespace varnex {

struct Platform {
    std::unique_ptr<MessageBoxes> messageBoxes;
    // The folder of the program, where a portable copy keeps its settings
    // and help (see ProgramFiles for an installed one).
    std::filesystem::path programFolder;
    // The tone player, the wave input, the clock of the wait for a recording
    // (the real clock when empty) and a reference switch, if the bridge has one.
    SoundDevices sound;
    // Called with every reading the window shows (the --log file); may be empty.
    std::function<void(const ImpedanceReading&)> recordReading;
};

}  // namespace varnex
