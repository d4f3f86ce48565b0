// The sound panel offscreen on a device with sound files: what it lists and selects, the
// custom items, its validation with the boxes answered by the test, what it writes back, and
// Play/Stop following the sound manager.
#include "app/dialogs/sound_panel.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QSpinBox>
#include <QTime>
#include <QTimeEdit>

#include <filesystem>
#include <fstream>
#include <vector>

#include "core/sound/sound_manager.h"
#include "platform/base/device_path.h"
#include "platform/gui/control_id.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/msgbox/message_box.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::app {
namespace {

namespace msgbox = platform::msgbox;
constexpr char16_t kFolder[] = u"\\Program Files\\Zun Time\\";

class SoundPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::gui::testing::widget_test_app();
        qputenv("ZT_AUDIO", "null");
        for (const char16_t* name : { u"sounds\\b.wav", u"sounds\\Song.mp3", u"sounds\\A.WAV", u"sounds\\notes.txt" })
            put_file(std::u16string(kFolder) + name, ZT_TONE_FILE);
        put_file(u"\\Windows\\Chime.wav", ZT_TONE_FILE);
        msgbox::set_message_box_presenter([this](const msgbox::MessageBox& box) {
            boxes.push_back(box);
            return msgbox::Answer::Ok;
        });
    }
    void TearDown() override { msgbox::set_message_box_presenter({}); }

    static void put_file(const std::u16string& device_path, const char* source) {
        const auto host = platform::map_device_path(device_path);
        ASSERT_TRUE(host);
        std::filesystem::create_directories(host->parent_path());
        std::filesystem::copy_file(source, *host, std::filesystem::copy_options::overwrite_existing);
    }
    static std::vector<std::u16string> items(const CSoundPanel& panel) {
        std::vector<std::u16string> texts;
        for (int row = 0; row < panel.sound_list().count(); ++row)
            texts.push_back(panel.sound_list().itemText(row).toStdU16String());
        return texts;
    }
    // As the user picks a row of the drop-down list.
    static void pick(CSoundPanel& panel, int row) {
        panel.sound_list().setCurrentIndex(row);
        emit panel.sound_list().activated(row);
    }

    platform::testing::TempDeviceRoot root;
    core::CSoundAction action;
    std::vector<msgbox::MessageBox> boxes;
};

TEST_F(SoundPanelTest, ListsWavesThenMp3sOfTheProgramThenOfWindowsAndSelectsTheActionsFile) {
    action.set_sound_file(u"\\program files\\zun time\\SOUNDS\\b.wav");
    action.repeat_mode = 0;
    action.repeat_value = 7;
    action.volume_mode = 9;
    CSoundPanel panel(action, kFolder, nullptr);
    EXPECT_EQ(items(panel), (std::vector<std::u16string> { u"A.WAV", u"b.wav", u"Song.mp3", u"Chime.wav", u"Custom..." }));
    EXPECT_EQ(panel.selected_path(), u"\\Program Files\\Zun Time\\sounds\\b.wav") << "compared without regard to case";
    EXPECT_EQ(panel.repeat_count().value(), 7);
    EXPECT_EQ(QTime(0, 0).secsTo(panel.playing_time().time()), 60) << "the playing time preset in count mode";
    EXPECT_FALSE(panel.repeat_count().isHidden());
    EXPECT_TRUE(panel.playing_time().isHidden());
    EXPECT_EQ(panel.volume_list().currentIndex(), 1) << "an unknown volume mode reads as maximum";
    EXPECT_FALSE(panel.vibrate().isEnabled()) << "the device has no vibrator";
    EXPECT_EQ(platform::gui::control_id(panel.play_button()), 1016);
    EXPECT_EQ(platform::gui::control_id(panel.playing_time()), 1085);

    panel.repeat_list().setCurrentIndex(1);
    EXPECT_TRUE(panel.repeat_count().isHidden()) << "the repeat list switches the controls";
    EXPECT_FALSE(panel.playing_time().isHidden());

    core::CSoundAction elsewhere;
    elsewhere.set_sound_file(u"\\My Documents\\Wake.wma");
    elsewhere.repeat_value = 300;
    CSoundPanel other(elsewhere, kFolder, nullptr);
    EXPECT_EQ(other.sound_list().currentText(), "Wake.wma") << "an unlisted file becomes a custom item";
    EXPECT_EQ(other.sound_list().currentIndex(), 4);
    EXPECT_EQ(other.repeat_count().value(), 20) << "the count preset in time mode";
    EXPECT_EQ(QTime(0, 0).secsTo(other.playing_time().time()), 300);
    core::CSoundAction empty;
    CSoundPanel first(empty, kFolder, nullptr);
    EXPECT_EQ(first.sound_list().currentIndex(), 0) << "no file: the first item";
}

