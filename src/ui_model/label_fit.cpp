#include "ui_model/label_fit.h"

#include <algorithm>
#include <cmath>

namespace quorell {

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

double TextLeft(TextAlign align, double shown, int available) {
    return align == TextAlign::Right ? available - shown : 0.0;
}

LabelFit FitLabel(TextAlign align, int available, const TextWidthAt& widthAt) {
    LabelFit fit;
    fit.width = widthAt(100);
    fit.percent = NarrowingPercent(static_cast<int>(std::ceil(fit.width)), available);
    if (fit.percent < 100) {
        fit.width = widthAt(fit.percent);
    }
    fit.left = TextLeft(align, fit.width, available);
    return fit;
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

}  // namespace quorell
