#include "platform/singleinstance.h"
#include "storage/settingkeys.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aLaterInstanceSignalsTheRunningOne();
    void nobodyListeningMeansNoOtherInstance();
    void serverNamesFollowTheSettingsFile();
    void laterStartsSignalWithOrWithoutAPath();
    void secondStartHandsItsPathOverAndEnds();

private:
    static QString uniqueName();
};

QString TestSingleInstance::uniqueName()
{
    return SingleInstance::serverNameFor(u"/test/"_s + QString::number(QCoreApplication::applicationPid()) + u'/'
                                         + QString::number(QDateTime::currentMSecsSinceEpoch()));
}

void TestSingleInstance::aLaterInstanceSignalsTheRunningOne()
{
    const QString name = uniqueName();
    SingleInstance first(name);
    QVERIFY(first.listen());
    QSignalSpy handOff(&first, &SingleInstance::handOffRequested);

    SingleInstance second(name);
    QVERIFY(second.anotherIsRunning());
    QVERIFY(second.signalRunningInstance());
    QTRY_COMPARE(handOff.count(), 1);

    // Merely looking for a running instance is no hand-off.
    QVERIFY(second.anotherIsRunning());
    QTest::qWait(50);
    QCOMPARE(handOff.count(), 1);
}

void TestSingleInstance::nobodyListeningMeansNoOtherInstance()
{
    SingleInstance alone(uniqueName());
    QVERIFY(!alone.anotherIsRunning());
    QVERIFY(!alone.signalRunningInstance());
    QVERIFY(alone.listen());
    QVERIFY(alone.listen()); // a second call keeps the server
}

void TestSingleInstance::serverNamesFollowTheSettingsFile()
{
    QCOMPARE(SingleInstance::serverNameFor(u"/a/Tarvosk.conf"_s), SingleInstance::serverNameFor(u"/a/Tarvosk.conf"_s));
    QVERIFY(SingleInstance::serverNameFor(u"/a/Tarvosk.conf"_s) != SingleInstance::serverNameFor(u"/b/Tarvosk.conf"_s));
}

namespace {

// A home of its own for the program, with no start-up screen so that nobody needs to answer it.
struct ProgramHome
{
    QTemporaryDir dir;
    QString settingsFile;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    ProgramHome()
    {
        const QString configHome = dir.filePath(u"config"_s);
        settingsFile = configHome + u"/Tarvosk/Tarvosk.conf"_s;
        QDir().mkpath(configHome + u"/Tarvosk"_s);
        SettingsStore(settingsFile).write(Settings::StartupScreen, u"0"_s);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environment.insert(u"HOME"_s, dir.path());
        environment.insert(u"XDG_CONFIG_HOME"_s, configHome);
        environment.insert(u"XDG_DATA_HOME"_s, dir.filePath(u"data"_s));
    }

    // An existing character file whose name has blanks.
    QString character() const
    {
        const QString path = dir.filePath(u"Held mit Leerzeichen.tvk"_s);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        return path;
    }

    void start(QProcess &program, const QStringList &arguments) const
    {
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

// The test is the running instance; the real program is the later start.
void TestSingleInstance::laterStartsSignalWithOrWithoutAPath()
{
    const ProgramHome home;
    QVERIFY(home.dir.isValid());
    SettingsStore settings(home.settingsFile);
    SingleInstance running(SingleInstance::serverNameFor(home.settingsFile));
    QVERIFY(running.listen());
    // What the running instance finds in the store when the signal arrives.
    QStringList handedOver;
    connect(&running, &SingleInstance::handOffRequested, this, [&] {
        settings.reload();
        handedOver << settings.read(Settings::HandOffPath);
    });

    // Without a path: only the signal, which brings the running one to the front.
    QVERIFY(home.startAndEnd({}));
    QTRY_COMPARE(handedOver, QStringList{QString()});
    // With a path (quoted, as a desktop passes it on): the path first, then the signal.
    const QString character = home.character();
    QVERIFY(home.startAndEnd({u'"' + character + u'"'}));
    QTRY_COMPARE(handedOver, (QStringList{QString(), character}));
}

// Two real processes of the program, sharing one settings folder.
void TestSingleInstance::secondStartHandsItsPathOverAndEnds()
{
    const ProgramHome home;
    QVERIFY(home.dir.isValid());
    QProcess first;
    home.start(first, {});
    QVERIFY(first.waitForStarted());
    const SingleInstance probe(SingleInstance::serverNameFor(home.settingsFile));
    QTRY_VERIFY_WITH_TIMEOUT(probe.anotherIsRunning(), 10000);

    // The path written by the later start's own process is seen after a reload.
    SettingsStore settings(home.settingsFile);
    const QString character = home.character();
    QVERIFY(home.startAndEnd({character}));
    settings.reload();
    QCOMPARE(settings.read(Settings::HandOffPath), character);
    QVERIFY(home.startAndEnd({}));

    // The running instance took both signals in its stride.
    QTest::qWait(200);
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
