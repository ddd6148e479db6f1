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

// Two real processes of the program, sharing one settings folder.
void TestSingleInstance::secondStartHandsItsPathOverAndEnds()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString configHome = home.filePath(u"config"_s);
    const QString settingsFile = configHome + u"/Tarvosk/Tarvosk.conf"_s;
    QVERIFY(QDir().mkpath(configHome + u"/Tarvosk"_s));
    {
        // No start-up screen, so the first instance needs nobody to answer it.
        SettingsStore settings(settingsFile);
        settings.write(Settings::StartupScreen, u"0"_s);
    }
    const QString character = home.filePath(u"Held mit Leerzeichen.tvk"_s);
    QFile file(character);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"HOME"_s, home.path());
    environment.insert(u"XDG_CONFIG_HOME"_s, configHome);
    environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(QStringLiteral(TARVOSK_BINARY), {});
    QVERIFY(first.waitForStarted());
    const SingleInstance probe(SingleInstance::serverNameFor(settingsFile));
    QTRY_VERIFY_WITH_TIMEOUT(probe.anotherIsRunning(), 10000);

    // Without a path the second start ends silently and hands nothing over.
    QProcess idle;
    idle.setProcessEnvironment(environment);
    idle.start(QStringLiteral(TARVOSK_BINARY), {});
    QVERIFY(idle.waitForFinished(10000));
    QCOMPARE(idle.exitCode(), 0);
    // A store that lives on, as the running instance's does, sees what another process writes later.
    const SettingsStore runningStore(settingsFile);
    QCOMPARE(runningStore.read(Settings::HandOffPath), QString());

    // With a path (quoted, as a desktop passes it on) it stores the path and ends without a window.
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(TARVOSK_BINARY), {u'"' + character + u'"'});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(runningStore.read(Settings::HandOffPath), character);

    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
