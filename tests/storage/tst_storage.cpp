#include "storage/filetyperegistration.h"
#include "storage/fontnamecheck.h"
#include "storage/playerhistory.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"
#include "storage/windows1252.h"
#include "support/testfiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <optional>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

// A text read as a number (fallback 7), a size (fallback 11.5) and a flag (-1: the fallback).
struct TypedCase { QString text; int number; double size; int flag; };

} // namespace

class TestStorage : public QObject
{
    Q_OBJECT

    using Outcome = FileTypeRegistration::Outcome;
    using Snapshot = QList<std::pair<QByteArray, QDateTime>>;

    std::optional<QTemporaryDir> m_dir;
    DesktopPaths m_paths;
    QList<QStringList> m_tools;
    // The installed entry's Exec, Icon and TryExec lines give way to the build folder's own.
    const CharacterFileType m_files{"<mime-info><mime-type type=\"application/x-tvkfile\"><glob pattern=\"*.tvk\"/>"
                                    "</mime-type></mime-info>\n",
                                    "[Desktop Entry]\nName=Charaktere\nExec=tarvosk %f\nTryExec=tarvosk\nIcon=app\n"
                                    "MimeType=application/x-tvkfile;\n",
                                    "<svg xmlns=\"http://www.w3.org/2000/svg\"/>"};
    const QString m_exec = u"Exec=\"/opt/Valdris 1880/tarvosk\" %f"_s;

    QString iniFile() const { return m_dir->filePath(u"Tarvosk.conf"_s); }

    FileTypeRegistration registration(const QString &program = u"/opt/Valdris 1880/tarvosk"_s)
    {
        return FileTypeRegistration(m_paths, program, m_files, [this](const QString &tool, const QStringList &arguments) {
            m_tools.append(QStringList{tool} + arguments);
        });
    }
    // Content and modification time of every file, the times first set into the past so that a rewrite shows.
    Snapshot agedSnapshot()
    {
        const FileTypeRegistration r = registration();
        Snapshot files;
        for (const QString &path : {r.mimePackagePath(), r.iconPath(), r.desktopEntryPath(), r.mimeAppsPath()}) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                file.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime);
            files.append({readAll(path), QFileInfo(path).lastModified()});
        }
        return files;
    }
    // A second run writes nothing and runs no tool.
    void secondRunChangesNothing(const QString &program = u"/opt/Valdris 1880/tarvosk"_s)
    {
        const Snapshot before = agedSnapshot();
        m_tools.clear();
        QCOMPARE(registration(program).registerFileType(), Outcome::Unchanged);
        QCOMPARE(agedSnapshot(), before);
        QVERIFY(m_tools.isEmpty());
    }
    QStringList desktopTool() const { return {u"update-desktop-database"_s, m_paths.dataHome + u"/applications"_s}; }
    static bool hasLine(const QString &path, const QString &line) { return readAll(path).split('\n').contains(line.toUtf8()); }

