#include "core/settings/OptionsRules.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte offsets at which the characters of a UTF-8 text start. A stray continuation byte at the very start
// counts as a character of its own, so broken text still has a length.
std::vector<std::size_t> characterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 0 || !isContinuationByte(text[i]))
            starts.push_back(i);
    }
    return starts;
}

std::int64_t characterCount(const std::string& text) {
    return static_cast<std::int64_t>(characterStarts(text).size());
}

// The first `count` characters of text (all of it when it is shorter).
std::string leadingCharacters(const std::string& text, std::int64_t count) {
    if (count <= 0)
        return {};
    const std::vector<std::size_t> starts = characterStarts(text);
    if (static_cast<std::size_t>(count) >= starts.size())
        return text;
    return text.substr(0, starts[static_cast<std::size_t>(count)]);
}

} // namespace

std::string chopFileName(const std::string& fileName, const std::string& nameOfExistingFile, int length) {
    if (characterCount(fileName) <= length)
        return fileName.empty() ? std::string("[No File Selected]") : fileName;
    const std::int64_t leading = std::int64_t{length} - characterCount(nameOfExistingFile) - 5;
    if (leading < 0)
        return leadingCharacters(nameOfExistingFile, length);
    return leadingCharacters(fileName, leading) + " ...\\" + nameOfExistingFile;
}

std::int16_t clampSelectedWidth(std::int16_t width) {
    return std::clamp(width, kSelectedWidthMin, kSelectedWidthMax);
}

std::int16_t teamSizePoints(FixedPoint4 teamSize) {
    std::int64_t whole = teamSize / kFixedPoint4Scale;
    std::int64_t rest = teamSize % kFixedPoint4Scale;
    if (rest < 0) {
        rest += kFixedPoint4Scale;
        --whole;
    }
    if (rest * 2 > kFixedPoint4Scale || (rest * 2 == kFixedPoint4Scale && whole % 2 != 0))
        ++whole;
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(whole, std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

bool fitsTeamNameBox(TextExtentTwips extent) {
    return extent.width < kTeamNameBoxWidthTwips && extent.height < kTeamNameBoxHeightTwips;
}

std::int16_t fitTeamNameSize(const std::function<std::pair<TextExtentTwips, TextExtentTwips>(int points)>& measure) {
    for (int points = kTeamNameLargestPoints; points >= kTeamNameSmallestPoints; --points) {
        const auto [home, visitor] = measure(points);
        if (fitsTeamNameBox(home) && fitsTeamNameBox(visitor))
            return static_cast<std::int16_t>(points);
    }
    return static_cast<std::int16_t>(kTeamNameSmallestPoints - 1);
}

WorkingKeys resetKeys(const WorkingKeys& keys) {
    const SettingsVariables d = defaultSettings({}, '/');
    WorkingKeys reset = keys;
    reset[StartStopClockKeyIndex] = d.StartStopClockKey;
    reset[ResetClockKeyIndex] = d.ResetClockKey;
    reset[ClearKeyIndex] = d.ClearKey;
    reset[SepTimeKeyIndex] = d.SepTimeKey;
    reset[BuzzerKeyIndex] = d.BuzzerKey;
    reset[HornKeyIndex] = d.HornKey;
    for (std::size_t i = 0; i < reset.size(); ++i) {
        if (i != ClockSwitchKeyIndex && reset[i] == reset[ClockSwitchKeyIndex])
            reset[ClockSwitchKeyIndex] = d.ClockSwitchKey;
    }
    return reset;
}
