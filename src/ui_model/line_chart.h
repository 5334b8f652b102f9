#pragma once

#include <array>
#include <functional>
#include <variant>

#include "ui_model/signal.h"

namespace quorell {

// What changed in a chart: the new value of one point, or the new vertical maximum.
struct ChartValueChange {
    int point;
    double value;
};
struct ChartMaximumChange {
    int maximum;
};
using ChartChange = std::variant<ChartValueChange, ChartMaximumChange>;

// The data of a trend line chart: one series of 24 points (point k is the hour from k to k+1 o'clock)
// and a vertical maximum. Writers select a point and then set or read its value; every input is
// clamped, so a chart never holds a negative, huge or undefined value.
class LineChartModel {
public:
    static constexpr int kPointCount = 24;
    static constexpr double kValueLimit = 10'000'000.0;
    static constexpr int kMaximumLimit = 10'000'000;
    static constexpr int kInitialMaximum = 100;

    // A point outside 0..23 selects point 0.
    void SetCurrentPoint(int point);
    int CurrentPoint() const { return current_; }

    // A value not greater than 0 (NaN included) is stored as 0, one above 10,000,000 as 10,000,000.
    void SetCurrentValue(double value);
    double CurrentValue() const { return values_[static_cast<std::size_t>(current_)]; }

    // The value of any point for a view; 0 outside 0..23.
    double Value(int point) const;
    const std::array<double, kPointCount>& Values() const { return values_; }

    // Clamped into 0..10,000,000.
    void SetVerticalMaximum(int maximum);
    int VerticalMaximum() const { return maximum_; }

    // Observers hear of every change of a value or of the maximum (selecting a point changes nothing visible).
    Subscription Subscribe(std::function<void(const ChartChange&)> observer) {
        return changed_.Subscribe(std::move(observer));
    }

private:
    std::array<double, kPointCount> values_{};
    int current_ = 0;
    int maximum_ = kInitialMaximum;
    Signal<const ChartChange&> changed_;
};

}  // namespace quorell
