#include "storage/characterfile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1;
    QStringList lines; // of standard output
    QString errors;
};

// Files may grow to 1 KiB, less than a character; SIGXFSZ is ignored, as
// under "trap '' XFSZ; ulimit -f", so a write fails with EFBIG part way.
void limitFileSize()
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

// The program in the folder, without a display.
Run roll(const QStringList &arguments, const QString &folder, bool limited = false)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder);
    if (limited)
        program.setChildProcessModifier(limitFileSize);
    program.start(QStringLiteral(TARVOSK_BINARY), QStringList{u"--roll"_s} + arguments);
    if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
        return {};
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
            QString::fromUtf8(program.readAllStandardError())};
}

void writeFile(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("mine") == 4);
}

} // namespace

class TestRollCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneIntoAFileSeveralIntoAFolder()
    {
        QTemporaryDir dir;
        Run run = roll({u"Soldat"_s, u"--seed"_s, u"7"_s, u"--female"_s, u"Heldin"_s}, dir.path());
        QCOMPARE(run.errors, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines, QStringList{u"Heldin.tvk"_s});
        const auto heroine = CharacterFile::read(dir.filePath(u"Heldin.tvk"_s));
        QVERIFY(heroine && heroine->sheet.caption(1) == u"Soldat"_s);

        // Numbers already taken are passed over; the folder is made when missing.
        QVERIFY(QDir(dir.path()).mkdir(u"npc"_s));
        writeFile(dir.filePath(u"npc/Händler-002.tvk"_s));
        run = roll({u"--count=3"_s, u"Händler"_s, u"npc"_s}, dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines, (QStringList{u"npc/Händler-001.tvk"_s, u"npc/Händler-003.tvk"_s, u"npc/Händler-004.tvk"_s}));
        QCOMPARE(QFileInfo(dir.filePath(u"npc/Händler-002.tvk"_s)).size(), 4); // still "mine"
        for (const QString &line : run.lines)
            QVERIFY(CharacterFile::read(dir.filePath(line)));
        QCOMPARE(QDir(dir.filePath(u"npc"_s)).entryList(QDir::Files | QDir::Hidden).size(), 4); // no temporary file left
        QCOMPARE(roll({u"Arzt"_s, u"--count"_s, u"2"_s, u"neu/tief"_s}, dir.path()).lines,
                 (QStringList{u"neu/tief/Arzt-001.tvk"_s, u"neu/tief/Arzt-002.tvk"_s}));
        QCOMPARE(roll({u"Arzt"_s, u"neu/tief"_s}, dir.path()).lines, QStringList{u"neu/tief/Arzt-003.tvk"_s});
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error"); // its start
        QTest::newRow("unknown class") << QStringList{u"soldat"_s, u"x.tvk"_s}
                                       << u"tarvosk: Die Klasse »soldat« gibt es nicht; die Klassen sind: Agent, Archäologe, Arzt, "
                                          u"Diplomat, Entdecker, Feldforscher, Glücksritter, Händler, Ingenieur, Journalist, "
                                          u"Kirchenmann, Kriminalist, Künstler, Naturforscher, Soldat.\n"_s;
        QTest::newRow("count 0") << QStringList{u"--count"_s, u"0"_s, u"Arzt"_s, u"x"_s}
                                 << u"tarvosk: --count braucht eine Anzahl von 1 bis 100000, nicht »0«.\n"_s;
        QTest::newRow("count no number") << QStringList{u"Arzt"_s, u"x"_s, u"--count=drei"_s} << u"tarvosk: --count braucht"_s;
        QTest::newRow("seed no number") << QStringList{u"Arzt"_s, u"--seed"_s, u"1e5"_s, u"x"_s} << u"tarvosk: --seed braucht"_s;
        QTest::newRow("unknown option") << QStringList{u"Arzt"_s, u"--male"_s, u"x"_s} << u"tarvosk: Unbekannte Option »--male«"_s;
        QTest::newRow("no target") << QStringList{u"Arzt"_s} << u"tarvosk: --roll braucht eine Klasse und ein Ziel"_s;
        QTest::newRow("several into a file") << QStringList{u"Arzt"_s, u"--count"_s, u"2"_s, u"file.tvk"_s}
                                             << u"tarvosk: »file.tvk« ist eine Datei; für mehrere Charaktere"_s;
        QTest::newRow("a file that is there") << QStringList{u"Arzt"_s, u"file"_s}
                                              << u"tarvosk: Die Datei »file.tvk« gibt es schon"_s;
        QTest::newRow("a file that cannot be written") << QStringList{u"Arzt"_s, u"file.tvk/held.tvk"_s}
                                                       << u"tarvosk: Die Datei »file.tvk/held.tvk« ließ sich nicht schreiben. "
                                                          u"Den Ordner »file.tvk« gibt es nicht.\n"_s;
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QTemporaryDir dir;
        writeFile(dir.filePath(u"file.tvk"_s));
        const Run run = roll(arguments, dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.startsWith(error) && run.errors.count(u'\n') == 1, qPrintable(run.errors));
        QCOMPARE(run.lines, QStringList());
        // Nothing written, nothing left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{u"file.tvk"_s});
        QCOMPARE(QFileInfo(dir.filePath(u"file.tvk"_s)).size(), 4);
    }

    // A write that fails part way, as on a full disk, is reported, and leaves neither a half character nor a temporary file.
    void failsUnderAFileSizeLimit_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("one file") << QStringList{u"Arzt"_s, u"held"_s}
                                  << u"tarvosk: Die Datei »held.tvk« ließ sich nicht schreiben. "
                                     u"Die Datei wird zu groß für den Datenträger.\n"_s;
        QTest::newRow("a folder") << QStringList{u"Arzt"_s, u"--count"_s, u"3"_s, u"npc"_s}
                                  << u"tarvosk: Im Ordner »npc« ließ sich keine Datei schreiben. "
                                     u"Die Datei wird zu groß für den Datenträger.\n"_s;
    }
    void failsUnderAFileSizeLimit()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const Run run = roll(arguments, dir.path(), true);
        const auto everything = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System;
        QStringList left = QDir(dir.path()).entryList(everything);
        for (const QString &name : QDir(dir.filePath(u"npc"_s)).entryList(everything))
            left << u"npc/"_s + name;
        QCOMPARE(left, arguments.contains(u"npc"_s) ? QStringList{u"npc"_s} : QStringList());
        QCOMPARE(run.errors, error);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.lines, QStringList());
    }

    // A FIFO or a link where the one character is to go is left as it is: no file takes its place or is written through it.
    void leavesAFifoAndALink()
    {
        QTemporaryDir dir;
        const QByteArray fifo = QFile::encodeName(dir.filePath(u"pipe.tvk"_s));
        QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
        const QByteArray link = QFile::encodeName(dir.filePath(u"verweis.tvk"_s));
        QVERIFY(::symlink("fehlt.tvk", link.constData()) == 0);
        for (const QString &target : {u"pipe"_s, u"verweis.tvk"_s}) {
            const Run run = roll({u"Arzt"_s, target}, dir.path());
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.errors.contains(u"gibt es schon"_s) && run.errors.count(u'\n') == 1, qPrintable(run.errors));
        }
        struct stat status = {};
        QVERIFY(::lstat(fifo.constData(), &status) == 0 && S_ISFIFO(status.st_mode));
        QVERIFY(::lstat(link.constData(), &status) == 0 && S_ISLNK(status.st_mode));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System),
                 (QStringList{u"pipe.tvk"_s, u"verweis.tvk"_s}));
    }
};

QTEST_GUILESS_MAIN(TestRollCommand)
#include "tst_rollcommand.moc"
