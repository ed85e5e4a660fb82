#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnex::cli {
namespace {

Invocation parse(std::vector<std::string> arguments) {
    return parseCommandLine(arguments);
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
    return text;
}

TEST(CommandLine, CommandsAndTheirOptions) {
    const Invocation window =
        parse({"--log", "runs.csv", "--input-device=usb", "--output-device", "USB"});
    EXPECT_EQ(window.command, Command::Window);
    EXPECT_EQ(window.logFile, "runs.csv");
    EXPECT_EQ(window.devices.input, "usb");
    EXPECT_EQ(window.devices.output, "USB");

    const Invocation measure =
        parse({"measure", "--frequency", "120", "--resistor=1k", "--level", "0.25", "--count", "3",
               "--format", "json", "--simulate", "C=1u,noise=2"});
    EXPECT_EQ(measure.command, Command::Measure);
    EXPECT_EQ(measure.measure.frequency, 120);
    EXPECT_EQ(measure.measure.storedResistor, 2u) << "the third stored resistor";
    EXPECT_EQ(measure.measure.level, 0.25);
    EXPECT_EQ(measure.measure.count, 3);
    EXPECT_EQ(measure.measure.format, OutputFormat::Json);
    EXPECT_EQ(measure.measure.simulate, "C=1u,noise=2");

    const Invocation sweep = parse({"sweep", "--rm", "10k", "--plot", "curve.SVG", "--format=csv",
                                    "--frequencies", "50,2.2k,15kHz,1234.5"});
    EXPECT_EQ(sweep.command, Command::Sweep);
    EXPECT_EQ(sweep.measure.frequencies, (std::vector<double>{50, 2200, 15000, 1234.5}));
    EXPECT_EQ(sweep.measure.rm, 10000.0f);
    EXPECT_EQ(sweep.measure.plotFile, "curve.SVG");
    EXPECT_EQ(sweep.measure.format, OutputFormat::Csv);
    EXPECT_EQ(parse({"measure"}).measure.count, 1);
    EXPECT_EQ(parse({"measure"}).measure.format, OutputFormat::Text);

    EXPECT_EQ(parse({"--help"}).command, Command::Help);
    EXPECT_EQ(parse({"measure", "--frequency", "7", "-h"}).command, Command::Help) << "help wins";
    EXPECT_EQ(parse({"--version"}).command, Command::Version);
    EXPECT_EQ(parse({"--list-devices"}).command, Command::ListDevices);
    EXPECT_EQ(versionText(), "varnex 1.0");
}

TEST(CommandLine, QtsOwnOptionsGoToTheWindow) {
    const Invocation i =
        parse({"-platform", "offscreen", "--style=Fusion", "-reverse", "--log", "a.csv"});
    ASSERT_EQ(i.command, Command::Window) << i.error;
    EXPECT_EQ(i.qtArguments,
              (std::vector<std::string>{"-platform", "offscreen", "--style=Fusion", "-reverse"}));
    EXPECT_EQ(i.logFile, "a.csv");
    EXPECT_EQ(parse({"measure", "-platform", "offscreen"}).command, Command::Invalid)
        << "the headless commands have no window";
}

TEST(CommandLine, BadOptionsNameTheOptionAndWhatItAccepts) {
    struct Row {
        std::vector<std::string> arguments;
        std::string says;  // a part of the message
        bool usage;        // the usage follows
    };
    const Row rows[] = {
        {{"--bogus"}, "unknown option --bogus", true},
        {{"stray"}, "unexpected argument \"stray\"", true},
        {{""}, "unexpected argument \"\"", true},
        {{"-"}, "unknown option -", true},
        {{"measure", "--log", "x.csv"}, "unknown option --log", true},
        {{"measure", "--frequency", "9.9"}, "from 10 to 20000", false},
        {{"measure", "--frequency", "20.1k"}, "--frequency 20.1k", false},
        {{"measure", "--frequency", "nan"}, "from 10 to 20000", false},
        {{"measure", "--frequency", "1 kHz"}, "from 10 to 20000", false},
        {{"measure", "--frequency"}, "--frequency needs a value", false},
        {{"sweep", "--frequency", "120"}, "sweep takes --frequencies", false},
        {{"measure", "--frequencies", "120"}, "measure takes --frequency", false},
        {{"sweep", "--frequencies", "50,,100"}, "\"\" is not", false},
        {{"sweep", "--frequencies", "50,5"}, "\"5\" is not", false},
        {{"measure", "--resistor", "47"}, "10, 100, 1k, 10k, 100k", false},
        {{"measure", "--rm", "-5"}, "--rm -5", false},
        {{"measure", "--rm", "0"}, "positive number of ohms", false},
        {{"measure", "--level", "1.5"}, "from 0 to 1", false},
        {{"measure", "--level", "0.5x"}, "--level 0.5x", false},
        {{"measure", "--count", "0"}, "whole number from 1", false},
        {{"measure", "--count", "2.5"}, "--count 2.5", false},
        {{"measure", "--format", "xml"}, "text, csv or json", false},
        {{"measure", "--simulate", "Q=5"}, "--simulate Q=5", false},
        {{"measure", "--simulate", "R=5,noise=-1"}, "noise", false},
        {{"measure", "--plot", "a.png"}, "sweep only", false},
        {{"sweep", "--plot", "curve.pdf"}, ".png or .svg", false},
        {{"measure", "--resistor", "1k", "--rm", "1000"}, "give one of them", false},
        {{"--input-device", ""}, "part of a device name", false},
        {{"--log"}, "--log needs a value", false},
        {{"measure", "--help=all"}, "--help takes no value", false},
        {{"--version=2"}, "--version takes no value", false},
    };
    for (const Row& row : rows) {
        const Invocation i = parse(row.arguments);
        EXPECT_EQ(i.command, Command::Invalid) << joined(row.arguments);
        EXPECT_NE(i.error.find(row.says), std::string::npos)
            << joined(row.arguments) << ": \"" << i.error << "\"";
        EXPECT_EQ(i.showUsage, row.usage) << joined(row.arguments);
    }
}

}  // namespace
}  // namespace varnex::cli
