// The sound server dies during continuous capture and comes back: the window
// tells the user once, stops, keeps the last readings, and works again with
// the server back, without a restart.  Runs through the real PortAudio
// devices against a private server that CTest started; VARNEX_SERVER_KILL and
// VARNEX_SERVER_START kill it and start it again.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "WindowFixture.h"
#include "audio/PortAudioTonePlayer.h"
#include "audio/PortAudioWaveInput.h"

namespace varnex {
namespace {

using Clock = std::chrono::steady_clock;

int run(const char* variable) {
    const char* command = std::getenv(variable);
    if (command == nullptr) ADD_FAILURE() << variable << " is not set: run this test through CTest";
    return command == nullptr ? -1 : std::system(command);
}

// Starts the server again if the test ends early, for the tests after it.
struct ServerBack {
    std::atomic<bool> down{false};
    ~ServerBack() {
        if (down) run("VARNEX_SERVER_START");
    }
};

using ServerFailure = testing::WindowFixture;

TEST_F(ServerFailure, OneMessageContinuousStopsReadingsStayAndTheServerCanComeBack) {
    open({std::make_unique<PortAudioTonePlayer>(), std::make_unique<PortAudioWaveInput>(), nullptr,
          nullptr});
    Varnex& window = *this->window;
    window.show();
    const VarnexControls& c = window.controls();
    const CaptureBuffers& capture = window.instrument().capture();

    c.cmdPlay->click();
    // The reminder to set the mixer at start-up, out of the way.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.empty(); }));
    boxes.shown.clear();

    // The server dies once continuous capture has measured twice.
    int measured = 0;
    QString lastReading;
    ServerBack server;
    Clock::time_point killedAt;
    std::thread killer;
    QObject::connect(&window, &Varnex::measured, &window, [&] {
        lastReading = c.Text4->text();
        if (++measured != 2) return;
        killer = std::thread([&] {
            EXPECT_EQ(run("VARNEX_SERVER_KILL"), 0);
            killedAt = Clock::now();
            server.down = true;
        });
    });
    c.btnRun->click();  // returns when continuous capture has ended
    const Clock::time_point ended = Clock::now();
    if (killer.joinable()) killer.join();
    ASSERT_TRUE(server.down) << "continuous capture ended before the server was killed; messages: "
                             << boxes.shown.size();

    std::string texts;
    for (const MessageRequest& box : boxes.shown) texts += box.text + "\n";
    ASSERT_EQ(boxes.shown.size(), 1u) << "one message, not one a pass:\n" << texts;
    EXPECT_EQ(boxes.shown[0].title, "Ouch!");
    EXPECT_NE(boxes.shown[0].text.find(window.instrument().inputDeviceName()), std::string::npos)
        << boxes.shown[0].text;
    EXPECT_LT(std::chrono::duration<double>(ended - killedAt).count(), 3.0);
    EXPECT_FALSE(window.instrument().continuous());
    EXPECT_EQ(c.btnRun->text(), "Start2");
    EXPECT_TRUE(c.btnStart->isEnabled());
    EXPECT_EQ(capture.hWaveIn, 0) << "the input is closed";
    EXPECT_FALSE(lastReading.isEmpty());
    EXPECT_EQ(c.Text4->text(), lastReading) << "the last good reading stays";

    // The server comes back: Play restarts the tone and Start1 records it,
    // once the server has begun to play it.
    ASSERT_EQ(run("VARNEX_SERVER_START"), 0);
    server.down = false;
    c.cmdPlay->click();
    auto loudest = [&] {
        int16_t high = 0;
        for (int i = 0; i < capture.SampleCount; ++i) high = std::max(high, capture.Samples[i]);
        return high;
    };
    const int before = measured;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(3);
    do c.btnStart->click();
    while (loudest() <= 10000 && boxes.shown.size() == 1u && Clock::now() < deadline);
    EXPECT_EQ(boxes.shown.size(), 1u) << boxes.shown.back().text;
    EXPECT_GT(measured, before);
    EXPECT_GT(loudest(), 10000) << "the tone plays again";
    c.cmdStop->click();
}

}  // namespace
}  // namespace varnex
