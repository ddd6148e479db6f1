#include "storage/filetyperegistration.h"
#include "storage/filewrite.h"
#include "support/testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

// The test runs itself as a child for a file-size limit and a mount of its own.
constexpr const char *childSwitch = "--filewrite-child";
constexpr int cannotPrepare = 77;

const QString done = u"gelungen"_s;

// "path: reason" of a failed read or write, or `done`.
QString outcome(const std::optional<FileError> &error)
{
    return error ? error->path + u": "_s + error->reason : done;
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

// Writes over Held.tvk in the folder: whether the old bytes stayed, what the folder holds, the reason.
QString attempt(const QString &folder, const QByteArray &bytes)
{
    const QString target = folder + u"/Held.tvk"_s;
    const QByteArray old = readAll(target);
    const QString result = outcome(writeFileWhole(target, bytes));
    return (readAll(target) == old ? u"unverändert "_s : u"verändert "_s) + entriesOf(folder).join(u',') + u" "_s + result;
}

// "limit": a 4 KiB file-size limit, SIGXFSZ ignored. "disk": in a mount namespace of its own (nothing reaches
// the machine), a 64 KiB tmpfs over the folder, filled, then read-only.
int childMain(const QString &task, const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    if (task == u"disk"
        && (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tarvosk-test", name.constData(), "tmpfs", 0, "size=64k") != 0))
        return cannotPrepare;
    if (writeFileWhole(folder + u"/Held.tvk"_s, QByteArray(3000, 'a')))
        return 1;
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    if (task == u"limit" && ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return cannotPrepare;
    QStringList lines{attempt(folder, QByteArray(256 * 1024, 'n'))};
    if (task == u"disk") {
        if (::mount("tarvosk-test", name.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return 1;
        lines << attempt(folder, "neu");
    }
    std::fputs(qPrintable(lines.join(u'\n')), stdout);
    return 0;
}

mode_t modeOf(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode : 0;
}

bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool makeLink(const QString &target, const QString &link)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0;
}

bool setMode(const QString &path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

const QString fifoReason = u"Sie ist keine gewöhnliche Datei, sondern eine Pipe (FIFO)."_s;

} // namespace

class TestFileWrite : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // A file, an empty one, a FIFO, a folder, links to the file and to themselves.
    bool makeWorld() const
    {
        return writeFile(path(u"Held.tvk"_s), "Jörg Ärger") && writeFile(path(u"leer.tvk"_s), {}) && makeFifo(path(u"Pipe"_s))
               && QDir().mkdir(path(u"Ordner"_s)) && makeLink(u"Held.tvk"_s, path(u"Kurzweg"_s))
               && makeLink(u"Schleife"_s, path(u"Schleife"_s));
    }
    // Each entry's name and mode, and the file's bytes.
    QStringList worldState() const
    {
        QStringList state{QString::fromUtf8(readAll(path(u"Held.tvk"_s)))};
        for (const QString &entry : entriesOf(m_dir.path()))
            state << entry + u' ' + QString::number(modeOf(path(entry)), 8);
        return state;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        ::alarm(20); // a call that waits on a FIFO for a reader or writer ends the test instead of hanging it
    }
    void cleanup() { ::alarm(0); }

    // Written whole, the old bytes replaced, nothing left beside the file.
    void writesAndReplaces()
    {
        const QString target = path(u"Jörg Ärger.tvk"_s);
        for (const QByteArray &bytes : {QByteArray("erste"), QByteArray("zweite"), QByteArray(), QByteArray(3 * 1024 * 1024 + 7, 'x')}) {
            QCOMPARE(outcome(writeFileWhole(target, bytes)), done);
            QCOMPARE(readAll(target), bytes);
        }
        // A name as long as the file system allows still finds room for its temporary twin.
        QCOMPARE(outcome(writeFileWhole(path(QString(255, u'a')), "lang")), done);
        QCOMPARE(entriesOf(m_dir.path()), (QStringList{QString(255, u'a'), u"Jörg Ärger.tvk"_s}));
        QCOMPARE(outcome(writeFileWhole(QString(), "neu")), u": "_s + germanReason(ENOENT));
    }

    // A replaced file keeps its rights; a new one takes those given, else 0666 less the umask.
    void keepsPermissions()
    {
        const QString target = path(u"Held.tvk"_s);
        for (const auto &[before, given, umask, after] :
             {std::array{0600, 0644, 022, 0600}, {0664, -1, 022, 0664}, {-1, 0600, 0, 0600}, {-1, -1, 027, 0640}, {-1, -1, 022, 0644}}) {
            QFile::remove(target);
            if (before >= 0)
                QVERIFY(writeFile(target, "alt") && setMode(target, mode_t(before)));
            const mode_t mask = ::umask(mode_t(umask));
            const QString result = outcome(writeFileWhole(target, "neu", {WriteMode::FollowLink, given}));
            ::umask(mask);
            QCOMPARE(result, done);
            QCOMPARE(modeOf(target) & 07777, mode_t(after));
        }
    }

    // A write that fails part way leaves the old file and no temporary one.
    void failsOnTheDisk_data()
    {
        QTest::addColumn<QString>("task");
        QTest::addColumn<QString>("output");
        QTest::newRow("file-size limit") << u"limit"_s << u"unverändert Held.tvk %1/Held.tvk: Die Datei wird zu groß für den Datenträger."_s;
        QTest::newRow("full, then read-only")
            << u"disk"_s << u"unverändert Held.tvk %1/Held.tvk: Auf dem Datenträger ist kein Platz mehr frei.\n"
                            u"unverändert Held.tvk %1/Held.tvk: Der Datenträger ist schreibgeschützt."_s;
    }
    void failsOnTheDisk()
    {
        QFETCH(QString, task);
        QFETCH(QString, output);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(childSwitch), task, m_dir.path()});
        QVERIFY(child.waitForFinished(15000) && child.exitStatus() == QProcess::NormalExit);
        if (child.exitCode() == cannotPrepare)
            QSKIP("No file-size limit or mount namespace of its own here (the tmpfs needs root or user namespaces).");
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()), output.replace(u"%1"_s, m_dir.path()));
    }

    // Nothing is written, nothing changes, in the folder of every kind of file.
    void refuses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refuseLink");
        QTest::addColumn<QString>("reason"); // %1: the test's folder
        QTest::newRow("a FIFO") << u"Pipe"_s << false << fifoReason;
        QTest::newRow("a folder") << u"Ordner"_s << false << germanReason(EISDIR);
        QTest::newRow("a link refused") << u"Kurzweg"_s << true
                                        << u"An dieser Stelle steht eine symbolische Verknüpfung, durch die hier nicht geschrieben wird."_s;
        QTest::newRow("a loop of links") << u"Schleife"_s << false << germanReason(ELOOP);
        QTest::newRow("a missing folder") << u"fehlt/Held.tvk"_s << false << u"Den Ordner »%1/fehlt« gibt es nicht."_s;
        QTest::newRow("a file as folder") << u"Held.tvk/x"_s << false << u"Den Ordner »%1/Held.tvk« gibt es nicht."_s;
    }
    void refuses()
    {
        QFETCH(QString, name);
        QFETCH(bool, refuseLink);
        QFETCH(QString, reason);
        QVERIFY(makeWorld());
        const QStringList before = worldState();
        QCOMPARE(outcome(writeFileWhole(path(name), "neu", {refuseLink ? WriteMode::RefuseLink : WriteMode::FollowLink})),
                 path(name) + u": "_s + reason.replace(u"%1"_s, m_dir.path()));
        QCOMPARE(worldState(), before);
    }

    // Through a link its target is replaced, its rights kept; links in a chain are followed to a file not there yet.
    void followsLinks()
    {
        const QString real = path(u"echt/Held.tvk"_s), link = path(u"Held.tvk"_s);
        QVERIFY(writeFile(real, "alt") && setMode(real, 0640));
        QVERIFY(makeLink(u"echt/Held.tvk"_s, link)); // relative to the link's own folder
        QCOMPARE(outcome(writeFileWhole(link, "neu")), done);
        QVERIFY(S_ISLNK(modeOf(link)));
        QCOMPARE(readAll(real), QByteArray("neu"));
        QCOMPARE(modeOf(real) & 07777, mode_t(0640));

        const QString chain = path(u"Kette.tvk"_s);
        QVERIFY(makeLink(path(u"echt/Neu.tvk"_s), path(u"Zwischen.tvk"_s)) && makeLink(u"Zwischen.tvk"_s, chain));
        QCOMPARE(outcome(writeFileWhole(chain, "neu")), done);
        QCOMPARE(readAll(path(u"echt/Neu.tvk"_s)), QByteArray("neu"));
        QVERIFY(S_ISLNK(modeOf(chain)) && S_ISLNK(modeOf(path(u"Zwischen.tvk"_s))));
    }

    // A folder without write rights, then a read-only file in a writable one: both stay as they were.
    void refusesWithoutRights()
    {
        if (::geteuid() == 0)
            QSKIP("Root passes every permission check; the read-only case runs on a tmpfs instead.");
        const QString target = path(u"Held.tvk"_s);
        QVERIFY(writeFile(target, "alt"));
        for (const auto &[file, mode] : {std::pair{m_dir.path(), 0500}, {target, 0444}}) {
            QVERIFY(setMode(file, mode_t(mode)));
            const QString result = outcome(writeFileWhole(target, "neu"));
            QVERIFY(setMode(m_dir.path(), 0700));
            QCOMPARE(result, target + u": Dafür fehlen die Rechte."_s);
            QCOMPARE(readAll(target), QByteArray("alt"));
            QCOMPARE(entriesOf(m_dir.path()), QStringList{u"Held.tvk"_s});
        }
    }

    // A FIFO in the place of a desktop file is neither read (which would wait for a writer) nor replaced.
    void registrationLeavesAFifo()
    {
        const DesktopPaths paths{path(u"data"_s), path(u"config"_s), {}};
        const FileTypeRegistration registration(paths, u"/opt/tarvosk"_s, {{}, "Exec=tarvosk %f\n", "<svg/>"}, {});
        QVERIFY(QDir().mkpath(paths.configHome) && makeFifo(registration.mimeAppsPath()));
        QCOMPARE(registration.registerFileType(), FileTypeRegistration::Outcome::Created);
        QVERIFY(S_ISFIFO(modeOf(registration.mimeAppsPath())));
        QVERIFY(readAll(registration.desktopEntryPath()).contains("Exec=\"/opt/tarvosk\" %f"));
    }

    void reads_data()
    {
        QTest::addColumn<QString>("name"); // in the test's folder unless absolute
        QTest::addColumn<qint64>("largest");
        QTest::addColumn<QString>("reason"); // empty: read
        const auto tooLarge = [](const char *size) { return u"Die Datei ist größer als %1."_s.arg(QString::fromLatin1(size)); };
        QTest::newRow("exactly the largest") << u"Held.tvk"_s << qint64(12) << QString(); // UTF-8
        QTest::newRow("a byte too large") << u"Held.tvk"_s << qint64(11) << tooLarge("11 Bytes");
        QTest::newRow("empty") << u"leer.tvk"_s << qint64(0) << QString();
        QTest::newRow("missing") << u"fehlt.tvk"_s << qint64(100) << germanReason(ENOENT);
        QTest::newRow("a folder") << u"Ordner"_s << qint64(100) << germanReason(EISDIR);
        QTest::newRow("a FIFO") << u"Pipe"_s << qint64(100) << fifoReason;
        // Files that tell no size grow the buffer as they are read.
        QTest::newRow("no size told") << u"/proc/self/cmdline"_s << qint64(4096) << QString();
        QTest::newRow("no size told, too large") << u"/proc/self/cmdline"_s << qint64(5) << tooLarge("5 Bytes");
        QTest::newRow("over 1,5 MiB") << u"gross"_s << qint64(1536 * 1024) << tooLarge("1,5 MiB");
        QTest::newRow("over 64 KiB") << u"gross"_s << qint64(64 * 1024) << tooLarge("64 KiB");
    }
    void reads()
    {
        QFETCH(QString, name);
        QFETCH(qint64, largest);
        QFETCH(QString, reason);
        QVERIFY(makeWorld() && writeFile(path(u"gross"_s), QByteArray(3 * 1024 * 1024, 'x')));
        const QString file = name.startsWith(u'/') ? name : path(name);
        QByteArray bytes = "vorher";
        QCOMPARE(outcome(readFileWhole(file, largest, bytes)), reason.isEmpty() ? done : file + u": "_s + reason);
        QCOMPARE(bytes, reason.isEmpty() ? readAll(file) : QByteArray());
    }

    // An error without a German text of its own is named by the system, as one sentence.
    void otherReasons()
    {
        const QString other = germanReason(EPROTO);
        QVERIFY2(other.startsWith(u"Das Betriebssystem meldet: "_s) && other.size() > 30 && other.endsWith(u'.')
                     && !other.endsWith(u".."_s),
                 qPrintable(other));
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], childSwitch) == 0)
        return childMain(QString::fromLocal8Bit(argv[2]), QFile::decodeName(argv[3]));
    QCoreApplication application(argc, argv);
    TestFileWrite test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_filewrite.moc"
