#pragma once

#include <optional>
#include <string>

#include "ui_model/window_design.h"

// Small builders that keep the window designs readable as tables.
namespace quorell::layout {

inline ControlDesign LabelAt(std::string name, std::string container, Rect rect, std::string text,
                             Rgb colour = colours::kBlack, TextAlign align = TextAlign::Left,
                             std::optional<Rgb> background = std::nullopt) {
    ControlDesign design;
    design.kind = ControlKind::Label;
    design.name = std::move(name);
    design.container = std::move(container);
    design.rect = rect;
    design.text = std::move(text);
    design.textColour = colour;
    design.align = align;
    design.background = background;
    return design;
}

inline ControlDesign Captioned(ControlKind kind, std::string name, std::string container, Rect rect, std::string text) {
    ControlDesign design;
    design.kind = kind;
    design.name = std::move(name);
    design.container = std::move(container);
    design.rect = rect;
    design.text = std::move(text);
    return design;
}

inline ControlDesign ShapeBoxAt(std::string name, Rect rect, std::optional<Rgb> fill) {
    ControlDesign design;
    design.kind = ControlKind::ShapeBox;
    design.name = std::move(name);
    design.rect = rect;
    design.outline = colours::kFrameGrey;
    design.fill = fill;
    return design;
}

inline ControlDesign TimerOf(std::string name, int intervalMs, std::string container = {},
                             std::optional<int> page = std::nullopt) {
    ControlDesign design;
    design.kind = ControlKind::Timer;
    design.name = std::move(name);
    design.container = std::move(container);
    design.page = page;
    design.intervalMs = intervalMs;
    return design;
}

inline ControlDesign OnPage(ControlDesign design, std::string tab, int page) {
    design.container = std::move(tab);
    design.page = page;
    return design;
}

}  // namespace quorell::layout
