#pragma once

#include <memory>
#include <vector>

#include "gui/win32/child_view.h"
#include "gui/win32/static_layer.h"
#include "gui/win32/view_context.h"
#include "ui_model/controls.h"

namespace quorell::gui {

// The tab control. Its pages' controls lie on it: the static ones drawn by it, the others as its child
// windows, shown only while their page is current. Selecting a tab selects the model's page; the tab always
// shows the model's page.
class TabView final : public ChildView {
public:
    TabView(const Window& window, TabControl& model, ViewLook& look, ChildPlace place, ViewContext& context);
    ~TabView() override;

    // Where the page controls go.
    ChildPlace PagePlace() const;
    // Takes the static page controls (after every control is made).
    void SetStatics(std::vector<Control*> controls);
    // A page control's child window.
    void AddToPage(const Control& control, HWND child);
    // Forwards what the page controls send to the window that handles them.
    void SetMessageTarget(HWND target) { target_ = target; }

    void Relayout() override;
    std::optional<LRESULT> Notify(const NMHDR& header) override;

private:
    static LRESULT CALLBACK Surface(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR data);
    void ShowPage(int page);
    void Paint(HDC dc, const RECT& area);
    void SizeTabs();

    TabControl& model_;
    ViewContext& context_;
    HWND target_ = nullptr;
    std::unique_ptr<StaticLayer> statics_;
    std::vector<std::pair<const Control*, HWND>> pageChildren_;
    Subscription subscription_;
};

}  // namespace quorell::gui
