#pragma once
// A property sheet: a modal dialog with a title and named pages on tabs, answered with OK or
// Cancel from its soft-key bar. It fills the device's screen, as the handheld's sheets do.
#include <QDialog>

#include <functional>
#include <string>

#include "platform/gui/dialog_appearance.h"

class QTabWidget;

namespace zt::platform::gui {

class SoftKeyBar;

class PropertySheet final : public QDialog {
public:
    static constexpr uint32_t kCommandOk = 1;      // IDOK
    static constexpr uint32_t kCommandCancel = 2;  // IDCANCEL

    // `translate` passes the OK and Cancel texts through the program's text table.
    explicit PropertySheet(std::u16string_view title, QWidget* parent = nullptr, TranslateText translate = {});
    ~PropertySheet() override;

    // Takes the page (Qt parent); returns its index.
    int add_page(std::u16string_view title, QWidget* page);
    int page_count() const;
    QWidget* page(int index) const;
    std::u16string page_title(int index) const;

    // False (nothing changes) for an index out of range.
    bool select_page(int index);
    int current_page() const;

    // Runs before the sheet closes with OK; returning false keeps it open.
    void set_ok_handler(std::function<bool()> handler);
    // Runs whenever another page becomes current.
    void set_page_handler(std::function<void(int index)> handler);

    SoftKeyBar& soft_keys() const { return *m_soft_keys; }
    // Closes it as the soft keys would.
    void press_ok();
    void press_cancel();

    // Shows the sheet modally; true when it was closed with OK.
    bool run();

private:
    void on_command(uint32_t command);

    QTabWidget* m_tabs { nullptr };
    SoftKeyBar* m_soft_keys { nullptr };
    std::function<bool()> m_ok_handler;
    std::function<void(int)> m_page_handler;
};

}  // namespace zt::platform::gui
