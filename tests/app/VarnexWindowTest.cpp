#include "app/Varnex.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <thread>

#include "WindowFixture.h"
#include "app/ShapeWidget.h"
#include "audio/ComponentDescription.h"
#include "audio/SimulatedBridge.h"
#include "dialogs/FormBuilder.h"
#include "instrument/SettingsFile.h"
#include "scope/ScopeGeometry.h"

namespace varnex {
namespace {

using testing::ScriptedMessageBoxes;
using testing::TempFolder;

// A window without sound devices unless a test gives it some.
class VarnexWindowTest : public testing::WindowFixture {
protected:
    void makeWindow() { open({}); }

    void writeSettingsLines(const std::vector<std::string>& lines) {
        std::ofstream out(folder.path() / kSettingsFileName, std::ios::binary);
        for (const std::string& line : lines) out << line << "\r\n";
    }

    template <typename T>
    static T* child(QWidget& window, const char* name) {
        return WindowFixture::child<T>(&window, name);
    }
    static QString textOf(QWidget& window, const char* name) {
        return WindowFixture::textOf(&window, name);
    }
};

TEST_F(VarnexWindowTest, StartsWithTheDefaultsWhenThereIsNoSettingsFile) {
    makeWindow();
    const Instrument& instrument = window->instrument();
    const Settings& s = instrument.settings();
    EXPECT_EQ(s.resistors.Rm, 100);
    EXPECT_EQ(s.steps.uLMS, 0.055f);
    EXPECT_EQ(s.calibration.Bal, 0.9955f);
    EXPECT_EQ(s.calibration.Vperbit, 0.00002792f);
    EXPECT_EQ(s.TrigLev, 200);
    EXPECT_EQ(s.SigGenLvl, 0.5);
    EXPECT_EQ(instrument.tone().freq, 1225);
    EXPECT_EQ(instrument.capture().SampleCount, 22048);
    EXPECT_EQ(s.scope.TBscale, 31.746f);
    EXPECT_STREQ(kSettingsFileName, "Varnexinit");
    const Settings defaults;
    EXPECT_EQ(settingsText(s), settingsText(defaults)) << "the 26 stored values";
    EXPECT_EQ(window->SigGenOptFlag(), 2);
    EXPECT_EQ(s.steps.uLMS1, 0.0055f);
    EXPECT_EQ(s.steps.uLMS5, 0.095f);
    EXPECT_EQ(scope::VxColor, 65280);
    EXPECT_EQ(scope::VrColor, 16711680);
    EXPECT_FALSE(instrument.continuous());
    EXPECT_EQ(instrument.capture().DataReady, kFalse);
    EXPECT_EQ(instrument.capture().Captured, 0);

    EXPECT_EQ(textOf(*window, "Text20"), "1 v/div");
    EXPECT_EQ(textOf(*window, "Text11"), "1 v/div");
    EXPECT_EQ(textOf(*window, "txtRm"), " 100");
    EXPECT_EQ(textOf(*window, "txtuLMS"), " .055");
    EXPECT_EQ(textOf(*window, "txtLtare"), "0.00 uH");
    EXPECT_EQ(textOf(*window, "txtCtare"), "0.00 pF");
    EXPECT_EQ(textOf(*window, "txtRtare"), "0.00");
    EXPECT_FALSE(child<QCheckBox>(*window, "Check1")->isChecked());
}

TEST_F(VarnexWindowTest, FillsTheBoxesFromTheSettingsFile) {
    writeSettingsLines({"998.7", "0.0123", "1", "3E-05", "200", "0.25", "50", "0", "1", "3", "20",
                        "2", "1000", "3000", "0", "12.5", "3.3E-12", "2E-06", "0.25"});
    makeWindow();
    const Settings& s = window->instrument().settings();
    EXPECT_EQ(s.resistors.Rm, 998.7f);
    EXPECT_EQ(s.scope.TBscale, 12.5f) << "the stored time-base scale is kept";
    EXPECT_EQ(s.scope.TimeBase, 50);
    EXPECT_EQ(s.scope.CursorsOn, 2);
    EXPECT_FALSE(child<QCheckBox>(*window, "Check1")->isChecked()) << "CursorsOn 2 leaves the box";
    EXPECT_EQ(textOf(*window, "Text20"), " 5 v/div") << "a zero gain leaves the box as it was";
    EXPECT_EQ(textOf(*window, "Text11"), "0.05 v/div");
    EXPECT_EQ(textOf(*window, "txtRm"), " 998.7");
    EXPECT_EQ(textOf(*window, "txtuLMS"), " .0123");
    EXPECT_EQ(textOf(*window, "txtCtare"), "3.30 pF");
    EXPECT_EQ(textOf(*window, "txtLtare"), "2.00 uH");
    EXPECT_EQ(textOf(*window, "txtRtare"), "0.25");
    EXPECT_EQ(window->instrument().tone().freq, 1225) << "every run starts at 1225 Hz";
}

TEST_F(VarnexWindowTest, CursorsOnOneTicksTheBox) {
    writeSettingsLines(
        {"100", "0.055", "0.9955", "2.792E-05", "200", "0.5", "20", "1", "1", "3", "1", "1"});
    makeWindow();
    EXPECT_TRUE(child<QCheckBox>(*window, "Check1")->isChecked());
    EXPECT_EQ(window->instrument().settings().scope.CursorsOn, 1);
    // The box's handler ran: the redraw with cursors writes their difference.
    EXPECT_EQ(textOf(*window, "Text15"), "699.9 Hz");
}

TEST_F(VarnexWindowTest, ExitWritesTheSettingsThatTheNextStartReads) {
    std::string written;
    {
        makeWindow();
        Settings& s = window->instrument().settings();
        s.resistors.Rm = 1001.5f;
        s.tare.Ctare = 1.25e-11f;
        s.SigGenLvl = 0.3;
        s.scope.Cursor2 = 4321;
        s.steps.LMSOptFlag = 5;
        window->show();
        window->btnExit_Click();
        EXPECT_FALSE(window->isVisible());
        written = settingsText(s);
    }
    makeWindow();
    EXPECT_EQ(settingsText(window->instrument().settings()), written);
    EXPECT_EQ(window->instrument().settings().scope.Cursor2, 4321);
}

TEST_F(VarnexWindowTest, CloseBoxIsRefusedWithAMessage) {
    makeWindow();
    window->show();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.shown.back().text, "Use Exit button to close");
    EXPECT_EQ(boxes.shown.back().title, "Exit Check");
    EXPECT_EQ(boxes.shown.back().buttons, MessageButtons::Ok);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / kSettingsFileName));
}

