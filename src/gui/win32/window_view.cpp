#include "gui/win32/window_view.h"

#include "gui/win32/control_builder.h"
#include "gui/win32/win32_convert.h"
#include "gui/win32/win32_text.h"
#include "gui/win32/window_tip.h"
#include "ui_model/control_places.h"
#include "ui_model/window_frame.h"

namespace quorell::gui {

namespace {

constexpr wchar_t kClassName[] = L"QuorellWindow";

DWORD StyleOf(const WindowFlags& flags) {
    if (flags.border == BorderStyle::None) {
        return WS_POPUP | WS_CLIPCHILDREN;
    }
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (flags.minimiseBox) {
        style |= WS_MINIMIZEBOX;
    }
    if (flags.maximiseBox) {
        style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD ExStyleOf(const WindowFlags& flags) {
    DWORD style = flags.inTaskBar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    if (flags.alwaysOnTop) {
        style |= WS_EX_TOPMOST;
    }
    return style;
}

// The frame the system draws at the window's DPI (Windows 10, 1607 on); the system DPI's frame before.
void AdjustForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<AdjustFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (adjust == nullptr || !adjust(&rect, style, FALSE, exStyle, dpi)) {
        ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
}

// The modifier keys held with a mouse event: 1 Shift, 2 Ctrl, 4 Alt.
int HeldModifiers() {
    int held = 0;
    if (::GetKeyState(VK_SHIFT) < 0) {
        held |= 1;
    }
    if (::GetKeyState(VK_CONTROL) < 0) {
        held |= 2;
    }
    if (::GetKeyState(VK_MENU) < 0) {
        held |= 4;
    }
    return held;
}

}  // namespace

WindowView::WindowView(Window& model, ViewContext& context)
    : model_(model),
      context_(context),
      look_(std::make_unique<ViewLook>(96)),
      style_(StyleOf(model.Flags())),
      exStyle_(ExStyleOf(model.Flags())) {
    RegisterClassFor(context.Instance(), kClassName);
    ++applying_;
    // Made hidden at the model's place; the size follows once the window's DPI is known.
    const RECT place{model.Left(), model.Top(), model.Left(), model.Top()};
    if (Create(exStyle_, kClassName, Wide(model.Title()).c_str(), style_, place, nullptr, context.Instance()) ==
        nullptr) {
        --applying_;
        return;
    }
    look_->SetDpi(DpiOf(Handle()));
    const SIZE size = OuterSize();
    ::SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    --applying_;
    if (model.Flags().icon == WindowIcon::Application) {
        ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(context.SmallIcon()));
        ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(context.LargeIcon()));
    }
    BuildControls();
    ApplyToolTip(model.ToolTip());
    subscription_ = model_.Subscribe([this](const WindowChange& change) { Apply(change); });
    ApplyState();
}

WindowView::~WindowView() {
    subscription_.Reset();
    tip_.reset();  // before the window that owns it
    if (Handle() != nullptr) {
        for (const auto& [id, timer] : timers_) {
            ::KillTimer(Handle(), id);
        }
    }
    // Before the child views and the look that its messages use end.
    Destroy();
}

void WindowView::BuildControls() {
    BuiltControls built = BuildChildViews(model_, Handle(), *look_, context_);
    children_ = std::move(built.children);
    panel_ = built.panel;
    for (Timer* timer : built.timers) {
        timers_.emplace_back(timers_.size() + 1, timer);
    }
    statics_ = std::make_unique<StaticLayer>(model_, Handle(), Point{0, 0}, *look_, std::move(built.surfaceStatics));
}

HWND WindowView::ChildOf(std::string_view name) const {
    for (const auto& child : children_) {
        if (child->Model().Name() == name) {
            return child->Hwnd();
        }
    }
    return nullptr;
}

ChildView* WindowView::ChildByHandle(HWND child) const {
    if (child == nullptr) {
        return nullptr;
    }
    for (const auto& view : children_) {
        if (view->Hwnd() == child) {
            return view.get();
        }
    }
    return nullptr;
}

void WindowView::Apply(const WindowChange& change) {
    std::visit(Overloaded{[this](const PositionChange&) { ApplyPosition(); },
                          [this](const VisibilityChange&) { ApplyVisibility(); },
                          [this](const TitleChange& title) { ::SetWindowTextW(Handle(), Wide(title.title).c_str()); },
                          [this](const ToolTipChange& tip) { ApplyToolTip(tip.text); },
                          [this](const StepAsideChange&) { ApplyVisibility(); },
                          [this](const StateChange&) { ApplyState(); },
                          [this](const ToFrontChange&) {
                              ::BringWindowToTop(Handle());
                              ::SetForegroundWindow(Handle());
                          }},
               change);
}

SIZE WindowView::OuterSize() const {
    const Size client = ClientSize(model_.OuterSize(), model_.Flags().border);
    RECT rect{0, 0, look_->Scale(client.width), look_->Scale(client.height)};
    if (model_.Flags().border != BorderStyle::None) {
        AdjustForDpi(rect, style_, exStyle_, look_->Dpi());
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void WindowView::ApplyPosition() {
    RECT now;
    if (Handle() == nullptr || !::GetWindowRect(Handle(), &now) ||
        (now.left == model_.Left() && now.top == model_.Top())) {
        return;
    }
    ++applying_;
    ::SetWindowPos(Handle(), nullptr, model_.Left(), model_.Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    --applying_;
}

void WindowView::ApplyVisibility() {
    if (Handle() == nullptr) {
        return;
    }
    const bool visible = model_.OnScreen() && model_.State() != WindowState::Destroyed;
    if (visible == (::IsWindowVisible(Handle()) != FALSE)) {
        return;
    }
    ++applying_;
    if (visible) {
        ApplyPosition();
        // The monitor windows float over the user's work without taking the keyboard from it.
        ::ShowWindow(Handle(), model_.Flags().border == BorderStyle::None ? SW_SHOWNA : SW_SHOW);
    } else {
        ::ShowWindow(Handle(), SW_HIDE);
    }
    --applying_;
}

void WindowView::ApplyState() {
    if (Handle() == nullptr) {
        return;
    }
    const WindowState state = model_.State();
    if (state == WindowState::Created && !timersRunning_) {
        // Timers tick from the window's creation on, shown or hidden.
        for (const auto& [id, timer] : timers_) {
            ::SetTimer(Handle(), id, static_cast<UINT>(timer->IntervalMs()), nullptr);
        }
        timersRunning_ = true;
    } else if (state == WindowState::Destroyed && timersRunning_) {
        for (const auto& [id, timer] : timers_) {
            ::KillTimer(Handle(), id);
        }
        timersRunning_ = false;
    }
    ApplyVisibility();
}

void WindowView::ApplyToolTip(std::string_view text) {
    if (!tip_) {
        tip_ = std::make_unique<WindowTip>(Handle());
    }
    std::vector<HWND> children;
    for (const auto& child : children_) {
        children.push_back(child->Hwnd());
    }
    tip_->Show(text, children, look_->Font());
}

Point WindowView::DesignPoint(LPARAM screenPoint) const {
    POINT point = PointOf(screenPoint);
    ::ScreenToClient(Handle(), &point);
    const int dpi = static_cast<int>(look_->Dpi());
    return {::MulDiv(point.x, 96, dpi), ::MulDiv(point.y, 96, dpi)};
}

LRESULT WindowView::NonClientHit(LPARAM screenPoint) {
    const LRESULT hit = ::DefWindowProcW(Handle(), WM_NCHITTEST, 0, screenPoint);
    if (hit != HTCLIENT || !model_.Flags().dragAnywhere) {
        return hit;
    }
    // The surface and its static controls are a title bar: the system moves the window, and every step
    // comes back as a move (WM_WINDOWPOSCHANGED).
    return HitTest(model_, DesignPoint(screenPoint)).area == HitArea::Caption ? HTCAPTION : HTCLIENT;
}

bool WindowView::InClientArea(LPARAM screenPoint) const {
    POINT at = PointOf(screenPoint);
    if (at.x == -1 && at.y == -1) {
        return true;
    }
    RECT client{};
    ::GetClientRect(Handle(), &client);
    return ::ScreenToClient(Handle(), &at) && ::PtInRect(&client, at);
}

bool WindowView::DoubleClickCloseMark(LPARAM screenPoint) {
    const Point at = DesignPoint(screenPoint);
    const Hit hit = HitTest(model_, at);
    if (hit.control == nullptr || hit.control->Kind() != ControlKind::PictureBox) {
        return false;
    }
    auto& picture = const_cast<PictureBox&>(static_cast<const PictureBox&>(*hit.control));
    const Rect place = PlaceInClient(model_, picture);
    const int modifiers = HeldModifiers();
    context_.Run([&] { picture.DoubleClick(at.x - place.left, at.y - place.top, modifiers); });
    return true;
}

void WindowView::OnUserMove() {
    RECT now;
    if (applying_ > 0 || ::IsIconic(Handle()) || !::GetWindowRect(Handle(), &now)) {
        return;
    }
    if (now.left != model_.Left() || now.top != model_.Top()) {
        context_.Run([&] { model_.MoveByUser(now.left, now.top); });
    }
}

void WindowView::OnDpiChanged(UINT dpi, const RECT& suggested) {
    look_->SetDpi(dpi);
    const SIZE size = OuterSize();
    // The system's place for the window on the new monitor is taken like a move by the user.
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& child : children_) {
        child->Relayout();
    }
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

bool WindowView::PreTranslate(const MSG& message) {
    if (Handle() == nullptr || (message.hwnd != Handle() && !::IsChild(Handle(), message.hwnd))) {
        return false;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && HeldModifiers() == 0) {
        context_.Run([this] { model_.PressEscape(); });
        return true;
    }
    // Tab and the arrow keys move between the controls of the bordered windows.
    if (model_.Flags().border != BorderStyle::None && !children_.empty()) {
        return ::IsDialogMessageW(Handle(), const_cast<MSG*>(&message)) != FALSE;
    }
    return false;
}

LRESULT WindowView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool drag = model_.Flags().dragAnywhere;
    const auto painted = AnswerPaint(Handle(), message, wParam, [this](HDC dc, const RECT& area) {
        ::FillRect(dc, &area, look_->FaceBrush());
        if (statics_) {
            statics_->Paint(dc, area);
        }
    });
    if (painted) {
        return *painted;
    }
    switch (message) {
        case WM_CLOSE:
            // The model decides; a window it closes is only hidden.
            context_.Run([this] { model_.RequestClose(); });
            return 0;
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = ::DefWindowProcW(Handle(), message, wParam, lParam);
            if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOMOVE) == 0) {
                OnUserMove();
            }
            return result;
        }
        case WM_TIMER:
            for (const auto& [id, timer] : timers_) {
                if (id == wParam) {
                    Timer* ticking = timer;
                    context_.RunTick([ticking] { ticking->Tick(); });
                    return 0;
                }
            }
            break;
        case WM_NCHITTEST:
            return NonClientHit(lParam);
        case WM_NCLBUTTONDBLCLK:
            if (drag && wParam == HTCAPTION) {
                // Only the close mark answers a double-click; the surface never maximises.
                DoubleClickCloseMark(lParam);
                return 0;
            }
            break;
        case WM_NCRBUTTONDOWN:
            if (drag && wParam == HTCAPTION) {
                return 0;  // no system menu: the right click is the window's own
            }
            break;
        case WM_NCRBUTTONUP:
            if (drag && wParam == HTCAPTION) {
                context_.Run([this] { model_.RightClick(); });
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            // Anywhere on a drag-anywhere window; on a framed one, its client area (a control without a
            // menu of its own passes the click up) or the menu key, the title bar keeping its system menu.
            if (drag || InClientArea(lParam)) {
                context_.Run([this] { model_.RightClick(); });
                return 0;
            }
            break;
        case WM_COMMAND:
            if (ChildView* child = ChildByHandle(reinterpret_cast<HWND>(lParam))) {
                child->Command(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (ChildView* child = ChildByHandle(header.hwndFrom)) {
                if (const auto result = child->Notify(header)) {
                    return *result;
                }
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (ChildView* child = ChildByHandle(reinterpret_cast<HWND>(lParam))) {
                if (const auto brush = child->Colours(reinterpret_cast<HDC>(wParam))) {
                    return reinterpret_cast<LRESULT>(*brush);
                }
            }
            if (message != WM_CTLCOLOREDIT) {
                ::SetBkColor(reinterpret_cast<HDC>(wParam), look_->Face());
                return reinterpret_cast<LRESULT>(look_->FaceBrush());
            }
            break;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_NCMOUSEMOVE:
            if (tip_) {
                tip_->RelayNonClientMove(lParam);
            }
            break;
        default:
            break;
    }
    return ::DefWindowProcW(Handle(), message, wParam, lParam);
}

}  // namespace quorell::gui
