#include "shell/commandline.h"
#include "shell/startup.h"
#include "platform/singleinstance.h"
#include "storage/settingkeys.h"
#include "storage/settingsstore.h"
#include "support/testfiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace Tarvosk;
using namespace Qt::StringLiterals;
using Action = CommandLine::Action;

// The program's arguments, its exit code, the start of its output and its whole error output.
struct RunCase { QStringList arguments; int exitCode; QString output, errors; };

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
        QTest::newRow("quoted, as the desktop passes it")
            << QStringList{u"tarvosk"_s, u"\"/home/a/Mein Held.tvk\""_s} << Action::RunWindows << u"/home/a/Mein Held.tvk"_s;
        row("words of one path, quoted across them", u"\"/home/a/Mein Der\"Graf\".tvk\""_s, Action::RunWindows, u"/home/a/Mein DerGraf.tvk"_s);
        row("dashed words after the first belong to the path", u"Held - Kopie --help.tvk"_s, Action::RunWindows, u"Held - Kopie --help.tvk"_s);
        row("after --, an option's name and a dash", u"-- --foo -x"_s, Action::RunWindows, u"--foo -x"_s);
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
        QTest::newRow("main window minimised") << true << false;
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
        answerHandOffs(running, settings, mainWindow, [&handed](const QString &path) { handed << path; });
        // A later start of the real program, in a folder of its own, names its file relatively.
        QProcess later;
        later.setWorkingDirectory(dir.path());
        later.start(QStringLiteral(TARVOSK_BINARY), {u"Held.tvk"_s});
        QTRY_COMPARE_WITH_TIMEOUT(later.state(), QProcess::NotRunning, 20000);
        QCOMPARE(later.exitCode(), 0);

        QTRY_VERIFY(inUse.isActiveWindow());
        QVERIFY(!inUse.isMinimized());
        QCOMPARE(inUse.isMaximized(), maximised);
        QCOMPARE(mainWindow.isVisible(), mainShown);
        // Resolved where it was typed; the copy in the settings is spent, so it never opens again by surprise.
        QCOMPARE(handed, QStringList{dir.filePath(u"Held.tvk"_s)});
        settings.reload();
        QCOMPARE(settings.read(Settings::HandOffPath), QString());
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
