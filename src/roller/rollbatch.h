#pragma once

#include <QByteArray>
#include <QString>

namespace Tarvosk {

// Where rolled characters go. A target for one character is a file (".tvk"
// is added when its name lacks it); for several, or when it is a folder
// already, it is a folder, made when missing, that gets numbered files named
// after the class ("Soldat-001.tvk"), the next number whose name is free, so
// no file there is ever overwritten. Each file is written under a temporary
// name and then renamed, so no one sees half a character; a folder is synced
// to the disk once, at the end, not once per file.
class RollBatch
{
public:
    RollBatch(const QString &target, const QString &className, int count);

    // Makes the folder when one is needed; false, with error(), when the target cannot take the files.
    bool open();
    // Writes one character; the path it went to, or empty with error().
    QString write(const QByteArray &bytes);
    // Once after the last file; false, with error(), when the files could not be put on the disk.
    bool close();

    // One German sentence on what failed.
    const QString &error() const;

private:
    bool fail(const QString &reason);
    QString writeIntoFolder(const QByteArray &bytes);

    QString m_target;
    QString m_className;
    int m_count;
    bool m_folder = false;
    int m_width = 3;
    int m_nextNumber = 1;
    int m_written = 0;
    QString m_error;
};

} // namespace Tarvosk
