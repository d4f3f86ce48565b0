// zt-reg end to end: the built program against a fresh device root.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/registry/registry.h"
#include "platform/registry/value_codec.h"
#include "platform/testing/run_program.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::registry {
namespace {

using Outcome = testing::ProgramResult;

class ZtRegTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.path().empty());
        const char* bin = std::getenv("ZT_BIN_DIR");
        ASSERT_TRUE(bin) << "ZT_BIN_DIR is not set; run through ctest";
        m_program = std::string(bin) + "/zt-reg";
        ASSERT_EQ(access(m_program.c_str(), X_OK), 0) << m_program;
    }

    // Runs zt-reg --root <this test's root> args..., feeding input on stdin.
    Outcome zt_reg(std::vector<std::string> args, const std::string& input = "") const {
        args.insert(args.begin(), { "--root", m_root.path().string() });
        return testing::run_program(m_program, args, input);
    }

    void expect_exit(const Outcome& run, int code, const char* what) const {
        EXPECT_EQ(run.exit_code, code) << what << "\nstdout: " << run.out << "\nstderr: " << run.err;
        if (code != 0) {
            EXPECT_FALSE(run.err.empty()) << what << ": a failure must say why on stderr";
        }
    }

    testing::TempDeviceRoot m_root;
    std::string m_program;
};

TEST_F(ZtRegTest, SetThenGetEachType) {
    expect_exit(zt_reg({ "set", "HKCU\\Software\\Zunworks", "Text", "--sz", "h\xC3\xA9llo w\xC3\xB6rld" }), 0, "set sz");
    expect_exit(zt_reg({ "set", "HKCU\\Software\\Zunworks", "Number", "--dword", "0x10" }), 0, "set dword");
    expect_exit(zt_reg({ "set", "HKCU\\Software\\Zunworks", "Blob", "--binary", "00FF7a" }), 0, "set binary");
    expect_exit(zt_reg({ "set", "HKCU\\Software\\Zunworks", "List", "--multi-sz", "a", "b c" }), 0, "set multi");
    expect_exit(zt_reg({ "set", "HKEY_LOCAL_MACHINE\\Deep\\Er", "", "--sz", "default" }), 0, "set default");

    EXPECT_EQ(zt_reg({ "get", "HKCU\\Software\\Zunworks", "Text" }).out, "h\xC3\xA9llo w\xC3\xB6rld\n");
    EXPECT_EQ(zt_reg({ "get", "hkcu\\SOFTWARE\\zunworks", "NUMBER" }).out, "16\n") << "any case, like the registry";
    EXPECT_EQ(zt_reg({ "get", "HKCU\\Software\\Zunworks", "Blob" }).out, "00ff7a\n");
    EXPECT_EQ(zt_reg({ "get", "HKCU\\Software\\Zunworks", "List" }).out, "a\nb c\n");
    EXPECT_EQ(zt_reg({ "get", "HKLM\\Deep\\Er", "" }).out, "default\n");

    // What the program wrote is what the registry API reads.
    auto key = Key::open(Root::CurrentUser, u"Software\\Zunworks");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->get_dword(u"Number"), 16u);
    EXPECT_EQ(key->get_string(u"Text"), u"h\u00E9llo w\u00F6rld");
}

TEST_F(ZtRegTest, ExitCodesSayWhatWentWrong) {
    expect_exit(zt_reg({ "get", "HKCU\\Missing", "x" }), 1, "missing key");
    zt_reg({ "set", "HKCU\\Present", "x", "--dword", "1" });
    expect_exit(zt_reg({ "get", "HKCU\\Present", "y" }), 1, "missing value");
    expect_exit(zt_reg({ "list", "HKCU\\Missing" }), 1, "list of a missing key");
    expect_exit(zt_reg({ "delete", "HKCU\\Missing" }), 1, "delete of a missing key");
    expect_exit(zt_reg({ "delete", "HKCU\\Present", "y" }), 1, "delete of a missing value");
    expect_exit(zt_reg({ "export", "HKLM\\Missing" }), 1, "export of a missing key");

    expect_exit(zt_reg({ "set", "HKCU\\Present", "x", "--dword", "4294967296" }), 2, "dword out of range");
    expect_exit(zt_reg({ "set", "HKCU\\Present", "x", "--dword", "ten" }), 2, "dword not a number");
    expect_exit(zt_reg({ "set", "HKCR\\Present", "x", "--dword", "1" }), 2, "unknown root");
    expect_exit(zt_reg({ "set", "HKCU\\a\\\\b", "x", "--dword", "1" }), 2, "malformed key path");
    expect_exit(zt_reg({ "frobnicate" }), 2, "unknown command");
    expect_exit(zt_reg({ "delete", "HKCU" }), 2, "a whole hive is not deleted");
    expect_exit(zt_reg({ "import", (m_root.path() / "no-such-file").string() }), 2, "missing import file");
    EXPECT_EQ(zt_reg({ "get", "HKCU\\Present", "x" }).out, "1\n") << "failed commands change nothing";

    Outcome help = zt_reg({ "--help" });
    expect_exit(help, 0, "help");
    EXPECT_NE(help.out.find("usage: zt-reg"), std::string::npos);
}

