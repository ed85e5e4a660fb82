// The electrical model of the simulated bridge: a source with an output
// resistance drives the reference resistor and the component in series; the
// right input sees the drive at the top of the reference resistor, the left
// input the voltage across the component.
#pragma once

#include "audio/ComponentDescription.h"
#include "common/DefaultCalibration.h"

#include <complex>

namespace varnex {

struct BridgeCircuit {
    double sourceResistance = 50;      // ohms, the card's line output
    double referenceResistance = 100;  // ohms, the true value of Rm
    Component component;               // open leads are Z=1G
    // The right input reads this much more than the left; the program's
    // default balance factor corrects it.
    double rightGain = 1 / kDefaultBal;
    // Volts per step of the inputs; the program's default Vperbit matches it.
    double adcVoltsPerStep = kDefaultVperbit;
    // Volts per step of the output, open circuit: 0.92 V peak at full scale.
    double dacVoltsPerStep = 0.000028;
};

// Input steps per output step at frequency f, for each input.
struct ChannelGains {
    std::complex<double> left;
    std::complex<double> right;
};

ChannelGains channelGainsAt(const BridgeCircuit& circuit, double f);

}  // namespace varnex
