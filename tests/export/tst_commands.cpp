#include "docxreading.h"
#include "pdfreading.h"

#include "sheet/charactersheet.h"
#include "storage/characterfile.h"
#include "storage/settingkeys.h"
#include "storage/sheetstylereader.h"
#include "support/testfiles.h"

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

// Files may grow to 1 KiB: the settings fit, no document does. SIGXFSZ ignored (as under
// "trap '' XFSZ; ulimit -f"): the write fails with EFBIG instead of the signal ending the program.
void limitFileSize()
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace

// tarvosk --docx and --pdf run as a user would, with no display at all.
class TestCommands : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QByteArray m_userSettings;

    QString path(const QString &name) const { return m_folder.filePath(name); }

    // Every entry of the folder with its bytes; anything but a file (a FIFO is never opened) by its mode.
    QMap<QString, QByteArray> folderContents() const
    {
        QMap<QString, QByteArray> contents;
        const QDir folder(m_folder.path());
        for (const QString &name : folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            struct stat status = {};
            ::lstat(QFile::encodeName(path(name)).constData(), &status);
            contents[name] = S_ISREG(status.st_mode) ? readAll(path(name)) : QByteArray::number(status.st_mode, 8);
        }
        return contents;
    }

    // In the folder: the exit code, standard error and standard output; -1 when the program did not end by itself.
    std::tuple<int, QString, QString> run(const QStringList &arguments, bool limited = false) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s})
            environment.remove(name);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s); // a platform that would need a display
        environment.insert(u"XDG_CONFIG_HOME"_s, path(u"config"_s));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(m_folder.path());
        if (limited)
            program.setChildProcessModifier(limitFileSize);
        program.start(QStringLiteral(TARVOSK_BINARY), arguments);
        if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
            return {-1, {}, {}};
        return {program.exitCode(), QString::fromUtf8(program.readAllStandardError()),
                QString::fromUtf8(program.readAllStandardOutput())};
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The user's settings, read but never changed; the character's file brings its own fonts.
        QVERIFY(QDir().mkpath(path(u"config/Tarvosk"_s)));
        SettingsStore user(path(u"config/Tarvosk/Tarvosk.conf"_s));
        user.write(Settings::HeadlineFont, Settings::FontName, u"Liberation Serif"_s);
        user.write(Settings::ValuesFont, Settings::FontName, u"Arial"_s);
        user.write(Settings::SaveFont, u"1"_s);
        m_userSettings = readAll(user.fileName());
        SettingsStore options(path(u"options.ini"_s));
        options.write(Settings::HeadlineFont, Settings::FontName, u"DejaVu Sans"_s);
        options.write(Settings::ValuesFont, Settings::FontName, u"Courier New"_s);
        options.write(Settings::ValuesFont, Settings::FontSize, u"10"_s);
        CharacterSheet sheet;
        sheet.setCaption(CharacterSheet::nameCaption, u"Jörg & <Söhne>"_s);
        sheet.setValue(0, u"Ärger"_s);
        QVERIFY(!CharacterFile::write(path(u"Jörg.tvk"_s), CharacterFile::encode(sheet, CharacterFile::optionBlock(readSheetStyle(options)))));
        // Targets the refusals leave as they are: a FIFO and an old document.
        QVERIFY(::mkfifo(QFile::encodeName(path(u"Röhre"_s)).constData(), 0600) == 0);
        QVERIFY(writeFile(path(u"alt.docx"_s), "das alte Dokument"));
    }

    void cleanup() { QCOMPARE(readAll(path(u"config/Tarvosk/Tarvosk.conf"_s)), m_userSettings); }

    // Both commands write the character in the fonts its file brings, silently.
    void writesTheDocumentAndThePrintedPage()
    {
        for (const QString &format : {u"docx"_s, u"pdf"_s})
            QCOMPARE(run({u"--"_s + format, u"Jörg.tvk"_s, u"Jörg."_s + format}), std::make_tuple(0, QString(), QString()));
        const QDomDocument document = parseXml(readPackage(path(u"Jörg.docx"_s)).value(u"word/document.xml"_s));
        const auto cells = cellsOf(document);
        QCOMPARE(cells.size(), 9);
        QCOMPARE(cells[0][0][0].text(), u"Jörg & <Söhne>"_s);
        QCOMPARE(cells[1][0][1].text(), u"Ärger"_s);
        const QDomElement font = all(cells[1][0][1], u"w:rPr"_s).last();
        QCOMPARE(font.firstChildElement(u"w:rFonts"_s).attribute(u"w:ascii"_s)
                     + font.firstChildElement(u"w:sz"_s).attribute(u"w:val"_s),
                 u"Courier New20"_s);
        QVERIFY(readPdf(path(u"Jörg.pdf"_s)).texts.contains(u"Jörg"_s));
        QVERIFY(pdfFonts(path(u"Jörg.pdf"_s)).contains(u"DejaVuSans"_s));
    }

    // Each refusal exits 1 with one line and changes no file: a write that fails part way (at a size
    // limit, as on a full disk) leaves the old document; a FIFO is neither opened nor replaced.
    // Both commands share the checks and the write, so each refusal is tried with one of them.
    void refuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("limited");
        QTest::addColumn<QString>("error"); // a part of the one line
        const auto row = [](const char *name, const QStringList &arguments, const QString &error, bool limited = false) {
            QTest::newRow(name) << arguments << limited << error;
        };
        row("docx, no target", {u"--docx"_s, u"Jörg.tvk"_s}, u"--docx braucht genau zwei Dateien"_s);
        row("pdf, three files", {u"--pdf"_s, u"Jörg.tvk"_s, u"aus.pdf"_s, u"aus.pdf"_s}, u"--pdf braucht"_s);
        row("pdf, not a character", {u"--pdf"_s, u"options.ini"_s, u"aus.pdf"_s}, u"nicht lesen"_s);
        row("docx, no such folder", {u"--docx"_s, u"Jörg.tvk"_s, u"fehlt/aus.docx"_s}, u"Den Ordner"_s);
        row("pdf, over the character", {u"--pdf"_s, u"Jörg.tvk"_s, u"./Jörg.tvk"_s}, u"würde den Charakter"_s);
        row("pdf, a FIFO", {u"--pdf"_s, u"Jörg.tvk"_s, u"Röhre"_s}, u"FIFO"_s);
        row("docx, too large", {u"--docx"_s, u"Jörg.tvk"_s, u"alt.docx"_s}, u"zu groß"_s, true);
    }
    void refuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, limited);
        QFETCH(QString, error);
        const auto before = folderContents();
        const auto [exitCode, errors, output] = run(arguments, limited);
        QCOMPARE(exitCode, 1);
        QVERIFY2(errors.startsWith(u"tarvosk: "_s) && errors.contains(error) && errors.count(u'\n') == 1
                     && errors.endsWith(u'\n'),
                 qPrintable(errors));
        QCOMPARE(output, QString());
        QCOMPARE(folderContents(), before);
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
