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

using Answer = MessageService::Answer;

namespace {

// The program's arguments, its exit code, the start of its output and its whole error output.
struct RunCase { QStringList arguments; int exitCode; QString output, errors; };

CharacterSheet named(const QString &name)
{
    CharacterSheet sheet;
    sheet.setCaption(CharacterSheet::nameCaption, name);
    return sheet;
}

// A later start of the real program in `folder`; runs this program's event loop until it has ended.
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
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    for (const auto &[name, folder] : {std::pair(u"CONFIG_HOME"_s, u"config"_s), {u"DATA_HOME"_s, u"data"_s},
                                       {u"DATA_DIRS"_s, u"system"_s}, {u"STATE_HOME"_s, u"state"_s}, {u"RUNTIME_DIR"_s, u"runtime"_s}})
        environment.insert(u"XDG_"_s + name, home.filePath(folder));
    QDir().mkpath(home.filePath(u"runtime"_s));
    QFile::setPermissions(home.filePath(u"runtime"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TARVOSK_BINARY), arguments);
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Quoting, paths with dashes, which option wins, and the refusals of unknown options and values.
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
        // The commands of the formats come from the program's one list of them.
        QTest::newRow("--help names the exports") << RunCase{{u"--help"_s}, 0, u"--pdf CHARAKTER.tvk AUSGABE.pdf"_s, QString()};
        QTest::newRow("unknown option") << RunCase{{u"--foo"_s, u"Held.tvk"_s}, 2, QString(),
                                                   u"tarvosk: Unbekannte Option »--foo«. Mit --help werden alle Optionen gezeigt.\n"_s};
        // The windows need a display: one German line, not Qt's abort.
        QTest::newRow("windows") << RunCase{{}, 1, QString(), QString::fromUtf8(DisplayCheck::noDisplayText)};
    }
    // Help, refusals and the windows' German line, all without a display; help and version share one path.
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

    // A later start brings the window in use up, as it was, and hands over its file resolved where typed.
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
        SettingsStore settings; // the user's, which the later start reads too
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
        QCOMPARE(startLater(dir.path(), {u"Held.tvk"_s}), 0);

        QTRY_VERIFY(inUse.isActiveWindow());
        QVERIFY(!inUse.isMinimized());
        QCOMPARE(inUse.isMaximized(), maximised);
        QCOMPARE(mainWindow.isVisible(), mainShown);
        // The copy in the settings is spent, so it never opens again by surprise.
        QCOMPARE(handed, QStringList{dir.filePath(u"Held.tvk"_s)});
        settings.reload();
        QCOMPARE(settings.read(Settings::HandOffPath), QString());
    }

    // A real start from the build folder registers ".tvk", yet the user's chosen default program stays.
    void usersDefaultApplicationSurvivesAStart()
    {
        QTemporaryDir home;
        const QByteArray chosen = "[Default Applications]\napplication/x-tvkfile=fremd.desktop\n";
        QVERIFY(writeFile(home.filePath(u"config/mimeapps.list"_s), chosen));
        // Straight to the sheet: the start-up screen would wait for a choice.
        QVERIFY(writeFile(home.filePath(u"config/Tarvosk/Tarvosk.conf"_s), "[Startup]\nStartup=0\n"));
        QProcess program;
        startIsolated(program, home, {});
        // The desktop database is brought up to date last, once the defaults were looked at.
        const QString cache = home.filePath(u"data/applications/mimeinfo.cache"_s);
        const bool registered = QTest::qWaitFor([&cache] { return QFileInfo::exists(cache); }, 20000);
        program.kill();
        program.waitForFinished();
        QVERIFY(registered);
        QVERIFY(readAll(home.filePath(u"data/applications/tarvosk.desktop"_s)).contains("Exec=\"" + QFileInfo(QStringLiteral(TARVOSK_BINARY)).canonicalFilePath().toUtf8()));
        QCOMPARE(readAll(home.filePath(u"config/mimeapps.list"_s)), chosen);
    }

    // A hand-off while the start-up screen shows (before the wizard is built) is answered and its path spent.
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

    // A hand-off over unsaved work asks from the event loop while the later start's connection goes, then
    // opens the file. (What each answer does on a hand-off: tst_session's saveQuestion.)
    void handOffAsksBeforeTheSheetGoes()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"Ada.tvk"_s), CharacterFile::encode(named(u"Ada"_s), {})));
        const QString own = dir.filePath(u"Eigen.tvk"_s);
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
        messages.answers = {Answer::No};
        messages.whileShown = [] { QTest::qWait(200); };

        QCOMPARE(startLater(dir.path(), {u"Ada.tvk"_s}), 0);
        QTRY_VERIFY(!messages.shown.isEmpty());
        QTest::qWait(300);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, u"Charakter speichern ?"_s);
        QCOMPARE(messages.shown[0].onEscape, Answer::Cancel);
        QCOMPARE(session.document().sheet().caption(CharacterSheet::nameCaption), u"Ada"_s);
        QCOMPARE(session.document().fileName(), dir.filePath(u"Ada.tvk"_s));
        QVERIFY(!QFileInfo::exists(own));
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
