// The program's entry: reads the command line, builds the real platform
// services and hands them to the window or to a headless command.
#include <QApplication>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/QtMessageBoxes.h"
#include "app/Varnex.h"
#include "audio/AudioBackends.h"
#include "audio/SoundDevices.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "dialogs/FormBuilder.h"
#include "instrument/ProgramFiles.h"
#include "instrument/ReadingLog.h"
#include "instrument/SettingsFile.h"

namespace {

using namespace varnex;

// The folder of the running executable, where its files live.
std::filesystem::path programFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : self.parent_path();
}

// A bad value is one line that says what the option takes.
int usageError(const cli::Invocation& invocation) {
    std::cerr << "varnex: " << invocation.error << "\n";
    if (invocation.showUsage) std::cerr << "\n" << cli::usageText();
    return cli::kExitUsage;
}

// The devices the options name; nothing (after telling why) when a name
// matches no device.
std::optional<SoundCardChoice> chosenDevices(const cli::DeviceChoice& choice) {
    SoundCardChoice card;
    if (choice.input.empty() && choice.output.empty()) return card;
    const std::vector<SoundDeviceInfo> devices = listSoundDevices();
    for (const bool input : {true, false}) {
        const std::string& text = input ? choice.input : choice.output;
        if (text.empty()) continue;
        const auto found = findSoundDevice(devices, text, input);
        if (!found) {
            std::cerr << "varnex: no " << (input ? "input" : "output")
                      << " device's name contains \"" << text << "\"; the devices are:\n"
                      << soundDeviceListText(devices);
            return std::nullopt;
        }
        (input ? card.input : card.output) = found->index;
    }
    return card;
}

AudioBackends soundFor(const cli::MeasureOptions& options, const SoundCardChoice& card) {
    if (options.simulate)
        return makeAudioBackends(options.simulate->c_str(), std::getenv(kSimulateRmVariable), card);
    return makeAudioBackends(card);
}

int runCommand(const cli::Invocation& invocation, const SoundCardChoice& card) {
    AudioBackends sound = soundFor(invocation.measure, card);
    if (!sound.problem.empty()) std::cerr << "varnex: " << sound.problem << "\n";
    cli::CommandPlatform platform{SoundDevices{std::move(sound.player), std::move(sound.input),
                                               nullptr, std::move(sound.reference)},
                                  locateProgramFiles(programFolder(), std::getenv).settingsFile,
                                  std::cout, std::cerr};
    return invocation.command == cli::Command::Measure
               ? cli::runMeasure(invocation.measure, platform)
               : cli::runSweep(invocation.measure, platform);
}

int runWindow(int argc, char* argv[], const cli::Invocation& invocation,
              const SoundCardChoice& card) {
    std::unique_ptr<ReadingLog> log;
    if (!invocation.logFile.empty()) {
        std::string why;
        log = ReadingLog::open(invocation.logFile, &why);
        if (!log) {
            std::cerr << "varnex: cannot append to the log " << invocation.logFile << ": " << why
                      << "\n";
            return cli::kExitCannotWrite;
        }
    }
    // Qt sees its own options only; ours are read already.
    std::vector<std::string> qtArguments{argc > 0 ? argv[0] : "varnex"};
    qtArguments.insert(qtArguments.end(), invocation.qtArguments.begin(),
                       invocation.qtArguments.end());
    std::vector<char*> qtArgv;
    for (std::string& argument : qtArguments) qtArgv.push_back(argument.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArguments.size());

    QApplication application(qtArgc, qtArgv.data());
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setFont(formFont());

    Platform platform;
    platform.messageBoxes = std::make_unique<QtMessageBoxes>();
    platform.programFolder = programFolder();
    AudioBackends sound = makeAudioBackends(card);
    if (!sound.problem.empty()) std::cerr << "varnex: " << sound.problem << "\n";
    platform.sound.player = std::move(sound.player);
    platform.sound.input = std::move(sound.input);
    platform.sound.reference = std::move(sound.reference);
    if (log) {
        platform.recordReading = [&log,
                                  file = invocation.logFile](const ImpedanceReading& reading) {
            std::string why;
            if (!log->append(reading, std::chrono::system_clock::now(), &why))
                std::cerr << "varnex: cannot write to the log " << file << ": " << why << "\n";
        };
    }

    Varnex window(std::move(platform));
    window.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const cli::Invocation invocation = cli::parseCommandLine(arguments);
    switch (invocation.command) {
        case cli::Command::Invalid:
            return usageError(invocation);
        case cli::Command::Help:
            std::cout << cli::usageText();
            return cli::kExitOk;
        case cli::Command::Version:
            std::cout << cli::versionText() << "\n";
            return cli::kExitOk;
        case cli::Command::ListDevices:
            std::cout << soundDeviceListText(listSoundDevices());
            return cli::kExitOk;
        default:
            break;
    }
    const std::optional<SoundCardChoice> card = chosenDevices(invocation.devices);
    if (!card) return cli::kExitUsage;
    if (invocation.command == cli::Command::Window) return runWindow(argc, argv, invocation, *card);
    return runCommand(invocation, *card);
}
