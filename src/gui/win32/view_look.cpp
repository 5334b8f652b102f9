#include "gui/win32/view_look.h"

#include <cwchar>

#include "gui/win32/win32_convert.h"
#include "ui_model/chart_layout.h"
#include "ui_model/colour.h"

namespace quorell::gui {

namespace {

// Design size of the texts (character height in pixels at 96 dpi): at 11 pixels the longest texts of
// the layouts fit their labels, the 240-pixel legend lines and "100%" in a 32-pixel value label.
constexpr int kTextPixels = 11;

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FamilyInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    const ScreenDc screen(::GetDC(nullptr));
    ::EnumFontFamiliesExW(screen.Get(), &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The system's Chinese UI font, looked up once per run.
const LOGFONTW& ChineseUiFont() {
    static const LOGFONTW font = [] {
        LOGFONTW chosen{};
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof chosen, &chosen);
        for (const wchar_t* face : {L"Microsoft YaHei", L"SimSun", L"\u5b8b\u4f53"}) {
            if (FamilyInstalled(face)) {
                std::wcsncpy(chosen.lfFaceName, face, LF_FACESIZE - 1);
                chosen.lfCharSet = GB2312_CHARSET;
                break;
            }
        }
        chosen.lfWidth = 0;
        chosen.lfWeight = FW_NORMAL;
        chosen.lfQuality = CLEARTYPE_QUALITY;
        return chosen;
    }();
    return font;
}

HFONT MakeFont(LOGFONTW font, int height, int weight = FW_NORMAL, int width = 0) {
    font.lfHeight = -height;
    font.lfWidth = width;
    font.lfWeight = weight;
    return ::CreateFontIndirectW(&font);
}

COLORREF FaceColour() {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    // A face of the key colour would turn see-through with the graphs.
    return face == ToColorRef(colours::kGraphBackground) ? ToColorRef(colours::kWindowFace) : face;
}

}  // namespace

UINT DpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = getDpi != nullptr && window != nullptr ? getDpi(window) : 0;
    return dpi != 0 ? dpi : 96;
}

ViewLook::ViewLook(UINT dpi) : dpi_(dpi), base_(ChineseUiFont()), face_(FaceColour()) {
    faceBrush_.Reset(::CreateSolidBrush(face_));
    MakeFonts();
}

void ViewLook::SetDpi(UINT dpi) {
    if (dpi == dpi_) {
        return;
    }
    dpi_ = dpi;
    MakeFonts();
}

void ViewLook::MakeFonts() {
    narrow_.clear();
    font_.Reset(MakeFont(base_, Scale(kTextPixels)));
    titleFont_.Reset(MakeFont(base_, Scale(kChartTitlePixels), FW_BOLD));
    axisFont_.Reset(MakeFont(base_, Scale(kChartAxisPixels)));
}

HFONT ViewLook::NarrowFont(int percent) {
    if (percent >= 100) {
        return Font();
    }
    auto found = narrow_.find(percent);
    if (found == narrow_.end()) {
        // The font's average character width scaled: GDI stretches every glyph by the same factor.
        TEXTMETRICW metrics{};
        {
            const ScreenDc screen(::GetDC(nullptr));
            const Selected font(screen.Get(), Font());
            ::GetTextMetricsW(screen.Get(), &metrics);
        }
        const int width = std::max(1, static_cast<int>(metrics.tmAveCharWidth) * percent / 100);
        found = narrow_.emplace(percent, GdiObject<HFONT>(MakeFont(base_, Scale(kTextPixels), FW_NORMAL, width))).first;
    }
    return found->second.Get();
}

RECT ViewLook::Scale(const Rect& rect) const {
    return {Scale(rect.left), Scale(rect.top), Scale(rect.left + rect.width), Scale(rect.top + rect.height)};
}

RECT ViewLook::Scale(const Rect& rect, Point origin) const {
    return Scale(Rect{rect.left - origin.x, rect.top - origin.y, rect.width, rect.height});
}

}  // namespace quorell::gui
