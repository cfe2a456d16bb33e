#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A small, strict JSON reader for the program's own documents. It reads whole numbers only (a fraction or an
// exponent is an error), bounds the depth and the length it accepts, and never throws: a document it cannot
// read answers a one-line reason.
namespace json {

struct Value;
using Array = std::vector<Value>;
using Object = std::map<std::string, Value, std::less<>>;

struct Value {
    // A whole number beyond the 64-bit range is held at the range's end, with outOfRange set.
    std::variant<std::nullptr_t, bool, std::int64_t, std::string, Array, Object> data;
    bool outOfRange = false;

    const Object* object() const { return std::get_if<Object>(&data); }
    const Array* array() const { return std::get_if<Array>(&data); }
    const std::int64_t* integer() const { return std::get_if<std::int64_t>(&data); }
    const bool* boolean() const { return std::get_if<bool>(&data); }
    const std::string* string() const { return std::get_if<std::string>(&data); }
    bool isNull() const { return std::holds_alternative<std::nullptr_t>(data); }
};

struct ParseResult {
    std::optional<Value> value;
    std::string error; // empty when value holds the document
};

inline constexpr std::size_t kMaxDocumentBytes = std::size_t{64} * 1024;
inline constexpr int kMaxDepth = 16;

ParseResult parse(std::string_view text);

} // namespace json
