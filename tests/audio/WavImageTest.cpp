#include "audio/WavImage.h"

#include "audio/PcmLoop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace varnex {
namespace {

std::vector<uint8_t> image(double freq, double level = 0.5, int16_t bits = 16, int16_t mode = 1) {
    std::vector<uint8_t> buffer;
    modWAV wav;
    wav.MakeHeader(buffer, 44100, bits, mode, level, level);
    wav.MakeSine(buffer, freq);
    return buffer;
}

uint32_t field(const std::vector<uint8_t>& b, size_t offset, int bytes) {
    uint32_t value = 0;
    for (int n = bytes - 1; n >= 0; --n) value = (value << 8) | b[offset + n];
    return value;
}

int16_t sample16(const std::vector<uint8_t>& b, size_t offset) {
    return static_cast<int16_t>(b[offset] | (b[offset + 1] << 8));
}

std::vector<int16_t> channel(const std::vector<uint8_t>& b, int which) {
    std::vector<int16_t> out;
    for (size_t at = 44 + 2 * which; at + 1 < b.size(); at += 4) out.push_back(sample16(b, at));
    return out;
}

TEST(WavImage, HeaderOfTheProgramTone) {
    const std::vector<uint8_t> b = image(1225);
    const std::vector<uint8_t> expected = {2, 0, 68, 172, 0, 0, 16, 177, 2, 0, 4, 0, 16, 0};
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 22, b.begin() + 36), expected);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
    EXPECT_EQ(field(b, 16, 4), 16u);
    EXPECT_EQ(field(b, 20, 2), 1u);
    const uint32_t data = field(b, 40, 4);
    EXPECT_EQ(data, b.size() - 44);
    EXPECT_EQ(field(b, 4, 4), data + 36);
    EXPECT_EQ(data % 4, 0u);
}

TEST(WavImage, HeaderFieldsForEveryModeAndWidth) {
    struct Row {
        int16_t mode, bits;
        uint32_t channels, bytesPerSecond, blockAlign, bytesPerFrame;
    };
    const Row rows[] = {
        {0, 8, 1, 44100, 1, 1},   {1, 8, 2, 88200, 2, 2},   {2, 8, 2, 88200, 2, 2},
        {3, 8, 2, 88200, 2, 2},   {0, 16, 1, 88200, 2, 2},  {1, 16, 2, 176400, 4, 4},
        {2, 16, 2, 176400, 4, 4}, {3, 16, 2, 176400, 4, 4},
    };
    for (const Row& r : rows) {
        const std::vector<uint8_t> b = image(1225, 0.5, r.bits, r.mode);
        const std::string row =
            "mode " + std::to_string(r.mode) + " bits " + std::to_string(r.bits);
        EXPECT_EQ(field(b, 22, 2), r.channels) << row;
        EXPECT_EQ(field(b, 28, 4), r.bytesPerSecond) << row;
        EXPECT_EQ(field(b, 32, 2), r.blockAlign) << row;
        EXPECT_EQ(field(b, 34, 2), static_cast<uint32_t>(r.bits)) << row;
        EXPECT_EQ(field(b, 40, 4), 3600 * r.bytesPerFrame) << row;
        EXPECT_EQ(field(b, 4, 4), 3600 * r.bytesPerFrame + 36) << row;
    }
}

TEST(WavImage, HoldsTheStatedNumberOfCycles) {
    struct Row {
        double freq;
        int cycles;
    };
    const Row rows[] = {{120, 10}, {525, 10}, {1000, 10}, {1225, 100}, {2205, 100}, {3675, 100}};
    for (const Row& r : rows) {
        const std::vector<int16_t> left = channel(image(r.freq), 0);
        const std::vector<int16_t> right = channel(image(r.freq), 1);
        ASSERT_FALSE(left.empty()) << r.freq;
        // Each rise to zero or above inside the image starts a cycle; the
        // wrap from the last frame to the first starts the last one.
        int rises = 0;
        for (size_t k = 1; k < left.size(); ++k) rises += left[k - 1] < 0 && left[k] >= 0;
        EXPECT_EQ(rises + 1, r.cycles) << r.freq << " Hz";
        EXPECT_LT(left.back(), 0) << r.freq << " Hz: the last frame comes before the rise";
        EXPECT_EQ(left[0], 0) << r.freq << " Hz";
        EXPECT_EQ(right[0], 0) << r.freq << " Hz";
        EXPECT_EQ(left, right) << r.freq << " Hz";
        // Every generator frequency fits a whole number of frames into C cycles.
        EXPECT_EQ(static_cast<double>(left.size()), r.cycles * 44100 / r.freq) << r.freq << " Hz";
    }
}

