// The Qt presenter driven offscreen: the box it shows carries the icon and buttons asked for,
// and the button the user clicks is the answer.
#include "platform/msgbox/qt/qt_message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "platform/gui/testing/widget_test_app.h"
#include "platform/msgbox/message_box.h"

namespace zt::platform::msgbox {
namespace {

struct Seen {
    QMessageBox::Icon icon { QMessageBox::NoIcon };
    bool has_icon_picture { false };
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton default_button { QMessageBox::NoButton };
    std::vector<QString> button_texts;
};

// Waits for the box to open, records it, then clicks `click` (NoButton: presses Escape).
void answer_when_shown(Seen& seen, QMessageBox::StandardButton click) {
    QTimer::singleShot(0, [&seen, click] {
        QMessageBox* box = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* candidate = qobject_cast<QMessageBox*>(widget); candidate && candidate->isVisible()) box = candidate;
        }
        if (!box) {
            answer_when_shown(seen, click);
            return;
        }
        seen = { box->icon(), !box->iconPixmap().isNull(), box->windowTitle(), box->text(), box->standardButtons(),
                 box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton, {} };
        for (QAbstractButton* button : box->buttons()) seen.button_texts.push_back(button->text());
        std::sort(seen.button_texts.begin(), seen.button_texts.end());
        if (click == QMessageBox::NoButton) box->reject();
        else box->button(click)->click();
    });
}

class QtMessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        zt::platform::gui::testing::widget_test_app();
        qunsetenv("ZT_MESSAGE_LOG");
        install_qt_message_boxes();
    }
    void TearDown() override { set_message_box_presenter({}); }
};

TEST_F(QtMessageBoxTest, ShowsTheIconOfEachKind) {
    const std::pair<Icon, QMessageBox::Icon> kinds[] = {
        { Icon::Error, QMessageBox::Critical }, { Icon::Warning, QMessageBox::Warning },
        { Icon::Information, QMessageBox::Information }, { Icon::Question, QMessageBox::Question },
    };
    for (const auto& [icon, expected] : kinds) {
        Seen seen;
        answer_when_shown(seen, QMessageBox::Ok);
        EXPECT_EQ(show_message_box({ u"Error loading the skin!", u"Zun Time", icon, Buttons::Ok, {} }), Answer::Ok);
        EXPECT_EQ(seen.icon, expected);
        EXPECT_TRUE(seen.has_icon_picture) << "the icon is drawn, not only named";
        EXPECT_EQ(seen.title, QStringLiteral("Zun Time"));
        EXPECT_EQ(seen.text, QStringLiteral("Error loading the skin!"));
        EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}

TEST_F(QtMessageBoxTest, YesNoAnswersWithTheClickedButton) {
    Seen seen;
    answer_when_shown(seen, QMessageBox::No);
    const MessageBox question { u"Delete the alarm?", u"Zun Time", Icon::Question, Buttons::YesNo, {} };
    EXPECT_EQ(show_message_box(question), Answer::No);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.default_button, QMessageBox::Yes) << "the first button is the default";

    answer_when_shown(seen, QMessageBox::Yes);
    EXPECT_EQ(show_message_box(question), Answer::Yes);
}

TEST_F(QtMessageBoxTest, ClosingWithoutAButtonGivesTheDefault) {
    Seen seen;
    answer_when_shown(seen, QMessageBox::NoButton);
    MessageBox question { u"Keep?", u"Zun Time", Icon::Warning, Buttons::YesNo, Answer::No };
    EXPECT_EQ(show_message_box(question), Answer::No);
    EXPECT_EQ(seen.default_button, QMessageBox::No);
}

TEST_F(QtMessageBoxTest, TheProgramPreparesEachBoxWithTheDevicesButtonWords) {
    std::vector<QString> words;
    install_qt_message_boxes([&words](QWidget& box) {
        for (QAbstractButton* button : box.findChildren<QAbstractButton*>()) {
            words.push_back(button->text());
            if (button->text() == "No") button->setText("Nein");
        }
    });
    Seen seen;
    answer_when_shown(seen, QMessageBox::No);
    EXPECT_EQ(show_message_box({ u"Remove?", u"Zun Time", Icon::Question, Buttons::YesNo, {} }), Answer::No);
    std::sort(words.begin(), words.end());
    EXPECT_EQ(words, (std::vector<QString> { "No", "Yes" })) << "English words whatever Qt's language";
    EXPECT_EQ(seen.button_texts, (std::vector<QString> { "Nein", "Yes" })) << "prepared before it showed";
}

}  // namespace
}  // namespace zt::platform::msgbox
