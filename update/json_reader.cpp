#include "update/json_reader.h"

#include <charconv>
#include <optional>

namespace tessaly {

const JsonValue* JsonObject::Find(std::string_view name) const {
    auto it = index.find(name);
    return it == index.end() ? nullptr : &members[it->second].value;
}

namespace {

// Thrown only where the whole text must yield nothing (a number that does not convert, a bad
// \u escape, nesting too deep); every other mismatch just fails the form being tried.
struct AbortParse {};

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::optional<JsonValue> Value(int depth) {
        SkipWhitespace();
        if (Literal("true")) return JsonValue{true};
        if (Literal("false")) return JsonValue{false};
        if (Literal("null")) return JsonValue{JsonNull{}};
        if (auto number = Number()) return JsonValue{*number};
        if (auto string = String()) return JsonValue{std::move(*string)};
        if (auto array = Array(depth)) return JsonValue{std::move(*array)};
        if (auto object = Object(depth)) return JsonValue{std::move(*object)};
        return std::nullopt;
    }

  private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek(std::size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
    }
    bool IsDigit(std::size_t at) const {
        return at < text_.size() && text_[at] >= '0' && text_[at] <= '9';
    }

    // Every control character counts as whitespace, not just the four JSON names.
    void SkipWhitespace() {
        while (!AtEnd() && static_cast<unsigned char>(text_[pos_]) <= 32) ++pos_;
    }

    bool Literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    std::optional<long double> Number() {
        std::size_t at = pos_;
        if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) ++at;
        const std::size_t digitsStart = at;
        if (!IsDigit(at)) return std::nullopt;
        while (IsDigit(at)) ++at;
        if (at < text_.size() && text_[at] == '.') {
            if (!IsDigit(at + 1)) return std::nullopt;
            at += 1;
            while (IsDigit(at)) ++at;
        }
        if (at < text_.size() && (text_[at] == 'e' || text_[at] == 'E')) {
            ++at;
            if (at < text_.size() && (text_[at] == '+' || text_[at] == '-')) ++at;
            if (!IsDigit(at)) return std::nullopt;
            while (IsDigit(at)) ++at;
        }
        // from_chars reads "." whatever the locale, but knows no "+" sign.
        long double value = 0;
        auto [end, error] = std::from_chars(text_.data() + digitsStart, text_.data() + at, value);
        if (error != std::errc{} || end != text_.data() + at) throw AbortParse{};
        if (text_[pos_] == '-') value = -value;
        pos_ = at;
        return value;
    }

    std::optional<std::string> String() {
        SkipWhitespace();
        if (Peek() != '"') return std::nullopt;
        const std::size_t start = pos_ + 1;
        std::size_t at = start;
        while (at < text_.size() && text_[at] != '"') at += text_[at] == '\\' ? 2 : 1;
        if (at >= text_.size()) return std::nullopt;
        std::string value = Unescape(text_.substr(start, at - start));
        pos_ = at + 1;
        return value;
    }

    static std::string Unescape(std::string_view raw) {
        std::string out;
        out.reserve(raw.size());
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '\\') {
                out += raw[i];
                continue;
            }
            const char kind = raw[++i];  // the scan never lets a string end in a lone backslash
            switch (kind) {
                case '"':
                case '\\':
                case '/':
                case '\'':
                    out += kind;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    char32_t code = HexCode(raw, i);
                    // Characters beyond the first plane arrive as a pair of \u escapes.
                    if (code >= 0xD800 && code <= 0xDBFF && raw.substr(i + 1, 2) == "\\u") {
                        std::size_t next = i + 2;
                        const char32_t low = HexCode(raw, next);
                        if (low >= 0xDC00 && low <= 0xDFFF) {
                            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                            i = next;
                        }
                    }
                    // A lone surrogate half cannot be written as UTF-8.
                    AppendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? U'\uFFFD' : code);
                    break;
                }
                default:
                    // An unknown escape drops both characters; a character of several bytes
                    // goes whole, so no broken UTF-8 is left behind.
                    while (i + 1 < raw.size() &&
                           (static_cast<unsigned char>(kind) & 0xC0) == 0xC0 &&
                           (static_cast<unsigned char>(raw[i + 1]) & 0xC0) == 0x80) {
                        ++i;
                    }
                    break;
            }
        }
        return out;
    }

    // The up to four hex digits after the "u" at `at`; `at` ends on the last one.
    static char32_t HexCode(std::string_view raw, std::size_t& at) {
        const std::string_view hex = raw.substr(at + 1, 4);
        if (hex.empty()) throw AbortParse{};
        char32_t code = 0;
        for (char c : hex) {
            const int digit = HexDigit(c);
            if (digit < 0) throw AbortParse{};
            code = code * 16 + static_cast<char32_t>(digit);
        }
        at += hex.size();
        return code;
    }

    std::optional<JsonArray> Array(int depth) {
        if (Peek() != '[') return std::nullopt;
        if (depth >= JsonMaxDepth) throw AbortParse{};
        const std::size_t start = pos_++;
        JsonArray array;
        while (auto element = ValueOrStay(depth + 1)) {
            array.elements.push_back(std::move(*element));
            SkipOneComma();
        }
        return Close(']', start) ? std::optional<JsonArray>(std::move(array)) : std::nullopt;
    }

    std::optional<JsonObject> Object(int depth) {
        if (Peek() != '{') return std::nullopt;
        if (depth >= JsonMaxDepth) throw AbortParse{};
        const std::size_t start = pos_++;
        JsonObject object;
        while (true) {
            const std::size_t memberStart = pos_;
            auto name = String();
            SkipWhitespace();
            if (!name || Peek() != ':') {
                pos_ = memberStart;
                break;
            }
            ++pos_;
            auto value = ValueOrStay(depth + 1);
            if (!value) {
                pos_ = memberStart;
                break;
            }
            object.index.emplace(*name, object.members.size());
            object.members.push_back({std::move(*name), std::move(*value)});
            SkipOneComma();
        }
        return Close('}', start) ? std::optional<JsonObject>(std::move(object)) : std::nullopt;
    }

    std::optional<JsonValue> ValueOrStay(int depth) {
        const std::size_t start = pos_;
        auto value = Value(depth);
        if (!value) pos_ = start;
        return value;
    }

    void SkipOneComma() {
        SkipWhitespace();
        if (Peek() == ',') ++pos_;
    }

    bool Close(char bracket, std::size_t start) {
        SkipWhitespace();
        if (Peek() == bracket) {
            ++pos_;
            return true;
        }
        pos_ = start;
        return false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::unique_ptr<JsonValue> ParseJson(std::string_view text) {
    // Some servers put a byte-order mark before the reply; it carries no meaning here.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    if (text.empty()) return nullptr;
    try {
        auto value = Reader(text).Value(0);
        return value ? std::make_unique<JsonValue>(std::move(*value)) : nullptr;
    } catch (const AbortParse&) {
        return nullptr;
    }
}

std::string ReadJsonString(std::string_view text, std::string_view name) {
    const auto document = ParseJson(text);
    if (!document) return {};
    const auto* object = std::get_if<JsonObject>(&document->content);
    if (!object) return {};
    const JsonValue* member = object->Find(name);
    if (!member) return {};
    const auto* string = std::get_if<std::string>(&member->content);
    return string ? *string : std::string{};
}

}  // namespace tessaly