TEST(WavImage, LoopHasNoJumpAtTheSeam) {
    // Played twice in a row the image is the same sine, sample for sample:
    // rounding must not add a frame past the last whole cycle.
    for (double freq : {120.0, 525.0, 1000.0, 1225.0, 2205.0, 3675.0}) {
        const std::vector<int16_t> left = channel(image(freq), 0);
        const double step = 2 * std::numbers::pi * freq / 44100;
        const size_t n = left.size();
        int worst = 0;
        for (size_t k = n; k < 2 * n; ++k) {
            const int ideal =
                static_cast<int>(std::floor(0.5 * 32767 * std::sin(step * static_cast<double>(k))));
            worst = std::max(worst, std::abs(left[k - n] - ideal));
        }
        EXPECT_LE(worst, 1) << freq << " Hz";
    }
}

// FNV-1a of an image: the generator's images as they were before any
// frequency could be played, recorded once.
uint64_t fingerprint(const std::vector<uint8_t>& bytes) {
    uint64_t hash = 1469598103934665603ull;
    for (uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ull;
    return hash;
}

TEST(WavImage, TheGeneratorsFrequenciesKeepTheirImagesByteForByte) {
    struct Row {
        double freq, level;
        size_t bytes;
        uint64_t hash;
    };
    const Row rows[] = {
        {525, 0.5, 3404, 0x3e8662f259455498ull},   {525, 1, 3404, 0xc36d530c7b081bf8ull},
        {1225, 0.5, 14444, 0x45f76f0ace25dfb4ull}, {1225, 1, 14444, 0x58e5d5f41b98e534ull},
        {2205, 0.5, 8044, 0x7995bca08feddd70ull},  {2205, 1, 8044, 0x83b7b594f022e9b0ull},
        {1000, 0.5, 1808, 0x5942752c25b29f77ull},  {1000, 1, 1808, 0x08798e727ea389f7ull},
        {120, 0.5, 14744, 0xb6c4e39676150c88ull},  {120, 1, 14744, 0x27c5fa11fda0f4e0ull},
        {3675, 0.5, 4844, 0x903c4cabc882da48ull},  {3675, 1, 4844, 0x0f5a4e2a720d05a8ull},
    };
    for (const Row& r : rows) {
        std::vector<uint8_t> played;
        EXPECT_EQ(buildTestTone(played, r.freq, r.level), r.freq);
        EXPECT_EQ(played.size(), r.bytes) << r.freq << " Hz at " << r.level;
        EXPECT_EQ(fingerprint(played), r.hash) << r.freq << " Hz at " << r.level;
        EXPECT_EQ(played, image(r.freq, r.level)) << r.freq << " Hz: the same as MakeSine's";
    }
}

TEST(WavImage, AnyFrequencyLoopsWholeCyclesWithoutAJumpAtTheSeam) {
    struct Row {
        double asked;
        double within;  // hertz between the frequency asked and the one played
    };
    // Whole hertz fit a loop of a second exactly; 1234.5 Hz fits one of 2/3 s;
    // 19999.3 Hz comes within a millihertz.
    const Row rows[] = {{10, 0},     {10.5, 0},  {37, 0},         {1234, 0},
                        {1234.5, 0}, {15000, 0}, {19999.3, 1e-3}, {20000, 0}};
    for (const Row& r : rows) {
        std::vector<uint8_t> bytes;
        const double played = buildTestTone(bytes, r.asked, 0.5);
        EXPECT_NEAR(played, r.asked, r.within) << r.asked << " Hz";
        const ToneLoop loop = toneLoopFor(r.asked);
        EXPECT_LE(loop.frames, 44100) << r.asked << " Hz: a loop of at most a second";
        EXPECT_EQ(loop.frequency(), played) << r.asked << " Hz";
        const std::vector<int16_t> left = channel(bytes, 0);
        ASSERT_EQ(left.size(), static_cast<size_t>(loop.frames)) << r.asked << " Hz";
        // The loop played twice is one sine: the frame after the seam is the
        // sine continued, to within the rounding of a sample.
        const double step = 2 * std::numbers::pi * played / 44100;
        const size_t n = left.size();
        int worst = 0;
        for (size_t k = n - 50; k < n + 50; ++k) {
            const int ideal =
                static_cast<int>(std::floor(0.5 * 32767 * std::sin(step * static_cast<double>(k))));
            worst = std::max(worst, std::abs(left[k % n] - ideal));
        }
        EXPECT_LE(worst, 1) << r.asked << " Hz";
    }
}

TEST(WavImage, PeaksAtHalfLevelAreRoundedDown) {
    const std::vector<int16_t> left = channel(image(1225, 0.5), 0);
    const std::vector<int16_t> right = channel(image(1225, 0.5), 1);
    EXPECT_EQ(*std::max_element(left.begin(), left.end()), 16383);
    EXPECT_EQ(*std::min_element(left.begin(), left.end()), -16384);
    EXPECT_EQ(*std::max_element(right.begin(), right.end()), 16383);
    EXPECT_EQ(*std::min_element(right.begin(), right.end()), -16384);
    // A quarter period in: sin = 1, floor(0.5 * 32767) = 16383.
    EXPECT_EQ(left[9], 16383);
}

TEST(WavImage, LevelZeroIsSilent) {
    const std::vector<uint8_t> b = image(1225, 0);
    ASSERT_GT(b.size(), 44u);
    EXPECT_TRUE(std::all_of(b.begin() + 44, b.end(), [](uint8_t v) { return v == 0; }));
}

TEST(WavImage, SameImageTwice) {
    std::vector<uint8_t> buffer;
    modWAV wav;
    wav.MakeHeader(buffer, 44100, 16, 1, 0.5, 0.5);
    wav.MakeSine(buffer, 1225);
    const std::vector<uint8_t> first = buffer;
    wav.MakeHeader(buffer, 44100, 16, 1, 0.5, 0.5);
    wav.MakeSine(buffer, 1225);
    EXPECT_EQ(buffer, first);
}

TEST(WavImage, LevelsOutsideZeroToOneAreClamped) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        double level, actsAs;
    };
    const Row rows[] = {{2, 1},    {1e300, 1},  {inf, 1},
                        {-0.5, 0}, {-inf, 0},   {std::numeric_limits<double>::quiet_NaN(), 0},
                        {1, 1},    {0.25, 0.25}};
    for (const Row& r : rows) {
        const std::vector<uint8_t> b = image(1225, r.level);
        EXPECT_EQ(b, image(1225, r.actsAs)) << "level " << r.level;
        const std::vector<int16_t> left = channel(b, 0);
        // No wrap: the sign of every sample follows the sine's.
        for (size_t k = 1; k < 18; ++k) EXPECT_GE(left[k], 0) << "level " << r.level << " k " << k;
    }
    const std::vector<int16_t> full = channel(image(1225, 1), 0);
    EXPECT_EQ(*std::max_element(full.begin(), full.end()), 32767);
    EXPECT_EQ(*std::min_element(full.begin(), full.end()), -32767);
}

