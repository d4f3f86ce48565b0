#include "core/sound_action.h"

#include <gtest/gtest.h>

#include "core/property_list.h"

namespace zt::core {
namespace {

struct Loaded {
    uint32_t repeat_mode, repeat_value, volume_mode;
    bool vibrate;
};

Loaded load(const char16_t* text) {
    CSoundAction action;
    auto map = parse_property_list(text);
    EXPECT_TRUE(map && action.load(*map)) << "loading failed";
    return { action.repeat_mode, action.repeat_value, action.volume_mode, action.vibrate };
}

TEST(SoundActionLoad, RepairsZeroAndUnknownRepeatValues) {
    Loaded time = load(u"acstr=x;acrtp=1;acrvl=0");
    EXPECT_EQ(time.repeat_mode, 1u);
    EXPECT_EQ(time.repeat_value, 60u);
    Loaded count = load(u"acstr=x;acrtp=0;acrvl=0");
    EXPECT_EQ(count.repeat_mode, 0u);
    EXPECT_EQ(count.repeat_value, 20u);
    Loaded odd = load(u"acstr=x;acrtp=7;acrvl=3");
    EXPECT_EQ(odd.repeat_mode, 1u);
    EXPECT_EQ(odd.repeat_value, 60u);
}

TEST(SoundActionLoad, OlderRecordsFallBackToRepeatFlag) {
    Loaded old_repeat = load(u"acstr=x;acrp=1");
    EXPECT_EQ(old_repeat.repeat_mode, 1u);
    EXPECT_EQ(old_repeat.repeat_value, 60u);
    Loaded neither = load(u"acstr=x");
    EXPECT_EQ(neither.repeat_mode, 0u);
    EXPECT_EQ(neither.repeat_value, 1u);
    Loaded value_only = load(u"acstr=x;acrvl=30;acrp=0");
    EXPECT_EQ(value_only.repeat_mode, 0u) << "a value without its mode falls back too";
    EXPECT_EQ(value_only.repeat_value, 1u);
}

TEST(SoundActionLoad, MissingVolumeMeansMaximumThoughNewActionsAscend) {
    EXPECT_EQ(CSoundAction {}.volume_mode, CSoundAction::kVolumeAscending);
    EXPECT_EQ(load(u"acstr=x").volume_mode, CSoundAction::kVolumeMaximum);
    EXPECT_TRUE(load(u"acstr=x;acvb=5").vibrate);
    EXPECT_FALSE(load(u"acstr=x;acvb=no").vibrate);
}

TEST(SoundActionLoad, SoundFileIsRequired) {
    CSoundAction action;
    auto map = parse_property_list(u"acrtp=1;acrvl=60");
    EXPECT_FALSE(action.load(*map));
}

TEST(SoundActionFactory, OnlyTypeZeroExistsAndCopyNeedsSameType) {
    EXPECT_TRUE(create_action(0));
    EXPECT_FALSE(create_action(1));
    EXPECT_FALSE(create_action(-1));
    CSoundAction source;
    source.set_sound_file(u"\\a.wav");
    source.repeat_mode = 0;
    source.repeat_value = 3;
    source.vibrate = true;
    CSoundAction target;
    source.copy_to(target);
    EXPECT_EQ(target.sound_file(), u"\\a.wav");
    EXPECT_EQ(target.repeat_value, 3u);
    EXPECT_TRUE(target.vibrate);
    CValueMap saved;
    ASSERT_TRUE(source.save(saved));
    CSoundAction reloaded;
    ASSERT_TRUE(reloaded.load(saved));
    EXPECT_EQ(reloaded.repeat_mode, 0u);
    EXPECT_EQ(reloaded.repeat_value, 3u);
    EXPECT_EQ(reloaded.volume_mode, source.volume_mode);
}

}  // namespace
}  // namespace zt::core
