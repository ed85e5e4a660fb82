// Start1, Start2, Stop, the lamp and the tone buttons, on the simulated bridge
// (delivering each block at once) and on devices that fail.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "app/ShapeWidget.h"
#include "app/Varnex.h"
#include "audio/NoSoundDevice.h"
#include "audio/SimulatedBridge.h"

namespace varnex {
namespace {

const QColor kLightGreen(128, 255, 128);
const QColor kRed(255, 0, 0);

// An input that opens and writes the start of the buffer but never returns it,
// as when a sound server dies.
class StuckInput final : public WaveInput {
public:
    std::string deviceName() const override { return "the stuck input"; }
    int32_t open(const WaveFormat&) override { return 3; }
    bool start(int32_t) override { return true; }
    void addBuffer(int32_t, WaveHeader& header) override { header.data[0] = 1234; }
    void reset(int32_t) override { ++resets; }
    void close(int32_t) override { ++closes; }
    int resets = 0;
    int closes = 0;
};

// A player that remembers what it was told.
class RecordingPlayer final : public TonePlayer {
public:
    std::string deviceName() const override { return "the recording player"; }
    bool play(std::span<const uint8_t> image) override {
        ++plays;
        playing = true;
        bytes = image.size();
        return true;
    }
    void stop() override { playing = false; }
    int plays = 0;
    bool playing = false;
    size_t bytes = 0;
};

class CaptureControlTest : public testing::WindowFixture {
protected:
    void start(std::unique_ptr<TonePlayer> player, std::unique_ptr<WaveInput> input,
               std::function<void(const ImpedanceReading&)> recordReading = {}) {
        open({std::move(player), std::move(input), std::make_unique<testing::FakePollTimer>(),
              nullptr},
             std::move(recordReading));
        window->show();
    }
    void startOnBridge(const char* component = "R=100",
                       std::function<void(const ImpedanceReading&)> recordReading = {}) {
        SimulatedBridge bridge = makeSimulatedBridge(bridgeWith(component));
        start(std::move(bridge.player), std::move(bridge.input), std::move(recordReading));
    }

