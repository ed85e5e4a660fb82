#include "dialogs/SigGen.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "common/NumberText.h"
#include "dialogs/DialogHost.h"
#include "dialogs/FormBuilder.h"
#include "instrument/Instrument.h"

namespace varnex {
namespace {

struct FrequencyOption {
    const char* name;
    const char* caption;
    int left, top, width, height;
    size_t frequency;  // index into kGeneratorFrequencies, lowest first
};

// In the order of SigGenOptFlag, 1 to 6; on screen they run from 120 Hz up.
// The only place the option numbers meet the frequencies.
constexpr std::array<FrequencyOption, 6> kOptions{{
    {"opt525Hz", "525 Hz", 240, 600, 975, 255, 1},
    {"opt1225Hz", "1225 Hz", 240, 1200, 975, 375, 3},
    {"opt2205Hz", "2205 Hz", 240, 1560, 975, 375, 4},
    {"opt1000Hz", "1000 Hz", 240, 960, 975, 195, 2},
    {"opt120Hz", "120Hz", 240, 240, 1095, 255, 0},
    {"opt3675Hz", "3675 Hz", 240, 2040, 1095, 195, 5},
}};
static_assert(kOptions.size() == kGeneratorFrequencies.size());
static_assert(kGeneratorFrequencies[kOptions[kStartSigGenOption - 1].frequency] == kStartFrequency);
// Selected when the dialog is created, and kept when SigGenOptFlag is out of range.
constexpr int kDefaultOption = kStartSigGenOption;
// The order on screen, top to bottom, as indices into kOptions.
constexpr std::array<int, 6> kScreenOrder{4, 0, 3, 1, 2, 5};

constexpr double kMaxLevel = 1;
constexpr double kMinLevel = 0;

}  // namespace

SigGen::SigGen(DialogHost& host) : QWidget(nullptr, Qt::Dialog), host_(host) {
    setUpForm(*this, "SigGen", "SigGen Settings", 3780, 3675);
    FormBuilder b(*this);
    for (int index : kScreenOrder) {
        const FrequencyOption& o = kOptions[index];
        options_[index] = b.optionButton(o.name, o.caption, o.left, o.top, o.width, o.height);
    }
    options_[kDefaultOption - 1]->setChecked(true);
    txtSigGenLvl_ = b.textBox("txtSigGenLvl", "0.5", 240, 2520, 495, 345, Qt::AlignRight);
    txtSigGenLvl_->setFont(formFont(formPoints(9.75)));
    b.label("Label2", "Output Level (0 to 1.0)", 840, 2640, 1815, 255);
    b.label("Label1", "Enter value in box for output level. See Help for more information.", 240,
            3000, 2415, 495);
    QPushButton* btnClose = b.commandButton("btnClose", "Close", 3000, 3000, 615, 375);
    connect(btnClose, &QPushButton::clicked, this, &SigGen::btnClose_Click);
    // Every change of the text, typed or set by the program, runs the change
    // event; a text set from inside it runs it again, nested.
    connect(txtSigGenLvl_, &QLineEdit::textChanged, this, &SigGen::txtSigGenLvl_Change);

    // Load.
    const Instrument& instrument = host_.instrument();
    const int16_t option = host_.SigGenOptFlag();
    if (option >= 1 && option <= kFrequencies) options_[option - 1]->setChecked(true);
    showText(*txtSigGenLvl_, plainForm(instrument.settings().SigGenLvl));
}

void SigGen::txtSigGenLvl_Change() {
    // Each step reads the text as it stands, after any nested change.
    if (numericValue(textOf(*txtSigGenLvl_)) > kMaxLevel)
        showText(*txtSigGenLvl_, QStringLiteral("1"));
    if (numericValue(textOf(*txtSigGenLvl_)) < kMinLevel)
        showText(*txtSigGenLvl_, QStringLiteral("0"));
    host_.instrument().setLevel(numericValue(textOf(*txtSigGenLvl_)));
}

void SigGen::btnClose_Click() {
    for (size_t i = 0; i < kOptions.size(); ++i) {
        if (!options_[i]->isChecked()) continue;
        host_.instrument().setFrequency(kGeneratorFrequencies[kOptions[i].frequency]);
        host_.SigGenOptFlag() = static_cast<int16_t>(i + 1);
    }
    host_.showFrequency();
    host_.cmdPlay_Click();
    close();
}

}  // namespace varnex
