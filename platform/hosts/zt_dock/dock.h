#pragma once
// The device's applet host: a screen frame titled "Dock" whose content shows one panel of
// applets, the soft-key menu "Add" with the registered applets, the applets' Update every
// kUpdateMs, and their persistence (dock_store.h).
//
// Guarantees:
//  - A library is loaded once, on first use, and stays loaded until the dock goes; instances
//    are Deleted and their widgets destroyed before any library closes.
//  - A library that does not load or lacks an entry point is refused with a line on stderr;
//    a stored entry that cannot be restored is skipped that way and kept, at its place, in
//    what the dock writes back.
//  - The stored applets are rewritten after every add, removal and menu command, and by
//    persist().
//  - The dock's content answers the Today colour request of the applets' host widgets (their
//    grandparent) as the Today screen does.
#include <QMenu>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "platform/hosts/zt_dock/applet_library.h"
#include "platform/hosts/zt_dock/dock_store.h"

namespace zt::platform::gui {
class ShellFrame;
}

namespace zt::platform::dock {

class AppletPanel;

inline constexpr char16_t kDockTitle[] = u"Dock";
inline constexpr char16_t kAddMenuText[] = u"Add";
inline constexpr int kUpdateMs = 1000;

class Dock {
public:
    Dock();
    ~Dock();
    Dock(const Dock&) = delete;
    Dock& operator=(const Dock&) = delete;

    // Places the stored applets, in their order.
    void restore();
    // A new applet of the library at `dll` (ShowCreateDialog, then Init); false when the
    // library is refused or makes no instance.
    bool add(std::u16string_view dll);
    // Rewrites the stored applets with every applet's current blob; false when the registry
    // refused.
    bool persist();

    void show();
    gui::ShellFrame& frame() const { return *m_frame; }
    AppletPanel& panel() const { return *m_panel; }
    // The soft-key menu, refilled each time it opens.
    QMenu& add_menu() { return m_add_menu; }
    void fill_add_menu();

private:
    class Content;
    // A place on the panel, or a stored entry kept for a library that did not come back.
    struct Slot {
        void* instance { nullptr };
        std::u16string library;
        StoredApplet kept;
    };

    const AppletLibrary* library(std::u16string_view dll);
    void removed(void* instance);

    // Declared first so that they close last.
    std::vector<std::unique_ptr<AppletLibrary>> m_libraries;
    QMenu m_add_menu;
    std::unique_ptr<gui::ShellFrame> m_frame;
    Content* m_content { nullptr };
    AppletPanel* m_panel { nullptr };
    std::vector<Slot> m_slots;
    QTimer m_update;
};

}  // namespace zt::platform::dock