TEST(WavImage, ChannelLayoutsOfModesAndWidths) {
    // Frame 9 of 1225 Hz is the crest (sin = 1); frame 27 the trough (sin = -1).
    struct Row {
        int16_t mode, bits;
        size_t frameBytes;
        int crestLeft, crestRight;  // -999: no such channel
    };
    const Row rows[] = {
        {0, 16, 2, 16383, -999},  {2, 16, 4, 16383, 0}, {3, 16, 4, 0, 16383},
        {1, 16, 4, 16383, 16383}, {0, 8, 1, 190, -999}, {1, 8, 2, 190, 190},
        {2, 8, 2, 190, 0},        {3, 8, 2, 0, 190},
    };
    for (const Row& r : rows) {
        const std::vector<uint8_t> b = image(1225, 0.5, r.bits, r.mode);
        const std::string row =
            "mode " + std::to_string(r.mode) + " bits " + std::to_string(r.bits);
        ASSERT_EQ(b.size(), 44 + 3600 * r.frameBytes) << row;
        const size_t crest = 44 + 9 * r.frameBytes;
        const size_t sampleBytes = r.bits / 8;
        auto at = [&](size_t offset) {
            return r.bits == 16 ? sample16(b, offset) : static_cast<int>(b[offset]);
        };
        EXPECT_EQ(at(crest), r.crestLeft) << row;
        if (r.crestRight != -999) {
            EXPECT_EQ(at(crest + sampleBytes), r.crestRight) << row;
        }
        // The trough: floor(-0.5 * 32767) = -16384, floor(-63.5) + 127 = 63.
        const size_t trough = 44 + 27 * r.frameBytes;
        const int low = r.bits == 16 ? -16384 : 63;
        const size_t toned = r.mode == 3 ? trough + sampleBytes : trough;
        EXPECT_EQ(at(toned), low) << row;
    }
}

