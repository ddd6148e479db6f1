#include "platform/singleinstance.h"

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
    while (!process.canReadLine() && process.waitForReadyRead(processTimeoutMs)) {
    }
    return QString::fromUtf8(process.readLine()).trimmed();
}

std::optional<struct stat> statOf(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? std::optional(info) : std::nullopt;
}

// A socket of its own for probes (the program's single-instance code) and the test.
struct ProbeHome
{
    QTemporaryDir dir;
    const QString settings = dir.filePath(u"Tarvosk.conf"_s);

    QString serverPath() const { return SingleInstance::serverPathFor(settings); }
    void start(QProcess &probe, const QStringList &arguments) const
    {
        probe.start(QStringLiteral(INSTANCE_PROBE), QStringList{u"--settings"_s, settings} + arguments);
    }
    // A later start's printed lines; the event loop runs meanwhile, for when the test is the running instance.
    QStringList handOff(const QString &path) const
    {
        QProcess probe;
        start(probe, {u"--hand"_s, path});
        if (!QTest::qWaitFor([&probe] { return probe.state() == QProcess::NotRunning; }, processTimeoutMs)
            || probe.exitStatus() != QProcess::NormalExit)
            return {u"no end"_s};
        return QString::fromUtf8(probe.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
};

const QStringList delivered{u"secondary"_s, u"delivered"_s};

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_temp;

    // The folders the socket's folder is chosen by; probes inherit them.
    static void setFolderVariables(const QString &runtime, const QString &temp)
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        qputenv("TMPDIR", QFile::encodeName(temp));
    }

private Q_SLOTS:
    void init() { setFolderVariables(QString(), m_temp.path()); }

    // Simultaneous starts, round after round on one socket whose running instance is killed
    // each time, leaving its socket file to the next round: one runs, the others find it.
    // Stopped, the last one makes a later start give up in bounded time instead of hanging.
    void simultaneousStartsEndWithOneRunningInstance()
    {
        const ProbeHome home;
        for (int round = 0; round < 20; ++round) {
            std::array<QProcess, 5> probes;
            for (QProcess &probe : probes)
                home.start(probe, {});
            QStringList roles;
            for (QProcess &probe : probes)
                roles << nextLine(probe);
            QCOMPARE(roles.count(u"primary"_s), 1);
            QProcess *primary = &probes[roles.indexOf(u"primary"_s)];
            for (int handOff = 0; handOff < 4; ++handOff) {
                QCOMPARE(nextLine(*primary), u"begin"_s);
                QCOMPARE(nextLine(*primary), u"end"_s);
            }
            if (round == 19) {
                ::kill(pid_t(primary->processId()), SIGSTOP);
                QElapsedTimer clock;
                clock.start();
                QCOMPARE(home.handOff(u"/a/Held.tvk"_s), (QStringList{u"secondary"_s, u"lost"_s}));
                QVERIFY(clock.elapsed() < 10000);
            }
            primary->kill();
            primary->waitForFinished();
        }
    }

