#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace Tarvosk {

// A file that could not be written or read, and why, in German.
struct FileError
{
    QString path;   // the file concerned, as given
    QString reason; // one German sentence, e.g. "Auf dem Datenträger ist kein Platz mehr frei."

    // "Die Datei »/x/Held.tvk« ließ sich nicht schreiben. <reason>"
    QString writeSentence() const;
    // "Die Datei »/x/Held.tvk« ließ sich nicht lesen. <reason>"
    QString readSentence() const;
};

// The German reason for an errno value, one sentence.
QString germanReason(int errorNumber);

enum class WriteMode {
    FollowLink, // a symlink at the path: its target is replaced (as an editor saves)
    RefuseLink, // a symlink at the path is refused (the recovery copy)
};

struct WriteOptions
{
    WriteMode mode = WriteMode::FollowLink;
    // Permissions of a new file; a replaced file keeps its own. -1: 0666 less the umask.
    int newFileMode = -1;
};

// Writes the bytes whole or not at all: a temporary file beside the target,
// synced, then renamed over it, then the folder synced. A target that exists
// and is no regular file (device, FIFO, socket, folder) is refused without
// being opened. On failure the old file stays byte for byte and no temporary
// file is left. Nothing when written.
[[nodiscard]] std::optional<FileError> writeFileWhole(const QString &path, const QByteArray &bytes,
                                                      const WriteOptions &options = {});

// Reads a regular file of at most `largest` bytes whole. Anything else is
// refused without a read that could block (a FIFO never hangs).
[[nodiscard]] std::optional<FileError> readFileWhole(const QString &path, qint64 largest, QByteArray &bytes);

// Writes all bytes to an open descriptor, through interrupted and short
// writes: 0, or the errno of the write that failed.
[[nodiscard]] int writeDescriptorWhole(int descriptor, QByteArrayView bytes);

} // namespace Tarvosk
