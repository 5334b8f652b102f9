#include <gtest/gtest.h>

#include "app/layouts/layouts.h"
#include "app/tray_tip.h"
#include "app/window_set.h"

namespace quorell {
namespace {

TEST(TrayTip, KeepsWholeCharactersWithinTheGbkByteLimit) {
    EXPECT_EQ(KeepGbkBytes("abc", 3), "abc");
    EXPECT_EQ(KeepGbkBytes("ab资源", 3), "ab");  // the Chinese character would need bytes 3 and 4
    EXPECT_EQ(KeepGbkBytes("ab资源", 4), "ab资");
    EXPECT_EQ(KeepGbkBytes("资源", 1), "");
    EXPECT_EQ(KeepGbkBytes("a\r\nb", 3), "a\r\n");
    EXPECT_EQ(KeepGbkBytes("", 62), "");
}

TEST(TrayTip, SurvivesTextThatIsNotGbkOrNotEvenUtf8) {
    EXPECT_EQ(KeepGbkBytes("a\xF0\x9F\x98\x80z", 5), "a\xF0\x9F\x98\x80");  // beyond the basic plane: 4 bytes
    EXPECT_EQ(KeepGbkBytes("a\xF0\x9F\x98\x80z", 4), "a");
    const std::string broken = "ab\xE8\xB5";  // a character cut short at the end
    EXPECT_LE(KeepGbkBytes(broken, 62).size(), broken.size());
    EXPECT_EQ(KeepGbkBytes("\xFF\xFEx", 62), "\xFF\xFEx");
}

TEST(TrayTip, TheTipFitsAndNamesTheProgramFirst) {
    const std::string tip = TrayTipText();
    EXPECT_EQ(tip.rfind("Velkor - Quorell\r\n", 0), 0u);
    EXPECT_EQ(KeepGbkBytes(tip, kTrayTipLimitBytes), tip);
    EXPECT_NE(tip.find("quorell.example.org"), std::string::npos);  // our address survives the cut
}

TEST(TrayTip, TheAllowanceLineFollowsTheStatusLineAndWholeLinesGoFromTheEnd) {
    EXPECT_EQ(TrayTipText("未保存: 接收.FDB", "本期已用 812 MB / 2.0 GB"),
              "Velkor - Quorell\r\n未保存: 接收.FDB\r\n本期已用 812 MB / 2.0 GB");
    const std::string tip = TrayTipText({}, "本期已用 812 MB / 2.0 GB");
    // Our address no longer fits whole, so it goes whole: no stump like "qu" at the end.
    EXPECT_EQ(tip, std::string("Velkor - Quorell\r\n本期已用 812 MB / 2.0 GB\r\n作者: ") + kMakerCredit) << tip;
    // What the user must know is cut at a character rather than left out.
    const std::string longStatus = TrayTipText("未保存: 一个名字很长很长很长很长很长很长很长很长的文件.FDB");
    EXPECT_EQ(KeepGbkBytes(longStatus, kTrayTipLimitBytes), longStatus);
    EXPECT_EQ(longStatus.rfind("Velkor - Quorell\r\n未保存: 一个名字很长", 0), 0u) << longStatus;
}

TEST(Screens, CentringUsesThePrimaryScreen) {
    EXPECT_EQ(CentredOn({{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}}, {302, 142}), (Point{809, 469}));
    EXPECT_EQ(CentredOn({{1920, 0, 1280, 1024}}, {530, 279}), (Point{1920 + 375, 372}));
    EXPECT_EQ(CentredOn({}, {530, 279}), (Point{0, 0}));
    EXPECT_EQ(CentredOn({{0, 0, 200, 100}}, {302, 142}), (Point{-51, -21}));  // larger than the screen
}

TEST(Screens, AWindowCountsAsVisibleWhenOnePixelShowsOnAnyScreen) {
    const std::vector<ScreenRect> screens = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
    EXPECT_TRUE(VisibleOnSomeScreen(screens, {-1280, 300, 302, 142}));
    EXPECT_TRUE(VisibleOnSomeScreen(screens, {1919, 1079, 302, 142}));
    EXPECT_FALSE(VisibleOnSomeScreen(screens, {1920, 0, 302, 142}));
    EXPECT_FALSE(VisibleOnSomeScreen(screens, {-1280, 1024, 302, 142}));  // below the left screen
    EXPECT_FALSE(VisibleOnSomeScreen(screens, {-1582, 0, 302, 142}));
    EXPECT_FALSE(VisibleOnSomeScreen({{0, 0, 1920, 1080}}, {2147483000, 2147483000, 302, 142}));
    EXPECT_TRUE(VisibleOnSomeScreen({}, {-99999, -99999, 302, 142}));
}

}  // namespace
}  // namespace quorell
