#include "JsonReader.h"
#include "core/Utf8.h"
#include <cstdint>
#include <limits>

namespace json {
namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    ParseResult run() {
        ParseResult result;
        Value v;
        if (!value(v, 0)) {
            result.error = m_error;
            return result;
        }
        skipSpace();
        if (m_pos != m_text.size()) {
            result.error = "unexpected text after the document at byte " + std::to_string(m_pos);
            return result;
        }
        result.value = std::move(v);
        return result;
    }

private:
    bool fail(const std::string& what) {
        if (m_error.empty()) {
            m_error = m_pos >= m_text.size() ? what + " (the document ends too early)"
                                             : what + " at byte " + std::to_string(m_pos);
        }
        return false;
    }

    void skipSpace() {
        while (m_pos < m_text.size() &&
               (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n' || m_text[m_pos] == '\r')) {
            ++m_pos;
        }
    }

    bool literal(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word) {
            return fail("unknown word");
        }
        m_pos += word.size();
        return true;
    }

    bool value(Value& out, int depth) {
        if (depth > kMaxDepth) {
            return fail("the document is nested too deeply");
        }
        skipSpace();
        if (m_pos >= m_text.size()) {
            return fail("a value is missing");
        }
        const char c = m_text[m_pos];
        switch (c) {
        case '{':
            return object(out, depth);
        case '[':
            return array(out, depth);
        case '"': {
            std::string s;
            if (!string(s)) {
                return false;
            }
            out.data = std::move(s);
            return true;
        }
        case 't':
            out.data = true;
            return literal("true");
        case 'f':
            out.data = false;
            return literal("false");
        case 'n':
            out.data = nullptr;
            return literal("null");
        default:
            if (c == '-' || (c >= '0' && c <= '9')) {
                return number(out);
            }
            return fail("unexpected character");
        }
    }

    bool number(Value& out) {
        const bool negative = m_text[m_pos] == '-';
        if (negative) {
            ++m_pos;
        }
        if (m_pos >= m_text.size() || m_text[m_pos] < '0' || m_text[m_pos] > '9') {
            return fail("a number has no digits");
        }
        if (m_text[m_pos] == '0' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] >= '0' && m_text[m_pos + 1] <= '9') {
            return fail("a number starts with 0");
        }
        // Accumulated as a negative number, whose range is the larger one.
        constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
        std::int64_t v = 0;
        bool over = false;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
            const int d = m_text[m_pos] - '0';
            if (v < (kMin + d) / 10) {
                over = true;
            } else {
                v = v * 10 - d;
            }
            ++m_pos;
        }
        if (m_pos < m_text.size() && (m_text[m_pos] == '.' || m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
            return fail("a number is not a whole number");
        }
        if (negative && over) {
            v = kMin;
        } else if (!negative) {
            if (over || v == kMin) {
                over = true;
                v = std::numeric_limits<std::int64_t>::max();
            } else {
                v = -v;
            }
        }
        out.data = v;
        out.outOfRange = over;
        return true;
    }

    bool hex4(std::uint32_t& cp) {
        if (m_pos + 4 > m_text.size()) {
            m_pos = m_text.size();
            return fail("an escape is cut short");
        }
        cp = 0;
        for (int k = 0; k < 4; ++k) {
            const char h = m_text[m_pos++];
            cp <<= 4;
            if (h >= '0' && h <= '9') {
                cp |= static_cast<std::uint32_t>(h - '0');
            } else if (h >= 'a' && h <= 'f') {
                cp |= static_cast<std::uint32_t>(h - 'a' + 10);
            } else if (h >= 'A' && h <= 'F') {
                cp |= static_cast<std::uint32_t>(h - 'A' + 10);
            } else {
                return fail("a \\u escape is not hexadecimal");
            }
        }
        return true;
    }

    bool string(std::string& out) {
        ++m_pos; // the opening quote
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return fail("a control character in a string");
            }
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (m_pos >= m_text.size()) {
                break;
            }
            const char e = m_text[m_pos++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out.push_back(e);
                break;
            case 'b':
                out.push_back('\b');
                break;
            case 'f':
                out.push_back('\f');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'u': {
                std::uint32_t cp = 0;
                if (!hex4(cp)) {
                    return false;
                }
                if (cp >= 0xD800 && cp <= 0xDBFF && m_text.substr(m_pos, 2) == "\\u") {
                    m_pos += 2;
                    std::uint32_t low = 0;
                    if (!hex4(low)) {
                        return false;
                    }
                    cp = (low >= 0xDC00 && low <= 0xDFFF) ? 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00) : 0xFFFD;
                } else if (cp >= 0xD800 && cp <= 0xDFFF) {
                    cp = 0xFFFD;
                }
                appendUtf8(out, cp);
                break;
            }
            default:
                return fail("an unknown escape in a string");
            }
        }
        return fail("a string is not closed");
    }

    bool array(Value& out, int depth) {
        ++m_pos;
        Array items;
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == ']') {
            ++m_pos;
            out.data = std::move(items);
            return true;
        }
        while (true) {
            Value item;
            if (!value(item, depth + 1)) {
                return false;
            }
            items.push_back(std::move(item));
            skipSpace();
            if (m_pos >= m_text.size()) {
                return fail("a list is not closed");
            }
            if (m_text[m_pos] == ',') {
                ++m_pos;
                continue;
            }
            if (m_text[m_pos] == ']') {
                ++m_pos;
                out.data = std::move(items);
                return true;
            }
            return fail("a list item is not followed by , or ]");
        }
    }

    bool object(Value& out, int depth) {
        ++m_pos;
        Object members;
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == '}') {
            ++m_pos;
            out.data = std::move(members);
            return true;
        }
        while (true) {
            skipSpace();
            if (m_pos >= m_text.size() || m_text[m_pos] != '"') {
                return fail("a name is missing");
            }
            std::string name;
            if (!string(name)) {
                return false;
            }
            skipSpace();
            if (m_pos >= m_text.size() || m_text[m_pos] != ':') {
                return fail("a name is not followed by :");
            }
            ++m_pos;
            Value member;
            if (!value(member, depth + 1)) {
                return false;
            }
            if (members.count(name) != 0) {
                return fail("a name appears twice in one object");
            }
            members.emplace(std::move(name), std::move(member));
            skipSpace();
            if (m_pos >= m_text.size()) {
                return fail("an object is not closed");
            }
            if (m_text[m_pos] == ',') {
                ++m_pos;
                continue;
            }
            if (m_text[m_pos] == '}') {
                ++m_pos;
                out.data = std::move(members);
                return true;
            }
            return fail("a member is not followed by , or }");
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_error;
};

} // namespace

ParseResult parse(std::string_view text) {
    if (text.size() > kMaxDocumentBytes) {
        ParseResult r;
        r.error = "the document is larger than " + std::to_string(kMaxDocumentBytes) + " bytes";
        return r;
    }
    return Parser(text).run();
}

} // namespace json
