#pragma once
// The main window is laid out in pixels of a 144-dpi screen; Qt's logical pixel is
// 1/96 inch and the device pixel ratio does the rest. Edges are scaled rather than
// widths, so that controls that touch at design time still touch after scaling.
#include <QRect>
#include <cmath>

namespace design {

constexpr int Scaled(int designPixels)
{
    // Half-way values round away from zero, as a MulDiv would.
    const long long n = static_cast<long long>(designPixels) * 96;
    return static_cast<int>(n >= 0 ? (n + 72) / 144 : -((-n + 72) / 144));
}

inline QRect ScaledRect(int left, int top, int width, int height)
{
    const int l = Scaled(left);
    const int t = Scaled(top);
    return QRect(l, t, Scaled(left + width) - l, Scaled(top + height) - t);
}

}  // namespace design
