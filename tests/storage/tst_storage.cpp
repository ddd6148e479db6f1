#include "storage/filetyperegistration.h"
#include "storage/fontnamecheck.h"
#include "storage/playerhistory.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Player names under "Users" 1, 2, ...; an empty name leaves a gap.
void storeUsers(SettingsStore &store, const QStringList &names)
{
    for (int i = 0; i < names.size(); ++i) {
        if (!names[i].isEmpty())
            store.write(Settings::Users, QString::number(i + 1), names[i]);
    }
}

// A text read as a number (fallback 7), a size (fallback 11.5) and a flag (-1: the fallback).
struct TypedCase { QString text; int number; double size; int flag; };

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString iniFile() const { return m_dir->filePath(u"Tarvosk.conf"_s); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void emptyStoreGivesEveryDefault()
    {
        const SettingsStore store(iniFile());
        QStringList read;
        for (const SettingKey &s : {Settings::StartupScreen, Settings::Preview, Settings::SaveFont, Settings::AlwaysWord,
                                    Settings::Currency, Settings::Random, Settings::RandomText, Settings::CharacterProperty,
                                    Settings::ConfirmValues, Settings::Wallpaper, Settings::Orientation, Settings::Line0On,
                                    Settings::Line1On, Settings::Line0, Settings::Line1, Settings::Quality, Settings::HandOffPath})
            read << s.section.toString() + u'/' + s.key.toString() + u'=' + store.read(s);
        QCOMPARE(read.join(u' '), u"Startup/Startup=1 Startup/Preview=1 Startup/SaveFont=1 Startup/AlwaysWord=0 Startup/Currency=0 "
                                  u"Startup/Random=0 Startup/RandomText= Startup/CharacterProperty=0 Startup/ConfirmValues=0 "
                                  u"StartUp/Wallpaper=0 Printer/Orientation=0 Printer/Line0On=1 Printer/Line1On=1 Printer/Line0=0 "
                                  u"Printer/Line1=3 Printer/Quality=2 Temp/Load="_s);
        QCOMPARE(store.readNumber(Settings::Line1), 3);
    }

    void valuesSurviveUnchanged()
    {
        const QStringList values{u"Müller, Hans"_s, u"Ärger; Öl=Übel"_s, u"  Jörg  "_s, QString(),
                                 u"C:\\Spiele\\Held.tvk"_s, u"[Users]"_s, u"#1 \"Der Graf\""_s};
        {
            SettingsStore store(iniFile());
            for (int i = 0; i < values.size(); ++i)
                store.write(Settings::Users, QString::number(i), values[i]);
        }
        const SettingsStore again(iniFile());
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(again.read(Settings::Users, QString::number(i), u"fehlt"), values[i]);

        // Written by hand without quotes, the INI reader splits at a comma; the parts come back whole.
        QVERIFY(writeFile(m_dir->filePath(u"hand.conf"_s), "[Values]\nSize=8,25\n[Users]\n1=M\xc3\xbcller,Hans\n"));
        const SettingsStore hand(m_dir->filePath(u"hand.conf"_s));
        QCOMPARE(hand.readSize(Settings::ValuesFont, Settings::FontSize, 1), 8.25);
        QCOMPARE(hand.read(Settings::Users, u"1"), u"Müller,Hans"_s);
    }

    void sectionNamesIgnoreCase_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("other");
        QTest::newRow("StartUp, then Startup") << u"StartUp"_s << u"Startup"_s;
        QTest::newRow("Startup, then STARTUP") << u"Startup"_s << u"STARTUP"_s;
    }
    void sectionNamesIgnoreCase()
    {
        QFETCH(QString, written);
        QFETCH(QString, other);
        {
            SettingsStore store(iniFile());
            store.write(written, u"Wallpaper", u"3"_s);
            QCOMPARE(store.read(other, u"Wallpaper"), u"3"_s);
            store.write(other, u"Random", u"2"_s);
            store.write(other, u"Wallpaper", u"5"_s);
            store.write(Settings::Users, u"1", u"Hans"_s);
        }
        SettingsStore again(iniFile());
        QCOMPARE(again.read(written, u"Wallpaper") + again.read(written, u"Random"), u"52"_s);
        const QByteArray content = readAll(iniFile());
        QVERIFY(content.toLower().count("[startup]") == 1 && content.count("Wallpaper=") == 1);
        again.deleteSection(other);
        QCOMPARE(again.read(written, u"Random"), QString());
        QCOMPARE(again.read(Settings::Users, u"1"), u"Hans"_s);
        QVERIFY(!readAll(iniFile()).toLower().contains("[startup]"));
    }

    void typedReads_data()
    {
        QTest::addColumn<TypedCase>("c");
        const TypedCase cases[] = {
            {u"1"_s, 1, 1, 1}, {u"0"_s, 0, 0, 0}, {u"True"_s, 7, 11.5, 1}, {u"False"_s, 7, 11.5, 0}, {u"Wahr"_s, 7, 11.5, 1},
            {u"Falsch"_s, 7, 11.5, 0}, {u"wahr"_s, 7, 11.5, 1}, {u" -1 "_s, -1, -1, 1}, {u"Vielleicht"_s, 7, 11.5, -1},
            {u"12abc"_s, 12, 12, -1}, {u"-3.7"_s, -3, -3.7, 1}, {u" 9,5pt"_s, 9, 9.5, -1}, {u"99999999999"_s, 7, 99999999999.0, 1}};
        for (const TypedCase &c : cases)
            QTest::addRow("\"%s\"", qPrintable(c.text)) << c;
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
    }

    void unreadableStoreGivesDefaults()
    {
        for (bool directory : {false, true}) {
            init();
            const QByteArray garbage = QByteArray("\x00\xff\xfe[\x01\x02=\n==\n[[]]]\n\\\n\"\x93", 19).repeated(30);
            QVERIFY(directory ? QDir().mkpath(iniFile()) : writeFile(iniFile(), garbage));
            SettingsStore store(iniFile());
            for (const SettingKey &setting : {Settings::StartupScreen, Settings::Wallpaper, Settings::Line1})
                QCOMPARE(store.read(setting), setting.fallback.toString());
            QCOMPARE(store.readSize(u"Headline", u"Size", 18), 18.0);
            store.write(Settings::Users, u"1", u"Hans"_s);
            store.deleteSection(Settings::Users);
            QCOMPARE(store.read(Settings::Users, u"1"), QString());
        }
    }

    void writesThatChangeSomethingAreAnnounced()
    {
        SettingsStore store(iniFile());
        QStringList announced;
        connect(&store, &SettingsStore::settingChanged, this,
                [&](const QString &section, const QString &key) { announced << section + u'/' + key; });
        connect(&store, &SettingsStore::sectionDeleted, this, [&](const QString &section) { announced << u"-"_s + section; });

        store.write(Settings::Wallpaper, u"3"_s);
        store.write(u"Startup", u"Wallpaper", u"3"_s); // the same text
        store.write(u"Startup", u"Wallpaper", QString());
        store.write(Settings::HandOffPath, QString()); // a new key, though empty
        store.deleteSection(Settings::Users);          // nothing to delete
        store.write(Settings::Users, u"1", u"Anna"_s);
        store.deleteSection(u"USERS");
        QCOMPARE(announced, (QStringList{u"StartUp/Wallpaper"_s, u"Startup/Wallpaper"_s, u"Temp/Load"_s, u"Users/1"_s, u"-USERS"_s}));
        QVERIFY(Settings::Wallpaper.matches(u"STARTUP", u"Wallpaper") && !Settings::Wallpaper.matches(u"Startup", u"wallpaper"));
    }

    void anotherProcessIsSeenAfterReload()
    {
        SettingsStore store(iniFile());
        store.write(Settings::Users, u"1", u"Anna"_s);
        // A later start of the program rewrites the file from its own process.
        QVERIFY(writeFile(iniFile(), "[Temp]\nLoad=/home/j\xc3\xb6rg/Mein Held.tvk\n[Users]\n1=Anna\n"));
        QCOMPARE(store.read(Settings::HandOffPath), QString()); // reads come from memory
        store.reload();
        QCOMPARE(store.read(Settings::HandOffPath), u"/home/jörg/Mein Held.tvk"_s);
        QCOMPARE(store.read(Settings::Users, u"1"), u"Anna"_s);
    }

    void playerHistoryAddsAtTheFirstFreeNumber()
    {
        SettingsStore store(iniFile());
        PlayerHistory history(store);
        QVERIFY(history.names().isEmpty());
        QVERIFY(history.add(u"Eve"_s));
        QCOMPARE(store.read(Settings::Users, u"1"), u"Eve"_s);

        storeUsers(store, {u"Anna"_s, u"Bert"_s, QString(), u"Dora"_s});
        QCOMPARE(history.names(), (QStringList{u"Anna"_s, u"Bert"_s})); // up to the first gap
        QVERIFY(history.add(u"Carl"_s));
        QCOMPARE(history.names(), (QStringList{u"Anna"_s, u"Bert"_s, u"Carl"_s, u"Dora"_s}));
        SettingsStore reopened(iniFile()); // written at once
        QCOMPARE(PlayerHistory(reopened).names(), history.names());
    }

    void playerHistoryRefusesKnownAndEmptyNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("stored");
        QTest::newRow("same name") << u"Anna"_s << false;
        QTest::newRow("other case, stored with blanks") << u"BERT"_s << false;
        QTest::newRow("outer blanks") << u"  anna "_s << false;
        QTest::newRow("only blanks") << u"   "_s << false;
        QTest::newRow("inner blank differs") << u"An na"_s << true;
        QTest::newRow("longer name") << u"Annabel"_s << true;
    }
    void playerHistoryRefusesKnownAndEmptyNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, stored);
        SettingsStore store(iniFile());
        storeUsers(store, {u"Anna"_s, u" Bert "_s});
        QCOMPARE(PlayerHistory(store).add(name), stored);
        QCOMPARE(store.read(Settings::Users, u"3"), stored ? name : QString());
    }

    void playerHistoryEraseForgetsEveryName()
    {
        SettingsStore store(iniFile());
        storeUsers(store, {u"Anna"_s, QString(), u"Carl"_s});
        store.write(Settings::Recent, u"0", u"/tmp/a.tvk"_s);
        PlayerHistory history(store);
        history.erase();
        QCOMPARE(store.read(Settings::Users, u"1") + store.read(Settings::Users, u"3"), QString()); // also after a gap
        QCOMPARE(store.read(Settings::Recent, u"0"), u"/tmp/a.tvk"_s);
        QVERIFY(history.add(u"Dora"_s));
        QCOMPARE(history.names(), QStringList{u"Dora"_s});
    }

    void checkFontName()
    {
        const QStringList withTimes{u"DejaVu Sans"_s, u"Arial"_s, u"Times New Roman"_s};
        const QStringList withoutTimes{u"DejaVu Sans"_s, u"Liberation Serif"_s};
        QCOMPARE(CheckFontName(u"Arial"_s, withTimes), u"Arial"_s);
        QCOMPARE(CheckFontName(u"arial"_s, withTimes), u"arial"_s);
        QCOMPARE(CheckFontName(u"Garamond"_s, withTimes), u"Times New Roman"_s);
        QCOMPARE(CheckFontName(u"Garamond"_s, {u"DejaVu Sans"_s, u"times new roman"_s}), u"Times New Roman"_s);
        QCOMPARE(CheckFontName(u"Garamond"_s, withoutTimes), u"DejaVu Sans"_s);
        QCOMPARE(CheckFontName(u"Times New Roman"_s, withoutTimes), u"DejaVu Sans"_s);
        QCOMPARE(CheckFontName(u"Arial"_s, {}), QString());
    }
};

