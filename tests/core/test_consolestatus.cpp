#include "core/game/ConsoleStatus.h"

#include <gtest/gtest.h>

using game::ConsoleStatusInput;
using game::Field;
using game::SoundPlaying;

namespace {

struct StatusRow {
    const char* name;
    ConsoleStatusInput input;
    const char* line;
};

ConsoleStatusInput with(std::optional<Field> selected, bool running, SoundPlaying sound = SoundPlaying::None,
                        std::string publicScreen = {}, std::string feed = {}) {
    ConsoleStatusInput in;
    in.selected = selected;
    in.clockRunning = running;
    in.sound = sound;
    in.publicScreen = std::move(publicScreen);
    in.feedAddress = std::move(feed);
    return in;
}

ConsoleStatusInput customKeys() {
    ConsoleStatusInput in = with(Field::PenaltyTV2, false);
    in.clearKey = "Backspace";
    in.sepTimeKey = "F9";
    in.timeOfDay = true;
    return in;
}

class ConsoleStatusLine : public testing::TestWithParam<StatusRow> {};

TEST_P(ConsoleStatusLine, SaysWhatTheScorekeeperNeeds) {
    EXPECT_EQ(game::consoleStatus(GetParam().input), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConsoleStatusLine,
    testing::Values(
        StatusRow{"NothingSelected", with(std::nullopt, false),
                  "No field selected: click a field or press Tab  |  Clock stopped"},
        StatusRow{"GameClock", with(Field::TimeBack, true),
                  "Game clock: minutes, a point and seconds, then Enter (12.5 is 12:05); S starts and stops  |  "
                  "Clock running"},
        StatusRow{"HomeScore", with(Field::HomeBack, false),
                  "Home score: digits then Enter set it, +1 or -1 change it at once, Delete darkens it  |  Clock "
                  "stopped"},
        StatusRow{"VisitorScoreWhileTheHornSounds", with(Field::VisitorBack, true, SoundPlaying::Horn),
                  "Visitor score: digits then Enter set it, +1 or -1 change it at once, Delete darkens it  |  Clock "
                  "running  |  Horn playing"},
        StatusRow{"Period", with(Field::PeriodBack, false, SoundPlaying::Buzzer),
                  "Period: a digit sets it, +1 or -1 change it  |  Clock stopped  |  Buzzer playing"},
        StatusRow{"GoalLight", with(Field::GoalLights, false),
                  "Goal light: Left lights Home, Right lights Visitor, Down puts it out  |  Clock stopped"},
        StatusRow{"PenaltyWithAPublicScreen",
                  with(Field::PenaltyTH1, true, SoundPlaying::None, "Public board on HDMI-1 1920x1080"),
                  "Home penalty 1: minutes, a point and seconds, then Enter (2 is 2:00); I runs it alone, Delete "
                  "clears it  |  Clock running  |  Public board on HDMI-1 1920x1080"},
        StatusRow{"SecondHomePenaltyWithTheFeed",
                  with(Field::PenaltyTH2, false, SoundPlaying::None,
                       "Public board not shown: screen HDMI-1 is not connected", "http://127.0.0.1:8080/"),
                  "Home penalty 2: minutes, a point and seconds, then Enter (2 is 2:00); I runs it alone, Delete "
                  "clears it  |  Clock stopped  |  Public board not shown: screen HDMI-1 is not connected  |  Feed "
                  "on http://127.0.0.1:8080/"},
        StatusRow{"FirstVisitorPenalty", with(Field::PenaltyTV1, false),
                  "Visitor penalty 1: minutes, a point and seconds, then Enter (2 is 2:00); I runs it alone, Delete "
                  "clears it  |  Clock stopped"},
        StatusRow{"KeysAsTheOptionsSetThem", customKeys(),
                  "Visitor penalty 2: minutes, a point and seconds, then Enter (2 is 2:00); F9 runs it alone, "
                  "Backspace clears it  |  Clock stopped (showing the time of day)"}),
    [](const testing::TestParamInfo<StatusRow>& info) { return std::string(info.param.name); });

} // namespace

TEST(ConsoleStatusWithPenaltyRules, NamesInsertAndTheWaitingPenalties) {
    ConsoleStatusInput in = with(Field::PenaltyTH1, true);
    const std::string without = game::consoleStatus(in);
    EXPECT_EQ(without.find("Insert"), std::string::npos);
    EXPECT_EQ(without.find("Waiting"), std::string::npos);
    in.penaltyRules = true;
    EXPECT_NE(game::consoleStatus(in).find("Insert to add it as a new penalty"), std::string::npos);
    EXPECT_EQ(game::consoleStatus(in).find("Waiting"), std::string::npos); // nothing waits
    in.waiting[0] = {secondsToTime(300), secondsToTime(120)};
    in.waiting[1] = {secondsToTime(240)};
    EXPECT_NE(game::consoleStatus(in).find("  |  Waiting: Home 5:00 2:00, Visitor 4:00"), std::string::npos)
        << game::consoleStatus(in);
}

namespace {

// Marks each phrase the windows would translate: what is left unmarked is shown as it is.
std::string marked(const UiText& text) {
    return renderText(
        text, [](const std::string& context, const std::string& source) { return context + "[" + source + "]"; });
}

struct TranslatedStatusRow {
    const char* name;
    ConsoleStatusInput input;
    const char* line;
};

ConsoleStatusInput everything() {
    ConsoleStatusInput in =
        with(Field::PenaltyTV2, true, SoundPlaying::Horn, "Public board on RIGHT 1920x1080", "http://127.0.0.1:8080/");
    in.timeOfDay = true;
    in.penaltyRules = true;
    in.waiting[0] = {secondsToTime(300)};
    in.waiting[1] = {secondsToTime(240), secondsToTime(120)};
    return in;
}

class ConsoleStatusTranslation : public testing::TestWithParam<TranslatedStatusRow> {};

TEST_P(ConsoleStatusTranslation, EveryPhraseIsTranslatedAndNoNameOrKey) {
    EXPECT_EQ(marked(game::consoleStatusText(GetParam().input)), GetParam().line);
    // Without a translation the line is the English one.
    EXPECT_EQ(renderText(game::consoleStatusText(GetParam().input)), game::consoleStatus(GetParam().input));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConsoleStatusTranslation,
    testing::Values(
        TranslatedStatusRow{"NothingSelected", with(std::nullopt, false),
                            "ConsoleStatus[No field selected: click a field or press Tab]  |  "
                            "ConsoleStatus[Clock stopped]"},
        TranslatedStatusRow{"GameClockKeyShownAsItIs", with(Field::TimeBack, true),
                            "ConsoleStatus[Game clock: minutes, a point and seconds, then Enter (12.5 is 12:05); S "
                            "starts and stops]  |  ConsoleStatus[Clock running]"},
        TranslatedStatusRow{"ScoreWithTheBuzzer", with(Field::VisitorBack, false, SoundPlaying::Buzzer),
                            "ConsoleStatus[Visitor score: digits then Enter set it, +1 or -1 change it at once, "
                            "Delete darkens it]  |  ConsoleStatus[Clock stopped]  |  ConsoleStatus[Buzzer playing]"},
        TranslatedStatusRow{"Everything", everything(),
                            "ConsoleStatus[ConsoleStatus[Visitor penalty 2]: minutes, a point and seconds, then Enter "
                            "(2 is 2:00), or Insert to add it as a new penalty (a third one waits); I runs it alone, "
                            "Delete clears it]  |  ConsoleStatus[Clock running (showing the time of day)]  |  "
                            "ConsoleStatus[Waiting: ConsoleStatus[Home 5:00], ConsoleStatus[Visitor 4:00 2:00]]  |  "
                            "ConsoleStatus[Horn playing]  |  Public board on RIGHT 1920x1080  |  "
                            "ConsoleStatus[Feed on http://127.0.0.1:8080/]"}),
    [](const testing::TestParamInfo<TranslatedStatusRow>& info) { return std::string(info.param.name); });

} // namespace
