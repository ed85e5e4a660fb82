// The instrument's settings: everything the settings file keeps from one run
// to the next, in the parts that belong together, each member at its start-up
// value.  Numbers keep the program's names and types: float for Single,
// double for Double, int16_t for Integer, int32_t for Long.
#pragma once

#include <array>
#include <cstdint>

#include "measure/Calibration.h"
#include "measure/Tare.h"
#include "scope/ScopeSettings.h"

namespace varnex {

// The five reference resistors (nominal 10 ohm to 100 kohm), their measured
// values, which one is wired in and the active value Rm.
struct ReferenceResistors {
    float Rm = 100;  // ohms, used by every reading
    float Rm10 = 10.1f;
    float Rm100 = 100.3f;
    float Rm1000 = 1000;
    float Rm10000 = 10000;
    float Rm100000 = 100000;
    int16_t RmOptFlag = 1;  // 1 = 10 ohm ... 5 = 100 kohm
};

// The value of the resistor with option number 1..5, in order.
inline constexpr std::array<float ReferenceResistors::*, 5> kResistorValues = {
    &ReferenceResistors::Rm10, &ReferenceResistors::Rm100, &ReferenceResistors::Rm1000,
    &ReferenceResistors::Rm10000, &ReferenceResistors::Rm100000};

// The LMS step size and the five offered in its dialog.  Every measurement
// run replaces uLMS by the step size of its last update.  Only uLMS and
// LMSOptFlag are kept in the settings file.
struct StepSizes {
    float uLMS = 0.055f;
    float uLMS1 = 0.0055f;
    float uLMS2 = 0.025f;
    float uLMS3 = 0.055f;
    float uLMS4 = 0.075f;
    float uLMS5 = 0.095f;
    int16_t LMSOptFlag = 3;
};

inline constexpr std::array<float StepSizes::*, 5> kOfferedStepSizes = {
    &StepSizes::uLMS1, &StepSizes::uLMS2, &StepSizes::uLMS3, &StepSizes::uLMS4, &StepSizes::uLMS5};

struct Settings {
    ReferenceResistors resistors;
    StepSizes steps;
    Calibration calibration;
    Tare tare;
    double SigGenLvl = 0.5;  // output level of the tone, 0 to 1
    scope::ScopeSettings scope;
    int32_t TrigLev = 200;  // kept in the settings file, read by nothing
};

}  // namespace varnex
