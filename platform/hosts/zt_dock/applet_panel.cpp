#include "platform/hosts/zt_dock/applet_panel.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "platform/gui/image_decoder.h"
#include "platform/gui/popup_menu.h"
#include "platform/gui/tap_and_hold.h"

namespace zt::platform::dock {
namespace {

constexpr char kRemoveActionName[] = "zt_remove_applet";
// A blob larger than this is an applet's mistake, not data worth keeping.
constexpr uint32_t kMaxBlobSize = 1u << 20;

PaintRect paint_rect_of(const QRect& box) { return { box.left(), box.top(), box.right() + 1, box.bottom() + 1 }; }

}  // namespace

// An applet's host window: the applet invalidates it and sends it the host update message.
// It takes no input of its own, so taps and holds on the box reach the panel.
class AppletPanel::Host final : public QWidget {
public:
    Host(AppletPanel& panel, void* instance)
        : QWidget(&panel), m_panel(panel), m_instance(instance), m_update_message(register_window_message(kHostUpdateMessageName)) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() != today::ChildMessageEvent::kType) return QWidget::event(event);
        auto& message = static_cast<today::ChildMessageEvent&>(*event);
        if (message.message == m_update_message && message.wparam == reinterpret_cast<uintptr_t>(m_instance)) {
            m_panel.host_update(m_instance);
            message.handled = true;
        }
        return true;
    }

private:
    AppletPanel& m_panel;
    void* m_instance;
    uint32_t m_update_message;
};

AppletPanel::AppletPanel(QWidget* parent) : QWidget(parent) {
    new gui::TapAndHold(*this);
    resize(width(), kMinPanelHeight);
}

AppletPanel::~AppletPanel() { clear(); }

void AppletPanel::place(const AppletLibrary& library, void* instance) {
    auto* host = new Host(*this, instance);
    m_applets.push_back({ &library, instance, host, {} });
    library.exports().init(instance, host);
    host->show();
    lay_out();
}

bool AppletPanel::remove(void* instance) {
    const auto index = index_of(instance);
    if (!index) return false;
    Placed placed = m_applets[*index];
    m_applets.erase(m_applets.begin() + static_cast<std::ptrdiff_t>(*index));
    m_pressed.reset();
    placed.library->exports().destroy(placed.instance);
    delete placed.host.data();
    lay_out();
    return true;
}

void AppletPanel::clear() {
    // The instances first: an applet may still reach for its host widget while it goes.
    std::vector<Placed> applets;
    applets.swap(m_applets);
    for (Placed& placed : applets) placed.library->exports().destroy(placed.instance);
    for (Placed& placed : applets) delete placed.host.data();
    m_pressed.reset();
}

std::vector<uint8_t> AppletPanel::data(size_t index) const {
    const Placed& placed = m_applets[index];
    const GetDataFunction get_data = placed.library->exports().get_data;
    std::vector<uint8_t> blob;
    uint32_t size = get_data(placed.instance, nullptr, 0);
    // The blob may grow between the two calls; the second answer says so and one more try
    // catches it.
    for (int attempt = 0; attempt < 2 && size > 0 && size <= kMaxBlobSize; ++attempt) {
        blob.assign(size, 0);
        const uint32_t needed = get_data(placed.instance, blob.data(), size);
        if (needed <= size) {
            blob.resize(needed);
            return blob;
        }
        size = needed;
    }
    return {};
}

void AppletPanel::lay_out() {
    int left = kPanelGap;
    int height = kMinPanelHeight;
    for (Placed& placed : m_applets) {
        int32_t box_width = 0;
        int32_t box_height = 0;
        placed.library->exports().get_size(placed.instance, &box_width, &box_height);
        box_width = std::clamp(box_width, 0, kMaxAppletSide);
        box_height = std::clamp(box_height, 0, kMaxAppletSide);
        placed.box = QRect(left, kPanelGap, box_width, box_height);
        if (placed.host) placed.host->setGeometry(placed.box);
        left += box_width + kPanelGap;
        height = std::max(height, box_height + 2 * kPanelGap);
    }
    if (this->height() != height) resize(width(), height);
    update();
}