    const VarnexControls& c() const { return window->controls(); }
    const CaptureBuffers& capture() { return instrument().capture(); }
    QColor lamp() const { return c().shTrigRdy->fillColor(); }
};

TEST_F(CaptureControlTest, SingleCaptureFillsSamplesMeasuresAndDraws) {
    startOnBridge("R=100");
    QSignalSpy measured(window.get(), &Varnex::measured);
    // The first event handled during the capture sees the lamp red.
    QColor lampDuringCapture;
    QTimer::singleShot(0, window.get(), [&] { lampDuringCapture = lamp(); });
    QTest::mouseClick(c().btnStart, Qt::LeftButton);

    EXPECT_EQ(lampDuringCapture, kRed);
    EXPECT_EQ(lamp(), kLightGreen);
    EXPECT_EQ(measured.count(), 1);
    EXPECT_EQ(capture().DataReady, kTrue);
    EXPECT_EQ(capture().Captured, 1);
    EXPECT_EQ(capture().Busy, kFalse);
    EXPECT_EQ(capture().hWaveIn, 0);
    EXPECT_TRUE(c().DevicesBox->isEnabled());
    EXPECT_EQ(c().btnRun->text(), "Start2");
    EXPECT_TRUE(c().btnStart->isEnabled());
    int nonZero = 0;
    for (int i = 0; i <= 22049; ++i) nonZero += capture().Samples[i] != 0;
    EXPECT_GT(nonZero, 20000);
    for (int i = 22050; i <= kLastIndex; ++i) ASSERT_EQ(capture().Samples[i], 0) << "index " << i;
    // A 100-ohm resistor against the 100-ohm reference, within the first run's convergence.
    EXPECT_NEAR(c().Text4->text().toDouble(), 100, 5);
}

TEST_F(CaptureControlTest, NoInputDeviceShowsTheMessageAndStaysIdle) {
    start(std::make_unique<NoTonePlayer>(), std::make_unique<NoWaveInput>());
    const QColor before = lamp();
    QTest::mouseClick(c().btnStart, Qt::LeftButton);
    ASSERT_EQ(messages("Wave input device did not open!"), 1);
    const MessageRequest& box = boxes.shown.back();
    EXPECT_EQ(box.title, "Ouch!");
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(capture().Busy, kFalse);
    EXPECT_EQ(capture().DataReady, kFalse);
    EXPECT_EQ(lamp(), before);

    // Stop afterwards changes only captions, flags and the lamp.
    QTest::mouseClick(c().btnStop, Qt::LeftButton);
    EXPECT_EQ(lamp(), kLightGreen);
    EXPECT_EQ(c().btnRun->text(), "Start2");
}

TEST_F(CaptureControlTest, ContinuousCaptureRunsUntilStopAndFinishesTheCaptureUnderWay) {
    startOnBridge("C=1u");
    int captures = 0;
    QStringList runCaptions;
    QList<bool> startEnabled;
    QObject::connect(window.get(), &Varnex::measured, window.get(), [&] {
        ++captures;
        runCaptions << c().btnRun->text();
        startEnabled << c().btnStart->isEnabled();
        // Stop arrives during the third capture's measurement.
        if (captures == 3) QTimer::singleShot(0, c().btnStop, [&] { c().btnStop->click(); });
    });
    QSignalSpy drawn(window.get(), &Varnex::scopeDrawn);
    QTest::mouseClick(c().btnRun, Qt::LeftButton);

    EXPECT_GE(captures, 3);
    EXPECT_LE(captures, 4);
    EXPECT_EQ(runCaptions.first(), "Run");
    EXPECT_FALSE(startEnabled.first());
    EXPECT_GE(drawn.count(), captures) << "every capture under way is drawn";
    EXPECT_EQ(instrument().continuous(), false);
    EXPECT_EQ(c().btnRun->text(), "Start2");
    EXPECT_TRUE(c().btnStart->isEnabled());
    EXPECT_EQ(lamp(), kLightGreen);
    EXPECT_EQ(capture().DataReady, kTrue) << "the capture under way sets it again at its end";
}

TEST_F(CaptureControlTest, StopAtTheTopOfTheLoopStillMakesThatCapture) {
    startOnBridge();
    QSignalSpy measured(window.get(), &Varnex::measured);
    // Handled in the loop's first yield, before any capture.
    QTimer::singleShot(0, c().btnStop, [&] { c().btnStop->click(); });
    QTest::mouseClick(c().btnRun, Qt::LeftButton);
    EXPECT_EQ(measured.count(), 1);
    EXPECT_EQ(instrument().continuous(), false);
}

// Counts the passes through the event loop (one firing per processEvents) and
// clicks a button at the given pass.
class YieldCounter {
public:
    YieldCounter(QPushButton* button, int clickAt) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this, button, clickAt] {
            if (++passes == clickAt) button->click();
        });
        timer_.start();
    }
    int passes = 0;

private:
    QTimer timer_;
};

TEST_F(CaptureControlTest, StopAtEveryYieldOfAPassLetsThatCaptureFinish) {
    startOnBridge();
    // Yields of one pass of continuous capture: 1 the top of the loop, 2 after
    // the recording, 3 the start of the measurement, 4..8 its five passes.
    for (int yield = 1; yield <= 8; ++yield) {
        instrument().stop();  // no capture held
        QSignalSpy measured(window.get(), &Varnex::measured);
        QSignalSpy drawn(window.get(), &Varnex::scopeDrawn);
        YieldCounter counter(c().btnStop, yield);
        c().btnRun->click();
        EXPECT_EQ(measured.count(), 1) << "Stop at yield " << yield;
        EXPECT_GE(drawn.count(), 1) << "Stop at yield " << yield;
        EXPECT_EQ(capture().DataReady, yield == 1 || yield == 2 ? kTrue : kFalse)
            << "Stop at yield " << yield << ": a Stop before the copy is undone by it";
        EXPECT_EQ(instrument().continuous(), false) << "Stop at yield " << yield;
        EXPECT_EQ(c().btnRun->text(), "Start2") << "Stop at yield " << yield;
        EXPECT_EQ(lamp(), kLightGreen) << "Stop at yield " << yield;
    }
}

TEST_F(CaptureControlTest, ACaptureClickedDuringAMeasurementWaitsForIt) {
    startOnBridge("C=1u");
    QSignalSpy measured(window.get(), &Varnex::measured);
    // Start1 clicked while the first capture's measurement yields.
    YieldCounter counter(c().btnStart, 4);
    c().btnStart->click();
    EXPECT_EQ(measured.count(), 1) << "the second capture has not started inside the first";
    EXPECT_TRUE(QTest::qWaitFor([&] { return measured.count() == 2; }))
        << "it runs once the first measurement has ended";
    EXPECT_TRUE(c().Text5->text().endsWith("uF"));
}

