#include "cli/CommandLine.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "audio/ComponentDescription.h"
#include "common/NumberText.h"
#include "instrument/Tone.h"

namespace varnex::cli {
namespace {

// The reference resistors by the names the Rm dialog's rows stand for, in the
// order of their option numbers.
constexpr std::array<std::string_view, 5> kResistorNames = {"10", "100", "1k", "10k", "100k"};

// Qt's own options, which the window hands on to the application; with one
// dash or two, and a value either following or after "=".
constexpr std::array<std::string_view, 14> kQtOptionsWithValue = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "name",          "title"};
constexpr std::array<std::string_view, 6> kQtFlags = {"reverse", "widgetcount", "nograb",
                                                      "dograb",  "sync",        "qmljsdebugger"};

template <size_t N>
bool contains(const std::array<std::string_view, N>& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

// A whole text that is one decimal number, nothing before or after it.
std::optional<double> wholeNumber(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string frequencyList() {
    std::string list;
    for (double hertz : kGeneratorFrequencies)
        list += (list.empty() ? "" : ", ") + plainForm(hertz);
    return list;
}

// The most frequencies one sweep takes.
constexpr size_t kMostSweepFrequencies = 1000;

std::string frequencyRange() {
    return "a number of hertz from " + plainForm(kLowestFrequency) + " to " +
           plainForm(kHighestFrequency) + ", such as 50, 1k or 2.2k";
}

// Hertz as a user writes them: "50", "1k", "2.2k", "15kHz".  Nothing outside
// the instrument's range.
std::optional<double> hertzValue(std::string_view text) {
    for (std::string_view unit : {"Hz", "hz", "HZ"})
        if (text.size() > unit.size() && text.ends_with(unit)) text.remove_suffix(unit.size());
    const std::optional<double> hertz = prefixedNumber(text);
    if (!hertz || *hertz < kLowestFrequency || *hertz > kHighestFrequency) return std::nullopt;
    return hertz;
}

std::string resistorList() {
    std::string list;
    for (std::string_view name : kResistorNames)
        list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

class Parser {
public:
    explicit Parser(std::span<const std::string> arguments) : arguments_(arguments) {}

    Invocation parse() {
        // Help wins over everything, even an option that is wrong.
        for (const std::string& argument : arguments_)
            if (argument == "--help" || argument == "-h") {
                invocation_.command = Command::Help;
                return invocation_;
            }
        if (!arguments_.empty() && (arguments_[0] == "measure" || arguments_[0] == "sweep")) {
            invocation_.command = arguments_[0] == "measure" ? Command::Measure : Command::Sweep;
            next_ = 1;
        }
        while (next_ < arguments_.size() && invocation_.command != Command::Invalid) option();
        if (invocation_.command == Command::Invalid) return invocation_;
        checkCombinations();
        return invocation_;
    }

private:
    bool window() const { return invocation_.command == Command::Window; }
    bool measuring() const {
        return invocation_.command == Command::Measure || invocation_.command == Command::Sweep;
    }

    void fail(std::string why) {
        invocation_.command = Command::Invalid;
        invocation_.error = std::move(why);
    }

    // The value of `--name value` or `--name=value`; nothing (and the
    // invocation failed) when it is missing.
    std::optional<std::string> value(const std::string& name,
                                     const std::optional<std::string>& attached) {
        if (attached) return attached;
        if (next_ < arguments_.size()) return arguments_[next_++];
        fail(name + " needs a value");
        return std::nullopt;
    }

    void option() {
        const std::string& argument = arguments_[next_++];
        if (argument.rfind("--", 0) != 0) {
            if (window() && qtOption(argument)) return;
            invocation_.showUsage = true;
            if (argument.rfind("-", 0) == 0) return fail("unknown option " + argument);
            return fail("unexpected argument \"" + argument + "\"");
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const std::optional<std::string> attached =
            equals == std::string::npos ? std::nullopt : std::optional(argument.substr(equals + 1));

        if (name == "--help" || name == "--version" || name == "--list-devices") {
            // "--help=x" is a typing error, not a request for help; --help
            // itself was taken before the options were read.
            if (attached) return fail(name + " takes no value");
            return command(name == "--version" ? Command::Version : Command::ListDevices);
        }
        if (name == "--input-device" || name == "--output-device") {
            const auto text = value(name, attached);
            if (!text) return;
            if (text->empty()) return fail(name + " needs a part of a device name");
            (name == "--input-device" ? invocation_.devices.input : invocation_.devices.output) =
                *text;
            return;
        }
        if (window()) {
            if (name == "--log") {
                const auto file = value(name, attached);
                if (!file) return;
                if (file->empty()) return fail("--log needs a file name");
                invocation_.logFile = *file;
                return;
            }
            if (qtOption(argument)) return;
            invocation_.showUsage = true;
            return fail("unknown option " + name);
        }
        measureOption(name, attached);
    }

    // The version and the device list win over everything after them.
    void command(Command command) {
        invocation_.command = command;
        next_ = arguments_.size();
    }

    bool qtOption(const std::string& argument) {
        // "-name" or "--name": an empty argument or a lone dash is no option.
        std::string_view name = argument;
        const size_t dashes = name.rfind("--", 0) == 0 ? 2 : name.rfind("-", 0) == 0 ? 1 : 0;
        if (dashes == 0 || name.size() == dashes) return false;
        name.remove_prefix(dashes);
        const size_t equals = name.find('=');
        const bool attached = equals != std::string_view::npos;
        if (attached) name = name.substr(0, equals);
        if (contains(kQtFlags, name)) {
            invocation_.qtArguments.push_back(argument);
            return true;
        }
        if (!contains(kQtOptionsWithValue, name)) return false;
        invocation_.qtArguments.push_back(argument);
        if (!attached) {
            if (next_ >= arguments_.size()) {
                fail(argument + " needs a value");
                return true;
            }
            invocation_.qtArguments.push_back(arguments_[next_++]);
        }
        return true;
    }

    void measureOption(const std::string& name, const std::optional<std::string>& attached) {
        MeasureOptions& m = invocation_.measure;
        if (name == "--frequency") {
            if (invocation_.command == Command::Sweep)
                return fail("--frequency is an option of measure: sweep takes --frequencies");
            const auto text = value(name, attached);
            if (!text) return;
            const auto hertz = hertzValue(*text);
            if (!hertz)
                return fail("--frequency " + *text + ": the test frequency is " + frequencyRange());
            m.frequency = *hertz;
        } else if (name == "--frequencies") {
            if (invocation_.command != Command::Sweep)
                return fail("--frequencies is an option of sweep: measure takes --frequency");
            const auto text = value(name, attached);
            if (!text) return;
            m.frequencies.clear();
            for (size_t begin = 0; begin <= text->size();) {
                const size_t end = std::min(text->find(',', begin), text->size());
                const std::string item = text->substr(begin, end - begin);
                const auto hertz = hertzValue(item);
                if (!hertz)
                    return fail("--frequencies " + *text + ": \"" + item + "\" is not " +
                                frequencyRange());
                m.frequencies.push_back(*hertz);
                begin = end + 1;
            }
            if (m.frequencies.size() > kMostSweepFrequencies)
                return fail("--frequencies " + *text + ": a sweep takes at most " +
                            std::to_string(kMostSweepFrequencies) + " frequencies");
        } else if (name == "--resistor") {
            const auto text = value(name, attached);
            if (!text) return;
            const auto found = std::find(kResistorNames.begin(), kResistorNames.end(), *text);
            if (found == kResistorNames.end())
                return fail("--resistor " + *text + ": the reference resistor is one of " +
                            resistorList());
            m.storedResistor = static_cast<size_t>(found - kResistorNames.begin());
        } else if (name == "--rm") {
            const auto text = value(name, attached);
            if (!text) return;
            const auto ohms = parseResistance(*text);
            if (!ohms || *ohms > std::numeric_limits<float>::max())
                return fail("--rm " + *text +
                            ": the reference resistance is a positive number of "
                            "ohms, such as 100, 998.7 or 10k");
            m.rm = static_cast<float>(*ohms);
        } else if (name == "--level") {
            const auto text = value(name, attached);
            if (!text) return;
            const auto level = wholeNumber(*text);
            if (!level || *level < 0 || *level > 1)
                return fail("--level " + *text + ": the output level is a number from 0 to 1");
            m.level = *level;
        } else if (name == "--count") {
            const auto text = value(name, attached);
            if (!text) return;
            const auto count = wholeNumber(*text);
            constexpr double kMostReadings = 1e9;
            if (!count || *count < 1 || *count > kMostReadings || *count != std::floor(*count))
                return fail("--count " + *text +
                            ": the number of readings is a whole number from 1");
            m.count = static_cast<int>(*count);
        } else if (name == "--format") {
            const auto text = value(name, attached);
            if (!text) return;
            if (*text == "text")
                m.format = OutputFormat::Text;
            else if (*text == "csv")
                m.format = OutputFormat::Csv;
            else if (*text == "json")
                m.format = OutputFormat::Json;
            else
                return fail("--format " + *text + ": the format is text, csv or json");
        } else if (name == "--simulate") {
            const auto text = value(name, attached);
            if (!text) return;
            std::string why;
            if (!parseSimulation(*text, &why)) return fail("--simulate " + *text + ": " + why);
            m.simulate = *text;
        } else if (name == "--plot") {
            if (invocation_.command != Command::Sweep)
                return fail("--plot is an option of sweep only");
            const auto text = value(name, attached);
            if (!text) return;
            const auto dot = text->rfind('.');
            std::string extension = dot == std::string::npos ? "" : text->substr(dot + 1);
            std::transform(extension.begin(), extension.end(), extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (extension != "png" && extension != "svg")
                return fail("--plot " + *text + ": the plot is a .png or .svg file");
            m.plotFile = *text;
        } else {
            invocation_.showUsage = true;
            fail("unknown option " + name);
        }
    }

    void checkCombinations() {
        const MeasureOptions& m = invocation_.measure;
        if (m.storedResistor && m.rm)
            fail("--resistor and --rm both choose the reference resistor: give one of them");
    }

    std::span<const std::string> arguments_;
    size_t next_ = 0;
    Invocation invocation_;
};

}  // namespace

Invocation parseCommandLine(std::span<const std::string> arguments) {
    return Parser(arguments).parse();
}

std::string versionText() {
    return std::string("varnex ") + VARNEX_VERSION;
}

std::string usageText() {
    return "Usage: varnex [--log FILE.csv] [DEVICE OPTIONS] [Qt options]\n"
           "       varnex measure [MEASURE OPTIONS] [DEVICE OPTIONS]\n"
           "       varnex sweep [--frequencies LIST] [MEASURE OPTIONS but --frequency]\n"
           "                    [--plot FILE.svg|FILE.png]\n"
           "       varnex --list-devices | --help | --version\n"
           "\n"
           "Without a command varnex opens its window: a sound card as an impedance bridge.\n"
           "measure plays the test tone and prints readings of the component on the bridge;\n"
           "sweep prints one reading at each of a list of frequencies.\n"
           "\n"
           "Window:\n"
           "  --log FILE.csv          append one line per measurement to FILE.csv\n"
           "\n"
           "Measure and sweep:\n"
           "  --frequency HZ          test frequency, " +
           plainForm(kLowestFrequency) + " to " + plainForm(kHighestFrequency) +
           " Hz, such as 50 or 2.2k\n"
           "                          (default " +
           plainForm(kStartFrequency) +
           "), played at the nearest frequency whose\n"
           "                          whole cycles fill the tone's loop of at most a second\n"
           "  --frequencies LIST      sweep: comma-separated frequencies\n"
           "                          (default " +
           frequencyList() +
           ")\n"
           "  --resistor NAME         the stored reference resistor " +
           resistorList() +
           "\n"
           "  --rm OHMS               the reference resistance itself (default: the settings')\n"
           "  --level L               output level from 0 to 1 (default: the settings')\n"
           "  --count N               readings, back to back as continuous capture makes them\n"
           "                          (sweep: captures at each frequency; default 1)\n"
           "  --format text|csv|json  how readings are printed (default text)\n"
           "  --simulate DESCRIPTION  the simulated bridge instead of the sound card,\n"
           "                          as VARNEX_SIMULATE, such as \"L=10m,R=20\"\n"
           "  --plot FILE             sweep: |Z| and the angle against frequency, .png or .svg\n"
           "\n"
           "Devices:\n"
           "  --list-devices          list the sound devices and end\n"
           "  --input-device TEXT     record from the first device whose name contains TEXT\n"
           "  --output-device TEXT    play on the first device whose name contains TEXT\n"
           "\n"
           "Environment:\n"
           "  VARNEX_SIMULATE         a component on the simulated bridge: \"C=100n\",\n"
           "                          \"L=10m,R=5\" (in series), \"C=1u||R=1M\" (side by side)\n"
           "                          or \"Z=50-30j\"; \"noise=N\" sets its noise, \"seed=N\"\n"
           "                          makes a run repeat\n"
           "  VARNEX_SIMULATE_RM      the simulated bridge's true reference resistor in\n"
           "                          ohms; without it, the one the program measures with\n"
           "\n"
           "Exit status: 0 every reading taken, 2 no sound device or no recording,\n"
           "64 a bad option or value, 73 a log or plot file that cannot be written.\n";
}

}  // namespace varnex::cli
