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

TareTexts tareBoxTexts(const Tare& tare, TareWriter writer) {
    return {formatPattern(scaleDecimal(tare.Ltare, kMicro), inductancePattern(writer)),
            formatPattern(scaleDecimal(tare.Ctare, kPico), "##0.00 pF"),
            formatPattern(tare.Rtare, "#0.00")};
}

TareTexts manTareLoadTexts(const Tare& tare) {
    return {formatPattern(scaleDecimal(tare.Ltare, kMicro), "#00.00"),
            formatPattern(scaleDecimal(tare.Ctare, kPico), "#00.00"),
            formatPattern(tare.Rtare, "#0.00")};
}

Tare tareFromBoxes(std::string_view picofarads, std::string_view microhenries,
                   std::string_view ohms) {
    Tare tare;
    tare.Ctare = tareFrom(picofarads, kFaradsPerPico);
    tare.Ltare = tareFrom(microhenries, kHenriesPerMicro);
    tare.Rtare = singleValue(ohms);
    return tare;
}

}  // namespace varnex
