#include "app/dialogs/city_dialog_parts.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "app/dialogs/narrow_controls.h"
#include "app/dialogs/skin_message_box.h"
#include "platform/gui/help.h"
#include "platform/gui/screen_metrics.h"
#include "platform/gui/window_stack.h"
#include "texts/text_table.h"

namespace zt::app::city_parts {

namespace msgbox = platform::msgbox;

QString qt_text(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

std::u16string translated(std::u16string_view english) { return CTextTable::instance().translate(english); }

msgbox::Answer show_box(std::u16string_view english, msgbox::Icon icon, msgbox::Buttons buttons) {
    const std::optional<msgbox::Answer> no_by_default =
        buttons == msgbox::Buttons::YesNo ? std::optional(msgbox::Answer::No) : std::nullopt;
    return show_program_box(translated(english), icon, buttons, no_by_default);
}

bool ask(std::u16string_view english) {
    return show_box(english, msgbox::Icon::Question, msgbox::Buttons::YesNo) == msgbox::Answer::Yes;
}

bool is_blank(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; });
}

QComboBox* new_list(QWidget* parent) { return new_narrow_combo_box(parent); }

void fill_screen(QWidget& dialog) {
    const platform::gui::ScreenMetrics screen = platform::gui::read_screen_metrics();
    // Placed, not only sized: left to itself a dialog opened from a page of the options sheet
    // is centred on that page and hangs below the screen with its buttons.
    dialog.setGeometry(QRect(platform::gui::from_device_screen(QPoint(0, 0)), QSize(screen.width, screen.height)));
}

QDialogButtonBox* make_dialog_buttons(QDialog& dialog, std::u16string help_topic) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, &dialog);
    const std::pair<QDialogButtonBox::StandardButton, QString> captions[] = {
        { QDialogButtonBox::Ok, QStringLiteral("OK") },
        { QDialogButtonBox::Cancel, QStringLiteral("Cancel") },
        { QDialogButtonBox::Help, QStringLiteral("Help") },
    };
    for (const auto& [which, text] : captions) {
        QPushButton* button = buttons->button(which);
        button->setText(text);
        fit_button(*button);
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, &dialog,
                     [topic = std::move(help_topic)] { platform::gui::start_help(topic); });
    return buttons;
}

CityForm::CityForm(QWidget& host, std::vector<FormRow> rows, int landscape_columns)
    : m_host(host), m_rows(std::move(rows)), m_landscape_columns(std::max(1, landscape_columns)) {
    follow_screen();
}

void CityForm::follow_screen() {
    const bool landscape = platform::gui::read_screen_metrics().landscape();
    if (m_laid_out && landscape == m_landscape) return;
    lay_out(landscape);
}

void CityForm::lay_out(bool landscape) {
    // The widgets stay children of the host; only their places go with the old layout.
    delete m_host.layout();
    auto* grid = new QGridLayout(&m_host);
    grid->setContentsMargins(0, 0, 0, 0);
    const int columns = landscape ? m_landscape_columns : 1;
    const int per_column = std::max(1, (static_cast<int>(m_rows.size()) + columns - 1) / columns);
    for (int index = 0; index < static_cast<int>(m_rows.size()); ++index) {
        const FormRow& row = m_rows[static_cast<size_t>(index)];
        const int column = (index / per_column) * 2;
        const int line = index % per_column;
        if (row.caption) grid->addWidget(row.caption, line, column);
        grid->addWidget(row.field, line, row.caption ? column + 1 : column, 1, row.caption ? 1 : 2);
        grid->setColumnStretch(column + 1, 1);
    }
    grid->setRowStretch(grid->rowCount(), 1);
    // Placed now, not at the next event loop turn: the turn of the screen has resized us already.
    grid->activate();
    m_landscape = landscape;
    m_laid_out = true;
}

}  // namespace zt::app::city_parts
