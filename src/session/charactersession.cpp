#include "session/charactersession.h"

#include "platform/filedialogs.h"
#include "platform/messageservice.h"
#include "platform/replacequestion.h"
#include "sheet/sheetdocument.h"
#include "sheet/sheetformat.h"
#include "sheet/sheetstyle.h"
#include "storage/characterfile.h"
#include "storage/characterfilename.h"
#include "storage/recentfiles.h"
#include "storage/recoverycopy.h"
#include "storage/settingkeys.h"
#include "storage/sheetstylereader.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

#include <unistd.h>

namespace Tarvosk {

using namespace Qt::StringLiterals;

const QString CharacterSession::loadFailed = u"Fehler beim Laden !"_s;
const QString CharacterSession::saveFailed = u"Fehler beim Speichern"_s;

namespace {

const QString loadTitle = u"Kritischer Fehler"_s;
const QString errorTitle = u"Fehler"_s;
const QString saveAsTitle = u"Speichern unter"_s;
constexpr QStringView characterExtension = u".tvk";

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

// While a question of the session is open, a hand-off waits; it runs once the outermost call is done.
class CharacterSession::Busy
{
public:
    explicit Busy(CharacterSession &session)
        : m_session(session)
    {
        ++m_session.m_busy;
    }
    ~Busy()
    {
        if (--m_session.m_busy == 0 && !m_session.m_waitingHandOffs.isEmpty())
            QMetaObject::invokeMethod(&m_session, &CharacterSession::runWaitingHandOff, Qt::QueuedConnection);
    }
    Busy(const Busy &) = delete;
    Busy &operator=(const Busy &) = delete;

private:
    CharacterSession &m_session;
};

CharacterSession::CharacterSession(SessionContext context, QObject *parent)
    : QObject(parent)
    , m_context(std::move(context))
    , m_document(std::make_unique<SheetDocument>())
{
    if (!m_context.recoveryPath.isEmpty())
        m_recovery = std::make_unique<RecoveryCopy>(*m_document, m_context.settings, m_context.recoveryPath);
}

CharacterSession::~CharacterSession() = default;

SheetDocument &CharacterSession::document() const
{
    return *m_document;
}

const QList<const SheetFormat *> &CharacterSession::formats() const
{
    return m_context.formats;
}

const SheetFormat *CharacterSession::format(QStringView extension) const
{
    for (const SheetFormat *format : m_context.formats) {
        if (format->extension() == extension)
            return format;
    }
    return nullptr;
}

SheetStyle CharacterSession::style() const
{
    return readSheetStyle(m_context.settings);
}

bool CharacterSession::hasRecovery() const
{
    return m_recovery && m_recovery->exists();
}

bool CharacterSession::offerRecovery()
{
    if (!hasRecovery())
        return false;
    const Busy busy(*this);
    FileError error;
    const std::optional<CharacterFile::Contents> contents = m_recovery->read(&error);
    if (!contents) {
        // Kept, not deleted: it may still hold what the user typed.
        const std::optional<QString> aside = m_recovery->setAside();
        const QString where = aside ? u"Sie liegt jetzt unter »%1«."_s.arg(native(*aside))
                                    : u"Sie bleibt unter »%1« liegen."_s.arg(native(m_recovery->path()));
        m_context.messages.show(u"Die Sicherungskopie aus der letzten Sitzung ließ sich nicht lesen.\n%1\n%2"_s
                                    .arg(error.reason, where),
                                u"Wiederherstellen"_s, MessageService::Icon::Exclamation, MessageService::Buttons::Ok);
        return false;
    }
    // Escape keeps the copy's character: that answer throws nothing away.
    if (m_context.messages.show(
            u"Es gibt einen nicht gespeicherten Charakter aus der letzten Sitzung. Wiederherstellen ?"_s,
            u"Wiederherstellen"_s, MessageService::Icon::Question, MessageService::Buttons::YesNo,
            MessageService::Answer::Yes)
        == MessageService::Answer::No) {
        m_recovery->discard();
        return false;
    }
    m_document->restore(contents->sheet, contents->trailingLines.value(0));
    return true;
}

void CharacterSession::begin()
{
    m_document->clear();
}

void CharacterSession::finish(const CharacterSheet &sheet)
{
    m_document->compose(sheet);
}

bool CharacterSession::openAtStart(const QString &path)
{
    const Busy busy(*this);
    return loadFile(path);
}

bool CharacterSession::open(const QString &path)
{
    const Busy busy(*this);
    return maySetAside() && loadFile(path);
}

bool CharacterSession::openRecent(int row)
{
    const Busy busy(*this);
    // An empty row does nothing; a file that is gone is passed over in silence, after the question.
    const QString path = m_context.settings.read(Settings::Recent, QString::number(row));
    if (path.isEmpty() || !maySetAside() || !QFileInfo::exists(path))
        return false;
    return loadFile(path);
}

bool CharacterSession::loadFile(const QString &path)
{
    QString file = path;
    if (file.isEmpty()) {
        int filterIndex = 1;
        file = m_context.dialogs.showOpenDialog(m_context.formats.constFirst()->filter(), filterIndex).trimmed();
    } else {
        // Start-up hands over the command line as it was typed.
        file.remove(u'"');
    }
    if (file.isEmpty() || !file.contains(characterExtension, Qt::CaseInsensitive))
        return false;

    FileError error;
    const std::optional<CharacterFile::Contents> contents = CharacterFile::read(file, &error);
    if (!contents) {
        showError(loadFailed, loadTitle, error.readSentence());
        return false;
    }
    CharacterFile::takeOverOptions(contents->options, m_context.settings, m_context.checkFontName);
    const QString fullPath = QFileInfo(file).absoluteFilePath();
    m_document->load(contents->sheet, fullPath);
    rememberRecentFile(m_context.settings, fullPath);
    return true;
}

bool CharacterSession::save(bool askName)
{
    const Busy busy(*this);
    QString target = m_document->fileName();
    if (target.isEmpty()) {
        const std::optional<QString> name = defaultCharacterName(
            m_document->sheet().caption(CharacterSheet::nameCaption),
            [](const QString &fileName) { return QFileInfo::exists(QDir::current().filePath(fileName)); });
        if (!name) {
            m_context.messages.show(u"Es wird langsam Zeit, sich einen neuen Namen auszudenken !!!"_s, errorTitle,
                                    MessageService::Icon::Critical, MessageService::Buttons::Ok);
            return false;
        }
        target = *name;
        askName = true;
    }

    // The name the user confirmed: a file of that name may be replaced without asking again.
    QString confirmed = m_document->fileName();
    if (askName) {
        QStringList filters;
        for (const SheetFormat *format : m_context.formats)
            filters << format->filter();
        int filterIndex = 1;
        const QString chosen = m_context.dialogs.showSaveDialog(filters.join(u'|'), filterIndex, target).trimmed();
        if (chosen.isEmpty())
            return false;
        // The other types are exports: the character stays where it belongs.
        if (filterIndex >= 2 && filterIndex <= m_context.formats.size()) {
            const SheetFormat &format = *m_context.formats[filterIndex - 1];
            const QString exportPath = withExtension(chosen, format.extension());
            if (mayReplaceFile(m_context.messages, exportPath, chosen, saveAsTitle))
                writeFormat(format, exportPath, {});
            return false;
        }
        target = chosen;
        confirmed = chosen;
    }
    target = withExtension(target, characterExtension);
    if (!mayReplaceFile(m_context.messages, target, confirmed, saveAsTitle))
        return false;
    return writeCharacter(target);
}

bool CharacterSession::writeCharacter(const QString &path)
{
    if (!writeFormat(*m_context.formats.constFirst(), path, {}))
        return false;
    m_document->markSaved(QFileInfo(path).absoluteFilePath());
    return true;
}

bool CharacterSession::exportSheet(const SheetFormat &format, const QString &path,
                                   const std::function<void(int)> &progress, QString *failure)
{
    const Busy busy(*this);
    return writeFormat(format, path, progress, failure);
}

bool CharacterSession::writeFormat(const SheetFormat &format, const QString &path,
                                   const std::function<void(int)> &progress, QString *failure)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString reason;
    if (format.write(m_document->sheet(), style(), buffer, reason, progress)) {
        const std::optional<FileError> error = writeFileWhole(path, bytes);
        if (!error)
            return true;
        reason = error->writeSentence();
    }
    if (failure)
        *failure = saveFailed + u'\n' + reason;
    else
        showError(saveFailed, errorTitle, reason);
    return false;
}

bool CharacterSession::saveQuestionDue() const
{
    return !m_document->isSaved() && m_context.settings.readNumber(Settings::AlwaysWord) == 0;
}

CharacterSession::SaveAnswer CharacterSession::askToSave()
{
    if (!saveQuestionDue())
        return SaveAnswer::NotDue;
    const Busy busy(*this);
    // Escape and the close box stop the action: nothing is thrown away without a clear No.
    switch (m_context.messages.show(u"Charakter speichern ?"_s, u"Warnung"_s, MessageService::Icon::Question,
                                    MessageService::Buttons::YesNo, MessageService::Answer::Cancel)) {
    case MessageService::Answer::Yes: return save() ? SaveAnswer::Saved : SaveAnswer::Stopped;
    case MessageService::Answer::No:
        // Given up on purpose: a copy kept for a logout that did not happen is no longer wanted.
        m_keptForLogout = false;
        return SaveAnswer::Discarded;
    default: return SaveAnswer::Stopped;
    }
}

bool CharacterSession::maySetAside()
{
    return askToSave() != SaveAnswer::Stopped;
}

void CharacterSession::handOff(const QString &path)
{
    if (path.isEmpty())
        return;
    if (m_busy > 0) {
        m_waitingHandOffs.append(path);
        return;
    }
    open(path);
}

void CharacterSession::runWaitingHandOff()
{
    // One at a time: each may ask, and the next waits for its question.
    if (m_busy == 0 && !m_waitingHandOffs.isEmpty())
        handOff(m_waitingHandOffs.takeFirst());
}

void CharacterSession::holdHandOff(const QString &path)
{
    if (path.isEmpty())
        return;
    m_heldFile = path;
    Q_EMIT heldFileChanged(m_heldFile);
    m_context.messages.show(u"Die Datei »%1« wird geöffnet, sobald der Charakter fertig ist oder die Erstellung "
                            u"verlassen wird."_s.arg(native(path)),
                            u"Öffnen"_s, MessageService::Icon::Information, MessageService::Buttons::Ok);
}

bool CharacterSession::hasHeldFile() const
{
    return !m_heldFile.isEmpty();
}

bool CharacterSession::openHeldFile()
{
    const QString path = std::exchange(m_heldFile, QString());
    if (path.isEmpty())
        return false;
    Q_EMIT heldFileChanged(QString());
    return open(path);
}

bool CharacterSession::deleteCharacter()
{
    const Busy busy(*this);
    if (m_context.messages.show(u"Charakter unwiederruflich löschen ?"_s, u"Löschen"_s,
                                MessageService::Icon::Question, MessageService::Buttons::YesNo)
        != MessageService::Answer::Yes)
        return false;
    const QString file = m_document->fileName();
    if (!file.isEmpty() && QFileInfo(file).isFile() && ::unlink(QFile::encodeName(file).constData()) != 0) {
        m_context.messages.show(u"Die Datei »%1« ließ sich nicht löschen. %2"_s.arg(native(file), germanReason(errno)),
                                errorTitle, MessageService::Icon::Critical, MessageService::Buttons::Ok);
    }
    m_document->blankCharacter();
    m_keptForLogout = false;
    if (m_recovery)
        m_recovery->discard();
    return true;
}

void CharacterSession::end()
{
    if (m_recovery && !m_keptForLogout)
        m_recovery->discard();
}

void CharacterSession::keepForLogout()
{
    if (!m_recovery || m_document->isSaved())
        return;
    // Even where this write fails, the copy the timer wrote last must outlive the end.
    m_recovery->writeNow();
    m_keptForLogout = true;
}

void CharacterSession::showError(const QString &headline, const QString &title, const QString &detail)
{
    m_context.messages.show(detail.isEmpty() ? headline : headline + u'\n' + detail, title,
                            MessageService::Icon::Critical, MessageService::Buttons::Ok);
}

} // namespace Tarvosk
