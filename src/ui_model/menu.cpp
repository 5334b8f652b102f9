#include "ui_model/menu.h"

#include <stdexcept>

#include "ui_model/window.h"

namespace quorell {

MenuItem::MenuItem(PopupMenu& menu, std::size_t position, const MenuItemDesign& design)
    : menu_(menu),
      position_(position),
      separator_(design.separator),
      checkable_(design.checkable && !design.separator),
      checked_(checkable_ && design.checked),
      caption_(design.caption) {}

void MenuItem::SetCaption(std::string caption) {
    if (separator_ || caption == caption_) {
        return;
    }
    caption_ = std::move(caption);
    menu_.CaptionChanged(*this);
}

void MenuItem::SetChecked(bool checked) {
    if (!checkable_ || checked == checked_) {
        return;
    }
    checked_ = checked;
    menu_.CheckChanged(*this);
}

void MenuItem::Select() {
    if (!separator_ && menu_.Owner().Exists() && selected_) {
        selected_();
    }
}

PopupMenu::PopupMenu(Window& owner, const ControlDesign& design) : Control(owner, design) {
    ReplaceItems(design.items);
}

void PopupMenu::ReplaceItems(const std::vector<MenuItemDesign>& items) {
    items_.clear();
    std::size_t position = 0;
    for (const MenuItemDesign& item : items) {
        items_.push_back(std::make_unique<MenuItem>(*this, ++position, item));
    }
}

MenuItem& PopupMenu::Item(std::size_t position) {
    if (position < 1 || position > items_.size()) {
        throw std::out_of_range("menu " + Name() + " has no item " + std::to_string(position));
    }
    return *items_[position - 1];
}

const MenuItem& PopupMenu::Item(std::size_t position) const {
    return const_cast<PopupMenu*>(this)->Item(position);
}

}  // namespace quorell
