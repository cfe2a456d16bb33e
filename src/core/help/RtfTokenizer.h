#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// Lexer for rich-text files: splits the bytes into groups, control words, control symbols, escaped bytes and
// plain text. It knows nothing of what the words mean, except \bin, whose data has to be stepped over here
// because it may contain braces and backslashes.
namespace rtf {

enum class TokenKind {
    GroupStart,    // "{"
    GroupEnd,      // "}"
    ControlWord,   // "\word" or "\word-12"; the letters are in text
    ControlSymbol, // "\" and one character that is not a letter, such as "\~" or "\{"; a line break after "\" is '\n'
    HexByte,       // "\'hh": one byte in the document's code page
    Text,          // a run of ordinary bytes, never containing "\", "{", "}", CR or LF
    Binary,        // "\binN" and its N bytes of data (in text), to be ignored
    End,           // no more input
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;      // ControlWord: its letters; Text and Binary: the bytes
    bool hasParameter = false;  // ControlWord only
    std::int32_t parameter = 0; // clamped to the 32-bit range, however many digits were written
    char symbol = 0;            // ControlSymbol only
    std::uint8_t byte = 0;      // HexByte only
};

class RtfTokenizer {
public:
    explicit RtfTokenizer(std::string_view input) : m_input(input) {}

    // Every call consumes at least one byte until End, so reading a whole input takes time linear in its size.
    Token next();

    std::size_t position() const { return m_pos; }

private:
    Token readControl();
    Token readText();

    std::string_view m_input;
    std::size_t m_pos = 0;
};

} // namespace rtf
