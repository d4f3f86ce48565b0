#include "platform/hosts/zt_reg/dump_format.h"

#include <gtest/gtest.h>

#include "platform/registry/value_codec.h"

namespace zt::platform::zt_reg {
namespace {
using registry::Root;
using registry::ValueType;
using Bytes = std::vector<uint8_t>;
using namespace std::string_literals;

bool operator==(const DumpValue& a, const DumpValue& b) {
    return a.name == b.name && a.type == b.type && a.data == b.data;
}

std::string dump_text(const std::vector<DumpKey>& keys) {
    std::string text = format_signature_line();
    for (const auto& key : keys) {
        text += format_key_line(key.root, key.path);
        for (const auto& value : key.values) text += format_value_line(value);
    }
    return text;
}

void expect_same_keys(const std::vector<DumpKey>& expected, const std::vector<DumpKey>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(expected[k].root, actual[k].root) << "key " << k;
        EXPECT_EQ(expected[k].path, actual[k].path) << "key " << k;
        ASSERT_EQ(expected[k].values.size(), actual[k].values.size()) << "key " << k;
        for (size_t v = 0; v < expected[k].values.size(); ++v)
            EXPECT_TRUE(expected[k].values[v] == actual[k].values[v]) << "key " << k << " value " << v;
    }
}

const std::u16string kLoneHigh(1, char16_t(0xD83D));
const std::u16string kLoneLow(1, char16_t(0xDE00));

TEST(DumpFormat, EveryNameTextAndByteSequenceRoundTripsExactly) {
    const std::u16string tricky = u"line1\nline2 \"q\" = \\ \t\r mid\0end \u00FCber \u6771\u4EAC \U0001F600 "
                                  u"\u0001\u007F"s + kLoneHigh + u"x" + kLoneLow;
    std::vector<DumpKey> keys {
        { Root::CurrentUser, u"", { { u"AtRoot", ValueType::Dword, registry::encode_dword(1) } } },
        { Root::CurrentUser, u"Software\\Zun Time", {
            { u"", ValueType::Sz, registry::encode_sz(u"default") },
            { u"=", ValueType::Sz, registry::encode_sz(tricky) },
            { u"\"quoted\" [x] ;semi", ValueType::ExpandSz, registry::encode_sz(u"%TEMP%\\dir") },
            { u"new\nline" + kLoneHigh, ValueType::Sz, registry::encode_sz(u"") },
            { u"Count", ValueType::Dword, registry::encode_dword(4294967295u) },
            { u"ShortDword", ValueType::Dword, Bytes { 1, 2, 3 } },
            { u"Blob", ValueType::Binary, Bytes { 0, 0xFF, 0x10 } },
            { u"EmptyBlob", ValueType::Binary, Bytes {} },
            { u"List", ValueType::MultiSz, registry::encode_multi_sz({ u"a", tricky, u"\"" }) },
            { u"EmptyList", ValueType::MultiSz, registry::encode_multi_sz({}) },
            { u"LoneNulList", ValueType::MultiSz, Bytes { 0, 0 } },
            { u"BadList", ValueType::MultiSz, Bytes { 'a', 0 } },
            { u"OddText", ValueType::Sz, Bytes { 'a', 0, 'b' } },
            { u"Unterminated", ValueType::Sz, Bytes { 'a', 0 } },
            { u"Strange", static_cast<ValueType>(0xFFFFFFFFu), Bytes { 9 } },
            { u"None", ValueType::None, Bytes {} },
        } },
        { Root::LocalMachine, u"we\nird\\sp ace \\[bracket]\\quote\"\\semi;colon\\" + kLoneLow, {} },
    };
    std::string text = dump_text(keys);
    DumpParse parsed = parse_dump(text);
    ASSERT_FALSE(parsed.error) << *parsed.error << "\n" << text;
    expect_same_keys(keys, parsed.keys);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21) << "one line per key and value:\n" << text;
}

