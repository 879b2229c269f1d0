// What every module shares: the text routines against hand-written cases, and files
// written, read and held in a temporary folder as a crash or a hostile path would find them.
#include "core/files.h"
#include "core/text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>

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

std::vector<std::uint8_t> bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

TEST(Files, AReplacedFileKeepsItsPermissionsAndTheFolderNoLeftovers)
{
    const core::TemporaryFolder folder("paginor-core-test-");
    const std::string path = (folder.path() / "photo.bmp").string();
    core::writeFileAtomically(path, bytes("first"));
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    core::writeFileAtomically(path, bytes("second"));
    EXPECT_EQ(core::readWholeFile(path, 100), bytes("second"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    // A writer that fails leaves the old file and no temporary.
    EXPECT_THROW(core::writeFileWith(path, [](core::OutputFile&) { throw std::runtime_error("disk gone"); }),
                 std::runtime_error);
    EXPECT_EQ(core::readWholeFile(path, 100), bytes("second"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(Files, WholeFileReadsRefuseFoldersPipesAndFilesOverTheLimit)
{
    const core::TemporaryFolder folder("paginor-core-test-");
    const auto failure = [](const std::string& path, std::uint64_t limit) {
        try {
            core::readWholeFile(path, limit);
        } catch (const core::FileError& e) {
            return e.failure();
        }
        ADD_FAILURE() << path << " was read";
        return core::FileError::Failure::CannotRead;
    };
    using enum core::FileError::Failure;
    const std::string fifo = (folder.path() / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(failure(fifo, 100), NotOrdinary); // and returns at once rather than waiting
    EXPECT_EQ(failure(folder.path().string(), 100), NotOrdinary);
    EXPECT_EQ(failure((folder.path() / "missing").string(), 100), CannotOpen);
    const std::string small = (folder.path() / "small").string();
    core::writeFileAtomically(small, bytes("12345"));
    EXPECT_EQ(failure(small, 4), TooLarge);
    EXPECT_EQ(core::readWholeFile(small, 5), bytes("12345"));
}

TEST(Files, ATemporaryFolderGoesWithEverythingInIt)
{
    std::filesystem::path kept;
    {
        const core::TemporaryFolder folder("paginor-core-test-");
        kept = folder.path();
        EXPECT_EQ(kept.filename().string().rfind("paginor-core-test-", 0), 0u);
        std::filesystem::create_directories(kept / "a" / "b");
        std::ofstream(kept / "a" / "b" / "c.jpg") << "x";
    }
    EXPECT_FALSE(std::filesystem::exists(kept));
}

} // namespace
