#pragma once

namespace quorell {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle by its top-left corner and size, in pixels.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;

    long long Right() const { return static_cast<long long>(left) + width; }
    long long Bottom() const { return static_cast<long long>(top) + height; }
    // True when the two rectangles share at least one pixel.
    bool Intersects(const Rect& other) const {
        return left < other.Right() && other.left < Right() && top < other.Bottom() && other.top < Bottom();
    }
};

}  // namespace quorell
