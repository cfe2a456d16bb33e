// The board's layout document for the browser board: which part of the state lights each control, what is
// drawn, and the document's text.
#include "core/feed/BoardLayoutDocument.h"
#include "core/feed/StateDocument.h"
#include <gtest/gtest.h>

namespace {

SettingsVariables colours() {
    SettingsVariables s;
    s.TimeColor = 0x0000FF; // red
    s.LEDBack = 0x000000;
    s.ScoreColor = 0x00FF00; // green
    s.PeriodColor = 0x00FFFF;
    s.FormBack = 0x400000; // dark blue
    s.BorderColor = 0xFFFFFF;
    s.TeamSize = secondsToTime(24);
    return s;
}

LayoutControl control(const char* name, LayoutControlType type, int element = 0) {
    LayoutControl c;
    c.name = name;
    c.type = type;
    c.element = element;
    c.width = 300;
    c.height = 300;
    c.size = 80;
    c.lit = 0x0000FF;
    c.back = 0x000000;
    return c;
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

struct BindingRow {
    const char* name;
    LayoutControlType type;
    int element;
    const char* path; // "" when the control has no binding
    const char* test;
    OleColor on;
    OleColor off;
};

class LayoutBindingTable : public ::testing::TestWithParam<BindingRow> {};

TEST_P(LayoutBindingTable, LightsWhatTheBoardLights) {
    const BindingRow& row = GetParam();
    const auto b = layoutBinding(control(row.name, row.type, row.element), colours());
    if (std::string(row.path).empty()) {
        EXPECT_FALSE(b.has_value()) << row.name;
        return;
    }
    ASSERT_TRUE(b.has_value()) << row.name;
    EXPECT_EQ(b->path, row.path);
    EXPECT_EQ(b->test, row.test);
    EXPECT_EQ(b->on, row.on);
    EXPECT_EQ(b->off, row.off);
}

using T = LayoutControlType;
INSTANTIATE_TEST_SUITE_P(
    Rows, LayoutBindingTable,
    ::testing::Values(BindingRow{"lumTime", T::Digit, 0, "clock.digits.0", "digit", 0x0000FF, 0},
                      BindingRow{"lumTime", T::Digit, 3, "clock.digits.3", "digit", 0x0000FF, 0},
                      BindingRow{"lumPeriod", T::Digit, 0, "period.digits.0", "digit", 0x0000FF, 0},
                      BindingRow{"lumHome", T::Digit, 1, "home.score.digits.1", "digit", 0x0000FF, 0},
                      BindingRow{"lumVisitor", T::Digit, 0, "visitor.score.digits.0", "digit", 0x0000FF, 0},
                      BindingRow{"lumPenaltyTH2", T::Digit, 2, "home.penalties.1.digits.2", "digit", 0x0000FF, 0},
                      BindingRow{"lumPenaltyTV1", T::Digit, 0, "visitor.penalties.0.digits.0", "digit", 0x0000FF, 0},
                      BindingRow{"Shape2", T::Shape, 0, "clock.colon", "true", 0xFFFFFF, 0},
                      BindingRow{"Shape2", T::Shape, 1, "", "", 0, 0},
                      BindingRow{"dotPenaltyTH1", T::Shape, 1, "home.penalties.0.digits.0", "shown", 0xFFFFFF, 0},
                      BindingRow{"dotPenaltyTV2", T::Shape, 0, "visitor.penalties.1.digits.0", "shown", 0xFFFFFF, 0},
                      BindingRow{"shpPenaltyH", T::Shape, 0, "home.penalties.0.light", "true", 0x00FF00, 0x400000},
                      BindingRow{"shpPenaltyH", T::Shape, 1, "home.penalties.1.light", "true", 0x00FF00, 0x400000},
                      BindingRow{"shpPenaltyV", T::Shape, 1, "visitor.penalties.1.light", "true", 0x00FF00, 0x400000},
                      BindingRow{"shpGoalH", T::Shape, 0, "home.goalLight", "true", 0x00FF00, 0x400000},
                      BindingRow{"shpGoalV", T::Shape, 0, "visitor.goalLight", "true", 0x00FF00, 0x400000},
                      BindingRow{"shpObjectSelected", T::Shape, 0, "", "", 0, 0},
                      BindingRow{"Shape3", T::Shape, 0, "", "", 0, 0}, BindingRow{"TimeBack", T::Box, 0, "", "", 0, 0},
                      BindingRow{"lblGoalH", T::Label, 0, "", "", 0, 0},
                      BindingRow{"lumSomethingElse", T::Digit, 0, "", "", 0, 0},
                      BindingRow{"lumPlayerTH1", T::Digit, 0, "home.penalties.0.player", "units", 0x0000FF, 0},
                      BindingRow{"lumPlayerTV2", T::Digit, 1, "visitor.penalties.1.player", "tens", 0x0000FF, 0},
                      BindingRow{"PlayerTV1", T::Box, 0, "visitor.penalties.0", "player", 0, 0},
                      BindingRow{"PlayerTH2", T::Box, 0, "home.penalties.1", "player", 0, 0}));

struct ColourRow {
    OleColor ole;
    const char* css;
};
class CssColourTable : public ::testing::TestWithParam<ColourRow> {};
TEST_P(CssColourTable, RedGreenBlueFromTheStoresOrder) {
    EXPECT_EQ(cssColour(GetParam().ole), GetParam().css);
}
INSTANTIATE_TEST_SUITE_P(Rows, CssColourTable,
                         ::testing::Values(ColourRow{0x000000, "#000000"}, ColourRow{0x0000FF, "#ff0000"},
                                           ColourRow{0x00FF00, "#00ff00"}, ColourRow{0xFF0000, "#0000ff"},
                                           ColourRow{0x123456, "#563412"},
                                           ColourRow{static_cast<OleColor>(0x80FFFFFF), "#ffffff"}));

TEST(BoardLayoutDocument, NeverTheMarkerNorAnythingHiddenAndParentsRenumbered) {
    BoardLayout layout;
    layout.origWidth = 9480;
    layout.origHeight = 6795;
    layout.controls.push_back(control("shpObjectSelected", T::Shape));
    LayoutControl hidden = control("picHidden", T::Box);
    hidden.hidden = true;
    layout.controls.push_back(hidden);
    LayoutControl orphan = control("lumTime", T::Digit);
    orphan.parent = 1; // inside the hidden box: not drawn either
    layout.controls.push_back(orphan);
    layout.controls.push_back(control("TimeBack", T::Box));
    LayoutControl digit = control("lumTime", T::Digit, 1);
    digit.parent = 3;
    layout.controls.push_back(digit);
    const std::string doc = boardLayoutDocument(layout, colours());
    EXPECT_EQ(doc.find("shpObjectSelected"), std::string::npos) << doc;
    EXPECT_EQ(doc.find("picHidden"), std::string::npos) << doc;
    EXPECT_EQ(count(doc, R"("name":"lumTime")"), 1U) << doc;
    EXPECT_NE(doc.find(R"("name":"TimeBack","type":"box","parent":-1)"), std::string::npos) << doc;
    EXPECT_NE(doc.find(R"("name":"lumTime","type":"digit","parent":0)"), std::string::npos) << doc;
    EXPECT_NE(doc.find(R"("path":"clock.digits.1","test":"digit","on":"#ff0000","off":"#000000")"), std::string::npos)
        << doc;
}

struct DrawnRow {
    LayoutControlType type;
    std::int64_t width;
    std::int64_t height;
    std::int64_t size;
    bool drawn;
};
class LayoutDrawnTable : public ::testing::TestWithParam<DrawnRow> {};
TEST_P(LayoutDrawnTable, OnlyWhatHasArea) {
    LayoutControl c = control("Any", GetParam().type);
    c.width = GetParam().width;
    c.height = GetParam().height;
    c.size = GetParam().size;
    EXPECT_EQ(layoutDrawn(c), GetParam().drawn);
}
INSTANTIATE_TEST_SUITE_P(Rows, LayoutDrawnTable,
                         ::testing::Values(DrawnRow{T::Box, 300, 300, 0, true}, DrawnRow{T::Box, 0, 300, 0, false},
                                           DrawnRow{T::Label, 300, 0, 0, false}, DrawnRow{T::Digit, 0, 0, 80, true},
                                           DrawnRow{T::Digit, 300, 300, 0, false}));

TEST(BoardLayoutDocument, TheHeadAndTheLabels) {
    BoardLayout layout;
    layout.origWidth = 9480;
    layout.origHeight = 6795;
    layout.frameWidth = 120;
    layout.frameHeight = 405;
    layout.lostText = "Verbindung verloren";
    layout.controls.push_back(control("picHomeContainer", T::Box));
    LayoutControl name = control("lblHome", T::Label);
    name.parent = 0;
    name.text = "Les \"Ours\" \xff";
    name.fontPoints = 24;
    name.bold = true;
    name.family = "Arial";
    name.align = LayoutAlign::Center;
    name.alignTop = false;
    name.fore = 0x00FFFF;
    layout.controls.push_back(name);
    LayoutControl period = control("lblPeriod", T::Label);
    period.text = "Drittel";
    period.fontPoints = 16;
    period.textWidth = 1200;
    layout.controls.push_back(period);
    const std::string doc = boardLayoutDocument(layout, colours());
    EXPECT_EQ(doc.rfind(R"({"format":"rinkmaster-board-layout","design":{"width":9480,"height":6795,)"
                        R"("frameWidth":120,"frameHeight":405},"lostText":"Verbindung verloren",)"
                        R"("background":"#000040","teamSize":24,"led":{"style":"lines")",
                        0),
              0U)
        << doc;
    // Text from the settings is escaped, never trusted: a bad byte becomes U+FFFD.
    EXPECT_NE(doc.find(R"("text":"Les \"Ours\" )"
                       "\xef\xbf\xbd"
                       R"(","fontPoints":24,"textWidth":0,"bold":true,"family":"Arial","align":"center",)"
                       R"("valign":"middle","colour":"#ffff00","teamName":true})"),
              std::string::npos)
        << doc;
    EXPECT_NE(doc.find(R"("text":"Drittel","fontPoints":16,"textWidth":1200,"bold":false,"family":"",)"
                       R"("align":"left","valign":"top","colour":"#000000"})"),
              std::string::npos)
        << doc;
    EXPECT_EQ(boardLayoutDocument(layout, colours()), doc); // equal layouts, equal text
}

struct StyleRow {
    std::int16_t ledType;
    const char* style;
    std::size_t shapes; // polygons or dot centres
    const char* eight;  // what an 8 lights
};
class LayoutGlyphTable : public ::testing::TestWithParam<StyleRow> {};
TEST_P(LayoutGlyphTable, TheChosenStylesGlyphs) {
    SettingsVariables s = colours();
    s.LEDType = GetParam().ledType;
    const std::string doc = boardLayoutDocument(BoardLayout{}, s);
    EXPECT_NE(doc.find(std::string(R"("led":{"style":")") + GetParam().style + R"(","box":[110,200])"),
              std::string::npos)
        << doc;
    const std::string list = std::string(GetParam().style) == "dots" ? R"("centres":[)" : R"("shapes":[)";
    const std::size_t from = doc.find(list);
    ASSERT_NE(from, std::string::npos) << doc;
    const std::size_t to = doc.find(R"(],"lit")", from);
    const std::string part = doc.substr(from, to - from);
    EXPECT_EQ(std::string(GetParam().style) == "dots" ? count(part, "[") - 1 : count(part, "]]"), GetParam().shapes)
        << part;
    EXPECT_NE(doc.find(GetParam().eight), std::string::npos) << doc;
    EXPECT_NE(doc.find(R"("controls":[]})"), std::string::npos) << doc;
}
INSTANTIATE_TEST_SUITE_P(
    Rows, LayoutGlyphTable,
    ::testing::Values(StyleRow{0, "lines", 7, R"([1,2],[0,1,3,4,6],[0,1,2,3,6],[1,2,5,6],[0,2,3,5,6],)"},
                      StyleRow{1, "dots", 35, R"("radius":8.75,"centres":[[14.75,15.75],)"},
                      StyleRow{7, "lines", 7, R"([0,1,2,3,4,5,6])"}, StyleRow{-1, "lines", 7, R"([0,1,2,3,4,5,6])"}));

TEST(BoardLayoutDocument, TheStateNamesTheLayoutVersionOnlyWhenThereIsOne) {
    BoardState s;
    EXPECT_EQ(stateDocument(s).find(R"("layout")"), std::string::npos);
    s.layoutVersion = 3;
    const std::string doc = stateDocument(s);
    EXPECT_NE(doc.find(R"("period":{"text":"","digits":[]},"clockMode":"play","layout":3,"home":{)"), std::string::npos)
        << doc;
}

} // namespace
