#include "LayoutScaling.h"
#include <algorithm>
#include <cmath>

namespace LayoutScaling {

std::int64_t roundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double r = std::nearbyint(value); // the default rounding mode rounds halves to even
    if (r >= 9.0e18) {
        return INT64_MAX;
    }
    if (r <= -9.0e18) {
        return INT64_MIN;
    }
    return static_cast<std::int64_t>(r);
}

double atLeastOne(double x) {
    return x >= 1 ? x : 1;
}

double labelFontRatio(std::int64_t textWidth, std::int64_t labelWidth, double widthRatio, double heightRatio) {
    const bool overflows = textWidth > 0 && labelWidth > 0 &&
                           heightRatio * static_cast<double>(textWidth) > widthRatio * static_cast<double>(labelWidth);
    return overflows ? std::min(widthRatio, heightRatio) : heightRatio;
}

StretchedEntry stretch(const LayoutEntry& e, const LayoutTable& table, double windowWidth, double windowHeight) {
    StretchedEntry out;
    if (!table.recorded()) {
        return out;
    }
    const double wr = windowWidth / static_cast<double>(table.OrigWidth);
    const double hr = windowHeight / static_cast<double>(table.OrigHeight);
    if (e.Left != 0) {
        out.Left = static_cast<float>(wr * static_cast<double>(e.Left));
    }
    if (e.Top != 0) {
        out.Top = static_cast<float>(hr * static_cast<double>(e.Top));
    }
    if (e.Width != 0) {
        out.Width = atLeastOne(wr * static_cast<double>(e.Width));
    }
    if (e.Height != 0) {
        out.Height = atLeastOne(hr * static_cast<double>(e.Height));
    }
    if (e.FontSize != 0) {
        out.FontSize = atLeastOne(labelFontRatio(e.TextWidth, e.Width, wr, hr) * static_cast<double>(e.FontSize));
    }
    if (e.BorderWidth != 0) {
        out.BorderWidth = atLeastOne(hr * static_cast<double>(e.BorderWidth));
    }
    if (e.Size != 0) {
        out.Size = atLeastOne(hr * static_cast<double>(e.Size));
    }
    return out;
}

double RSize(int value, double windowWidth, double windowHeight) {
    const auto a = static_cast<float>(windowWidth / 4);
    const auto b = static_cast<float>(windowHeight / 3);
    if (b < a) {
        return value / 7200.0 * windowHeight;
    }
    return value / 9600.0 * windowWidth;
}

} // namespace LayoutScaling
