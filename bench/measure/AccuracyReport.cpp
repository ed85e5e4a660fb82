// Accuracy of the impedance estimate on an ideal bridge with 16-bit rounding and
// seeded Gaussian noise: known components at every test frequency and every
// reference resistor, the estimate against the truth over several captures,
// beside the Cramer-Rao bound for the same noise.
//
// Each capture is measured as "Reset" followed by one run (default Bal and
// Vperbit, zero tares).  Errors: |Z| relative to the true |Z|, the angle as
// atan2(Wq, Wi) against the true angle (the box shows the principal value,
// which folds +-90 degrees; the estimate itself is what is judged here).
//
// Bound: each input's phasor from N samples has a relative amplitude std of
// sqrt(2/N) * sigma / A and the same phase std in radians.  Z / Rm = Vx / (drive
// - Vx), so to first order the relative error of Z is |Rm + Z| / Rm times the
// two inputs' relative errors added in quadrature, split equally between |Z|
// (relative) and the angle (radians).  sigma includes the rounding (1/12 step^2).
//
// Usage: measure_accuracy [trials=16] [sigma_steps=2] [seed=20240601]
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "BridgeCapture.h"
#include "measure/Estimator.h"
#include "measure/Readings.h"

namespace varnex {
namespace {

struct Component {
    const char* name;
    double R, L, C;  // series resistance, inductance, capacitance (C = 0: none)
    std::complex<double> at(double freq) const {
        const double w = 2 * M_PI * freq;
        std::complex<double> z(R, w * L);
        if (C > 0) z += std::complex<double>(0, -1 / (w * C));
        return z;
    }
};

struct Stats {
    double mean = 0, m2 = 0;
    int n = 0;
    void add(double x) {
        ++n;
        const double d = x - mean;
        mean += d / n;
        m2 += d * (x - mean);
    }
    double sd() const { return n > 1 ? std::sqrt(m2 / (n - 1)) : 0; }
};

double degrees(double radians) {
    return radians * 180 / M_PI;
}

}  // namespace
}  // namespace varnex

int main(int argc, char** argv) {
    using namespace varnex;
    const int trials = argc > 1 ? std::atoi(argv[1]) : 16;
    const double sigma = argc > 2 ? std::atof(argv[2]) : 2.0;
    const unsigned long long seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 20240601ULL;

    const Component components[] = {
        {"R 1k", 1000, 0, 0},
        {"L 10mH", 0, 10e-3, 0},
        {"C 100nF", 0, 0, 100e-9},
        {"470R+10mH", 470, 10e-3, 0},
    };
    const float freqs[] = {120, 525, 1000, 1225, 2205, 3675};
    auto s = std::make_unique<VarnexState>();
    const float refs[] = {s->Rm10, s->Rm100, s->Rm1000, s->Rm10000, s->Rm100000};
    const int n = s->SampleCount / 2 + 1;  // frames measured
    // Drive at the generator's default level: half of full scale on the right input.
    const double drive = 16383 * double(s->Bal);
    const double sigmaTotal = std::sqrt(sigma * sigma + 1.0 / 12);

    std::printf(
        "Ideal bridge, drive %.0f steps, noise sigma %.2f steps per input (%.3f with rounding),"
        " N = %d, %d captures per row, seed %llu\n",
        drive, sigma, sigmaTotal, n, trials, seed);
    std::printf("%-10s %6s %8s | %10s %8s | %9s %9s %9s %6s | %8s %8s %8s %6s\n", "component", "Hz",
                "Rm", "|Z| true", "ang true", "|Z| bias%", "|Z| sd%", "CRB sd%", "sd/CRB",
                "ang bias", "ang sd", "CRB deg", "sd/CRB");

    std::vector<double> ratios;
    int row = 0;
    for (const Component& c : components) {
        for (float f : freqs) {
            for (float rm : refs) {
                bench::tuneTo(*s, f);
                s->Rm = rm;
                const bench::Bridge bridge{c.at(f), drive, sigma};
                const std::complex<double> hx = bench::leftGain(*s, bridge);
                const double trueMag = std::abs(bridge.Z);
                const double trueAngle = std::arg(bridge.Z);

                // Relative phasor errors of the two inputs (the right one after Bal).
                const double relLeft = std::sqrt(2.0 / n) * sigmaTotal / (drive * std::abs(hx));
                const double relRight = std::sqrt(2.0 / n) * sigmaTotal * s->Bal / drive;
                const double gain = std::abs(double(rm) + bridge.Z) / rm;
                const double crb = gain * std::hypot(relLeft, relRight);

                std::mt19937_64 rng(seed + 1000003ULL * row++);
                std::uniform_real_distribution<double> phase(0, 2 * M_PI);
                Stats mag, ang;
                const int h = lastFrameIndex(*s);
                for (int t = 0; t < trials; ++t) {
                    bench::synthesise(*s, bridge, phase(rng), rng);
                    resetWeights(*s);
                    runEstimator(*s, {});
                    computeReadings(*s);
                    const std::complex<double> est(s->Wi[h + 1], s->Wq[h + 1]);
                    mag.add(double(s->Zmag) / trueMag - 1);
                    ang.add(std::remainder(std::arg(est) - trueAngle, 2 * M_PI));
                }
                std::printf(
                    "%-10s %6.0f %8.1f | %10.4g %8.2f | %9.4f %9.4f %9.4f %6.2f | %8.4f %8.4f "
                    "%8.4f %6.2f\n",
                    c.name, f, rm, trueMag, degrees(trueAngle), 100 * mag.mean, 100 * mag.sd(),
                    100 * crb, mag.sd() / crb, degrees(ang.mean), degrees(ang.sd()), degrees(crb),
                    ang.sd() / crb);
                ratios.push_back(mag.sd() / crb);
                ratios.push_back(ang.sd() / crb);
            }
        }
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("sd/CRB over all rows (|Z| and angle): median %.2f, min %.2f, max %.2f\n",
                ratios[ratios.size() / 2], ratios.front(), ratios.back());
    return 0;
}
