#include "platform/hosts/zt_today/options_dialog.h"

#include <QDialog>
#include <QPointer>
#include <QString>

namespace zt::platform::today {

QDialog* open_item_options(QWidget& parent, OptionsDialogFunction procedure) {
    if (!procedure) return nullptr;
    QPointer<QDialog> dialog = new QDialog(&parent);
    dialog->setWindowTitle(QString::fromUtf16(kOptionsDialogTitle));
    dialog->setGeometry(parent.geometry());
    bool ended = false;
    const auto watch = QObject::connect(dialog, &QDialog::finished, dialog, [&ended] { ended = true; });
    procedure(dialog, kMsgInitDialog, 0, 0);
    if (!dialog) return nullptr;
    QObject::disconnect(watch);
    if (ended) {
        delete dialog.data();
        return nullptr;
    }
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace zt::platform::today
