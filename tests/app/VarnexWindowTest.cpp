#include "app/Varnex.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
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
#include <string>
#include <thread>
#include <vector>

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
    auto reminders = [&] {
        int n = 0;
        for (const MessageRequest& box : boxes.shown)
            if (box.text == "Set Mixer") {
                ++n;
                EXPECT_EQ(box.title, "Reminder");
            }
        return n;
    };
    EXPECT_EQ(reminders(), 0) << "the reminder waits for the event loop";
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reminders() > 0; }, 5000));
    auto* timer = child<QTimer>(*window, "Timer1");
    EXPECT_FALSE(timer->isActive());
    // Twice the timer's interval on a timer of the test's own: a second
    // reminder would have come by the time it fires.
    bool waited = false;
    QTimer::singleShot(2 * timer->interval(), window.get(), [&] { waited = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return waited; }, 5000));
    EXPECT_EQ(reminders(), 1);
    EXPECT_FALSE(timer->isActive());
}

// The window as it is drawn on the screen, and the controls standing on its
// client area (those shown, in their stacking order, bottom-most first).
struct Rendering {
    explicit Rendering(QWidget* client) : client(client), image(client->grab().toImage()) {
        for (QObject* object : client->children())
            if (auto* control = qobject_cast<QWidget*>(object); control && control->isVisible())
                controls << control;
    }
    // The control of the client area seen at `p`, or nullptr for the ground.
    QWidget* ownerAt(QPoint p) const {
        QWidget* seen = client->childAt(p);
        while (seen && seen->parentWidget() != client) seen = seen->parentWidget();
        return seen;
    }
    // Pixels where the control itself is seen, not a control drawn over it
    // (the client's ground for nullptr), inset by `inset`.
    std::vector<QColor> pixelsOf(QWidget* control, int inset = 0) const {
        const QRect area =
            (control ? control->geometry() : client->rect()).adjusted(inset, inset, -inset, -inset);
        std::vector<QColor> pixels;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.rect().contains(x, y) && ownerAt({x, y}) == control)
                    pixels.push_back(image.pixelColor(x, y));
        return pixels;
    }
    QWidget* client;
    QImage image;
    QList<QWidget*> controls;
};

// The colour most of the pixels have.
QColor groundOf(const std::vector<QColor>& pixels) {
    std::map<QRgb, int> counts;
    for (const QColor& c : pixels) ++counts[c.rgb()];
    const auto most =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() ? QColor() : QColor::fromRgb(most->first);
}

