#include "cli/Commands.h"

#include <optional>
#include <thread>
#include <vector>

#include "cli/SweepPlot.h"
#include "common/NumberText.h"

namespace varnex::cli {
namespace {

// An instrument set up as the options ask.
class Session {
public:
    Session(const MeasureOptions& options, CommandPlatform& platform)
        : options_(options), platform_(platform), instrument_(std::move(platform.devices)) {
        if (platform.settingsFile) instrument_.loadSettings(*platform.settingsFile);
        const ReferenceResistors& stored = instrument_.settings().resistors;
        if (options.storedResistor)
            instrument_.setReference(stored.*kResistorValues.at(*options.storedResistor));
        if (options.rm) instrument_.setReference(*options.rm);
        if (options.level) instrument_.setLevel(*options.level);
    }

    Instrument& instrument() { return instrument_; }

    // The tone at `hertz`, played long enough to settle.  Says so when the
    // frequency played is not the one asked for.
    bool startTone(double hertz) {
        const double played = instrument_.setFrequency(hertz);
        if (played != hertz)
            platform_.err << "varnex: " << plainForm(hertz) << " Hz is played as "
                          << plainForm(played)
                          << " Hz, the nearest frequency whose whole cycles fill the tone's loop\n";
        if (!instrument_.playTone()) {
            platform_.err << "varnex: cannot play the test tone on "
                          << instrument_.outputDeviceName() << "\n";
            return false;
        }
        pause(kToneSettling);
        return true;
    }

    // `count` captures back to back, as continuous capture takes them, each
    // measured and handed to `each`; false after telling why when one could
    // not be made.
    bool capture(int count, const std::function<void(const ImpedanceReading&)>& each) {
        CaptureSteps steps;
        steps.measureAndDraw = [&] {
            instrument_.measure();
            if (each && instrument_.lastReading()) each(*instrument_.lastReading());
        };
        steps.failed = [&](CaptureFailure failure) {
            const std::string device = instrument_.inputDeviceName();
            platform_.err << "varnex: " << captureFailureText(failure, device);
            // The window's text for an input that did not open names no device.
            if (failure == CaptureFailure::InputDidNotOpen) platform_.err << " (" << device << ")";
            platform_.err << "\n";
        };
        return instrument_.captureContinuously(steps, count) == ContinuousEnd::Counted;
    }

    void print(const ImpedanceReading& reading) {
        const ReadingTime time = platform_.now();
        switch (options_.format) {
            case OutputFormat::Text:
                platform_.out << readingTextLine(reading) << "\n";
                break;
            case OutputFormat::Csv:
                if (!headerWritten_) platform_.out << csvHeader() << "\n";
                headerWritten_ = true;
                platform_.out << csvLine(reading, time) << "\n";
                break;
            case OutputFormat::Json:
                platform_.out << jsonLine(reading, time) << "\n";
                break;
        }
        platform_.out.flush();  // a script reads each line as it comes
    }

private:
    void pause(std::chrono::milliseconds time) {
        if (platform_.sleep)
            platform_.sleep(time);
        else
            std::this_thread::sleep_for(time);
    }

    const MeasureOptions& options_;
    CommandPlatform& platform_;
    Instrument instrument_;
    bool headerWritten_ = false;
};

}  // namespace

int runMeasure(const MeasureOptions& options, CommandPlatform& platform) {
    Session session(options, platform);
    if (!session.startTone(options.frequency.value_or(kStartFrequency))) return kExitNoReading;
    const bool taken =
        session.capture(options.count, [&](const ImpedanceReading& r) { session.print(r); });
    session.instrument().stop();
    return taken ? kExitOk : kExitNoReading;
}

int runSweep(const MeasureOptions& options, CommandPlatform& platform) {
    Session session(options, platform);
    Instrument& instrument = session.instrument();
    const std::vector<double> frequencies =
        options.frequencies.empty()
            ? std::vector<double>(kGeneratorFrequencies.begin(), kGeneratorFrequencies.end())
            : options.frequencies;
    std::vector<ImpedanceReading> readings;
    for (double hertz : frequencies) {
        // Each frequency adapts from zero, not from the last one's weights.
        instrument.resetWeights();
        if (!session.startTone(hertz)) return kExitNoReading;
        std::optional<ImpedanceReading> last;
        if (!session.capture(options.count, [&](const ImpedanceReading& r) { last = r; }))
            return kExitNoReading;
        session.print(*last);
        readings.push_back(*last);
    }
    instrument.stop();
    instrument.stopTone();
    if (!options.plotFile.empty()) {
        const std::string problem = writeSweepPlot(readings, options.plotFile);
        if (!problem.empty()) {
            platform.err << "varnex: cannot write the plot " << options.plotFile << ": " << problem
                         << "\n";
            return kExitCannotWrite;
        }
    }
    return kExitOk;
}

}  // namespace varnex::cli
