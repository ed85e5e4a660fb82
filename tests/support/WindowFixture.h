// The main window on a temporary program folder and a sound card of the
// test's choosing (by default the simulated bridge, each capture delivered at
// once), and the user's hands: find a window or control by name, type into a
// box, click a button.  Every window test starts here.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

#include "FakePollTimer.h"
#include "ScriptedMessageBoxes.h"
#include "TempFolder.h"
#include "app/Varnex.h"
#include "audio/ComponentDescription.h"
#include "audio/SimulatedBridge.h"

namespace varnex::testing {

class WindowFixture : public ::testing::Test {
protected:
    void TearDown() override {
        window.reset();
        // Closed dialogs wait for the event loop to delete them.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The simulated bridge with `component` on it, not in real time.
    static SimulatedBridgeOptions bridgeWith(const char* component) {
        SimulatedBridgeOptions options;
        options.circuit.component = *parseComponent(component);
        options.realTime = false;
        return options;
    }
    static SoundDevices devicesOf(const SimulatedBridgeOptions& options,
                                  std::unique_ptr<PollTimer> timer = nullptr) {
        SimulatedBridge bridge = makeSimulatedBridge(options);
        return {std::move(bridge.player), std::move(bridge.input), std::move(timer),
                std::move(bridge.reference)};
    }

    // Builds the window (start-up runs; it is not shown) on `sound`, with
    // every reading it shows passed to `recordReading`.
    Varnex& open(SoundDevices sound,
                 std::function<void(const ImpedanceReading&)> recordReading = {}) {
        window.reset();
        Platform platform;
        platform.messageBoxes = std::make_unique<ScriptedMessageBoxes>(boxes);
        platform.programFolder = programFolder.empty() ? folder.path() : programFolder;
        platform.sound = std::move(sound);
        platform.recordReading = std::move(recordReading);
        window = std::make_unique<Varnex>(std::move(platform));
        return *window;
    }
    Varnex& openOnBridge(const char* component = "L=10m,R=20") {
        return open(devicesOf(bridgeWith(component)));
    }

    Instrument& instrument() { return window->instrument(); }
    Settings& settings() { return instrument().settings(); }
    const VarnexControls& controls() const { return window->controls(); }

    // The open (visible) top-level windows of that name.
    static int openCount(const QString& name) {
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == name && w->isVisible()) ++count;
        return count;
    }
    static QWidget* openWindow(const QString& name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == name && w->isVisible()) return w;
        return nullptr;
    }

    template <typename T>
    static T* child(QWidget* form, const char* name) {
        T* found = form ? form->findChild<T*>(name) : nullptr;
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QLineEdit* box(QWidget* form, const char* name) { return child<QLineEdit>(form, name); }
    static QAbstractButton* button(QWidget* form, const char* name) {
        return child<QAbstractButton>(form, name);
    }
    // What a box or label of the form reads.
    static QString textOf(QWidget* form, const char* name) {
        if (auto* edit = form->findChild<QLineEdit*>(name)) return edit->text();
        if (auto* label = form->findChild<QLabel*>(name)) return label->text();
        ADD_FAILURE() << "no text control " << name;
        return {};
    }

    // Selects the box's text and types over it, key by key.
    static void typeInto(QLineEdit* box, const QString& text) {
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, text);
    }
    static void click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    // How many boxes showed this text.
    int messages(const std::string& text) const {
        int n = 0;
        for (const MessageRequest& m : boxes.shown) n += m.text == text;
        return n;
    }

    TempFolder folder;
    // Where the program lies; the temporary folder itself when empty.
    std::filesystem::path programFolder;
    ScriptedMessageBoxes::Log boxes;
    std::unique_ptr<Varnex> window;
};

}  // namespace varnex::testing
