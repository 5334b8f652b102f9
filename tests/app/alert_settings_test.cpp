#include <gtest/gtest.h>

#include "app/alert_settings.h"
#include "app_rig.h"

namespace quorell {
namespace {

using testing::AppRig;

class AlertSettingsFile : public ::testing::Test {
protected:
    SettingsFile Settings() { return SettingsFile(rig.store, rig.runDirectory); }
    AppRig rig;
};

TEST_F(AlertSettingsFile, StoredSettingsComeBackAsTheyWereWithSwitchesAsYesAndNo) {
    AlertSettings chosen;
    chosen.allowanceMb = 51200;
    chosen.settlementDay = 28;
    chosen.Rule(AlertMetric::Memory) = {true, 85, 3600};
    chosen.Rule(AlertMetric::Send) = {true, 99'999'999, 5};
    ASSERT_TRUE(StoreAlertSettings(Settings(), chosen));

    EXPECT_EQ(LoadAlertSettings(Settings()), chosen);
    const std::string text = rig.SettingsText();
    EXPECT_NE(text.find("[提醒设置]"), std::string::npos) << text;
    EXPECT_NE(text.find("每月流量上限=51200"), std::string::npos) << text;
    EXPECT_NE(text.find("内存提醒=是"), std::string::npos) << text;
    EXPECT_NE(text.find("Cpu提醒=否"), std::string::npos) << text;
    EXPECT_NE(text.find("发送高于=99999999"), std::string::npos) << text;
}

TEST_F(AlertSettingsFile, HandEditedValuesOutsideTheirRangeFallBackToEachFieldsDefault) {
    rig.WriteSettings(
        "[提醒设置]\r\n每月流量上限=-5\r\n结算日=31\r\nCpu提醒=yes\r\nCpu高于=101\r\nCpu持续秒数=4\r\n"
        "内存提醒=是\r\n内存高于= 70 \r\n内存持续秒数=3601\r\n接收高于=123456789\r\n");
    const AlertSettings loaded = LoadAlertSettings(Settings());
    const AlertSettings defaults;
    EXPECT_EQ(loaded.allowanceMb, 0);
    EXPECT_EQ(loaded.settlementDay, 1);
    EXPECT_EQ(loaded.Rule(AlertMetric::Cpu), defaults.Rule(AlertMetric::Cpu));
    EXPECT_EQ(loaded.Rule(AlertMetric::Memory), (StayingHighRule{true, 70, 60}));
    EXPECT_EQ(loaded.Rule(AlertMetric::Receive).line, defaults.Rule(AlertMetric::Receive).line);
}

TEST(AlertSettingsTexts, TheFirstBadFieldIsRefusedByNameWithItsRange) {
    const AlertFieldTexts good = AlertTexts(AlertSettings{});
    ASSERT_TRUE(ParseAlertSettings(good).settings);

    struct Case {
        void (*spoil)(AlertFieldTexts&);
        const char* refusal;
    };
    const Case cases[] = {
        {[](AlertFieldTexts& t) { t.allowanceMb = ""; }, "“每月流量上限”须填写 0 到 99999999 之间的整数。"},
        {[](AlertFieldTexts& t) { t.allowanceMb = "000000001"; }, "“每月流量上限”须填写 0 到 99999999 之间的整数。"},
        {[](AlertFieldTexts& t) { t.settlementDay = "29"; }, "“结算日”须填写 1 到 28 之间的整数。"},
        {[](AlertFieldTexts& t) { t.settlementDay = "-1"; }, "“结算日”须填写 1 到 28 之间的整数。"},
        {[](AlertFieldTexts& t) { t.line[1] = "0"; }, "“内存持续高于”须填写 1 到 100 之间的整数。"},
        {[](AlertFieldTexts& t) { t.seconds[3] = "4"; }, "“发送持续秒数”须填写 5 到 3600 之间的整数。"},
        {[](AlertFieldTexts& t) { t.line[2] = "1e3"; }, "“接收持续高于”须填写 1 到 99999999 之间的整数。"},
    };
    for (const Case& c : cases) {
        AlertFieldTexts texts = good;
        c.spoil(texts);
        const AlertParseResult result = ParseAlertSettings(texts);
        EXPECT_FALSE(result.settings);
        EXPECT_EQ(result.refusal, c.refusal);
    }
    // A switched-off rule's numbers are checked all the same: what is stored must be readable.
    AlertFieldTexts off = good;
    off.enabled = {};
    off.seconds[0] = "";
    EXPECT_FALSE(ParseAlertSettings(off).settings);
}

}  // namespace
}  // namespace quorell
