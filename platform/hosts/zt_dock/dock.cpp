#include "platform/hosts/zt_dock/dock.h"

#include <QAction>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

#include "platform/base/text.h"
#include "platform/gui/shell_frame.h"
#include "platform/hosts/zt_dock/applet_panel.h"
#include "platform/hosts/zt_dock/tab_applets.h"

namespace zt::platform::dock {
namespace {

void complain(std::u16string_view dll, const std::string& why) {
    std::fprintf(stderr, "zt-dock: applet library %s refused: %s\n", utf16_to_utf8(dll).c_str(), why.c_str());
}

}  // namespace

// The dock's content: holds the panel at its top, as wide as itself, and answers what the
// applets ask their host widget's grandparent.
class Dock::Content final : public QWidget {
public:
    explicit Content(QWidget* parent) : QWidget(parent) {}
    AppletPanel* panel { nullptr };

protected:
    bool event(QEvent* event) override {
        if (event->type() != today::ChildMessageEvent::kType) return QWidget::event(event);
        auto& message = static_cast<today::ChildMessageEvent&>(*event);
        if (message.message == today::kMsgGetColor) {
            if (const auto colour = today::answer_colour_request(message.wparam)) {
                message.result = static_cast<intptr_t>(*colour);
                message.handled = true;
            }
        }
        return true;
    }
    void resizeEvent(QResizeEvent*) override {
        if (panel) panel->setGeometry(0, 0, width(), panel->height());
    }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::white); }
};

Dock::Dock() : m_frame(std::make_unique<gui::ShellFrame>(kDockTitle)) {
    auto* layout = new QVBoxLayout(&m_frame->content());
    layout->setContentsMargins(0, 0, 0, 0);
    m_content = new Content(&m_frame->content());
    layout->addWidget(m_content);
    m_panel = new AppletPanel(m_content);
    m_content->panel = m_panel;
    layout->activate();
    m_panel->set_hooks({
        .removed = [this](void* instance) { removed(instance); },
        .changed = [this] { persist(); },
    });

    m_add_menu.setTitle(QString::fromUtf16(kAddMenuText));
    m_frame->soft_key_bar().add_menu_button(kAddMenuText, &m_add_menu, [this](QMenu&) { fill_add_menu(); });

    m_update.setInterval(kUpdateMs);
    QObject::connect(&m_update, &QTimer::timeout, m_panel, [this] { m_panel->update_applets(); });
    m_update.start();
}

Dock::~Dock() {
    m_update.stop();
    m_panel->clear();
    m_frame.reset();
}

void Dock::show() { m_frame->show(); }

const AppletLibrary* Dock::library(std::u16string_view dll) {
    const std::u16string wanted = fold_case(dll);
    for (const auto& loaded : m_libraries)
        if (fold_case(loaded->device_path()) == wanted) return loaded.get();
    std::string error;
    auto loaded = AppletLibrary::load(dll, error);
    if (!loaded) {
        complain(dll, error);
        return nullptr;
    }
    m_libraries.push_back(std::move(loaded));
    return m_libraries.back().get();
}

void Dock::restore() {
    for (StoredApplet& stored : read_stored_applets()) {
        Slot slot;
        const auto dll = stored.library();
        const auto data = stored.data();
        const AppletLibrary* from = nullptr;
        if (!dll) {
            std::fprintf(stderr, "zt-dock: stored applet %s kept aside: no \"Library\"\n", utf16_to_utf8(stored.key).c_str());
        } else if (!data) {
            std::fprintf(stderr, "zt-dock: stored applet %s kept aside: its \"Data\" is not binary\n",
                         utf16_to_utf8(stored.key).c_str());
        } else {
            from = library(*dll);
        }
        if (from) {
            const auto size = static_cast<uint32_t>(data->size());
            slot.instance = from->exports().create(size ? data->data() : nullptr, size);
            if (!slot.instance)
                std::fprintf(stderr, "zt-dock: stored applet %s kept aside: the library made no applet of it\n",
                             utf16_to_utf8(stored.key).c_str());
        }
        if (slot.instance) {
            slot.library = *dll;
            m_panel->place(*from, slot.instance);
        } else {
            slot.kept = std::move(stored);
        }
        m_slots.push_back(std::move(slot));
    }
}

bool Dock::add(std::u16string_view dll) {
    const AppletLibrary* from = library(dll);
    if (!from) return false;
    void* instance = from->exports().show_create_dialog();
    if (!instance) {
        complain(dll, "it made no applet");
        return false;
    }
    m_slots.push_back({ instance, std::u16string(dll), {} });
    m_panel->place(*from, instance);
    persist();
    return true;
}

void Dock::removed(void* instance) {
    std::erase_if(m_slots, [instance](const Slot& slot) { return slot.instance == instance; });
    persist();
}

bool Dock::persist() {
    std::vector<StoredApplet> stored;
    for (const Slot& slot : m_slots) {
        if (!slot.instance) {
            stored.push_back(slot.kept);
            continue;
        }
        for (size_t i = 0; i < m_panel->count(); ++i)
            if (m_panel->instance(i) == slot.instance) stored.push_back(stored_applet(slot.library, m_panel->data(i)));
    }
    if (write_stored_applets(stored)) return true;
    std::fputs("zt-dock: cannot write the stored applets\n", stderr);
    return false;
}

void Dock::fill_add_menu() {
    m_add_menu.clear();
    const auto applets = registered_tab_applets();
    if (applets.empty()) {
        m_add_menu.addAction(QStringLiteral("(no applets)"))->setEnabled(false);
        return;
    }
    for (const TabApplet& applet : applets) {
        const std::u16string dll = applet.dll;
        QObject::connect(m_add_menu.addAction(QString::fromStdU16String(applet.name)), &QAction::triggered, m_frame.get(),
                         [this, dll] { add(dll); });
    }
}

}  // namespace zt::platform::dock
