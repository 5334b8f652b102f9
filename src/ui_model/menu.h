#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui_model/control.h"
#include "ui_model/signal.h"
#include "ui_model/window_design.h"

namespace quorell {

class PopupMenu;

// A menu item's new caption; the text views the item's own caption and is valid during the notification.
struct MenuCaptionChange {
    std::size_t position;  // 1-based, separators counted
    std::string_view caption;
};

// A checkable menu item's new check mark.
struct MenuCheckChange {
    std::size_t position;  // 1-based, separators counted
    bool checked;
};

class MenuItem {
public:
    MenuItem(PopupMenu& menu, std::size_t position, const MenuItemDesign& design);
    std::size_t Position() const { return position_; }  // 1-based, separators counted
    bool Separator() const { return separator_; }
    const std::string& Caption() const { return caption_; }
    bool Checkable() const { return checkable_; }
    bool Checked() const { return checked_; }
    void SetCaption(std::string caption);
    // Sets the check mark of a checkable item; other items have none.
    void SetChecked(bool checked);
    void BindSelected(std::function<void()> handler) { selected_ = std::move(handler); }
    // The user chose this item; separators cannot be chosen.
    void Select();

private:
    PopupMenu& menu_;
    std::size_t position_;
    bool separator_;
    bool checkable_;
    bool checked_;
    std::string caption_;
    std::function<void()> selected_;
};

// A popup menu of a window. Not a visible control of the window's surface: the window pops it up.
// Observers of the menu hear of every caption and check mark change of its items.
class PopupMenu : public Control {
public:
    PopupMenu(Window& owner, const ControlDesign& design);
    std::size_t ItemCount() const { return items_.size(); }
    MenuItem& Item(std::size_t position);  // 1-based; throws std::out_of_range
    const MenuItem& Item(std::size_t position) const;
    // Replaces every item, for a menu whose items are made when it pops up; the old items' handlers go
    // with them.
    void ReplaceItems(const std::vector<MenuItemDesign>& items);
    Subscription Subscribe(std::function<void(const MenuCaptionChange&)> observer) {
        return changed_.Subscribe(std::move(observer));
    }
    // Whoever pops the menu up raises this first, so that the items can show the truth of the moment.
    void BindAboutToShow(std::function<void()> handler) { aboutToShow_ = std::move(handler); }
    void RaiseAboutToShow() {
        if (aboutToShow_) {
            aboutToShow_();
        }
    }
    Subscription SubscribeChecks(std::function<void(const MenuCheckChange&)> observer) {
        return checkChanged_.Subscribe(std::move(observer));
    }

private:
    friend class MenuItem;
    void CaptionChanged(const MenuItem& item) { changed_.Emit(MenuCaptionChange{item.Position(), item.Caption()}); }
    void CheckChanged(const MenuItem& item) { checkChanged_.Emit(MenuCheckChange{item.Position(), item.Checked()}); }
    std::vector<std::unique_ptr<MenuItem>> items_;
    Signal<const MenuCaptionChange&> changed_;
    Signal<const MenuCheckChange&> checkChanged_;
    std::function<void()> aboutToShow_;
};

}  // namespace quorell