private Q_SLOTS:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        m_paths = DesktopPaths{m_dir->filePath(u"data"_s), m_dir->filePath(u"config"_s),
                               {m_dir->filePath(u"system"_s), m_dir->filePath(u"system2"_s)}};
        m_tools.clear();
    }

    void typedReads_data()
    {
        QTest::addColumn<TypedCase>("c");
        constexpr int most = std::numeric_limits<int>::max();
        const QString hugeNumber = u"1"_s + QString(400, u'0');
        for (const TypedCase &c : {TypedCase{u"0"_s, 0, 0, 0}, {u"True"_s, 7, 11.5, 1}, {u"False"_s, 7, 11.5, 0}, {u"Wahr"_s, 7, 11.5, 1},
                                   {u"Falsch"_s, 7, 11.5, 0}, {u" -1 "_s, -1, -1, 1}, {u"Vielleicht"_s, 7, 11.5, -1},
                                   {u"12abc"_s, 12, 12, -1}, {u"-3.7"_s, -3, -3.7, 1}, {u" 9,5pt"_s, 9, 9.5, -1},
                                   // Absurd numbers are held to the range of int, symmetric so that a negation stays defined.
                                   {u"99999999999"_s, most, 99999999999.0, 1}, {u"-2147483648"_s, -most, -2147483648.0, 1},
                                   // Beyond double the size is no number; "nan" and "inf" start with none.
                                   {hugeNumber, most, 11.5, -1}, {u"nan"_s, 7, 11.5, -1}, {u"inf"_s, 7, 11.5, 1}})
            QTest::addRow("\"%s\"", qPrintable(c.text.left(24))) << c;
    }
    void typedReads()
    {
        QFETCH(TypedCase, c);
        SettingsStore store(iniFile());
        store.write(u"Labels", u"Size", c.text);
        QCOMPARE(store.readNumber(u"Labels", u"Size", 7), c.number);
        QCOMPARE(store.readSize(u"Labels", u"Size", 11.5), c.size);
        for (bool fallback : {false, true}) {
            QCOMPARE(store.readFlag(u"Labels", u"Size", fallback), c.flag < 0 ? fallback : c.flag == 1);
            QCOMPARE(store.readFlag(u"Labels", u"Missing", fallback), fallback);
        }
        QCOMPARE(store.readNumber(u"Labels", u"Missing", 7), 7);
        QCOMPARE(store.readSize(u"Labels", u"Missing", 11.5), 11.5);
        QVERIFY(store.read(Settings::StartupScreen) == u"1"_s && store.readNumber(Settings::Line1) == 3); // a key's own default
    }

    // Section names ignore case; a write is announced when it changes a text.
    void sectionsIgnoreCaseAndChangesAreAnnounced()
    {
        SettingsStore store(iniFile());
        QStringList announced;
        connect(&store, &SettingsStore::settingChanged, this,
                [&](const QString &section, const QString &key) { announced << section + u'/' + key; });
        connect(&store, &SettingsStore::sectionDeleted, this, [&](const QString &section) { announced << u"-"_s + section; });
        store.write(Settings::Wallpaper, u"3"_s);     // "StartUp"
        store.write(u"Startup", u"Wallpaper", u"3"_s); // the same text
        store.write(u"STARTUP", u"Wallpaper", QString());
        store.write(Settings::HandOffPath, QString()); // a new key, though empty
        store.deleteSection(Settings::Users);          // nothing to delete
        store.write(Settings::Users, u"1", u"Anna"_s);
        store.write(u"startup", u"Random", u"2"_s);
        store.deleteSection(u"USERS");
        QCOMPARE(announced, (QStringList{u"StartUp/Wallpaper"_s, u"STARTUP/Wallpaper"_s, u"Temp/Load"_s, u"Users/1"_s,
                                         u"startup/Random"_s, u"-USERS"_s}));
        const QByteArray content = readAll(iniFile());
        QVERIFY2(content.toLower().count("[startup]") == 1 && content.count("Wallpaper=") == 1 && !content.contains("Anna"), content);
        QVERIFY(Settings::Wallpaper.matches(u"STARTUP", u"Wallpaper") && !Settings::Wallpaper.matches(u"Startup", u"wallpaper"));
    }

    // Sections are found as QSettings spells them (the first of two spellings, CR LF, escapes, keys outside any).
    void sectionSpellingsAsWritten_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("wallpaper");
        QTest::newRow("two spellings") << QByteArray("[startup]\nWallpaper=5\n[Startup]\nWallpaper=4\n") << 4;
        QTest::newRow("CR LF") << QByteArray("[Users]\r\n1=Anna\r\n[StartUp]\r\nWallpaper=3\r\n") << 3;
        QTest::newRow("escaped name") << QByteArray("[Start%55p]\nWallpaper=6\n") << 6;
        QTest::newRow("byte order mark, blanks, a note") << QByteArray("\xEF\xBB\xBF[ startup ] ; Notiz\nWallpaper=7\n") << 7;
        QTest::newRow("no section") << QByteArray("Wallpaper=9\n[general]\nx=1\n") << 0;
    }
    void sectionSpellingsAsWritten()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, wallpaper);
        QVERIFY(writeFile(iniFile(), content));
        QCOMPARE(SettingsStore(iniFile()).readNumber(u"STARTUP", u"Wallpaper", 0), wallpaper);
    }

    // Refuses known and blank names, fills the first gap, erases every name.
    void playerHistory()
    {
        SettingsStore store(iniFile());
        PlayerHistory history(store);
        QVERIFY(history.add(u"Anna"_s));
        for (const auto &[key, name] : {std::pair{u"2", u" Bert "}, {u"4", u"Dora"}, {u"7", u"Fritz"}})
            store.write(Settings::Users, key, QString::fromUtf16(name));
        QCOMPARE(history.names(), (QStringList{u"Anna"_s, u" Bert "_s})); // up to the first gap
        for (const auto &[name, stored] : {std::pair{u"Anna", false}, {u"BERT", false}, {u"  anna ", false}, {u"   ", false},
                                           {u"An na", true}, {u"Annabel", true}})
            QVERIFY2(history.add(QString::fromUtf16(name)) == stored, qPrintable(QString::fromUtf16(name)));
        SettingsStore reopened(iniFile()); // written at once
        QCOMPARE(PlayerHistory(reopened).names(), (QStringList{u"Anna"_s, u" Bert "_s, u"An na"_s, u"Dora"_s, u"Annabel"_s}));
    }

    // After reload(), a file another process rewrote (new spelling, unquoted commas) is read and written whole.
    void anotherWriterIsSeenAfterReload()
    {
        QVERIFY(writeFile(iniFile(), "[StartUp]\nWallpaper=3\n"));
        SettingsStore store(iniFile());
        QCOMPARE(store.read(u"startup", u"Wallpaper"), u"3"_s);
        QVERIFY(writeFile(iniFile(), "[STARTUP]\nWallpaper=5\n[Temp]\nLoad=/home/j\xc3\xb6rg/Mein Held.tvk\n"
                                     "[Values]\nSize=8,25\n[Users]\n1=M\xc3\xbcller,Hans\n"));
        store.reload();
        QCOMPARE(store.read(Settings::Wallpaper), u"5"_s);
        QCOMPARE(store.read(u"TEMP", u"Load"), u"/home/jörg/Mein Held.tvk"_s);
        QCOMPARE(store.read(Settings::Users, u"1"), u"Müller,Hans"_s);
        QCOMPARE(store.readSize(Settings::ValuesFont, Settings::FontSize, 1), 8.25);
        store.write(u"Startup", u"Random", u"2"_s);
        const QByteArray content = readAll(iniFile());
        QVERIFY2(content.contains("[STARTUP]") && content.toLower().count("[startup]") == 1, content);
        QCOMPARE(SettingsStore(iniFile()).read(Settings::Random), u"2"_s);
    }

    // A hand-edited file may hold one section twice; erasing the history forgets both, and names after a gap.
    void eraseForgetsEverySpelling()
    {
        QVERIFY(writeFile(iniFile(), "[USERS]\n1=Bert\n[Users]\n1=Anna\n2=Carl\n7=Fritz\n[Recent]\n0=/tmp/a.tvk\n"));
        SettingsStore store(iniFile());
        PlayerHistory history(store);
        QCOMPARE(history.names().size(), 1);
        QSignalSpy deleted(&store, &SettingsStore::sectionDeleted);
        history.erase();
        QCOMPARE(history.names(), QStringList());
        QCOMPARE(deleted.size(), 1);
        const QByteArray content = readAll(iniFile());
        QVERIFY2(!content.toLower().contains("users") && content.contains("a.tvk"), content);
        // A section written anew takes the writer's spelling.
        QVERIFY(history.add(u"Eve"_s));
        store.write(u"users", u"2", u"Fritz"_s);
        QVERIFY2(readAll(iniFile()).contains("[Users]\n1=Eve\n2=Fritz\n"), readAll(iniFile()));
    }

    // One "?" per character outside the code page (two UTF-16 units, lone surrogates); every byte reads back as itself.
    void windows1252()
    {
        const QChar high(char16_t(0xD83D)), low(char16_t(0xDE00));
        for (const auto &[text, bytes] : {std::pair{u"Grüße \U0001F3B2€ \U0001D11E\u4E2D."_s, QByteArray("Gr\xFC\xDF" "e ?\x80 ??.")},
                                          {u"Held"_s + high, "Held?"}, {high + u"z"_s, "?z"}, {QString(low) + high, "??"}}) {
            QCOMPARE(encodeWindows1252(text), bytes);
            QByteArray line = "vorher;";
            appendWindows1252(line, text + u"\r\n"_s, Append::Line);
            QCOMPARE(line, "vorher;" + bytes + "  \r\n");
        }
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString text = decodeWindows1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(encodeWindows1252(text), all);
    }

    void checkFontName()
    {
        const QStringList withTimes{u"DejaVu Sans"_s, u"times new roman"_s, u"Arial"_s};
        const QStringList withoutTimes{u"DejaVu Sans"_s, u"Liberation Serif"_s};
        QCOMPARE(CheckFontName(u"arial"_s, withTimes), u"arial"_s);
        QCOMPARE(CheckFontName(u"Garamond"_s, withTimes), u"Times New Roman"_s);
        QCOMPARE(CheckFontName(u"Garamond"_s, withoutTimes), u"DejaVu Sans"_s);
        QCOMPARE(CheckFontName(u"Times New Roman"_s, withoutTimes), u"DejaVu Sans"_s);
        QCOMPARE(CheckFontName(u"Arial"_s, {}), QString());
    }

    void firstRunThenUnchangedThenMoved()
    {
        const FileTypeRegistration r = registration();
        QCOMPARE(r.registerFileType(), Outcome::Created);
        QCOMPARE(readAll(r.mimePackagePath()), m_files.mimePackage);
        QCOMPARE(readAll(r.iconPath()), m_files.fileIcon);
        QCOMPARE(readAll(r.desktopEntryPath()), "[Desktop Entry]\nName=Charaktere\n" + m_exec.toUtf8()
                                                    + "\nIcon=application-x-tvkfile\nMimeType=application/x-tvkfile;\n");
        QCOMPARE(readAll(r.mimeAppsPath()), "[Default Applications]\napplication/x-tvkfile=tarvosk.desktop\n");
        QCOMPARE(m_tools, (QList<QStringList>{{u"update-mime-database"_s, m_paths.dataHome + u"/mime"_s}, desktopTool()}));
        secondRunChangesNothing();

        // The program moved: only the open command is rewritten.
        QByteArray entry = readAll(r.desktopEntryPath());
        const Snapshot before = agedSnapshot();
        m_tools.clear();
        const QString movedTo = u"/home/jörg/Spiele/tarvosk"_s;
        QCOMPARE(registration(movedTo).registerFileType(), Outcome::OpenCommandRewritten);
        const Snapshot after = agedSnapshot();
        QVERIFY(after[0] == before[0] && after[1] == before[1] && after[3] == before[3]); // package, icon, mimeapps.list
        QCOMPARE(readAll(r.desktopEntryPath()), entry.replace(m_exec.toUtf8(), "Exec=\"/home/j\xc3\xb6rg/Spiele/tarvosk\" %f"));
        QCOMPARE(m_tools, QList<QStringList>{desktopTool()});
        secondRunChangesNothing(movedTo);
    }

    // In a compiled database of a data dir, or in a package of the data home not compiled yet.
    void anotherTypeOwnsCharacterFiles()
    {
        for (const auto &[file, content] :
             {std::pair{u"system2/mime/globs2", "# generated\n50:text/plain:*.txt\n50:application/x-fremd:*.tvk\n"},
              {u"data/mime/packages/fremd.xml", "<?xml version=\"1.0\"?>\n<mime-info><mime-type type=\"text/x-and\"><glob pattern=\"*.and\"/>"
                                                "</mime-type>\n<mime-type type=\"application/x-fremd\"><glob pattern=\"*.tvk\"/></mime-type></mime-info>\n"}}) {
            init();
            QVERIFY(writeFile(m_dir->filePath(QString::fromUtf16(file)), content));
            const FileTypeRegistration r = registration();
            QCOMPARE(r.typeOfCharacterFiles(), u"application/x-fremd"_s);
            QCOMPARE(r.registerFileType(), Outcome::TookOver);
            QVERIFY(!QFileInfo::exists(r.mimePackagePath()) && !QFileInfo::exists(r.iconPath()));
            QVERIFY(hasLine(r.desktopEntryPath(), u"MimeType=application/x-fremd;application/x-tvkfile;"_s));
            QVERIFY(hasLine(r.desktopEntryPath(), m_exec) && hasLine(r.mimeAppsPath(), u"application/x-fremd=tarvosk.desktop"_s));
            QCOMPARE(m_tools, QList<QStringList>{desktopTool()});
            secondRunChangesNothing();
        }
    }

    void mimeAppsKeepsItsOtherLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray ours = "application/x-tvkfile=tarvosk.desktop\n", added = "[Added Associations]\ntext/plain=gedit.desktop;\n";
        const QByteArray defaults = "[Default Applications]\ntext/html=firefox.desktop\n";
        const QByteArray removed = "\n[Removed Associations]\napplication/x-tvkfile=vim.desktop;\n";
        QTest::newRow("no default section") << added << added + "\n[Default Applications]\n" + ours;
        QTest::newRow("other sections and defaults")
            << added + '\n' + defaults + removed << added + "\n[Default Applications]\n" + ours + "text/html=firefox.desktop\n" + removed;
        // The user's choice stays, even where the installed program is the one chosen.
        for (const QByteArray &chosen : {QByteArray("fremd.desktop"), FileTypeRegistration::installedEntryName.toUtf8()}) {
            const QByteArray list = defaults + "application/x-tvkfile=" + chosen + '\n' + added;
            QTest::newRow(chosen.constData()) << list << list;
        }
    }
    void mimeAppsKeepsItsOtherLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, expected);
        const FileTypeRegistration r = registration();
        QVERIFY(writeFile(r.mimeAppsPath(), content));
        r.registerFileType();
        QCOMPARE(readAll(r.mimeAppsPath()), expected);
    }

    // A choice in a desktop's own list or in the older place under the data home counts as well.
    void defaultChosenElsewhereStays()
    {
        for (const QString &list : {u"config/kde-mimeapps.list"_s, u"data/applications/mimeapps.list"_s}) {
            init();
            QVERIFY(writeFile(m_dir->filePath(list), "[Default Applications]\napplication/x-tvkfile = fremd.desktop\n"));
            const FileTypeRegistration r = registration();
            QCOMPARE(r.registerFileType(), Outcome::Created);
            QVERIFY(!QFileInfo::exists(r.mimeAppsPath()));
        }
    }

    // An installed program wins: nothing of our own is written, an earlier build-folder entry goes with its default.
    void installedProgramWins()
    {
        for (const QString &folder : {u"data"_s, u"system2"_s}) {
            init();
            const FileTypeRegistration r = registration();
            const QByteArray otherDefaults = "[Default Applications]\ntext/html=firefox.desktop\n";
            QVERIFY(writeFile(r.mimeAppsPath(), otherDefaults));
            QCOMPARE(r.registerFileType(), Outcome::Created);
            const QString installed = m_dir->filePath(folder + u"/applications/"_s + FileTypeRegistration::installedEntryName);
            QVERIFY(writeFile(installed, "[Desktop Entry]\n"));
            QCOMPARE(installedDesktopEntry(m_paths), installed);
            for (const QList<QStringList> &tools : {QList<QStringList>{desktopTool()}, QList<QStringList>{}}) {
                m_tools.clear();
                QCOMPARE(r.registerFileType(), Outcome::Installed);
                QVERIFY(!QFileInfo::exists(r.desktopEntryPath()));
                QCOMPARE(readAll(r.mimeAppsPath()), otherDefaults);
                QCOMPARE(m_tools, tools);
            }
        }
    }

    void quotedExecArgument()
    {
        // Inside the quotes " ` $ \ take a backslash; the string value's escaping then doubles every backslash.
        QCOMPARE(FileTypeRegistration::quotedExecArgument(u"/opt/100%/a\\b/$HOME/\"x\"/`y`"_s),
                 u"\"/opt/100%%/a\\\\\\\\b/\\\\$HOME/\\\\\"x\\\\\"/\\\\`y\\\\`\""_s);
    }

    void failuresAreSilent()
    {
        for (bool dataHomeIsFile : {true, false}) {
            init();
            const QString blocked = dataHomeIsFile ? m_paths.dataHome : m_paths.configHome;
            QVERIFY(writeFile(blocked, "kein Verzeichnis"));
            const FileTypeRegistration r = registration();
            r.registerFileType();
            r.registerFileType();
            QCOMPARE(QFileInfo::exists(r.desktopEntryPath()), !dataHomeIsFile);
            QCOMPARE(m_tools.isEmpty(), dataHomeIsFile);
            QCOMPARE(readAll(blocked), QByteArray("kein Verzeichnis"));
        }
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
