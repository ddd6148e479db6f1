#include "docxreading.h"
#include "pdfreading.h"

#include "sheet/charactersheet.h"
#include "storage/characterfile.h"
#include "storage/settingkeys.h"
#include "storage/sheetstylereader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Files the program writes may grow to 1 KiB: the settings fit, no
// document does. SIGXFSZ is ignored, as under "trap '' XFSZ; ulimit -f", so
// the write fails with EFBIG instead of the signal ending the program.
void limitFileSize()
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

bool isFifo(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

} // namespace

// tarvosk --docx and --pdf run as a user would, with no display at all.
class TestCommands : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QByteArray m_userSettings;

    QString path(const QString &name) const { return m_folder.filePath(name); }

    // The exit code, standard error and standard output; -1 when the program did not end by itself.
    std::tuple<int, QString, QString> run(const QString &option, const QStringList &files, bool limited = false) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s); // a platform that would need a display
        environment.insert(u"XDG_CONFIG_HOME"_s, path(u"config"_s));
        QProcess program;
        program.setProcessEnvironment(environment);
        if (limited)
            program.setChildProcessModifier(limitFileSize);
        program.start(QStringLiteral(TARVOSK_BINARY), QStringList{option} + files);
        if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
            return {-1, {}, {}};
        return {program.exitCode(), QString::fromUtf8(program.readAllStandardError()),
                QString::fromUtf8(program.readAllStandardOutput())};
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The user's own settings, which a command reads but never changes; the character's file brings its fonts.
        QVERIFY(QDir().mkpath(path(u"config/Tarvosk"_s)));
        SettingsStore user(path(u"config/Tarvosk/Tarvosk.conf"_s));
        user.write(Settings::HeadlineFont, Settings::FontName, u"Liberation Serif"_s);
        user.write(Settings::ValuesFont, Settings::FontName, u"Arial"_s);
        user.write(Settings::SaveFont, u"1"_s);
        m_userSettings = contentsOf(user.fileName());
        SettingsStore options(path(u"options.ini"_s));
        options.write(Settings::HeadlineFont, Settings::FontName, u"DejaVu Sans"_s);
        options.write(Settings::ValuesFont, Settings::FontName, u"Courier New"_s);
        options.write(Settings::ValuesFont, Settings::FontSize, u"10"_s);
        CharacterSheet sheet;
        sheet.setCaption(CharacterSheet::nameCaption, u"Jörg & <Söhne>"_s);
        sheet.setValue(0, u"Ärger"_s);
        QVERIFY(!CharacterFile::write(path(u"Jörg.tvk"_s), CharacterFile::encode(sheet, CharacterFile::optionBlock(readSheetStyle(options)))));
    }

    void cleanup() { QCOMPARE(contentsOf(path(u"config/Tarvosk/Tarvosk.conf"_s)), m_userSettings); }

    void writesTheDocument()
    {
        QCOMPARE(run(u"--docx"_s, {path(u"Jörg.tvk"_s), path(u"Jörg.docx"_s)}), std::make_tuple(0, QString(), QString()));
        const QDomDocument document = parseXml(readPackage(path(u"Jörg.docx"_s)).value(u"word/document.xml"_s));
        const auto cells = cellsOf(document);
        QCOMPARE(cells.size(), 9);
        QCOMPARE(cells[0][0][0].text(), u"Jörg & <Söhne>"_s);
        QCOMPARE(cells[1][0][1].text(), u"Ärger"_s);
        const QDomElement font = all(cells[1][0][1], u"w:rPr"_s).last();
        QCOMPARE(font.firstChildElement(u"w:rFonts"_s).attribute(u"w:ascii"_s)
                     + font.firstChildElement(u"w:sz"_s).attribute(u"w:val"_s),
                 u"Courier New20"_s);
    }

    void writesThePrintedPage()
    {
        QCOMPARE(run(u"--pdf"_s, {path(u"Jörg.tvk"_s), path(u"Jörg.pdf"_s)}), std::make_tuple(0, QString(), QString()));
        QVERIFY(readPdf(path(u"Jörg.pdf"_s)).texts.contains(u"Jörg"_s));
        QVERIFY(pdfFonts(path(u"Jörg.pdf"_s)).contains(u"DejaVuSans"_s));
    }

    void refuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error"); // the start of the one line
        const auto row = [](const char *name, const QStringList &arguments, const QString &error) {
            QTest::newRow(name) << arguments << u"tarvosk: "_s + error;
        };
        row("docx, no target", {u"--docx"_s, u"Jörg.tvk"_s}, u"--docx braucht genau zwei Dateien"_s);
        row("docx, three files", {u"--docx"_s, u"Jörg.tvk"_s, u"aus.docx"_s, u"aus.docx"_s}, u"--docx braucht"_s);
        row("docx, no such character", {u"--docx"_s, u"fehlt.tvk"_s, u"aus.docx"_s}, u"Die Datei »"_s);
        row("docx, no such folder", {u"--docx"_s, u"Jörg.tvk"_s, u"fehlt/aus.docx"_s}, u"Die Datei »"_s);
        row("pdf, one file", {u"--pdf"_s, u"Jörg.tvk"_s}, u"--pdf braucht"_s);
        row("pdf, three files", {u"--pdf"_s, u"Jörg.tvk"_s, u"aus.pdf"_s, u"aus.pdf"_s}, u"--pdf braucht"_s);
        row("pdf, not a character", {u"--pdf"_s, u"options.ini"_s, u"aus.pdf"_s}, u"Die Datei »"_s);
        row("pdf, no such folder", {u"--pdf"_s, u"Jörg.tvk"_s, u"fehlt/aus.pdf"_s}, u"Die Datei »"_s);
        row("pdf, over the character", {u"--pdf"_s, u"Jörg.tvk"_s, u"./Jörg.tvk"_s}, u"Die Ausgabe würde den Charakter"_s);
        row("docx, over the character", {u"--docx"_s, u"Jörg.tvk"_s, u"./Jörg.tvk"_s}, u"Die Ausgabe würde den Charakter"_s);
    }
    void refuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const QByteArray character = contentsOf(path(u"Jörg.tvk"_s));
        const QDir folder(m_folder.path());
        const QStringList before = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QStringList files;
        for (const QString &file : arguments.mid(1))
            files << path(file);
        const auto [exitCode, errors, output] = run(arguments.first(), files);
        QCOMPARE(exitCode, 1);
        QVERIFY2(errors.startsWith(error) && errors.endsWith(u'\n') && errors.count(u'\n') == 1, qPrintable(errors));
        QCOMPARE(output, QString());
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(contentsOf(path(u"Jörg.tvk"_s)), character);
    }

    // A write that fails part way (here at a file-size limit, as on a full
    // disk) exits 1 with one line and leaves the old document byte for byte.
    void failsUnderAFileSizeLimit_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("target");
        QTest::newRow("pdf") << u"--pdf"_s << u"alt.pdf"_s;
        QTest::newRow("docx") << u"--docx"_s << u"alt.docx"_s;
    }
    void failsUnderAFileSizeLimit()
    {
        QFETCH(QString, option);
        QFETCH(QString, target);
        const QByteArray old = "das alte Dokument";
        {
            QFile file(path(target));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        }
        const QDir folder(m_folder.path());
        const QStringList before = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const auto [exitCode, errors, output] = run(option, {path(u"Jörg.tvk"_s), path(target)}, true);
        QCOMPARE(contentsOf(path(target)), old);
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
        QCOMPARE(exitCode, 1);
        QVERIFY2(errors.startsWith(u"tarvosk: "_s) && errors.endsWith(u'\n') && errors.count(u'\n') == 1, qPrintable(errors));
        QCOMPARE(output, QString());
        QVERIFY(QFile::remove(path(target)));

        // Without the limit the same command writes the document.
        QCOMPARE(run(option, {path(u"Jörg.tvk"_s), path(target)}), std::make_tuple(0, QString(), QString()));
        QVERIFY(QFile::remove(path(target)));
    }

    // A FIFO at the target is refused, not opened (which would wait for a reader) and not replaced.
    void refusesAFifo_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("pdf") << u"--pdf"_s;
        QTest::newRow("docx") << u"--docx"_s;
    }
    void refusesAFifo()
    {
        QFETCH(QString, option);
        const QString fifo = path(u"Röhre"_s);
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const auto [exitCode, errors, output] = run(option, {path(u"Jörg.tvk"_s), fifo});
        const bool stillFifo = isFifo(fifo);
        QVERIFY(QFile::remove(fifo));
        QCOMPARE(exitCode, 1);
        QVERIFY(stillFifo);
        QVERIFY2(errors.startsWith(u"tarvosk: "_s) && errors.count(u'\n') == 1, qPrintable(errors));
        QCOMPARE(output, QString());
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
