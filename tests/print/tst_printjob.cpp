#include "pdfreading.h"

#include "print/printsetup.h"
#include "print/sheetprinter.h"
#include "print/sheetprintjob.h"
#include "sheet/charactersheet.h"
#include "sheet/sheetlayout.h"
#include "storage/settingkeys.h"
#include "storage/sheetstylereader.h"
#include "support/recordingmessages.h"
#include "support/scriptedfiledialogs.h"
#include "support/testfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace Tarvosk;

namespace {

constexpr qreal margin = SheetPrintJob::pdfMargin;

CharacterSheet namedSheet()
{
    CharacterSheet sheet;
    sheet.setCaption(CharacterSheet::nameCaption, u"Hohenstein"_s);
    sheet.setCaption(CharacterSheet::classCaption, u"Kopfgeldjägerin"_s);
    sheet.setValue(0, u"Greta"_s);
    sheet.setEquipmentLine(28, u"Zunderbüchse"_s);
    return sheet;
}

// Every caption, value and equipment line with a word of its own; LP's value is far wider than its cell.
CharacterSheet labelledSheet()
{
    CharacterSheet sheet;
    for (int i = 0; i < CharacterSheet::captionCount; ++i)
        sheet.setCaption(i, u"K%1"_s.arg(i));
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        sheet.setValue(i, u"W%1"_s.arg(i));
    for (int i = 0; i < CharacterSheet::equipmentLineCount; ++i)
        sheet.setEquipmentLine(i, u"A%1"_s.arg(i));
    sheet.setValue(34, u"Lebenspunkte-nach-der-letzten-Schlacht"_s);
    return sheet;
}

// A text and where paper puts it, in page pixels: its left (the class: its right) and its top.
struct PrintedText
{
    QString text;
    QPoint at;
    bool rightAligned = false;
};

QList<PrintedText> printedTexts(const CharacterSheet &sheet)
{
    QList<PrintedText> texts;
    const QPoint drop(0, SheetLayout::printedTextDrop);
    for (int i = 0; i < CharacterSheet::captionCount; ++i) {
        const QRect cell = SheetLayout::captionRect(i);
        const bool right = i == CharacterSheet::classCaption;
        texts.push_back({sheet.caption(i), (right ? QPoint(cell.left() + cell.width(), cell.top()) : cell.topLeft()) + drop, right});
    }
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        texts.push_back({sheet.value(i), SheetLayout::valueRect(i).topLeft() + drop});
    for (int i = 0; i < CharacterSheet::equipmentLineCount; ++i)
        texts.push_back({sheet.equipmentLine(i), SheetLayout::printedEquipmentText(i)});
    return texts;
}

// The filled rectangle at that top left (within a rounded margin's dot), running the way the flag says.
QRectF fillAt(const PdfDrawing &drawing, QPointF topLeft, bool horizontal)
{
    for (const QRectF &rect : drawing.filledRects) {
        if ((rect.topLeft() - topLeft).manhattanLength() < 0.5 && (rect.width() > rect.height()) == horizontal)
            return rect;
    }
    return {};
}

// The "Printer" settings "Key=value", the resolution, and the dots of the frames, the heavy and the
// light ruling lines: 0 a hairline, -1 none.
struct LineCase { QStringList printer; int dpi, frame, heavy, light; };

// The file name typed, the new file (if any), "title|text" of the one message shown (if any).
struct PdfCase { QString answer, written, message; };

} // namespace

class TestPrintJob : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    std::unique_ptr<SettingsStore> m_settings;

    QString pdfOf(const CharacterSheet &sheet)
    {
        const QString path = m_folder.filePath(u"Blatt.pdf"_s);
        [&] { QVERIFY(SheetPrintJob::writePdf(path, sheet, PrintSetup::fromSettings(*m_settings))); }();
        return path;
    }