// Whether the pixel farthest from the ground is the text colour, or a blend
// of it with the ground (text is drawn antialiased) at least half-way to it.
bool showsText(const std::vector<QColor>& pixels, const QColor& ground, const QColor& text) {
    auto distance = [&](const QColor& c) {
        return std::abs(c.red() - ground.red()) + std::abs(c.green() - ground.green()) +
               std::abs(c.blue() - ground.blue());
    };
    const auto farthest = std::max_element(
        pixels.begin(), pixels.end(),
        [&](const QColor& a, const QColor& b) { return distance(a) < distance(b); });
    if (farthest == pixels.end()) return false;
    const double d[3] = {double(text.red() - ground.red()), double(text.green() - ground.green()),
                         double(text.blue() - ground.blue())};
    const double p[3] = {double(farthest->red() - ground.red()),
                         double(farthest->green() - ground.green()),
                         double(farthest->blue() - ground.blue())};
    const double along = (p[0] * d[0] + p[1] * d[1] + p[2] * d[2]) /
                         std::max(1.0, d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (along < 0.5 || along > 1.02) return false;
    for (int i = 0; i < 3; ++i)
        if (std::abs(p[i] - along * d[i]) > 8) return false;
    return true;
}

std::string nameOf(const QWidget* control) {
    return control->objectName().toStdString();
}

TEST_F(VarnexWindowTest, ControlsStandAtTheirPlacesWithTheirCaptions) {
    makeWindow();
    ASSERT_EQ(twipsScaleOf(window.get()).pixels(1500), 100) << "tests expect 96 dpi";
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->windowTitle(), "Varnex Impedance");
    EXPECT_EQ(window->centralWidget()->size(), QSize(758, 471));
    EXPECT_TRUE(child<QWidget>(*window, "Picture3")->isHidden());
    EXPECT_TRUE(child<QWidget>(*window, "DevicesBox")->isHidden());

    struct Row {
        const char* name;
        const char* caption;  // nullptr: not checked
    };
    const Row rows[] = {
        {"Label18", "Varnex Impedance Bridge"},
        {"Picture1", nullptr},
        {"Picture2", nullptr},
        {"cmdPlay", "Play"},
        {"cmdStop", "Stop"},
        {"Label1", "Vx  (L Ch)    "},
        {"btnLdec", nullptr},
        {"btnLinc", nullptr},
        {"Text20", nullptr},
        {"Label8", "0.5 ms/div"},  // rewritten by the first redraw
        {"Check1", "Cursors On"},
        {"Check2", "Hz or ms"},
        {"Text9", "- - -"},
        {"Text15", "- - -"},
        {"Label10", "Time"},
        {"shTrigRdy", nullptr},
        {"btnStart", "Start1"},
        {"btnRun", "Start2"},
        {"btnStop", "Stop"},
        {"Label26", "Stop before adjusting controls or parameters."},
        {"btnExit", "Exit"},
        {"Label4", "UNKNOWN"},
        {"Text4", "   0"},
        {"Label16", "C or L"},
        {"Label17", "D or Q"},
        {"Text6", ""},
        {"txtRm", nullptr},
        {"txteLMS", "Err Data  "},
        {"txtFreq", "1225 Hz"},
    };
    for (const Row& row : rows) {
        auto* control = window->findChild<QWidget*>(row.name);
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_TRUE(control->isVisible()) << row.name;
        if (!row.caption) continue;
        QString caption;
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            caption = button->text();
        else
            caption = textOf(*window, row.name);
        EXPECT_EQ(caption.toStdString(), row.caption) << row.name;
    }

    const Rendering seen(window->centralWidget());
    const QRect client = seen.client->rect();
    ASSERT_GT(seen.controls.size(), 50);
    // The separators run from edge to edge; the form makes them a little
    // longer than the window is wide.
    const QStringList separators = {"Line1", "Line2"};
    // A label whose box runs past the edge while its text does not.
    const QStringList pastTheEdge = {"Label26"};
    for (QWidget* control : seen.controls) {
        const QRect place = control->geometry();
        if (separators.contains(control->objectName())) {
            EXPECT_TRUE(place.left() <= 0 && place.right() >= client.right())
                << nameOf(control) << " spans the window";
        } else if (auto* label = qobject_cast<QLabel*>(control);
                   label && pastTheEdge.contains(control->objectName())) {
            const QRect text = label->fontMetrics().boundingRect(
                label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap, label->text());
            EXPECT_TRUE(client.contains(text.translated(place.topLeft())))
                << nameOf(control) << ": its text runs past the window's edge";
        } else {
            EXPECT_TRUE(client.contains(place)) << nameOf(control) << " lies outside the window";
        }
    }

    // Controls the form stacks on purpose, the lower first: the spare picture
    // under the oscilloscope, the tone's buttons on the picture's bottom edge,
    // the panels behind the controls they group, the time base's caption
    // behind its readout, the lamp on its caption, and the up and down
    // buttons of the left channel's scale.  `within`: the upper lies wholly
    // on the lower.
    struct Stacked {
        const char* lower;
        std::vector<const char*> upper;
        bool within;
    };
    const Stacked stacks[] = {
        {"Picture2", {"Picture1", "cmdPlay", "cmdStop"}, true},
        {"Picture1", {"cmdPlay", "cmdStop"}, true},
        {"Label12",
         {"Label1", "btnLdec", "Text20", "btnLinc", "Label2", "btnRdec", "Text11", "btnRinc",
          "Label9", "btnTBdec", "Label8", "btnTBinc"},
         true},
        {"Label11",
         {"Check1", "Label3", "Text9", "Label6", "Text12", "Check2", "Label10", "Text15"},
         true},
        {"Label9", {"Label8"}, true},
        {"Label5", {"shTrigRdy"}, true},
        {"btnLdec", {"btnLinc"}, false},
    };
    auto stackOf = [&](const QString& a, const QString& b) -> std::pair<const Stacked*, bool> {
        for (const Stacked& s : stacks)
            for (const char* upper : s.upper) {
                if (a == s.lower && b == upper) return {&s, false};
                if (b == s.lower && a == upper) return {&s, true};
            }
        return {nullptr, false};
    };
    for (qsizetype i = 0; i < seen.controls.size(); ++i)
        for (qsizetype j = i + 1; j < seen.controls.size(); ++j) {
            QWidget* a = seen.controls[i];
            QWidget* b = seen.controls[j];
            const QRect shared = a->geometry() & b->geometry();
            // Neighbours placed in twips may share a pixel row or column.
            if (shared.width() <= 1 || shared.height() <= 1) continue;
            const std::string pair = nameOf(a) + " and " + nameOf(b);
            const auto [stack, swapped] = stackOf(a->objectName(), b->objectName());
            if (!stack) {
                ADD_FAILURE() << pair << " overlap";
                continue;
            }
            // The list holds stacking order bottom-most first, as `controls` does.
            EXPECT_FALSE(swapped) << pair << ": " << nameOf(b) << " is drawn over " << nameOf(a);
            QWidget* upper = swapped ? a : b;
            QWidget* lower = swapped ? b : a;
            if (stack->within) {
                EXPECT_TRUE(lower->geometry().contains(upper->geometry()))
                    << nameOf(upper) << " sticks out of " << nameOf(lower);
            }
        }
}

