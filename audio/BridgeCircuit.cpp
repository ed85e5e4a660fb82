#include "audio/BridgeCircuit.h"

#include <cmath>
#include <numbers>

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

BridgeResponse respondToLoop(const BridgeCircuit& circuit, std::span<const double> drive,
                             double framesPerSecond) {
    const size_t n = drive.size();
    BridgeResponse response;
    response.left.assign(n, 0);
    response.right.assign(n, 0);
    if (n == 0) return response;

    std::vector<double> cosTable(n), sinTable(n);
    for (size_t m = 0; m < n; ++m) {
        const double angle = 2 * std::numbers::pi * static_cast<double>(m) / static_cast<double>(n);
        cosTable[m] = std::cos(angle);
        sinTable[m] = std::sin(angle);
    }
    // A real signal: bins 0..n/2 carry everything; the others are conjugates.
    const size_t half = n / 2;
    for (size_t k = 0; k <= half; ++k) {
        double re = 0, im = 0;
        size_t index = 0;
        for (size_t m = 0; m < n; ++m) {
            re += drive[m] * cosTable[index];
            im -= drive[m] * sinTable[index];
            index += k;
            if (index >= n) index -= n;
        }
        const std::complex<double> bin(re, im);
        if (std::abs(bin) == 0) continue;
        const ChannelGains gains = channelGainsAt(
            circuit, static_cast<double>(k) * framesPerSecond / static_cast<double>(n));
        // Bin 0 and, for even n, bin n/2 stand alone; every other bin counts twice.
        const double weight = (k == 0 || (n % 2 == 0 && k == half) ? 1.0 : 2.0) / n;
        const std::complex<double> left = bin * gains.left * weight;
        const std::complex<double> right = bin * gains.right * weight;
        index = 0;
        for (size_t m = 0; m < n; ++m) {
            response.left[m] += left.real() * cosTable[index] - left.imag() * sinTable[index];
            response.right[m] += right.real() * cosTable[index] - right.imag() * sinTable[index];
            index += k;
            if (index >= n) index -= n;
        }
    }
    return response;
}

}  // namespace varnex
