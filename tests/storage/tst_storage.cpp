#include "storage/filetyperegistration.h"
#include "storage/fontnamecheck.h"
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
        const struct { SettingKey setting; const char16_t *section, *key, *fallback; } settings[] = {
            {Settings::StartupScreen, u"Startup", u"Startup", u"1"}, {Settings::Preview, u"Startup", u"Preview", u"1"},
            {Settings::SaveFont, u"Startup", u"SaveFont", u"1"}, {Settings::AlwaysWord, u"Startup", u"AlwaysWord", u"0"},
            {Settings::Currency, u"Startup", u"Currency", u"0"}, {Settings::Random, u"Startup", u"Random", u"0"},
            {Settings::RandomText, u"Startup", u"RandomText", u""},
            {Settings::CharacterProperty, u"Startup", u"CharacterProperty", u"0"},
            {Settings::ConfirmValues, u"Startup", u"ConfirmValues", u"0"}, {Settings::Wallpaper, u"StartUp", u"Wallpaper", u"0"},
            {Settings::Orientation, u"Printer", u"Orientation", u"0"}, {Settings::Line0On, u"Printer", u"Line0On", u"1"},
            {Settings::Line1On, u"Printer", u"Line1On", u"1"}, {Settings::Line0, u"Printer", u"Line0", u"0"},
            {Settings::Line1, u"Printer", u"Line1", u"3"}, {Settings::Quality, u"Printer", u"Quality", u"2"},
            {Settings::HandOffPath, u"Temp", u"Load", u""},
        };
        const SettingsStore store(iniFile());
        for (const auto &s : settings) {
            const QString name = QString::fromUtf16(s.section) + u'/' + QString::fromUtf16(s.key);
            QCOMPARE(s.setting.section.toString() + u'/' + s.setting.key.toString(), name);
            QCOMPARE(name + u'=' + store.read(s.setting), name + u'=' + QString::fromUtf16(s.fallback));
            if (s.fallback[0])
                QCOMPARE(store.readNumber(s.setting), QString::fromUtf16(s.fallback).toInt());
        }
        for (QStringView font : {Settings::ValuesFont, Settings::LabelsFont, Settings::HeadlineFont})
            QCOMPARE(store.read(font, Settings::FontName, Settings::FontNameDefault), u"Times New Roman"_s);
        QCOMPARE(store.readSize(Settings::HeadlineFont, Settings::FontSize, Settings::HeadlineSizeDefault), 18.0);
        QCOMPARE(store.readSize(Settings::LabelsFont, Settings::FontSize, Settings::TextSizeDefault), 8.25);
    }

    void valuesSurviveUnchanged()
    {
        const QStringList values{u"Müller, Hans"_s, u"Ärger; Öl=Übel"_s, u"  Jörg  "_s, QString(),
                                 u"C:\\Spiele\\Held.tvk"_s, u"[Users]"_s, u"#1 \"Der Graf\""_s};
        {
            SettingsStore store(iniFile());
            for (int i = 0; i < values.size(); ++i) {
                store.write(Settings::Users, QString::number(i + 1), values[i]);
                QCOMPARE(store.read(Settings::Users, QString::number(i + 1), u"fehlt"), values[i]);
            }
        }
        const SettingsStore again(iniFile());
        for (int i = 0; i < values.size(); ++i)
            QCOMPARE(again.read(Settings::Users, QString::number(i + 1), u"fehlt"), values[i]);
    }

    void handWrittenCommaValue()
    {
        // Unquoted, the INI reader splits at the comma; the parts come back whole.
        QVERIFY(writeFile(iniFile(), "[Values]\nSize=8,25\n[Users]\n1=M\xc3\xbcller,Hans\n"));
        const SettingsStore store(iniFile());
        QCOMPARE(store.readSize(Settings::ValuesFont, Settings::FontSize, 1), 8.25);
        QCOMPARE(store.read(Settings::Users, u"1"), u"Müller,Hans"_s);
    }

    void sectionNamesIgnoreCase_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("read");
        QTest::newRow("StartUp, then Startup") << u"StartUp"_s << u"Startup"_s;
        QTest::newRow("Startup, then StartUp") << u"Startup"_s << u"StartUp"_s;
        QTest::newRow("upper, then lower") << u"STARTUP"_s << u"startup"_s;
    }
    void sectionNamesIgnoreCase()
    {
        QFETCH(QString, written);
        QFETCH(QString, read);
        {
            SettingsStore store(iniFile());
            store.write(written, u"Wallpaper", u"3"_s);
            QCOMPARE(store.read(read, u"Wallpaper"), u"3"_s);
            store.write(read, u"Random", u"2"_s);
            store.write(read, u"Wallpaper", u"5"_s);
        }
        const SettingsStore again(iniFile());
        QCOMPARE(again.readNumber(written, u"Wallpaper", 0), 5);
        QCOMPARE(again.readNumber(written, u"Random", 0), 2);
        const QString content = QString::fromUtf8(readAll(iniFile()));
        const QRegularExpression header(u"^\\[startup\\]$"_s, QRegularExpression::CaseInsensitiveOption
                                                                  | QRegularExpression::MultilineOption);
        QCOMPARE(content.count(header), 1);
        QCOMPARE(content.count(u"Wallpaper="_s), 1);
    }

    void deleteSection_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("deleted");
        QTest::newRow("same spelling") << u"Users"_s << u"Users"_s;
        QTest::newRow("deleted in upper case") << u"Users"_s << u"USERS"_s;
        QTest::newRow("written in lower case") << u"users"_s << u"Users"_s;
    }
    void deleteSection()
    {
        QFETCH(QString, written);
        QFETCH(QString, deleted);
        {
            SettingsStore store(iniFile());
            for (int i = 1; i <= 3; ++i)
                store.write(written, QString::number(i), u"Spieler %1"_s.arg(i));
            store.write(Settings::Currency, u"2"_s);
            store.deleteSection(deleted);
            QCOMPARE(store.read(Settings::Users, u"1", u"keiner"), u"keiner"_s);
        }
        const SettingsStore again(iniFile());
        QCOMPARE(again.read(Settings::Users, u"3", u"keiner"), u"keiner"_s);
        QCOMPARE(again.read(Settings::Currency), u"2"_s);
        QVERIFY(!readAll(iniFile()).toLower().contains("[users]"));
    }

    void numbersAndSizes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number"); // read with the fallback 7
        QTest::addColumn<double>("size"); // read with the fallback 11.5
        const struct { const char16_t *text; int number; double size; } cases[] = {
            {u"abc", 7, 11.5}, {u"", 7, 11.5}, {u"-", 7, 11.5}, {u"12abc", 12, 12}, {u"3.7", 3, 3.7},
            {u"-3.7", -3, -3.7}, {u"8,25", 8, 8.25}, {u"8.25", 8, 8.25}, {u" 9,5pt", 9, 9.5},
            {u"0", 0, 0}, {u"99999999999", 7, 99999999999.0},
        };
        for (const auto &c : cases)
            QTest::addRow("\"%s\"", qPrintable(QString::fromUtf16(c.text))) << QString::fromUtf16(c.text) << c.number << c.size;
    }
    void numbersAndSizes()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QFETCH(double, size);
        SettingsStore store(iniFile());
        store.write(u"Labels", u"Size", text);
        QCOMPARE(store.readNumber(u"Labels", u"Size", 7), number);
        QCOMPARE(store.readSize(u"Labels", u"Size", 11.5), size);
        QCOMPARE(store.readNumber(u"Labels", u"Missing", 7), 7);
        QCOMPARE(store.readSize(u"Labels", u"Missing", 11.5), 11.5);
    }

    void flags_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flag"); // -1: the fallback
        const struct { const char16_t *text; int flag; } cases[] = {
            {u"1", 1}, {u"0", 0}, {u"True", 1}, {u"False", 0}, {u"Wahr", 1}, {u"Falsch", 0}, {u"wahr", 1},
            {u"-1", 1}, {u"2", 1}, {u" 1 ", 1}, {u"Vielleicht", -1}, {u"", -1},
        };
        for (const auto &c : cases)
            QTest::addRow("\"%s\"", qPrintable(QString::fromUtf16(c.text))) << QString::fromUtf16(c.text) << c.flag;
    }
    void flags()
    {
        QFETCH(QString, text);
        QFETCH(int, flag);
        SettingsStore store(iniFile());
        store.write(u"Values", u"Bold", text);
        for (bool fallback : {false, true}) {
            QCOMPARE(store.readFlag(u"Values", u"Bold", fallback), flag < 0 ? fallback : flag == 1);
            QCOMPARE(store.readFlag(u"Values", u"Missing", fallback), fallback);
        }
    }

    void unreadableStoreGivesDefaults_data()
    {
        QTest::addColumn<bool>("directory");
        QTest::newRow("garbage file") << false;
        QTest::newRow("directory") << true;
    }
    void unreadableStoreGivesDefaults()
    {
        QFETCH(bool, directory);
        static const char head[] = "\x00\xff\xfe[\x01\x02=\n==\n[[]]]\n\\\n\"";
        QByteArray garbage(head, sizeof head - 1);
        for (int i = 0; i < 512; ++i)
            garbage.append(char((i * 37) % 251));
        QVERIFY(directory ? QDir().mkpath(iniFile()) : writeFile(iniFile(), garbage));
        SettingsStore store(iniFile());
        for (const SettingKey &setting : {Settings::StartupScreen, Settings::Random, Settings::Wallpaper,
                                          Settings::Line1, Settings::HandOffPath})
            QCOMPARE(store.read(setting), setting.fallback.toString());
        QCOMPARE(store.readSize(u"Headline", u"Size", 18), 18.0);
        store.write(Settings::Users, u"1", u"Hans"_s);
        store.deleteSection(Settings::Users);
        QCOMPARE(store.read(Settings::Users, u"1"), QString());
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
    const QString m_ours = u"application/x-tvkfile="_s + FileTypeRegistration::desktopEntryName;

    FileTypeRegistration registration(const QString &program = u"/opt/Valdris 1880/tarvosk"_s)
    {
        return FileTypeRegistration(m_paths, program, m_icon, [this](const QString &tool, const QStringList &arguments) {
            m_tools.append(QStringList{tool} + arguments);
        });
    }
    QStringList allPaths()
    {
        const FileTypeRegistration r = registration();
        return {r.mimePackagePath(), r.iconPath(), r.desktopEntryPath(), r.mimeAppsPath()};
    }
    // Content and modification time of every file; aged, the times are first set into the past, so a rewrite shows.
    Snapshot snapshot(bool aged = false)
    {
        Snapshot files;
        for (const QString &path : allPaths()) {
            QFile file(path);
            if (aged && file.open(QIODevice::ReadOnly))
                file.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime);
            files.append({readAll(path), QFileInfo(path).lastModified()});
        }
        return files;
    }
    static QStringList linesOf(const QString &path)
    {
        return QString::fromUtf8(readAll(path)).split(u'\n', Qt::SkipEmptyParts);
    }
    static QString line(const QString &path, const QString &start)
    {
        const QStringList lines = linesOf(path).filter(QRegularExpression(u'^' + QRegularExpression::escape(start)));
        return lines.value(0);
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

    void firstRunCreatesEverything()
    {
        const FileTypeRegistration r = registration();
        QCOMPARE(r.typeOfCharacterFiles(), QString());
        QCOMPARE(r.registerFileType(), Outcome::Created);

        QVERIFY(r.mimePackagePath().startsWith(m_paths.dataHome + u"/mime/packages/"_s));
        const QString package = QString::fromUtf8(readAll(r.mimePackagePath()));
        QVERIFY(package.contains(u"<mime-type type=\"application/x-tvkfile\">"_s));
        QVERIFY(package.contains(u"<comment>Valdris 1880 Character Sheet</comment>"_s));
        QVERIFY(package.contains(u"<glob pattern=\"*.tvk\"/>"_s));
        QCOMPARE(r.typeOfCharacterFiles(), u"application/x-tvkfile"_s);
        QCOMPARE(readAll(r.iconPath()), m_icon);

        QVERIFY(r.desktopEntryPath().startsWith(m_paths.dataHome + u"/applications/"_s));
        QCOMPARE(linesOf(r.desktopEntryPath()).value(0), u"[Desktop Entry]"_s);
        QCOMPARE(line(r.desktopEntryPath(), u"Exec="_s), m_exec);
        QCOMPARE(line(r.desktopEntryPath(), u"MimeType="_s), u"MimeType=application/x-tvkfile;"_s);
        QCOMPARE(line(r.desktopEntryPath(), u"Type="_s), u"Type=Application"_s);

        QCOMPARE(r.mimeAppsPath(), m_paths.configHome + u"/mimeapps.list"_s);
        QCOMPARE(linesOf(r.mimeAppsPath()), (QStringList{u"[Default Applications]"_s, m_ours}));
        QCOMPARE(m_tools, (QList<QStringList>{{u"update-mime-database"_s, m_paths.dataHome + u"/mime"_s},
                                              {u"update-desktop-database"_s, m_paths.dataHome + u"/applications"_s}}));

        const Snapshot before = snapshot(true);
        m_tools.clear();
        QCOMPARE(registration().registerFileType(), Outcome::Unchanged);
        QCOMPARE(snapshot(), before);
        QVERIFY(m_tools.isEmpty());
    }

    void movedProgramRewritesOnlyTheOpenCommand()
    {
        registration().registerFileType();
        QStringList entry = linesOf(registration().desktopEntryPath());
        const Snapshot before = snapshot(true);
        m_tools.clear();

        const FileTypeRegistration moved = registration(u"/home/jörg/Spiele/tarvosk"_s);
        QCOMPARE(moved.registerFileType(), Outcome::OpenCommandRewritten);
        const Snapshot after = snapshot();
        QCOMPARE(after[0], before[0]); // MIME package
        QCOMPARE(after[1], before[1]); // icon
        QCOMPARE(after[3], before[3]); // mimeapps.list
        entry[entry.indexOf(m_exec)] = u"Exec=\"/home/jörg/Spiele/tarvosk\" %f"_s;
        QCOMPARE(linesOf(moved.desktopEntryPath()), entry);
        QCOMPARE(m_tools, (QList<QStringList>{{u"update-desktop-database"_s, m_paths.dataHome + u"/applications"_s}}));

        m_tools.clear();
        QCOMPARE(moved.registerFileType(), Outcome::Unchanged);
        QVERIFY(m_tools.isEmpty());
    }

    void anotherTypeOwnsCharacterFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        const QByteArray globs = "# generated\n50:text/plain:*.txt\n50:application/x-fremd:*.tvk\n";
        QTest::newRow("globs2 in a data dir") << u"system2/mime/globs2"_s << globs;
        QTest::newRow("globs2 in the data home") << u"data/mime/globs2"_s << globs;
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
        QVERIFY(!QFileInfo::exists(r.mimePackagePath()));
        QVERIFY(!QFileInfo::exists(r.iconPath()));
        QVERIFY(line(r.desktopEntryPath(), u"MimeType="_s).contains(u"application/x-fremd;"_s));
        QCOMPARE(line(r.desktopEntryPath(), u"Exec="_s), m_exec);
        QCOMPARE(line(r.mimeAppsPath(), u"application/x-fremd="_s), u"application/x-fremd="_s + FileTypeRegistration::desktopEntryName);
        for (const QStringList &tool : std::as_const(m_tools))
            QVERIFY(tool.first() != u"update-mime-database");

        const Snapshot before = snapshot(true);
        m_tools.clear();
        QCOMPARE(registration().registerFileType(), Outcome::Unchanged);
        QCOMPARE(snapshot(), before);
        QVERIFY(m_tools.isEmpty());
    }

    void mimeAppsKeepsItsOtherLines_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("replaced");
        QTest::newRow("no default section") << u"[Added Associations]\ntext/plain=gedit.desktop;\n"_s << QString();
        QTest::newRow("other sections and defaults")
            << u"[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\ntext/html=firefox.desktop\n"
               "\n[Removed Associations]\ntext/plain=vim.desktop;\n"_s << QString();
        QTest::newRow("another program was the opener")
            << u"[Default Applications]\ntext/html=firefox.desktop\napplication/x-tvkfile=fremd.desktop\n"
               "[Added Associations]\napplication/x-tvkfile=fremd.desktop;\n"_s
            << u"application/x-tvkfile=fremd.desktop"_s;
    }
    void mimeAppsKeepsItsOtherLines()
    {
        QFETCH(QString, content);
        QFETCH(QString, replaced);
        const FileTypeRegistration r = registration();
        QVERIFY(writeFile(r.mimeAppsPath(), content.toUtf8()));
        r.registerFileType();

        const QStringList lines = linesOf(r.mimeAppsPath());
        QCOMPARE(lines.count(m_ours), 1);
        // Every other line is still there, in its order; ours stands in [Default Applications].
        QStringList others = lines;
        others.removeAll(m_ours);
        QStringList expected = content.split(u'\n', Qt::SkipEmptyParts);
        expected.removeOne(replaced);
        if (!content.contains(u"[Default Applications]"))
            expected.append(u"[Default Applications]"_s);
        QCOMPARE(others, expected);
        qsizetype section = lines.indexOf(m_ours);
        while (section > 0 && !lines[section].startsWith(u'['))
            --section;
        QCOMPARE(lines[section], u"[Default Applications]"_s);
    }

    void quotedExecArgument_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("quoted");
        // Inside the quotes " ` $ \ take a backslash; the string value's escaping then doubles every backslash.
        QTest::newRow("plain") << u"/usr/bin/tarvosk"_s << u"\"/usr/bin/tarvosk\""_s;
        QTest::newRow("blanks") << u"/opt/Valdris 1880/tarvosk"_s << u"\"/opt/Valdris 1880/tarvosk\""_s;
        QTest::newRow("percent") << u"/opt/100%/t"_s << u"\"/opt/100%%/t\""_s;
        QTest::newRow("single quote, umlaut") << u"/home/jörg/it's/t"_s << u"\"/home/jörg/it's/t\""_s;
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

    void failuresAreSilent_data()
    {
        QTest::addColumn<bool>("dataHomeIsFile");
        QTest::newRow("data home is a file") << true;
        QTest::newRow("config home is a file") << false;
    }
    void failuresAreSilent()
    {
        QFETCH(bool, dataHomeIsFile);
        const QString blocked = dataHomeIsFile ? m_paths.dataHome : m_paths.configHome;
        QVERIFY(writeFile(blocked, "kein Verzeichnis"));
        const FileTypeRegistration r = registration();
        r.registerFileType();
        r.registerFileType();
        QCOMPARE(QFileInfo::exists(r.mimePackagePath()), !dataHomeIsFile);
        QCOMPARE(QFileInfo::exists(r.desktopEntryPath()), !dataHomeIsFile);
        QCOMPARE(m_tools.isEmpty(), dataHomeIsFile);
        QCOMPARE(readAll(blocked), QByteArray("kein Verzeichnis"));
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