TEST_F(VarnexWindowTest, ExitIsRefusedWhileACaptureRuns) {
    openOnBridge("R=100");
    window->show();
    auto expectRefused = [&](const char* when) {
        window->btnExit_Click();
        EXPECT_TRUE(window->isVisible()) << when;
        ASSERT_FALSE(boxes.shown.empty()) << when;
        EXPECT_EQ(boxes.shown.back().text, "A process is running.  Click Stop before closing.")
            << when;
        EXPECT_EQ(boxes.shown.back().title, "Exit Check") << when;
        EXPECT_FALSE(std::filesystem::exists(folder.path() / kSettingsFileName)) << when;
    };
    // Exit, then Stop, handled in the continuous loop's first yield.
    QTimer::singleShot(0, window.get(), [&] {
        expectRefused("continuous capture");
        window->btnStop_Click();
    });
    window->btnRun_Click();
    EXPECT_FALSE(window->instrument().continuous());
    window->btnExit_Click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(std::filesystem::exists(folder.path() / kSettingsFileName));
}

// Exit reached while the device records (its wait calls back into the window).
class ExitDuringARecording final : public PollTimer {
public:
    std::chrono::steady_clock::time_point now() override {
        return std::chrono::steady_clock::now();
    }
    void pause() override {
        if (window && !tried) {
            tried = true;
            window->btnExit_Click();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Varnex* window = nullptr;
    bool tried = false;
};

TEST_F(VarnexWindowTest, ExitIsRefusedWhileTheDeviceRecords) {
    SimulatedBridgeOptions options = bridgeWith("R=100");
    options.realTime = true;
    auto timer = std::make_unique<ExitDuringARecording>();
    ExitDuringARecording& exitTimer = *timer;
    open(devicesOf(options, std::move(timer)));
    Varnex& window = *this->window;
    window.show();
    exitTimer.window = &window;
    window.btnStart_Click();
    ASSERT_TRUE(exitTimer.tried);
    EXPECT_TRUE(window.isVisible());
    const auto refused =
        std::find_if(boxes.shown.begin(), boxes.shown.end(), [](const MessageRequest& m) {
            return m.text == "A process is running.  Click Stop before closing.";
        });
    EXPECT_NE(refused, boxes.shown.end());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / kSettingsFileName));
    window.btnExit_Click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(VarnexWindowTest, ExitClosesEveryOtherWindow) {
    makeWindow();
    window->show();
    QWidget dialog;
    dialog.setObjectName("SomeDialog");
    dialog.show();
    window->btnExit_Click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(VarnexWindowTest, MixerReminderIsShownOnceAfterStartUp) {
    makeWindow();
    window->show();
    QTest::qWait(60);
    QTest::qWait(60);
    int reminders = 0;
    for (const MessageRequest& box : boxes.shown)
        if (box.text == "Set Mixer") {
            ++reminders;
            EXPECT_EQ(box.title, "Reminder");
        }
    EXPECT_EQ(reminders, 1);
    EXPECT_FALSE(child<QTimer>(*window, "Timer1")->isActive());
}

TEST_F(VarnexWindowTest, ControlsStandAtTheirPlacesWithTheirCaptions) {
    makeWindow();
    ASSERT_EQ(twipsScaleOf(window.get()).pixels(1500), 100) << "tests expect 96 dpi";
    struct Row {
        const char* name;
        const char* caption;  // nullptr: not checked
        int left, top, width, height;
    };
    const Row rows[] = {
        {"Label18", "Varnex Impedance Bridge", 2640, 120, 5415, 375},
        {"Picture1", nullptr, 1800, 600, 7025, 5625},
        {"Picture2", nullptr, 1800, 600, 7025, 5625},
        {"cmdPlay", "Play", 1920, 5760, 495, 375},
        {"cmdStop", "Stop", 2640, 5760, 495, 375},
        {"Label1", "Vx  (L Ch)    ", 360, 1080, 855, 255},
        {"btnLdec", nullptr, 1320, 1080, 255, 270},
        {"btnLinc", nullptr, 1320, 1320, 255, 285},
        {"Text20", nullptr, 360, 1320, 855, 255},
        {"Label8", "0.5 ms/div", 360, 2760, 855, 255},  // rewritten by the first redraw
        {"Check1", "Cursors On", 360, 3480, 1095, 255},
        {"Check2", "Hz or ms", 360, 5160, 1095, 240},
        {"Text9", "- - -", 360, 4080, 855, 255},
        {"Text15", "- - -", 360, 5760, 975, 255},
        {"Label10", "Time", 480, 5520, 735, 255},
        {"shTrigRdy", nullptr, 9120, 915, 345, 135},
        {"btnStart", "Start1", 9000, 1320, 615, 375},
        {"btnRun", "Start2", 9000, 1920, 615, 375},
        {"btnStop", "Stop", 9000, 2520, 615, 375},
        {"Label26", "Stop before adjusting controls or parameters.", 9720, 2520, 1695, 375},
        {"btnExit", "Exit", 9000, 3120, 615, 375},
        {"Label4", "UNKNOWN", 9000, 3840, 2295, 255},
        {"Text4", "   0", 9000, 4440, 1095, 315},
        {"Label16", "C or L", 9000, 5640, 1095, 255},
        {"Label17", "D or Q", 10200, 5640, 1095, 255},
        {"Text6", "", 10200, 5880, 1095, 315},
        {"txtRm", nullptr, 1680, 6600, 615, 255},
        {"txteLMS", "Err Data  ", 8520, 6600, 735, 255},
        {"txtFreq", "1225 Hz", 9960, 6600, 735, 255},
    };
    for (const Row& row : rows) {
        auto* control = window->findChild<QWidget*>(row.name);
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(control->geometry(),
                  QRect(row.left / 15, row.top / 15, row.width / 15, row.height / 15))
            << row.name;
        if (!row.caption) continue;
        QString caption;
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            caption = button->text();
        else
            caption = textOf(*window, row.name);
        EXPECT_EQ(caption.toStdString(), row.caption) << row.name;
    }
    EXPECT_EQ(window->windowTitle(), "Varnex Impedance");
    EXPECT_EQ(window->centralWidget()->size(), QSize(758, 471));
    EXPECT_TRUE(child<QWidget>(*window, "Picture3")->isHidden());
    EXPECT_TRUE(child<QWidget>(*window, "DevicesBox")->isHidden());
}

TEST_F(VarnexWindowTest, ControlsHaveTheirColours) {
    makeWindow();
    struct Row {
        const char* name;
        QPalette::ColorRole role;
        QColor color;
    };
    const Row rows[] = {
        {"VarnexClient", QPalette::Window, QColor(192, 192, 192)},
        {"Label18", QPalette::Window, QColor(224, 224, 224)},
        {"Label1", QPalette::Window, QColor(192, 255, 192)},
        {"Label2", QPalette::Window, QColor(192, 255, 255)},
        {"Label10", QPalette::Window, QColor(255, 224, 192)},
        {"Label14", QPalette::Window, QColor(0, 0, 128)},
        {"Label20", QPalette::Window, QColor(192, 255, 192)},
        {"Label25", QPalette::Window, QColor(224, 224, 224)},
        {"Text20", QPalette::Base, Qt::black},
        {"Text20", QPalette::Text, QColor(192, 255, 255)},
        {"Text9", QPalette::Text, Qt::white},
        {"Text15", QPalette::Text, QColor(255, 255, 128)},
        {"Label8", QPalette::WindowText, QColor(255, 255, 128)},
        {"Picture1", QPalette::Window, Qt::black},
    };
    for (const Row& row : rows) {
        auto* control = window->findChild<QWidget*>(row.name);
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(control->palette().color(row.role), row.color) << row.name;
    }
    EXPECT_EQ(child<ShapeWidget>(*window, "shTrigRdy")->fillColor(), QColor(128, 255, 128))
        << "start-up's redraw turns the lamp light green before the window is shown";
}

TEST_F(VarnexWindowTest, MenuBarHasItsEntriesAndAccessKeys) {
    makeWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QMenuBar* bar = window->menuBar();
    QStringList visible;
    for (QAction* action : bar->actions())
        if (action->isVisible()) visible << action->text();
    EXPECT_EQ(visible, QStringList({"&Calibrate", "Rm", "Reset", "&Tare", "SigGen", "&Help"}));
    EXPECT_FALSE(child<QAction>(*window, "myuLMs")->isEnabled());
    EXPECT_FALSE(child<QAction>(*window, "Menu1")->isVisible());

    QSignalSpy calibrate(child<QAction>(*window, "menuCalibrate"), &QAction::triggered);
    QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(calibrate.count(), 1) << "Alt+C acts at once";

    auto* tare = child<QMenu>(*window, "menuTare");
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tare->isVisible(); }, 1000)) << "Alt+T drops down";
    tare->close();

    auto* help = child<QMenu>(*window, "menuHelpMain");
    QSignalSpy about(child<QAction>(*window, "menuAbout"), &QAction::triggered);
    QTest::keyClick(window.get(), Qt::Key_H, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return help->isVisible(); }, 1000)) << "Alt+H drops down";
    QTest::keyClick(help, Qt::Key_A);
    EXPECT_EQ(about.count(), 1) << "A chooses About";
}

