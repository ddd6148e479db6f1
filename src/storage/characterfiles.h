#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace Tarvosk {

class FileDialogs;
class MessageService;
class RecoveryCopy;
class SettingsStore;
class SheetDocument;

// A type the save dialog offers beside the character file: the sheet written
// as another kind of document. Writing one changes neither the file the
// character belongs to nor its saved flag.
struct ExportType
{
    QString description; // "Word Dokument (*.docx)"
    QString extension;   // ".docx", appended as to a character file
    std::function<void(const QString &path)> write;
};

struct CharacterFilesContext
{
    SettingsStore &settings;
    SheetDocument &document;
    MessageService &messages;
    FileDialogs &dialogs;
    // CheckFontName with the installed fonts, for the font names a file brings.
    std::function<QString(const QString &name)> checkFontName;
    // Saving and deleting make it needless; may be none.
    RecoveryCopy *recovery = nullptr;
};

// Loading, saving and deleting the character of the sheet document.
// A file is read whole and checked before anything changes; a save replaces
// the old file only once the new one is complete.
class CharacterFiles
{
public:
    static const QString loadFailed;   // "Fehler beim Laden !"
    static const QString saveFailed;   // "Fehler beim Speichern"

    explicit CharacterFiles(CharacterFilesContext context);

    // Offered in the save dialog after the character file, in this order.
    void addExportType(ExportType type);

    // The file at the path, quotes removed; an empty path asks with the open
    // dialog. A path without ".tvk" in it is passed over in silence. True
    // when the sheet now shows the file.
    bool LoadCharacterFile(const QString &path);

    // Saves to the file the character belongs to, or asks for a name when it
    // belongs to none or `askName` is set; `askName` tells afterwards whether
    // the dialog was shown. True when the character is now saved in its file.
    bool SaveCharacterFile(bool &askName);

    // Removes the character's file and blanks the sheet; the file name and
    // the saved flag stay as they are.
    void DeleteCharacter();

private:
    QString saveFilter() const;
    bool writeCharacter(const QString &path);

    CharacterFilesContext m_context;
    QList<ExportType> m_exportTypes;
};

} // namespace Tarvosk
