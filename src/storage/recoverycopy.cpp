#include "storage/recoverycopy.h"

#include "sheet/sheetdocument.h"
#include "storage/sheetstylereader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

constexpr int privateFile = 0600;

// The copy's folder, made the user's alone even where an older start made it open to others.
bool makePrivateFolder(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    const QByteArray name = QFile::encodeName(folder);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(name.constData(), 0700) == 0;
}

} // namespace

QString RecoveryCopy::defaultPath()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // Relative paths are to be ignored, as with every XDG variable.
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + u"/.local/state"_s;
    return state + u"/Tarvosk/recovery.tvk"_s;
}

RecoveryCopy::RecoveryCopy(SheetDocument &document, const SettingsStore &settings, const QString &path,
                           QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_settings(settings)
    , m_path(path)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(writeInterval);
    connect(&m_timer, &QTimer::timeout, this, [this] { writeNow(); });
    connect(&document, &SheetDocument::sheetReplaced, this, &RecoveryCopy::sheetChanged);
    connect(&document, &SheetDocument::captionChanged, this, &RecoveryCopy::sheetChanged);
    connect(&document, &SheetDocument::valueChanged, this, &RecoveryCopy::sheetChanged);
    connect(&document, &SheetDocument::equipmentChanged, this, &RecoveryCopy::sheetChanged);
    connect(&document, &SheetDocument::fileNameChanged, this, &RecoveryCopy::sheetChanged);
    connect(&document, &SheetDocument::savedChanged, this, [this](bool saved) {
        if (saved)
            discard();
        else
            sheetChanged();
    });
}

bool RecoveryCopy::exists() const
{
    return QFileInfo(m_path).isSymLink() || QFileInfo::exists(m_path);
}

std::optional<CharacterFile::Contents> RecoveryCopy::read(FileError *error) const
{
    // A link there is not ours: it is read as no copy at all.
    if (QFileInfo(m_path).isSymLink()) {
        if (error)
            *error = {m_path, u"Sie ist eine Verknüpfung."_s};
        return std::nullopt;
    }
    return CharacterFile::read(m_path, error);
}

std::optional<QString> RecoveryCopy::setAside()
{
    m_timer.stop();
    const QFileInfo copy(m_path);
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    const QString aside = copy.dir().filePath(u"recovery-%1.tvk"_s.arg(stamp));
    if (QFileInfo::exists(aside) || ::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(aside).constData()) != 0)
        return std::nullopt;
    return aside;
}

void RecoveryCopy::discard()
{
    m_timer.stop();
    QFile::remove(m_path);
}

void RecoveryCopy::sheetChanged()
{
    // The first change starts the clock; later ones ride along with its write.
    if (!m_document.isSaved() && !m_timer.isActive())
        m_timer.start();
}

std::optional<FileError> RecoveryCopy::writeNow()
{
    m_timer.stop();
    if (m_document.isSaved())
        return std::nullopt;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!makePrivateFolder(folder))
        return FileError{m_path, u"Der Ordner »%1« lässt sich nicht anlegen oder ist nicht privat."_s.arg(folder)};
    const QByteArray bytes = CharacterFile::encode(
        m_document.sheet(), CharacterFile::optionBlock(readSheetStyle(m_settings)), {m_document.fileName()});
    std::optional<FileError> error = CharacterFile::write(m_path, bytes, WriteOptions{WriteMode::RefuseLink, privateFile});
    // A copy an older start left readable by others keeps its mode when replaced.
    if (!error)
        ::chmod(QFile::encodeName(m_path).constData(), privateFile);
    return error;
}

} // namespace Tarvosk
