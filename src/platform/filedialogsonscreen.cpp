#include "platform/filedialogsonscreen.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <cmath>

namespace Tarvosk {

namespace {

QString runDialog(QFileDialog &dialog, const QString &filter, int &filterIndex)
{
    const QStringList filters = qtFileFilter(filter).split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters[filterIndex - 1]);
    // Qt's own dialog, since a desktop's dialog cannot be placed.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.adjustSize();
    if (const QWidget *owner = dialog.parentWidget()) {
        const QRect frame = owner->frameGeometry();
        const auto centred = [](int start, int ownerSize, int size) {
            return int(std::nearbyint(start + (ownerSize - size) / 2.0));
        };
        dialog.move(centred(frame.left(), frame.width(), dialog.width()),
                    centred(frame.top(), frame.height(), dialog.height()));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    if (chosen >= 0)
        filterIndex = int(chosen) + 1;
    const QString path = dialog.selectedFiles().constFirst();
    QDir::setCurrent(QFileInfo(path).absolutePath());
    return path;
}

} // namespace

QString FileDialogsOnScreen::showOpenDialog(const QString &filter, int &filterIndex)
{
    QFileDialog dialog(QApplication::activeWindow(), QString(), QDir::currentPath());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runDialog(dialog, filter, filterIndex);
}

QString FileDialogsOnScreen::showSaveDialog(const QString &filter, int &filterIndex, const QString &initialName)
{
    QFileDialog dialog(QApplication::activeWindow(), QString(), QDir::currentPath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(initialName.trimmed());
    return runDialog(dialog, filter, filterIndex);
}

} // namespace Tarvosk
