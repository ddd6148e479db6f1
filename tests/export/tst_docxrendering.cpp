#include "export/docxexport.h"
#include "sheet/charactersheet.h"
#include "storage/settingsstore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRectF>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

constexpr double pointsPerMillimetre = 72 / 25.4;

struct Word
{
    QString text;
    QRectF box; // millimetres from the page's top left
};

struct RenderedPage
{
    int pages = 0;
    QSizeF size; // millimetres
    QList<Word> words;
};

// pdftotext -bbox writes XHTML: <page width height> holding <word xMin yMin xMax yMax>.
RenderedPage readWords(const QByteArray &xhtml)
{
    RenderedPage page;
    QXmlStreamReader reader(xhtml);
    const auto mm = [&reader](QLatin1StringView name) { return reader.attributes().value(name).toDouble() / pointsPerMillimetre; };
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"page") {
            ++page.pages;
            page.size = QSizeF(mm("width"_L1), mm("height"_L1));
        } else if (reader.name() == u"word") {
            const QRectF box(QPointF(mm("xMin"_L1), mm("yMin"_L1)), QPointF(mm("xMax"_L1), mm("yMax"_L1)));
            page.words.append({reader.readElementText(), box});
        }
    }
    return page;
}

QString run(const QString &program, const QStringList &arguments, int timeoutMs = 30000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return u"%1 did not finish"_s.arg(program);
    }
    return process.exitCode() == 0 ? QString() : QString::fromLocal8Bit(process.readAllStandardError());
}

} // namespace

