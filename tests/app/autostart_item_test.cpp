#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/autostart_item.h"
#include "app_rig.h"

namespace quorell {
namespace {

using testing::AppRig;

// The session's entry as the test sets it; a refusal makes every change fail with that reason.
class FakeAutostart final : public AutostartPort {
public:
    bool StartsWithSession() override { return starts; }
    bool SetStartsWithSession(bool on) override {
        ++changes;
        if (refusal) {
            return false;
        }
        starts = on;
        return true;
    }
    std::string Reason() const override { return refusal.value_or(""); }

    bool starts = false;
    std::optional<std::string> refusal;
    int changes = 0;
};

class AutostartApp : public ::testing::Test {
protected:
    void SetUp() override {
        rig.autostart = &entry;
        ASSERT_TRUE(rig.Start().Running());
    }
    void OpenAndCloseTrayMenu() { rig.Main().RaiseTrayEvent(TrayClick::RightUp); }
    bool Marked() const { return rig.Menu().Item(kAutostartItem).Checked(); }

    FakeAutostart entry;
    AppRig rig;
};

TEST_F(AutostartApp, TheMarkIsTheSessionEntryReadWhenTheMenuOpensAndChoosingFlipsTheEntry) {
    OpenAndCloseTrayMenu();
    EXPECT_FALSE(Marked());
    entry.starts = true;  // made by hand, or by another copy of the program
    OpenAndCloseTrayMenu();
    EXPECT_TRUE(Marked());

    // The entry, not the mark, decides: removed by hand while the mark still says on, choosing turns it on.
    entry.starts = false;
    rig.ChooseFromTray(kAutostartItem);
    EXPECT_TRUE(entry.starts);
    EXPECT_TRUE(Marked());
    rig.ChooseFromTray(kAutostartItem);
    EXPECT_FALSE(entry.starts);
    EXPECT_FALSE(Marked());
    EXPECT_TRUE(rig.desktop.messages.empty());
    EXPECT_EQ(rig.Menu().Item(kAutostartItem).Caption(), "开机自动启动");
}

TEST_F(AutostartApp, AFailedChangeIsShownAndTheMarkKeepsShowingTheTruth) {
    entry.refusal = "/home/u/.config/autostart/quorell.desktop: Permission denied";
    rig.ChooseFromTray(kAutostartItem);
    ASSERT_EQ(rig.desktop.messages.size(), 1u);
    EXPECT_EQ(rig.desktop.messages[0].title, "开机自动启动");
    EXPECT_EQ(rig.desktop.messages[0].text, std::string(kAutostartOnFailed) + *entry.refusal);
    EXPECT_FALSE(Marked());

    entry.starts = true;
    rig.ChooseFromTray(kAutostartItem);
    ASSERT_EQ(rig.desktop.messages.size(), 2u);
    EXPECT_EQ(rig.desktop.messages[1].text, std::string(kAutostartOffFailed) + *entry.refusal);
    EXPECT_TRUE(Marked());
    EXPECT_TRUE(rig.app->Running());
}

}  // namespace
}  // namespace quorell
