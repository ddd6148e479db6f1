#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace Tarvosk {

// Where the desktop keeps its per-user data, following the XDG base directories.
struct DesktopPaths
{
    QString dataHome;   // $XDG_DATA_HOME, usually ~/.local/share
    QString configHome; // $XDG_CONFIG_HOME, usually ~/.config
    QStringList dataDirs; // $XDG_DATA_DIRS, searched for types other programs own

    static DesktopPaths fromEnvironment();
};

// Makes this program the opener of ".tvk" character files: a MIME type for
// "*.tvk" with its description and icon, and a desktop entry whose command
// opens the file. When another type already owns "*.tvk", only the open
// command is taken over. Files are rewritten only when their content changes;
// failures are silent.
class FileTypeRegistration
{
public:
    // Starts a desktop database tool without waiting for it.
    using ToolRunner = std::function<void(const QString &program, const QStringList &arguments)>;

    enum class Outcome { Created, TookOver, OpenCommandRewritten, Unchanged };

    FileTypeRegistration(DesktopPaths paths, QString programPath, QByteArray fileIcon, ToolRunner runTool);

    Outcome registerFileType() const;

    // The MIME type that "*.tvk" belongs to now, or "" when none does.
    QString typeOfCharacterFiles() const;

    QString mimePackagePath() const;
    QString desktopEntryPath() const;
    QString iconPath() const;
    QString mimeAppsPath() const;

    static const QString mimeType;     // "application/x-tvkfile"
    static const QString description;  // "Valdris 1880 Character Sheet"
    static const QString desktopEntryName;

    // The Exec line's program, quoted as desktop entries want it.
    static QString quotedExecArgument(const QString &path);

private:
    QByteArray mimePackage() const;
    QByteArray desktopEntry(const QStringList &types) const;
    bool setDefaultApplication(const QString &type) const;

    DesktopPaths m_paths;
    QString m_programPath;
    QByteArray m_fileIcon;
    ToolRunner m_runTool;
};

} // namespace Tarvosk
