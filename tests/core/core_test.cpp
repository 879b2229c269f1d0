// What every module shares: the text routines against hand-written cases.
#include "core/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FillCase {
    std::string form;
    std::vector<std::string> parts;
    std::string filled;
};

TEST(Text, FormsAreFilledInOnePassAndUnknownPlaceholdersStay)
{
    const std::vector<FillCase> cases = {
        {"Can't load %1", {"a.jpg"}, "Can't load a.jpg"},
        {"%2 before %1", {"one", "two"}, "two before one"},
        {"%1 and %1", {"x"}, "x and x"},
        // A part holding a placeholder of its own is not filled again.
        {"%1 then %2", {"%2", "b"}, "%2 then b"},
        {"%3 has no part", {"a"}, "%3 has no part"},
        {"100% sure, %1", {"yes"}, "100% sure, yes"},
        {"ends with %", {"a"}, "ends with %"},
        {"%0 and %%1", {"a"}, "%0 and %a"},
        {"%10", {"a"}, "a0"}, // one digit a placeholder
        {"", {"a"}, ""},
        {"no parts %1", {}, "no parts %1"},
    };
    for (const FillCase& c : cases)
        EXPECT_EQ(core::fillIn(c.form, c.parts), c.filled) << c.form;
}

TEST(Text, JsonStringsEscapeQuotesBackslashesAndControlsOnly)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", R"("")"},
        {"a.jpg T", R"("a.jpg T")"},
        {R"(say "hi")", R"("say \"hi\"")"},
        {R"(C:\photos)", R"("C:\\photos")"},
        {"tab\there", R"("tab\u0009here")"},
        {"line\r\n", R"("line\u000d\u000a")"},
        {std::string("nul\0x", 5), R"("nul\u0000x")"},
        {"\x1f\x7f", "\"\\u001f\x7f\""},
        {"Gr\xc3\xbc\xc3\x9f" "e", "\"Gr\xc3\xbc\xc3\x9f" "e\""}, // UTF-8 passes as it is
    };
    for (const auto& [text, json] : cases)
        EXPECT_EQ(core::jsonString(text), json) << text;
}

TEST(Text, LowerAndStartsWithLeaveOtherBytesAlone)
{
    EXPECT_EQ(core::lower("TRUE Yes oN"), "true yes on");
    EXPECT_EQ(core::lower("\xc3\x9c-1"), "\xc3\x9c-1");
    const std::vector<std::uint8_t> jxl = {0, 0, 0, 0x0C, 'J', 'X', 'L', ' '};
    EXPECT_TRUE(core::startsWith(jxl, std::string_view("\0\0\0\x0CJXL", 7)));
    EXPECT_FALSE(core::startsWith(jxl, std::string_view("\0\0\0\x0CJXL  ", 9)));
    EXPECT_TRUE(core::startsWith(jxl, ""));
}

} // namespace
