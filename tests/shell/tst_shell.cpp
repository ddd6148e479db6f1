#include "formats/sheetformats.h"
#include "platform/singleinstance.h"
#include "session/charactersession.h"
#include "sheet/sheetdocument.h"
#include "sheetwindow/form8.h"
#include "shell/commandline.h"
#include "shell/displaycheck.h"
#include "shell/startup.h"
#include "storage/characterfile.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"
#include "support/recordingmessages.h"
#include "support/scriptedfiledialogs.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace Tarvosk;
using namespace Qt::StringLiterals;
using Action = CommandLine::Action;

// The program's arguments, its exit code, the start of its output and its whole error output.
struct RunCase { QStringList arguments; int exitCode; QString output, errors; };

using Answer = MessageService::Answer;

namespace {

CharacterSheet named(const QString &name)
{
    CharacterSheet sheet;
    sheet.setCaption(CharacterSheet::nameCaption, name);
    return sheet;
}

// A later start of the real program in `folder`, naming its file as typed there; runs the
// event loop of this, the running program, until it has ended.
int startLater(const QString &folder, const QStringList &arguments)
{
    QProcess later;
    later.setWorkingDirectory(folder);
    later.start(QStringLiteral(TARVOSK_BINARY), arguments);
    if (!QTest::qWaitFor([&later] { return later.state() == QProcess::NotRunning; }, 20000))
        return -1;
    return later.exitStatus() == QProcess::NormalExit ? later.exitCode() : -1;
}

// The real program, offscreen, with a home of its own and no installed copy beside it.
void startIsolated(QProcess &program, const QTemporaryDir &home, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home.path());
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
    environment.insert(u"XDG_DATA_DIRS"_s, home.filePath(u"system"_s));
    environment.insert(u"XDG_STATE_HOME"_s, home.filePath(u"state"_s));
    const QString runtime = home.filePath(u"runtime"_s);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TARVOSK_BINARY), arguments);
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        // The path for RunWindows, else the start of the text.
        QTest::addColumn<QString>("result");
        const auto row = [](const char *name, const QString &words, Action action, const QString &result) {
            QTest::newRow(name) << (u"tarvosk "_s + words).split(u' ', Qt::SkipEmptyParts) << action << result;
        };
        const QString unknownFoo = u"tarvosk: Unbekannte Option »--foo«. Mit --help"_s;
        QTest::newRow("not even the program") << QStringList{} << Action::RunWindows << QString();
        row("words of one path, quoted across them", u"\"/home/a/Mein Der\"Graf\".tvk\""_s, Action::RunWindows, u"/home/a/Mein DerGraf.tvk"_s);
        row("dashed words after the first belong to the path", u"Held - Kopie --help.tvk"_s, Action::RunWindows, u"Held - Kopie --help.tvk"_s);
        row("-h before a path", u"-h Held.tvk"_s, Action::ShowHelp, u"Aufruf: tarvosk [Datei.tvk]\n"_s);
        row("-v", u"-v"_s, Action::ShowVersion, u"Valdris 1880 Character Creator (tarvosk), Version 0.1\n"_s);
        row("help wins over version", u"--version --help"_s, Action::ShowHelp, u"Aufruf:"_s);
        row("unknown with a value", u"--foo=1 Held.tvk"_s, Action::Refuse, unknownFoo);
        row("unknown after a known one", u"--version --foo"_s, Action::Refuse, unknownFoo);
        row("one dash, one word", u"-foo"_s, Action::Refuse, u"tarvosk: Unbekannte Option »-foo«."_s);
        row("a value for --help", u"--help=ja"_s, Action::Refuse, u"tarvosk: Die Option »--help« nimmt keinen Wert."_s);
    }
    void parseCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, result);
        const CommandLine command = Tarvosk::parseCommandLine(arguments);
        QCOMPARE(command.action, action);
        QCOMPARE(command.path, action == Action::RunWindows ? result : QString());
        QVERIFY2(action == Action::RunWindows ? command.text.isEmpty() : command.text.startsWith(result) && command.text.endsWith(u'\n'),
                 qPrintable(command.text));
    }

    void runsWithoutDisplay_data()
    {
        QTest::addColumn<RunCase>("c");
        QTest::newRow("--help") << RunCase{{u"--help"_s}, 0, u"Aufruf: tarvosk [Datei.tvk]\n"_s, QString()};
        // The commands of the formats come from the program's one list of them.
        QTest::newRow("--help names the exports") << RunCase{{u"--help"_s}, 0, u"--pdf CHARAKTER.tvk AUSGABE.pdf"_s, QString()};
        QTest::newRow("--version") << RunCase{{u"--version"_s}, 0, u"Valdris 1880 Character Creator"_s, QString()};
        QTest::newRow("unknown option") << RunCase{{u"--foo"_s, u"Held.tvk"_s}, 2, QString(),
                                                   u"tarvosk: Unbekannte Option »--foo«. Mit --help werden alle Optionen gezeigt.\n"_s};
        // The windows need a display: one German line, not Qt's abort.
        QTest::newRow("windows") << RunCase{{}, 1, QString(), QString::fromUtf8(DisplayCheck::noDisplayText)};
    }
    void runsWithoutDisplay()
    {
        QFETCH(RunCase, c);
        const auto &[arguments, exitCode, output, errors] = c;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
            environment.remove(name);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TARVOSK_BINARY), arguments);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromUtf8(program.readAllStandardError()), errors);
        QCOMPARE(program.exitCode(), exitCode);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(output.isEmpty() ? out.isEmpty() : out.startsWith(output) || out.contains(u"\n  "_s + output), qPrintable(out));
    }

    void handOffBringsTheWindowInUseToTheFront_data()
    {
        QTest::addColumn<bool>("mainShown");
        QTest::addColumn<bool>("maximised");
        QTest::newRow("main window maximised, then minimised") << true << true;
        QTest::newRow("main window hidden, the other one minimised") << false << false;
    }
    void handOffBringsTheWindowInUseToTheFront()
    {
        QFETCH(bool, mainShown);
        QFETCH(bool, maximised);
        QTemporaryDir dir;
        // The user's settings of this test's home: the later start below reads the same file.
        SettingsStore settings;
        QWidget mainWindow, other;
        other.show();
        if (mainShown)
            mainWindow.show();
        QWidget &inUse = mainShown ? mainWindow : other;
        if (maximised)
            inUse.showMaximized();
        inUse.showMinimized();
        if (mainShown) {
            other.activateWindow();
            QTRY_VERIFY(other.isActiveWindow());
        }

        SingleInstance running(SingleInstance::serverPathFor(settings.fileName()));
        QCOMPARE(running.claim(), SingleInstance::Role::Primary);
        QStringList handed;
        answerHandOffs(running, settings, [&mainWindow] { return &mainWindow; }, [&handed](const QString &path) { handed << path; });
        // The later start names its file relatively, in a folder of its own.
        QCOMPARE(startLater(dir.path(), {u"Held.tvk"_s}), 0);

        QTRY_VERIFY(inUse.isActiveWindow());
        QVERIFY(!inUse.isMinimized());
        QCOMPARE(inUse.isMaximized(), maximised);
        QCOMPARE(mainWindow.isVisible(), mainShown);
        // Resolved where it was typed; the copy in the settings is spent, so it never opens again by surprise.
        QCOMPARE(handed, QStringList{dir.filePath(u"Held.tvk"_s)});
        settings.reload();
        QCOMPARE(settings.read(Settings::HandOffPath), QString());
    }

    // A real start from the build folder registers ".tvk" for itself, yet the program the user
    // chose to open such files stays their default.
    void usersDefaultApplicationSurvivesAStart()
    {
        QTemporaryDir home;
        const QByteArray chosen = "[Default Applications]\napplication/x-tvkfile=fremd.desktop\n";
        QVERIFY(writeFile(home.filePath(u"config/mimeapps.list"_s), chosen));
        // Straight to the sheet: the start-up screen would wait for a choice before the start goes on.
        QVERIFY(writeFile(home.filePath(u"config/Tarvosk/Tarvosk.conf"_s), "[Startup]\nStartup=0\n"));
        QProcess program;
        startIsolated(program, home, {});
        const QString entry = home.filePath(u"data/applications/tarvosk.desktop"_s);
        // The desktop database is brought up to date last, once the defaults were looked at.
        const QString cache = home.filePath(u"data/applications/mimeinfo.cache"_s);
        const bool registered = QTest::qWaitFor([&cache] { return QFileInfo::exists(cache); }, 20000);
        program.kill();
        program.waitForFinished();
        QVERIFY(registered);
        QVERIFY(readAll(entry).contains("Exec=\"" + QFileInfo(QStringLiteral(TARVOSK_BINARY)).canonicalFilePath().toUtf8()));
        QCOMPARE(readAll(home.filePath(u"config/mimeapps.list"_s)), chosen);
    }

    // The start-up screen shows before the wizard is built; a later start that hands over a file
    // meanwhile is answered all the same, and the path it left in the settings is spent.
    void handOffWhileTheStartupScreenShows()
    {
        QTemporaryDir home;
        const QString settingsFile = home.filePath(u"config/Tarvosk/Tarvosk.conf"_s);
        QVERIFY(writeFile(settingsFile, "[Startup]\nStartup=1\n"));
        QProcess running;
        startIsolated(running, home, {});
        const QString socket = QDir(home.filePath(u"runtime"_s)).filePath(QFileInfo(SingleInstance::serverPathFor(settingsFile)).fileName());
        QVERIFY(QTest::qWaitFor([&socket] { return QFileInfo::exists(socket); }, 20000));
        QProcess later;
        startIsolated(later, home, {home.filePath(u"Held.tvk"_s)});
        QVERIFY(later.waitForFinished(20000));
        QCOMPARE(later.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(SettingsStore(settingsFile).read(Settings::HandOffPath), QString(), 10000);
        QCOMPARE(running.state(), QProcess::Running);
        running.kill();
        running.waitForFinished();
    }

    // A later start hands its file over while the sheet holds unsaved work: the running program asks
    // "Charakter speichern ?" from the event loop, and the later start's connection ends and goes
    // while the question is up. No opens the file; Yes saves first; a save that fails keeps the sheet.
    void handOffAsksBeforeTheSheetGoes_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::newRow("Nein") << Answer::No << false;
        QTest::newRow("Ja") << Answer::Yes << false;
        QTest::newRow("Ja, the save fails") << Answer::Yes << true;
    }
    void handOffAsksBeforeTheSheetGoes()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, saveFails);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"Ada.tvk"_s), CharacterFile::encode(named(u"Ada"_s), {})));
        // Where the sheet's own file should go stands a folder: saving there fails for real.
        const QString own = dir.filePath(saveFails ? u"Ordner.tvk"_s : u"Eigen.tvk"_s);
        QVERIFY(!saveFails || QDir(dir.path()).mkdir(u"Ordner.tvk"_s));

        SettingsStore settings;
        RecordingMessages messages;
        ScriptedFileDialogs dialogs;
        SheetFormats formats(settings);
        CharacterSession session({settings, messages, dialogs, formats.all()});
        session.document().load(named(u"Eigen"_s), own);
        QVERIFY(session.document().setValue(0, u"ungespeichert"_s));
        Form8 window(SheetWindowContext{settings, messages, session, dialogs});
        window.show();
        SingleInstance running(SingleInstance::serverPathFor(settings.fileName()));
        QCOMPARE(running.claim(), SingleInstance::Role::Primary);
        answerHandOffs(running, settings, [&window] { return &window; }, [&window](const QString &path) { window.Form_DblClick(path); });
        messages.answers = {answer};
        messages.whileShown = [] { QTest::qWait(200); };

        QCOMPARE(startLater(dir.path(), {u"Ada.tvk"_s}), 0);
        QTRY_VERIFY(!messages.shown.isEmpty());
        QTest::qWait(300);
        QCOMPARE(messages.shown[0].text, u"Charakter speichern ?"_s);
        QCOMPARE(messages.shown[0].onEscape, Answer::Cancel);
        const CharacterSheet &sheet = session.document().sheet();
        if (saveFails) {
            QCOMPARE(messages.shown.size(), 2);
            QVERIFY2(messages.shown[1].text.startsWith(u"Fehler beim Speichern\nDie Datei »%1«"_s.arg(own)),
                     qPrintable(messages.shown[1].text));
            QCOMPARE(sheet.value(0), u"ungespeichert"_s);
            QVERIFY(!session.document().isSaved());
        } else {
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(sheet.caption(CharacterSheet::nameCaption), u"Ada"_s);
            QCOMPARE(session.document().fileName(), dir.filePath(u"Ada.tvk"_s));
            QCOMPARE(QFileInfo::exists(own), answer == Answer::Yes);
        }
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
