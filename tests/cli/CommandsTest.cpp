// measure and sweep on the simulated bridge (each capture delivered at once),
// their output read back as a script would read it.
#include "cli/Commands.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

#include "TempFolder.h"
#include "audio/ComponentDescription.h"
#include "audio/SimulatedBridge.h"

namespace varnex::cli {
namespace {

struct CommandRun {
    int status = -1;
    std::vector<std::string> lines;  // standard output
    std::string errors;
};

CommandRun run(Command command, MeasureOptions options, const char* component,
               bool hasInput = true) {
    SimulatedBridgeOptions bridge;
    bridge.circuit.component = *parseComponent(component);
    bridge.realTime = false;
    bridge.hasInput = hasInput;
    SimulatedBridge card = makeSimulatedBridge(bridge);
    testing::TempFolder folder;  // no settings file: the defaults
    std::ostringstream out, err;
    CommandPlatform platform({std::move(card.player), std::move(card.input), nullptr, nullptr},
                             folder.path() / "Varnexinit", out, err);
    platform.now = [] { return ReadingTime(std::chrono::seconds(1765238400)); };
    platform.sleep = [](std::chrono::milliseconds) {};
    CommandRun r;
    r.status =
        command == Command::Measure ? runMeasure(options, platform) : runSweep(options, platform);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) r.lines.push_back(line);
    r.errors = err.str();
    return r;
}

TEST(Commands, MeasureJsonReadsTheComponentWithinItsUncertainty) {
    MeasureOptions options;
    options.format = OutputFormat::Json;
    options.count = 3;
    const CommandRun r = run(Command::Measure, options, "L=10m,R=20");
    ASSERT_EQ(r.status, kExitOk) << r.errors;
    ASSERT_EQ(r.lines.size(), 3u);
    const QJsonObject o =
        QJsonDocument::fromJson(QByteArray::fromStdString(r.lines.back())).object();
    EXPECT_EQ(o.keys(), QStringList({"angle", "b",    "elms", "frequency", "g",  "kind", "lp",
                                     "ls",    "q",    "rm",   "rp",        "rs", "time", "u_rs",
                                     "u_xs",  "ulms", "xp",   "xs",        "y",  "z"}));
    const double xs = 2 * std::numbers::pi * 1225 * 0.01;
    EXPECT_EQ(o["time"].toString(), "2025-12-09T00:00:00.000Z");
    EXPECT_EQ(o["frequency"].toDouble(), 1225);
    EXPECT_EQ(o["rm"].toDouble(), 100);
    EXPECT_EQ(o["kind"].toString(), "inductive");
    EXPECT_NEAR(o["rs"].toDouble(), 20, 0.002 * 20);
    EXPECT_NEAR(o["xs"].toDouble(), xs, 0.002 * xs);
    EXPECT_NEAR(o["ls"].toDouble(), 0.01, 0.002 * 0.01);
    EXPECT_NEAR(o["q"].toDouble(), xs / 20, 0.002 * xs / 20);
    EXPECT_NEAR(o["z"].toDouble(), std::hypot(20, xs), 0.002 * std::hypot(20, xs));
    const double u = o["u_rs"].toDouble();
    EXPECT_GT(u, 0);
    EXPECT_LT(std::fabs(o["rs"].toDouble() - 20), 5 * u) << "the error lies within a few u";
}

TEST(Commands, CsvAndTextCarryTheSameReading) {
    MeasureOptions options;
    options.format = OutputFormat::Csv;
    options.count = 2;
    options.frequency = 120;
    const CommandRun csv = run(Command::Measure, options, "C=1u,R=5");
    ASSERT_EQ(csv.status, kExitOk) << csv.errors;
    ASSERT_EQ(csv.lines.size(), 3u) << "the header once, then a line a reading";
    EXPECT_EQ(csv.lines[0],
              "time,frequency,rm,rs,xs,z,angle,kind,ls,q,cs,d,rp,xp,lp,cp,g,b,y,u_rs,u_xs,ulms,"
              "elms");
    // The second reading: a card that is not in real time starts its first
    // capture with the tone, and the 0.2 s of settling pass on no clock of its.
    const QStringList fields = QString::fromStdString(csv.lines[2]).split(',');
    ASSERT_EQ(fields.size(), 23);
    EXPECT_EQ(fields[1], "120");
    EXPECT_EQ(fields[7], "capacitive");
    EXPECT_TRUE(fields[8].isEmpty() && fields[9].isEmpty()) << "no Ls or Q for a capacitor";
    EXPECT_NEAR(fields[10].toDouble(), 1e-6, 0.003e-6);
    EXPECT_NEAR(fields[3].toDouble(), 5, 4 * fields[19].toDouble()) << "Rs within 4 u";
    EXPECT_TRUE(fields[14].isEmpty()) << "no Lp for a capacitor";
    EXPECT_NEAR(fields[15].toDouble(), 1e-6, 0.003e-6) << "Cp of a capacitor with a low Rs";

    options.format = OutputFormat::Text;
    options.count = 1;
    const CommandRun text = run(Command::Measure, options, "C=1u,R=5");
    ASSERT_EQ(text.lines.size(), 1u);
    const QStringList words = QString::fromStdString(text.lines[0]).split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(words.size(), 22) << text.lines[0];
    EXPECT_EQ(words[0] + " " + words[1], "120 Hz") << "the frequency played";
    EXPECT_EQ(words[2], "Rs");
    EXPECT_EQ(words[10], "Cs");
    EXPECT_TRUE(words[11].endsWith("uF")) << text.lines[0];
    EXPECT_TRUE(words[14].startsWith("±")) << text.lines[0];
    EXPECT_EQ(words[15], "Ω");
    EXPECT_EQ(words[16], "Rp");
    EXPECT_EQ(words[19], "Cp");
}

TEST(Commands, SweepMeasuresEveryFrequencyAndPlotsTheCurve) {
    testing::TempFolder folder;
    MeasureOptions options;
    options.format = OutputFormat::Json;
    options.plotFile = (folder.path() / "curve.svg").string();
    const CommandRun r = run(Command::Sweep, options, "C=1u");
    ASSERT_EQ(r.status, kExitOk) << r.errors;
    ASSERT_EQ(r.lines.size(), 6u);
    std::vector<double> hertz, ohms;
    for (const std::string& line : r.lines) {
        const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        hertz.push_back(o["frequency"].toDouble());
        ohms.push_back(o["z"].toDouble());
    }
    EXPECT_EQ(hertz, (std::vector<double>{120, 525, 1000, 1225, 2205, 3675}));
    EXPECT_NEAR(ohms.front() / ohms.back(), 3675.0 / 120, 0.01 * 3675 / 120);

    QFile svg(QString::fromStdString(options.plotFile));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    QStringList texts;
    bool root = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"svg") root = true;
        if (xml.name() == u"text")
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(root);
    for (const char* label : {"Frequency (Hz)", "Angle of Z (degrees)", "3675"})
        EXPECT_TRUE(texts.contains(label)) << label;
    // The title (the ohm sign may come as a text of its own, in another font).
    EXPECT_FALSE(texts.filter("Capacitive component, Rm = 100").isEmpty())
        << texts.join('|').toStdString();
}

TEST(Commands, FailuresPrintNoReadingAndTellWhy) {
    const CommandRun noInput = run(Command::Measure, {}, "R=100", false);
    EXPECT_EQ(noInput.status, kExitNoReading);
    EXPECT_TRUE(noInput.lines.empty());
    EXPECT_NE(noInput.errors.find("simulated bridge's input"), std::string::npos) << noInput.errors;

    MeasureOptions plot;
    plot.plotFile = "/no-such-folder/curve.png";
    const CommandRun unwritable = run(Command::Sweep, plot, "R=100");
    EXPECT_EQ(unwritable.status, kExitCannotWrite);
    EXPECT_EQ(unwritable.lines.size(), 6u) << "the readings were taken and printed";
    EXPECT_NE(unwritable.errors.find("/no-such-folder/curve.png"), std::string::npos);
}

}  // namespace
}  // namespace varnex::cli
