#include "storage/characterfiles.h"

#include "platform/filedialogs.h"
#include "platform/messageservice.h"
#include "sheet/sheetdocument.h"
#include "storage/characterfile.h"
#include "storage/characterfilename.h"
#include "storage/recentfiles.h"
#include "storage/recoverycopy.h"
#include "storage/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Tarvosk {

using namespace Qt::StringLiterals;

const QString CharacterFiles::loadFailed = u"Fehler beim Laden !"_s;
const QString CharacterFiles::saveFailed = u"Fehler beim Speichern"_s;

namespace {

const QString characterFilter = u"Valdris Charaktere (*.tvk)|*.tvk"_s;
constexpr QStringView characterExtension = u".tvk";
const QString saveTitle = u"Speichern unter"_s;

} // namespace

CharacterFiles::CharacterFiles(CharacterFilesContext context)
    : m_context(std::move(context))
{
}

void CharacterFiles::addExportType(ExportType type)
{
    m_exportTypes.append(std::move(type));
}

bool CharacterFiles::LoadCharacterFile(const QString &path)
{
    QString file = path;
    if (file.isEmpty()) {
        int filterIndex = 1;
        file = m_context.dialogs.showOpenDialog(characterFilter, filterIndex).trimmed();
    } else {
        // Start-up hands over the command line as it was typed.
        file.remove(u'"');
    }
    if (file.isEmpty() || !file.contains(characterExtension, Qt::CaseInsensitive))
        return false;

    const std::optional<CharacterFile::Contents> contents = CharacterFile::read(file);
    if (!contents) {
        m_context.messages.show(loadFailed, u"Kritischer Fehler"_s, MessageService::Icon::Critical,
                                MessageService::Buttons::Ok);
        return false;
    }
    SettingsStore &settings = m_context.settings;
    CharacterFile::takeOverOptions(contents->options, settings, m_context.checkFontName);
    const QString fullPath = QFileInfo(file).absoluteFilePath();
    m_context.document.replace(contents->sheet);
    m_context.document.markSaved(fullPath);
    rememberRecentFile(settings, fullPath);
    return true;
}

bool CharacterFiles::SaveCharacterFile(bool &askName)
{
    SheetDocument &document = m_context.document;
    QString target = document.fileName();
    if (target.isEmpty()) {
        const std::optional<QString> name =
            defaultCharacterName(document.sheet().caption(CharacterSheet::nameCaption), [](const QString &fileName) {
                return QFileInfo::exists(QDir::current().filePath(fileName));
            });
        if (!name) {
            m_context.messages.show(u"Es wird langsam Zeit, sich einen neuen Namen auszudenken !!!"_s, u"Fehler"_s,
                                    MessageService::Icon::Critical, MessageService::Buttons::Ok);
            return false;
        }
        target = *name;
        askName = true;
    }

    // The name the user confirmed: a file of that name may be replaced without asking again.
    QString confirmed = document.fileName();
    if (askName) {
        int filterIndex = 1;
        const QString chosen = m_context.dialogs.showSaveDialog(saveFilter(), filterIndex, target).trimmed();
        if (chosen.isEmpty())
            return false;
        const qsizetype exportIndex = filterIndex - 2;
        if (exportIndex >= 0 && exportIndex < m_exportTypes.size()) {
            const ExportType &type = m_exportTypes[exportIndex];
            const QString exportPath = withExtension(chosen, type.extension);
            if (mayReplaceFile(m_context.messages, exportPath, chosen, saveTitle))
                type.write(exportPath);
            return false;
        }
        target = chosen;
        confirmed = chosen;
    }
    target = withExtension(target, characterExtension);
    if (!mayReplaceFile(m_context.messages, target, confirmed, saveTitle))
        return false;
    return writeCharacter(target);
}

void CharacterFiles::DeleteCharacter()
{
    SheetDocument &document = m_context.document;
    const QString file = document.fileName();
    if (!file.isEmpty() && QFileInfo(file).isFile() && !QFile::remove(file)) {
        m_context.messages.show(u"Die Datei »%1« ließ sich nicht löschen."_s.arg(QDir::toNativeSeparators(file)),
                                u"Fehler"_s, MessageService::Icon::Critical, MessageService::Buttons::Ok);
    }
    CharacterSheet blank = document.sheet();
    blank.clearCharacter();
    document.replace(blank);
    if (m_context.recovery)
        m_context.recovery->discard();
}

QString CharacterFiles::saveFilter() const
{
    QString filter = characterFilter;
    for (const ExportType &type : m_exportTypes)
        filter += u'|' + type.description + u"|*"_s + type.extension;
    return filter;
}

bool CharacterFiles::writeCharacter(const QString &path)
{
    SheetDocument &document = m_context.document;
    const QByteArray bytes = CharacterFile::encode(document.sheet(), CharacterFile::optionBlock(m_context.settings));
    if (!CharacterFile::write(path, bytes)) {
        m_context.messages.show(saveFailed, u"Fehler"_s, MessageService::Icon::Critical, MessageService::Buttons::Ok);
        return false;
    }
    document.markSaved(QFileInfo(path).absoluteFilePath());
    return true;
}

} // namespace Tarvosk
