#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace Tarvosk {

class MessageService;
class SettingsStore;
class SheetDocument;

// A copy of the unsaved sheet in the character format, so that a crash loses
// nothing typed. While the sheet holds unsaved changes the copy is rewritten
// at most once a second (atomically); once the sheet is saved it goes. The
// line after the option block names the file the character belongs to.
class RecoveryCopy : public QObject
{
    Q_OBJECT

public:
    static constexpr int writeInterval = 1000; // ms

    // "Tarvosk/recovery.tvk" in $XDG_STATE_HOME (~/.local/state where unset).
    static QString defaultPath();

    RecoveryCopy(SheetDocument &document, const SettingsStore &settings, const QString &path = defaultPath(),
                 QObject *parent = nullptr);

    // A copy an earlier session left behind: asks whether to bring it back.
    // Yes puts it into the document, unsaved, and gives true; No deletes it.
    bool offerRestore(MessageService &messages);
    // The sheet was given up on purpose: the copy goes, a pending write too.
    void discard();

    QString path() const { return m_path; }

private:
    void sheetChanged();
    void write();

    SheetDocument &m_document;
    const SettingsStore &m_settings;
    QString m_path;
    QTimer m_timer;
};

} // namespace Tarvosk