TEST_F(ZtRegTest, ListShowsSubkeysThenValuesInCreationOrder) {
    zt_reg({ "set", "HKCU\\L\\Zulu", "x", "--dword", "1" });
    zt_reg({ "set", "HKCU\\L\\alpha", "x", "--dword", "1" });
    zt_reg({ "set", "HKCU\\L", "Text", "--sz", "two\nlines" });
    zt_reg({ "set", "HKCU\\L", "", "--dword", "7" });
    zt_reg({ "set", "HKCU\\L", "Blob", "--binary", "0a0b" });
    zt_reg({ "set", "HKCU\\L", "List", "--multi-sz", "a", "b" });
    Outcome list = zt_reg({ "list", "HKCU\\L" });
    expect_exit(list, 0, "list");
    EXPECT_EQ(list.out, "[Zulu]\n[alpha]\n"
                        "Text = REG_SZ two\\nlines\n"
                        "@ = REG_DWORD 7\n"
                        "Blob = REG_BINARY 0a0b\n"
                        "List = REG_MULTI_SZ a\\0b\n");
}

TEST_F(ZtRegTest, DeleteRemovesAValueOrAWholeTree) {
    zt_reg({ "set", "HKCU\\D\\Below\\Deeper", "x", "--dword", "1" });
    zt_reg({ "set", "HKCU\\D", "keep", "--dword", "1" });
    zt_reg({ "set", "HKCU\\D", "drop", "--dword", "1" });
    expect_exit(zt_reg({ "delete", "HKCU\\D", "DROP" }), 0, "delete value");
    EXPECT_EQ(zt_reg({ "list", "HKCU\\D" }).out, "[Below]\nkeep = REG_DWORD 1\n");
    expect_exit(zt_reg({ "delete", "HKCU\\D" }), 0, "delete tree");
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"D"));
}

TEST_F(ZtRegTest, ExportThenImportRestoresEverythingExactly) {
    {
        auto created = Key::create(Root::CurrentUser, u"Software\\Zunworks\\Zun Time");
        ASSERT_TRUE(created);
        const Key& key = created->key;
        key.set_string(u"", u"default");
        key.set_string(u"Quotes \"=\" and \\", u"line\nbreak\r\ttab \u6771\u4EAC \U0001F600");
        key.set_value(u"Lone", ValueType::Sz, encode_sz(std::u16string(1, char16_t(0xDC00))));
        key.set_dword(u"Count", 4000000000u);
        key.set_binary(u"Blob", std::vector<uint8_t> { 0, 1, 254, 255 });
        key.set_multi_string(u"List", { u"one", u"two" });
        key.set_value(u"Odd", static_cast<ValueType>(99), std::vector<uint8_t> { 7 });
        ASSERT_TRUE(key.create_subkey(u"Alarms\\Empty child"));
        ASSERT_TRUE(key.create_subkey(u"new\nline key"));
    }
    Outcome exported = zt_reg({ "export", "HKCU\\Software" });
    expect_exit(exported, 0, "export");
    std::string dump_file = (m_root.path() / "dump.txt").string();
    std::ofstream(dump_file) << exported.out;

    expect_exit(zt_reg({ "delete", "HKCU\\Software" }), 0, "delete before import");
    expect_exit(zt_reg({ "import", dump_file }), 0, "import from a file");
    EXPECT_EQ(zt_reg({ "export", "HKCU\\Software" }).out, exported.out) << "the round trip must be exact";

    expect_exit(zt_reg({ "delete", "HKCU\\Software" }), 0, "delete before import");
    expect_exit(zt_reg({ "import", "-" }, exported.out), 0, "import from stdin");
    EXPECT_EQ(zt_reg({ "export", "HKCU\\Software" }).out, exported.out);
    auto lone = Key::open(Root::CurrentUser, u"Software\\Zunworks\\Zun Time")->get_string(u"Lone");
    EXPECT_EQ(lone, std::u16string(1, char16_t(0xDC00))) << "unpaired surrogates survive the text form";
}

TEST_F(ZtRegTest, WholeRegistryExportCoversBothHives) {
    zt_reg({ "set", "HKCU\\A", "x", "--dword", "1" });
    zt_reg({ "set", "HKLM\\B", "y", "--sz", "z" });
    Outcome all = zt_reg({ "export" });
    expect_exit(all, 0, "export");
    EXPECT_EQ(all.out, "zt-reg export 1\n"
                       "[HKEY_CURRENT_USER]\n[HKEY_CURRENT_USER\\A]\n\"x\" = dword:1\n"
                       "[HKEY_LOCAL_MACHINE]\n[HKEY_LOCAL_MACHINE\\B]\n\"y\" = sz:\"z\"\n");
}

TEST_F(ZtRegTest, MalformedImportChangesNothing) {
    Outcome bad = zt_reg({ "import", "-" }, "zt-reg export 1\n[HKCU\\Imported]\n\"a\" = dword:1\n\"b\" = dword:x\n");
    expect_exit(bad, 2, "malformed import");
    EXPECT_NE(bad.err.find("line 4"), std::string::npos) << bad.err;
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"Imported")) << "nothing of a refused dump is written";
}

}  // namespace
}  // namespace zt::platform::registry
