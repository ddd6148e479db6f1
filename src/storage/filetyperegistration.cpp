#include "storage/filetyperegistration.h"

#include "storage/filewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <algorithm>
#include <optional>

namespace Tarvosk {

using namespace Qt::StringLiterals;

const QString FileTypeRegistration::mimeType = u"application/x-tvkfile"_s;
const QString FileTypeRegistration::desktopEntryName = u"tarvosk.desktop"_s;
const QString FileTypeRegistration::installedEntryName = QStringLiteral(TARVOSK_APP_ID ".desktop");

namespace {

const QString tvkGlob = u"*.tvk"_s;

// Far more than any desktop file or MIME database this reads.
constexpr qint64 largestRead = 16 * 1024 * 1024;

// Nothing when the file cannot be read (a FIFO or device is not read at all).
std::optional<QByteArray> readWhole(const QString &path)
{
    QByteArray bytes;
    if (readFileWhole(path, largestRead, bytes))
        return std::nullopt;
    return bytes;
}

QByteArray readAll(const QString &path)
{
    return readWhole(path).value_or(QByteArray());
}

// True when the file was written; an unchanged file is left alone.
bool writeIfChanged(const QString &path, const QByteArray &content)
{
    if (QFileInfo::exists(path) && readAll(path) == content)
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return !writeFileWhole(path, content);
}

// The type a compiled MIME database gives "*.tvk" ("weight:type:glob" lines).
QString typeFromGlobs(const QString &globsFile)
{
    const QList<QByteArray> lines = readAll(globsFile).split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.trimmed().split(':');
        if (fields.size() >= 3 && QString::fromUtf8(fields[2]).compare(tvkGlob, Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(fields[1]);
    }
    return QString();
}

// The type a MIME package (perhaps not compiled yet) gives "*.tvk".
QString typeFromPackage(const QString &packageFile)
{
    const std::optional<QByteArray> package = readWhole(packageFile);
    if (!package)
        return QString();
    QXmlStreamReader xml(*package);
    QString currentType;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"mime-type")
            currentType = xml.attributes().value(QLatin1StringView("type")).toString();
        else if (xml.name() == u"glob"
                 && xml.attributes().value(QLatin1StringView("pattern")).compare(tvkGlob, Qt::CaseInsensitive) == 0)
            return currentType;
    }
    return QString();
}

const QString defaultsSection = u"[Default Applications]"_s;

// The value of "type=" in a mimeapps list's default section, or "" when it names none.
QString listedDefault(const QByteArray &list, const QString &type)
{
    bool inDefaults = false;
    for (const QString &line : QString::fromUtf8(list).split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'['))
            inDefaults = trimmed == defaultsSection;
        else if (inDefaults && trimmed.section(u'=', 0, 0).trimmed() == type)
            return trimmed.section(u'=', 1).trimmed();
    }
    return QString();
}

} // namespace

DesktopPaths DesktopPaths::fromEnvironment()
{
    auto fromVariable = [](const char *name, const QString &fallback) {
        const QString value = qEnvironmentVariable(name);
        return QDir::isAbsolutePath(value) ? value : fallback;
    };
    DesktopPaths paths;
    paths.dataHome = fromVariable("XDG_DATA_HOME", QDir::homePath() + u"/.local/share"_s);
    paths.configHome = fromVariable("XDG_CONFIG_HOME", QDir::homePath() + u"/.config"_s);
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = u"/usr/local/share:/usr/share"_s;
    for (const QString &dir : dirs.split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            paths.dataDirs.append(dir);
    }
    return paths;
}

FileTypeRegistration::FileTypeRegistration(DesktopPaths paths, QString programPath, CharacterFileType files,
                                           ToolRunner runTool)
    : m_paths(std::move(paths))
    , m_programPath(std::move(programPath))
    , m_files(std::move(files))
    , m_runTool(std::move(runTool))
{
}