TEST_F(CaptureControlTest, ContinuousCaptureWithoutADeviceAsksOnceAndEnds) {
    start(std::make_unique<NoTonePlayer>(), std::make_unique<NoWaveInput>());
    QTest::mouseClick(c().btnRun, Qt::LeftButton);
    EXPECT_EQ(messages("Wave input device did not open!"), 1);
    EXPECT_EQ(instrument().continuous(), false);
    EXPECT_EQ(c().btnRun->text(), "Start2");
    EXPECT_TRUE(c().btnStart->isEnabled());
}

TEST_F(CaptureControlTest, ARecordingThatNeverReturnsEndsAfterTwoSeconds) {
    auto input = std::make_unique<StuckInput>();
    StuckInput* stuck = input.get();
    start(std::make_unique<NoTonePlayer>(), std::move(input));
    QSignalSpy measured(window.get(), &Varnex::measured);
    QTest::mouseClick(c().btnRun, Qt::LeftButton);
    std::vector<MessageRequest> told;
    for (const MessageRequest& m : boxes.shown)
        if (m.title == "Ouch!") told.push_back(m);
    ASSERT_EQ(told.size(), 1u) << "told once, not once a pass";
    EXPECT_NE(told[0].text.find("two seconds"), std::string::npos);
    EXPECT_EQ(measured.count(), 0);
    EXPECT_EQ(capture().CapBuf[0], 1234) << "the device had begun to write";
    EXPECT_EQ(capture().Samples[0], 0) << "the previous capture is kept";
    EXPECT_EQ(capture().Captured, 0);
    EXPECT_EQ(capture().Busy, kFalse);
    EXPECT_EQ(instrument().continuous(), false) << "continuous capture ends";
    EXPECT_EQ(capture().hWaveIn, 0);
    EXPECT_GE(stuck->resets, 1);
    EXPECT_GE(stuck->closes, 1);
    EXPECT_EQ(lamp(), kLightGreen);
}

TEST_F(CaptureControlTest, PlayRestartsTheToneStopSilencesItAndExitStopsIt) {
    auto player = std::make_unique<RecordingPlayer>();
    RecordingPlayer* tone = player.get();
    // The bridge's input hears nothing of this player: silent, whole captures.
    start(std::move(player), std::move(makeSimulatedBridge(bridgeWith("R=100")).input));
    EXPECT_EQ(tone->plays, 1) << "the tone starts with the program";
    EXPECT_EQ(tone->bytes, 44u + 4u * 3600u) << "100 cycles of 1225 Hz";
    EXPECT_EQ(instrument().tone().quadrature.QuadLag, 9);
    QTest::mouseClick(c().cmdStop, Qt::LeftButton);
    EXPECT_FALSE(tone->playing);
    QTest::mouseClick(c().cmdPlay, Qt::LeftButton);
    EXPECT_TRUE(tone->playing);
    EXPECT_EQ(tone->plays, 2);

    // Exit clicked while continuous capture runs, then Stop.
    QTimer::singleShot(0, window.get(), [&] {
        window->btnExit_Click();
        EXPECT_FALSE(tone->playing) << "Exit stops the tone even when it refuses to end";
        EXPECT_TRUE(window->isVisible());
        window->btnStop_Click();
    });
    window->btnRun_Click();
    EXPECT_EQ(messages("A process is running.  Click Stop before closing."), 1);
}

TEST_F(CaptureControlTest, EveryReadingShownIsRecordedWithItsUncertaintyOnHover) {
    std::vector<ImpedanceReading> recorded;
    startOnBridge("R=47", [&](const ImpedanceReading& r) { recorded.push_back(r); });
    c().btnStart->click();
    window->docalib();  // a dialog's Close measures the same capture again
    ASSERT_EQ(recorded.size(), 2u) << "one record a measurement run";
    EXPECT_NEAR(seriesReadings(recorded[1]).resistance, 47, 0.1);
    EXPECT_EQ(c().Text4->text(), "47.00") << "the box keeps its text";
    const QString tip = c().Text4->toolTip();
    EXPECT_TRUE(tip.startsWith("±")) << tip.toStdString();
    EXPECT_TRUE(tip.contains("uncertainty")) << tip.toStdString();
    EXPECT_TRUE(c().Text3->toolTip().startsWith("±"));
}

}  // namespace
}  // namespace varnex