TEST(WavImage, ByteOfIsLittleEndianWithTheTopBitCleared) {
    struct Row {
        int32_t value;
        int n;
        uint8_t expected;
    };
    const Row rows[] = {
        {0x12345678, 0, 0x78}, {0x12345678, 1, 0x56}, {0x12345678, 2, 0x34},
        {0x12345678, 3, 0x12}, {-1, 0, 0xFF},         {-1, 3, 0x7F},
        {-16384, 0, 0x00},     {-16384, 1, 0xC0},     {176400, 1, 177},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ByteOf(r.value, r.n), r.expected) << r.value << " byte " << r.n;
}

TEST(WavImage, UnplayableFrequenciesGiveAnEmptyImageInsteadOfHanging) {
    for (double freq : {0.0, -1225.0, 30000.0, 44100.0, std::nan("")}) {
        const std::vector<uint8_t> b = image(freq);
        EXPECT_EQ(b.size(), 44u) << freq;
        EXPECT_EQ(field(b, 40, 4), 0u) << freq;
        EXPECT_EQ(field(b, 4, 4), 36u) << freq;
    }
}

TEST(PcmLoop, DecodesWhatModWavBuilds) {
    const std::vector<uint8_t> b = image(1225);
    const std::optional<PcmLoop> loop = decodeWavImage(b);
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->sampleRate, 44100);
    EXPECT_EQ(loop->channels, 2);
    EXPECT_EQ(loop->frames(), 3600u);
    EXPECT_EQ(loop->samples[18], 16383);  // left of frame 9

    const std::optional<PcmLoop> mono8 = decodeWavImage(image(1225, 0.5, 8, 0));
    ASSERT_TRUE(mono8);
    EXPECT_EQ(mono8->channels, 1);
    EXPECT_EQ(mono8->samples[9], (190 - 128) * 256);
}

TEST(PcmLoop, RefusesMalformedImages) {
    const std::vector<uint8_t> good = image(1225);
    struct Row {
        const char* what;
        size_t offset;
        uint8_t value;
    };
    const Row rows[] = {{"not RIFF", 0, 'X'},
                        {"not WAVE", 8, 'X'},
                        {"not PCM", 20, 3},
                        {"5 channels", 22, 5},
                        {"12 bits", 34, 12},
                        {"no data tag", 36, 'X'},
                        {"data beyond the end", 42, 0xFF}};
    for (const Row& r : rows) {
        std::vector<uint8_t> bad = good;
        bad[r.offset] = r.value;
        EXPECT_FALSE(decodeWavImage(bad)) << r.what;
    }
    EXPECT_FALSE(decodeWavImage(std::vector<uint8_t>(good.begin(), good.begin() + 40)));
    EXPECT_FALSE(decodeWavImage(image(0))) << "no frame to loop";
}

}  // namespace
}  // namespace varnex
