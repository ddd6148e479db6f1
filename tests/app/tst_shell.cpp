#include "app/commandline.h"
#include "app/startup.h"
#include "platform/singleinstance.h"
#include "storage/settingkeys.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace Tarvosk;
using namespace Qt::StringLiterals;
using Action = CommandLine::Action;

class TestShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseCommandLine_data();
    void parseCommandLine();
    void runsWithoutDisplay_data();
    void runsWithoutDisplay();
    void handOffBringsTheWindowInUseToTheFront_data();
    void handOffBringsTheWindowInUseToTheFront();
};

void TestShell::parseCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    // The path for RunWindows, else the first line of the text.
    QTest::addColumn<QString>("result");

    const QString unknownFoo = u"tarvosk: Unbekannte Option »--foo«. Mit --help werden alle Optionen gezeigt."_s;
    const QString help = u"Aufruf: tarvosk [Datei.tvk]"_s;
    const QString version = u"Valdris 1880 Character Creator (tarvosk), Version 0.1"_s;
    QTest::newRow("nothing") << QStringList{u"tarvosk"_s} << Action::RunWindows << QString();
    QTest::newRow("not even the program") << QStringList{} << Action::RunWindows << QString();
    QTest::newRow("one path") << QStringList{u"tarvosk"_s, u"/home/a/Held.tvk"_s} << Action::RunWindows << u"/home/a/Held.tvk"_s;
    QTest::newRow("quoted, as the desktop passes it")
        << QStringList{u"/usr/bin/tarvosk"_s, u"\"/home/a/Mein Held.tvk\""_s} << Action::RunWindows << u"/home/a/Mein Held.tvk"_s;
    QTest::newRow("words of one path, quoted across them")
        << QStringList{u"tarvosk"_s, u"\"/home/a/Mein"_s, u"Held.tvk\""_s} << Action::RunWindows << u"/home/a/Mein Held.tvk"_s;
    QTest::newRow("quotes inside") << QStringList{u"tarvosk"_s, u"Der \"Graf\".tvk"_s} << Action::RunWindows << u"Der Graf.tvk"_s;
    QTest::newRow("only quotes") << QStringList{u"tarvosk"_s, u"\"\""_s} << Action::RunWindows << QString();
    QTest::newRow("dashed words after the first word belong to the path")
        << QStringList{u"tarvosk"_s, u"Held"_s, u"-"_s, u"Kopie"_s, u"--help.tvk"_s} << Action::RunWindows
        << u"Held - Kopie --help.tvk"_s;
    QTest::newRow("after --, a path that starts with a dash")
        << QStringList{u"tarvosk"_s, u"--"_s, u"-Held.tvk"_s} << Action::RunWindows << u"-Held.tvk"_s;
    QTest::newRow("after --, an option's name") << QStringList{u"tarvosk"_s, u"--"_s, u"--foo"_s, u"x"_s} << Action::RunWindows
                                                << u"--foo x"_s;
    QTest::newRow("--help") << QStringList{u"tarvosk"_s, u"--help"_s} << Action::ShowHelp << help;
    QTest::newRow("-h before a path") << QStringList{u"tarvosk"_s, u"-h"_s, u"Held.tvk"_s} << Action::ShowHelp << help;
    QTest::newRow("--version") << QStringList{u"tarvosk"_s, u"--version"_s} << Action::ShowVersion << version;
    QTest::newRow("-v") << QStringList{u"tarvosk"_s, u"-v"_s} << Action::ShowVersion << version;
    QTest::newRow("help wins over version") << QStringList{u"tarvosk"_s, u"--version"_s, u"--help"_s} << Action::ShowHelp << help;
    QTest::newRow("unknown") << QStringList{u"tarvosk"_s, u"--foo"_s} << Action::Refuse << unknownFoo;
    QTest::newRow("unknown with a value") << QStringList{u"tarvosk"_s, u"--foo=1"_s, u"Held.tvk"_s} << Action::Refuse << unknownFoo;
    QTest::newRow("unknown after a known one") << QStringList{u"tarvosk"_s, u"--version"_s, u"--foo"_s} << Action::Refuse << unknownFoo;
    QTest::newRow("one dash, one word") << QStringList{u"tarvosk"_s, u"-foo"_s} << Action::Refuse
                                        << u"tarvosk: Unbekannte Option »-foo«. Mit --help werden alle Optionen gezeigt."_s;
    QTest::newRow("a value for --help") << QStringList{u"tarvosk"_s, u"--help=ja"_s} << Action::Refuse
                                        << u"tarvosk: Die Option »--help« nimmt keinen Wert. Mit --help werden alle Optionen gezeigt."_s;
}

