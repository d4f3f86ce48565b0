#include "tests/include_rules/include_rules.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace zt::include_rules {
namespace {

namespace fs = std::filesystem;

std::string file_text(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(IncludeRules, TheRepositoryKeepsThem) {
    const fs::path root = ZT_SOURCE_DIR;
    const ParsedRules parsed = parse_rules(file_text(root / "include_rules.txt"));
    ASSERT_TRUE(parsed.rules) << "include_rules.txt, " << parsed.error;
    ASSERT_TRUE(parsed.rules->product.contains("contracts")) << "the rules name no product folder: wrong file?";
    const std::vector<Violation> violations = check_tree(root, *parsed.rules);
    std::string report;
    for (const Violation& violation : violations) report += describe(violation) + "\n";
    EXPECT_TRUE(violations.empty()) << report;
}

class SmallTree : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        m_root = fs::temp_directory_path() / ("zt-include-rules-" + std::to_string(random()));
        ASSERT_TRUE(fs::create_directories(m_root));
    }
    void TearDown() override { fs::remove_all(m_root); }

    void put(const std::string& relative, const std::string& text) {
        fs::create_directories((m_root / relative).parent_path());
        std::ofstream(m_root / relative) << text;
    }
    std::vector<std::string> violations(const std::string& rules_text) {
        const ParsedRules parsed = parse_rules(rules_text);
        EXPECT_TRUE(parsed.rules) << parsed.error;
        if (!parsed.rules) return {};
        std::vector<std::string> lines;
        for (const Violation& violation : check_tree(m_root, *parsed.rules)) lines.push_back(describe(violation));
        return lines;
    }

    fs::path m_root;
};

constexpr char kRules[] = R"(device platform
product core:
product world: core   # a comment
product app: core world
open tests
system unistd.h
system sys/
# core/clock.cpp reads the host's time zone itself
allow core/clock.cpp sys/time.h
allow core/gone.cpp unistd.h
)";

TEST_F(SmallTree, EachKindOfViolationIsFoundAndNothingElse) {
    put("platform/kernel/process.cpp", "#include <unistd.h>\n#include \"platform/base/text.h\"\n");
    put("platform/gui/help.cpp", "#include \"core/product.h\"\n");
    put("core/store.cpp", "#include \"core/store.h\"\n  #  include \"world/city.h\"\n#include \"other/x.h\"\n");
    put("core/lock.h", "#include <cstdint>\n#include <sys/stat.h>\n#include <unistd.hpp>\n#include \"unistd.h\"\n");
    put("core/clock.cpp", "#include <sys/time.h>\n");
    put("core/lock_test.cpp", "#include <sys/wait.h>\n#include <unistd.h>\n");
    put("core/testing/child.cpp", "#include <unistd.h>\n");
    put("core/notes.txt", "#include <unistd.h>\n");
    put("world/city.cpp", "#include \"core/store.h\"\n#include \"platform/base/text.h\"\n#include \"app/main.h\"\n");
    put("app/main.cpp", "#include \"world/city.h\"\n#include \"core/store.h\"\n#include \"tests/helper.h\"\n");
    put("tests/e2e.cpp", "#include \"app/main.h\"\n#include <unistd.h>\n");

    EXPECT_EQ(violations(kRules), (std::vector<std::string> {
        "platform/gui/help.cpp:1: includes \"core/product.h\": the device layer knows no product",
        "app/main.cpp:3: includes \"tests/helper.h\": app/ may not include tests/",
        "core/lock.h:2: includes <sys/stat.h>: the device layer offers what it gives",
        "core/store.cpp:2: includes \"world/city.h\": core/ may not include world/",
        "world/city.cpp:3: includes \"app/main.h\": world/ may not include app/",
        "core/gone.cpp: allows <unistd.h> but does not include it",
    }));
}

TEST_F(SmallTree, LinkedFoldersAreNotFollowed) {
    put("elsewhere/bad.cpp", "#include <unistd.h>\n");
    fs::create_directories(m_root / "core");
    fs::create_directory_symlink(m_root / "elsewhere", m_root / "core" / "linked");
    EXPECT_EQ(violations("product core:\nsystem unistd.h\n"), std::vector<std::string> {});
}

TEST(IncludeRulesFile, ALineItCannotReadIsNamed) {
    EXPECT_EQ(parse_rules("device platform\nproduct core\n").error, "line 2: product core");
    EXPECT_EQ(parse_rules("product app: core\nproduct core:\n").error, "line 1: product app: core")
        << "a folder names only folders listed before it";
    EXPECT_EQ(parse_rules("product core:\nproduct core:\n").error, "line 2: product core:") << "listed twice";
    EXPECT_EQ(parse_rules("open tests extra\n").error, "line 1: open tests extra");
    EXPECT_EQ(parse_rules("allow core/a.cpp\n").error, "line 1: allow core/a.cpp");
    EXPECT_EQ(parse_rules("layer ../etc\n").error, "line 1: layer ../etc");
    EXPECT_EQ(parse_rules("device ../etc\n").error, "line 1: device ../etc");
    EXPECT_TRUE(parse_rules("# nothing\n\n   \n").rules);
}

}  // namespace
}  // namespace zt::include_rules
