#pragma once

#include "storage/filewrite.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace Tarvosk {

class CharacterSheet;
class FileDialogs;
class MessageService;
class RecoveryCopy;
class SettingsStore;
class SheetDocument;
class SheetFormat;
struct SheetStyle;

// What the session needs from the rest of the program; tests give their own.
struct SessionContext
{
    SettingsStore &settings;
    MessageService &messages;
    FileDialogs &dialogs;
    // The formats the sheet is written in, the character file first.
    QList<const SheetFormat *> formats;
    // CheckFontName with the installed fonts, for the font names a file brings; none keeps them as written.
    std::function<QString(const QString &name)> checkFontName{};
    // Where the copy of an unsaved sheet is kept; empty for none.
    QString recoveryPath{};
};

// The life of the character on the sheet, from start-up to the end of the
// program: what is opened, saved, exported, handed over by a second start,
// deleted, and the copy that keeps unsaved work through a crash. Every
// question about a file is asked here, through the message and dialog
// services; the windows only bind their commands to these calls.
class CharacterSession : public QObject
{
    Q_OBJECT

public:
    static const QString loadFailed; // "Fehler beim Laden !"
    static const QString saveFailed; // "Fehler beim Speichern"

    explicit CharacterSession(SessionContext context, QObject *parent = nullptr);
    ~CharacterSession() override;

    SheetDocument &document() const;
    SettingsStore &settings() const { return m_context.settings; }
    MessageService &messages() const { return m_context.messages; }
    const QList<const SheetFormat *> &formats() const;
    // The format of that extension (".docx"); none where there is none.
    const SheetFormat *format(QStringView extension) const;
    // The look of the page as the settings give it now.
    SheetStyle style() const;

    // Start-up: a copy an earlier session left is offered back; true when
    // the sheet now shows it. One that cannot be read is set aside, with a word.
    bool offerRecovery();
    // Whether there is such a copy, so that start-up knows what it will show first.
    bool hasRecovery() const;
    // A new character is begun: a blank sheet of no file.
    void begin();
    // The wizard's finished character becomes the sheet, unsaved.
    void finish(const CharacterSheet &sheet);

    // The file at the path (quotes removed), without the save question:
    // start-up. A path without ".tvk" in it is passed over in silence.
    bool openAtStart(const QString &path);
    // After the save question, the file at the path; an empty path lets the user choose.
    bool open(const QString &path = QString());
    // After the save question, recent file `row` ("Recent"/"0" to "3"); a file that is gone is passed over.
    bool openRecent(int row);
    // Saves to the character's file, or asks for a name when it has none or `askName` is set.
    // True when the character is now saved in its file.
    bool save(bool askName = false);

    // How "Charakter speichern ?" ended.
    enum class SaveAnswer {
        NotDue,    // nothing unsaved, or "AlwaysWord" on: not asked
        Saved,     // Yes, and the save went through
        Discarded, // No: the user gives the unsaved work up
        Stopped,   // Escape or the close box, or Yes and a save that was cancelled or failed
    };
    // Asks it where unsaved work would be lost.
    SaveAnswer askToSave();
    // The question before an action that replaces the sheet: true when the
    // action may go on (not due, saved, or discarded).
    bool maySetAside();
    // Whether the question is due: unsaved work, and "AlwaysWord" off.
    bool saveQuestionDue() const;

    // A file handed over by a second start, after the save question. While
    // another question of the session is open it waits for it to end; several
    // wait their turns. An empty path asks nothing.
    void handOff(const QString &path);
    // A file handed over while the character is being made: the user is told
    // that it opens later, and openHeldFile() opens it.
    void holdHandOff(const QString &path);
    bool hasHeldFile() const;
    // The held file, after the save question; false when none was held or it did not open.
    bool openHeldFile();

    // "Charakter löschen": asks, removes the file and blanks the sheet.
    bool deleteCharacter();

    // The sheet in a format at the path, through the one write path; the file
    // the character belongs to and its saved flag stay. A failure is shown,
    // or, where `failure` is given, put there for the caller to show.
    bool exportSheet(const SheetFormat &format, const QString &path, const std::function<void(int)> &progress = {},
                     QString *failure = nullptr);

    // An ordinary end of the program: the recovery copy goes, unless a logout kept it.
    void end();
    // The desktop session ends: the unsaved sheet is kept in the recovery copy for the next start.
    void keepForLogout();

Q_SIGNALS:
    // The held file may open now; the window in use may bring the sheet forward.
    void heldFileChanged(const QString &path);

private:
    class Busy;

    bool loadFile(const QString &path);
    bool writeCharacter(const QString &path);
    bool writeFormat(const SheetFormat &format, const QString &path, const std::function<void(int)> &progress,
                     QString *failure = nullptr);
    void showError(const QString &headline, const QString &title, const QString &detail);
    void runWaitingHandOff();

    SessionContext m_context;
    std::unique_ptr<SheetDocument> m_document;
    std::unique_ptr<RecoveryCopy> m_recovery;
    QString m_heldFile;
    QStringList m_waitingHandOffs;
    int m_busy = 0;
    bool m_keptForLogout = false;
};

} // namespace Tarvosk