class TestFileTypeRegistration : public QObject
{
    Q_OBJECT

    using Outcome = FileTypeRegistration::Outcome;
    using Snapshot = QList<std::pair<QByteArray, QDateTime>>;

    std::unique_ptr<QTemporaryDir> m_dir;
    DesktopPaths m_paths;
    QList<QStringList> m_tools;
    const QByteArray m_icon = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>";
    const QString m_exec = u"Exec=\"/opt/Valdris 1880/tarvosk\" %f"_s;

    FileTypeRegistration registration(const QString &program = u"/opt/Valdris 1880/tarvosk"_s)
    {
        return FileTypeRegistration(m_paths, program, m_icon, [this](const QString &tool, const QStringList &arguments) {
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
    static QString line(const QString &path, const QString &start)
    {
        return QString::fromUtf8(readAll(path)).split(u'\n').filter(QRegularExpression(u'^' + QRegularExpression::escape(start))).value(0);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_paths = DesktopPaths{m_dir->filePath(u"data"_s), m_dir->filePath(u"config"_s),
                               {m_dir->filePath(u"system"_s), m_dir->filePath(u"system2"_s)}};
        m_tools.clear();
    }

    void firstRunThenUnchangedThenMoved()
    {
        const FileTypeRegistration r = registration();
        QCOMPARE(r.typeOfCharacterFiles(), QString());
        QCOMPARE(r.registerFileType(), Outcome::Created);
        QCOMPARE(r.typeOfCharacterFiles(), u"application/x-tvkfile"_s);
        const QString package = QString::fromUtf8(readAll(r.mimePackagePath()));
        QVERIFY(package.contains(u"<comment>Valdris 1880 Character Sheet</comment>"_s) && package.contains(u"<glob pattern=\"*.tvk\"/>"_s));
        QCOMPARE(readAll(r.iconPath()), m_icon);
        QCOMPARE(line(r.desktopEntryPath(), u"Exec="_s), m_exec);
        QCOMPARE(line(r.desktopEntryPath(), u"MimeType="_s), u"MimeType=application/x-tvkfile;"_s);
        QCOMPARE(readAll(m_paths.configHome + u"/mimeapps.list"_s), "[Default Applications]\napplication/x-tvkfile=tarvosk.desktop\n");
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

    void anotherTypeOwnsCharacterFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("globs2 in a data dir") << u"system2/mime/globs2"_s
                                              << QByteArray("# generated\n50:text/plain:*.txt\n50:application/x-fremd:*.tvk\n");
        QTest::newRow("package in the data home")
            << u"data/mime/packages/fremd.xml"_s
            << QByteArray("<?xml version=\"1.0\"?>\n<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"text/x-anders\"><glob pattern=\"*.and\"/></mime-type>\n"
                          "  <mime-type type=\"application/x-fremd\"><comment>Fremd</comment><glob pattern=\"*.tvk\"/></mime-type>\n"
                          "</mime-info>\n");
    }
    void anotherTypeOwnsCharacterFiles()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QVERIFY(writeFile(m_dir->filePath(file), content));
        const FileTypeRegistration r = registration();
        QCOMPARE(r.typeOfCharacterFiles(), u"application/x-fremd"_s);
        QCOMPARE(r.registerFileType(), Outcome::TookOver);
        QVERIFY(!QFileInfo::exists(r.mimePackagePath()) && !QFileInfo::exists(r.iconPath()));
        QVERIFY(line(r.desktopEntryPath(), u"MimeType="_s).contains(u"application/x-fremd;"_s));
        QCOMPARE(line(r.desktopEntryPath(), u"Exec="_s), m_exec);
        QCOMPARE(line(r.mimeAppsPath(), u"application/x-fremd="_s), u"application/x-fremd=tarvosk.desktop"_s);
        QCOMPARE(m_tools, QList<QStringList>{desktopTool()});
        secondRunChangesNothing();
    }

    void mimeAppsKeepsItsOtherLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray ours = "application/x-tvkfile=tarvosk.desktop\n";
        QTest::newRow("no default section") << QByteArray("[Added Associations]\ntext/plain=gedit.desktop;\n")
                                            << "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n" + ours;
        QTest::newRow("other sections and defaults")
            << QByteArray("[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\ntext/html=firefox.desktop\n\n"
                          "[Removed Associations]\ntext/plain=vim.desktop;\n")
            << "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n" + ours
                   + "text/html=firefox.desktop\n\n[Removed Associations]\ntext/plain=vim.desktop;\n";
        QTest::newRow("another program was the opener")
            << QByteArray("[Default Applications]\ntext/html=firefox.desktop\napplication/x-tvkfile=fremd.desktop\n"
                          "[Added Associations]\napplication/x-tvkfile=fremd.desktop;\n")
            << "[Default Applications]\ntext/html=firefox.desktop\n" + ours + "[Added Associations]\napplication/x-tvkfile=fremd.desktop;\n";
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

    void quotedExecArgument_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("quoted");
        // Inside the quotes " ` $ \ take a backslash; the string value's escaping then doubles every backslash.
        QTest::newRow("percent") << u"/opt/100%/t"_s << u"\"/opt/100%%/t\""_s;
        QTest::newRow("backslash") << u"/opt/a\\b/t"_s << u"\"/opt/a\\\\\\\\b/t\""_s;
        QTest::newRow("dollar") << u"/opt/$HOME/t"_s << u"\"/opt/\\\\$HOME/t\""_s;
        QTest::newRow("double quote") << u"/opt/\"x\"/t"_s << u"\"/opt/\\\\\"x\\\\\"/t\""_s;
        QTest::newRow("backtick") << u"/opt/`x`/t"_s << u"\"/opt/\\\\`x\\\\`/t\""_s;
    }
    void quotedExecArgument()
    {
        QFETCH(QString, path);
        QFETCH(QString, quoted);
        QCOMPARE(FileTypeRegistration::quotedExecArgument(path), quoted);
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

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestSettingsStore settings;
    TestFileTypeRegistration registration;
    return QTest::qExec(&settings, argc, argv) + QTest::qExec(&registration, argc, argv);
}

#include "tst_storage.moc"
