#include "app/alert_settings_window.h"

#include "ui_model/control_names.h"
#include "ui_model/controls.h"

namespace quorell {

void AlertSettingsWindow::Open() {
    if (!window_.Visible()) {
        Fill(LoadAlertSettings(settings_));
        window_.SetVisible(true);
    }
    window_.BringToFront();
}

void AlertSettingsWindow::Confirm() {
    const AlertParseResult parsed = ParseAlertSettings(Typed());
    if (!parsed.settings) {
        desktop_.ShowMessage(kAlertsWindowTitle, parsed.refusal, MessageIcon::Error);
        return;
    }
    if (!StoreAlertSettings(settings_, *parsed.settings)) {
        desktop_.ShowMessage(kAlertsWindowTitle, kAlertsNotSaved, MessageIcon::Error);
        return;
    }
    window_.SetVisible(false);
    if (onStored_) {
        onStored_();
    }
}

bool AlertSettingsWindow::Dismiss() {
    window_.SetVisible(false);
    return false;
}

void AlertSettingsWindow::Fill(const AlertSettings& alerts) {
    const AlertFieldTexts texts = AlertTexts(alerts);
    window_.EditBox(names::kAllowanceBox).SetText(texts.allowanceMb);
    window_.EditBox(names::kSettlementDayBox).SetText(texts.settlementDay);
    for (AlertMetric metric : kAlertMetrics) {
        const std::size_t i = IndexOf(metric);
        const names::AlertRuleNames& rule = names::kAlertRules[i];
        window_.CheckBox(rule.switchBox).SetChecked(texts.enabled[i]);
        window_.EditBox(rule.lineBox).SetText(texts.line[i]);
        window_.EditBox(rule.secondsBox).SetText(texts.seconds[i]);
    }
}

AlertFieldTexts AlertSettingsWindow::Typed() const {
    AlertFieldTexts texts;
    texts.allowanceMb = window_.EditBox(names::kAllowanceBox).Text();
    texts.settlementDay = window_.EditBox(names::kSettlementDayBox).Text();
    for (AlertMetric metric : kAlertMetrics) {
        const std::size_t i = IndexOf(metric);
        const names::AlertRuleNames& rule = names::kAlertRules[i];
        texts.enabled[i] = window_.CheckBox(rule.switchBox).Checked();
        texts.line[i] = window_.EditBox(rule.lineBox).Text();
        texts.seconds[i] = window_.EditBox(rule.secondsBox).Text();
    }
    return texts;
}

}  // namespace quorell
