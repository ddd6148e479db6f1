#include "docxreading.h"
#include "pdfreading.h"

#include "sheetwindow/frmgauge.h"
#include "sheetwindow/wordexport.h"
#include "export/docxexport.h"
#include "sheet/charactersheet.h"
#include "formats/sheetformats.h"
#include "session/charactersession.h"
#include "sheet/sheetdocument.h"
#include "storage/settingsstore.h"
#include "storage/sheetstylereader.h"
#include "support/scriptedfiledialogs.h"
#include "support/recordingmessages.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

constexpr double pointsPerCentimetre = 72 / 2.54;

// Captions K, values W, equipment lines A: index and a character XML must escape.
QString sample(char kind, int index)
{
    return u"%1%2&ß"_s.arg(QLatin1Char(kind)).arg(index);
}

// Every text of its own; `texts` gets them sorted, but for the overflow line, never exported.
CharacterSheet fullSheet(QStringList *texts = nullptr)
{
    CharacterSheet sheet;
    QStringList every;
    for (int i = 0; i < CharacterSheet::captionCount; ++i)
        sheet.setCaption(i, every.emplace_back(sample('K', i)));
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        sheet.setValue(i, every.emplace_back(sample('W', i)));
    for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line)
        sheet.setEquipmentLine(line, every.emplace_back(sample('A', line)));
    sheet.setEquipmentLine(CharacterSheet::overflowLineIndex, u"Überlauf"_s);
    every.sort();
    if (texts)
        *texts = every;
    return sheet;
}

frmGauge *visibleGauge()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *gauge = qobject_cast<frmGauge *>(window); gauge && gauge->isVisible())
            return gauge;
    }
    return nullptr;
}

// A text box: its place and size in EMU, grid columns in twips, rows, merged ("row:column=span") and
// aligned ("row:column right") cells, and samples of its texts ("row:cell=K1").
struct BoxCase { int box; QList<qint64> rectangle; QList<int> grid; int rows; QStringList merged, samples; };

} // namespace

