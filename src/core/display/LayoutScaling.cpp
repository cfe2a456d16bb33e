#include "LayoutScaling.h"
#include <algorithm>
#include <cmath>

namespace layout_scaling {

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
    const double wr = windowWidth / static_cast<double>(table.origWidth);
    const double hr = windowHeight / static_cast<double>(table.origHeight);
    if (e.left != 0) {
        out.left = static_cast<float>(wr * static_cast<double>(e.left));
    }
    if (e.top != 0) {
        out.top = static_cast<float>(hr * static_cast<double>(e.top));
    }
    if (e.width != 0) {
        out.width = atLeastOne(wr * static_cast<double>(e.width));
    }
    if (e.height != 0) {
        out.height = atLeastOne(hr * static_cast<double>(e.height));
    }
    if (e.fontSize != 0) {
        out.fontSize = atLeastOne(labelFontRatio(e.textWidth, e.width, wr, hr) * static_cast<double>(e.fontSize));
    }
    if (e.borderWidth != 0) {
        out.borderWidth = atLeastOne(hr * static_cast<double>(e.borderWidth));
    }
    if (e.size != 0) {
        out.size = atLeastOne(hr * static_cast<double>(e.size));
    }
    return out;
}

double rSize(int value, double windowWidth, double windowHeight) {
    const auto a = static_cast<float>(windowWidth / 4);
    const auto b = static_cast<float>(windowHeight / 3);
    if (b < a) {
        return value / 7200.0 * windowHeight;
    }
    return value / 9600.0 * windowWidth;
}

} // namespace layout_scaling
