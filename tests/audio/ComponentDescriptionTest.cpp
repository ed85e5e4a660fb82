#include "audio/ComponentDescription.h"
#include "audio/SoundDevices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace varnex {
namespace {

TEST(ComponentDescription, ImpedanceAt1225Hz) {
    const double w = 2 * std::numbers::pi * 1225;
    struct Row {
        const char* text;
        std::complex<double> z;
    };
    const Row rows[] = {
        {"R=1k", {1000, 0}},
        {"r = 47", {47, 0}},
        {"C=100n", {0, -1 / (w * 100e-9)}},
        {"C=100nF", {0, -1 / (w * 100e-9)}},
        {"L=10m,R=5", {5, w * 10e-3}},
        {"L=10mH", {0, w * 10e-3}},
        {"Z=50-30j", {50, -30}},
        {"Z=-30j", {0, -30}},
        {"Z=1k+2.5kj", {1000, 2500}},
        {"Z=1e3-1e-1j", {1000, -0.1}},
        {"Z=75", {75, 0}},
        {"R=1M", {1e6, 0}},
        {"R=2.2G", {2.2e9, 0}},
        {"C=1u,C=1u", {0, -2 / (w * 1e-6)}},  // two in series
        {"R=10,L=1m,C=10u", {10, w * 1e-3 - 1 / (w * 10e-6)}},
        {"C=22p", {0, -1 / (w * 22e-12)}},
        // Side by side: 1 / (1/Z1 + 1/Z2).
        {"R=100||R=100", {50, 0}},
        {"R=1k||L=130m", 1.0 / (1.0 / 1000.0 + 1.0 / std::complex<double>(0, w * 0.13))},
        {"C=1u||R=1M", 1.0 / (std::complex<double>(1e-6, w * 1e-6))},
        {"R=6,L=0.5m,L=2m||R=30", std::complex<double>(6, w * 0.5e-3) +
                                      1.0 / (1.0 / std::complex<double>(0, w * 2e-3) + 1.0 / 30.0)},
        {"R=5||R=0,L=1m", {0, w * 1e-3}},  // a short across a group
    };
    for (const Row& r : rows) {
        std::string error;
        const auto c = parseComponent(r.text, &error);
        ASSERT_TRUE(c) << r.text << ": " << error;
        const std::complex<double> z = c->impedanceAt(1225);
        EXPECT_NEAR(z.real(), r.z.real(), 1e-9 * std::abs(r.z) + 1e-12) << r.text;
        EXPECT_NEAR(z.imag(), r.z.imag(), 1e-9 * std::abs(r.z) + 1e-12) << r.text;
    }
}

TEST(ComponentDescription, WhatCarriesNoCurrentIsOpen) {
    EXPECT_TRUE(std::isinf(parseComponent("C=1u")->impedanceAt(0).real()));
    EXPECT_EQ(parseComponent("R=5,L=1")->impedanceAt(0), std::complex<double>(5, 0));
    EXPECT_EQ(parseComponent("C=1u||R=1M")->impedanceAt(0), std::complex<double>(1e6, 0))
        << "the leak carries the direct current";
    EXPECT_TRUE(std::isinf(parseComponent("R=5,C=1u||C=2u")->impedanceAt(0).real()));
    // 1 H side by side with 1/(4 pi^2) F resonates at 1 Hz: no current at all.
    char tank[64];
    std::snprintf(tank, sizeof tank, "L=1||C=%.17g", 1 / (4 * M_PI * M_PI));
    EXPECT_GT(std::abs(parseComponent(tank)->impedanceAt(1.0)), 1e9) << tank;
}

TEST(ComponentDescription, RefusesWhatItCannotRead) {
    const char* rows[] = {"", "R", "R=", "R=abc", "X=5", "R=1k,", "R=-5", "C=0", "C=-1n", "L=-1m",
                          "Z=50-j", "Z=j", "R=1-2", "R=1e", "R=1kk", "R==5", "R=1.2.3", "Z=5+3",
                          "RR=5", "R=1e999",
                          // A negative resistance in Z can cancel the source and Rm.
                          "Z=-150", "Z=-1+5j",
                          // Sums and 1/C beyond a double.
                          "R=1e308,R=1e308", "L=1e308,L=1e308", "Z=1e308,Z=1e308",
                          "Z=1e308j,Z=1e308j", "R=1e308,Z=1e308", "Z=1e308+5j,R=1e308", "C=1e-320",
                          // Parts side by side are one part each.
                          "R=5||", "||R=5", "R=5|||R=6", "R=5|R=6", "R=5||noise=2", "R=5||C=-1n"};
    for (const char* text : rows) {
        std::string error;
        EXPECT_FALSE(parseComponent(text, &error)) << '"' << text << '"';
        EXPECT_FALSE(error.empty()) << '"' << text << "\" gives no reason";
    }
}

TEST(ComponentDescription, LargeButFinitePartsAreAccepted) {
    const char* rows[] = {"R=1e308",           "Z=1e308+1e308j", "L=1e300",
                          "C=1e-300,C=1e-300", "Z=0-30j",        "Z=-0"};
    for (const char* text : rows) {
        std::string error;
        EXPECT_TRUE(parseComponent(text, &error)) << text << ": " << error;
    }
}

TEST(ComponentDescription, ReferenceResistance) {
    EXPECT_EQ(parseResistance("100.3"), 100.3);
    EXPECT_EQ(parseResistance(" 1k "), 1000.0);
    EXPECT_FALSE(parseResistance("0"));
    EXPECT_FALSE(parseResistance("-100"));
    EXPECT_FALSE(parseResistance("ohms"));
}

TEST(ComponentDescription, SimulationWithItsNoise) {
    const auto plain = parseSimulation("L=10m, R=5");
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->noiseSteps);
    EXPECT_DOUBLE_EQ(plain->component.resistance, 5);
    const auto noisy = parseSimulation("C=1u,NOISE=2.5,R=3");
    ASSERT_TRUE(noisy);
    EXPECT_EQ(noisy->noiseSteps, 2.5);
    EXPECT_DOUBLE_EQ(noisy->component.resistance, 3);
    EXPECT_DOUBLE_EQ(noisy->component.elastance, 1e6);
    const auto seeded = parseSimulation("seed=4294967295,R=3,noise=1");
    ASSERT_TRUE(seeded);
    EXPECT_EQ(seeded->noiseSeed, 4294967295u);
    EXPECT_EQ(seeded->component, *parseComponent("R=3")) << "the seed is no part";
    EXPECT_FALSE(plain->noiseSeed);
    for (const char* bad :
         {"R=5,noise=-1", "R=5,noise=", "R=5,noise", "noise=2", "R=5,noise=x", "R=5,seed=-1",
          "R=5,seed=1.5", "R=5,seed=4294967296", "R=5,seed", "R=5,seed=x"}) {
        std::string why;
        EXPECT_FALSE(parseSimulation(bad, &why)) << bad;
        EXPECT_FALSE(why.empty()) << bad;
    }
}

TEST(SoundDevices, ListedAndFoundByAPartOfTheirName) {
    const std::vector<SoundDeviceInfo> devices = {
        {0, "HDA Intel PCH: ALC892 Analog", "ALSA", 2, 8, true, false},
        {3, "USB Audio CODEC", "ALSA", 2, 0, false, false},
        {4, "USB Audio CODEC out", "ALSA", 0, 2, false, true},
    };
    EXPECT_EQ(findSoundDevice(devices, "usb audio", true)->index, 3);
    EXPECT_EQ(findSoundDevice(devices, "USB", false)->index, 4) << "the first with output channels";
    EXPECT_FALSE(findSoundDevice(devices, "Scarlett", true));
    EXPECT_EQ(soundDeviceListText(devices),
              "0: HDA Intel PCH: ALC892 Analog [ALSA] in 2, out 8 (default input)\n"
              "3: USB Audio CODEC [ALSA] in 2, out 0\n"
              "4: USB Audio CODEC out [ALSA] in 0, out 2 (default output)\n");
    EXPECT_EQ(soundDeviceListText({}), "no sound devices\n");
}

}  // namespace
}  // namespace varnex
