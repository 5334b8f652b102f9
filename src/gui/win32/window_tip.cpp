#include "gui/win32/window_tip.h"

#include <commctrl.h>

#include <string>

#include "gui/win32/win32_convert.h"
#include "gui/win32/win32_text.h"

namespace quorell::gui {

void WindowTip::Show(std::string_view text, const std::vector<HWND>& children, HFONT font) {
    std::wstring wide = Wide(text);
    if (!tip_) {
        if (wide.empty()) {
            return;
        }
        tip_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr));
        if (!tip_) {
            return;
        }
    }
    ::SendMessageW(tip_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    std::vector<HWND> tools{owner_};
    tools.insert(tools.end(), children.begin(), children.end());
    for (HWND tool : tools) {
        TTTOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = owner_;
        info.uId = reinterpret_cast<UINT_PTR>(tool);
        // Asked without a text buffer: the answer only says whether the tool is there.
        const bool known = ::SendMessageW(tip_.Get(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
        info.lpszText = wide.data();
        ::SendMessageW(tip_.Get(), known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void WindowTip::RelayNonClientMove(LPARAM screenPoint) {
    if (!tip_) {
        return;
    }
    POINT client = PointOf(screenPoint);
    ::ScreenToClient(owner_, &client);
    MSG relayed{owner_, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y), 0, {}};
    ::SendMessageW(tip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace quorell::gui
