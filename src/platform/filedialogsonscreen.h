#pragma once

#include "platform/filedialogs.h"

namespace Tarvosk {

// Qt's own file dialogs, centred over the active window and starting in the
// current directory. A chosen file's folder becomes the current directory, so
// the next dialog and the next default name start where the user left off.
class FileDialogsOnScreen final : public FileDialogs
{
public:
    QString showOpenDialog(const QString &filter, int &filterIndex) override;
    QString showSaveDialog(const QString &filter, int &filterIndex, const QString &initialName) override;
};

} // namespace Tarvosk
