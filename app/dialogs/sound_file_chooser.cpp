#include "app/dialogs/sound_file_chooser.h"

#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/dialogs/program_look.h"
#include "platform/base/device_path.h"
#include "platform/base/device_root.h"

namespace zt::app {

std::optional<std::u16string> choose_sound_file(QWidget& parent) {
    const std::filesystem::path root = platform::device_root();
    if (root.empty()) return std::nullopt;
    CProgramDialog dialog(u"Select Sound File", &parent);
    auto* model = new QFileSystemModel(&dialog);
    model->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    model->setNameFilters({ QStringLiteral("*.wav"), QStringLiteral("*.mp3"), QStringLiteral("*.wma") });
    model->setNameFilterDisables(false);
    const QModelIndex top = model->setRootPath(QString::fromStdString(root.string()));
    auto* tree = new QTreeView(&dialog);
    tree->setModel(model);
    tree->setRootIndex(top);
    for (int column = 1; column < model->columnCount(); ++column) tree->hideColumn(column);
    tree->header()->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(tree, &QTreeView::doubleClicked, &dialog, [&dialog, model](const QModelIndex& index) {
        if (!model->isDir(index)) dialog.accept();
    });
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(tree, 1);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QModelIndex chosen = tree->currentIndex();
    if (!chosen.isValid() || model->isDir(chosen)) return std::nullopt;
    return platform::to_device_path(std::filesystem::path(model->filePath(chosen).toStdString()));
}

}  // namespace zt::app
