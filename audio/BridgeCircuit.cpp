#include "audio/BridgeCircuit.h"

#include <cmath>

namespace varnex {

ChannelGains channelGainsAt(const BridgeCircuit& circuit, double f) {
    const double scale = circuit.dacVoltsPerStep / circuit.adcVoltsPerStep;
    const std::complex<double> z = circuit.component.impedanceAt(f);
    ChannelGains gains;
    if (!std::isfinite(std::abs(z))) {
        // No current flows: both inputs see the open-circuit source.
        gains.left = scale;
        gains.right = scale * circuit.rightGain;
        return gains;
    }
    double source = circuit.sourceResistance;
    double reference = circuit.referenceResistance;
    std::complex<double> part = z;
    if (!std::isfinite(std::abs(source + reference + part))) {
        // Rm and the component near the largest double: a quarter of each keeps
        // the sums finite and the ratios exact.
        source /= 4, reference /= 4, part /= 4.0;
    }
    const std::complex<double> total = source + reference + part;
    gains.left = scale * part / total;
    gains.right = scale * circuit.rightGain * (reference + part) / total;
    return gains;
}

}  // namespace varnex
