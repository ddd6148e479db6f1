#include "platform/singleinstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <optional>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

constexpr int processTimeoutMs = 15000;

// The next line the process prints, without its newline; empty when none comes.
QString nextLine(QProcess &process)
{
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(processTimeoutMs))
            return {};
    }
    QByteArray line = process.readLine();
    line.chop(1);
    return QString::fromUtf8(line);
}

// True once the process has ended, also when it ended while the test's event loop ran.
bool ended(QProcess &process)
{
    return process.state() == QProcess::NotRunning || process.waitForFinished(processTimeoutMs);
}

std::optional<struct stat> statOf(const QString &path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return info;
}

bool othersHaveNoAccess(const QString &path)
{
    const auto info = statOf(path);
    return info && (info->st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// Sets the two variables the socket's folder is chosen by, for this process, until it goes.
class FolderVariables
{
public:
    FolderVariables(const std::optional<QString> &runtime, const QString &temp)
        : m_runtime(qgetenv("XDG_RUNTIME_DIR"))
        , m_hadRuntime(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        , m_temp(qgetenv("TMPDIR"))
        , m_hadTemp(qEnvironmentVariableIsSet("TMPDIR"))
    {
        if (runtime)
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(*runtime));
        else
            qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(temp));
    }
    ~FolderVariables()
    {
        restore("XDG_RUNTIME_DIR", m_hadRuntime, m_runtime);
        restore("TMPDIR", m_hadTemp, m_temp);
    }

private:
    static void restore(const char *name, bool had, const QByteArray &value)
    {
        if (had)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    QByteArray m_runtime;
    bool m_hadRuntime;
    QByteArray m_temp;
    bool m_hadTemp;
};

// A private runtime folder and temporary folder for probes, the program's single-instance code.
struct ProbeHome
{
    QTemporaryDir dir;
    const QString runtime = dir.filePath(u"runtime"_s);
    const QString temp = dir.filePath(u"tmp"_s);
    const QString settings = dir.filePath(u"config/Tarvosk/Tarvosk.conf"_s);

    ProbeHome()
    {
        ::mkdir(QFile::encodeName(runtime).constData(), 0700);
        ::mkdir(QFile::encodeName(temp).constData(), 0700);
    }
    QString serverPath() const
    {
        const FolderVariables variables(runtime, temp);
        return SingleInstance::serverPathFor(settings);
    }
    void start(QProcess &probe, const QStringList &arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_RUNTIME_DIR"_s, runtime);
        environment.insert(u"TMPDIR"_s, temp);
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral(INSTANCE_PROBE), QStringList{u"--settings"_s, settings} + arguments);
    }
    // A later start that hands a path over and ends; its printed lines. The
    // event loop runs meanwhile, for when the test itself is the running instance.
    QStringList handOff(const QString &path) const
    {
        QProcess probe;
        start(probe, {u"--hand"_s, path});
        const QDeadlineTimer deadline(processTimeoutMs);
        while (probe.state() != QProcess::NotRunning && !deadline.hasExpired())
            QTest::qWait(10);
        if (probe.state() != QProcess::NotRunning || probe.exitStatus() != QProcess::NormalExit)
            return {u"no end"_s};
        return QString::fromUtf8(probe.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
};

QString longPath()
{
    QString path;
    while (path.size() < 3000)
        path += u"/Ordner mit Ümlauten äöü ß"_s;
    return path + u"/Held.tvk"_s;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Simultaneous starts, round after round on one socket whose running
    // instance is killed each time: one runs, the others find it.
    void simultaneousStartsEndWithOneRunningInstance()
    {
        const ProbeHome home;
        for (int round = 0; round < 20; ++round) {
            std::array<QProcess, 5> probes;
            for (QProcess &probe : probes)
                home.start(probe, {u"--front"_s});
            QProcess *primary = nullptr;
            int secondaries = 0;
            for (QProcess &probe : probes) {
                const QString role = nextLine(probe);
                if (role == u"primary"_s) {
                    QVERIFY2(!primary, qPrintable(u"two running instances in round %1"_s.arg(round)));
                    primary = &probe;
                } else {
                    QVERIFY2(role == u"secondary"_s, qPrintable(u"round %1: %2"_s.arg(round).arg(role)));
                    ++secondaries;
                }
            }
            QVERIFY(primary);
            QCOMPARE(secondaries, 4);
            for (QProcess &probe : probes) {
                if (&probe == primary)
                    continue;
                QCOMPARE(nextLine(probe), u"delivered"_s);
                QVERIFY(ended(probe));
                QCOMPARE(probe.exitCode(), 0);
            }
            for (int handOff = 0; handOff < 4; ++handOff) {
                QCOMPARE(nextLine(*primary), u"begin "_s);
                QCOMPARE(nextLine(*primary), u"end"_s);
            }
            primary->kill();
            primary->waitForFinished();
        }
    }

    // The receiver asks a question (a nested event loop) while further
    // starts hand paths over and their connections close.
    void handOffsWhileTheReceiverAsksAQuestion()
    {
        const ProbeHome home;
        QProcess running;
        home.start(running, {u"--modal"_s, u"1500"_s, u"--quit-after"_s, u"3"_s});
        QCOMPARE(nextLine(running), u"primary"_s);
        const QStringList paths{u"/a/Erster.tvk"_s, u"/a/Zweiter.tvk"_s, u"/a/Dritter.tvk"_s};
        for (const QString &path : paths)
            QCOMPARE(home.handOff(path), (QStringList{u"secondary"_s, u"delivered"_s}));
        const QString firstLine = nextLine(running);
        const bool moreByThen = running.canReadLine();

        QVERIFY(ended(running));
        QCOMPARE(running.exitStatus(), QProcess::NormalExit);
        QCOMPARE(running.exitCode(), 0);
        // All three came while the first question was still up.
        QCOMPARE(firstLine, u"begin /a/Erster.tvk"_s);
        QVERIFY(!moreByThen);
        // One question at a time, in the order of the starts.
        QCOMPARE(QString::fromUtf8(running.readAll()).split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{u"end"_s, u"begin /a/Zweiter.tvk"_s, u"end"_s, u"begin /a/Dritter.tvk"_s, u"end"_s}));
    }

    void handedPathArrivesIntact_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("umlauts and blanks") << u"/home/jörg/Meine Charaktere/Held mit Ä Ö Ü ß.tvk"_s;
        QTest::newRow("long") << longPath();
        QTest::newRow("percent and line break") << u"/tmp/100% Held\nzweite Zeile.tvk"_s;
        QTest::newRow("none: come to the front") << QString();
    }
    // The test is the running instance; a probe in a process of its own hands the path over.
    void handedPathArrivesIntact()
    {
        QFETCH(QString, path);
        const ProbeHome home;
        SingleInstance running(home.serverPath());
        QCOMPARE(running.claim(), SingleInstance::Role::Primary);
        QStringList handed;
        connect(&running, &SingleInstance::handOffRequested, this, [&](const QString &p) { handed << p; });
        QCOMPARE(home.handOff(path).value(1), u"delivered"_s);
        QTRY_COMPARE(handed, QStringList{path});
    }

    // Raw connections: a message in pieces, an empty visit, a sender that ends early, a stranger.
    void messageIsReadWhole()
    {
        const ProbeHome home;
        SingleInstance running(home.serverPath());
        QCOMPARE(running.claim(), SingleInstance::Role::Primary);
        QCOMPARE(running.claim(), SingleInstance::Role::Primary); // asked again: the same answer
        QVERIFY(!running.handOff(u"/a/b.tvk"_s)); // never to itself
        QStringList handed;
        connect(&running, &SingleInstance::handOffRequested, this, [&](const QString &p) { handed << p; });
        const auto connected = [&](QLocalSocket &socket) {
            socket.connectToServer(running.serverPath());
            return socket.waitForConnected(1000);
        };

        QLocalSocket pieces;
        QVERIFY(connected(pieces));
        for (const QByteArray &piece : {"lo"_ba, "ad\n/a/Held%20mit"_ba, " Blank.tvk"_ba}) {
            pieces.write(piece);
            pieces.flush();
            QTest::qWait(50);
            QVERIFY(handed.isEmpty());
        }
        pieces.write("\n");
        QTRY_COMPARE(handed, QStringList{u"/a/Held mit Blank.tvk"_s});
        QTRY_VERIFY(pieces.bytesAvailable() >= 3);
        QCOMPARE(pieces.readAll(), "ok\n"_ba);

        QLocalSocket visit; // as a start that only looks
        QVERIFY(connected(visit));
        visit.disconnectFromServer();
        QLocalSocket endsEarly;
        QVERIFY(connected(endsEarly));
        endsEarly.write("load\n/a/Ohne Zeilenende.tvk");
        endsEarly.disconnectFromServer();
        QTRY_COMPARE(handed, (QStringList{u"/a/Held mit Blank.tvk"_s, u"/a/Ohne Zeilenende.tvk"_s}));
        QLocalSocket stranger;
        QVERIFY(connected(stranger));
        stranger.write("open\n/etc/passwd\n");
        stranger.flush();
        QTest::qWait(200);
        QCOMPARE(handed.size(), 2);
    }

    // An instance that ends takes its socket along; the next start runs.
    void endedInstanceLeavesNothingBehind()
    {
        const ProbeHome home;
        {
            SingleInstance first(home.serverPath());
            QCOMPARE(first.claim(), SingleInstance::Role::Primary);
            QCOMPARE(SingleInstance(home.serverPath()).claim(), SingleInstance::Role::Secondary);
        }
        QVERIFY(!QFile::exists(home.serverPath()));
        QCOMPARE(SingleInstance(home.serverPath()).claim(), SingleInstance::Role::Primary);
    }

    // A running instance killed outright leaves its socket file; the next start takes it over.
    void socketOfAKilledInstanceIsTakenOver()
    {
        const ProbeHome home;
        QProcess killed;
        home.start(killed, {});
        QCOMPARE(nextLine(killed), u"primary"_s);
        killed.kill();
        QVERIFY(killed.waitForFinished());
        QVERIFY(statOf(home.serverPath()).has_value());

        QProcess next;
        home.start(next, {u"--quit-after"_s, u"1"_s});
        QCOMPARE(nextLine(next), u"primary"_s);
        QCOMPARE(home.handOff(u"/a/Held.tvk"_s), (QStringList{u"secondary"_s, u"delivered"_s}));
        QCOMPARE(nextLine(next), u"begin /a/Held.tvk"_s);
        QVERIFY(ended(next));
        QCOMPARE(next.exitCode(), 0);
    }

    // A running instance that is stopped: a later start gives up in bounded time instead of hanging.
    void unansweringInstanceFailsTheHandOffInTime()
    {
        const ProbeHome home;
        QProcess stopped;
        home.start(stopped, {});
        QCOMPARE(nextLine(stopped), u"primary"_s);
        ::kill(pid_t(stopped.processId()), SIGSTOP);
        QElapsedTimer clock;
        clock.start();
        const QStringList later = home.handOff(u"/a/Held.tvk"_s);
        ::kill(pid_t(stopped.processId()), SIGCONT);
        stopped.kill();
        stopped.waitForFinished();
        QCOMPARE(later, (QStringList{u"secondary"_s, u"lost"_s}));
        QVERIFY(clock.elapsed() < 10000);
    }

    void socketFolderIsPrivate_data()
    {
        QTest::addColumn<QString>("runtime");  // how $XDG_RUNTIME_DIR is
        QTest::addColumn<QString>("fallback"); // how our folder under the temporary folder is beforehand
        QTest::addColumn<QString>("used");     // the folder the socket goes to

        QTest::newRow("runtime folder") << u"private"_s << u"absent"_s << u"runtime"_s;
        QTest::newRow("runtime open to others") << u"open"_s << u"absent"_s << u"fallback"_s;
        QTest::newRow("runtime of another user") << u"foreign"_s << u"absent"_s << u"fallback"_s;
        QTest::newRow("runtime a symlink") << u"symlink"_s << u"absent"_s << u"fallback"_s;
        QTest::newRow("runtime missing") << u"missing"_s << u"absent"_s << u"fallback"_s;
        QTest::newRow("runtime too deep for a socket") << u"deep"_s << u"absent"_s << u"fallback"_s;
        QTest::newRow("runtime relative") << u"relative"_s << u"absent"_s << u"fallback"_s;
        QTest::newRow("runtime unset") << u"unset"_s << u"absent"_s << u"fallback"_s;
        QTest::newRow("own folder there") << u"unset"_s << u"private"_s << u"fallback"_s;
        QTest::newRow("own folder open to others") << u"unset"_s << u"open"_s << QString();
        QTest::newRow("own folder open to the group") << u"unset"_s << u"group"_s << QString();
        QTest::newRow("own folder of another user") << u"unset"_s << u"foreign"_s << QString();
        QTest::newRow("own folder a symlink") << u"unset"_s << u"symlink"_s << QString();
        QTest::newRow("own folder a file") << u"unset"_s << u"file"_s << QString();
    }
    void socketFolderIsPrivate()
    {
        QFETCH(QString, runtime);
        QFETCH(QString, fallback);
        QFETCH(QString, used);
        if ((runtime == u"foreign"_s || fallback == u"foreign"_s) && ::geteuid() != 0)
            QSKIP("Only root can give a folder to another user.");

        QTemporaryDir dir;
        const QString temp = dir.filePath(u"tmp"_s);
        QVERIFY(QDir().mkpath(temp));
        const QString ownFolder = temp + u"/tarvosk-%1"_s.arg(::geteuid());
        const QString elsewhere = dir.filePath(u"elsewhere"_s); // private, the target of symlinks
        QVERIFY(::mkdir(QFile::encodeName(elsewhere).constData(), 0700) == 0);

        // Makes a folder as the row says; false when that fails.
        const auto prepare = [&](const QString &path, const QString &how) {
            const QByteArray name = QFile::encodeName(path);
            if (how == u"deep"_s) {
                const QByteArray inner = QFile::encodeName(path + u'/' + QString(100, u'x'));
                return ::mkdir(name.constData(), 0700) == 0 && ::mkdir(inner.constData(), 0700) == 0;
            }
            if (how == u"private"_s || how == u"open"_s || how == u"group"_s || how == u"foreign"_s) {
                const mode_t mode = how == u"open"_s ? 0755 : how == u"group"_s ? 0770 : 0700;
                if (::mkdir(name.constData(), mode) != 0 || ::chmod(name.constData(), mode) != 0)
                    return false;
                return how != u"foreign"_s || ::chown(name.constData(), 65534, 65534) == 0;
            }
            if (how == u"symlink"_s)
                return QFile::link(elsewhere, path);
            if (how == u"file"_s)
                return QFile(path).open(QIODevice::WriteOnly);
            return true;
        };
        const QString runtimeFolder = dir.filePath(u"runtime"_s);
        QVERIFY(prepare(runtimeFolder, runtime));
        QVERIFY(prepare(ownFolder, fallback));
        std::optional<QString> runtimeVariable = runtimeFolder;
        if (runtime == u"unset"_s)
            runtimeVariable.reset();
        else if (runtime == u"deep"_s)
            runtimeVariable = runtimeFolder + u'/' + QString(100, u'x');
        else if (runtime == u"relative"_s)
            runtimeVariable = u"runtime"_s;
        const auto before = statOf(ownFolder);

        const FolderVariables variables(runtimeVariable, temp);
        const QString path = SingleInstance::serverPathFor(dir.filePath(u"Tarvosk.conf"_s));
        QCOMPARE(path != SingleInstance::serverPathFor(dir.filePath(u"other.conf"_s)), !used.isEmpty());

        if (used.isEmpty()) {
            QVERIFY(path.isEmpty());
            // Not even a start that is given a path in there uses it.
            QCOMPARE(SingleInstance(ownFolder + u"/tarvosk-socket"_s).claim(), SingleInstance::Role::Failed);
            QCOMPARE(statOf(ownFolder)->st_mode, before->st_mode);
            QVERIFY(QDir(elsewhere).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
            return;
        }
        const QString folder = used == u"runtime"_s ? runtimeFolder : ownFolder;
        QCOMPARE(QFileInfo(path).path(), folder);
        SingleInstance running(path);
        QCOMPARE(running.claim(), SingleInstance::Role::Primary);
        const auto socket = statOf(path);
        QVERIFY(socket && S_ISSOCK(socket->st_mode));
        QVERIFY(othersHaveNoAccess(path));
        QVERIFY(othersHaveNoAccess(path + u".lock"_s));
        QVERIFY(othersHaveNoAccess(folder));
        if (used == u"fallback"_s)
            QCOMPARE(statOf(folder)->st_mode & 07777, mode_t(0700));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
