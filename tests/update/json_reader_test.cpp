#include "update/json_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly {
namespace {

struct VersionCase {
    const char* what;
    std::string text;
    std::string version;
};

void PrintTo(const VersionCase& c, std::ostream* out) {
    *out << c.what;
}

class ReadVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ReadVersion, YieldsTheFirstStringMemberOrNothing) {
    EXPECT_EQ(ReadJsonString(GetParam().text, "version"), GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReadVersion,
    ::testing::Values(
        VersionCase{"plain object", R"({"version":"1.02"})", "1.02"},
        VersionCase{"html tail", R"({"version":"1.02"}<html><body>x</body></html>)", "1.02"},
        VersionCase{"second object", R"({"version":"1.02"}{"version":"9"})", "1.02"},
        VersionCase{"no commas", R"({"a":1 "version":"1.02" "b":[1 2]})", "1.02"},
        VersionCase{"trailing comma", R"({"a":1,"version":"1.02",})", "1.02"},
        VersionCase{"first of two", R"({"version":"1.02","version":"1.03"})", "1.02"},
        VersionCase{"capital name", R"({"Version":"1.02"})", ""},
        VersionCase{"number", R"({"version":1.02})", ""},
        VersionCase{"boolean", R"({"version":true})", ""},
        VersionCase{"null", R"({"version":null})", ""},
        VersionCase{"array", R"({"version":["1.02"]})", ""},
        VersionCase{"object", R"({"version":{"v":"1.02"}})", ""},
        VersionCase{"unknown escape dropped", R"({"version":"1\.02"})", "102"},
        VersionCase{"u escape", R"({"version":"\u0031.02"})", "1.02"},
        VersionCase{"short u escape at the end", R"({"version":"1\u41"})", "1A"},
        VersionCase{"bad u escape spoils all", R"({"version":"1.02","x":"\u00zz"})", ""},
        VersionCase{"bare u escape spoils all", R"({"version":"1.02","x":"\u"})", ""},
        VersionCase{"point five elsewhere", R"({"version":"1.02","x":.5})", ""},
        VersionCase{"lone minus elsewhere", R"({"version":"1.02","x":-})", ""},
        VersionCase{"True elsewhere", R"({"version":"1.02","x":True})", ""},
        VersionCase{"undefined elsewhere", R"({"version":"1.02","x":undefined})", ""},
        VersionCase{"letter after literal", R"({"x":truex,"version":"1.02"})", ""},
        VersionCase{"number out of range", R"({"version":"1.02","x":1e999999})", ""},
        VersionCase{"plus and exponent", R"({"x":+01.5E+3,"version":"1.02"})", "1.02"},
        VersionCase{"point without digit", R"({"x":1.,"version":"1.02"})", ""},
        VersionCase{"exponent without digit", R"({"x":1e,"version":"1.02"})", ""},
        VersionCase{"double comma", R"({"x":[1,,2],"version":"1.02"})", ""},
        VersionCase{"leading comma", R"({,"version":"1.02"})", ""},
        VersionCase{"member without colon", R"({"version":"1.02" "x"})", ""},
        VersionCase{"unterminated", R"({"version":"1.02)", ""},
        VersionCase{"DEL is not whitespace", "{\"version\":\"1.02\"\x7f}", ""},
        VersionCase{"control characters between tokens", "\x01{\t\"version\"\n:\r\x1f\"1.02\"\x0b}",
                    "1.02"},
        VersionCase{"raw line break kept", "{\"version\":\"1.\n02\"}", "1.\n02"},
        VersionCase{"escaped quote inside", R"({"version":"a\"b"})", "a\"b"},
        VersionCase{"byte-order mark", "\xEF\xBB\xBF{\"version\":\"1.02\"}", "1.02"},
        VersionCase{"empty text", "", ""}, VersionCase{"whitespace only", " \t\r\n", ""},
        VersionCase{"top-level array", R"([{"version":"1.02"}])", ""},
        VersionCase{"top-level string", R"("version")", ""},
        VersionCase{"html page", "<html><body>version 1.02</body></html>", ""}));

TEST(JsonReader, ResolvesEveryEscapeOfTheTable) {
    EXPECT_EQ(ReadJsonString(R"({"s":"\"\\\/\'\b\f\n\r\t\q"})", "s"), "\"\\/'\b\f\n\r\t");
}

TEST(JsonReader, WritesEscapedCharactersAsUtf8) {
    EXPECT_EQ(ReadJsonString(R"({"s":"\u00e9\u4E2D\ud83d\ude00"})", "s"), "\u00e9\u4e2d\U0001F600");
    EXPECT_EQ(ReadJsonString(R"({"s":"\ud83d!"})", "s"), "\uFFFD!");
    EXPECT_EQ(ReadJsonString("{\"s\":\"\xe4\xb8\xad\"}", "s"), "\xe4\xb8\xad");
    EXPECT_EQ(ReadJsonString("{\"s\":\"a\\\xe4\xb8\xad" "b\"}", "s"), "ab");
}

TEST(JsonReader, BuildsTheWholeTree) {
    const auto value = ParseJson(R"( {"n": -2.5e1, "a": [true false null "x" {}], "n": 7} )");
    ASSERT_TRUE(value);
    const auto& object = std::get<JsonObject>(value->content);
    ASSERT_EQ(object.members.size(), 3u);
    EXPECT_EQ(std::get<long double>(object.Find("n")->content), -25.0L);
    const auto& array = std::get<JsonArray>(object.Find("a")->content).elements;
    ASSERT_EQ(array.size(), 5u);
    EXPECT_TRUE(std::get<bool>(array[0].content));
    EXPECT_FALSE(std::get<bool>(array[1].content));
    EXPECT_TRUE(std::holds_alternative<JsonNull>(array[2].content));
    EXPECT_EQ(std::get<std::string>(array[3].content), "x");
    EXPECT_TRUE(std::get<JsonObject>(array[4].content).members.empty());
    EXPECT_EQ(std::get<long double>(object.members[2].value.content), 7.0L);
}

TEST(JsonReader, CapsNestingInsteadOfExhaustingTheStack) {
    auto nested = [](int depth) {
        return std::string(static_cast<std::size_t>(depth), '[') +
               std::string(static_cast<std::size_t>(depth), ']');
    };
    EXPECT_TRUE(ParseJson(nested(JsonMaxDepth)));
    EXPECT_FALSE(ParseJson(nested(JsonMaxDepth + 1)));
    EXPECT_FALSE(ParseJson(std::string(1'000'000, '[')));
    std::string objects;
    for (int i = 0; i < 100'000; ++i) objects += R"({"a":)";
    EXPECT_FALSE(ParseJson(objects));
}

}  // namespace
}  // namespace tessaly