// An installed program: its help in ../share/varnex, its settings in the
// user's configuration folder, never beside itself.
class InstalledWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(root.path() / "usr" / "bin");
        std::filesystem::create_directories(root.path() / "usr" / "share" / "varnex");
        std::ofstream(root.path() / "usr" / "share" / "varnex" / "MyHelp.txt") << "help\r\n";
        for (const char* name : {"HOME", "XDG_CONFIG_HOME"})
            if (const char* value = std::getenv(name)) saved[name] = value;
    }
    void TearDown() override {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
            if (saved.count(name))
                setenv(name, saved[name].c_str(), 1);
            else
                unsetenv(name);
        }
    }
    // Starts the window, changes a setting and leaves with Exit.
    void startAndExit() {
        Platform platform;
        platform.messageBoxes = std::make_unique<ScriptedMessageBoxes>(boxes);
        platform.programFolder = root.path() / "usr" / "bin";
        Varnex window(std::move(platform));
        EXPECT_EQ(window.instrument().settings().resistors.Rm, rmAtStart);
        window.instrument().settings().resistors.Rm = 998.7f;
        window.show();
        window.btnExit_Click();
        EXPECT_FALSE(window.isVisible()) << "Exit ends the program";
    }
    std::filesystem::path beside() const { return root.path() / "usr" / "bin" / kSettingsFileName; }

    TempFolder root;
    ScriptedMessageBoxes::Log boxes;
    std::map<std::string, std::string> saved;
    float rmAtStart = 100;
};

TEST_F(InstalledWindowTest, SettingsGoToTheUsersConfigurationFolderMadeOnTheFirstExit) {
    const auto config = root.path() / "config";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    startAndExit();
    const auto file = config / "varnex" / kSettingsFileName;
    ASSERT_TRUE(std::filesystem::exists(file));
    std::ifstream in(file);
    int lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    EXPECT_EQ(lines, kSettingsLineCount);
    EXPECT_FALSE(std::filesystem::exists(beside())) << "never beside an installed program";
    rmAtStart = 998.7f;
    startAndExit();  // the next start reads them back
}

TEST_F(InstalledWindowTest, WithoutAPlaceForSettingsTheDefaultsHoldAndNothingIsWritten) {
    // No home folder at all, then a configuration "folder" that is a file.
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    startAndExit();
    const auto blocked = root.path() / "config-is-a-file";
    std::ofstream(blocked) << "not a folder";
    setenv("XDG_CONFIG_HOME", blocked.c_str(), 1);
    startAndExit();
    EXPECT_FALSE(std::filesystem::exists(beside()));
    for (const MessageRequest& box : boxes.shown)
        EXPECT_TRUE(box.text == "Set Mixer") << "no message about the settings: " << box.text;
}

}  // namespace
}  // namespace varnex
