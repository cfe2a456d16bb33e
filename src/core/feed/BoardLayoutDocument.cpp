#include "BoardLayoutDocument.h"
#include "core/TimeValue.h"
#include "core/display/LedGlyph.h"
#include "core/feed/StateDocument.h"
#include <algorithm>
#include <array>
#include <charconv>

namespace {

struct LightRule {
    const char* name;
    int element; // -1: every element of the name
    const char* path;
    const char* test;
    OleColor SettingsVariables::*on;
    OleColor SettingsVariables::*off;
};

// What the board's drawing of the model lights, control by control: the colon's upper dot with the clock's
// colon, a penalty clock's colon while its seconds digit shows, the penalty lights and the goal lights.
constexpr std::array<LightRule, 11> kLightRules{{
    {"Shape2", 0, "clock.colon", "true", &SettingsVariables::BorderColor, &SettingsVariables::LEDBack},
    {"dotPenaltyTH1", -1, "home.penalties.0.digits.0", "shown", &SettingsVariables::BorderColor,
     &SettingsVariables::LEDBack},
    {"dotPenaltyTH2", -1, "home.penalties.1.digits.0", "shown", &SettingsVariables::BorderColor,
     &SettingsVariables::LEDBack},
    {"dotPenaltyTV1", -1, "visitor.penalties.0.digits.0", "shown", &SettingsVariables::BorderColor,
     &SettingsVariables::LEDBack},
    {"dotPenaltyTV2", -1, "visitor.penalties.1.digits.0", "shown", &SettingsVariables::BorderColor,
     &SettingsVariables::LEDBack},
    {"shpPenaltyH", 0, "home.penalties.0.light", "true", &SettingsVariables::ScoreColor, &SettingsVariables::FormBack},
    {"shpPenaltyH", 1, "home.penalties.1.light", "true", &SettingsVariables::ScoreColor, &SettingsVariables::FormBack},
    {"shpPenaltyV", 0, "visitor.penalties.0.light", "true", &SettingsVariables::ScoreColor,
     &SettingsVariables::FormBack},
    {"shpPenaltyV", 1, "visitor.penalties.1.light", "true", &SettingsVariables::ScoreColor,
     &SettingsVariables::FormBack},
    {"shpGoalH", -1, "home.goalLight", "true", &SettingsVariables::ScoreColor, &SettingsVariables::FormBack},
    {"shpGoalV", -1, "visitor.goalLight", "true", &SettingsVariables::ScoreColor, &SettingsVariables::FormBack},
}};

// Each digit group and where the state document keeps its captions, in the group's own index order.
constexpr std::array<std::pair<const char*, const char*>, 8> kDigitGroups{{
    {"lumTime", "clock.digits"},
    {"lumPeriod", "period.digits"},
    {"lumHome", "home.score.digits"},
    {"lumVisitor", "visitor.score.digits"},
    {"lumPenaltyTH1", "home.penalties.0.digits"},
    {"lumPenaltyTH2", "home.penalties.1.digits"},
    {"lumPenaltyTV1", "visitor.penalties.0.digits"},
    {"lumPenaltyTV2", "visitor.penalties.1.digits"},
}};

constexpr const char* kMarker = "shpObjectSelected";

// The player numbers beside the penalty boxes (present only while the option is on): each box and its two digits
// ("lumPlayer" + the same ending) by the penalty in the state document.
constexpr std::array<std::pair<const char*, const char*>, 4> kPlayerBoxes{{
    {"PlayerTH1", "home.penalties.0"},
    {"PlayerTH2", "home.penalties.1"},
    {"PlayerTV1", "visitor.penalties.0"},
    {"PlayerTV2", "visitor.penalties.1"},
}};

void number(std::string& out, double value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

void number(std::string& out, std::int64_t value) {
    out += std::to_string(value);
}

const char* typeName(LayoutControlType t) {
    switch (t) {
    case LayoutControlType::Shape:
        return "shape";
    case LayoutControlType::Label:
        return "label";
    case LayoutControlType::Digit:
        return "digit";
    case LayoutControlType::Box:
        break;
    }
    return "box";
}

const char* kindName(LayoutShapeKind k) {
    switch (k) {
    case LayoutShapeKind::Oval:
        return "oval";
    case LayoutShapeKind::Circle:
        return "circle";
    case LayoutShapeKind::Rectangle:
        break;
    }
    return "rectangle";
}

const char* alignName(LayoutAlign a) {
    switch (a) {
    case LayoutAlign::Center:
        return "center";
    case LayoutAlign::Right:
        return "right";
    case LayoutAlign::Left:
        break;
    }
    return "left";
}

void appendGlyphs(std::string& out, int ledType) {
    out += "\"led\":{\"style\":";
    const bool dots = ledStyleOf(ledType) == kLedTypeDots;
    out += dots ? "\"dots\"" : "\"lines\"";
    out += ",\"box\":[";
    number(out, kLedBoxWidth);
    out += ',';
    number(out, kLedBoxHeight);
    out += ']';
    if (dots) {
        out += ",\"radius\":";
        number(out, ledDotRadius());
        out += ",\"centres\":[";
        for (int row = 0; row < kLedDotRows; ++row) {
            for (int column = 0; column < kLedDotColumns; ++column) {
                const LedPoint c = ledDotCentre(row, column);
                out += row + column > 0 ? ",[" : "[";
                number(out, c.x);
                out += ',';
                number(out, c.y);
                out += ']';
            }
        }
        // For each digit, the dots it lights, by their place in the list of centres (row by row).
        out += "],\"lit\":[";
        for (int digit = 0; digit <= 9; ++digit) {
            out += digit > 0 ? ",[" : "[";
            bool first = true;
            for (int row = 0; row < kLedDotRows; ++row) {
                for (int column = 0; column < kLedDotColumns; ++column) {
                    if (ledDotLit(digit, row, column)) {
                        out += first ? "" : ",";
                        first = false;
                        out += std::to_string(row * kLedDotColumns + column);
                    }
                }
            }
            out += ']';
        }
        out += "]}";
        return;
    }
    out += ",\"shapes\":[";
    for (int s = 0; s < kLedSegmentCount; ++s) {
        out += s > 0 ? ",[" : "[";
        bool first = true;
        for (const LedPoint& p : ledSegmentPolygon(static_cast<LedSegment>(s))) {
            out += first ? "[" : ",[";
            first = false;
            number(out, p.x);
            out += ',';
            number(out, p.y);
            out += ']';
        }
        out += ']';
    }
    // For each digit, the segments it lights, by their place in the list of shapes.
    out += "],\"lit\":[";
    for (int digit = 0; digit <= 9; ++digit) {
        out += digit > 0 ? ",[" : "[";
        bool first = true;
        for (int s = 0; s < kLedSegmentCount; ++s) {
            if (ledSegmentLit(digit, static_cast<LedSegment>(s))) {
                out += first ? "" : ",";
                first = false;
                out += std::to_string(s);
            }
        }
        out += ']';
    }
    out += "]}";
}

void appendControl(std::string& out, const LayoutControl& c, int parent, const SettingsVariables& settings) {
    out += "{\"name\":";
    out += jsonString(c.name);
    out += ",\"type\":\"";
    out += typeName(c.type);
    out += "\",\"parent\":";
    number(out, static_cast<std::int64_t>(parent));
    out += ",\"left\":";
    number(out, c.left);
    out += ",\"top\":";
    number(out, c.top);
    switch (c.type) {
    case LayoutControlType::Digit:
        out += ",\"size\":";
        number(out, c.size);
        out += ",\"lit\":\"" + cssColour(c.lit) + "\",\"back\":\"" + cssColour(c.back) + '"';
        break;
    case LayoutControlType::Shape:
        out += ",\"width\":";
        number(out, c.width);
        out += ",\"height\":";
        number(out, c.height);
        out += ",\"kind\":\"";
        out += kindName(c.kind);
        out += "\",\"borderWidth\":";
        number(out, c.borderWidth);
        out += ",\"border\":\"" + cssColour(c.border) + "\",\"fill\":";
        out += c.fill ? '"' + cssColour(*c.fill) + '"' : std::string("null");
        break;
    case LayoutControlType::Label:
        out += ",\"width\":";
        number(out, c.width);
        out += ",\"height\":";
        number(out, c.height);
        out += ",\"text\":";
        out += jsonString(c.text);
        out += ",\"fontPoints\":";
        number(out, c.fontPoints);
        out += ",\"textWidth\":";
        number(out, c.textWidth);
        out += ",\"bold\":";
        out += c.bold ? "true" : "false";
        out += ",\"family\":";
        out += jsonString(c.family);
        out += ",\"align\":\"";
        out += alignName(c.align);
        out += "\",\"valign\":\"";
        out += c.alignTop ? "top" : "middle";
        out += "\",\"colour\":\"" + cssColour(c.fore) + '"';
        // The team names take the team-name size fitted to the window, centred in their boxes.
        if (c.name == "lblHome" || c.name == "lblVisitor") {
            out += ",\"teamName\":true";
        }
        break;
    case LayoutControlType::Box:
        out += ",\"width\":";
        number(out, c.width);
        out += ",\"height\":";
        number(out, c.height);
        out += ",\"back\":\"" + cssColour(c.back) + '"';
        break;
    }
    if (const auto b = layoutBinding(c, settings)) {
        out += ",\"bind\":{\"path\":";
        out += jsonString(b->path);
        out +=
            ",\"test\":\"" + b->test + "\",\"on\":\"" + cssColour(b->on) + "\",\"off\":\"" + cssColour(b->off) + "\"}";
    }
    out += '}';
}

} // namespace

std::string cssColour(OleColor colour) {
    static const char* const kHex = "0123456789abcdef";
    const auto v = static_cast<std::uint32_t>(colour);
    std::string out = "#";
    for (const unsigned shift : {0U, 8U, 16U}) {
        const unsigned byte = (v >> shift) & 0xFFU;
        out += kHex[byte >> 4];
        out += kHex[byte & 0xFU];
    }
    return out;
}

std::optional<LayoutBinding> layoutBinding(const LayoutControl& c, const SettingsVariables& settings) {
    if (c.type == LayoutControlType::Digit) {
        for (const auto& [name, path] : kDigitGroups) {
            if (c.name == name) {
                return LayoutBinding{std::string(path) + '.' + std::to_string(c.element), "digit", c.lit, c.back};
            }
        }
        for (const auto& [name, path] : kPlayerBoxes) {
            if (c.name == "lum" + std::string(name)) {
                return LayoutBinding{std::string(path) + ".player", c.element == 0 ? "units" : "tens", c.lit, c.back};
            }
        }
        return std::nullopt;
    }
    if (c.type == LayoutControlType::Box) {
        for (const auto& [name, path] : kPlayerBoxes) {
            if (c.name == name) {
                return LayoutBinding{path, "player", c.back, c.back};
            }
        }
        return std::nullopt;
    }
    if (c.type != LayoutControlType::Shape) {
        return std::nullopt;
    }
    for (const LightRule& r : kLightRules) {
        if (c.name == r.name && (r.element < 0 || r.element == c.element)) {
            return LayoutBinding{r.path, r.test, settings.*(r.on), settings.*(r.off)};
        }
    }
    return std::nullopt;
}

bool layoutDrawn(const LayoutControl& c) {
    if (c.hidden || c.name == kMarker) {
        return false;
    }
    return c.type == LayoutControlType::Digit ? c.size > 0 : c.width > 0 && c.height > 0;
}

std::string boardLayoutDocument(const BoardLayout& layout, const SettingsVariables& settings) {
    std::string out;
    out.reserve(8192);
    out += "{\"format\":\"rinkmaster-board-layout\",\"design\":{\"width\":";
    number(out, layout.origWidth);
    out += ",\"height\":";
    number(out, layout.origHeight);
    out += ",\"frameWidth\":";
    number(out, layout.frameWidth);
    out += ",\"frameHeight\":";
    number(out, layout.frameHeight);
    out += "},\"lostText\":";
    out += jsonString(layout.lostText);
    out += ",\"background\":\"" + cssColour(settings.FormBack) + "\",\"teamSize\":";
    // The team-name size is used as a whole number, halves to the even one, as the board does.
    const TimeValue teamSize = roundToWholeSecondsHalfEven(settings.TeamSize) / kTicksPerSecond;
    number(out, static_cast<std::int64_t>(std::clamp<TimeValue>(teamSize, -32768, 32767)));
    out += ',';
    appendGlyphs(out, settings.LEDType);
    out += ",\"controls\":[";
    // Controls the page does not draw are left out; parents are renumbered to the controls kept.
    std::vector<int> kept(layout.controls.size(), -1);
    int count = 0;
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        const LayoutControl& c = layout.controls[i];
        const bool parentKept =
            c.parent < 0 || (static_cast<std::size_t>(c.parent) < i && kept[static_cast<std::size_t>(c.parent)] >= 0);
        if (!layoutDrawn(c) || !parentKept) {
            continue;
        }
        out += count > 0 ? "," : "";
        appendControl(out, c, c.parent < 0 ? -1 : kept[static_cast<std::size_t>(c.parent)], settings);
        kept[i] = count++;
    }
    out += "]}";
    return out;
}
