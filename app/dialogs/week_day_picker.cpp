#include "app/dialogs/week_day_picker.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

#include "platform/gui/control_id.h"
#include "platform/gui/screen_metrics.h"

namespace zt::app {
namespace {

constexpr uint32_t kAllDays = 0x7F;

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::array<std::u16string, 7> week_day_labels(const platform::gui::CalendarLocale& locale) {
    const bool beyond_ascii = std::all_of(locale.short_day_names.begin(), locale.short_day_names.end(),
                                          [](const std::u16string& name) { return !name.empty() && name[0] >= 128; });
    const size_t wanted = locale.chinese && beyond_ascii ? 2 : 0;
    std::array<std::u16string, 7> labels;
    for (size_t day = 0; day < labels.size(); ++day) {
        const std::u16string& name = locale.short_day_names[day];
        if (!name.empty()) labels[day] = name.substr(std::min(wanted, name.size() - 1), 1);
    }
    return labels;
}

QRect week_day_picker_rect(const QRect& placeholder, bool high_resolution) {
    const int border_room = high_resolution ? 4 : 2;
    const int height = high_resolution ? 40 : 20;
    return { placeholder.topLeft(), QSize(std::max(0, placeholder.width()) / 7 * 7 + border_room, height) };
}

int week_day_cell_at(int x, int client_width) {
    const int cell_width = client_width / 7;
    if (x <= 0 || cell_width <= 0) return 0;
    const int cell = x % cell_width == 0 ? x / cell_width - 1 : x / cell_width;
    return std::clamp(cell, 0, 6);
}

CWeekDayPicker::CWeekDayPicker(const QRect& placeholder, uint32_t selection, QWidget* parent)
    : QWidget(parent), m_selection(selection & kAllDays) {
    setObjectName(to_qstring(kWeekDayPickerClass));
    const bool high_resolution = platform::gui::read_screen_metrics().high_resolution();
    m_border = high_resolution ? 2 : 1;
    const platform::gui::CalendarLocale locale = platform::gui::calendar_locale();
    m_first_day = ((locale.first_day_of_week % 7) + 7) % 7;
    m_labels = week_day_labels(locale);
    setGeometry(week_day_picker_rect(placeholder, high_resolution));
    setFixedSize(size());
    // The device's tools see the seven days as the controls a person taps.
    platform::gui::set_drawn_controls(*this, [this] {
        std::vector<platform::gui::DrawnControl> cells;
        for (int cell = 0; cell < 7; ++cell) {
            const int day = week_day_of_cell(cell, m_first_day);
            const bool set = m_selection & (1u << day);
            platform::gui::DrawnControl control;
            control.kind = "day";
            control.text = m_labels[static_cast<size_t>(day)];
            control.rect = cell_rect(cell);
            control.states = { set ? "checked" : "unchecked" };
            cells.push_back(std::move(control));
        }
        return cells;
    });
    show();
}

void CWeekDayPicker::set_selection(uint32_t selection) {
    m_selection = selection & kAllDays;
    update();
}

QRect CWeekDayPicker::client_rect() const { return rect().adjusted(m_border, m_border, -m_border, -m_border); }

QRect CWeekDayPicker::cell_rect(int cell) const {
    const QRect client = client_rect();
    const int cell_width = client.width() / 7;
    const int left = client.left() + cell * cell_width;
    const int right = cell == 6 ? client.right() + 1 : left + cell_width;
    return { left, client.top(), right - left, client.height() };
}

void CWeekDayPicker::paintEvent(QPaintEvent*) {
    // Drawn whole off screen, so a toggle never shows half a row.
    QPixmap canvas(size());
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        painter.setFont(font());
        for (int cell = 0; cell < 7; ++cell) {
            const int day = week_day_of_cell(cell, m_first_day);
            const bool set = m_selection & (1u << day);
            const QRect area = cell_rect(cell);
            painter.fillRect(area, set ? Qt::black : Qt::white);
            painter.setPen(set ? Qt::white : Qt::black);
            painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, to_qstring(m_labels[static_cast<size_t>(day)]));
            if (cell > 0) {
                painter.setPen(Qt::black);
                painter.drawLine(area.topLeft(), area.bottomLeft());
            }
        }
    }
    QPainter(this).drawPixmap(0, 0, canvas);
}

void CWeekDayPicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int x = static_cast<int>(event->position().x()) - client_rect().left();
    const int day = week_day_of_cell(week_day_cell_at(x, client_rect().width()), m_first_day);
    m_selection ^= 1u << day;
    repaint();
}

}  // namespace zt::app
