#include "platform/hosts/zt_reg/command_line.h"

#include <gtest/gtest.h>

#include "platform/hosts/zt_reg/hex.h"
#include "platform/registry/value_codec.h"

namespace zt::platform::zt_reg {
namespace {
using registry::Root;
using registry::ValueType;

ParsedCommand parse(std::vector<std::string_view> args) { return parse_command_line(args); }

TEST(CommandLine, DwordTakesDecimalOrHexWithinThirtyTwoBits) {
    EXPECT_EQ(parse_u32("42"), 42u);
    EXPECT_EQ(parse_u32("0x2A"), 42u);
    EXPECT_EQ(parse_u32("0XffffFFFF"), 4294967295u);
    EXPECT_EQ(parse_u32("4294967295"), 4294967295u);
    for (auto bad : { "4294967296", "0x100000000", "-1", "+1", "abc", "", "0x", "12abc", " 1", "1 ", "1.5" })
        EXPECT_FALSE(parse_u32(bad)) << "accepted '" << bad << "'";

    auto too_big = parse({ "set", "HKCU\\K", "N", "--dword", "4294967296" });
    EXPECT_FALSE(too_big.command);
    EXPECT_NE(too_big.error.find("--dword"), std::string::npos);
}

TEST(CommandLine, KeyArgumentsNameARootInAnyCase) {
    auto key = parse_key_argument("hkcu\\Software\\Zunworks");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->root, Root::CurrentUser);
    EXPECT_EQ(key->path, u"Software\\Zunworks");
    auto hive = parse_key_argument("HKEY_LOCAL_MACHINE");
    ASSERT_TRUE(hive);
    EXPECT_EQ(hive->root, Root::LocalMachine);
    EXPECT_EQ(hive->path, u"");
    EXPECT_FALSE(parse_key_argument("HKCR\\x"));
    EXPECT_FALSE(parse_key_argument("Software\\x"));
}

TEST(CommandLine, SetBuildsTheValueBytes) {
    auto text = parse({ "--root", "/tmp/r", "set", "HKLM\\K", "Name", "--sz", "h\xC3\xA9" });
    ASSERT_TRUE(text.command) << text.error;
    EXPECT_EQ(text.command->root_dir, "/tmp/r");
    EXPECT_EQ(text.command->type, ValueType::Sz);
    EXPECT_EQ(text.command->data, registry::encode_sz(u"h\u00E9"));

    auto list = parse({ "set", "HKCU\\K", "", "--multi-sz", "a", "b c" });
    ASSERT_TRUE(list.command) << list.error;
    EXPECT_EQ(list.command->value_name, u"");
    EXPECT_EQ(list.command->data, registry::encode_multi_sz({ u"a", u"b c" }));

    auto blob = parse({ "--root=/tmp/r", "set", "HKCU\\K", "B", "--binary", "00FFab" });
    ASSERT_TRUE(blob.command) << blob.error;
    EXPECT_EQ(blob.command->data, (std::vector<uint8_t> { 0x00, 0xFF, 0xAB }));

    EXPECT_FALSE(parse({ "set", "HKCU\\K", "B", "--binary", "abc" }).command) << "odd hex digits";
    EXPECT_FALSE(parse({ "set", "HKCU\\K", "B", "--binary", "zz" }).command);
    EXPECT_FALSE(parse({ "set", "HKCU\\K", "B" }).command) << "no value option";
    EXPECT_FALSE(parse({ "set", "HKCU\\K", "B", "--sz" }).command);
    EXPECT_FALSE(parse({ "set", "HKCU\\K", "B", "--sz", "a", "b" }).command);
    EXPECT_FALSE(parse({ "set", "HKCU\\K", "B", "--qword", "1" }).command);
    EXPECT_FALSE(parse({ "set", "HKCU\\K", "B", "--multi-sz", "a", "" }).command);
}

TEST(CommandLine, ArgumentCountsAndOptionsAreChecked) {
    EXPECT_EQ(parse({ "--help" }).command->action, Action::Help);
    EXPECT_EQ(parse({ "get", "--help" }).command->action, Action::Help);
    EXPECT_EQ(parse({ "delete", "HKCU\\K" }).command->action, Action::Delete);
    EXPECT_FALSE(parse({ "delete", "HKCU\\K" }).command->value_name) << "no NAME means the whole key";
    EXPECT_EQ(parse({ "export" }).command->action, Action::Export);
    EXPECT_EQ(parse({ "import", "-" }).command->file, "-");

    for (auto args : std::vector<std::vector<std::string_view>> {
             {}, { "--root" }, { "--root=", "list", "HKCU" }, { "--verbose", "list", "HKCU" }, { "frobnicate" },
             { "get", "HKCU\\K" }, { "get", "HKCU\\K", "a", "b" }, { "list" }, { "delete", "HKCU\\K", "a", "b" },
             { "export", "HKCU", "HKLM" }, { "import" }, { "list", "Software\\K" } }) {
        auto parsed = parse(args);
        EXPECT_FALSE(parsed.command) << "accepted " << args.size() << " arguments";
        EXPECT_FALSE(parsed.error.empty());
    }
}

}  // namespace
}  // namespace zt::platform::zt_reg