QString FileTypeRegistration::mimePackagePath() const
{
    return m_paths.dataHome + u"/mime/packages/tarvosk-tvkfile.xml"_s;
}

QString FileTypeRegistration::desktopEntryPath() const
{
    return m_paths.dataHome + u"/applications/"_s + desktopEntryName;
}

QString FileTypeRegistration::iconPath() const
{
    return m_paths.dataHome + u"/icons/hicolor/scalable/mimetypes/application-x-tvkfile.svg"_s;
}

QString FileTypeRegistration::mimeAppsPath() const
{
    return m_paths.configHome + u"/mimeapps.list"_s;
}

QString FileTypeRegistration::typeOfCharacterFiles() const
{
    if (QFileInfo::exists(mimePackagePath()))
        return mimeType;
    const QDir userPackages(m_paths.dataHome + u"/mime/packages"_s);
    const QStringList packages = userPackages.entryList({u"*.xml"_s}, QDir::Files, QDir::Name);
    for (const QString &package : packages) {
        const QString type = typeFromPackage(userPackages.filePath(package));
        if (!type.isEmpty())
            return type;
    }
    QStringList databases{m_paths.dataHome};
    databases += m_paths.dataDirs;
    for (const QString &dir : std::as_const(databases)) {
        const QString type = typeFromGlobs(dir + u"/mime/globs2"_s);
        if (!type.isEmpty())
            return type;
    }
    return QString();
}

QString installedDesktopEntry(const DesktopPaths &paths)
{
    QStringList dataFolders{paths.dataHome};
    dataFolders += paths.dataDirs;
    for (const QString &folder : std::as_const(dataFolders)) {
        const QString entry = folder + u"/applications/"_s + FileTypeRegistration::installedEntryName;
        if (QFileInfo(entry).isFile())
            return entry;
    }
    return QString();
}

FileTypeRegistration::Outcome FileTypeRegistration::registerFileType() const
{
    // The package brought the entry, icons and type; a copy of our own would shadow them.
    if (!installedDesktopEntry(m_paths).isEmpty()) {
        retireOwnEntry();
        return Outcome::Installed;
    }

    const QString owner = typeOfCharacterFiles().trimmed();

    if (owner.isEmpty()) {
        const bool packageWritten = writeIfChanged(mimePackagePath(), m_files.mimePackage);
        writeIfChanged(iconPath(), m_files.fileIcon);
        const bool entryWritten = writeIfChanged(desktopEntryPath(), desktopEntry({mimeType}));
        claimDefaultIfUnset(mimeType);
        if (packageWritten && m_runTool)
            m_runTool(u"update-mime-database"_s, {m_paths.dataHome + u"/mime"_s});
        if (entryWritten && m_runTool)
            m_runTool(u"update-desktop-database"_s, {m_paths.dataHome + u"/applications"_s});
        return Outcome::Created;
    }

    // "*.tvk" is known already: only the open command is (re)written. When
    // another type owns it, that type's files are opened by this program too.
    QStringList types{mimeType};
    const bool ours = owner.compare(mimeType, Qt::CaseInsensitive) == 0;
    if (!ours)
        types.prepend(owner);
    const bool entryWritten = writeIfChanged(desktopEntryPath(), desktopEntry(types));
    const bool defaultChanged = claimDefaultIfUnset(types.first());
    if (entryWritten && m_runTool)
        m_runTool(u"update-desktop-database"_s, {m_paths.dataHome + u"/applications"_s});
    if (!entryWritten && !defaultChanged)
        return Outcome::Unchanged;
    return ours ? Outcome::OpenCommandRewritten : Outcome::TookOver;
}

