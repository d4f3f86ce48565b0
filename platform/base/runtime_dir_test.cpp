// Where the live objects of a device go when the session offers no usable private folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "platform/base/device_root.h"
#include "platform/base/state_files.h"
#include "platform/testing/child_process.h"
#include "platform/testing/temp_folder.h"

namespace zt::platform {
namespace {

namespace fs = std::filesystem;

// Sets or unsets an environment variable for one test and puts it back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old) setenv(m_name, m_old->c_str(), 1);
        else unsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class RuntimeDir : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_scratch.path().empty());
        fs::create_directory(m_scratch / "root");
        ASSERT_TRUE(set_device_root(m_scratch / "root"));
    }
    void TearDown() override {
        std::error_code ec;
        for (const auto& made : m_made) fs::remove_all(made, ec);
    }
    // The folder earlier builds always used when XDG_RUNTIME_DIR was unset: anyone could
    // make it first.
    fs::path predictable_folder() const {
        uint64_t h = 0xcbf29ce484222325ull;
        for (unsigned char c : device_root().string()) {
            h ^= c;
            h *= 0x100000001b3ull;
        }
        char name[64];
        std::snprintf(name, sizeof name, "/tmp/zt-%u-%016llx", static_cast<unsigned>(getuid()),
                      static_cast<unsigned long long>(h));
        return name;
    }
    static bool private_folder(const fs::path& dir) {
        struct stat st {};
        return lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() && (st.st_mode & 077) == 0;
    }
    static bool fits_socket_names(const fs::path& dir) {
        return dir.native().size() + 1 + kRuntimeSocketNameRoom < sizeof(sockaddr_un::sun_path);
    }
    testing::TempFolder m_scratch { "zt-rtdir" };
    std::vector<fs::path> m_made;
};

TEST_F(RuntimeDir, AFolderAnotherUserMadeFirstDoesNotStopTheDevice) {
    ScopedEnv no_session("XDG_RUNTIME_DIR", std::nullopt);
    ScopedEnv default_tmp("TMPDIR", std::nullopt);
    // Made first and left open to all: what another user's copy of the name amounts to.
    fs::path taken = predictable_folder();
    m_made.push_back(taken);
    ASSERT_EQ(mkdir(taken.c_str(), 0777), 0) << taken;
    chmod(taken.c_str(), 0777);

    fs::path dir = device_runtime_dir();
    ASSERT_FALSE(dir.empty()) << "the device has no runtime folder when its usual name is taken";
    m_made.push_back(dir);
    EXPECT_NE(dir, taken);
    EXPECT_TRUE(private_folder(dir)) << dir;
    EXPECT_TRUE(fits_socket_names(dir)) << dir;
    EXPECT_EQ(dir.filename().string().size(), taken.filename().string().size() + 7) << "an unpredictable suffix";

    // Every process of the device finds the same folder through the root.
    const pid_t child = testing::fork_child([&] { return device_runtime_dir() == dir ? 0 : 1; });
    EXPECT_EQ(testing::wait_child(child), 0) << "a second process found another folder";
    EXPECT_EQ(device_runtime_dir(), dir);

    // A folder that disappears (a cleaned /tmp) is replaced, and the root records the new one.
    fs::remove_all(dir);
    fs::path again = device_runtime_dir();
    m_made.push_back(again);
    EXPECT_TRUE(private_folder(again)) << again;
    std::ifstream record(device_root() / kRuntimePointerFileName);
    std::string recorded;
    std::getline(record, recorded);
    EXPECT_EQ(recorded, again.string());
}

TEST_F(RuntimeDir, ACopiedRootDoesNotShareTheOriginalsFolder) {
    ScopedEnv no_session("XDG_RUNTIME_DIR", std::nullopt);
    ScopedEnv default_tmp("TMPDIR", std::nullopt);
    fs::path first = device_runtime_dir();
    ASSERT_FALSE(first.empty());
    m_made.push_back(first);
    fs::create_directory(m_scratch / "copy");
    fs::copy_file(device_root() / kRuntimePointerFileName, m_scratch / "copy" / kRuntimePointerFileName);
    ASSERT_TRUE(set_device_root(m_scratch / "copy"));
    fs::path second = device_runtime_dir();
    m_made.push_back(second);
    EXPECT_FALSE(second.empty());
    EXPECT_NE(second, first);
}

TEST_F(RuntimeDir, ASessionFolderTooLongForSocketsIsPassedOver) {
    fs::path session = m_scratch / std::string(90, 's');
    ASSERT_EQ(mkdir(session.c_str(), 0700), 0);
    ScopedEnv long_session("XDG_RUNTIME_DIR", session.string());
    ScopedEnv default_tmp("TMPDIR", std::nullopt);
    fs::path dir = device_runtime_dir();
    ASSERT_FALSE(dir.empty());
    m_made.push_back(dir);
    EXPECT_TRUE(fits_socket_names(dir)) << dir;
    EXPECT_TRUE(private_folder(dir)) << dir;
}

TEST_F(RuntimeDir, ASessionFolderThatFitsIsUsedAsBefore) {
    fs::path session = m_scratch / "run";
    ASSERT_EQ(mkdir(session.c_str(), 0700), 0);
    ScopedEnv short_session("XDG_RUNTIME_DIR", session.string());
    fs::path dir = device_runtime_dir();
    EXPECT_EQ(dir.parent_path(), session);
    EXPECT_TRUE(dir.filename().string().starts_with("zt-" + std::to_string(getuid()) + "-")) << dir;
}

TEST_F(RuntimeDir, WhenNothingWorksItSaysWhy) {
    ScopedEnv no_session("XDG_RUNTIME_DIR", std::nullopt);
    fs::path not_a_folder = m_scratch / "plain-file";
    std::ofstream(not_a_folder) << "x";
    ScopedEnv bad_tmp("TMPDIR", not_a_folder.string());
    ::testing::internal::CaptureStderr();
    fs::path dir = device_runtime_dir();
    fs::path again = device_runtime_dir();
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(dir.empty()) << dir;
    EXPECT_TRUE(again.empty());
    EXPECT_NE(said.find("no private runtime folder"), std::string::npos) << said;
    EXPECT_NE(said.find("XDG_RUNTIME_DIR is not set"), std::string::npos) << said;
    EXPECT_NE(said.find(not_a_folder.string()), std::string::npos) << said;
    EXPECT_EQ(said.find("no private runtime folder"), said.rfind("no private runtime folder")) << "said once";
}

}  // namespace
}  // namespace zt::platform
