#include "platform/singleinstance.h"
#include "storage/settingkeys.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

// A home of its own for the real program, with no start-up screen so that nobody needs to answer it.
struct ProgramHome
{
    QTemporaryDir dir;
    const QString settingsFile = dir.filePath(u"config/Tarvosk/Tarvosk.conf"_s);
    // An existing character file whose name has blanks.
    const QString character = dir.filePath(u"Held mit Leerzeichen.tvk"_s);

    ProgramHome()
    {
        SettingsStore(settingsFile).write(Settings::StartupScreen, u"0"_s);
        QFile(character).open(QIODevice::WriteOnly);
    }
    void start(QProcess &program, const QStringList &arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"HOME"_s, dir.path());
        environment.insert(u"XDG_CONFIG_HOME"_s, dir.filePath(u"config"_s));
        environment.insert(u"XDG_DATA_HOME"_s, dir.filePath(u"data"_s));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TARVOSK_BINARY), arguments);
    }
    // A later start: it must end by itself, successfully.
    bool startAndEnd(const QStringList &arguments) const
    {
        QProcess program;
        start(program, arguments);
        return program.waitForFinished(10000) && program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
    }
};

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The test is the running instance; the real program is the later start.
    void laterStartsSignalWithOrWithoutAPath()
    {
        const ProgramHome home;
        const QString name = SingleInstance::serverNameFor(home.settingsFile);
        QVERIFY(name != SingleInstance::serverNameFor(home.dir.filePath(u"Tarvosk.conf"_s)));
        SingleInstance running(name);
        QVERIFY(!running.anotherIsRunning() && !running.signalRunningInstance());
        QVERIFY(running.listen());
        QVERIFY(running.listen()); // a second call keeps the server
        SettingsStore settings(home.settingsFile);
        QStringList handedOver; // what the running instance finds in the store when a signal arrives
        connect(&running, &SingleInstance::handOffRequested, this, [&] {
            settings.reload();
            handedOver << settings.read(Settings::HandOffPath);
        });
        QVERIFY(home.startAndEnd({}));
        QTRY_COMPARE(handedOver, QStringList{QString()});
        // Quoted, as a desktop passes it on: the path first, then the signal.
        QVERIFY(home.startAndEnd({u'"' + home.character + u'"'}));
        QTRY_COMPARE(handedOver, (QStringList{QString(), home.character}));
        // Merely looking for a running instance is no hand-off.
        QVERIFY(SingleInstance(name).anotherIsRunning());
        QTest::qWait(50);
        QCOMPARE(handedOver.size(), 2);
    }

    // Two real processes of the program, sharing one settings folder; the first shows its sheet window.
    void secondStartHandsItsPathOverAndEnds()
    {
        const ProgramHome home;
        QProcess first;
        home.start(first, {});
        QTRY_VERIFY_WITH_TIMEOUT(SingleInstance(SingleInstance::serverNameFor(home.settingsFile)).anotherIsRunning(), 10000);
        QVERIFY(home.startAndEnd({home.character}));
        // The running sheet window takes the path and clears it.
        QTRY_COMPARE_WITH_TIMEOUT(SettingsStore(home.settingsFile).read(Settings::HandOffPath), QString(), 5000);
        QVERIFY(home.startAndEnd({}));
        QTest::qWait(200);
        QCOMPARE(first.state(), QProcess::Running); // took both signals in its stride
        first.kill();
        first.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
