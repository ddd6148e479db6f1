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
constexpr int dpi = 144;

CharacterSheet namedSheet()
{
    CharacterSheet sheet;
    sheet.setCaption(CharacterSheet::nameCaption, u"Hohenstein"_s);
    sheet.setCaption(CharacterSheet::classCaption, u"Kopfgeldjägerin"_s);
    sheet.setValue(0, u"Greta"_s);
    sheet.setEquipmentLine(28, u"Zunderbüchse"_s);
    return sheet;
}

// Mean grey of the picture's row at a page y across the page x 400..570,
// where a blank sheet has no text: the darkest row within half a page pixel.
int greyAt(const QImage &image, qreal pageY, qreal sx, qreal sy)
{
    const qreal scale = dpi / 72.0;
    const int y = qRound((margin + pageY * sy) * scale);
    int darkest = 255;
    for (int row = y - 1; row <= y + 1; ++row) {
        int sum = 0;
        const int left = qRound((margin + 400 * sx) * scale), right = qRound((margin + 570 * sx) * scale);
        for (int x = left; x < right; ++x)
            sum += qGray(image.pixel(x, row));
        darkest = std::min(darkest, sum / (right - left));
    }
    return darkest;
}

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

    void placesTextsOnThePrintableArea_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::newRow("portrait") << 0;
        QTest::newRow("landscape") << 1;
    }
    // In the fonts the settings name: monospaced faces give each group's word a width of its own.
    void placesTextsOnThePrintableArea()
    {
        QFETCH(int, orientation);
        m_settings->write(Settings::Orientation, QString::number(orientation));
        m_settings->write(Settings::HeadlineFont, Settings::FontName, u"DejaVu Sans Mono"_s);
        m_settings->write(Settings::HeadlineFont, Settings::FontBold, u"1"_s);
        m_settings->write(Settings::LabelsFont, Settings::FontName, u"Liberation Sans"_s);
        m_settings->write(Settings::LabelsFont, Settings::FontItalic, u"Wahr"_s);
        m_settings->write(Settings::ValuesFont, Settings::FontName, u"Liberation Mono"_s);
        m_settings->write(Settings::ValuesFont, Settings::FontSize, u"10"_s);
        const QString pdf = pdfOf(namedSheet());
        QStringList fonts = pdfFonts(pdf);
        fonts.sort();
        QCOMPARE(fonts, (QStringList{u"DejaVuSansMono-Bold"_s, u"LiberationMono"_s, u"LiberationSans-Italic"_s}));
        const PdfPage page = readPdf(pdf);
        QCOMPARE(page.size.width() > page.size.height(), orientation == 1);
        const qreal sx = (page.size.width() - 2 * margin) / SheetLayout::pageSize.width();
        const qreal sy = (page.size.height() - 2 * margin) / SheetLayout::pageSize.height();
        // A point is 4/3 page pixels (on a portrait page, which keeps the sheet's proportions).
        QVERIFY(orientation == 1 || qAbs(page.box(u"Hohenstein"_s).width() - 10 * 0.602 * 18 * 4 / 3 * sx) <= 1);
        QVERIFY(orientation == 1 || qAbs(page.box(u"Greta"_s).width() - 5 * 0.6 * 10 * 4 / 3 * sx) <= 1);

        // Each text starts at its cell's left (the class ends at its right), centred in its row.
        const QRect band = SheetLayout::equipmentLineRect(28).adjusted(SheetLayout::equipmentTextIndent, 0, 0, 0);
        const QList<std::pair<QString, QRect>> places{
            {u"Hohenstein"_s, SheetLayout::captionRect(CharacterSheet::nameCaption)},
            {u"Kopfgeldjägerin"_s, SheetLayout::captionRect(CharacterSheet::classCaption)},
            {u"Greta"_s, SheetLayout::valueRect(0)},
            {u"Zunderbüchse"_s, band},
        };
        for (const auto &[text, cell] : places) {
            const QRectF box = page.box(text);
            const bool right = text == u"Kopfgeldjägerin";
            const qreal x = margin + (right ? cell.left() + cell.width() : cell.left()) * sx;
            QVERIFY2(qAbs((right ? box.right() : box.left()) - x) <= 1, qPrintable(text));
            QVERIFY2(qAbs(box.center().y() - (margin + (cell.top() + cell.height() / 2.0) * sy)) <= 1, qPrintable(text));
        }
    }

    void drawsLinesAsTheSettingsSay_data()
    {
        QTest::addColumn<QStringList>("printer"); // keys of "Printer" = values
        // How many page pixels down from its top a frame and a light ruling line are dark.
        QTest::addColumn<int>("frameDepth");
        QTest::addColumn<int>("ruleDepth");
        QTest::newRow("defaults") << QStringList() << 3 << 1;
        QTest::newRow("no frames") << QStringList{u"Line1On=0"_s} << 0 << 1;
        QTest::newRow("no ruling lines") << QStringList{u"Line0On=0"_s} << 3 << 0;
        QTest::newRow("wide, rounded") << QStringList{u"Line1=5,6"_s, u"Line0=4"_s} << 6 << 4;
    }
    void drawsLinesAsTheSettingsSay()
    {
        QFETCH(QStringList, printer);
        QFETCH(int, frameDepth);
        QFETCH(int, ruleDepth);
        for (const QString &setting : printer)
            m_settings->write(u"Printer", setting.section(u'=', 0, 0), setting.section(u'=', 1));
        const QImage image = renderPdf(pdfOf(CharacterSheet()), dpi);
        QVERIFY(!image.isNull());
        const qreal sx = (image.width() * 72.0 / dpi - 2 * margin) / SheetLayout::pageSize.width();
        const qreal sy = (image.height() * 72.0 / dpi - 2 * margin) / SheetLayout::pageSize.height();
        // The top frame, and a light line across the personal data below "Besonderes".
        for (const auto &[top, depth] : {std::pair(SheetLayout::frames()[0].top(), frameDepth), std::pair(151, ruleDepth)}) {
            if (depth > 0) {
                QVERIFY2(greyAt(image, top + 0.5, sx, sy) < 160, qPrintable(QString::number(top)));
                QVERIFY2(greyAt(image, top + depth - 0.5, sx, sy) < 160, qPrintable(QString::number(top)));
            }
            QVERIFY2(greyAt(image, top + depth + (depth > 0 ? 1.5 : 0.5), sx, sy) > 230, qPrintable(QString::number(top)));
        }
    }

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

    // In a folder of its own, where an old "Alt.pdf" waits.
    void writesAPdfWithoutPrinter_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("written"); // the new file, if any
        QTest::addColumn<QString>("message"); // title|text of the one message shown, if any
        QTest::newRow("extension appended") << u"Held"_s << u"Held.pdf"_s << QString();
        QTest::newRow("extension in capitals kept") << u"Held.PDF"_s << u"Held.PDF"_s << QString();
        QTest::newRow("cancelled") << QString() << QString() << QString();
        QTest::newRow("no such folder") << u"fehlt/Held"_s << QString()
                                        << u"Fehler beim Drucken|Bitte überprüfen Sie Ihren Drucker/Druckertreiber !\n"
                                           u"Die Datei »fehlt/Held.pdf« ließ sich nicht schreiben. Den Ordner »"_s;
        QTest::newRow("a file the extension names is kept")
            << u"Alt"_s << QString() << u"Drucken|Die Datei »Alt.pdf« gibt es schon.\nSoll sie ersetzt werden ?"_s;
    }
    void writesAPdfWithoutPrinter()
    {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(QString, message);
        QTemporaryDir folder;
        QVERIFY(QDir::setCurrent(folder.path()));
        const auto back = qScopeGuard([this] { QDir::setCurrent(m_folder.path()); });
        QFile old(u"Alt.pdf"_s);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("alt") == 3);
        old.close();
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
