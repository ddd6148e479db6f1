#include "storage/filetyperegistration.h"
#include "storage/filewrite.h"
#include "support/testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>

#include <linux/magic.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace Tarvosk {

bool operator==(const FileError &a, const FileError &b)
{
    return a.path == b.path && a.reason == b.reason;
}

char *toString(const FileError &error)
{
    return qstrdup(qPrintable(u"{%1, %2}"_s.arg(error.path, error.reason)));
}

char *toString(const std::optional<FileError> &error)
{
    return error ? toString(*error) : qstrdup("nothing");
}

} // namespace Tarvosk

namespace {

// The test program runs itself as a child for what must not touch the test
// process: a file-size limit, a mount of its own.
constexpr const char *childSwitch = "--filewrite-child";
constexpr int cannotPrepare = 77;

const std::optional<FileError> written; // what a write that worked gives

// A file-size limit of 4 KiB with SIGXFSZ ignored, as a shell's "ulimit -f"
// under "trap '' XFSZ" sets it; then 64 KiB over the file. Prints the error.
int writeUnderSizeLimit(const QString &path)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return cannotPrepare;
    const std::optional<FileError> error = writeFileWhole(path, QByteArray(64 * 1024, 'n'));
    std::fputs(error ? qPrintable(error->writeSentence() + u'\n') : "geschrieben\n", stdout);
    return 0;
}

QString folderState(const QString &folder, const QString &target, const QByteArray &old)
{
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    return (readAll(target) == old ? u"unverändert "_s : u"verändert "_s) + entries.join(u',');
}

// In a mount namespace of its own, so nothing reaches the machine: a 64 KiB
// tmpfs over the folder, first filled up, then made read-only. Prints per
// step the reason, whether the old file stayed, and the folder's entries.
int writeOnSmallDisk(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
        || ::mount("tarvosk-test", name.constData(), "tmpfs", 0, "size=64k") != 0)
        return cannotPrepare;
    const QString target = folder + u"/Held.tvk"_s;
    const QByteArray old(3000, 'a');
    if (writeFileWhole(target, old))
        return 1;
    QStringList lines;
    const std::optional<FileError> full = writeFileWhole(target, QByteArray(256 * 1024, 'n'));
    lines << folderState(folder, target, old) << (full ? full->reason : u"geschrieben"_s);
    if (::mount("tarvosk-test", name.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        return 1;
    const std::optional<FileError> readOnly = writeFileWhole(target, "neu");
    lines << folderState(folder, target, old) << (readOnly ? readOnly->reason : u"geschrieben"_s);
    std::fputs(qPrintable(lines.join(u'\n') + u'\n'), stdout);
    return 0;
}

// The child's exit code and its standard output.
std::pair<int, QString> runChild(const QString &task, const QString &path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(childSwitch), task, path});
    if (!child.waitForFinished(30000) || child.exitStatus() != QProcess::NormalExit)
        return {-1, {}};
    return {child.exitCode(), QString::fromUtf8(child.readAllStandardOutput())};
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

// The reason a read refuses, or "gelesen" when it did not.
QString readReason(const QString &path, qint64 largest)
{
    QByteArray bytes;
    const std::optional<FileError> error = readFileWhole(path, largest, bytes);
    return error ? error->reason : u"gelesen"_s;
}