// The document as LibreOffice lays it out: one A4 page, every text where its
// cell is. Needs LibreOffice (soffice) and poppler's pdftotext.
class TestDocxRendering : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    RenderedPage m_page;

    const Word *word(const QString &text) const
    {
        const Word *found = nullptr;
        for (const Word &w : m_page.words) {
            if (w.text == text) {
                if (found)
                    return nullptr;
                found = &w;
            }
        }
        return found;
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice, Debian's libreoffice-writer-nogui) is not installed: "
                  "the rendering of the word-processor document is not checked.");
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the rendering of the word-processor document is not checked.");

        // One short word per cell: captions K, values W, equipment lines A with their index.
        CharacterSheet sheet;
        for (int i = 0; i < CharacterSheet::captionCount; ++i)
            sheet.setCaption(i, u"K%1"_s.arg(i));
        for (int i = 0; i < CharacterSheet::valueCount; ++i)
            sheet.setValue(i, u"W%1"_s.arg(i));
        for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line)
            sheet.setEquipmentLine(line, u"A%1"_s.arg(line));
        sheet.setEquipmentLine(CharacterSheet::overflowLineIndex, u"Überlauf"_s);
        sheet.setValue(0, u"Ärger&<Co>"_s);

        QVERIFY(m_folder.isValid());
        SettingsStore settings(m_folder.filePath(u"settings.ini"_s));
        const QString document = m_folder.filePath(u"sheet.docx"_s);
        QString error;
        QVERIFY2(exportSheetDocx(sheet, settings, document, &error), qPrintable(error));

        // A profile of its own, so no running LibreOffice of the user takes the job.
        QElapsedTimer timer;
        timer.start();
        error = run(soffice, {u"-env:UserInstallation=file://"_s + m_folder.filePath(u"profile"_s), u"--headless"_s,
                              u"--norestore"_s, u"--convert-to"_s, u"pdf"_s, u"--outdir"_s, m_folder.path(), document},
                    240000);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        qInfo("LibreOffice converted the document in %lld ms (fresh profile)", timer.elapsed());
        // soffice ends with 0 even when it could not load the document.
        const QString pdf = m_folder.filePath(u"sheet.pdf"_s);
        QVERIFY2(QFile::exists(pdf), "LibreOffice wrote no PDF");
        error = run(pdftotext, {u"-bbox"_s, pdf, m_folder.filePath(u"words.html"_s)});
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QFile words(m_folder.filePath(u"words.html"_s));
        QVERIFY(words.open(QIODevice::ReadOnly));
        m_page = readWords(words.readAll());
    }

    void oneA4Page()
    {
        QCOMPARE(m_page.pages, 1);
        QVERIFY2(qAbs(m_page.size.width() - 210) < 0.5 && qAbs(m_page.size.height() - 297) < 0.5,
                 qPrintable(u"%1 x %2 mm"_s.arg(m_page.size.width()).arg(m_page.size.height())));
    }

    // Nothing is lost to a box's edge: each text once, the overflow line never.
    void everyTextOnce()
    {
        QStringList expected;
        for (int i = 0; i < CharacterSheet::captionCount; ++i)
            expected << u"K%1"_s.arg(i);
        for (int i = 1; i < CharacterSheet::valueCount; ++i)
            expected << u"W%1"_s.arg(i);
        for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line)
            expected << u"A%1"_s.arg(line);
        expected << u"Ärger&<Co>"_s;
        QStringList rendered;
        for (const Word &w : m_page.words)
            rendered << w.text;
        expected.sort();
        rendered.sort();
        QCOMPARE(rendered, expected);
    }

    // Left edge (or right edge, for right-aligned text) and the centre of the
    // row, in centimetres from the page's top left, as the sheet's design places them.
    void textPositions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("x");
        QTest::addColumn<bool>("rightEdge");
        QTest::addColumn<double>("rowCentre");
        const auto at = [](const char *box, const QString &text, double x, double rowCentre, bool rightEdge = false) {
            QTest::addRow("%s %s", box, qPrintable(text)) << text << x << rightEdge << rowCentre;
        };
        at("title", u"K0"_s, 0.5, 0);
        at("title", u"K1"_s, 20.5, 0, true);
        at("personal data", u"K2"_s, 0.5, 1.85);
        at("personal data", u"W11"_s, 14.1, 4.35);
        at("personal data", u"W13"_s, 4.1, 5.35);
        at("attributes", u"K21"_s, 0.5, 6.25);
        at("attributes", u"W27"_s, 0.5 + 13 * 20.0 / 14, 6.75);
        at("senses", u"K92"_s, 0.5, 7.55);
        at("senses", u"W33"_s, 19.4, 8.05);
        at("points", u"K32"_s, 0.5, 9.85);
        at("points", u"W36"_s, 2.9, 9.85);
        at("skills", u"K33"_s, 0.5, 10.75);
        at("skills", u"K78"_s, 7.2, 21.75);
        at("skills", u"W128"_s, 12.5, 21.75);
        at("equipment", u"K84"_s, 14.3, 10.75);
        at("equipment", u"A28"_s, 14.3, 25.25);
        at("weapons", u"K83"_s, 0.5, 22.95);
        at("weapons", u"W192"_s, 12.5, 26.95);
        at("defence", u"K86"_s, 14.3, 27.05);
        at("defence", u"W196"_s, 19.1, 27.05);
    }
    void textPositions()
    {
        QFETCH(QString, text);
        QFETCH(double, x);
        QFETCH(bool, rightEdge);
        QFETCH(double, rowCentre);
        const Word *found = word(text);
        QVERIFY2(found, "not on the page once");
        const double edge = rightEdge ? found->box.right() : found->box.left();
        QVERIFY2(qAbs(edge - 10 * x) <= 1, qPrintable(u"x %1 mm, not %2 mm"_s.arg(edge).arg(10 * x)));
        if (rowCentre > 0) {
            const double centre = found->box.center().y();
            QVERIFY2(qAbs(centre - 10 * rowCentre) <= 1, qPrintable(u"y %1 mm, not %2 mm"_s.arg(centre).arg(10 * rowCentre)));
        } else {
            // The title row is as high as its text, at the top of its 1 cm box.
            QVERIFY2(found->box.top() >= 5 - 1 && found->box.bottom() <= 15 + 1,
                     qPrintable(u"%1 .. %2 mm"_s.arg(found->box.top()).arg(found->box.bottom())));
        }
    }
};

QTEST_GUILESS_MAIN(TestDocxRendering)
#include "tst_docxrendering.moc"