TEST(DumpFormat, LinesReadAsDocumented) {
    EXPECT_EQ(format_key_line(Root::CurrentUser, u"Software\\Zunworks"), "[HKEY_CURRENT_USER\\Software\\Zunworks]\n");
    EXPECT_EQ(format_key_line(Root::LocalMachine, u"a\nb"), "[\"HKEY_LOCAL_MACHINE\\\\a\\nb\"]\n");
    EXPECT_EQ(format_value_line({ u"", ValueType::Sz, registry::encode_sz(u"Zürich") }), "@ = sz:\"Z\xC3\xBCrich\"\n");
    EXPECT_EQ(format_value_line({ u"Count", ValueType::Dword, registry::encode_dword(42) }), "\"Count\" = dword:42\n");
    EXPECT_EQ(format_value_line({ u"B", ValueType::Binary, Bytes { 0xAB, 0x01 } }), "\"B\" = binary:ab01\n");
    EXPECT_EQ(format_value_line({ u"L", ValueType::MultiSz, registry::encode_multi_sz({ u"x", u"y" }) }),
              "\"L\" = multi_sz:\"x\",\"y\"\n");
    EXPECT_EQ(format_value_line({ u"D", ValueType::Dword, Bytes { 1 } }), "\"D\" = hex(4):01\n");
}

TEST(DumpFormat, HandWrittenDumpsWithCommentsCrlfAndSpacingAreRead) {
    DumpParse parsed = parse_dump("; made by hand\r\n\r\nzt-reg export 1\r\n[hklm\\System]\r\n"
                                  "\"A\"=dword:0x10\r\n  ; indented comment\n\"B\"  =  sz:\"x\"  \r\n");
    ASSERT_FALSE(parsed.error) << *parsed.error;
    ASSERT_EQ(parsed.keys.size(), 1u);
    EXPECT_EQ(parsed.keys[0].root, Root::LocalMachine);
    EXPECT_EQ(parsed.keys[0].path, u"System");
    ASSERT_EQ(parsed.keys[0].values.size(), 2u);
    EXPECT_EQ(parsed.keys[0].values[0].data, registry::encode_dword(16));
    EXPECT_EQ(parsed.keys[0].values[1].data, registry::encode_sz(u"x"));
}

TEST(DumpFormat, MalformedDumpsAreRefusedWithTheirLineNumber) {
    const std::string head = "zt-reg export 1\n[HKCU\\K]\n";
    const std::pair<std::string, std::string> cases[] = {
        { "", "not a zt-reg export" },
        { "Windows Registry Editor\n", "line 1" },
        { "zt-reg export 1\n\"A\" = dword:1\n", "line 2: value before" },
        { "zt-reg export 1\n[HKCR\\K]\n", "line 2" },
        { "zt-reg export 1\n[HKCU\\a\\\\b]\n", "line 2: key path has an empty name" },
        { head + "\"A\" = qword:1\n", "line 3: unknown value type" },
        { head + "\"A\" = sz:\"open\n", "line 3: malformed quoted text" },
        { head + "\"A\" = sz:\"bad \\q escape\"\n", "line 3" },
        { head + "\"A\" = sz:\"\\u12\"\n", "line 3" },
        { head + "\"A\" = binary:abc\n", "line 3: malformed hex" },
        { head + "\"A\" = dword:4294967296\n", "line 3: dword" },
        { head + "\"A\" = dword:-1\n", "line 3: dword" },
        { head + "\"A\" = dword:1 extra\n", "line 3: unexpected text" },
        { head + "\"A\" = multi_sz:\"a\",\n", "line 3" },
        { head + "\"A\" = multi_sz:\"a\",\"\"\n", "line 3" },
        { head + "A = dword:1\n", "line 3: expected a quoted value name" },
        { head + "\"A\" dword:1\n", "line 3: expected '='" },
        { head + "\"A\" = hex(x):00\n", "line 3: hex(N)" },
    };
    for (const auto& [text, expected] : cases) {
        DumpParse parsed = parse_dump(text);
        ASSERT_TRUE(parsed.error) << "accepted: " << text;
        EXPECT_NE(parsed.error->find(expected), std::string::npos) << *parsed.error << " for: " << text;
        EXPECT_TRUE(parsed.keys.empty()) << "a refused dump yields nothing to import";
    }
}

}  // namespace
}  // namespace zt::platform::zt_reg
