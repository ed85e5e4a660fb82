// Does the uncertainty each reading carries hold?  Known components on the
// simulated bridge at several frequencies and noise levels, measured as
// `varnex measure --count N` measures them (the tone settled 0.2 s, then back
// to back captures whose weights carry over): the share of readings whose
// error lies within +-2u, and u against the scatter the readings show.
//
// Usage: measure_uncertainty [captures per row = 10] [seed = 7]
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "SettledBridge.h"
#include "instrument/Settings.h"

namespace varnex {
namespace {

double sampleDeviation(const std::vector<double>& values) {
    double mean = 0;
    for (double v : values) mean += v;
    mean /= static_cast<double>(values.size());
    double sum = 0;
    for (double v : values) sum += (v - mean) * (v - mean);
    return std::sqrt(sum / static_cast<double>(values.size() - 1));
}

}  // namespace
}  // namespace varnex

int main(int argc, char** argv) {
    using namespace varnex;
    const int captures = argc > 1 ? std::max(3, std::atoi(argv[1])) : 10;
    const uint32_t seed = argc > 2 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 7;
    const char* components[] = {"R=47,L=5m", "C=1u,R=5", "R=1k", "L=10m,R=20"};
    const double frequencies[] = {120, 1225, 3675};
    const double noises[] = {0.5, 2, 8};
    const ReferenceResistors resistors;  // the 100 ohm reference at its start-up value
    const float Rm = resistors.Rm;

    std::printf("%-11s %5s %5s | %10s %10s | %9s %9s %9s | %s\n", "component", "Hz", "noise",
                "Rs true", "Xs true", "u", "sd Rs", "sd Xs", "within 2u");
    int within = 0, readings = 0;
    std::vector<double> ratios;
    int row = 0;
    for (const char* description : components) {
        for (double f : frequencies) {
            for (double noise : noises) {
                SettledBridge bridge(description, Rm, f, noise,
                                     seed + 7919u * static_cast<uint32_t>(row++));
                const std::complex<double> z = bridge.truth();
                std::vector<double> rs, xs;
                double u = 0;
                int rowWithin = 0;
                for (int n = 0; n < captures; ++n) {
                    const ImpedanceReading reading = bridge.next();
                    const SeriesReadings r = seriesReadings(reading);
                    rs.push_back(r.resistance);
                    xs.push_back(r.reactance);
                    const ImpedanceUncertainty ur = impedanceUncertainty(reading);
                    u = ur.larger();
                    rowWithin += std::fabs(r.resistance - z.real()) <= 2 * ur.resistance;
                    rowWithin += std::fabs(r.reactance - z.imag()) <= 2 * ur.reactance;
                }
                within += rowWithin;
                readings += 2 * captures;
                const double sdRs = sampleDeviation(rs), sdXs = sampleDeviation(xs);
                ratios.push_back(u / sdRs);
                ratios.push_back(u / sdXs);
                std::printf("%-11s %5.0f %5.1f | %10.4g %10.4g | %9.3g %9.3g %9.3g | %d/%d\n",
                            description, f, noise, z.real(), z.imag(), u, sdRs, sdXs, rowWithin,
                            2 * captures);
            }
        }
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf(
        "Rs and Xs within +-2u: %d of %d (%.1f %%); u / observed sd: median %.2f, "
        "min %.2f, max %.2f\n",
        within, readings, 100.0 * within / readings, ratios[ratios.size() / 2], ratios.front(),
        ratios.back());
    return 0;
}
