#include "platform/gui/property_sheet.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/gui/screen_metrics.h"
#include "platform/gui/soft_key_bar.h"

namespace zt::platform::gui {
namespace {

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PropertySheet::PropertySheet(std::u16string_view title, QWidget* parent, TranslateText translate) : QDialog(parent) {
    setWindowTitle(to_qstring(title));
    auto text = [&translate](std::u16string_view english) {
        return translate ? translate(english) : std::u16string(english);
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QTabWidget(this);
    // The handheld puts a sheet's tabs along the bottom, next to the soft keys.
    m_tabs->setTabPosition(QTabWidget::South);
    m_soft_keys = new SoftKeyBar(this, [this](uint32_t command) { on_command(command); });
    m_soft_keys->add_text_button(text(u"OK"), kCommandOk);
    m_soft_keys->add_text_button(text(u"Cancel"), kCommandCancel);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_soft_keys);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_page_handler && index >= 0) m_page_handler(index);
    });
    const ScreenMetrics screen = read_screen_metrics();
    resize(screen.width, screen.height);
}

PropertySheet::~PropertySheet() = default;

int PropertySheet::add_page(std::u16string_view title, QWidget* page) {
    if (!page) return -1;
    return m_tabs->addTab(page, to_qstring(title));
}

int PropertySheet::page_count() const { return m_tabs->count(); }

QWidget* PropertySheet::page(int index) const { return m_tabs->widget(index); }

std::u16string PropertySheet::page_title(int index) const {
    if (index < 0 || index >= m_tabs->count()) return {};
    return m_tabs->tabText(index).toStdU16String();
}

bool PropertySheet::select_page(int index) {
    if (index < 0 || index >= m_tabs->count()) return false;
    m_tabs->setCurrentIndex(index);
    return true;
}

int PropertySheet::current_page() const { return m_tabs->currentIndex(); }

void PropertySheet::set_ok_handler(std::function<bool()> handler) { m_ok_handler = std::move(handler); }

void PropertySheet::set_page_handler(std::function<void(int)> handler) { m_page_handler = std::move(handler); }

void PropertySheet::press_ok() { on_command(kCommandOk); }

void PropertySheet::press_cancel() { on_command(kCommandCancel); }

void PropertySheet::on_command(uint32_t command) {
    if (command == kCommandOk) {
        if (m_ok_handler && !m_ok_handler()) return;
        accept();
    } else if (command == kCommandCancel) {
        reject();
    }
}

bool PropertySheet::run() { return exec() == QDialog::Accepted; }

}  // namespace zt::platform::gui
