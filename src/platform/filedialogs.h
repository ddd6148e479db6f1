#pragma once

#include <QString>

namespace Tarvosk {

// The file-open and file-save dialogs. A filter is written "Description|pattern"
// with "|" between the entries, as "Valdris Charaktere (*.tvk)|*.tvk"; the
// filter index counts its types from 1. Tests give a scripted implementation.
class FileDialogs
{
public:
    virtual ~FileDialogs();

    // The chosen full path, or "" when the user cancels; on a choice the
    // index names the type the user chose. The chosen file must exist.
    virtual QString showOpenDialog(const QString &filter, int &filterIndex) = 0;
    // As above, starting with the initial name filled in; asks before
    // overwriting an existing file.
    virtual QString showSaveDialog(const QString &filter, int &filterIndex, const QString &initialName) = 0;
};

// The filter in the form of Qt's file dialogs: "A (*.a);;B (*.b)". A
// description that names no pattern in parentheses gets its pattern added.
QString qtFileFilter(const QString &filter);

} // namespace Tarvosk
