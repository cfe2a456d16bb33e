#include "StateDocument.h"
#include "core/Utf8.h"
#include "core/feed/FeedText.h"
#include <cstdint>

namespace {

// Decodes one UTF-8 sequence at text[i]; answers the code point and advances i, or answers U+FFFD and
// skips one byte when the sequence is malformed, overlong, a surrogate or beyond U+10FFFF.
std::uint32_t nextCodePoint(std::string_view text, std::size_t& i) {
    constexpr std::uint32_t kReplacement = 0xFFFD;
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    const std::uint8_t lead = byte(i);
    std::size_t length = 0;
    std::uint32_t cp = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1Fu;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0Fu;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07u;
        minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + length > text.size()) {
        ++i;
        return kReplacement;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3Fu);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += length;
    return cp;
}

void appendBool(std::string& out, bool value) {
    out += value ? "true" : "false";
}

void appendDigits(std::string& out, const std::vector<int>& digits) {
    out += '[';
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        // A caption is a digit or dark; anything else a control could hold is published as dark.
        const int d = digits[i] >= 0 && digits[i] <= 9 ? digits[i] : -1;
        out += std::to_string(d);
    }
    out += ']';
}

void appendPenalty(std::string& out, const PenaltyState& p) {
    out += "{\"text\":";
    out += jsonString(penaltyText(p.digits));
    out += ",\"digits\":";
    appendDigits(out, p.digits);
    out += ",\"running\":";
    appendBool(out, p.running);
    out += ",\"remaining\":";
    out += jsonSeconds(p.remaining);
    out += ",\"light\":";
    appendBool(out, p.light);
    out += ",\"player\":";
    out += p.player ? std::to_string(*p.player) : std::string("null");
    out += '}';
}

void appendTeam(std::string& out, const TeamState& team, const std::vector<TimeValue>* queued) {
    out += "{\"name\":";
    out += jsonString(team.name);
    out += ",\"score\":{\"text\":";
    out += jsonString(numberText(team.scoreDigits));
    out += ",\"digits\":";
    appendDigits(out, team.scoreDigits);
    out += "},\"goalLight\":";
    appendBool(out, team.goalLight);
    out += ",\"penalties\":[";
    appendPenalty(out, team.penalties[0]);
    out += ',';
    appendPenalty(out, team.penalties[1]);
    out += ']';
    if (queued != nullptr) {
        out += ",\"queued\":[";
        for (std::size_t i = 0; i < queued->size(); ++i) {
            out += i > 0 ? "," : "";
            out += jsonSeconds((*queued)[i]);
        }
        out += ']';
    }
    out += '}';
}

// Remaining times as the board shows them: whole tenths, cut down.
TimeValue tenths(TimeValue t) {
    const TimeValue tenth = kTicksPerSecond / 10;
    return t / tenth * tenth;
}

void appendRecord(std::string& out, const RecordState& record) {
    out += ",\"strength\":";
    out += jsonString(record.strength);
    out += ",\"penalties\":{";
    for (std::size_t t = 0; t < 2; ++t) {
        out += t == 0 ? "\"home\":[" : ",\"visitor\":[";
        for (std::size_t i = 0; i < record.penalties[t].size(); ++i) {
            const RecordPenaltyState& p = record.penalties[t][i];
            out += i > 0 ? ",{\"player\":" : "{\"player\":";
            out += std::to_string(p.player);
            out += ",\"servedBy\":";
            out += std::to_string(p.servedBy);
            out += ",\"kind\":";
            out += jsonString(p.kind);
            out += ",\"infraction\":";
            out += jsonString(p.infraction);
            out += ",\"state\":";
            out += jsonString(p.state);
            out += ",\"remaining\":";
            out += jsonSeconds(tenths(p.remaining));
            out += ",\"endsAt\":";
            if (p.endsAt) {
                out += "{\"period\":" + std::to_string(p.endsAt->first) +
                       ",\"time\":" + jsonSeconds(tenths(p.endsAt->second)) + "}";
            } else {
                out += "null";
            }
            out += ",\"coincident\":";
            appendBool(out, p.coincident);
            out += '}';
        }
        out += ']';
    }
    out += '}';
}

} // namespace

std::string jsonString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        const std::uint32_t cp = nextCodePoint(text, i);
        switch (cp) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (cp < 0x20 || cp == 0x7F) {
                static const char* const kHex = "0123456789abcdef";
                out += "\\u00";
                out += kHex[(cp >> 4) & 0xF];
                out += kHex[cp & 0xF];
            } else {
                appendUtf8(out, cp);
            }
        }
    }
    out += '"';
    return out;
}

std::string jsonSeconds(TimeValue t) {
    std::string out;
    std::uint64_t magnitude = 0;
    if (t < 0) {
        out += '-';
        magnitude = static_cast<std::uint64_t>(-(t + 1)) + 1;
    } else {
        magnitude = static_cast<std::uint64_t>(t);
    }
    const auto perSecond = static_cast<std::uint64_t>(kTicksPerSecond);
    out += std::to_string(magnitude / perSecond);
    std::string fraction = std::to_string(magnitude % perSecond + perSecond).substr(1); // four digits
    while (fraction.size() > 1 && fraction.back() == '0') {
        fraction.pop_back();
    }
    out += '.';
    out += fraction;
    return out;
}

std::string stateDocument(const BoardState& s) {
    std::string out;
    out.reserve(1024);
    out += "{\"clock\":{\"text\":";
    out += jsonString(gameClockText(s.clock.digits));
    out += ",\"digits\":";
    appendDigits(out, s.clock.digits);
    out += ",\"colon\":";
    appendBool(out, s.clock.colon);
    out += ",\"running\":";
    appendBool(out, s.clock.running);
    out += ",\"remaining\":";
    out += jsonSeconds(s.clock.remaining);
    out += ",\"timeOfDay\":";
    appendBool(out, s.clock.timeOfDay);
    out += "},\"period\":{\"text\":";
    out += jsonString(numberText(s.periodDigits));
    out += ",\"digits\":";
    appendDigits(out, s.periodDigits);
    out += '}';
    // What the game clock counts: play, or an intermission (penalty clocks frozen).
    out += ",\"clockMode\":";
    out += s.intermission ? "\"intermission\"" : "\"play\"";
    if (s.layoutVersion > 0) {
        out += ",\"layout\":";
        out += std::to_string(s.layoutVersion);
    }
    out += ",\"home\":";
    appendTeam(out, s.home, s.queued ? &(*s.queued)[0] : nullptr);
    out += ",\"visitor\":";
    appendTeam(out, s.visitor, s.queued ? &(*s.queued)[1] : nullptr);
    out += ",\"soundPlaying\":";
    appendBool(out, s.soundPlaying);
    out += ",\"selectedField\":";
    out += s.selectedField ? jsonString(*s.selectedField) : std::string("null");
    if (s.record) {
        appendRecord(out, *s.record);
    }
    out += '}';
    return out;
}
