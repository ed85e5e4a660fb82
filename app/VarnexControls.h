// Every control and menu entry of the main window, under its own name.  The
// window owns them through Qt's parent chain; this struct only points at them.
#pragma once

#include <QColor>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QTimer;
class QWidget;

namespace varnex {

class ShapeWidget;

// The trigger lamp: light green when the oscilloscope has been drawn (and
// after Stop), red from the input's opening until the capture is drawn.
inline const QColor kLampIdle{128, 255, 128};
inline const QColor kLampCapturing{255, 0, 0};

struct VarnexControls {
    // Banner and separators.
    QLabel* Label18 = nullptr;
    QWidget* Line1 = nullptr;
    QWidget* Line2 = nullptr;

    // Oscilloscope.
    QWidget* Picture1 = nullptr;
    QWidget* Picture2 = nullptr;
    QWidget* Picture3 = nullptr;
    QComboBox* DevicesBox = nullptr;
    QPushButton* cmdPlay = nullptr;
    QPushButton* cmdStop = nullptr;

    // Scale panel.
    QLabel* Label12 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* btnLdec = nullptr;
    QLineEdit* Text20 = nullptr;
    QPushButton* btnLinc = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* btnRdec = nullptr;
    QLineEdit* Text11 = nullptr;
    QPushButton* btnRinc = nullptr;
    QLabel* Label9 = nullptr;
    QPushButton* btnTBdec = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* btnTBinc = nullptr;

    // Cursor panel.
    QLabel* Label11 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Text12 = nullptr;
    QCheckBox* Check2 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* Text15 = nullptr;

    // Capture controls.
    QLabel* Label5 = nullptr;
    ShapeWidget* shTrigRdy = nullptr;
    QPushButton* btnStart = nullptr;
    QLabel* Label23 = nullptr;
    QPushButton* btnRun = nullptr;
    QLabel* Label24 = nullptr;
    QPushButton* btnStop = nullptr;
    QLabel* Label26 = nullptr;
    QPushButton* btnExit = nullptr;
    QTimer* Timer1 = nullptr;

    // Readings of the unknown.
    QLabel* Label4 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label27 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;

    // Parameter row.
    QLabel* Label25 = nullptr;
    QLabel* Label19 = nullptr;
    QLineEdit* txtRm = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtCtare = nullptr;
    QLabel* Label21 = nullptr;
    QLineEdit* txtLtare = nullptr;
    QLabel* Label28 = nullptr;
    QLineEdit* txtRtare = nullptr;
    QLabel* Label22 = nullptr;
    QLineEdit* txtuLMS = nullptr;
    QLabel* Label13 = nullptr;
    QLineEdit* txteLMS = nullptr;
    QLabel* lblFreq = nullptr;
    QLineEdit* txtFreq = nullptr;

    // Menus.
    QAction* Menu1 = nullptr;
    QAction* menuCalibrate = nullptr;
    QAction* menuRm = nullptr;
    QAction* menuResetLMS = nullptr;
    QAction* myuLMs = nullptr;
    QMenu* menuTare = nullptr;
    QAction* menuTareClear = nullptr;
    QAction* myManTare = nullptr;
    QAction* menuSigGen = nullptr;
    QMenu* menuHelpMain = nullptr;
    QAction* menuHelp = nullptr;
    QAction* menuAbout = nullptr;
};

// Creates the controls on the window's client widget and its menu bar, at
// their places, with their captions, colours and fonts.  Picture1 is the
// given oscilloscope screen, placed and stacked like the others.
VarnexControls buildVarnexControls(QMainWindow& window, QWidget* client, QWidget* picture1);

}  // namespace varnex
