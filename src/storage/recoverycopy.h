#pragma once

#include "storage/characterfile.h"
#include "storage/filewrite.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

namespace Tarvosk {

class SettingsStore;
class SheetDocument;

// A copy of the unsaved sheet in the character format, so that a crash loses
// nothing typed. While the sheet holds unsaved changes the copy is rewritten
// at most once a second; once the sheet is saved it goes. The line after the
// option block names the file the character belongs to. The copy is the
// user's alone (0600 in a 0700 folder) and is never written through a link.
// It asks nothing: the session decides what becomes of a copy left behind.
class RecoveryCopy : public QObject
{
    Q_OBJECT

public:
    static constexpr int writeInterval = 1000; // ms

    // "Tarvosk/recovery.tvk" in $XDG_STATE_HOME (~/.local/state where unset).
    static QString defaultPath();

    RecoveryCopy(SheetDocument &document, const SettingsStore &settings, const QString &path = defaultPath(),
                 QObject *parent = nullptr);

    // Whether an earlier session left a copy.
    bool exists() const;
    // The copy an earlier session left; nothing, with the reason, when it
    // cannot be read as a character.
    std::optional<CharacterFile::Contents> read(FileError *error = nullptr) const;
    // A copy that cannot be read is kept under a new name beside it, so the
    // next start does not ask again; the new path, or nothing when it stays.
    std::optional<QString> setAside();
    // The sheet was given up on purpose: the copy goes, a pending write too.
    void discard();
    // Writes the copy at once, when the sheet holds unsaved changes.
    std::optional<FileError> writeNow();

    QString path() const { return m_path; }

private:
    void sheetChanged();

    SheetDocument &m_document;
    const SettingsStore &m_settings;
    QString m_path;
    QTimer m_timer;
};

} // namespace Tarvosk
