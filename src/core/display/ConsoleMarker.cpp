#include "core/display/ConsoleMarker.h"
#include <algorithm>
#include <array>
#include <cstdlib>

namespace screens {

namespace {

// Distance between two colours: the sum of the channels' differences (0..765).
int distance(OleColor a, OleColor b) {
    int sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        sum += std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF));
    }
    return sum;
}

} // namespace

OleColor consoleMarkerColour(OleColor formBack, OleColor ledBack) {
    // 0x00BBGGRR: yellow, white, cyan, magenta, orange, black; the first of equals wins.
    constexpr std::array<OleColor, 6> kCandidates{0x00FFFF, 0xFFFFFF, 0xFFFF00, 0xFF00FF, 0x0080FF, 0x000000};
    OleColor best = kCandidates.front();
    int bestDistance = -1;
    for (OleColor c : kCandidates) {
        const int d = std::min(distance(c, formBack), distance(c, ledBack));
        if (d > bestDistance) {
            best = c;
            bestDistance = d;
        }
    }
    return best;
}

int consoleMarkerGap(int ledSelectedWidth) {
    return std::clamp(ledSelectedWidth, 0, 50);
}

} // namespace screens
