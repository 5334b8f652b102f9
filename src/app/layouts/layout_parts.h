#pragma once

#include <optional>
#include <string>

#include "app/model/layout_spec.h"

// Small builders that keep the window designs readable as tables.
namespace quorell::layout {

inline ControlSpec LabelAt(std::string name, std::string container, Rect rect, std::string text,
                           Rgb colour = colours::kBlack, TextAlign align = TextAlign::Left,
                           std::optional<Rgb> background = std::nullopt) {
    ControlSpec spec;
    spec.kind = ControlKind::Label;
    spec.name = std::move(name);
    spec.container = std::move(container);
    spec.rect = rect;
    spec.text = std::move(text);
    spec.textColour = colour;
    spec.align = align;
    spec.background = background;
    return spec;
}

inline ControlSpec Captioned(ControlKind kind, std::string name, std::string container, Rect rect, std::string text) {
    ControlSpec spec;
    spec.kind = kind;
    spec.name = std::move(name);
    spec.container = std::move(container);
    spec.rect = rect;
    spec.text = std::move(text);
    return spec;
}

inline ControlSpec ShapeBoxAt(std::string name, Rect rect, std::optional<Rgb> fill) {
    ControlSpec spec;
    spec.kind = ControlKind::ShapeBox;
    spec.name = std::move(name);
    spec.rect = rect;
    spec.outline = colours::kFrameGrey;
    spec.fill = fill;
    return spec;
}

inline ControlSpec TimerOf(std::string name, int intervalMs, std::string container = {},
                           std::optional<int> page = std::nullopt) {
    ControlSpec spec;
    spec.kind = ControlKind::Timer;
    spec.name = std::move(name);
    spec.container = std::move(container);
    spec.page = page;
    spec.intervalMs = intervalMs;
    return spec;
}

inline ControlSpec OnPage(ControlSpec spec, std::string tab, int page) {
    spec.container = std::move(tab);
    spec.page = page;
    return spec;
}

}  // namespace quorell::layout
