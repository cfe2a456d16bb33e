#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/TimeValue.h"
#include "core/settings/SettingsStore.h"

// A Windows colour reference, 0x00BBGGRR: red in the low byte.
using OleColor = std::int32_t;

// A number with four decimal places, held as a count of ten-thousandths (the team-name font size).
using FixedPoint4 = std::int64_t;
inline constexpr FixedPoint4 kFixedPoint4Scale = 10000;

// The stored sections.
inline constexpr std::string_view kColorSettings = "ColorSettings";
inline constexpr std::string_view kKeySettings = "KeySettings";
inline constexpr std::string_view kTextSettings = "TextSettings";
inline constexpr std::string_view kPicSettings = "PicSettings";
inline constexpr std::string_view kRuleSettings = "RuleSettings";
inline constexpr std::string_view kDisplaySettings = "DisplaySettings";

// One variable per stored setting, named like its key. Zero and empty until LoadSettings runs;
// afterwards changed only by the options dialog's OK.
struct SettingsVariables {
    // NOLINTBEGIN(readability-identifier-naming): each field bears its stored key's name
    OleColor TimeColor = 0;
    OleColor LEDBack = 0;
    OleColor ScoreColor = 0;
    OleColor PeriodColor = 0;
    OleColor FormBack = 0;
    OleColor LEDSelected = 0;
    OleColor BorderColor = 0;
    OleColor HomeColor = 0;
    OleColor VisitorColor = 0;
    std::int16_t LEDSelectedWidth = 0;

    std::int16_t StartStopClockKey = 0;
    std::int16_t ResetClockKey = 0;
    std::int16_t ClearKey = 0;
    std::int16_t ClockSwitchKey = 0;
    std::int16_t SepTimeKey = 0;
    std::int16_t BuzzerKey = 0;
    std::int16_t HornKey = 0;
    std::string BuzzerFile;
    std::string HornFile;
    std::int32_t NumLockForce = 0;

    std::string HomeText;
    std::string VisitorText;
    FixedPoint4 TeamSize = 0;

    std::int16_t LEDType = 0;
    // Stored as "Yes" or "No" beside the LED style; only "Yes" shows the penalised players' numbers.
    bool ShowPlayerNumbers = false;

    // Stored as "Yes" or "No"; only "Yes" turns the penalty rules on.
    bool PenaltyRules = false;
    // Stored as "M:SS" (0:01 to 99:59); anything else reads as the default, 15:00.
    TimeValue IntermissionLength = 0;
    // Stored as "M:SS", the minor penalty's length (1:30 in youth hockey): 0:30 to 4:59; anything else reads as
    // the default, 2:00. A double minor is two of them.
    TimeValue MinorLength = 0;
    // The screen the public board fills, by the name the system gives it; empty: this window only.
    std::string PublicScreen;
    // NOLINTEND(readability-identifier-naming)

    bool operator==(const SettingsVariables&) const = default;
};

// Every setting at its default, as a fresh store would give it (LEDSelected follows the default
// FormBack). The options dialog's resets start from here.
SettingsVariables defaultSettings(const std::string& programFolder, char separator);

// folder + separator + file, without doubling the separator when the folder is a root that
// already ends in one ("/" or "C:\"). An empty folder gives the file name alone.
std::string joinProgramPath(const std::string& folder, const std::string& file, char separator);

// Fills the variables from the store, applies the NumLock mode through setNumLock (true: on,
// false: off) and converts old key settings once. programFolder is the folder of the executable,
// in the platform's own form; separator is the platform's path separator.
void loadSettings(SettingsVariables& settings, SettingsStore& store, const std::string& programFolder, char separator,
                  const std::function<void(bool)>& setNumLock);

// Writes every variable to the store, then the IsKeyCode marker, so the next start keeps the keys as saved.
// The caller flushes the store.
void saveSettings(const SettingsVariables& settings, SettingsStore& store);

// The number readings the store uses, for anyone who edits the same values as text.
// Plain decimal with an optional minus, blanks around it allowed; nothing when the text is not
// such a number or lies outside [minimum, maximum].
std::optional<std::int64_t> parseStoredInteger(std::string_view text, std::int64_t minimum, std::int64_t maximum);
// The same with an optional decimal part ("12.5", ".5", "12."); places past the fourth are rounded
// half to even. Nothing when the text is not a number or does not fit.
std::optional<FixedPoint4> parseStoredFixedPoint4(std::string_view text);
// The intermission's length when the store holds none (or one that cannot be read).
inline constexpr TimeValue kIntermissionLengthDefault = secondsToTime(std::int64_t{15} * 60);
// The minor penalty's length when the store holds none (or one outside 0:30 to 4:59).
inline constexpr TimeValue kMinorLengthDefault = secondsToTime(120);
inline constexpr TimeValue kShortestMinor = secondsToTime(30);
inline constexpr TimeValue kLongestMinor = secondsToTime(299);

// A stored length of time as "M:SS" or "MM:SS" (blanks around it allowed): whole seconds from 0:01 to 99:59.
// Nothing for anything else.
std::optional<TimeValue> parseStoredMinutes(std::string_view text);
// "M:SS" of whole seconds (a fraction is cut): 900 s -> "15:00".
std::string formatStoredMinutes(TimeValue value);
// Plain decimal text without trailing zeros: 240000 -> "24", 125000 -> "12.5", -5000 -> "-0.5".
std::string formatFixedPoint4(FixedPoint4 value);
