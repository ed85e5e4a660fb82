#include <QAction>

#include "DialogFixture.h"

namespace varnex {
namespace {

using AboutTest = testing::DialogFixture;

TEST_F(AboutTest, ShowsVersionAndCreditInAnOkBoxWithoutIcon) {
    const size_t before = boxes.shown.size();
    window->findChild<QAction*>("menuAbout")->trigger();
    ASSERT_EQ(boxes.shown.size(), before + 1) << "About opens one box";
    const MessageRequest& about = boxes.shown.back();
    EXPECT_EQ(about.title, "Varnex Bridge Program");
    EXPECT_EQ(about.buttons, MessageButtons::Ok);
    EXPECT_EQ(about.icon, MessageIcon::None);

    const size_t breakAt = about.text.find("\r\n");
    ASSERT_NE(breakAt, std::string::npos) << about.text;
    const std::string first = about.text.substr(0, breakAt);
    const std::string second = about.text.substr(breakAt + 2);
    // The project's version 1.0, whole: "1.0.1" or "1.01" would not do.
    EXPECT_EQ(first.rfind("1.0 ", 0), 0u) << first;
    for (const char* notice :
         {"Copyright (C) 2026 the Varnex project", "MIT licence", "without warranty"})
        EXPECT_NE(first.find(notice), std::string::npos)
            << "the rights notice lacks \"" << notice << "\": " << first;
    EXPECT_EQ(first.find_first_of("\r\n"), std::string::npos) << first;
    EXPECT_EQ(second, "       Written by the Varnex bench-tools team")
        << "the credit, indented by seven blanks, alone on the second line";
}

}  // namespace
}  // namespace varnex