    // The receiver asks a question (a nested event loop) while further starts hand paths
    // over: one question at a time, in the order of the starts. Ended, it takes its socket along.
    void handOffsWhileTheReceiverAsksAQuestion()
    {
        const ProbeHome home;
        QProcess running;
        home.start(running, {u"--modal"_s, u"1500"_s, u"--quit-after"_s, u"3"_s});
        QCOMPARE(nextLine(running), u"primary"_s);
        for (const QString &path : {u"/a/Erster.tvk"_s, u"/a/Zweiter.tvk"_s, u"/a/Dritter.tvk"_s})
            QCOMPARE(home.handOff(path), delivered);
        // All three came while the first question was still up.
        QCOMPARE(nextLine(running), u"begin /a/Erster.tvk"_s);
        QVERIFY(!running.canReadLine());
        QVERIFY(running.state() == QProcess::NotRunning || running.waitForFinished(processTimeoutMs));
        QCOMPARE(running.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(running.readAll()).split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{u"end"_s, u"begin /a/Zweiter.tvk"_s, u"end"_s, u"begin /a/Dritter.tvk"_s, u"end"_s}));
        QVERIFY(!statOf(home.serverPath()));
    }

    // The test is the running instance: probes hand paths over, then raw
    // connections send a message in pieces, end early, or are strangers.
    void messageIsReadWhole()
    {
        const ProbeHome home;
        SingleInstance running(home.serverPath());
        QCOMPARE(running.claim(), SingleInstance::Role::Primary);
        QCOMPARE(running.claim(), SingleInstance::Role::Primary); // asked again: the same answer
        QVERIFY(!running.handOff(u"/a/b.tvk"_s));                 // never to itself
        QStringList handed;
        connect(&running, &SingleInstance::handOffRequested, this, [&](const QString &p) { handed << p; });
        // Long, with umlauts and blanks; with a percent sign and a line break; none (come to the front).
        for (const QString &path : {u"/Ordner mit Ümlauten äöü ß"_s.repeated(116) + u"/Held.tvk"_s,
                                    u"/tmp/100% Held\nzweite Zeile.tvk"_s, QString()}) {
            QCOMPARE(home.handOff(path), delivered);
            QTRY_COMPARE(handed, QStringList{path});
            handed.clear();
        }
        std::array<QLocalSocket, 3> sockets;
        for (QLocalSocket &socket : sockets) {
            socket.connectToServer(running.serverPath());
            QVERIFY(socket.waitForConnected(1000));
        }
        auto &[pieces, endsEarly, stranger] = sockets;
        for (const QByteArray &piece : {"lo"_ba, "ad\n/a/Held%20mit"_ba, " Blank.tvk"_ba}) {
            pieces.write(piece);
            pieces.flush();
            QTest::qWait(50);
            QVERIFY(handed.isEmpty());
        }
        pieces.write("\n");
        QTRY_COMPARE(handed, QStringList{u"/a/Held mit Blank.tvk"_s});

        endsEarly.write("load\n/a/Ohne Zeilenende.tvk");
        endsEarly.disconnectFromServer();
        QTRY_COMPARE(handed, (QStringList{u"/a/Held mit Blank.tvk"_s, u"/a/Ohne Zeilenende.tvk"_s}));
        stranger.write("open\n/etc/passwd\n");
        stranger.flush();
        QTest::qWait(200);
        QCOMPARE(handed.size(), 2);
    }

    void socketFolderIsPrivate_data()
    {
        QTest::addColumn<QString>("runtime");  // how $XDG_RUNTIME_DIR is
        QTest::addColumn<QString>("fallback"); // how our folder under the temporary folder is beforehand
        QTest::addColumn<QString>("used");     // the folder the socket goes to; empty: none

        QTest::newRow("runtime folder") << u"private"_s << u"absent"_s << u"runtime"_s;
        for (const QString &runtime : {u"group"_s, u"foreign"_s, u"symlink"_s, u"missing"_s, u"deep"_s, u"relative"_s})
            QTest::addRow("runtime %s", qPrintable(runtime)) << runtime << u"absent"_s << u"fallback"_s;
        QTest::newRow("own folder there") << u"unset"_s << u"private"_s << u"fallback"_s;
        for (const QString &fallback : {u"group"_s, u"sticky"_s, u"foreign"_s, u"symlink"_s, u"file"_s})
            QTest::addRow("own folder %s", qPrintable(fallback)) << u"unset"_s << fallback << QString();
    }
    void socketFolderIsPrivate()
    {
        QFETCH(QString, runtime);
        QFETCH(QString, fallback);
        QFETCH(QString, used);
        if ((runtime == u"foreign"_s || fallback == u"foreign"_s) && ::geteuid() != 0)
            QSKIP("Only root can give a folder to another user.");

        QTemporaryDir dir;
        const QString ownFolder = dir.filePath(u"tarvosk-%1"_s.arg(::geteuid()));
        const QString runtimeFolder = dir.filePath(u"runtime"_s);
        const QString deep = runtimeFolder + u'/' + QString(100, u'x');
        const QString elsewhere = dir.filePath(u"elsewhere"_s); // private, the target of symlinks
        QVERIFY(::mkdir(QFile::encodeName(elsewhere).constData(), 0700) == 0);

        // Makes a folder as the row says; false when that fails.
        const auto prepare = [&](const QString &path, const QString &how) {
            const QByteArray name = QFile::encodeName(path);
            const mode_t mode = how == u"group"_s ? 0770 : how == u"sticky"_s ? 01700 : 0700;
            if (how == u"symlink"_s || how == u"file"_s)
                return how == u"file"_s ? QFile(path).open(QIODevice::WriteOnly) : QFile::link(elsewhere, path);
            if (how == u"absent"_s || how == u"missing"_s || how == u"unset"_s || how == u"relative"_s)
                return true;
            return ::mkdir(name.constData(), mode) == 0 && ::chmod(name.constData(), mode) == 0
                   && (how != u"deep"_s || ::mkdir(QFile::encodeName(deep).constData(), 0700) == 0)
                   && (how != u"foreign"_s || ::chown(name.constData(), 65534, 65534) == 0);
        };
        QVERIFY(prepare(runtimeFolder, runtime) && prepare(ownFolder, fallback));
        const QString runtimeVariable = runtime == u"unset"_s      ? QString()
                                        : runtime == u"deep"_s     ? deep
                                        : runtime == u"relative"_s ? u"runtime"_s
                                                                   : runtimeFolder;
        const auto before = statOf(ownFolder);

        setFolderVariables(runtimeVariable, dir.path());
        const QString path = SingleInstance::serverPathFor(dir.filePath(u"Tarvosk.conf"_s));
        QCOMPARE(path != SingleInstance::serverPathFor(dir.filePath(u"other.conf"_s)), !used.isEmpty());

        if (used.isEmpty()) {
            QVERIFY(path.isEmpty());
            // Not even a start that is given a path in there uses it (one not of our making may be private).
            if (fallback != u"sticky"_s)
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
        for (const QString &made : {folder, path, path + u".lock"_s}) {
            const auto info = statOf(made);
            QVERIFY2(info && (info->st_mode & (S_IRWXG | S_IRWXO)) == 0, qPrintable(made));
        }
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