void TestShell::parseCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(QString, result);
    const CommandLine command = Tarvosk::parseCommandLine(arguments);
    QCOMPARE(command.action, action);
    if (action == Action::RunWindows) {
        QCOMPARE(command.path, result);
        QCOMPARE(command.text, QString());
    } else {
        QCOMPARE(command.path, QString());
        QCOMPARE(command.text.section(u'\n', 0, 0), result);
        QVERIFY(command.text.endsWith(u'\n'));
    }
}

void TestShell::runsWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    // Each must appear on standard output; none means it stays empty.
    QTest::addColumn<QStringList>("output");
    QTest::addColumn<QString>("errors");
    QTest::newRow("--help") << QStringList{u"--help"_s} << 0
                            << QStringList{u"Aufruf: tarvosk [Datei.tvk]\n"_s, u"Optionen"_s, u"  -h, --help "_s, u"zeigt diese Hilfe"_s,
                                           u"  -v, --version "_s, u"  -- "_s}
                            << QString();
    QTest::newRow("--version") << QStringList{u"--version"_s} << 0 << QStringList{u"Valdris 1880 Character Creator"_s, u"Version"_s}
                               << QString();
    QTest::newRow("unknown option") << QStringList{u"--foo"_s, u"Held.tvk"_s} << 2 << QStringList{}
                                    << u"tarvosk: Unbekannte Option »--foo«. Mit --help werden alle Optionen gezeigt.\n"_s;
}

void TestShell::runsWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, output);
    QFETCH(QString, errors);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TARVOSK_BINARY), arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), errors);
    QCOMPARE(program.exitCode(), exitCode);
    if (output.isEmpty())
        QCOMPARE(out, QString());
    for (const QString &part : output)
        QVERIFY2(out.contains(part), qPrintable(part));
}

void TestShell::handOffBringsTheWindowInUseToTheFront_data()
{
    QTest::addColumn<bool>("mainShown");
    QTest::addColumn<bool>("maximised");
    QTest::newRow("main window minimised") << true << false;
    QTest::newRow("main window maximised, then minimised") << true << true;
    QTest::newRow("main window hidden, the other one minimised") << false << false;
}

void TestShell::handOffBringsTheWindowInUseToTheFront()
{
    QFETCH(bool, mainShown);
    QFETCH(bool, maximised);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString settingsFile = dir.filePath(u"Tarvosk.conf"_s);
    SettingsStore settings(settingsFile);
    QCOMPARE(settings.read(Settings::HandOffPath), QString());

    QWidget mainWindow;
    QWidget other;
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

    SingleInstance running(SingleInstance::serverNameFor(settingsFile));
    QVERIFY(running.listen());
    answerHandOffs(running, settings, mainWindow);
    // A later start, in a process of its own, writes the file and signals.
    QFile file(settingsFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Temp]\nLoad=/home/j\xc3\xb6rg/Mein Held.tvk\n");
    file.close();
    QVERIFY(SingleInstance(SingleInstance::serverNameFor(settingsFile)).signalRunningInstance());

    QTRY_VERIFY(inUse.isActiveWindow());
    QVERIFY(!inUse.isMinimized());
    QCOMPARE(inUse.isMaximized(), maximised);
    QCOMPARE(mainWindow.isVisible(), mainShown);
    QCOMPARE(settings.read(Settings::HandOffPath), u"/home/jörg/Mein Held.tvk"_s);
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