class TestDocx : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<SettingsStore> m_settings;
    QMap<QString, QByteArray> m_parts;
    QDomDocument m_document;
    QList<QDomElement> m_anchors;
    QList<QList<QList<QDomElement>>> m_cells;

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TMPDIR", QFile::encodeName(m_folder.path()));
        m_settings = std::make_unique<SettingsStore>(m_folder.filePath(u"settings.ini"_s));
        // No headline size: 18; a labels size cut to whole points; a values size of 0 and a blank name: 8 in the default font.
        for (const QString &entry : {u"Headline/Name=Arial"_s, u"Headline/Bold=1"_s, u"Labels/Name=Courier New"_s, u"Labels/Size=9,75"_s,
                                     u"Labels/Italic=True"_s, u"Values/Name= "_s, u"Values/Size=0"_s, u"Values/Underline=1"_s})
            m_settings->write(entry.section(u'/', 0, 0), entry.section(u'/', 1).section(u'=', 0, 0), entry.section(u'=', 1));

        const QString path = m_folder.filePath(u"Held.docx"_s);
        QString error;
        QList<int> progress;
        QVERIFY(exportSheetDocx(fullSheet(), readSheetStyle(*m_settings), path, &error, [&](int percent) { progress << percent; }));
        QCOMPARE(progress, (QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
        m_parts = readPackage(path);
        m_document = parseXml(m_parts.value(u"word/document.xml"_s), &error);
        QVERIFY2(!m_document.isNull(), qPrintable(error));
        m_anchors = all(m_document, u"wp:anchor"_s);
        m_cells = cellsOf(m_document);
        QCOMPARE(m_anchors.size(), 9);
    }

    void package()
    {
        QCOMPARE(m_parts.keys(), (QStringList{u"[Content_Types].xml"_s, u"_rels/.rels"_s, u"word/_rels/document.xml.rels"_s,
                                              u"word/document.xml"_s, u"word/settings.xml"_s, u"word/styles.xml"_s}));
        for (auto part = m_parts.cbegin(); part != m_parts.cend(); ++part) {
            QString error;
            QVERIFY2(!parseXml(part.value(), &error).isNull(), qPrintable(part.key() + u": "_s + error));
        }
        // Word knows each part by its type and finds the document through the relationship.
        const QDomDocument contentTypes = parseXml(m_parts.value(u"[Content_Types].xml"_s));
        QMap<QString, QString> types;
        for (QDomElement type = contentTypes.documentElement().firstChildElement(); !type.isNull(); type = type.nextSiblingElement())
            types.insert(type.attribute(u"PartName"_s) + type.attribute(u"Extension"_s), type.attribute(u"ContentType"_s));
        QCOMPARE(types.value(u"rels"_s), u"application/vnd.openxmlformats-package.relationships+xml"_s);
        for (const QString &part : {u"document"_s, u"styles"_s, u"settings"_s})
            QVERIFY2(types.value(u"/word/%1.xml"_s.arg(part)).contains(u"wordprocessingml."_s + part), qPrintable(part));
        const QDomDocument relationships = parseXml(m_parts.value(u"_rels/.rels"_s));
        const QDomElement relationship = all(relationships, u"Relationship"_s).value(0);
        QCOMPARE(relationship.attribute(u"Target"_s), u"word/document.xml"_s);
        QVERIFY(relationship.attribute(u"Type"_s).endsWith(u"/relationships/officeDocument"_s));
        // A4 with margins of 0.5 cm, 1.4 cm at the bottom.
        const QDomElement size = all(m_document, u"w:pgSz"_s).value(0), margins = all(m_document, u"w:pgMar"_s).value(0);
        QCOMPARE(size.attribute(u"w:w"_s) + u'x' + size.attribute(u"w:h"_s), u"11906x16838"_s);
        QCOMPARE(u"%1 %2 %3 %4"_s.arg(margins.attribute(u"w:top"_s), margins.attribute(u"w:right"_s),
                                     margins.attribute(u"w:bottom"_s), margins.attribute(u"w:left"_s)),
                 u"283 283 794 283"_s);
    }

    // Each box where paper has it (whole points, 12700 EMU each), its cells sized and spanned, its rows of
    // captions and values not mixed up.
    void boxes_data()
    {
        QTest::addColumn<BoxCase>("c");
        const auto row = [](const BoxCase &c) { QTest::addRow("box %d", c.box) << c; };
        row({1, {177800, 177800, 7200900, 355600}, {5670, 5670}, 1, {u"0:1 right"_s}, {u"0:0=K0"_s, u"0:1=K1"_s}});
        row({2, {177800, 571500, 7200900, 1549400}, {2041, 3628, 2041, 3628}, 8, {u"6:1=3"_s, u"7:1=3"_s},
            {u"0:0=K2"_s, u"5:3=W11"_s, u"6:1=W12"_s}});
        row({3, {177800, 2159000, 7200900, 469900}, QList<int>(14, 810), 2, {}, {u"0:0=K21"_s, u"0:13=K29"_s, u"1:0=W14"_s}});
        row({4, {177800, 2628900, 7200900, 469900}, {3175, 624, 3118, 624, 3175, 624}, 2, {}, {u"1:2=K80"_s, u"1:5=W33"_s}});
        row({5, {177800, 3098800, 7200900, 685800}, QList<int>{1361} + QList<int>(16, 624), 3, {u"2:2=15"_s},
            {u"2:0=K32"_s, u"2:1=W36"_s}});
        row({6, {177800, 3784600, 4902200, 4318000}, {2211, 794, 794, 2211, 794, 794}, 23, {},
            {u"0:0=K33"_s, u"22:3=K78"_s, u"22:4=W127"_s}});
        row({7, {5143500, 3784600, 2235200, 5765800}, {3515}, 30, {}, {u"0:0=K84"_s, u"29:0=A28"_s}});
        row({8, {177800, 8166100, 4864100, 1727200}, {1417, 794, 794, 794, 1417, 794, 794, 794}, 9, {},
            {u"8:4=W189"_s, u"8:7=W192"_s}});
        row({9, {5143500, 9474200, 2235200, 431800}, {1928, 794, 794}, 2, {}, {u"1:2=W196"_s}});
    }
    void boxes()
    {
        QFETCH(BoxCase, c);
        const auto &[box, rectangle, grid, rows, merged, samples] = c;
        const QDomElement anchor = m_anchors[box - 1];
        const QDomElement across = anchor.firstChildElement(u"wp:positionH"_s);
        const QDomElement down = anchor.firstChildElement(u"wp:positionV"_s);
        QCOMPARE(across.attribute(u"relativeFrom"_s) + down.attribute(u"relativeFrom"_s), u"pagepage"_s);
        const QDomElement extent = anchor.firstChildElement(u"wp:extent"_s);
        QCOMPARE((QList<qint64>{across.text().toLongLong(), down.text().toLongLong(), extent.attribute(u"cx"_s).toLongLong(),
                                extent.attribute(u"cy"_s).toLongLong()}),
                 rectangle);
        QCOMPARE(anchor.firstChildElement(u"wp:docPr"_s).attribute(u"id"_s), QString::number(box));
        // No border, no inner margins, a fixed size.
        QVERIFY(!all(anchor, u"a:ln"_s).value(0).firstChildElement(u"a:noFill"_s).isNull());
        const QDomElement body = all(anchor, u"wps:bodyPr"_s).value(0);
        for (const QString &inset : {u"lIns"_s, u"tIns"_s, u"rIns"_s, u"bIns"_s})
            QCOMPARE(body.attribute(inset), u"0"_s);
        QVERIFY(!body.firstChildElement(u"a:noAutofit"_s).isNull());

        const QDomElement table = all(anchor, u"w:tbl"_s).value(0);
        QList<int> columns;
        for (const QDomElement &column : all(table, u"w:gridCol"_s))
            columns << column.attribute(u"w:w"_s).toInt();
        QCOMPARE(columns, grid);
        QCOMPARE(all(table, u"w:tblLayout"_s).value(0).attribute(u"w:type"_s), u"fixed"_s);
        QCOMPARE(all(table, u"w:tblCellMar"_s).value(0).firstChildElement(u"w:left"_s).attribute(u"w:w"_s), u"0"_s);
        const auto &cells = m_cells[box - 1];
        QCOMPARE(cells.size(), rows);
        QStringList spans;
        for (int r = 0; r < rows; ++r) {
            // Half a centimetre exactly, text centred; the title row grows with its font.
            const QDomElement height = all(all(table, u"w:tr"_s)[r], u"w:trHeight"_s).value(0);
            QCOMPARE(height.attribute(u"w:val"_s) + height.attribute(u"w:hRule"_s), box == 1 ? QString() : u"283exact"_s);
            int column = 0;
            for (const QDomElement &cell : cells[r]) {
                const QDomElement properties = cell.firstChildElement(u"w:tcPr"_s);
                const int span = qMax(1, properties.firstChildElement(u"w:gridSpan"_s).attribute(u"w:val"_s).toInt());
                if (span > 1)
                    spans << u"%1:%2=%3"_s.arg(r).arg(column).arg(span);
                if (const QString align = all(cell, u"w:jc"_s).value(0).attribute(u"w:val"_s); !align.isEmpty())
                    spans << u"%1:%2 %3"_s.arg(r).arg(column).arg(align);
                const int width = std::accumulate(grid.cbegin() + column, grid.cbegin() + qMin(column + span, grid.size()), 0);
                QCOMPARE(properties.firstChildElement(u"w:tcW"_s).attribute(u"w:w"_s).toInt(), width);
                QCOMPARE(properties.firstChildElement(u"w:vAlign"_s).attribute(u"w:val"_s), box == 1 ? QString() : u"center"_s);
                column += span;
            }
            QCOMPARE(column, grid.size());
        }
        QCOMPARE(spans, merged);
        for (const QString &entry : samples) {
            const QString at = entry.section(u'=', 0, 0), text = entry.section(u'=', 1);
            QCOMPARE(cells[at.section(u':', 0, 0).toInt()][at.section(u':', 1).toInt()].text(),
                     sample(text[0].toLatin1(), text.mid(1).toInt()));
        }
    }

    // Each text once, the overflow line never, no line breaks; every run in its section's font.
    void textsAndFonts()
    {
        QStringList texts;
        int runs = 0;
        for (int box = 0; box < 9; ++box) {
            for (const auto &row : std::as_const(m_cells[box])) {
                for (const QDomElement &cell : row) {
                    QVERIFY(all(cell, u"w:br"_s).isEmpty());
                    QCOMPARE(all(cell, u"w:p"_s).size(), 1);
                    if (!cell.text().isEmpty())
                        texts << cell.text();
                }
            }
            for (const QDomElement &run : all(m_anchors[box], u"w:r"_s)) {
                const QDomElement properties = run.firstChildElement(u"w:rPr"_s);
                const QDomElement fonts = properties.firstChildElement(u"w:rFonts"_s);
                QStringList names;
                for (const QString &slot : {u"w:ascii"_s, u"w:hAnsi"_s, u"w:cs"_s, u"w:eastAsia"_s})
                    names << fonts.attribute(slot);
                names.removeDuplicates();
                const auto has = [&](const QString &name, const QString &word) { return properties.firstChildElement(name).isNull() ? u""_s : word; };
                const int points = properties.firstChildElement(u"w:sz"_s).attribute(u"w:val"_s).toInt() / 2;
                const bool underlined = properties.firstChildElement(u"w:u"_s).attribute(u"w:val"_s) == u"single";
                QCOMPARE(u"%1 %2"_s.arg(names.join(u'|')).arg(points) + has(u"w:b"_s, u" fett"_s) + has(u"w:i"_s, u" kursiv"_s)
                             + (underlined ? u" unterstrichen"_s : u""_s),
                         box == 0                      ? u"Arial 18 fett"_s
                         : run.text().startsWith(u'K') ? u"Courier New 9 kursiv"_s
                                                       : u"Times New Roman 8 unterstrichen"_s);
                ++runs;
            }
        }
        texts.sort();
        QStringList expected;
        fullSheet(&expected);
        QCOMPARE(texts, expected);
        QCOMPARE(runs, expected.size());
    }

    // Control characters and lone surrogates go, a pair stays one character, breaks and tabs become spaces.
    void textsXmlForbids()
    {
        const std::pair<QString, QString> cases[] = {
            {u"a\u0001b\u001Fc\u007Fd\uFFFEe"_s, u"abc\u007Fde"_s}, {u"p"_s + QChar(0xD800) + u"q"_s + QChar(0xDC00), u"pq"_s},
            {u"Würfel 🎲"_s, u"Würfel 🎲"_s}, {u"a\r\nb\tc"_s, u"a  b c"_s}};
        for (const auto &[text, written] : cases)
            QCOMPARE(DocxDocument::cellText(text), written);
    }

    // A failed export says why in German and leaves the folder as it was (a missing folder: test_commands).
    void writeFailures()
    {
        QTemporaryDir folder;
        const QString where = folder.filePath(u"Ordner"_s);
        QVERIFY(QDir().mkdir(where));
        QString error;
        QVERIFY(!exportSheetDocx(fullSheet(), readSheetStyle(*m_settings), QString(), &error));
        QVERIFY2(error.contains(u"kein Dateiname"_s), qPrintable(error));
        QVERIFY(!exportSheetDocx(fullSheet(), readSheetStyle(*m_settings), where, &error));
        QVERIFY2(error.startsWith(u"Die Datei »%1« ließ sich nicht schreiben. An dieser Stelle steht ein Ordner."_s.arg(where)),
                 qPrintable(error));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{u"Ordner"_s});
        QVERIFY(QDir(where).isEmpty());
    }

    // LibreOffice lays it out on one A4 page, loses no text and puts texts of six boxes where paper has them.
    void rendered()
    {
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice, Debian's libreoffice-writer-nogui) is not installed: the rendering is not checked.");
        QProcess office; // a profile of its own: no running LibreOffice takes the job
        office.start(soffice, {u"-env:UserInstallation=file://"_s + m_folder.filePath(u"profile"_s), u"--headless"_s,
                               u"--norestore"_s, u"--convert-to"_s, u"pdf"_s, u"--outdir"_s, m_folder.path(),
                               m_folder.filePath(u"Held.docx"_s)});
        QVERIFY2(office.waitForFinished(240000) && office.exitCode() == 0, office.readAllStandardError().constData());
        // soffice ends with 0 even when it could not load the document.
        const PdfPage page = readPdf(m_folder.filePath(u"Held.pdf"_s));
        QCOMPARE(page.pages, 1);
        const QSizeF a4 = QSizeF(21, 29.7) * pointsPerCentimetre;
        QVERIFY(qAbs(page.size.width() - a4.width()) < 1.5 && qAbs(page.size.height() - a4.height()) < 1.5);
        QStringList rendered = page.texts, expected;
        rendered.sort();
        fullSheet(&expected);
        QCOMPARE(rendered, expected);

        // In cm from the top left: the left (or right) edge and the row's centre; 0: the title row, text in its top 1 cm.
        const struct { QString text; double x, rowCentre; bool rightEdge = false; } places[] = {
            {sample('K', 0), 0.5, 0}, {sample('K', 1), 20.5, 0, true}, {sample('W', 27), 0.5 + 13 * 20.0 / 14, 6.75},
            {sample('W', 128), 12.5, 21.75}, {sample('A', 28), 14.3, 25.25}, {sample('W', 196), 19.1, 27.05}};
        const double millimetre = pointsPerCentimetre / 10;
        for (const auto &[text, x, rowCentre, rightEdge] : places) {
            const QRectF box = page.box(text);
            QVERIFY2(!box.isEmpty(), qPrintable(text + u" not on the page once"_s));
            const double edge = (rightEdge ? box.right() : box.left()) / millimetre;
            QVERIFY2(qAbs(edge - 10 * x) <= 1, qPrintable(u"%1: x %2 mm, not %3 mm"_s.arg(text).arg(edge).arg(10 * x)));
            const double top = box.top() / millimetre, bottom = box.bottom() / millimetre, centre = (top + bottom) / 2;
            const bool placed = rowCentre > 0 ? qAbs(centre - 10 * rowCentre) <= 1 : top >= 5 - 1 && bottom <= 15 + 1;
            QVERIFY2(placed, qPrintable(u"%1: y %2 .. %3 mm, row centre %4 cm"_s.arg(text).arg(top).arg(bottom).arg(rowCentre)));
        }
    }

    // The bar fills its share of the frame, never more than all of it.
    void gaugeFillsItsFrame()
    {
        frmGauge gauge;
        gauge.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gauge));
        QCOMPARE(gauge.windowTitle(), u"Fortschritt"_s);
        QVERIFY(gauge.barWidth() == 0 && gauge.frameInnerWidth() > 100);
        for (const auto &[percent, shown] : {std::pair(50, 50), std::pair(130, 100)}) {
            gauge.fill(percent);
            QCOMPARE(gauge.windowTitle(), u"Fortschritt -%1 %"_s.arg(shown));
            QCOMPARE(gauge.barWidth(), gauge.frameInnerWidth() * shown / 100);
        }
    }

    // "Datenblatt in Word": the document goes to a folder of its own and is opened; a failure shows
    // one message with the reason, after the progress window and the busy cursor are gone.
    void wordExport_data()
    {
        QTest::addColumn<bool>("folderMade"); // whether the temporary folder can be made
        QTest::addColumn<bool>("opens");      // what opening the document answers
        QTest::addColumn<QString>("error");   // a part of the one message, if any
        QTest::newRow("opened") << true << true << QString();
        QTest::newRow("no program to open it") << true << false << u"ließ sich nicht öffnen"_s;
        QTest::newRow("no temporary folder") << false << true << u"kein vorläufiger Ordner"_s;
    }
    void wordExport()
    {
        QFETCH(bool, folderMade);
        QFETCH(bool, opens);
        QFETCH(QString, error);
        // A file where the temporary folder should be: no folder can be made in it.
        const QString file = m_folder.filePath(u"keinOrdner"_s);
        QVERIFY(folderMade || writeFile(file, {}));
        if (!folderMade)
            qputenv("TMPDIR", QFile::encodeName(file));
        const auto back = qScopeGuard([this] { qputenv("TMPDIR", QFile::encodeName(m_folder.path())); });
        QWidget owner;
        RecordingMessages messages;
        ScriptedFileDialogs dialogs;
        SheetFormats formats(*m_settings);
        CharacterSession session({*m_settings, messages, dialogs, formats.all()});
        session.document().load(fullSheet(), QString());
        bool calmWhileShown = false;
        messages.whileShown = [&] { calmWhileShown = !visibleGauge() && !QApplication::overrideCursor(); };
        QList<QUrl> opened;
        QString whileOpening; // the progress window's caption and whether the cursor is busy
        const auto open = [&](const QUrl &url) {
            opened << url;
            whileOpening = (visibleGauge() ? visibleGauge()->windowTitle() : QString()) + (QApplication::overrideCursor() ? u" busy"_s : u""_s);
            return opens;
        };
        QCOMPARE(exportToWord(&owner, session, open), error.isEmpty());
        QVERIFY(!visibleGauge() && !QApplication::overrideCursor());
        QCOMPARE(opened.size(), folderMade ? 1 : 0);
        if (folderMade) {
            const QString document = opened.value(0).toLocalFile();
            QCOMPARE(cellsOf(parseXml(readPackage(document).value(u"word/document.xml"_s))).value(0).value(0).value(0).text(),
                     sample('K', 0));
            QCOMPARE(QFileInfo(QFileInfo(document).path()).path(), m_folder.path());
            QCOMPARE(whileOpening, u"Fortschritt -100 % busy"_s);
        }
        QCOMPARE(messages.shown.size(), error.isEmpty() ? 0 : 1);
        if (!error.isEmpty()) {
            QVERIFY2(messages.shown[0].text.contains(error), qPrintable(messages.shown[0].text));
            QVERIFY(messages.shown[0].icon == MessageService::Icon::Critical);
            QVERIFY(calmWhileShown);
        }
    }
};

QTEST_MAIN(TestDocx)
#include "tst_docx.moc"