QByteArray FileTypeRegistration::desktopEntry(const QStringList &types) const
{
    // The installed entry's names and categories, with the program that runs and the file icon
    // (the application icon is not written for a build-folder run).
    QStringList lines = QString::fromUtf8(m_files.desktopEntry).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    lines.removeIf([](const QString &line) { return line.startsWith(u"TryExec="_s); });
    for (QString &line : lines) {
        if (line.startsWith(u"Exec="_s))
            line = u"Exec="_s + quotedExecArgument(m_programPath) + u" %f"_s;
        else if (line.startsWith(u"Icon="_s))
            line = u"Icon=application-x-tvkfile"_s;
        else if (line.startsWith(u"MimeType="_s))
            line = u"MimeType="_s + types.join(u';') + u';';
    }
    return (lines.join(u'\n') + u'\n').toUtf8();
}

QString FileTypeRegistration::quotedExecArgument(const QString &path)
{
    // Inside the quotes ", `, $ and \ take a backslash; the value's own escaping
    // then doubles every backslash, and a literal % is written %%.
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$')
            quoted += u"\\\\"_s + c;
        else if (c == u'\\')
            quoted += u"\\\\\\\\"_s;
        else if (c == u'%')
            quoted += u"%%"_s;
        else
            quoted += c;
    }
    return u'"' + quoted + u'"';
}

// A run from the build folder before the install left an entry of its own: it would shadow
// the installed one and may name a program that is gone. It goes, with the defaults naming it.
void FileTypeRegistration::retireOwnEntry() const
{
    if (!QFileInfo::exists(desktopEntryPath()) || !QFile::remove(desktopEntryPath()))
        return;
    if (const std::optional<QByteArray> listed = readWhole(mimeAppsPath())) {
        QStringList kept;
        bool inDefaults = false;
        for (const QString &line : QString::fromUtf8(*listed).split(u'\n')) {
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(u'['))
                inDefaults = trimmed == defaultsSection;
            if (!inDefaults || !trimmed.contains(u'=') || trimmed.section(u'=', 1).trimmed() != desktopEntryName)
                kept.append(line);
        }
        writeIfChanged(mimeAppsPath(), kept.join(u'\n').toUtf8());
    }
    if (m_runTool)
        m_runTool(u"update-desktop-database"_s, {m_paths.dataHome + u"/applications"_s});
}

// A default the user chose, in any of the user's mimeapps lists, desktop-specific ones too.
bool FileTypeRegistration::hasDefaultApplication(const QString &type) const
{
    for (const QString &folder : {m_paths.configHome, m_paths.dataHome + u"/applications"_s}) {
        const QDir dir(folder);
        const QStringList lists = dir.entryList({u"mimeapps.list"_s, u"*-mimeapps.list"_s}, QDir::Files);
        for (const QString &list : lists) {
            if (!listedDefault(readAll(dir.filePath(list)), type).isEmpty())
                return true;
        }
    }
    return false;
}

// Names this program the default opener of the type in mimeapps.list, keeping every other line,
// but only where no default is set: a user's choice, even of another program, stays.
bool FileTypeRegistration::claimDefaultIfUnset(const QString &type) const
{
    // A list that is there but cannot be read is the user's: it is not replaced by one line.
    const QFileInfo list(mimeAppsPath());
    const std::optional<QByteArray> listed = readWhole(mimeAppsPath());
    if (!listed && list.exists())
        return false;
    if (hasDefaultApplication(type))
        return false;
    QStringList lines = QString::fromUtf8(listed.value_or(QByteArray())).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    const auto section = std::find_if(lines.cbegin(), lines.cend(),
                                      [](const QString &line) { return line.trimmed() == defaultsSection; });
    const qsizetype sectionStart = section == lines.cend() ? -1 : section - lines.cbegin();
    const QString wanted = type + u'=' + desktopEntryName;
    if (sectionStart < 0) {
        if (!lines.isEmpty())
            lines.append(QString());
        lines.append(defaultsSection);
        lines.append(wanted);
    } else {
        lines.insert(sectionStart + 1, wanted);
    }
    return writeIfChanged(mimeAppsPath(), (lines.join(u'\n') + u'\n').toUtf8());
}

} // namespace Tarvosk