TEST_F(VarnexWindowTest, ControlsHaveTheirColours) {
    makeWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const Rendering seen(window->centralWidget());
    EXPECT_EQ(groundOf(seen.pixelsOf(nullptr)), QColor(192, 192, 192)) << "the window's ground";

    struct Row {
        const char* name;
        QColor ground;
        QColor text;  // invalid: not checked
    };
    const Row rows[] = {
        {"Label18", QColor(224, 224, 224), Qt::black},
        {"Label1", QColor(192, 255, 192), Qt::black},
        {"Label2", QColor(192, 255, 255), Qt::black},
        {"Label10", QColor(255, 224, 192), Qt::black},
        {"Label14", QColor(0, 0, 128), Qt::white},
        {"Label20", QColor(192, 255, 192), Qt::black},
        {"Label25", QColor(224, 224, 224), Qt::black},
        {"Text20", Qt::black, QColor(192, 255, 255)},
        {"Text9", Qt::black, Qt::white},
        {"Text15", Qt::black, QColor(255, 255, 128)},
        {"Label8", Qt::black, QColor(255, 255, 128)},
        {"Picture1", Qt::black, QColor()},
    };
    for (const Row& row : rows) {
        QWidget* control = child<QWidget>(*window, row.name);
        ASSERT_NE(control, nullptr) << row.name;
        const QColor ground = groundOf(seen.pixelsOf(control));
        EXPECT_EQ(ground, row.ground) << row.name << "'s ground is " << ground.name().toStdString();
        if (row.text.isValid()) {
            EXPECT_TRUE(showsText(seen.pixelsOf(control, 2), row.ground, row.text))
                << row.name << "'s text is not in " << row.text.name().toStdString();
        }
    }
    const QRect lamp = child<QWidget>(*window, "shTrigRdy")->geometry();
    EXPECT_EQ(seen.image.pixelColor(lamp.center()), QColor(128, 255, 128))
        << "start-up's redraw turns the lamp light green";
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
class InstalledWindowTest : public testing::WindowFixture {
protected:
    void SetUp() override {
        programFolder = root.path() / "usr" / "bin";
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
        WindowFixture::TearDown();
    }
    // Starts the window, changes a setting and leaves with Exit.
    void startAndExit() {
        open({});
        EXPECT_EQ(window->instrument().settings().resistors.Rm, rmAtStart);
        window->instrument().settings().resistors.Rm = 998.7f;
        window->show();
        window->btnExit_Click();
        EXPECT_FALSE(window->isVisible()) << "Exit ends the program";
    }
    std::filesystem::path beside() const { return root.path() / "usr" / "bin" / kSettingsFileName; }

    testing::TempFolder root;
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
