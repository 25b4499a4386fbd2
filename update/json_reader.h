// The lenient JSON reader for the update host's reply.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tessaly {

struct JsonValue;
struct JsonMember;

struct JsonArray {
    std::vector<JsonValue> elements;
};

struct JsonObject {
    std::vector<JsonMember> members;
    // Name -> position of the first member of that name; later duplicates stay unreachable.
    std::map<std::string, std::size_t, std::less<>> index;

    const JsonValue* Find(std::string_view name) const;
};

struct JsonNull {};

struct JsonValue {
    std::variant<JsonNull, bool, long double, std::string, JsonArray, JsonObject> content;
};

struct JsonMember {
    std::string name;
    JsonValue value;
};

// More arrays and objects inside one another than this yield nothing rather than
// exhausting the stack.
inline constexpr int JsonMaxDepth = 256;

// The whole text's top-level value, or nothing when any part of it cannot be read. Text after
// the top-level value is ignored. Strings come out as UTF-8.
std::unique_ptr<JsonValue> ParseJson(std::string_view text);

// The string member `name` of the top-level object, or the empty text.
std::string ReadJsonString(std::string_view text, std::string_view name);

}  // namespace tessaly
