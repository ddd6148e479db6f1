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

// The installed program's desktop entry, in the user's or a system data folder; "" when there is none.
QString installedDesktopEntry(const DesktopPaths &paths);

// What the package installs to make ".tvk" a type of its own; a program run
// from its build folder writes the same for its user.
struct CharacterFileType
{
    QByteArray mimePackage;  // shared-mime-info package for "*.tvk"
    QByteArray desktopEntry; // the installed entry; its Exec, Icon and MimeType lines are set per run
    QByteArray fileIcon;
};

// Makes a program run from its build folder the opener of ".tvk" character
// files: a MIME type for "*.tvk" with its description and icon, and a desktop
// entry whose command opens the file with the program that runs. When another
// type already owns "*.tvk", only the open command is taken over. An installed
// program's entry wins: then nothing is written, and an entry an earlier run from
// the build folder wrote is taken away again. The user's choice of default
// application is never replaced. Files are rewritten only when their content
// changes; failures are silent.
class FileTypeRegistration
{
public:
    // Starts a desktop database tool without waiting for it.
    using ToolRunner = std::function<void(const QString &program, const QStringList &arguments)>;

    enum class Outcome { Created, TookOver, OpenCommandRewritten, Unchanged, Installed };

    FileTypeRegistration(DesktopPaths paths, QString programPath, CharacterFileType files, ToolRunner runTool);

    Outcome registerFileType() const;

    // The MIME type that "*.tvk" belongs to now, or "" when none does.
    QString typeOfCharacterFiles() const;

    QString mimePackagePath() const;
    QString desktopEntryPath() const;
    QString iconPath() const;
    QString mimeAppsPath() const;

    static const QString mimeType;     // "application/x-tvkfile"
    static const QString desktopEntryName;   // what a build-folder run writes: "tarvosk.desktop"
    static const QString installedEntryName; // what the package installs

    // The Exec line's program, quoted as desktop entries want it.
    static QString quotedExecArgument(const QString &path);

private:
    QByteArray desktopEntry(const QStringList &types) const;
    void retireOwnEntry() const;
    bool hasDefaultApplication(const QString &type) const;
    bool claimDefaultIfUnset(const QString &type) const;

    DesktopPaths m_paths;
    QString m_programPath;
    CharacterFileType m_files;
    ToolRunner m_runTool;
};

} // namespace Tarvosk
