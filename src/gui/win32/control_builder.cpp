#include "gui/win32/control_builder.h"

#include <map>

#include "gui/win32/draw_panel_view.h"
#include "gui/win32/input_views.h"
#include "gui/win32/line_chart_view.h"
#include "gui/win32/tab_view.h"
#include "ui_model/control_places.h"

namespace quorell::gui {

BuiltControls BuildChildViews(Window& window, HWND surface, ViewLook& look, ViewContext& context) {
    BuiltControls built;
    std::map<const TabControl*, TabView*> tabs;
    std::map<TabView*, std::vector<Control*>> pageStatics;
    for (const auto& owned : window.Controls()) {
        Control& control = *owned;
        TabView* tab = nullptr;
        if (const TabControl* holder = PageHolder(window, control)) {
            const auto found = tabs.find(holder);
            if (found == tabs.end()) {
                continue;  // the designs list every tab control before its pages' controls
            }
            tab = found->second;
        }
        const ChildPlace place = tab != nullptr ? tab->PagePlace() : ChildPlace{surface, {0, 0}};
        if (IsStatic(control.Kind())) {
            (tab != nullptr ? pageStatics[tab] : built.surfaceStatics).push_back(&control);
            continue;
        }
        std::unique_ptr<ChildView> child;
        switch (control.Kind()) {
            case ControlKind::Button:
                child = std::make_unique<ButtonView>(window, static_cast<Button&>(control), look, place, context);
                break;
            case ControlKind::CheckBox:
                child = std::make_unique<CheckBoxView>(window, static_cast<CheckBox&>(control), look, place, context);
                break;
            case ControlKind::EditBox:
                child = std::make_unique<EditBoxView>(window, static_cast<EditBox&>(control), look, place, context);
                break;
            case ControlKind::TabControl: {
                auto view = std::make_unique<TabView>(window, static_cast<TabControl&>(control), look, place, context);
                view->SetMessageTarget(surface);
                tabs.emplace(static_cast<const TabControl*>(&control), view.get());
                child = std::move(view);
                break;
            }
            case ControlKind::DrawPanel: {
                auto view = std::make_unique<DrawPanelView>(window, static_cast<DrawPanel&>(control), look, place);
                built.panel = view.get();
                child = std::move(view);
                break;
            }
            case ControlKind::LineChart:
                child = std::make_unique<LineChartView>(window, static_cast<LineChart&>(control), look, place);
                break;
            case ControlKind::Timer:
                built.timers.push_back(&static_cast<Timer&>(control));
                break;
            default:
                break;
        }
        if (child == nullptr) {
            continue;
        }
        if (tab != nullptr && child->Hwnd() != nullptr) {
            tab->AddToPage(control, child->Hwnd());
        }
        built.children.push_back(std::move(child));
    }
    for (auto& [tab, controls] : pageStatics) {
        tab->SetStatics(std::move(controls));
    }
    return built;
}

}  // namespace quorell::gui
