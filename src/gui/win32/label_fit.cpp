#include "gui/win32/label_fit.h"

#include <algorithm>

namespace quorell::gui {

namespace {
constexpr int kNarrowest = 50;
}  // namespace

int NarrowingPercent(int needed, int available) {
    if (needed <= available || needed <= 0) {
        return 100;
    }
    const long long percent = 100LL * std::max(available, 0) / needed;
    return static_cast<int>(std::max<long long>(kNarrowest, percent));
}

int TextLeft(TextAlign align, int shown, int available) {
    return align == TextAlign::Right ? available - shown : 0;
}

}  // namespace quorell::gui
