#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui_model/geometry.h"
#include "ui_model/signal.h"
#include "ui_model/window_design.h"

namespace quorell {

class Window;

// What changed on a control; a view re-reads that property.
enum class ControlProperty {
    Text,
    TextColour,
    Background,
    Caption,
    Checked,
    CurrentPage,
    MenuCaption,
    Pixels,
    ChartValues,
};

// The part every control shares: its name (the key handlers and views use), kind, container and place.
class Control {
public:
    Control(Window& owner, const ControlDesign& design);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    ControlKind Kind() const { return kind_; }
    const std::string& Container() const { return container_; }
    std::optional<int> Page() const { return page_; }
    const Rect& Geometry() const { return rect_; }
    Window& Owner() const { return owner_; }

    // Observers of this control alone; the window also reports every control change (Window::SubscribeControls).
    Signal<ControlProperty>::Id Subscribe(Signal<ControlProperty>::Slot slot) {
        return changed_.Connect(std::move(slot));
    }
    void Unsubscribe(Signal<ControlProperty>::Id id) { changed_.Disconnect(id); }

protected:
    void Changed(ControlProperty property);

private:
    Window& owner_;
    std::string name_;
    ControlKind kind_;
    std::string container_;
    std::optional<int> page_;
    Rect rect_;
    Signal<ControlProperty> changed_;
};

}  // namespace quorell
