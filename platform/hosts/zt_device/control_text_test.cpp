#include "platform/services/control_text.h"

#include <gtest/gtest.h>

#include "platform/hosts/zt_device/control_server.h"
#include "platform/kernel/testing/test_device.h"

namespace zt::platform::services {
namespace {

TEST(ControlText, SplitsAndParsesStrictly) {
    EXPECT_EQ(split_fields("OK\t12"), (std::vector<std::string> { "OK", "12" }));
    EXPECT_EQ(split_lines("a\nb\n"), (std::vector<std::string> { "a", "b" }));
    EXPECT_EQ(parse_number("4294967295"), 4294967295u);
    EXPECT_FALSE(parse_number("4294967296"));
    EXPECT_FALSE(parse_number("1 "));
    EXPECT_EQ(parse_status("already-active"), ServiceStatus::AlreadyActive);
    EXPECT_EQ(parse_status("gibberish"), ServiceStatus::Failed);
}

TEST(ControlText, ForeignRequestsGetAnErrorNotAnAction) {
    testing::TestDevice device;
    ServiceHost host;
    for (const char* request : { "", "HELLO", "ACTIVATE", "ACTIVATE\ta\tb", "DEREGISTER\tx", "FIND\t", "\t\t\t" }) {
        auto answer = device::answer_request(request, host);
        EXPECT_TRUE(answer.starts_with("ERR\t")) << request << " -> " << answer;
    }
    EXPECT_EQ(device::answer_request("DEREGISTER\t5", host), "ERR\tnot-found");
    EXPECT_EQ(device::answer_request("ACTIVATE\tNoSuchService", host), "ERR\tnot-found");
    EXPECT_TRUE(device::answer_request("STATUS", host).starts_with("OK\t"));
}

}  // namespace
}  // namespace zt::platform::services
