#include "storage/filewrite.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

// The kernel's own limit on links followed in one path.
constexpr int mostLinks = 40;
constexpr int mostTemporaryNames = 100;

// Why a file that is there is no regular file; empty when it is one.
QString notRegularReason(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return germanReason(EISDIR);
    if (S_ISFIFO(mode))
        return u"Sie ist keine gewöhnliche Datei, sondern eine Pipe (FIFO)."_s;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return u"Sie ist keine gewöhnliche Datei, sondern ein Gerät."_s;
    if (S_ISSOCK(mode))
        return u"Sie ist keine gewöhnliche Datei, sondern ein Socket."_s;
    return u"Sie ist keine gewöhnliche Datei."_s;
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray leafOf(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QString germanNumber(double value)
{
    if (value == std::floor(value))
        return QString::number(qint64(value));
    return QString::number(value, 'f', 1).replace(u'.', u',');
}

QString sizeText(qint64 bytes)
{
    constexpr qint64 kibibyte = 1024;
    constexpr qint64 mebibyte = kibibyte * kibibyte;
    if (bytes >= mebibyte)
        return germanNumber(double(bytes) / mebibyte) + u" MiB"_s;
    if (bytes >= kibibyte)
        return germanNumber(double(bytes) / kibibyte) + u" KiB"_s;
    return QString::number(bytes) + u" Bytes"_s;
}

QString tooLargeReason(qint64 largest)
{
    return u"Die Datei ist größer als %1."_s.arg(sizeText(largest));
}

// The reason for a failure to make a file in the folder: a missing folder is named.
QString creationReason(int error, const QByteArray &folder)
{
    if (error == ENOENT || error == ENOTDIR)
        return u"Den Ordner »%1« gibt es nicht."_s.arg(QDir::toNativeSeparators(QFile::decodeName(folder)));
    return germanReason(error);
}

struct Target
{
    QByteArray path; // the file the bytes go to, after any links
    bool exists = false;
    struct stat status = {};
};

// The file a write at `path` goes to, or why there is none to write.
std::optional<QString> findTarget(QByteArray path, WriteMode mode, Target &target)
{
    for (int links = 0;; ++links) {
        struct stat status = {};
        if (::lstat(path.constData(), &status) != 0) {
            // Not there (or its folder is not): the temporary file's creation says which.
            if (errno != ENOENT && errno != ENOTDIR)
                return germanReason(errno);
            target = {path, false, {}};
            return std::nullopt;
        }
        if (!S_ISLNK(status.st_mode)) {
            if (!S_ISREG(status.st_mode))
                return notRegularReason(status.st_mode);
            target = {path, true, status};
            return std::nullopt;
        }
        if (mode == WriteMode::RefuseLink)
            return u"An dieser Stelle steht eine symbolische Verknüpfung, durch die hier nicht geschrieben wird."_s;
        if (links == mostLinks)
            return germanReason(ELOOP);
        QByteArray link(std::max<qsizetype>(status.st_size, 255) + 1, '\0');
        for (;;) {
            const ssize_t length = ::readlink(path.constData(), link.data(), size_t(link.size()));
            if (length < 0)
                return germanReason(errno);
            if (length < link.size()) {
                link.truncate(length);
                break;
            }
            link.resize(link.size() * 2); // the link changed since lstat
        }
        path = link.startsWith('/') ? link : folderOf(path) + '/' + link;
    }
}

int syncDescriptor(int descriptor)
{
    while (::fsync(descriptor) != 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

// Syncs the folder so the rename itself survives a crash. A folder that
// cannot be opened for reading (write and search rights only) or a file
// system that cannot sync folders is taken as it is.
int syncFolder(const QByteArray &folder)
{
    const int descriptor = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return 0;
    int error = syncDescriptor(descriptor);
    ::close(descriptor);
    if (error == EINVAL || error == EROFS || error == ENOTSUP)
        error = 0;
    return error;
}

} // namespace

QString FileError::writeSentence() const
{
    return u"Die Datei »%1« ließ sich nicht schreiben. %2"_s.arg(QDir::toNativeSeparators(path), reason);
}

QString FileError::readSentence() const
{
    return u"Die Datei »%1« ließ sich nicht lesen. %2"_s.arg(QDir::toNativeSeparators(path), reason);
}

QString germanReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
        return u"Auf dem Datenträger ist kein Platz mehr frei."_s;
    case EFBIG:
        return u"Die Datei wird zu groß für den Datenträger."_s;
    case EACCES:
    case EPERM:
        return u"Dafür fehlen die Rechte."_s;
    case EROFS:
        return u"Der Datenträger ist schreibgeschützt."_s;
    case ENOENT:
        return u"Die Datei oder ihr Ordner existiert nicht."_s;
    case EISDIR:
        return u"An dieser Stelle steht ein Ordner."_s;
    case ENOTDIR:
        return u"Ein Teil des Pfades ist kein Ordner."_s;
    case EIO:
        return u"Der Datenträger meldet einen Ein-/Ausgabefehler."_s;
    case ENAMETOOLONG:
        return u"Der Dateiname ist zu lang."_s;
    case ELOOP:
        return u"Der Pfad führt über zu viele symbolische Verknüpfungen."_s;
    case EMFILE:
    case ENFILE:
        return u"Es sind zu viele Dateien zugleich geöffnet."_s;
    case ENOMEM:
        return u"Der Arbeitsspeicher reicht nicht aus."_s;
    case ETXTBSY:
    case EBUSY:
        return u"Die Datei ist gerade in Gebrauch."_s;
    case EEXIST:
        return u"Die Datei gibt es schon."_s;
    case EMLINK:
        return u"Der Ordner kann keine weiteren Einträge aufnehmen."_s;
    case ENXIO:
    case ENODEV:
        return u"Das Gerät ist nicht verfügbar."_s;
    case ESTALE:
        return u"Die Datei auf dem Netzlaufwerk ist nicht mehr erreichbar."_s;
    case 0:
        return u"Der Grund ist unbekannt."_s;
    default:
        break;
    }
    char buffer[256];
    // The GNU strerror_r, which may return its own static text instead of filling the buffer.
    QString text = QString::fromLocal8Bit(::strerror_r(errorNumber, buffer, sizeof buffer));
    if (!text.endsWith(u'.'))
        text += u'.';
    return u"Das Betriebssystem meldet: %1"_s.arg(text);
}

int writeDescriptorWhole(int descriptor, QByteArrayView bytes)
{
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        // One call writes at most about 2 GiB on Linux.
        const ssize_t written = ::write(descriptor, data, size_t(std::min<qsizetype>(left, 1 << 30)));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        left -= written;
    }
    return 0;
}

