#include "settings/CRegistryDocument.h"
#include "settings/RegistryTypes.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004";

std::vector<std::uint8_t> bytes(std::initializer_list<int> values)
{
    return {values.begin(), values.end()};
}

TEST(RegistryDocument, BrokenLinesAreNoValuesAndAreKeptAsTheyWere)
{
    const std::string broken =
        "[HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004]\r\n"
        "\"back\"=dword:0000\r\n"          // cut off
        "\"music\"=dword:0000000g\r\n"     // not hex
        "\"dancer\"=\"open\r\n"            // no closing quote
        "\"cd\"=hex:1,2\r\n"               // bytes need two digits
        "\"x\"=hex:01,\\\r\n"              // continued, then the file ends
        "; a comment\r\n"
        "\"y\"=-\r\n" +
        std::string("garbage \xff\0 line\r\n", 17);
    const std::string text = "REGEDIT4\r\n\r\n" + broken;
    const auto document = CRegistryDocument::parse(std::string_view(text.data(), text.size()));
    for (const char* name : {"back", "music", "dancer", "cd", "x", "y"}) {
        EXPECT_EQ(document.findValue(kKey, name), nullptr) << name;
    }
    EXPECT_EQ(document.serialize(), text);

    // A key line inside a continued value is still a key.
    const auto continued = CRegistryDocument::parse(
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=hex:01,\\\n[HKEY_CURRENT_USER\\B]\n\"y\"=dword:00000001\n");
    EXPECT_EQ(continued.findValue("HKEY_CURRENT_USER\\A", "x"), nullptr);
    EXPECT_NE(continued.findValue("HKEY_CURRENT_USER\\B", "y"), nullptr);
}

TEST(RegistryDocument, SavingKeepsEverythingElseAndChangesOnlyTheValue)
{
    const std::string text =
        "REGEDIT4\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004]\r\n"
        "\"back\"=dword:00000001\r\n"
        "this line means nothing\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
        "\"back\"=dword:00000007\r\n";
    auto document = CRegistryDocument::parse(text);
    document.setValue(kKey, {"back", RegType::Dword, bytes({3, 0, 0, 0})});
    document.setValue(kKey, {"music", RegType::Dword, bytes({1, 0, 0, 0})});
    std::string expected = text;
    expected.replace(expected.find("00000001"), 10, "00000003\r\n\"music\"=dword:00000001\r\n");
    EXPECT_EQ(document.serialize(), expected);

    // An empty file grows a header and the key; keys are found by any case, parents too.
    auto empty = CRegistryDocument::parse("");
    EXPECT_FALSE(empty.hasKey(kKey));
    empty.setValue(kKey, {"cd", RegType::Dword, bytes({16, 0, 0, 0})});
    EXPECT_EQ(empty.serialize(), std::string("REGEDIT4\r\n\r\n[") + kKey + "]\r\n\"cd\"=dword:00000010\r\n");
    EXPECT_TRUE(empty.hasKey("HKEY_CURRENT_USER\\Software\\Velmora"));
    EXPECT_TRUE(empty.hasKey("hkey_current_user\\software\\velmora\\minnespiegel\\2004"));
    EXPECT_FALSE(empty.hasKey("HKEY_CURRENT_USER\\Software\\Velm"));
}