TEST_F(SoundPanelTest, AFourthCustomSoundDropsTheFirstAndACancelledChooserRestoresTheSelection) {
    std::vector<std::optional<std::u16string>> answers = { u"\\My Documents\\one.wav", u"\\My Documents\\two.mp3",
                                                            std::nullopt, u"\\my documents\\ONE.wav",
                                                            u"\\My Documents\\three.wav", u"\\My Documents\\four.wma" };
    size_t asked = 0;
    CSoundPanel panel(action, kFolder, nullptr, [&](QWidget&) { return answers.at(asked++); });
    const int custom = 4;  // the row of "Custom..." before any is added
    pick(panel, custom);
    pick(panel, custom + 1);
    EXPECT_EQ(panel.selected_path(), u"\\My Documents\\two.mp3");
    pick(panel, custom + 2);
    EXPECT_EQ(panel.selected_path(), u"\\My Documents\\two.mp3") << "cancelled: the previous selection";
    pick(panel, custom + 2);
    EXPECT_EQ(panel.selected_path(), u"\\My Documents\\one.wav") << "a listed file is selected, not added again";
    pick(panel, custom + 2);
    pick(panel, custom + 3);
    EXPECT_EQ(asked, answers.size());
    EXPECT_EQ(items(panel), (std::vector<std::u16string> { u"A.WAV", u"b.wav", u"Song.mp3", u"Chime.wav", u"two.mp3",
                                                           u"three.wav", u"four.wma", u"Custom..." }));
    EXPECT_EQ(panel.selected_path(), u"\\My Documents\\four.wma");
}

TEST_F(SoundPanelTest, ValidationNamesTheProblemFocusesItsControlAndApplyWritesTheAction) {
    CSoundPanel panel(action, kFolder, nullptr, [](QWidget&) { return std::optional<std::u16string> { u"\\x\\Notes.txt" }; });
    panel.repeat_list().setCurrentIndex(1);
    panel.playing_time().setTime(QTime(0, 0, 30));
    EXPECT_FALSE(panel.validate());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Repeat time must be 1 minute or more.");
    EXPECT_EQ(boxes[0].icon, msgbox::Icon::Error);
    EXPECT_EQ(panel.focusWidget(), &panel.playing_time());

    panel.playing_time().setTime(QTime(0, 2));
    pick(panel, panel.sound_list().count() - 1);  // a file of no sound type
    EXPECT_FALSE(panel.validate());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, u"Choose the sound to play!");
    EXPECT_EQ(boxes[1].icon, msgbox::Icon::Error);
    EXPECT_EQ(panel.focusWidget(), &panel.sound_list());

    pick(panel, 2);  // Song.mp3
    panel.volume_list().setCurrentIndex(2);
    EXPECT_FALSE(panel.validate());
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].text, u"This type of volume changing is supported for wav files only.");

    panel.volume_list().setCurrentIndex(0);
    ASSERT_TRUE(panel.validate());
    EXPECT_EQ(boxes.size(), 3u);
    panel.apply();
    EXPECT_EQ(action.repeat_mode, 1u);
    EXPECT_EQ(action.repeat_value, 120u) << "the playing time in seconds";
    EXPECT_EQ(action.sound_file(), u"\\Program Files\\Zun Time\\sounds\\Song.mp3");
    EXPECT_EQ(action.volume_mode, 0u);
    panel.repeat_list().setCurrentIndex(0);
    panel.repeat_count().setValue(3);
    panel.apply();
    EXPECT_EQ(action.repeat_mode, 0u);
    EXPECT_EQ(action.repeat_value, 3u);
}

TEST_F(SoundPanelTest, PlayReadsStopWhileTheSoundManagerPlaysAndClosingThePanelStopsIt) {
    const auto button_reads = [](CSoundPanel& panel, const char* text) {
        return platform::testing::eventually([&] {
            QCoreApplication::processEvents();
            return panel.play_button().text() == text;
        }, platform::testing::kPatience, text);
    };
    {
        action.repeat_mode = 1;
        action.repeat_value = 60;
        CSoundPanel panel(action, kFolder, nullptr);
        EXPECT_EQ(panel.play_button().text(), "Play");
        panel.play_button().click();
        ASSERT_TRUE(button_reads(panel, "Stop"));
        EXPECT_TRUE(sound::CSoundManager::instance().IsPlaying());
        panel.play_button().click();
        ASSERT_TRUE(button_reads(panel, "Play"));
        EXPECT_FALSE(sound::CSoundManager::instance().IsPlaying());
        panel.play_button().click();
        ASSERT_TRUE(button_reads(panel, "Stop"));
    }
    EXPECT_FALSE(sound::CSoundManager::instance().IsPlaying()) << "the closed panel stopped the sound";
}

}  // namespace
}  // namespace zt::app
