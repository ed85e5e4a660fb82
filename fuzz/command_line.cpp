// The program's command line: the arguments are the input's lines.  Every
// invocation either names what was wrong or holds only values the commands
// accept.
#include "cli/CommandLine.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "FuzzCheck.h"

namespace {

using varnex::fuzz::printable;
using namespace varnex::cli;

std::string joined(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& a : arguments) text += printable(a) + " ";
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        arguments.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const Invocation i = parseCommandLine(arguments);
    const std::string what = joined(arguments);

    if (i.command == Command::Invalid) {
        VARNEX_FUZZ_CHECK(!i.error.empty(), what + "is refused without a reason");
        return 0;
    }
    VARNEX_FUZZ_CHECK(i.error.empty(), what + "accepted with the error " + printable(i.error));
    const bool asked = std::find(arguments.begin(), arguments.end(), "--help") != arguments.end() ||
                       std::find(arguments.begin(), arguments.end(), "-h") != arguments.end();
    VARNEX_FUZZ_CHECK(asked == (i.command == Command::Help), what + "and help disagree");

    const MeasureOptions& m = i.measure;
    VARNEX_FUZZ_CHECK(m.count >= 1, what + "count " + std::to_string(m.count));
    // Every frequency lies in the instrument's range, a sweep's too, and only
    // measure has one, only sweep a list.
    auto inRange = [](double hertz) { return hertz >= 10 && hertz <= 20000; };
    VARNEX_FUZZ_CHECK(!m.frequency || inRange(*m.frequency),
                      what + "frequency " + std::to_string(*m.frequency));
    VARNEX_FUZZ_CHECK(!m.frequency || i.command == Command::Measure,
                      what + "a frequency outside measure");
    VARNEX_FUZZ_CHECK(std::all_of(m.frequencies.begin(), m.frequencies.end(), inRange),
                      what + "a sweep frequency out of range");
    VARNEX_FUZZ_CHECK(m.frequencies.size() <= 1000, what + "more than 1000 frequencies");
    VARNEX_FUZZ_CHECK(m.frequencies.empty() || i.command == Command::Sweep,
                      what + "frequencies outside sweep");
    VARNEX_FUZZ_CHECK(!m.storedResistor || *m.storedResistor <= 4,
                      what + "stored resistor " + std::to_string(*m.storedResistor));
    VARNEX_FUZZ_CHECK(!(m.storedResistor && m.rm), what + "two reference resistors");
    VARNEX_FUZZ_CHECK(!m.rm || (std::isfinite(*m.rm) && *m.rm > 0),
                      what + "Rm " + std::to_string(*m.rm));
    VARNEX_FUZZ_CHECK(!m.level || (*m.level >= 0 && *m.level <= 1),
                      what + "level " + std::to_string(*m.level));
    if (!m.plotFile.empty()) {
        VARNEX_FUZZ_CHECK(i.command == Command::Sweep, what + "a plot outside sweep");
        const std::string tail =
            m.plotFile.substr(m.plotFile.size() - std::min<size_t>(4, m.plotFile.size()));
        std::string lower = tail;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        VARNEX_FUZZ_CHECK(lower == ".png" || lower == ".svg",
                          what + "plot " + printable(m.plotFile));
    }
    if (i.command == Command::Window) {
        // Qt gets only what was given, in order.
        size_t next = 0;
        for (const std::string& q : i.qtArguments) {
            while (next < arguments.size() && arguments[next] != q) ++next;
            VARNEX_FUZZ_CHECK(next < arguments.size(), what + "Qt gets " + printable(q));
            ++next;
        }
    } else if (i.command == Command::Measure || i.command == Command::Sweep) {
        // (--version and --list-devices end at once, whatever came before them.)
        VARNEX_FUZZ_CHECK(i.qtArguments.empty() && i.logFile.empty(),
                          what + "window options in a command");
    }
    return 0;
}
