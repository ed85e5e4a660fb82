// The headless sub-commands: `measure` takes readings of the component on the
// bridge, `sweep` one reading at each of a list of frequencies.  Both drive the same
// instrument as the window, with the settings file's calibration, tare and
// resistors, and never write the settings file.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <utility>

#include "cli/CommandLine.h"
#include "instrument/Instrument.h"
#include "measure/ReadingRecords.h"

namespace varnex::cli {

// What the program gives a command.
struct CommandPlatform {
    CommandPlatform(SoundDevices soundDevices, std::optional<std::filesystem::path> settings,
                    std::ostream& output, std::ostream& errors)
        : devices(std::move(soundDevices)),
          settingsFile(std::move(settings)),
          out(output),
          err(errors) {}

    SoundDevices devices;
    std::optional<std::filesystem::path> settingsFile;  // found as the window finds it
    std::ostream& out;                                  // the readings, one a line
    std::ostream& err;                                  // what went wrong
    // The time a reading is stamped with, and the pause while the tone settles.
    std::function<ReadingTime()> now = [] { return std::chrono::system_clock::now(); };
    std::function<void(std::chrono::milliseconds)> sleep;
};

// The least time the tone plays before the first capture, so the bridge has
// settled and the sound server delivers it.
inline constexpr std::chrono::milliseconds kToneSettling{200};

// Each returns the exit status: kExitOk when every reading was taken,
// kExitNoReading when a device could not be opened or a recording did not come
// back (nothing is printed for a reading not taken), kExitCannotWrite for a
// plot that cannot be written.
int runMeasure(const MeasureOptions& options, CommandPlatform& platform);
int runSweep(const MeasureOptions& options, CommandPlatform& platform);

}  // namespace varnex::cli