QImage AppletPanel::render() {
    QImage picture;
    for (int pass = 0; pass < kMaxPaintPasses; ++pass) {
        const int32_t panel_width = std::max(width(), 1);
        const int32_t panel_height = std::max(height(), 1);
        QImage background(panel_width, panel_height, QImage::Format_RGB32);
        background.fill(kPanelBackground);
        gui::DecodedImage pixels { panel_width, panel_height, (panel_width * 3 + 3) & ~3, {} };
        pixels.bits.assign(static_cast<size_t>(pixels.stride) * static_cast<size_t>(panel_height), 0);
        gui::write_bottom_up(background, pixels.bits.data(), pixels.stride);
        bool resized = false;
        for (const Placed& placed : m_applets) {
            const PaintTarget target { pixels.bits.data(), pixels.width, pixels.height, pixels.stride, placed.host };
            const PaintRect rect = paint_rect_of(placed.box);
            if (placed.library->exports().paint(placed.instance, &rect, &target) == 0) resized = true;
        }
        picture = gui::to_image(pixels);
        if (!resized) break;
        lay_out();
    }
    return picture;
}

void AppletPanel::update_applets() {
    // An applet's Update may send the host update message, which lays the row out again.
    const std::vector<Placed> applets = m_applets;
    for (const Placed& placed : applets) {
        if (!index_of(placed.instance)) continue;
        if (placed.library->exports().update(placed.instance) == 1 && placed.host) placed.host->update();
    }
}

std::optional<size_t> AppletPanel::applet_at(QPoint point) const {
    for (size_t i = 0; i < m_applets.size(); ++i)
        if (m_applets[i].box.contains(point)) return i;
    return std::nullopt;
}

std::unique_ptr<QMenu> AppletPanel::context_menu(size_t index, QPoint point) {
    const Placed& placed = m_applets[index];
    const PaintRect rect = paint_rect_of(placed.box);
    if (placed.library->exports().menu_can_be_shown(placed.instance, &rect, point.x(), point.y()) != 1) return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    placed.library->exports().fill_context_menu(placed.instance, menu.get());
    menu->addSeparator();
    menu->addAction(QString::fromUtf16(kRemoveAppletText))->setObjectName(kRemoveActionName);
    return menu;
}

void AppletPanel::menu_chosen(size_t index, QAction* chosen) {
    if (!chosen) return;
    void* instance = m_applets[index].instance;
    if (chosen->objectName() == QLatin1String(kRemoveActionName)) {
        remove(instance);
        if (m_hooks.removed) m_hooks.removed(instance);
        return;
    }
    bool ok = false;
    const uint32_t command = chosen->data().toUInt(&ok);
    if (!ok) return;
    const Placed& placed = m_applets[index];
    placed.library->exports().handle_context_menu_command(instance, placed.host, command);
    lay_out();
    if (m_hooks.changed) m_hooks.changed();
}

void AppletPanel::tap(size_t index, QPoint point) {
    const Placed& placed = m_applets[index];
    const QPoint inside = point - placed.box.topLeft();
    placed.library->exports().on_click(placed.instance, placed.host, inside.x(), inside.y());
}

void AppletPanel::host_update(void* instance) {
    if (!index_of(instance)) return;
    lay_out();
}

std::optional<size_t> AppletPanel::index_of(void* instance) const {
    for (size_t i = 0; i < m_applets.size(); ++i)
        if (m_applets[i].instance == instance) return i;
    return std::nullopt;
}

void AppletPanel::paintEvent(QPaintEvent*) {
    const QImage picture = render();
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
}

void AppletPanel::mousePressEvent(QMouseEvent* event) {
    m_pressed = applet_at(event->position().toPoint());
}

void AppletPanel::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const auto pressed = std::exchange(m_pressed, std::nullopt);
    if (pressed && applet_at(point) == pressed) tap(*pressed, point);
}

void AppletPanel::contextMenuEvent(QContextMenuEvent* event) {
    const auto index = applet_at(event->pos());
    if (!index) return;
    void* instance = m_applets[*index].instance;
    std::unique_ptr<QMenu> menu = context_menu(*index, event->pos());
    if (!menu) return;
    QAction* chosen = gui::exec_popup_menu(*menu, *this, event->globalPos());
    // The applet may have left the panel while the menu was open.
    if (const auto now = index_of(instance)) menu_chosen(*now, chosen);
}

}  // namespace zt::platform::dock
