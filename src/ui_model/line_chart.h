#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace quorell {

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

    // Counts the changes of a value or of the maximum (selecting a point changes nothing visible).
    std::uint64_t Revision() const { return revision_; }
    void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    void Changed();

    std::array<double, kPointCount> values_{};
    int current_ = 0;
    int maximum_ = kInitialMaximum;
    std::uint64_t revision_ = 0;
    std::function<void()> listener_;
};

}  // namespace quorell
