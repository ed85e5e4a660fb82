#include "cli/Commands.h"

#include <optional>
#include <thread>
#include <vector>

#include "cli/SweepPlot.h"

namespace varnex::cli {
namespace {

// An instrument set up as the options ask, its readings collected.
class Session {
public:
    Session(const MeasureOptions& options, CommandPlatform& platform)
        : options_(options),
          platform_(platform),
          instrument_(
              std::move(platform.devices),
              MeasurementHooks{{}, [this](const ImpedanceReading& r) { reading_ = r; }, {}}) {
        if (platform.settingsFile) instrument_.loadSettings(*platform.settingsFile);
        Settings& s = instrument_.settings();
        if (options.resistorOption) {
            // As the Rm dialog's Close with that row chosen and no value edited.
            std::array<float, 5> values{};
            for (size_t i = 0; i < values.size(); ++i) values[i] = s.resistors.*kResistorValues[i];
            instrument_.chooseResistor(values, *options.resistorOption);
        }
        if (options.rm) s.resistors.Rm = *options.rm;
        if (options.level) s.SigGenLvl = *options.level;
        if (options.frequencyOption) instrument_.chooseFrequency(*options.frequencyOption);
    }

    Instrument& instrument() { return instrument_; }

    // The tone at the instrument's frequency, played long enough to settle.
    bool startTone() {
        if (!instrument_.playTone()) {
            platform_.err << "varnex: cannot play the test tone on "
                          << instrument_.outputDeviceName() << "\n";
            return false;
        }
        pause(kToneSettling);
        return true;
    }

    // One capture measured as Start1 measures it; the reading, or nothing
    // after telling why.
    std::optional<ImpedanceReading> capture() {
        reading_.reset();
        if (!instrument_.openInput()) {
            platform_.err << "varnex: " << instrument_.inputDeviceName() << " did not open\n";
            return std::nullopt;
        }
        switch (instrument_.captureOnce([this] { instrument_.measure(); })) {
            case CaptureResult::Recorded:
                break;
            case CaptureResult::TimedOut:
                platform_.err << "varnex: the recording on " << instrument_.inputDeviceName()
                              << " did not come back within two seconds\n";
                return std::nullopt;
            case CaptureResult::Broken:
                platform_.err << "varnex: " << instrument_.inputDeviceName()
                              << " delivered three recordings in a row with frames missing\n";
                return std::nullopt;
        }
        return reading_;
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
    std::optional<ImpedanceReading> reading_;
    bool headerWritten_ = false;
};

}  // namespace

int runMeasure(const MeasureOptions& options, CommandPlatform& platform) {
    Session session(options, platform);
    if (!session.startTone()) return kExitNoReading;
    // Back to back, as continuous capture: the input stays open between them.
    session.instrument().startContinuous();
    for (int n = 0; n < options.count; ++n) {
        const std::optional<ImpedanceReading> reading = session.capture();
        if (!reading) return kExitNoReading;
        session.print(*reading);
    }
    return kExitOk;
}

int runSweep(const MeasureOptions& options, CommandPlatform& platform) {
    Session session(options, platform);
    Instrument& instrument = session.instrument();
    instrument.startContinuous();
    std::vector<ImpedanceReading> readings;
    for (int option : sigGenOptionsByFrequency()) {
        instrument.chooseFrequency(option);
        instrument.resetWeights();
        if (!session.startTone()) return kExitNoReading;
        std::optional<ImpedanceReading> reading;
        for (int n = 0; n < options.count; ++n) {
            reading = session.capture();
            if (!reading) return kExitNoReading;
        }
        session.print(*reading);
        readings.push_back(*reading);
    }
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
