// The captures whose digits are pinned: known components on the simulated
// bridge (not in real time, so every capture is the same on every run), over
// several frequencies, reference resistors, tares and calibrations, each
// measured three times in a row as continuous capture does.
#pragma once

#include <array>
#include <cstdint>

namespace varnex::golden {

inline constexpr int kCapturesPerCase = 3;

struct Case {
    const char* component;  // the simulated bridge's description
    double trueRm;          // the resistor wired into the simulated bridge
    float freq;
    float Rm;  // the program's reference resistance
    float Rtare, Ltare, Ctare;
    float Bal, Vperbit;
    double level;       // SigGenLvl
    double noiseSteps;  // rms noise of each input
    uint32_t seed;
    int resetBeforeCapture;  // "Reset" before this capture (0-based), -1 for none
};

inline constexpr std::array<Case, 9> kCases{{
    {"L=10m,R=20", 100, 1225, 100, 0, 0, 0, 0.9955f, 0.00002792f, 0.5, 1, 7, -1},
    {"C=1u", 100, 120, 100, 0, 0, 0, 0.9955f, 0.00002792f, 0.5, 1, 11, -1},
    {"C=100n,R=3", 1000, 3675, 1000, 0, 0, 0, 0.9955f, 0.00002792f, 0.8, 2, 13, -1},
    {"R=4.7k", 10000, 1000, 10000, 0, 0, 0, 0.9955f, 0.00002792f, 0.5, 1, 17, 1},
    {"L=100u,R=0.5", 10, 2205, 10.1f, 0.1f, 2e-6f, 0, 0.9955f, 0.00002792f, 0.5, 1, 19, -1},
    {"C=22p", 100000, 525, 100000, 0, 0, 3e-12f, 0.9955f, 0.00002792f, 1, 1, 23, -1},
    {"Z=50-30j", 100, 1225, 0, 0, 0, 0, 0.9955f, 0.00002792f, 0.5, 1, 29, -1},
    {"R=47", 100, 525, 100.3f, 0, 0, 0, 1.0f, 0.00003f, 0.3, 3, 31, 2},
    {"L=1,R=300", 1000, 120, 1000, 5, 0, 0, 0.9955f, 0.00002792f, 0.5, 0.5, 37, 0},
}};

}  // namespace varnex::golden
