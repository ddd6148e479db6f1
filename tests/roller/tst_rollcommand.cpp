#include "storage/characterfile.h"
#include "support/testfiles.h"

#include <QDir>
#include <QDirIterator>
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
        QVERIFY(writeFile(dir.filePath(u"npc/Händler-002.tvk"_s), "mine"));
        run = roll({u"--count=3"_s, u"Händler"_s, u"npc"_s}, dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines, (QStringList{u"npc/Händler-001.tvk"_s, u"npc/Händler-003.tvk"_s, u"npc/Händler-004.tvk"_s}));
        QCOMPARE(QFileInfo(dir.filePath(u"npc/Händler-002.tvk"_s)).size(), 4); // still "mine"
        for (const QString &line : run.lines)
            QVERIFY(CharacterFile::read(dir.filePath(line)));
        QCOMPARE(QDir(dir.filePath(u"npc"_s)).entryList(QDir::Files | QDir::Hidden).size(), 4); // no temporary file left
        QCOMPARE(roll({u"Arzt"_s, u"--count"_s, u"2"_s, u"neu/tief"_s}, dir.path()).lines,
                 (QStringList{u"neu/tief/Arzt-001.tvk"_s, u"neu/tief/Arzt-002.tvk"_s}));
    }

    // Each refusal exits 1 with one line and writes nothing: a write failing part way (file-size limit) leaves no
    // half or temporary file; a FIFO or link at the target stays as it is, neither replaced nor written through.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("limited");
        QTest::addColumn<QString>("error"); // its start, after "tarvosk: "
        const auto row = [](const char *name, const QStringList &arguments, const QString &error, bool limited = false) {
            QTest::newRow(name) << arguments << limited << error;
        };
        row("unknown class", {u"soldat"_s, u"x.tvk"_s}, u"Die Klasse »soldat« gibt es nicht; die Klassen sind: Agent, "_s);
        row("count 0", {u"--count"_s, u"0"_s, u"Arzt"_s, u"x"_s}, u"--count braucht eine Anzahl von 1 bis 100000, nicht »0«."_s);
        row("seed no number", {u"Arzt"_s, u"--seed"_s, u"1e5"_s, u"x"_s}, u"--seed braucht"_s);
        row("unknown option", {u"Arzt"_s, u"--male"_s, u"x"_s}, u"Unbekannte Option »--male«"_s);
        row("no target", {u"Arzt"_s}, u"--roll braucht eine Klasse und ein Ziel"_s);
        row("several into a file", {u"Arzt"_s, u"--count"_s, u"2"_s, u"file.tvk"_s}, u"»file.tvk« ist eine Datei"_s);
        row("a FIFO", {u"Arzt"_s, u"pipe"_s}, u"Die Datei »pipe.tvk« gibt es schon"_s);
        row("a link", {u"Arzt"_s, u"verweis.tvk"_s}, u"Die Datei »verweis.tvk« gibt es schon"_s);
        row("a file that cannot be written", {u"Arzt"_s, u"file.tvk/held.tvk"_s},
            u"Die Datei »file.tvk/held.tvk« ließ sich nicht schreiben. Den Ordner »file.tvk« gibt es nicht.\n"_s);
        row("one file, too large", {u"Arzt"_s, u"held"_s},
            u"Die Datei »held.tvk« ließ sich nicht schreiben. Die Datei wird zu groß für den Datenträger.\n"_s, true);
        row("a folder, too large", {u"Arzt"_s, u"--count"_s, u"3"_s, u"npc"_s},
            u"Im Ordner »npc« ließ sich keine Datei schreiben. Die Datei wird zu groß für den Datenträger.\n"_s, true);
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, limited);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"file.tvk"_s), "mine"));
        const QByteArray fifo = QFile::encodeName(dir.filePath(u"pipe.tvk"_s));
        const QByteArray link = QFile::encodeName(dir.filePath(u"verweis.tvk"_s));
        QVERIFY(::mkfifo(fifo.constData(), 0600) == 0 && ::symlink("fehlt.tvk", link.constData()) == 0);
        const Run run = roll(arguments, dir.path(), limited);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.startsWith(u"tarvosk: "_s + error) && run.errors.count(u'\n') == 1, qPrintable(run.errors));
        QCOMPARE(run.lines, QStringList());
        // No file written, none left behind; a folder for several may stay.
        QStringList files;
        for (QDirIterator it(dir.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories); it.hasNext();)
            files << it.nextFileInfo().fileName();
        files.sort();
        QCOMPARE(files, (QStringList{u"file.tvk"_s, u"pipe.tvk"_s, u"verweis.tvk"_s}));
        QCOMPARE(QFileInfo(dir.filePath(u"file.tvk"_s)).size(), 4);
        struct stat status = {};
        QVERIFY(::lstat(fifo.constData(), &status) == 0 && S_ISFIFO(status.st_mode));
        QVERIFY(::lstat(link.constData(), &status) == 0 && S_ISLNK(status.st_mode));
    }
};

QTEST_GUILESS_MAIN(TestRollCommand)
#include "tst_rollcommand.moc"
