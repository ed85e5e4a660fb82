// The window's Start2 and the command line's readings run one capture loop:
// the same retakes of a broken recording, the same end after a failure, the
// same words for it.
#include <QPushButton>

#include <gtest/gtest.h>

#include <sstream>

#include "WindowFixture.h"
#include "cli/Commands.h"

namespace varnex {
namespace {

// An input that opens and takes buffers; `fill` decides what becomes of each.
class ScriptedInput final : public WaveInput {
public:
    enum class Fill { Never, WithAHole };
    explicit ScriptedInput(Fill fill, int& buffers) : fill_(fill), buffers_(buffers) {}
    std::string deviceName() const override { return "the scripted input"; }
    int32_t open(const WaveFormat&) override { return 7; }
    bool start(int32_t) override { return true; }
    void addBuffer(int32_t, WaveHeader& header) override {
        ++buffers_;
        if (fill_ == Fill::Never) return;
        // A tone with 100 frames of exact silence in the middle: frames were lost.
        const size_t values = header.bufferLength / sizeof(int16_t);
        for (size_t i = 0; i < values; ++i)
            header.data[i] = i / 2 >= 5000 && i / 2 < 5100 ? 0 : 900;
        header.flags.store(kHeaderDone, std::memory_order_release);
    }
    void reset(int32_t) override {}
    void close(int32_t) override {}

private:
    Fill fill_;
    int& buffers_;
};

class SharedCaptureLoop : public testing::WindowFixture {
protected:
    // What the window tells the user when Start2 meets this input.
    std::vector<std::string> windowSays(ScriptedInput::Fill fill, int& buffers) {
        open({nullptr, std::make_unique<ScriptedInput>(fill, buffers),
              std::make_unique<testing::FakePollTimer>(), nullptr});
        boxes.shown.clear();
        window->controls().btnRun->click();
        EXPECT_FALSE(instrument().continuous()) << "a failure ends continuous capture";
        std::vector<std::string> texts;
        for (const MessageRequest& box : boxes.shown) texts.push_back(box.text);
        return texts;
    }
    // What `varnex measure --count 5` prints on standard error with it.
    std::string commandSays(ScriptedInput::Fill fill, int& buffers, int& status) {
        std::ostringstream out, err;
        // The simulated bridge's output plays the tone; the input is the script's.
        cli::CommandPlatform platform(
            {makeSimulatedBridge({}).player, std::make_unique<ScriptedInput>(fill, buffers),
             std::make_unique<testing::FakePollTimer>(), nullptr},
            std::nullopt, out, err);
        platform.sleep = [](std::chrono::milliseconds) {};
        cli::MeasureOptions options;
        options.count = 5;
        status = cli::runMeasure(options, platform);
        EXPECT_TRUE(out.str().empty()) << "no reading printed";
        return err.str();
    }
};

TEST_F(SharedCaptureLoop, OneRetakeRuleAndOneTextForEachFailure) {
    struct Row {
        ScriptedInput::Fill fill;
        const char* says;
        int buffers;  // recordings asked for before giving up
    };
    const Row rows[] = {
        {ScriptedInput::Fill::Never, "did not return the recording within two seconds", 1},
        {ScriptedInput::Fill::WithAHole, "three recordings in a row with frames missing", 3},
    };
    for (const Row& row : rows) {
        int windowBuffers = 0, commandBuffers = 0, status = -1;
        const std::vector<std::string> shown = windowSays(row.fill, windowBuffers);
        ASSERT_EQ(shown.size(), 1u) << row.says << ": told once, not once a pass";
        EXPECT_NE(shown[0].find(row.says), std::string::npos) << shown[0];
        EXPECT_NE(shown[0].find("the scripted input"), std::string::npos) << shown[0];
        const std::string printed = commandSays(row.fill, commandBuffers, status);
        EXPECT_EQ(printed, "varnex: " + shown[0] + "\n") << row.says;
        EXPECT_EQ(status, cli::kExitNoReading) << row.says;
        EXPECT_EQ(windowBuffers, row.buffers) << row.says;
        EXPECT_EQ(commandBuffers, row.buffers) << row.says;
    }
}

}  // namespace
}  // namespace varnex
