#include "core/settings/Settings.h"

#include <algorithm>
#include <limits>

namespace {

const std::string kColor{kColorSettings};
const std::string kKey{kKeySettings};
const std::string kText{kTextSettings};
const std::string kPic{kPicSettings};
const std::string kRule{kRuleSettings};
const std::string kDisplay{kDisplaySettings};

// "Str$" of the old store wrote numbers with a leading blank, and hand edits add trailing ones.
std::string_view trimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Appends one decimal digit to a magnitude, refusing to pass limit.
bool pushDigit(std::uint64_t& magnitude, unsigned digit, std::uint64_t limit) {
    if (magnitude > (limit - digit) / 10)
        return false;
    magnitude = magnitude * 10 + digit;
    return true;
}

template <typename T> T readNumber(SettingsStore& store, const std::string& section, const char* key, T fallback) {
    std::optional<std::string> text = store.read(section, key);
    if (!text)
        return fallback;
    std::optional<std::int64_t> value =
        parseStoredInteger(*text, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    return value ? static_cast<T>(*value) : fallback;
}

std::string readString(SettingsStore& store, const std::string& section, const char* key, const std::string& fallback) {
    return store.readText(section, key, fallback);
}

void writeNumber(SettingsStore& store, const std::string& section, const char* key, std::int64_t value) {
    store.write(section, key, std::to_string(value));
}

} // namespace

std::optional<std::int64_t> parseStoredInteger(std::string_view text, std::int64_t minimum, std::int64_t maximum) {
    text = trimBlanks(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    const std::uint64_t limit = negative ? std::uint64_t(std::numeric_limits<std::int64_t>::max()) + 1
                                         : std::uint64_t(std::numeric_limits<std::int64_t>::max());
    std::uint64_t magnitude = 0;
    for (char c : text) {
        if (!isDigit(c) || !pushDigit(magnitude, unsigned(c - '0'), limit))
            return std::nullopt;
    }
    std::int64_t value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    if (value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

std::optional<FixedPoint4> parseStoredFixedPoint4(std::string_view text) {
    text = trimBlanks(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    const std::uint64_t limit = negative ? std::uint64_t(std::numeric_limits<std::int64_t>::max()) + 1
                                         : std::uint64_t(std::numeric_limits<std::int64_t>::max());
    std::uint64_t magnitude = 0;
    for (char c : whole) {
        if (!isDigit(c) || !pushDigit(magnitude, unsigned(c - '0'), limit))
            return std::nullopt;
    }
    for (char c : fraction) {
        if (!isDigit(c))
            return std::nullopt;
    }
    for (std::size_t place = 0; place < 4; ++place) {
        unsigned digit = place < fraction.size() ? unsigned(fraction[place] - '0') : 0;
        if (!pushDigit(magnitude, digit, limit))
            return std::nullopt;
    }
    if (fraction.size() > 4) {
        const unsigned next = unsigned(fraction[4] - '0');
        const bool beyondHalf = fraction.substr(5).find_first_not_of('0') != std::string_view::npos;
        if (next > 5 || (next == 5 && (beyondHalf || magnitude % 2 == 1))) {
            if (magnitude == limit)
                return std::nullopt;
            ++magnitude;
        }
    }
    return negative ? static_cast<FixedPoint4>(0 - magnitude) : static_cast<FixedPoint4>(magnitude);
}

std::optional<TimeValue> parseStoredMinutes(std::string_view text) {
    text = trimBlanks(text);
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3)
        return std::nullopt;
    std::int64_t minutes = 0;
    for (std::size_t i = 0; i < colon; ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        minutes = minutes * 10 + (text[i] - '0');
    }
    if (!isDigit(text[colon + 1]) || !isDigit(text[colon + 2]))
        return std::nullopt;
    const std::int64_t seconds = (text[colon + 1] - '0') * 10 + (text[colon + 2] - '0');
    const std::int64_t total = minutes * 60 + seconds;
    if (seconds >= 60 || total < 1)
        return std::nullopt;
    return secondsToTime(total);
}

std::string formatStoredMinutes(TimeValue value) {
    const std::int64_t total = std::max<TimeValue>(0, value) / kTicksPerSecond;
    const std::int64_t seconds = total % 60;
    return std::to_string(total / 60) + (seconds < 10 ? ":0" : ":") + std::to_string(seconds);
}

std::string formatFixedPoint4(FixedPoint4 value) {
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / kFixedPoint4Scale);
    std::uint64_t fraction = magnitude % kFixedPoint4Scale;
    if (fraction != 0) {
        std::string places = std::to_string(fraction);
        places.insert(0, 4 - places.size(), '0');
        places.erase(places.find_last_not_of('0') + 1);
        text += '.' + places;
    }
    return text;
}

std::string joinProgramPath(const std::string& folder, const std::string& file, char separator) {
    if (folder.empty())
        return file;
    const char last = folder.back();
    // Windows takes either slash, so "C:/" is a root as much as "C:\".
    const bool endsInSeparator = last == separator || (separator == '\\' && last == '/');
    return endsInSeparator ? folder + file : folder + separator + file;
}

SettingsVariables defaultSettings(const std::string& programFolder, char separator) {
    SettingsVariables s;
    s.TimeColor = 255;
    s.LEDBack = 0;
    s.ScoreColor = 33023;
    s.PeriodColor = 49152;
    s.FormBack = 4210752;
    s.LEDSelected = s.FormBack;
    s.BorderColor = 16777215;
    s.HomeColor = 16777215;
    s.VisitorColor = 16777215;
    s.LEDSelectedWidth = 0;
    s.StartStopClockKey = 83;
    s.ResetClockKey = 82;
    s.ClearKey = 46;
    s.ClockSwitchKey = 67;
    s.SepTimeKey = 73;
    s.BuzzerKey = 66;
    s.HornKey = 71;
    s.BuzzerFile = joinProgramPath(programFolder, "buzzer.wav", separator);
    s.HornFile = joinProgramPath(programFolder, "horn.wav", separator);
    s.NumLockForce = 0;
    s.HomeText = "Home";
    s.VisitorText = "Visitor";
    s.TeamSize = 24 * kFixedPoint4Scale;
    s.LEDType = 0;
    s.ShowPlayerNumbers = false;
    s.PenaltyRules = false;
    s.IntermissionLength = kIntermissionLengthDefault;
    s.MinorLength = kMinorLengthDefault;
    return s;
}

void loadSettings(SettingsVariables& settings, SettingsStore& store, const std::string& programFolder, char separator,
                  const std::function<void(bool)>& setNumLock) {
    const SettingsVariables d = defaultSettings(programFolder, separator);
    SettingsVariables& s = settings;

    s.TimeColor = readNumber(store, kColor, "TimeColor", d.TimeColor);
    s.LEDBack = readNumber(store, kColor, "LEDBack", d.LEDBack);
    s.ScoreColor = readNumber(store, kColor, "ScoreColor", d.ScoreColor);
    s.PeriodColor = readNumber(store, kColor, "PeriodColor", d.PeriodColor);
    s.FormBack = readNumber(store, kColor, "FormBack", d.FormBack);
    // The selection marker is invisible against the board until the user picks a colour for it.
    s.LEDSelected = readNumber(store, kColor, "LEDSelected", s.FormBack);
    s.BorderColor = readNumber(store, kColor, "BorderColor", d.BorderColor);
    s.HomeColor = readNumber(store, kColor, "HomeColor", d.HomeColor);
    s.VisitorColor = readNumber(store, kColor, "VisitorColor", d.VisitorColor);
    s.LEDSelectedWidth = readNumber(store, kColor, "LEDSelectedWidth", d.LEDSelectedWidth);

    s.StartStopClockKey = readNumber(store, kKey, "StartStopClockKey", d.StartStopClockKey);
    s.ResetClockKey = readNumber(store, kKey, "ResetClockKey", d.ResetClockKey);
    s.ClearKey = readNumber(store, kKey, "ClearKey", d.ClearKey);
    s.ClockSwitchKey = readNumber(store, kKey, "ClockSwitchKey", d.ClockSwitchKey);
    s.SepTimeKey = readNumber(store, kKey, "SepTimeKey", d.SepTimeKey);
    s.BuzzerKey = readNumber(store, kKey, "BuzzerKey", d.BuzzerKey);
    s.HornKey = readNumber(store, kKey, "HornKey", d.HornKey);
    s.BuzzerFile = readString(store, kKey, "BuzzerFile", d.BuzzerFile);
    s.HornFile = readString(store, kKey, "HornFile", d.HornFile);
    s.NumLockForce = readNumber(store, kKey, "NumLockForce", d.NumLockForce);

    if (setNumLock) {
        if (s.NumLockForce == 1)
            setNumLock(true);
        else if (s.NumLockForce == 2)
            setNumLock(false);
    }

    // Stores written before the keys were kept as key codes hold character codes for some
    // commands; those five go back to their defaults once, and the marker stops it happening again.
    // The clock-switch and penalty keys were never affected, so they are left alone.
    if (store.readText(kKey, "IsKeyCode", "No") == "No") {
        s.StartStopClockKey = 83;
        s.ResetClockKey = 82;
        s.BuzzerKey = 66;
        s.HornKey = 71;
        s.ClearKey = 46;
        writeNumber(store, kKey, "StartStopClockKey", 83);
        writeNumber(store, kKey, "ResetClockKey", 82);
        writeNumber(store, kKey, "ClearKey", 46);
        writeNumber(store, kKey, "BuzzerKey", 66);
        writeNumber(store, kKey, "HornKey", 71);
        store.write(kKey, "IsKeyCode", "Yes");
    }

    s.HomeText = readString(store, kText, "HomeText", d.HomeText);
    s.VisitorText = readString(store, kText, "VisitorText", d.VisitorText);
    std::optional<std::string> teamSize = store.read(kText, "TeamSize");
    std::optional<FixedPoint4> parsedSize = teamSize ? parseStoredFixedPoint4(*teamSize) : std::nullopt;
    s.TeamSize = parsedSize ? *parsedSize : d.TeamSize;

    s.LEDType = readNumber(store, kPic, "LEDType", d.LEDType);
    s.ShowPlayerNumbers = store.readText(kPic, "ShowPlayerNumbers", "No") == "Yes";

    s.PenaltyRules = store.readText(kRule, "PenaltyRules", "No") == "Yes";
    const std::optional<std::string> intermission = store.read(kRule, "IntermissionLength");
    s.IntermissionLength =
        intermission ? parseStoredMinutes(*intermission).value_or(d.IntermissionLength) : d.IntermissionLength;
    const std::optional<std::string> minor = store.read(kRule, "MinorLength");
    const std::optional<TimeValue> minorLength = minor ? parseStoredMinutes(*minor) : std::nullopt;
    s.MinorLength =
        minorLength && *minorLength >= kShortestMinor && *minorLength <= kLongestMinor ? *minorLength : d.MinorLength;
    s.PublicScreen = readString(store, kDisplay, "PublicScreen", d.PublicScreen);
}

void saveSettings(const SettingsVariables& s, SettingsStore& store) {
    writeNumber(store, kColor, "TimeColor", s.TimeColor);
    writeNumber(store, kColor, "LEDBack", s.LEDBack);
    writeNumber(store, kColor, "LEDSelected", s.LEDSelected);
    writeNumber(store, kColor, "ScoreColor", s.ScoreColor);
    writeNumber(store, kColor, "PeriodColor", s.PeriodColor);
    writeNumber(store, kColor, "FormBack", s.FormBack);
    writeNumber(store, kColor, "BorderColor", s.BorderColor);
    writeNumber(store, kColor, "HomeColor", s.HomeColor);
    writeNumber(store, kColor, "VisitorColor", s.VisitorColor);
    writeNumber(store, kColor, "LEDSelectedWidth", s.LEDSelectedWidth);

    writeNumber(store, kKey, "StartStopClockKey", s.StartStopClockKey);
    writeNumber(store, kKey, "ResetClockKey", s.ResetClockKey);
    writeNumber(store, kKey, "ClearKey", s.ClearKey);
    writeNumber(store, kKey, "ClockSwitchKey", s.ClockSwitchKey);
    writeNumber(store, kKey, "SepTimeKey", s.SepTimeKey);
    writeNumber(store, kKey, "BuzzerKey", s.BuzzerKey);
    writeNumber(store, kKey, "HornKey", s.HornKey);
    store.write(kKey, "BuzzerFile", s.BuzzerFile);
    store.write(kKey, "HornFile", s.HornFile);
    writeNumber(store, kKey, "NumLockForce", s.NumLockForce);

    store.write(kText, "HomeText", s.HomeText);
    store.write(kText, "VisitorText", s.VisitorText);
    store.write(kText, "TeamSize", formatFixedPoint4(s.TeamSize));

    writeNumber(store, kPic, "LEDType", s.LEDType);
    store.write(kPic, "ShowPlayerNumbers", s.ShowPlayerNumbers ? "Yes" : "No");

    // The keys written above are key codes: a store made by saving alone must not look like an old one.
    store.write(kKey, "IsKeyCode", "Yes");

    store.write(kRule, "PenaltyRules", s.PenaltyRules ? "Yes" : "No");
    store.write(kRule, "IntermissionLength", formatStoredMinutes(s.IntermissionLength));
    store.write(kRule, "MinorLength", formatStoredMinutes(s.MinorLength));
    store.write(kDisplay, "PublicScreen", s.PublicScreen);
}
