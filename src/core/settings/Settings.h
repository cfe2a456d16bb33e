#pragma once
#include <cstdint>
#include <string>
using OleColor = std::int32_t;
struct SettingsVariables {
    OleColor TimeColor = 255, LEDBack = 0, ScoreColor = 33023, PeriodColor = 49152, FormBack = 4210752,
             LEDSelected = 4210752, BorderColor = 16777215, HomeColor = 16777215, VisitorColor = 16777215;
    std::int16_t LEDSelectedWidth = 0;
    std::int16_t StartStopClockKey = 83, ResetClockKey = 82, ClearKey = 46, ClockSwitchKey = 67, SepTimeKey = 73,
                 BuzzerKey = 66, HornKey = 71;
    std::string BuzzerFile, HornFile;
    std::int32_t NumLockForce = 0;
    std::string HomeText = "Home", VisitorText = "Visitor";
    std::int64_t TeamSize = 240000;
    std::int16_t LEDType = 0;
};
