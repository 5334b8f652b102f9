#include "gui/win32/static_layer.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

#include "gui/win32/win32_convert.h"
#include "gui/win32/win32_text.h"
#include "ui_model/control_places.h"
#include "ui_model/label_fit.h"

namespace quorell::gui {

namespace {

bool Meets(const RECT& a, const RECT& b) {
    RECT common;
    return ::IntersectRect(&common, &a, &b) != FALSE;
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    // ExtTextOut with an opaque background fills without making a brush.
    ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

SIZE Measure(HDC dc, const std::wstring& text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

}  // namespace

StaticLayer::StaticLayer(const Window& window, HWND surface, Point origin, ViewLook& look,
                         std::vector<Control*> controls)
    : window_(window), surface_(surface), origin_(origin), look_(look), controls_(std::move(controls)) {
    for (Control* control : controls_) {
        if (control->Kind() == ControlKind::Label) {
            auto& label = static_cast<Label&>(*control);
            subscriptions_.push_back(label.Subscribe([this, control](const LabelChange&) { Invalidate(*control); }));
        }
    }
}

RECT StaticLayer::PlaceOf(const Control& control) const {
    return look_.Scale(PlaceInClient(window_, control), origin_);
}

void StaticLayer::Invalidate(const Control& control) {
    if (!OnCurrentPage(window_, control)) {
        return;
    }
    const RECT place = PlaceOf(control);
    ::InvalidateRect(surface_, &place, FALSE);
}

void StaticLayer::Paint(HDC dc, const RECT& area) {
    const int saved = ::SaveDC(dc);
    for (const Control* control : controls_) {
        const RECT place = PlaceOf(*control);
        if (!Meets(place, area) || !OnCurrentPage(window_, *control)) {
            continue;
        }
        switch (control->Kind()) {
            case ControlKind::Label:
                PaintLabel(dc, static_cast<const Label&>(*control), place);
                break;
            case ControlKind::ShapeBox:
                PaintShapeBox(dc, static_cast<const ShapeBox&>(*control), place);
                break;
            case ControlKind::GroupBox:
                PaintGroupBox(dc, static_cast<const GroupBox&>(*control), place);
                break;
            case ControlKind::PictureBox:
                if (static_cast<const PictureBox&>(*control).Image() == PictureImage::CloseMark) {
                    PaintCloseMark(dc, place);
                }
                break;
            default:
                break;
        }
    }
    ::RestoreDC(dc, saved);
}

void StaticLayer::PaintLabel(HDC dc, const Label& label, const RECT& box) {
    if (const auto background = label.Background()) {
        Fill(dc, box, ToColorRef(*background));
    }
    const std::wstring text = Wide(OneLine(label.Text()));
    if (text.empty()) {
        return;
    }
    SIZE size{};
    const LabelFit fit = FitLabel(label.Align(), box.right - box.left, [&](int percent) {
        ::SelectObject(dc, look_.NarrowFont(percent));
        size = Measure(dc, text);
        return static_cast<double>(size.cx);
    });
    const int left = box.left + static_cast<int>(fit.left);
    const int top = box.top + (box.bottom - box.top - size.cy) / 2;
    ::SetTextColor(dc, ToColorRef(label.TextColour()));
    ::SetBkMode(dc, TRANSPARENT);
    ::ExtTextOutW(dc, left, top, ETO_CLIPPED, &box, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void StaticLayer::PaintShapeBox(HDC dc, const ShapeBox& box, const RECT& place) {
    if (const auto fill = box.Fill()) {
        Fill(dc, place, ToColorRef(*fill));
    }
    const int line = std::max(1, look_.Scale(1));
    const COLORREF outline = ToColorRef(box.Outline());
    const RECT edges[4] = {{place.left, place.top, place.right, place.top + line},
                           {place.left, place.bottom - line, place.right, place.bottom},
                           {place.left, place.top, place.left + line, place.bottom},
                           {place.right - line, place.top, place.right, place.bottom}};
    for (const RECT& edge : edges) {
        Fill(dc, edge, outline);
    }
}

void StaticLayer::PaintGroupBox(HDC dc, const GroupBox& box, const RECT& place) {
    const std::wstring caption = Wide(box.Caption());
    ::SelectObject(dc, look_.Font());
    const SIZE size = Measure(dc, caption.empty() ? std::wstring(L" ") : caption);
    // The frame runs through the middle of the caption's line, as the system draws a group box.
    RECT frame = place;
    frame.top += size.cy / 2;
    if (const OwnedTheme theme(::OpenThemeData(surface_, L"BUTTON")); theme) {
        ::DrawThemeBackground(theme.Get(), dc, BP_GROUPBOX, GBS_NORMAL, &frame, nullptr);
    } else {
        ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
    if (caption.empty()) {
        return;
    }
    const int inset = look_.Scale(8);
    const int gap = look_.Scale(2);
    RECT text = {place.left + inset, place.top,
                 std::min<LONG>(place.left + inset + size.cx + 2 * gap, place.right - gap), place.top + size.cy};
    Fill(dc, text, look_.Face());
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    ::ExtTextOutW(dc, text.left + gap, text.top, ETO_CLIPPED, &text, caption.c_str(), static_cast<UINT>(caption.size()),
                  nullptr);
}

void StaticLayer::PaintCloseMark(HDC dc, const RECT& place) {
    // A red X, two pixels thick, in the middle of the 16 x 16 mark; the strip behind shows around it.
    const int inset = look_.Scale(4);
    const int thickness = std::max(2, look_.Scale(2));
    GdiObject<HPEN> pen(::CreatePen(PS_SOLID, thickness, ToColorRef(colours::kCloseMark)));
    Selected selected(dc, pen.Get());
    const int left = place.left + inset;
    const int top = place.top + inset;
    const int right = place.right - inset - 1;
    const int bottom = place.bottom - inset - 1;
    ::MoveToEx(dc, left, top, nullptr);
    ::LineTo(dc, right, bottom);
    ::MoveToEx(dc, right, top, nullptr);
    ::LineTo(dc, left, bottom);
}

}  // namespace quorell::gui