private Q_SLOTS:
    void init() { m_settings = std::make_unique<SettingsStore>(m_folder.filePath(u"Tarvosk.conf"_s)); }
    void cleanup() { QFile::remove(m_settings->fileName()); }

    // Each text whole, in its group's font and size, at its place in either orientation, at the coarsest
    // resolution (where a size rounded to whole dots would miss the group's).
    void printsEveryTextWholeAtItsPlace()
    {
        for (const QString &entry : {u"Printer/Quality=1"_s, u"Headline/Name=DejaVu Sans Mono"_s, u"Headline/Size=13,75"_s,
                                     u"Headline/Bold=1"_s, u"Labels/Name=Liberation Sans"_s, u"Labels/Size=7.25"_s,
                                     u"Labels/Italic=Wahr"_s, u"Values/Name=Liberation Mono"_s, u"Values/Size=9.25"_s})
            m_settings->write(entry.section(u'/', 0, 0), entry.section(u'/', 1).section(u'=', 0, 0), entry.section(u'=', 1));
        const CharacterSheet sheet = labelledSheet();
        QHash<QString, QSizeF> portraitSizes;
        for (const int orientation : {0, 1}) {
            m_settings->write(Settings::Orientation, QString::number(orientation));
            const QString pdf = pdfOf(sheet);
            QStringList fonts = pdfFonts(pdf);
            fonts.sort();
            QCOMPARE(fonts, (QStringList{u"DejaVuSansMono-Bold"_s, u"LiberationMono"_s, u"LiberationSans-Italic"_s}));
            const PdfPage page = readPdf(pdf);
            QCOMPARE(page.size.width() > page.size.height(), orientation == 1);
            const qreal sx = (page.size.width() - 2 * margin) / SheetLayout::pageSize.width();
            const qreal sy = (page.size.height() - 2 * margin) / SheetLayout::pageSize.height();

            // Unstretched: as wide and high either way.
            for (const auto &[text, at, right] : printedTexts(sheet)) {
                const QRectF box = page.box(text);
                QVERIFY2(!box.isEmpty(), qPrintable(text));
                QVERIFY2(qAbs((right ? box.right() : box.left()) - (margin + at.x() * sx)) <= 0.5, qPrintable(text));
                QVERIFY2(qAbs(box.top() - (margin + at.y() * sy)) <= 0.5, qPrintable(text));
                if (orientation == 0)
                    portraitSizes.insert(text, box.size());
                const QSizeF change = box.size() - portraitSizes.value(text);
                QVERIFY2(qAbs(change.width()) <= 0.1 && qAbs(change.height()) <= 0.1, qPrintable(text));
            }
            // At the sizes of their groups, and nothing cut off.
            const PdfDrawing drawing = readPdfDrawing(pdf);
            QSet<qreal> sizes;
            for (const qreal size : drawing.textSizes) {
                const qreal group = size > 12 ? 13.75 : size > 8.5 ? 9.25 : 7.25;
                QVERIFY2(qAbs(size - group) <= 0.1, qPrintable(QString::number(size)));
                sizes.insert(group);
            }
            QCOMPARE(sizes.size(), 3);
            QVERIFY(!drawing.clips);
        }
    }

    // Lines as many printer dots wide as the settings say, at the resolution the quality names.
    void drawsLinesInPrinterDots_data()
    {
        QTest::addColumn<LineCase>("c");
        QTest::newRow("defaults") << LineCase{{}, 300, 3, 3, 0};
        QTest::newRow("draft") << LineCase{{u"Quality=1"_s}, 150, 3, 3, 0};
        QTest::newRow("medium") << LineCase{{u"Quality=3"_s}, 600, 3, 3, 0};
        QTest::newRow("high") << LineCase{{u"Quality=4"_s}, 1200, 3, 3, 0};
        QTest::newRow("dots per inch") << LineCase{{u"Quality=-200"_s}, 200, 3, 3, 0};
        QTest::newRow("no such quality") << LineCase{{u"Quality=5"_s}, 300, 3, 3, 0};
        QTest::newRow("no frames") << LineCase{{u"Line1On=0"_s}, 300, -1, 3, 0};
        QTest::newRow("no ruling lines") << LineCase{{u"Line0On=0"_s}, 300, 3, -1, -1};
        QTest::newRow("wide, rounded") << LineCase{{u"Line1=5,6"_s, u"Line0=4"_s}, 300, 6, 6, 4};
    }
    void drawsLinesInPrinterDots()
    {
        QFETCH(LineCase, c);
        const auto &[printer, dpi, frame, heavy, light] = c;
        for (const QString &setting : printer)
            m_settings->write(u"Printer", setting.section(u'=', 0, 0), setting.section(u'=', 1));
        const PdfDrawing drawing = readPdfDrawing(pdfOf(CharacterSheet()));
        const qreal sx = (595 - 2 * margin) / SheetLayout::pageSize.width();
        const qreal sy = (842 - 2 * margin) / SheetLayout::pageSize.height();
        const auto onPaper = [sx, sy](QPoint page) { return QPointF(margin + page.x() * sx, margin + page.y() * sy); };
        // The top of the first frame, the heavy line under "Ausrüstung", the light one under "Besonderes".
        const QList<std::pair<QPoint, int>> lines{
            {SheetLayout::frames()[0].topLeft(), frame}, {{401, 326}, heavy}, {{10, 151}, light}};
        for (const auto &[at, dots] : lines) {
            const QRectF fill = fillAt(drawing, onPaper(at), true);
            const QString where = u"%1,%2"_s.arg(at.x()).arg(at.y());
            QVERIFY2(fill.isEmpty() == (dots <= 0), qPrintable(where));
            QVERIFY2(dots <= 0 || qAbs(fill.height() - dots * 72.0 / dpi) < 0.01, qPrintable(where));
        }
    }

    // On a real printer the page fits the paper's printable area; a printer that fails says so once.
    void printsOnThePrinter()
    {
        m_settings->write(Settings::Orientation, u"1"_s);
        m_settings->write(Settings::PaperSize, u"Letter"_s);
        RecordingMessages messages;
        ScriptedFileDialogs dialogs;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_folder.filePath(u"Drucker.pdf"_s));
        SheetPrinter::printSheet(&printer, namedSheet(), readSheetStyle(*m_settings), *m_settings, dialogs, messages);
        QVERIFY(messages.shown.isEmpty() && dialogs.shown.isEmpty());
        const PdfPage page = readPdf(printer.outputFileName());
        QCOMPARE(page.size.toSize(), QSize(792, 612)); // US Letter, landscape
        const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
        const QRectF box = page.box(u"Hohenstein"_s);
        QVERIFY(qAbs(box.left() - area.left() - SheetLayout::captionRect(0).left() * area.width() / 585) <= 1);

        printer.setOutputFileName(m_folder.filePath(u"fehlt/Drucker.pdf"_s));
        SheetPrinter::printSheet(&printer, namedSheet(), readSheetStyle(*m_settings), *m_settings, dialogs, messages);
        QCOMPARE(messages.shown.size(), 1);
    }

    // Without a printer the sheet goes to a PDF the user names, in a folder where an old "Alt.pdf" waits:
    // never over a file unasked, a failure said once.
    void writesAPdfWithoutPrinter_data()
    {
        QTest::addColumn<PdfCase>("c");
        QTest::newRow("extension appended") << PdfCase{u"Held"_s, u"Held.pdf"_s, {}};
        QTest::newRow("cancelled") << PdfCase{};
        QTest::newRow("no such folder") << PdfCase{u"fehlt/Held"_s, {},
                                                   u"Fehler beim Drucken|Bitte überprüfen Sie Ihren Drucker/Druckertreiber !\n"
                                                   u"Die Datei »fehlt/Held.pdf« ließ sich nicht schreiben. Den Ordner »"_s};
        QTest::newRow("a file the extension names is kept")
            << PdfCase{u"Alt"_s, {}, u"Drucken|Die Datei »Alt.pdf« gibt es schon.\nSoll sie ersetzt werden ?"_s};
    }
    void writesAPdfWithoutPrinter()
    {
        QFETCH(PdfCase, c);
        const auto &[answer, written, message] = c;
        QTemporaryDir folder;
        QVERIFY(QDir::setCurrent(folder.path()));
        const auto back = qScopeGuard([this] { QDir::setCurrent(m_folder.path()); });
        QVERIFY(writeFile(u"Alt.pdf"_s, "alt"));
        RecordingMessages messages;
        messages.answers = {MessageService::Answer::No};
        ScriptedFileDialogs dialogs;
        dialogs.choices = {{answer}};
        SheetPrinter::printSheet(nullptr, namedSheet(), readSheetStyle(*m_settings), *m_settings, dialogs, messages);
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].filter + u' ' + dialogs.shown[0].initialName, u"PDF Dokument (*.pdf)|*.pdf Hohenstein.pdf"_s);
        QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), (QStringList{u"Alt.pdf"_s, written}.filter(u"."_s)));
        QCOMPARE(QFileInfo(u"Alt.pdf"_s).size(), 3);
        if (!written.isEmpty())
            QVERIFY(readPdf(written).texts.contains(u"Hohenstein"_s));
        // A message starts with the row's text; a file's reason follows it.
        QCOMPARE(messages.shown.size(), message.isEmpty() ? 0 : 1);
        for (const RecordingMessages::Shown &m : std::as_const(messages.shown)) {
            QVERIFY2((m.title + u'|' + m.text).startsWith(message), qPrintable(m.text));
            QVERIFY(!message.startsWith(u"Fehler")
                    || (m.icon == MessageService::Icon::Critical && m.buttons == MessageService::Buttons::Ok));
        }
    }
};

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"
