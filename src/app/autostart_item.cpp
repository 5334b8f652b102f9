#include "app/autostart_item.h"

#include <string>

namespace quorell {

void AutostartItem::ShowTruth() {
    item_.SetChecked(port_ != nullptr && port_->StartsWithSession());
}

void AutostartItem::Toggle() {
    if (port_ == nullptr) {
        return;
    }
    const bool on = !port_->StartsWithSession();
    if (!port_->SetStartsWithSession(on)) {
        desktop_.ShowMessage(kAutostartTitle, std::string(on ? kAutostartOnFailed : kAutostartOffFailed) + port_->Reason(),
                             MessageIcon::Error);
    }
    ShowTruth();
}

}  // namespace quorell
