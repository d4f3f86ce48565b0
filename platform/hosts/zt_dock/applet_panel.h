#pragma once
// A dock panel: a row of applets painted side by side, left to right, each in a box of the
// size it reports, on the panel's plain background.
//
// Guarantees:
//  - Each applet gets a host widget of its own (a child of the panel) covering its box; the
//    applet's invalidations of it repaint the panel there, and the registered message
//    kHostUpdateMessageName sent to it with the applet's instance lays the panel out again.
//  - Painting hands every applet its box inside one picture of the whole panel that already
//    holds the background. An applet whose Paint answers 0 (its size changed) makes the panel
//    lay out and paint again, at most kMaxPaintPasses times per repaint.
//  - A tap inside a box reaches that applet's OnClick; tap-and-hold asks MenuCanBeShown and,
//    when the applet agrees, shows its menu with a separator and "Remove Applet" added.
//  - clear() and the destructor Delete every instance and destroy the host widgets; the
//    libraries stay loaded (their owner closes them afterwards).
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/hosts/zt_dock/applet_library.h"

class QAction;
class QMenu;

namespace zt::platform::dock {

inline constexpr char16_t kRemoveAppletText[] = u"Remove Applet";
inline constexpr int kPanelGap = 2;          // around and between the boxes
inline constexpr int kMinPanelHeight = 24;   // an empty panel stays visible
inline constexpr int kMaxAppletSide = 4096;  // larger sizes are an applet's mistake
inline constexpr int kMaxPaintPasses = 4;
inline constexpr QRgb kPanelBackground = 0xFFE0E0E0;  // plain light grey

class AppletPanel final : public QWidget {
public:
    struct Hooks {
        // After an applet left the panel through its menu (already Deleted).
        std::function<void(void* instance)> removed;
        // After an applet handled a command of its menu.
        std::function<void()> changed;
    };

    explicit AppletPanel(QWidget* parent = nullptr);
    ~AppletPanel() override;

    void set_hooks(Hooks hooks) { m_hooks = std::move(hooks); }

    // Appends an instance the library made: its host widget, then Init, then a layout.
    void place(const AppletLibrary& library, void* instance);
    // Deletes the instance and its host widget; false when it is not on the panel.
    bool remove(void* instance);
    void clear();

    size_t count() const { return m_applets.size(); }
    void* instance(size_t index) const { return m_applets[index].instance; }
    QWidget* host(size_t index) const { return m_applets[index].host; }
    QRect box(size_t index) const { return m_applets[index].box; }
    // The applet's blob through GetData; empty when it has none.
    std::vector<uint8_t> data(size_t index) const;

    // Asks every applet for its size and places the boxes; the panel takes the row's height.
    void lay_out();
    // The panel's picture: the background with every applet painted in its box.
    QImage render();
    // Update for every applet (the dock's once-a-second tick).
    void update_applets();

    // The index of the box at a panel point.
    std::optional<size_t> applet_at(QPoint point) const;
    // The applet's context menu at a panel point, null when the applet declines.
    std::unique_ptr<QMenu> context_menu(size_t index, QPoint point);
    // Carries out what was chosen from that menu (null: nothing).
    void menu_chosen(size_t index, QAction* chosen);
    // A tap at a panel point inside the box.
    void tap(size_t index, QPoint point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class Host;
    struct Placed {
        const AppletLibrary* library { nullptr };
        void* instance { nullptr };
        QPointer<QWidget> host;
        QRect box;
    };

    void host_update(void* instance);
    std::optional<size_t> index_of(void* instance) const;

    std::vector<Placed> m_applets;
    std::optional<size_t> m_pressed;
    Hooks m_hooks;
};

}  // namespace zt::platform::dock
