#include "measure/TareText.h"

#include <cmath>
#include <limits>

#include "common/NumberText.h"
#include "measure/DecimalScale.h"

namespace varnex {
namespace {

constexpr int kMicro = 6;  // henries to microhenries
constexpr int kPico = 12;  // farads to picofarads
constexpr double kFaradsPerPico = 1e-12;
constexpr double kHenriesPerMicro = 1e-6;

std::string_view inductancePattern(TareWriter writer) {
    switch (writer) {
        case TareWriter::ClearTare:
            return "##00.00 uH";
        case TareWriter::ManTareClose:
            return "#0.00 uH";
        case TareWriter::StartUp:
            break;
    }
    return "##0.00 uH";
}

// A tare read from a box, rounded to a float; beyond the float range it is 0,
// as singleValue treats a number that does not fit.
float tareFrom(std::string_view text, double unit) {
    const double value = numericValue(text) * unit;
    if (std::fabs(value) > std::numeric_limits<float>::max()) return 0;
    return static_cast<float>(value);
}

}  // namespace

TareBoxTexts tareBoxTexts(const VarnexState& s, TareWriter writer) {
    return {formatPattern(scaleDecimal(s.Ltare, kMicro), inductancePattern(writer)),
            formatPattern(scaleDecimal(s.Ctare, kPico), "##0.00 pF"),
            formatPattern(s.Rtare, "#0.00")};
}

TareBoxTexts clearTare(VarnexState& s) {
    s.Ltare = 0;
    s.Ctare = 0;
    s.Rtare = 0;
    return tareBoxTexts(s, TareWriter::ClearTare);
}

ManTareTexts manTareLoadTexts(const VarnexState& s) {
    return {formatPattern(scaleDecimal(s.Ctare, kPico), "#00.00"),
            formatPattern(scaleDecimal(s.Ltare, kMicro), "#00.00"),
            formatPattern(s.Rtare, "#0.00")};
}

TareBoxTexts applyManTare(VarnexState& s, std::string_view txtC, std::string_view txtL,
                          std::string_view txtR) {
    s.Ctare = tareFrom(txtC, kFaradsPerPico);
    s.Ltare = tareFrom(txtL, kHenriesPerMicro);
    s.Rtare = singleValue(txtR);
    return tareBoxTexts(s, TareWriter::ManTareClose);
}

}  // namespace varnex
