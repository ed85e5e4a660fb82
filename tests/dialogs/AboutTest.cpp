#include <QAction>

#include "DialogFixture.h"
#include "dialogs/About.h"

namespace varnex {
namespace {

using AboutTest = testing::DialogFixture;

TEST_F(AboutTest, ShowsVersionAndCreditInAnOkBoxWithoutIcon) {
    window->findChild<QAction*>("menuAbout")->trigger();
    const MessageRequest* about = nullptr;
    for (const MessageRequest& r : boxes.shown)
        if (r.title == "Varnex Bridge Program") about = &r;
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->buttons, MessageButtons::Ok);
    EXPECT_EQ(about->icon, MessageIcon::None);
    EXPECT_EQ(about->text, aboutMessage());

    const size_t breakAt = about->text.find("\r\n");
    ASSERT_NE(breakAt, std::string::npos);
    const std::string first = about->text.substr(0, breakAt);
    const std::string second = about->text.substr(breakAt + 2);
    EXPECT_EQ(first.rfind("1.0", 0), 0u) << first;
    EXPECT_GT(first.size(), std::string("1.0 ").size()) << "a rights notice follows the version";
    EXPECT_NE(first.find("MIT licence"), std::string::npos) << first;
    EXPECT_EQ(second.find_first_not_of(' '), 7u) << "credit indented by seven blanks: " << second;
    EXPECT_EQ(second.find('\n'), std::string::npos) << "two lines only";
}

}  // namespace
}  // namespace varnex
