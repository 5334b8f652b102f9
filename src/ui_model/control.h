#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui_model/geometry.h"
#include "ui_model/window_design.h"

namespace quorell {

class Window;

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

private:
    Window& owner_;
    std::string name_;
    ControlKind kind_;
    std::string container_;
    std::optional<int> page_;
    Rect rect_;
};

}  // namespace quorell
