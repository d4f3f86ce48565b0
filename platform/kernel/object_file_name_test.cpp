#include "platform/kernel/object_file_name.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace zt::platform::detail {
namespace {

TEST(ObjectFileName, DistinctNamesGetDistinctSafeFileNames) {
    const std::u16string names[] = {
        u"ZunAlarmNotify", u"zunalarmnotify", u"/Windows/ZunTime.exe", u"\\Windows\\ZunTime.exe",
        u"ZunAlarmNotify abcd1234", u"%002F", u"a/b", u"a%2Fb", u"Ümlaut", u"\xD800", u"..",
        std::u16string(1, u'\0'),
    };
    std::set<std::string> files;
    for (const auto& name : names) {
        std::string file = object_file_name(name);
        EXPECT_TRUE(file.starts_with("o-")) << file;
        EXPECT_EQ(file.find('/'), std::string::npos) << file;
        EXPECT_EQ(file.find('\0'), std::string::npos);
        files.insert(file);
    }
    EXPECT_EQ(files.size(), std::size(names));
    EXPECT_EQ(object_file_name(u"ZunAlarmNotify"), "o-ZunAlarmNotify") << "readable when it can be";
}

TEST(ObjectFileName, LongNamesAreHashedToAValidFileName) {
    std::u16string long_a(400, u'a');
    std::u16string long_b = long_a;
    long_b.back() = u'b';
    std::string a = object_file_name(long_a);
    EXPECT_TRUE(a.starts_with("h-"));
    EXPECT_LE(a.size(), 255u);
    EXPECT_EQ(a, object_file_name(long_a)) << "the same name always finds the same file";
    EXPECT_NE(a, object_file_name(long_b));
}

}  // namespace
}  // namespace zt::platform::detail
