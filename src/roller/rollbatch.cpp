#include "roller/rollbatch.h"

#include "storage/characterfile.h"
#include "storage/characterfilename.h"
#include "storage/filewrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio> // renameat2

#include <fcntl.h>
#include <unistd.h>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

// One sync of the folder's file system instead of one per file, which would
// cost more than rolling the character. 0, or the errno of the failing step.
int syncFileSystemOf(const QString &folder)
{
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return errno;
    const int error = ::syncfs(descriptor) == 0 ? 0 : errno;
    ::close(descriptor);
    return error;
}

enum class Renamed { Done, NameTaken, Failed };

// Atomically, and never over a file that is there: QFile::rename would copy
// over a name taken between its check and the rename.
Renamed renameWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return Renamed::Done;
    // File systems without renameat2 still know hard links, which never replace either.
    if (errno == EINVAL || errno == ENOSYS) {
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
            return Renamed::Done;
        }
    }
    return errno == EEXIST ? Renamed::NameTaken : Renamed::Failed;
}

} // namespace

RollBatch::RollBatch(const QString &target, const QString &className, int count)
    : m_target(target)
    , m_className(className)
    , m_count(count)
{
    m_width = std::max(m_width, int(QString::number(count).size()));
}

bool RollBatch::open()
{
    const QFileInfo info(m_target);
    m_folder = m_count > 1 || info.isDir() || m_target.endsWith(u'/');
    if (!m_folder) {
        m_target = withExtension(m_target, u".tvk");
        // A rolled character never takes the place of one that is there, nor writes through a link.
        if (QFileInfo(m_target).exists() || QFileInfo(m_target).isSymLink())
            return fail(u"Die Datei »%1« gibt es schon; gewürfelte Charaktere ersetzen keine Datei."_s.arg(m_target));
        return true;
    }
    if (info.exists() && !info.isDir())
        return fail(u"»%1« ist eine Datei; für mehrere Charaktere wird ein Ordner gebraucht."_s.arg(m_target));
    if (!QDir().mkpath(m_target))
        return fail(u"Der Ordner »%1« lässt sich nicht anlegen."_s.arg(m_target));
    return true;
}

QString RollBatch::write(const QByteArray &bytes)
{
    if (m_folder)
        return writeIntoFolder(bytes);
    // A file of its own: a temporary name, sync and rename.
    if (const std::optional<FileError> failure = CharacterFile::write(m_target, bytes, {WriteMode::RefuseLink})) {
        fail(failure->writeSentence());
        return {};
    }
    ++m_written;
    return m_target;
}

QString RollBatch::writeIntoFolder(const QByteArray &bytes)
{
    const QDir folder(m_target);
    // Plain system calls: a batch writes thousands of small files, and each
    // call saved is a good part of a file's cost.
    static const qint64 pid = QCoreApplication::applicationPid();
    const QString temporary = folder.filePath(u".tarvosk-%1-%2.part"_s.arg(pid).arg(m_written));
    const QByteArray temporaryName = QFile::encodeName(temporary);
    int descriptor = -1;
    do {
        descriptor = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        fail(u"Im Ordner »%1« ließ sich keine Datei anlegen. %2"_s.arg(m_target, germanReason(errno)));
        return {};
    }
    int error = writeDescriptorWhole(descriptor, bytes);
    // A failing close reports what a network file system could not write; EINTR leaves it closed and written.
    if (::close(descriptor) != 0 && errno != EINTR && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporaryName.constData());
        fail(u"Im Ordner »%1« ließ sich keine Datei schreiben. %2"_s.arg(m_target, germanReason(error)));
        return {};
    }
    // The rename never replaces a file: a taken name, even one taken just now
    // by another program, moves the character on to the next number.
    for (;;) {
        const QString path = folder.filePath(u"%1-%2.tvk"_s.arg(m_className).arg(m_nextNumber++, m_width, 10, QChar(u'0')));
        switch (renameWithoutReplacing(temporary, path)) {
        case Renamed::Done:
            ++m_written;
            return path;
        case Renamed::NameTaken:
            continue;
        case Renamed::Failed:
            break;
        }
        const int renameError = errno;
        ::unlink(temporaryName.constData());
        fail(u"Die Datei »%1« ließ sich nicht anlegen. %2"_s.arg(path, germanReason(renameError)));
        return {};
    }
}

bool RollBatch::close()
{
    if (!m_folder || m_written == 0)
        return true;
    if (const int error = syncFileSystemOf(m_target))
        return fail(u"Die Dateien im Ordner »%1« ließen sich nicht sicher speichern. %2"_s.arg(m_target, germanReason(error)));
    return true;
}

const QString &RollBatch::error() const
{
    return m_error;
}

bool RollBatch::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

} // namespace Tarvosk
