#include "core/help/RtfTokenizer.h"

#include <algorithm>
#include <limits>

namespace rtf {
namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

Token makeToken(TokenKind kind) {
    Token token;
    token.kind = kind;
    return token;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

Token RtfTokenizer::next() {
    // Line ends in a rich-text file are only there for the writer's convenience and carry no meaning.
    while (m_pos < m_input.size() && (m_input[m_pos] == '\r' || m_input[m_pos] == '\n'))
        ++m_pos;
    if (m_pos >= m_input.size())
        return makeToken(TokenKind::End);

    const char c = m_input[m_pos];
    if (c == '{') {
        ++m_pos;
        return makeToken(TokenKind::GroupStart);
    }
    if (c == '}') {
        ++m_pos;
        return makeToken(TokenKind::GroupEnd);
    }
    if (c == '\\')
        return readControl();
    return readText();
}

Token RtfTokenizer::readText() {
    const std::size_t start = m_pos;
    while (m_pos < m_input.size()) {
        const char c = m_input[m_pos];
        if (c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n')
            break;
        ++m_pos;
    }
    Token token = makeToken(TokenKind::Text);
    token.text = m_input.substr(start, m_pos - start);
    return token;
}

Token RtfTokenizer::readControl() {
    ++m_pos; // the backslash
    if (m_pos >= m_input.size())
        return makeToken(TokenKind::End); // a lone backslash at the very end means nothing

    const char first = m_input[m_pos];
    if (!isLetter(first)) {
        ++m_pos;
        if (first == '\'') {
            // Up to two hex digits; a truncated escape keeps what it has, a bare "\'" gives nothing.
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_pos < m_input.size() && hexValue(m_input[m_pos]) >= 0) {
                value = value * 16 + hexValue(m_input[m_pos]);
                ++m_pos;
                ++digits;
            }
            if (digits == 0) {
                Token token = makeToken(TokenKind::ControlSymbol);
                token.symbol = '\'';
                return token;
            }
            Token token = makeToken(TokenKind::HexByte);
            token.byte = static_cast<std::uint8_t>(value);
            return token;
        }
        Token token = makeToken(TokenKind::ControlSymbol);
        token.symbol = (first == '\r') ? '\n' : first;
        return token;
    }

    const std::size_t start = m_pos;
    while (m_pos < m_input.size() && isLetter(m_input[m_pos]))
        ++m_pos;
    Token token = makeToken(TokenKind::ControlWord);
    token.text = m_input.substr(start, m_pos - start);

    // Optional signed decimal parameter. Writers never need more than 32 bits; longer digit strings are read to
    // the end (so they do not turn into text) and the value sticks at the nearest limit.
    const bool negative = m_pos + 1 < m_input.size() && m_input[m_pos] == '-' && isDigit(m_input[m_pos + 1]);
    if (negative)
        ++m_pos;
    if (m_pos < m_input.size() && isDigit(m_input[m_pos])) {
        constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
        std::int64_t value = 0;
        while (m_pos < m_input.size() && isDigit(m_input[m_pos])) {
            value = std::min(limit, value * 10 + (m_input[m_pos] - '0'));
            ++m_pos;
        }
        if (negative)
            value = -value;
        token.hasParameter = true;
        token.parameter = static_cast<std::int32_t>(std::clamp<std::int64_t>(
            value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    }
    // One space ends a control word and belongs to it.
    if (m_pos < m_input.size() && m_input[m_pos] == ' ')
        ++m_pos;

    if (token.text == "bin") {
        // The data follows at once; its length is the parameter, cut short at the end of the input.
        const std::size_t length =
            token.parameter > 0
                ? std::min<std::size_t>(static_cast<std::size_t>(token.parameter), m_input.size() - m_pos)
                : 0;
        Token binary = makeToken(TokenKind::Binary);
        binary.text = m_input.substr(m_pos, length);
        binary.hasParameter = token.hasParameter;
        binary.parameter = token.parameter;
        m_pos += length;
        return binary;
    }
    return token;
}

} // namespace rtf
