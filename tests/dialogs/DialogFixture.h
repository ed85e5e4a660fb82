// A main window on a temporary program folder, and the user's hands: find a
// window or control by name, type into a box, click a button.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "ScriptedMessageBoxes.h"
#include "TempFolder.h"
#include "app/Varnex.h"
#include "audio/ComponentDescription.h"
#include "audio/SimulatedBridge.h"

namespace varnex::testing {

class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override { window = makeWindow(); }
    void TearDown() override {
        window.reset();
        // Closed dialogs wait for the event loop to delete them.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The window on a simulated bridge that delivers each capture at once.
    std::unique_ptr<Varnex> makeWindow() {
        Platform platform;
        platform.messageBoxes = std::make_unique<ScriptedMessageBoxes>(boxes);
        platform.programFolder = folder.path();
        SimulatedBridgeOptions options;
        options.circuit.component = *parseComponent("L=10m,R=20");
        options.realTime = false;
        SimulatedBridge bridge = makeSimulatedBridge(options);
        platform.tonePlayer = std::move(bridge.player);
        platform.waveInput = std::move(bridge.input);
        return std::make_unique<Varnex>(std::move(platform));
    }

    // Every settings dialog: the handler that opens it and its window's name.
    static constexpr std::pair<void (Varnex::*)(), const char*> kSettingsDialogs[] = {
        {&Varnex::menuSigGen_Click, "SigGen"},
        {&Varnex::menuCalibrate_Click, "Calibrate"},
        {&Varnex::menuRm_Click, "RmForm"},
        {&Varnex::myuLMs_Click, "uLMSform"},
        {&Varnex::myManTare_Click, "ManTare"}};

    Instrument& instrument() { return window->instrument(); }
    Settings& settings() { return instrument().settings(); }
    // Start1: a capture is then held for a dialog's Close to measure again.
    void holdACapture() { window->btnStart_Click(); }

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

    TempFolder folder;
    ScriptedMessageBoxes::Log boxes;
    std::unique_ptr<Varnex> window;
};

}  // namespace varnex::testing