std::optional<FileError> writeFileWhole(const QString &path, const QByteArray &bytes, const WriteOptions &options)
{
    const auto failed = [&](const QString &reason) { return std::optional<FileError>(FileError{path, reason}); };
    const QByteArray given = QFile::encodeName(path);
    if (given.isEmpty())
        return failed(germanReason(ENOENT));
    Target target;
    if (const std::optional<QString> refusal = findTarget(given, options.mode, target))
        return failed(*refusal);
    const QByteArray folder = folderOf(target.path);
    const QByteArray leaf = leafOf(target.path);
    if (leaf.isEmpty())
        return failed(germanReason(EISDIR));
    // A file its owner made read-only is not replaced behind their back (the folder alone would allow it).
    if (target.exists && ::faccessat(AT_FDCWD, target.path.constData(), W_OK, AT_EACCESS) != 0)
        return failed(germanReason(errno));

    // A new file with the default rights gets them from open and the umask;
    // any other starts private and is given its rights before a byte is written.
    const bool defaultRights = !target.exists && options.newFileMode < 0;
    const mode_t finalMode = target.exists ? (target.status.st_mode & 07777) : mode_t(options.newFileMode & 07777);
    QByteArray temporary;
    int descriptor = -1;
    for (int attempt = 0; descriptor < 0; ++attempt) {
        // The target's name, cut short so the temporary name stays within the file system's limit.
        temporary = folder + "/." + leaf.left(200) + '.'
                    + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".part";
        descriptor = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                            defaultRights ? 0666 : 0600);
        if (descriptor < 0 && errno != EINTR && (errno != EEXIST || attempt == mostTemporaryNames))
            return failed(creationReason(errno, folder));
    }

    const auto discard = [&](int error) {
        if (descriptor >= 0)
            ::close(descriptor);
        ::unlink(temporary.constData());
        return failed(germanReason(error));
    };
    if (target.exists && (target.status.st_uid != ::geteuid() || target.status.st_gid != ::getegid())) {
        // Only root may hand a file to its owner; anyone else writes a file of their own, as editors do.
        [[maybe_unused]] const int handed = ::fchown(descriptor, target.status.st_uid, target.status.st_gid);
    }
    // After the owner, whose change may clear set-id bits.
    if (!defaultRights && ::fchmod(descriptor, finalMode) != 0)
        return discard(errno);
    if (const int error = writeDescriptorWhole(descriptor, bytes))
        return discard(error);
    if (const int error = syncDescriptor(descriptor))
        return discard(error);
    const int closed = ::close(descriptor);
    descriptor = -1;
    // After close, EINTR leaves the descriptor closed and the synced data written.
    if (closed != 0 && errno != EINTR)
        return discard(errno);
    if (::rename(temporary.constData(), target.path.constData()) != 0)
        return discard(errno);
    // The new file stands; a folder that will not sync still means it may not survive a crash.
    if (const int error = syncFolder(folder))
        return failed(germanReason(error));
    return std::nullopt;
}

std::optional<FileError> readFileWhole(const QString &path, qint64 largest, QByteArray &bytes)
{
    bytes.clear();
    const auto failed = [&](const QString &reason) { return std::optional<FileError>(FileError{path, reason}); };
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty())
        return failed(germanReason(ENOENT));
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0)
        return failed(germanReason(errno));
    if (!S_ISREG(status.st_mode))
        return failed(notRegularReason(status.st_mode));
    if (status.st_size > largest)
        return failed(tooLargeReason(largest));

    // Non-blocking, in case a FIFO took the file's place since the stat.
    int descriptor = -1;
    do {
        descriptor = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        return failed(germanReason(errno));
    const auto closeWith = [&](const QString &reason) {
        ::close(descriptor);
        bytes.clear();
        return failed(reason);
    };
    if (::fstat(descriptor, &status) != 0)
        return closeWith(germanReason(errno));
    if (!S_ISREG(status.st_mode))
        return closeWith(notRegularReason(status.st_mode));

    // One byte more than the file has, to see its end in one read; files that
    // grow or tell no size (/proc) get more room as they need it.
    bytes.resize(qsizetype(std::min<qint64>(status.st_size, largest) + 1));
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > largest)
                return closeWith(tooLargeReason(largest));
            bytes.resize(qsizetype(std::min<qint64>(qint64(filled) * 2, largest + 1)));
        }
        const ssize_t got = ::read(descriptor, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return closeWith(germanReason(errno));
        }
        if (got == 0)
            break;
        filled += got;
    }
    ::close(descriptor);
    bytes.truncate(filled);
    return std::nullopt;
}

} // namespace Tarvosk
