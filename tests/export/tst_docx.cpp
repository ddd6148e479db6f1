#include "docxreading.h"

#include "export/docxexport.h"
#include "export/docxfonts.h"
#include "sheet/charactersheet.h"
#include "storage/settingsstore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

QString captionText(int index)
{
    return u"K%1 Größe & <Ü>"_s.arg(index);
}
QString valueText(int index)
{
    return u"W%1 äß & <"_s.arg(index);
}
QString equipmentText(int line)
{
    return u"A%1 Öl & <Lampe>"_s.arg(line);
}

// Every caption, value and equipment line holds a text of its own.
CharacterSheet fullSheet()
{
    CharacterSheet sheet;
    for (int i = 0; i < CharacterSheet::captionCount; ++i)
        sheet.setCaption(i, captionText(i));
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        sheet.setValue(i, valueText(i));
    for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line)
        sheet.setEquipmentLine(line, equipmentText(line));
    sheet.setEquipmentLine(CharacterSheet::overflowLineIndex, u"Überlauf"_s);
    return sheet;
}

struct Stored
{
    QString section, key, value;
};

} // namespace

Q_DECLARE_METATYPE(DocxFont)
Q_DECLARE_METATYPE(QList<Stored>)

class TestDocx : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<SettingsStore> m_settings;
    XmlNode m_document;
    DocxBoxes m_boxes;
    QMap<QString, QByteArray> m_parts;
    QList<int> m_progress;

    QString path(const QString &name) const { return m_folder.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_settings = std::make_unique<SettingsStore>(path(u"settings.ini"_s));
        m_settings->write(u"Headline", u"Name", u"Arial"_s);
        m_settings->write(u"Headline", u"Bold", u"1"_s);
        m_settings->write(u"Labels", u"Name", u"Courier New"_s);
        m_settings->write(u"Labels", u"Size", u"9"_s);
        m_settings->write(u"Labels", u"Italic", u"True"_s);
        m_settings->write(u"Values", u"Size", u"0"_s);
        m_settings->write(u"Values", u"Underline", u"1"_s);
        m_settings->write(u"Values", u"Bold", u"False"_s);

        QString error;
        const auto progress = [this](int percent) { m_progress.append(percent); };
        QVERIFY(exportSheetDocx(fullSheet(), *m_settings, path(u"Held.docx"_s), &error, progress));
        QVERIFY(error.isEmpty());
        m_parts = readPackage(path(u"Held.docx"_s));
        m_document = parseXml(m_parts.value(u"word/document.xml"_s), &error);
        QVERIFY2(!m_document.isNull(), qPrintable(error));
        m_boxes = boxesOf(m_document);
        QCOMPARE(m_boxes.anchors.size(), 9);
    }

    void parts()
    {
        QCOMPARE(m_parts.keys(), (QStringList{u"[Content_Types].xml"_s, u"_rels/.rels"_s, u"word/_rels/document.xml.rels"_s,
                                              u"word/document.xml"_s, u"word/settings.xml"_s, u"word/styles.xml"_s}));
        for (auto part = m_parts.cbegin(); part != m_parts.cend(); ++part) {
            QString error;
            QVERIFY2(!parseXml(part.value(), &error).isNull(), qPrintable(part.key() + u": "_s + error));
        }
        QMap<QString, QString> types;
        for (const XmlNode &entry : parseXml(m_parts.value(u"[Content_Types].xml"_s)).children)
            types.insert(entry.attribute(u"PartName"_s) + entry.attribute(u"Extension"_s), entry.attribute(u"ContentType"_s));
        const QString office = u"application/vnd.openxmlformats-officedocument.wordprocessingml."_s;
        QCOMPARE(types, (QMap<QString, QString>{{u"rels"_s, u"application/vnd.openxmlformats-package.relationships+xml"_s},
                                                {u"xml"_s, u"application/xml"_s},
                                                {u"/word/document.xml"_s, office + u"document.main+xml"_s},
                                                {u"/word/styles.xml"_s, office + u"styles+xml"_s},
                                                {u"/word/settings.xml"_s, office + u"settings+xml"_s}}));
        const XmlNode rels = parseXml(m_parts.value(u"_rels/.rels"_s));
        QCOMPARE(rels.child(u"Relationship"_s).attribute(u"Target"_s), u"word/document.xml"_s);
        QVERIFY(rels.child(u"Relationship"_s).attribute(u"Type"_s).endsWith(u"/relationships/officeDocument"_s));

        // A4 with margins of 0.5 cm, 1.4 cm at the bottom.
        const XmlNode &section = m_document.child(u"w:body"_s).child(u"w:sectPr"_s);
        QCOMPARE(section.child(u"w:pgSz"_s).attributes, (QMap<QString, QString>{{u"w:w"_s, u"11906"_s}, {u"w:h"_s, u"16838"_s}}));
        const QMap<QString, QString> margins = section.child(u"w:pgMar"_s).attributes;
        QCOMPARE((QStringList{margins[u"w:top"_s], margins[u"w:right"_s], margins[u"w:bottom"_s], margins[u"w:left"_s]}),
                 (QStringList{u"283"_s, u"283"_s, u"794"_s, u"283"_s}));
    }

    // Places and sizes in whole points (12700 EMU each).
    void anchors_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QList<qint64>>("rectangle");
        QTest::newRow("1 title") << 1 << QList<qint64>{177800, 177800, 7200900, 355600};
        QTest::newRow("2 personal data") << 2 << QList<qint64>{177800, 571500, 7200900, 1549400};
        QTest::newRow("3 attributes") << 3 << QList<qint64>{177800, 2159000, 7200900, 469900};
        QTest::newRow("4 senses") << 4 << QList<qint64>{177800, 2628900, 7200900, 469900};
        QTest::newRow("5 points") << 5 << QList<qint64>{177800, 3098800, 7200900, 685800};
        QTest::newRow("6 skills") << 6 << QList<qint64>{177800, 3784600, 4902200, 4318000};
        QTest::newRow("7 equipment") << 7 << QList<qint64>{5143500, 3784600, 2235200, 5765800};
        QTest::newRow("8 weapons") << 8 << QList<qint64>{177800, 8166100, 4864100, 1727200};
        QTest::newRow("9 defence") << 9 << QList<qint64>{5143500, 9474200, 2235200, 431800};
    }
    void anchors()
    {
        QFETCH(int, box);
        QFETCH(QList<qint64>, rectangle);
        const XmlNode &anchor = *m_boxes.anchors[box - 1];
        QCOMPARE(anchor.child(u"wp:positionH"_s).attribute(u"relativeFrom"_s), u"page"_s);
        QCOMPARE(anchor.child(u"wp:positionV"_s).attribute(u"relativeFrom"_s), u"page"_s);
        const XmlNode &extent = anchor.child(u"wp:extent"_s);
        const QList<qint64> written{anchor.child(u"wp:positionH"_s).child(u"wp:posOffset"_s).text.toLongLong(),
                                    anchor.child(u"wp:positionV"_s).child(u"wp:posOffset"_s).text.toLongLong(),
                                    extent.attribute(u"cx"_s).toLongLong(), extent.attribute(u"cy"_s).toLongLong()};
        QCOMPARE(written, rectangle);
        QCOMPARE(anchor.child(u"wp:docPr"_s).attribute(u"id"_s), QString::number(box));

        // White, no border, no inner margins, fixed size.
        const XmlNode &shape = *anchor.descendants(u"wps:wsp"_s).first();
        const XmlNode &properties = shape.child(u"wps:spPr"_s);
        QCOMPARE(properties.child(u"a:xfrm"_s).child(u"a:ext"_s).attributes,
                 (QMap<QString, QString>{{u"cx"_s, extent.attribute(u"cx"_s)}, {u"cy"_s, extent.attribute(u"cy"_s)}}));
        QCOMPARE(properties.child(u"a:solidFill"_s).child(u"a:srgbClr"_s).attribute(u"val"_s), u"FFFFFF"_s);
        QVERIFY(!properties.child(u"a:ln"_s).child(u"a:noFill"_s).isNull());
        const XmlNode &body = shape.child(u"wps:bodyPr"_s);
        for (const QString &inset : {u"lIns"_s, u"tIns"_s, u"rIns"_s, u"bIns"_s})
            QCOMPARE(body.attribute(inset), u"0"_s);
        QVERIFY(!body.child(u"a:noAutofit"_s).isNull());
    }

    // Grid columns in twips; merged cells as "row:cell=span".
    void tables_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("grid");
        QTest::addColumn<QStringList>("merged");
        QList<int> points{1361};
        for (int c = 0; c < 16; ++c)
            points << 624;
        QTest::newRow("1 title") << 1 << 1 << QList<int>{5670, 5670} << QStringList{};
        QTest::newRow("2 personal data") << 2 << 8 << QList<int>{2041, 3628, 2041, 3628} << QStringList{u"6:1=3"_s, u"7:1=3"_s};
        QTest::newRow("3 attributes") << 3 << 2 << QList<int>(14, 810) << QStringList{};
        QTest::newRow("4 senses") << 4 << 2 << QList<int>{3175, 624, 3118, 624, 3175, 624} << QStringList{};
        QTest::newRow("5 points") << 5 << 3 << points << QStringList{u"2:2=15"_s};
        QTest::newRow("6 skills") << 6 << 23 << QList<int>{2211, 794, 794, 2211, 794, 794} << QStringList{};
        QTest::newRow("7 equipment") << 7 << 30 << QList<int>{3515} << QStringList{};
        QTest::newRow("8 weapons") << 8 << 9 << QList<int>{1417, 794, 794, 794, 1417, 794, 794, 794} << QStringList{};
        QTest::newRow("9 defence") << 9 << 2 << QList<int>{1928, 794, 794} << QStringList{};
    }
    void tables()
    {
        QFETCH(int, box);
        QFETCH(int, rows);
        QFETCH(QList<int>, grid);
        QFETCH(QStringList, merged);
        const XmlNode &table = *m_boxes.anchors[box - 1]->descendants(u"w:tbl"_s).first();
        QList<int> written;
        for (const XmlNode *column : table.child(u"w:tblGrid"_s).childrenNamed(u"w:gridCol"_s))
            written << column->attribute(u"w:w"_s).toInt();
        QCOMPARE(written, grid);
        QCOMPARE(table.child(u"w:tblPr"_s).child(u"w:tblLayout"_s).attribute(u"w:type"_s), u"fixed"_s);
        for (const XmlNode *margin : table.child(u"w:tblPr"_s).child(u"w:tblCellMar"_s).childrenNamed(u"w:left"_s))
            QCOMPARE(margin->attribute(u"w:w"_s), u"0"_s);

        const auto &cells = m_boxes.cells[box - 1];
        QCOMPARE(cells.size(), rows);
        QStringList spans;
        const QList<const XmlNode *> tableRows = table.childrenNamed(u"w:tr"_s);
        for (int r = 0; r < rows; ++r) {
            // Half a centimetre, exactly, text centred; the title row grows with its font.
            const XmlNode &height = tableRows[r]->child(u"w:trPr"_s).child(u"w:trHeight"_s);
            QCOMPARE(height.attribute(u"w:val"_s), box == 1 ? QString() : u"283"_s);
            QCOMPARE(height.attribute(u"w:hRule"_s), box == 1 ? QString() : u"exact"_s);
            int column = 0;
            for (int c = 0; c < cells[r].size(); ++c) {
                const XmlNode &properties = cells[r][c]->child(u"w:tcPr"_s);
                const int span = qMax(1, properties.child(u"w:gridSpan"_s).attribute(u"w:val"_s).toInt());
                if (span > 1)
                    spans << u"%1:%2=%3"_s.arg(r).arg(c).arg(span);
                int width = 0;
                for (int k = column; k < column + span && k < grid.size(); ++k)
                    width += grid[k];
                QCOMPARE(properties.child(u"w:tcW"_s).attribute(u"w:w"_s).toInt(), width);
                QCOMPARE(properties.child(u"w:vAlign"_s).attribute(u"w:val"_s), box == 1 ? QString() : u"center"_s);
                column += span;
            }
            QCOMPARE(column, grid.size());
        }
        QCOMPARE(spans, merged);
    }

    // A cell as "K" caption, "W" value or "A" equipment line with its index.
    void cellTexts_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("text");
        const auto row = [](int box, int row, int cell, const QString &text) {
            QTest::addRow("box %d row %d cell %d", box, row, cell) << box << row << cell << text;
        };
        row(1, 0, 0, captionText(0));
        row(1, 0, 1, captionText(1));
        row(2, 0, 0, captionText(2));
        row(2, 5, 3, valueText(11));
        row(2, 6, 1, valueText(12));
        row(3, 0, 0, captionText(21));
        row(3, 0, 13, captionText(29));
        row(3, 1, 0, valueText(14));
        row(4, 1, 2, captionText(80));
        row(4, 1, 5, valueText(33));
        row(5, 2, 0, captionText(32));
        row(5, 2, 1, valueText(36));
        row(6, 0, 0, captionText(33));
        row(6, 22, 3, captionText(78));
        row(6, 22, 4, valueText(127));
        row(7, 0, 0, captionText(84));
        row(7, 29, 0, equipmentText(28));
        row(8, 8, 4, valueText(189));
        row(8, 8, 7, valueText(192));
        row(9, 1, 2, valueText(196));
    }
    void cellTexts()
    {
        QFETCH(int, box);
        QFETCH(int, row);
        QFETCH(int, cell);
        QFETCH(QString, text);
        QCOMPARE(m_boxes.cells[box - 1][row][cell]->wordText(), text);
    }

    // Each caption, value and equipment line once, the overflow line never, no line breaks.
    void everyTextOnce()
    {
        QMap<QString, int> seen;
        for (const auto &rows : m_boxes.cells) {
            for (const auto &row : rows) {
                for (const XmlNode *cell : row) {
                    QVERIFY(cell->descendants(u"w:br"_s).isEmpty());
                    QCOMPARE(cell->childrenNamed(u"w:p"_s).size(), 1);
                    if (!cell->wordText().isEmpty())
                        ++seen[cell->wordText()];
                }
            }
        }
        QMap<QString, int> expected;
        for (int i = 0; i < CharacterSheet::captionCount; ++i)
            expected[captionText(i)] = 1;
        for (int i = 0; i < CharacterSheet::valueCount; ++i)
            expected[valueText(i)] = 1;
        for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line)
            expected[equipmentText(line)] = 1;
        QCOMPARE(seen, expected);
        QVERIFY(m_parts.value(u"word/document.xml"_s).contains("K1 Gr\xc3\xb6\xc3\x9f" "e &amp; &lt;"));
    }

    void classRightAligned()
    {
        const auto &title = m_boxes.cells[0][0];
        QCOMPARE(title[0]->child(u"w:p"_s).child(u"w:pPr"_s).child(u"w:jc"_s).attribute(u"w:val"_s), QString());
        QCOMPARE(title[1]->child(u"w:p"_s).child(u"w:pPr"_s).child(u"w:jc"_s).attribute(u"w:val"_s), u"right"_s);
    }

    // Every run in its section's font: the title, the captions, the values.
    void fontsOfRuns()
    {
        struct Expected
        {
            QString name;
            QString halfPoints;
            bool bold, italic;
            QString underline;
        };
        const Expected headline{u"Arial"_s, u"36"_s, true, false, {}};
        const Expected labels{u"Courier New"_s, u"18"_s, false, true, {}};
        const Expected values{u"Times New Roman"_s, u"16"_s, false, false, u"single"_s};
        int runs = 0;
        for (int box = 0; box < 9; ++box) {
            for (const XmlNode *run : m_boxes.anchors[box]->descendants(u"w:r"_s)) {
                const QString text = run->wordText();
                const Expected &font = box == 0 ? headline : text.startsWith(u'K') ? labels : values;
                const XmlNode &properties = run->child(u"w:rPr"_s);
                for (const QString &slot : {u"w:ascii"_s, u"w:hAnsi"_s, u"w:cs"_s, u"w:eastAsia"_s})
                    QCOMPARE(properties.child(u"w:rFonts"_s).attribute(slot), font.name);
                QCOMPARE(properties.child(u"w:sz"_s).attribute(u"w:val"_s), font.halfPoints);
                QCOMPARE(!properties.child(u"w:b"_s).isNull(), font.bold);
                QCOMPARE(!properties.child(u"w:i"_s).isNull(), font.italic);
                QCOMPARE(properties.child(u"w:u"_s).attribute(u"w:val"_s), font.underline);
                ++runs;
            }
        }
        QCOMPARE(runs, CharacterSheet::captionCount + CharacterSheet::valueCount + CharacterSheet::equipmentLineCount);
    }

    void progressInTenths()
    {
        QCOMPARE(m_progress, (QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    }

    void textsXmlForbids_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        QTest::newRow("control characters") << u"a\u0001b\u001Fc\u007Fd\uFFFEe"_s << u"abc\u007Fde"_s;
        QTest::newRow("lone surrogates") << (u"p"_s + QChar(0xD800) + u"q"_s + QChar(0xDC00)) << u"pq"_s;
        QTest::newRow("a pair is one character") << u"Würfel 🎲"_s << u"Würfel 🎲"_s;
        QTest::newRow("line breaks and tabs") << u"a\r\nb\tc"_s << u"a  b c"_s;
    }
    void textsXmlForbids()
    {
        QFETCH(QString, text);
        QFETCH(QString, written);
        QCOMPARE(DocxDocument::cellText(text), written);
    }

    void fontFromSettings_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QList<Stored>>("stored");
        QTest::addColumn<DocxFont>("font");
        const DocxFont serif8{u"Times New Roman"_s, 8};
        const auto font = [](const QString &name, int points, bool bold = false, bool italic = false, bool underline = false) {
            return DocxFont{name, points, bold, italic, underline};
        };
        QTest::newRow("headline, nothing stored") << u"Headline"_s << QList<Stored>{} << font(u"Times New Roman"_s, 18);
        QTest::newRow("labels, nothing stored") << u"Labels"_s << QList<Stored>{} << serif8;
        QTest::newRow("size 0 in any case of the name")
            << u"HEADLINE"_s << QList<Stored>{{u"Headline"_s, u"Size"_s, u"0"_s}} << font(u"Times New Roman"_s, 18);
        QTest::newRow("size no number") << u"Values"_s << QList<Stored>{{u"Values"_s, u"Size"_s, u"gross"_s}} << serif8;
        QTest::newRow("size cut to whole points")
            << u"Values"_s << QList<Stored>{{u"Values"_s, u"Size"_s, u"12,75"_s}} << font(u"Times New Roman"_s, 12);
        QTest::newRow("size beyond any word processor")
            << u"Values"_s << QList<Stored>{{u"Values"_s, u"Size"_s, u"99999"_s}} << font(u"Times New Roman"_s, 1638);
        QTest::newRow("empty name") << u"Labels"_s << QList<Stored>{{u"Labels"_s, u"Name"_s, u" "_s}} << serif8;
        QTest::newRow("styles as words")
            << u"Labels"_s
            << QList<Stored>{{u"Labels"_s, u"Name"_s, u"Arial"_s}, {u"Labels"_s, u"Bold"_s, u"True"_s},
                             {u"Labels"_s, u"Italic"_s, u"Falsch"_s}, {u"Labels"_s, u"Underline"_s, u"-1"_s}}
            << font(u"Arial"_s, 8, true, false, true);
    }
    void fontFromSettings()
    {
        QFETCH(QString, section);
        QFETCH(QList<Stored>, stored);
        QFETCH(DocxFont, font);
        QTemporaryDir folder;
        SettingsStore settings(folder.filePath(u"fonts.ini"_s));
        for (const Stored &entry : stored)
            settings.write(entry.section, entry.key, entry.value);
        const DocxFont read = docxFontFromSettings(settings, section);
        QVERIFY2(read == font, qPrintable(u"%1 %2 pt %3%4%5"_s.arg(read.name).arg(read.points).arg(read.bold).arg(read.italic)
                                              .arg(read.underline)));
    }

    // A failed export leaves the folder as it was and says why in German.
    void writeFailures_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no name") << QString() << u"kein Dateiname"_s;
        QTest::newRow("a folder stands there") << u"Ordner"_s << u"An dieser Stelle steht ein Ordner."_s;
        QTest::newRow("folder missing") << u"fehlt/Held.docx"_s << u"Den Ordner »"_s;
        QTest::newRow("folder is a file") << u"datei.txt/Held.docx"_s << u"Den Ordner »"_s;
    }
    void writeFailures()
    {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(u"Ordner"_s));
        QFile plain(folder.filePath(u"datei.txt"_s));
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("alt") == 3);
        plain.close();
        const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

        QString error;
        const QString where = target.isEmpty() ? QString() : folder.filePath(target);
        QVERIFY(!exportSheetDocx(fullSheet(), *m_settings, where, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        if (!target.isEmpty())
            QVERIFY2(error.startsWith(u"Das Word-Dokument »%1« ließ sich nicht schreiben."_s.arg(where)), qPrintable(error));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
        QVERIFY(QFileInfo(folder.filePath(u"Ordner"_s)).isDir());
        QCOMPARE(QDir(folder.filePath(u"Ordner"_s)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    // The whole export of a full character, in process.
    void benchmark()
    {
        const CharacterSheet sheet = fullSheet();
        const QString target = path(u"bench.docx"_s);
        constexpr int runs = 50;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < runs; ++i)
            QVERIFY(exportSheetDocx(sheet, *m_settings, target));
        const double each = double(timer.nsecsElapsed()) / runs / 1e6;
        qInfo("One export of a full character: %.2f ms (mean of %d)", each, runs);
        QVERIFY2(each < 50, qPrintable(u"%1 ms"_s.arg(each)));
    }
};

QTEST_GUILESS_MAIN(TestDocx)
#include "tst_docx.moc"
