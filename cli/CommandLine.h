// The program's command line: the window with its options, the headless
// sub-commands `measure` and `sweep`, and the options that only print
// something.  Qt-free, so it is read before anything needs a display.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnex::cli {

// Exit statuses, after sysexits.h where one fits.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNoReading = 2;     // no device, or a recording that never came back
inline constexpr int kExitUsage = 64;        // a bad option or value
inline constexpr int kExitCannotWrite = 73;  // a log or plot file that cannot be written

enum class Command { Window, Measure, Sweep, Help, Version, ListDevices, Invalid };

enum class OutputFormat { Text, Csv, Json };

// Which sound devices to use: the first whose name contains the text
// (case-insensitive); empty for the default device.
struct DeviceChoice {
    std::string input;
    std::string output;
};

struct MeasureOptions {
    std::optional<double> frequency;  // measure's --frequency, hertz as asked
    // sweep's --frequencies, hertz as asked, in the order given; empty: the
    // generator's frequencies.
    std::vector<double> frequencies;
    // --resistor: which stored resistor, 0 (10 ohm) .. 4 (100 kohm).
    std::optional<size_t> storedResistor;
    std::optional<float> rm;      // --rm, ohms
    std::optional<double> level;  // --level, 0..1
    int count = 1;                // --count
    OutputFormat format = OutputFormat::Text;
    std::optional<std::string> simulate;  // --simulate, as VARNEX_SIMULATE
    std::string plotFile;                 // sweep's --plot, .png or .svg
};

struct Invocation {
    Command command = Command::Window;
    DeviceChoice devices;
    std::string logFile;  // the window's --log
    MeasureOptions measure;
    // Command::Invalid: what was wrong, naming the option and what it accepts,
    // and whether the usage should follow (an option or argument not known).
    std::string error;
    bool showUsage = false;
    // The window: Qt's own options, in order, to hand to the application.
    std::vector<std::string> qtArguments;
};

// The arguments after the program's name.
Invocation parseCommandLine(std::span<const std::string> arguments);

// Usage, options and environment, for --help and after a bad option.
std::string usageText();

// "varnex" and the project's version, for --version.
std::string versionText();

}  // namespace varnex::cli
