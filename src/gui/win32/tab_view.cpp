#include "gui/win32/tab_view.h"

#include <commctrl.h>

#include "gui/win32/gdi_handles.h"
#include "gui/win32/win32_text.h"
#include "ui_model/control_places.h"

namespace quorell::gui {

namespace {
// Tabs no taller than the row the designs leave above the pages' controls.
constexpr int kTabHeight = 20;
}  // namespace

TabView::TabView(const Window& window, TabControl& model, ViewLook& look, ChildPlace place, ViewContext& context)
    : ChildView(window, model, look, place), model_(model), context_(context) {
    Make(WC_TABCONTROLW, L"", WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    int index = 0;
    for (const std::string& caption : model.PageCaptions()) {
        std::wstring text = Wide(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        ::SendMessageW(Hwnd(), TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
    }
    SizeTabs();
    ::SendMessageW(Hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(model.CurrentPage() - 1), 0);
    ::SetWindowSubclass(Hwnd(), Surface, 1, reinterpret_cast<DWORD_PTR>(this));
    subscription_ = model_.Subscribe([this](const PageChange& change) { ShowPage(change.page); });
}

TabView::~TabView() {
    if (::IsWindow(Hwnd())) {
        ::RemoveWindowSubclass(Hwnd(), Surface, 1);
    }
}

void TabView::SizeTabs() {
    ::SendMessageW(Hwnd(), TCM_SETITEMSIZE, 0, MAKELPARAM(0, Look().Scale(kTabHeight)));
}

ChildPlace TabView::PagePlace() const {
    const Rect place = PlaceInClient(ModelWindow(), model_);
    return {Hwnd(), {place.left, place.top}};
}

void TabView::SetStatics(std::vector<Control*> controls) {
    statics_ = std::make_unique<StaticLayer>(ModelWindow(), Hwnd(), PagePlace().origin, Look(), std::move(controls));
}

void TabView::AddToPage(const Control& control, HWND child) {
    pageChildren_.emplace_back(&control, child);
    ::ShowWindow(child, OnCurrentPage(ModelWindow(), control) ? SW_SHOWNA : SW_HIDE);
}

void TabView::Relayout() {
    ChildView::Relayout();
    SizeTabs();
}

std::optional<LRESULT> TabView::Notify(const NMHDR& header) {
    if (header.code != TCN_SELCHANGE) {
        return std::nullopt;
    }
    const int chosen = static_cast<int>(::SendMessageW(Hwnd(), TCM_GETCURSEL, 0, 0)) + 1;
    if (chosen != model_.CurrentPage()) {
        context_.Run([&] { model_.SelectPage(chosen); });
    }
    // The model may keep its page; the tab shows the model's choice either way.
    ShowPage(model_.CurrentPage());
    return 0;
}

void TabView::ShowPage(int page) {
    if (static_cast<int>(::SendMessageW(Hwnd(), TCM_GETCURSEL, 0, 0)) != page - 1) {
        ::SendMessageW(Hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(page - 1), 0);
    }
    // The old page goes first, so that two pages never show at once.
    for (const auto& [control, child] : pageChildren_) {
        if (!OnCurrentPage(ModelWindow(), *control)) {
            ::ShowWindow(child, SW_HIDE);
        }
    }
    for (const auto& [control, child] : pageChildren_) {
        if (OnCurrentPage(ModelWindow(), *control)) {
            ::ShowWindow(child, SW_SHOWNA);
        }
    }
    ::InvalidateRect(Hwnd(), nullptr, FALSE);
}

void TabView::Paint(HDC dc, const RECT& area) {
    RECT client;
    ::GetClientRect(Hwnd(), &client);
    ::FillRect(dc, &client, Look().FaceBrush());
    // The control draws its tabs and frame into the same off-screen picture, then the page's labels follow.
    ::DefSubclassProc(Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    if (statics_) {
        statics_->Paint(dc, area);
    }
}

LRESULT CALLBACK TabView::Surface(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* view = reinterpret_cast<TabView*>(data);
    const auto painted =
        AnswerPaint(window, message, wParam, [view](HDC dc, const RECT& area) { view->Paint(dc, area); });
    if (painted) {
        return *painted;
    }
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CONTEXTMENU:
            if (view->target_ != nullptr) {
                return ::SendMessageW(view->target_, message, wParam, lParam);
            }
            break;
        default:
            break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace quorell::gui