mode_t modeOf(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode : 0;
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool makeSocket(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address = {};
    if (size_t(name.size()) >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = descriptor >= 0 && ::bind(descriptor, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    if (descriptor >= 0)
        ::close(descriptor);
    return bound;
}

bool makeLink(const QString &target, const QString &link)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0;
}

// A call that would open a FIFO and wait for a reader ends the test instead of hanging it.
class HangGuard
{
public:
    HangGuard() { ::alarm(20); }
    ~HangGuard() { ::alarm(0); }
};

} // namespace

class TestFileWrite : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir folder(m_dir.path());
        QVERIFY(folder.removeRecursively() && QDir().mkpath(m_dir.path()));
    }

    // Written whole, the old bytes replaced, nothing left beside the file.
    void writesAndReplaces()
    {
        const QString target = path(u"Jörg Ärger.tvk"_s);
        QCOMPARE(writeFileWhole(target, "erste Fassung"), written);
        QCOMPARE(readAll(target), QByteArray("erste Fassung"));
        QCOMPARE(writeFileWhole(target, "zweite"), written);
        QCOMPARE(readAll(target), QByteArray("zweite"));
        QCOMPARE(writeFileWhole(target, QByteArray()), written);
        QCOMPARE(QFileInfo(target).size(), 0);
        const QByteArray large(3 * 1024 * 1024 + 7, 'x');
        QCOMPARE(writeFileWhole(target, large), written);
        QCOMPARE(readAll(target), large);
        QCOMPARE(entriesOf(m_dir.path()), QStringList{u"Jörg Ärger.tvk"_s});

        // A name as long as the file system allows still finds room for its temporary twin.
        const QString longest = path(QString(255, u'a'));
        QCOMPARE(writeFileWhole(longest, "lang"), written);
        QCOMPARE(readAll(longest), QByteArray("lang"));
        QCOMPARE(entriesOf(m_dir.path()).size(), 2);
    }

    void keepsPermissions()
    {
        const QString replaced = path(u"privat.tvk"_s);
        QVERIFY(writeFile(replaced, "alt"));
        QVERIFY(::chmod(QFile::encodeName(replaced).constData(), 0600) == 0);
        QCOMPARE(writeFileWhole(replaced, "neu", {WriteMode::FollowLink, 0644}), written);
        QCOMPARE(modeOf(replaced) & 07777, mode_t(0600)); // a replaced file keeps its own
        QCOMPARE(readAll(replaced), QByteArray("neu"));

        const QString shared = path(u"gruppe.tvk"_s);
        QVERIFY(writeFile(shared, "alt"));
        QVERIFY(::chmod(QFile::encodeName(shared).constData(), 0664) == 0);
        QCOMPARE(writeFileWhole(shared, "neu"), written);
        QCOMPARE(modeOf(shared) & 07777, mode_t(0664));

        QCOMPARE(writeFileWhole(path(u"neu-privat.tvk"_s), "neu", {WriteMode::FollowLink, 0600}), written);
        QCOMPARE(modeOf(path(u"neu-privat.tvk"_s)) & 07777, mode_t(0600));

        // The default: 0666 less the umask, whatever the umask is.
        const mode_t mask = ::umask(027);
        QCOMPARE(writeFileWhole(path(u"neu.tvk"_s), "neu"), written);
        ::umask(mask);
        QCOMPARE(modeOf(path(u"neu.tvk"_s)) & 07777, mode_t(0640));
        QCOMPARE(writeFileWhole(path(u"neu2.tvk"_s), "neu"), written);
        QCOMPARE(modeOf(path(u"neu2.tvk"_s)) & 07777, mode_t(0666 & ~currentUmask()));
    }

    // The process may grow no file beyond 4 KiB, so write() fails with EFBIG part way.
    void failsUnderAFileSizeLimit()
    {
        const QString target = path(u"Held.tvk"_s);
        const QByteArray old(1000, 'a');
        QVERIFY(writeFile(target, old));
        const auto [exitCode, output] = runChild(u"limit"_s, target);
        QCOMPARE(exitCode, 0);
        QCOMPARE(readAll(target), old);
        QCOMPARE(entriesOf(m_dir.path()), QStringList{u"Held.tvk"_s});
        const FileError expected{target, u"Die Datei wird zu groß für den Datenträger."_s};
        QCOMPARE(output, expected.writeSentence() + u'\n');
    }

    void failsOnAFullAndAReadOnlyDisk()
    {
        const auto [exitCode, output] = runChild(u"disk"_s, m_dir.path());
        if (exitCode == cannotPrepare)
            QSKIP("No mount namespace with a tmpfs of its own here (needs root or user namespaces).");
        QCOMPARE(exitCode, 0);
        QCOMPARE(output.split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{u"unverändert Held.tvk"_s, u"Auf dem Datenträger ist kein Platz mehr frei."_s,
                              u"unverändert Held.tvk"_s, u"Der Datenträger ist schreibgeschützt."_s}));
        QCOMPARE(entriesOf(m_dir.path()), QStringList()); // the mount never reached this process
    }

    void refusesWhatIsNoRegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << u"fifo"_s << u"Sie ist keine gewöhnliche Datei, sondern eine Pipe (FIFO)."_s;
        QTest::newRow("socket") << u"socket"_s << u"Sie ist keine gewöhnliche Datei, sondern ein Socket."_s;
        QTest::newRow("folder") << u"folder"_s << u"An dieser Stelle steht ein Ordner."_s;
    }
    void refusesWhatIsNoRegularFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString target = path(u"Held.tvk"_s);
        if (kind == u"fifo")
            QVERIFY(makeFifo(target));
        else if (kind == u"socket")
            QVERIFY(makeSocket(target));
        else
            QVERIFY(QDir().mkdir(target));
        const mode_t before = modeOf(target);
        const QString link = path(u"Verweis.tvk"_s);
        QVERIFY(makeLink(u"Held.tvk"_s, link));
        {
            const HangGuard guard;
            QCOMPARE(writeFileWhole(target, "neu"), (FileError{target, reason}));
            QCOMPARE(writeFileWhole(link, "neu"), (FileError{link, reason}));
        }
        QCOMPARE(modeOf(target), before);
        QVERIFY(S_ISLNK(modeOf(link)));
        QCOMPARE(entriesOf(m_dir.path()), (QStringList{u"Held.tvk"_s, u"Verweis.tvk"_s}));
    }

    void followsOrRefusesLinks()
    {
        QVERIFY(QDir().mkdir(path(u"echt"_s)));
        const QString real = path(u"echt/Held.tvk"_s);
        QVERIFY(writeFile(real, "alt"));
        QVERIFY(::chmod(QFile::encodeName(real).constData(), 0640) == 0);
        const QString link = path(u"Held.tvk"_s);
        QVERIFY(makeLink(u"echt/Held.tvk"_s, link)); // relative to the link's own folder

        QCOMPARE(writeFileWhole(link, "nicht", {WriteMode::RefuseLink}),
                 (FileError{link, u"An dieser Stelle steht eine symbolische Verknüpfung, durch die hier nicht geschrieben wird."_s}));
        QCOMPARE(readAll(real), QByteArray("alt"));

        QCOMPARE(writeFileWhole(link, "neu"), written);
        QVERIFY(S_ISLNK(modeOf(link)));
        QCOMPARE(QFileInfo(link).symLinkTarget(), real);
        QCOMPARE(readAll(real), QByteArray("neu"));
        QCOMPARE(modeOf(real) & 07777, mode_t(0640));
        QCOMPARE(entriesOf(path(u"echt"_s)), QStringList{u"Held.tvk"_s});

        // A link to a file not there yet makes that file; a chain of links ends where the last points.
        const QString chain = path(u"Kette.tvk"_s);
        QVERIFY(makeLink(path(u"echt/Neu.tvk"_s), path(u"Zwischen.tvk"_s)) && makeLink(u"Zwischen.tvk"_s, chain));
        QCOMPARE(writeFileWhole(chain, "neu"), written);
        QCOMPARE(readAll(path(u"echt/Neu.tvk"_s)), QByteArray("neu"));
        QVERIFY(S_ISLNK(modeOf(chain)) && S_ISLNK(modeOf(path(u"Zwischen.tvk"_s))));

        const QString loop = path(u"Schleife.tvk"_s);
        QVERIFY(makeLink(u"Schleife.tvk"_s, loop));
        QCOMPARE(writeFileWhole(loop, "neu"), (FileError{loop, germanReason(ELOOP)}));
        QVERIFY(S_ISLNK(modeOf(loop)));
    }

    void namesAMissingFolder_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("folder");
        QTest::newRow("missing") << u"fehlt/Held.tvk"_s << u"fehlt"_s;
        QTest::newRow("a file in its place") << u"datei.txt/Held.tvk"_s << u"datei.txt"_s;
        QTest::newRow("deeper") << u"fehlt/tiefer/Held.tvk"_s << u"fehlt/tiefer"_s;
    }
    void namesAMissingFolder()
    {
        QFETCH(QString, target);
        QFETCH(QString, folder);
        QVERIFY(writeFile(path(u"datei.txt"_s), "mein"));
        QCOMPARE(writeFileWhole(path(target), "neu"),
                 (FileError{path(target), u"Den Ordner »%1« gibt es nicht."_s.arg(path(folder))}));
        QCOMPARE(writeFileWhole(QString(), "neu"), (FileError{QString(), germanReason(ENOENT)}));
        QCOMPARE(entriesOf(m_dir.path()), QStringList{u"datei.txt"_s});
        QCOMPARE(readAll(path(u"datei.txt"_s)), QByteArray("mein"));
    }

    void refusesWithoutRights()
    {
        if (::geteuid() == 0)
            QSKIP("Root passes every permission check; the read-only case runs on a tmpfs instead.");
        const QString target = path(u"Held.tvk"_s);
        QVERIFY(writeFile(target, "alt"));
        QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0500) == 0);
        const std::optional<FileError> error = writeFileWhole(target, "neu");
        QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0700) == 0);
        QCOMPARE(error, (FileError{target, u"Dafür fehlen die Rechte."_s}));
        QCOMPARE(readAll(target), QByteArray("alt"));
        QCOMPARE(entriesOf(m_dir.path()), QStringList{u"Held.tvk"_s});

        // A file made read-only stays, though its folder would let it be replaced.
        QVERIFY(::chmod(QFile::encodeName(target).constData(), 0444) == 0);
        QCOMPARE(writeFileWhole(target, "neu"), (FileError{target, u"Dafür fehlen die Rechte."_s}));
        QCOMPARE(readAll(target), QByteArray("alt"));
        QCOMPARE(entriesOf(m_dir.path()), QStringList{u"Held.tvk"_s});
    }

    // A character file costs well under 5 ms of the program's own time. The
    // two syncs cost what the disk takes for them, which a busy machine makes
    // long, so the bound is checked where syncs are free (tmpfs) and the disk's
    // time only shown.
    void isQuick()
    {
        const auto fastestWrite = [](const QString &target) {
            const QByteArray bytes(10 * 1024, 'x');
            qint64 fastest = std::numeric_limits<qint64>::max();
            for (int i = 0; i < 20; ++i) {
                QElapsedTimer timer;
                timer.start();
                if (writeFileWhole(target, bytes))
                    return qint64(-1);
                fastest = std::min(fastest, timer.nsecsElapsed());
            }
            return fastest;
        };
        const qint64 onDisk = fastestWrite(path(u"Held.tvk"_s));
        QVERIFY(onDisk > 0);
        qInfo("fastest write of 10 KiB on %s: %.3f ms", qPrintable(m_dir.path()), double(onDisk) / 1e6);

        struct statfs system = {};
        if (::statfs("/dev/shm", &system) != 0 || system.f_type != TMPFS_MAGIC)
            QSKIP("No tmpfs at /dev/shm to time the write without the disk.");
        QTemporaryDir memory(u"/dev/shm/tst_filewrite-XXXXXX"_s);
        QVERIFY(memory.isValid());
        const qint64 inMemory = fastestWrite(memory.filePath(u"Held.tvk"_s));
        qInfo("fastest write of 10 KiB on tmpfs: %.3f ms", double(inMemory) / 1e6);
        QVERIFY(inMemory > 0);
        QVERIFY2(inMemory < 1'000'000, qPrintable(u"%1 ms"_s.arg(double(inMemory) / 1e6)));
    }

    // The desktop's files go the same way: a FIFO in the place of one is neither
    // read (which would wait for a writer) nor replaced.
    void registrationLeavesAFifo()
    {
        const DesktopPaths paths{path(u"data"_s), path(u"config"_s), {}};
        const FileTypeRegistration registration(paths, u"/opt/tarvosk"_s, "<svg/>", {});
        QVERIFY(QDir().mkpath(paths.configHome));
        QVERIFY(makeFifo(registration.mimeAppsPath()));
        {
            const HangGuard guard;
            QCOMPARE(registration.registerFileType(), FileTypeRegistration::Outcome::Created);
        }
        QVERIFY(S_ISFIFO(modeOf(registration.mimeAppsPath())));
        QCOMPARE(entriesOf(paths.configHome), QStringList{u"mimeapps.list"_s});
        QVERIFY(readAll(registration.desktopEntryPath()).contains("Exec=\"/opt/tarvosk\" %f"));
    }

    void reads_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("largest");
        QTest::addColumn<QString>("reason"); // empty: read
        QTest::newRow("a file") << u"Held.tvk"_s << qint64(100) << QString();
        QTest::newRow("exactly the largest") << u"Held.tvk"_s << qint64(12) << QString(); // UTF-8
        QTest::newRow("a byte too large") << u"Held.tvk"_s << qint64(11) << u"Die Datei ist größer als 11 Bytes."_s;
        QTest::newRow("empty") << u"leer.tvk"_s << qint64(0) << QString();
        QTest::newRow("missing") << u"fehlt.tvk"_s << qint64(100) << germanReason(ENOENT);
        QTest::newRow("a folder") << u"Ordner"_s << qint64(100) << u"An dieser Stelle steht ein Ordner."_s;
        QTest::newRow("a FIFO") << u"Pipe"_s << qint64(100) << u"Sie ist keine gewöhnliche Datei, sondern eine Pipe (FIFO)."_s;
        QTest::newRow("a link to a FIFO") << u"Verweis"_s << qint64(100)
                                          << u"Sie ist keine gewöhnliche Datei, sondern eine Pipe (FIFO)."_s;
        QTest::newRow("under a file") << u"Held.tvk/x"_s << qint64(100) << germanReason(ENOTDIR);
    }
    void reads()
    {
        QFETCH(QString, name);
        QFETCH(qint64, largest);
        QFETCH(QString, reason);
        QVERIFY(writeFile(path(u"Held.tvk"_s), "Jörg Ärger") && writeFile(path(u"leer.tvk"_s), {}));
        QVERIFY(QDir().mkdir(path(u"Ordner"_s)) && makeFifo(path(u"Pipe"_s)) && makeLink(u"Pipe"_s, path(u"Verweis"_s)));
        QByteArray bytes = "vorher";
        const HangGuard guard;
        const std::optional<FileError> error = readFileWhole(path(name), largest, bytes);
        if (reason.isEmpty()) {
            QCOMPARE(error, written);
            QCOMPARE(bytes, readAll(path(name)));
        } else {
            QCOMPARE(error, (FileError{path(name), reason}));
            QCOMPARE(bytes, QByteArray());
        }
    }

    // Files that tell no size (/proc) and sizes in larger units.
    void readsWithoutAKnownSize()
    {
        QByteArray bytes;
        QCOMPARE(readFileWhole(u"/proc/self/status"_s, 1024 * 1024, bytes), written);
        QVERIFY(bytes.startsWith("Name:"));
        QCOMPARE(readReason(u"/proc/self/status"_s, 20), u"Die Datei ist größer als 20 Bytes."_s);
        const QByteArray big(3 * 1024 * 1024, 'x');
        QVERIFY(writeFile(path(u"gross"_s), big));
        QCOMPARE(readFileWhole(path(u"gross"_s), 16 * 1024 * 1024, bytes), written);
        QCOMPARE(bytes, big);
        QCOMPARE(readReason(path(u"gross"_s), 2 * 1024 * 1024), u"Die Datei ist größer als 2 MiB."_s);
        QCOMPARE(readReason(path(u"gross"_s), 1536 * 1024), u"Die Datei ist größer als 1,5 MiB."_s);
        QCOMPARE(readReason(path(u"gross"_s), 64 * 1024), u"Die Datei ist größer als 64 KiB."_s);
    }

    void sentencesAndReasons_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("reason");
        QTest::newRow("ENOSPC") << ENOSPC << u"Auf dem Datenträger ist kein Platz mehr frei."_s;
        QTest::newRow("EDQUOT") << EDQUOT << u"Auf dem Datenträger ist kein Platz mehr frei."_s;
        QTest::newRow("EFBIG") << EFBIG << u"Die Datei wird zu groß für den Datenträger."_s;
        QTest::newRow("EACCES") << EACCES << u"Dafür fehlen die Rechte."_s;
        QTest::newRow("EPERM") << EPERM << u"Dafür fehlen die Rechte."_s;
        QTest::newRow("EROFS") << EROFS << u"Der Datenträger ist schreibgeschützt."_s;
        QTest::newRow("ENOENT") << ENOENT << u"Die Datei oder ihr Ordner existiert nicht."_s;
        QTest::newRow("EISDIR") << EISDIR << u"An dieser Stelle steht ein Ordner."_s;
        QTest::newRow("ENOTDIR") << ENOTDIR << u"Ein Teil des Pfades ist kein Ordner."_s;
        QTest::newRow("EIO") << EIO << u"Der Datenträger meldet einen Ein-/Ausgabefehler."_s;
    }
    void sentencesAndReasons()
    {
        QFETCH(int, error);
        QFETCH(QString, reason);
        QCOMPARE(germanReason(error), reason);
        const FileError failure{u"/x/Held.tvk"_s, reason};
        QCOMPARE(failure.writeSentence(), u"Die Datei »/x/Held.tvk« ließ sich nicht schreiben. "_s + reason);
        QCOMPARE(failure.readSentence(), u"Die Datei »/x/Held.tvk« ließ sich nicht lesen. "_s + reason);
    }

    // Any other error is named by the system, as one sentence.
    void otherReasons()
    {
        const QString reason = germanReason(EPROTO);
        QVERIFY2(reason.startsWith(u"Das Betriebssystem meldet: "_s) && reason.endsWith(u'.')
                     && reason.size() > int(std::strlen("Das Betriebssystem meldet: .")),
                 qPrintable(reason));
        QVERIFY(!reason.endsWith(u".."_s));
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], childSwitch) == 0) {
        const QString task = QString::fromLocal8Bit(argv[2]);
        const QString path = QFile::decodeName(argv[3]);
        return task == u"limit" ? writeUnderSizeLimit(path) : writeOnSmallDisk(path);
    }
    QCoreApplication application(argc, argv);
    TestFileWrite test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_filewrite.moc"