// A hand-edited file: a line of the name whose data cannot be read is replaced too, and so is
// every other line of that name in the key, so the next reader finds the name once; other
// keys, other names and lines that are no values stay as they were.
TEST(RegistryDocument, SavingReplacesUnreadableAndDuplicateLinesOfTheName)
{
    const std::string text =
        "REGEDIT4\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004]\r\n"
        "\"music\"=dword:zzzz\r\n"
        "\"back\"=dword:00000002\r\n"
        "\"MUSIC\"=hex:01,\\\r\n"
        "  02,zz\r\n"
        "; \"music\"=dword:00000001 in a comment\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
        "\"music\"=dword:00000007\r\n"
        "[HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004]\r\n"
        "\"music\"=dword:00000001"; // the last line, without a line break
    auto document = CRegistryDocument::parse(text);
    EXPECT_EQ(document.findValue(kKey, "music")->data, bytes({1, 0, 0, 0}));
    document.setValue(kKey, {"music", RegType::Dword, bytes({0, 0, 0, 0})});
    const std::string saved = document.serialize();
    EXPECT_EQ(saved,
              "REGEDIT4\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004]\r\n"
              "\"back\"=dword:00000002\r\n"
              "; \"music\"=dword:00000001 in a comment\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
              "\"music\"=dword:00000007\r\n"
              "[HKEY_CURRENT_USER\\Software\\Velmora\\Minnespiegel\\2004]\r\n"
              "\"music\"=dword:00000000\r\n");

    // Only unreadable lines of the name: the value takes the last one's place.
    auto damaged = CRegistryDocument::parse(
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"v\"=dword:zzzz\r\n\"w\"=dword:00000003\r\n\"v\"=\"open\r\n");
    EXPECT_EQ(damaged.findValue("HKEY_CURRENT_USER\\A", "v"), nullptr);
    damaged.setValue("HKEY_CURRENT_USER\\A", {"v", RegType::Dword, bytes({5, 0, 0, 0})});
    EXPECT_EQ(damaged.serialize(), "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"w\"=dword:00000003\r\n\"v\"=dword:00000005\r\n");

    // Later duplicates win, also in a key named again in another case.
    auto twice = CRegistryDocument::parse("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"v\"=dword:00000001\n[HKEY_CURRENT_USER\\a]\n"
                                          "\"V\"=dword:00000002\n");
    EXPECT_EQ(twice.findValue("HKEY_CURRENT_USER\\A", "v")->data[0], 2);
    twice.setValue("HKEY_CURRENT_USER\\A", {"v", RegType::Dword, bytes({9, 0, 0, 0})});
    EXPECT_EQ(twice.serialize(), "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n[HKEY_CURRENT_USER\\a]\r\n\"v\"=dword:00000009\r\n");
}

TEST(RegistryDocument, AnyValueWrittenReadsBackTheSame)
{
    std::vector<std::uint8_t> many;
    for (int i = 0; i < 100; ++i) {
        many.push_back(static_cast<std::uint8_t>(i * 7));
    }
    const SRegValueData values[] = {
        {"plain", RegType::String, bytes({'a', '"', '\\', 0})},
        {"lines", RegType::String, bytes({'a', '\n', 'b', 0})},
        {"unended", RegType::String, bytes({'a'})},
        {"odd dword", RegType::Dword, bytes({1, 2})},
        {"long", RegType::Binary, many},
        {"q\"uote\\", 11, bytes({1, 2, 3, 4, 5, 6, 7, 8})},
        {"", RegType::DwordBigEndian, bytes({1, 2, 3, 4})},
    };
    auto document = CRegistryDocument::parse("");
    for (const SRegValueData& value : values) {
        document.setValue(kKey, value);
    }
    // Read as the hand-edited file's lines are: with LF line ends and a name in another case.
    std::string text = document.serialize();
    std::erase(text, '\r');
    const auto reread = CRegistryDocument::parse(text);
    EXPECT_NE(reread.findValue(kKey, "Q\"UOTE\\"), nullptr) << "found in any case";
    EXPECT_EQ(reread.findValue(kKey, "missing"), nullptr);
    EXPECT_EQ(reread.findValue("HKEY_CURRENT_USER\\Software", "plain"), nullptr);
    for (const SRegValueData& value : values) {
        const SRegValueData* found = reread.findValue(kKey, value.name);
        ASSERT_NE(found, nullptr) << value.name;
        EXPECT_EQ(*found, value) << value.name;
    }
    EXPECT_EQ(reread.serialize(), document.serialize()) << "written again with CR LF";
}

} // namespace
