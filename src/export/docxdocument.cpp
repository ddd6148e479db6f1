#include "export/docxdocument.h"

#include "export/docxfonts.h"
#include "export/docxlayout.h"
#include "sheet/charactersheet.h"

#include <QXmlStreamWriter>

#include <cmath>
#include <numeric>

namespace Tarvosk::DocxDocument {

using namespace Qt::StringLiterals;

namespace {

const QString W = u"http://schemas.openxmlformats.org/wordprocessingml/2006/main"_s;
const QString WP = u"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"_s;
const QString A = u"http://schemas.openxmlformats.org/drawingml/2006/main"_s;
const QString WPS = u"http://schemas.microsoft.com/office/word/2010/wordprocessingShape"_s;

constexpr qint64 emuPerPoint = 12700;
constexpr double pointsPerCentimetre = 72 / 2.54;
// Word numbers the stacking order of its shapes upwards from here.
constexpr qint64 firstRelativeHeight = 251659264;

using DocxLayout::Box;
using DocxLayout::Cell;

// A box's place and size: centimetres to whole points, then EMU.
qint64 boxEmu(double centimetres)
{
    // nearbyint rounds halves to even in the default rounding mode.
    return qint64(std::nearbyint(centimetres * pointsPerCentimetre)) * emuPerPoint;
}

int twips(double centimetres)
{
    return int(std::lround(centimetres * 1440 / 2.54));
}

class PageWriter
{
public:
    PageWriter(QByteArray *out, const CharacterSheet &sheet, const DocxFonts &fonts)
        : m_xml(out), m_sheet(sheet), m_fonts(fonts)
    {
    }

    void startDocument()
    {
        m_xml.writeStartDocument(u"1.0"_s, true);
        m_xml.writeNamespace(W, u"w"_s);
        m_xml.writeNamespace(WP, u"wp"_s);
        m_xml.writeNamespace(A, u"a"_s);
        m_xml.writeNamespace(WPS, u"wps"_s);
        m_xml.writeStartElement(W, u"document"_s);
        m_xml.writeStartElement(W, u"body"_s);
        // One paragraph carries every box; it takes no room of its own.
        m_xml.writeStartElement(W, u"p"_s);
        writeTinyParagraphProperties();
    }

    void writeBox(int number, const Box &box)
    {
        const QString width = QString::number(boxEmu(box.width));
        const QString height = QString::number(boxEmu(box.height));
        m_xml.writeStartElement(W, u"r"_s);
        m_xml.writeStartElement(W, u"drawing"_s);
        m_xml.writeStartElement(WP, u"anchor"_s);
        writeAttributes({{u"distT"_s, u"0"_s}, {u"distB"_s, u"0"_s}, {u"distL"_s, u"0"_s}, {u"distR"_s, u"0"_s},
                         {u"simplePos"_s, u"0"_s}, {u"relativeHeight"_s, QString::number(firstRelativeHeight + number)},
                         {u"behindDoc"_s, u"0"_s}, {u"locked"_s, u"0"_s}, {u"layoutInCell"_s, u"1"_s},
                         {u"allowOverlap"_s, u"1"_s}});
        emptyElement(WP, u"simplePos"_s, {{u"x"_s, u"0"_s}, {u"y"_s, u"0"_s}});
        writePosition(u"positionH"_s, box.left);
        writePosition(u"positionV"_s, box.top);
        emptyElement(WP, u"extent"_s, {{u"cx"_s, width}, {u"cy"_s, height}});
        emptyElement(WP, u"effectExtent"_s, {{u"l"_s, u"0"_s}, {u"t"_s, u"0"_s}, {u"r"_s, u"0"_s}, {u"b"_s, u"0"_s}});
        emptyElement(WP, u"wrapNone"_s, {});
        // Word has been seen to call a document unreadable when drawings share an id.
        emptyElement(WP, u"docPr"_s, {{u"id"_s, QString::number(number)}, {u"name"_s, u"Text Box %1"_s.arg(number)}});
        emptyElement(WP, u"cNvGraphicFramePr"_s, {});
        m_xml.writeStartElement(A, u"graphic"_s);
        m_xml.writeStartElement(A, u"graphicData"_s);
        m_xml.writeAttribute(u"uri"_s, WPS);
        m_xml.writeStartElement(WPS, u"wsp"_s);
        emptyElement(WPS, u"cNvSpPr"_s, {{u"txBox"_s, u"1"_s}});
        writeShapeProperties(width, height);
        m_xml.writeStartElement(WPS, u"txbx"_s);
        m_xml.writeStartElement(W, u"txbxContent"_s);
        writeTable(box);
        // A text box ends with a paragraph, made tiny so it takes no room.
        m_xml.writeStartElement(W, u"p"_s);
        writeTinyParagraphProperties();
        m_xml.writeEndElement(); // p
        m_xml.writeEndElement(); // txbxContent
        m_xml.writeEndElement(); // txbx
        // No inner margins; the box keeps its size and clips what does not fit.
        m_xml.writeStartElement(WPS, u"bodyPr"_s);
        writeAttributes({{u"rot"_s, u"0"_s}, {u"vert"_s, u"horz"_s}, {u"wrap"_s, u"square"_s}, {u"lIns"_s, u"0"_s},
                         {u"tIns"_s, u"0"_s}, {u"rIns"_s, u"0"_s}, {u"bIns"_s, u"0"_s}, {u"anchor"_s, u"t"_s}});
        emptyElement(A, u"noAutofit"_s, {});
        m_xml.writeEndElement(); // bodyPr
        m_xml.writeEndElement(); // wsp
        m_xml.writeEndElement(); // graphicData
        m_xml.writeEndElement(); // graphic
        m_xml.writeEndElement(); // anchor
        m_xml.writeEndElement(); // drawing
        m_xml.writeEndElement(); // r
    }

    void endDocument()
    {
        m_xml.writeEndElement(); // p
        m_xml.writeStartElement(W, u"sectPr"_s);
        emptyW(u"pgSz"_s, {{u"w"_s, twips(DocxLayout::pageWidth)}, {u"h"_s, twips(DocxLayout::pageHeight)}});
        emptyW(u"pgMar"_s, {{u"top"_s, twips(DocxLayout::marginTop)},
                            {u"right"_s, twips(DocxLayout::marginRight)},
                            {u"bottom"_s, twips(DocxLayout::marginBottom)},
                            {u"left"_s, twips(DocxLayout::marginLeft)},
                            {u"header"_s, twips(DocxLayout::headerDistance)},
                            {u"footer"_s, twips(DocxLayout::footerDistance)},
                            {u"gutter"_s, 0}});
        m_xml.writeEndElement(); // sectPr
        m_xml.writeEndElement(); // body
        m_xml.writeEndElement(); // document
        m_xml.writeEndDocument();
    }

private:
    using Attributes = std::initializer_list<std::pair<QString, QString>>;

    void writeAttributes(Attributes attributes)
    {
        for (const auto &[key, value] : attributes)
            m_xml.writeAttribute(key, value);
    }

    void emptyElement(const QString &ns, const QString &name, Attributes attributes)
    {
        m_xml.writeEmptyElement(ns, name);
        writeAttributes(attributes);
    }

    // An element of the w: vocabulary, whose attributes are qualified too.
    void emptyW(const QString &name, std::initializer_list<std::pair<QString, qint64>> attributes)
    {
        m_xml.writeEmptyElement(W, name);
        for (const auto &[key, value] : attributes)
            m_xml.writeAttribute(W, key, QString::number(value));
    }

    void emptyW(const QString &name, const QString &value)
    {
        m_xml.writeEmptyElement(W, name);
        m_xml.writeAttribute(W, u"val"_s, value);
    }

    void writePosition(const QString &element, double centimetres)
    {
        m_xml.writeStartElement(WP, element);
        m_xml.writeAttribute(u"relativeFrom"_s, u"page"_s);
        m_xml.writeTextElement(WP, u"posOffset"_s, QString::number(boxEmu(centimetres)));
        m_xml.writeEndElement();
    }

    void writeShapeProperties(const QString &width, const QString &height)
    {
        m_xml.writeStartElement(WPS, u"spPr"_s);
        m_xml.writeStartElement(A, u"xfrm"_s);
        emptyElement(A, u"off"_s, {{u"x"_s, u"0"_s}, {u"y"_s, u"0"_s}});
        emptyElement(A, u"ext"_s, {{u"cx"_s, width}, {u"cy"_s, height}});
        m_xml.writeEndElement(); // xfrm
        m_xml.writeStartElement(A, u"prstGeom"_s);
        m_xml.writeAttribute(u"prst"_s, u"rect"_s);
        emptyElement(A, u"avLst"_s, {});
        m_xml.writeEndElement(); // prstGeom
        m_xml.writeStartElement(A, u"solidFill"_s);
        emptyElement(A, u"srgbClr"_s, {{u"val"_s, u"FFFFFF"_s}});
        m_xml.writeEndElement(); // solidFill
        m_xml.writeStartElement(A, u"ln"_s);
        emptyElement(A, u"noFill"_s, {});
        m_xml.writeEndElement(); // ln
        m_xml.writeEndElement(); // spPr
    }

    void writeTinyParagraphProperties()
    {
        m_xml.writeStartElement(W, u"pPr"_s);
        m_xml.writeEmptyElement(W, u"spacing"_s);
        m_xml.writeAttribute(W, u"before"_s, u"0"_s);
        m_xml.writeAttribute(W, u"after"_s, u"0"_s);
        m_xml.writeAttribute(W, u"line"_s, u"20"_s);
        m_xml.writeAttribute(W, u"lineRule"_s, u"exact"_s);
        m_xml.writeStartElement(W, u"rPr"_s);
        emptyW(u"sz"_s, u"2"_s);
        emptyW(u"szCs"_s, u"2"_s);
        m_xml.writeEndElement(); // rPr
        m_xml.writeEndElement(); // pPr
    }

    static QList<int> gridOf(const Box &box)
    {
        QList<int> grid;
        if (!box.columnWidths.isEmpty()) {
            for (double width : box.columnWidths)
                grid.append(twips(width));
            return grid;
        }
        // Equal columns share the box's whole width, the odd twips going to the first.
        const int total = int(boxEmu(box.width) / emuPerPoint * 20);
        for (int c = 0; c < box.columnCount; ++c)
            grid.append(total / box.columnCount + (c < total % box.columnCount ? 1 : 0));
        return grid;
    }

    void writeTable(const Box &box)
    {
        const QList<int> grid = gridOf(box);
        m_xml.writeStartElement(W, u"tbl"_s);
        m_xml.writeStartElement(W, u"tblPr"_s);
        emptyW(u"tblW"_s, {{u"w"_s, std::accumulate(grid.begin(), grid.end(), 0)}});
        m_xml.writeAttribute(W, u"type"_s, u"dxa"_s);
        emptyW(u"tblInd"_s, {{u"w"_s, 0}});
        m_xml.writeAttribute(W, u"type"_s, u"dxa"_s);
        m_xml.writeEmptyElement(W, u"tblLayout"_s);
        m_xml.writeAttribute(W, u"type"_s, u"fixed"_s);
        // Without zero margins the word processor moves every text inwards.
        m_xml.writeStartElement(W, u"tblCellMar"_s);
        for (const QString &side : {u"top"_s, u"left"_s, u"bottom"_s, u"right"_s}) {
            emptyW(side, {{u"w"_s, 0}});
            m_xml.writeAttribute(W, u"type"_s, u"dxa"_s);
        }
        m_xml.writeEndElement(); // tblCellMar
        m_xml.writeEndElement(); // tblPr
        m_xml.writeStartElement(W, u"tblGrid"_s);
        for (int width : grid)
            emptyW(u"gridCol"_s, {{u"w"_s, width}});
        m_xml.writeEndElement(); // tblGrid

        for (const QList<Cell> &row : box.rows) {
            m_xml.writeStartElement(W, u"tr"_s);
            if (box.rowHeight > 0) {
                m_xml.writeStartElement(W, u"trPr"_s);
                emptyW(u"trHeight"_s, {{u"val"_s, twips(box.rowHeight)}});
                m_xml.writeAttribute(W, u"hRule"_s, u"exact"_s);
                m_xml.writeEndElement();
            }
            qsizetype column = 0;
            for (const Cell &cell : row) {
                const int width = std::accumulate(grid.begin() + column, grid.begin() + column + cell.span, 0);
                writeCell(box, cell, width);
                column += cell.span;
            }
            m_xml.writeEndElement(); // tr
        }
        m_xml.writeEndElement(); // tbl
    }

    void writeCell(const Box &box, const Cell &cell, int width)
    {
        const DocxFont &font = box.headline ? m_fonts.headline
                               : cell.source == Cell::Source::Caption ? m_fonts.labels
                                                                      : m_fonts.values;
        m_xml.writeStartElement(W, u"tc"_s);
        m_xml.writeStartElement(W, u"tcPr"_s);
        emptyW(u"tcW"_s, {{u"w"_s, width}});
        m_xml.writeAttribute(W, u"type"_s, u"dxa"_s);
        if (cell.span > 1)
            emptyW(u"gridSpan"_s, QString::number(cell.span));
        if (box.rowHeight > 0)
            emptyW(u"vAlign"_s, u"center"_s);
        m_xml.writeEndElement(); // tcPr

        m_xml.writeStartElement(W, u"p"_s);
        m_xml.writeStartElement(W, u"pPr"_s);
        if (cell.alignRight)
            emptyW(u"jc"_s, u"right"_s);
        writeRunProperties(font); // the paragraph mark's, so an empty cell is as high as a filled one
        m_xml.writeEndElement(); // pPr
        const QString text = cellText(textOf(cell));
        if (!text.isEmpty()) {
            m_xml.writeStartElement(W, u"r"_s);
            writeRunProperties(font);
            m_xml.writeStartElement(W, u"t"_s);
            m_xml.writeAttribute(u"xml:space"_s, u"preserve"_s);
            m_xml.writeCharacters(text);
            m_xml.writeEndElement(); // t
            m_xml.writeEndElement(); // r
        }
        m_xml.writeEndElement(); // p
        m_xml.writeEndElement(); // tc
    }

    void writeRunProperties(const DocxFont &font)
    {
        const QString name = cellText(font.name);
        m_xml.writeStartElement(W, u"rPr"_s);
        m_xml.writeEmptyElement(W, u"rFonts"_s);
        // Word takes hAnsi for text beyond ASCII, so every slot names the font.
        for (const QString &slot : {u"ascii"_s, u"hAnsi"_s, u"cs"_s, u"eastAsia"_s})
            m_xml.writeAttribute(W, slot, name);
        if (font.bold)
            m_xml.writeEmptyElement(W, u"b"_s);
        if (font.italic)
            m_xml.writeEmptyElement(W, u"i"_s);
        const QString halfPoints = QString::number(font.points * 2);
        emptyW(u"sz"_s, halfPoints);
        emptyW(u"szCs"_s, halfPoints);
        if (font.underline)
            emptyW(u"u"_s, u"single"_s);
        m_xml.writeEndElement(); // rPr
    }

    const QString &textOf(const Cell &cell) const
    {
        static const QString nothing;
        switch (cell.source) {
        case Cell::Source::Caption:
            return m_sheet.caption(cell.index);
        case Cell::Source::Value:
            return m_sheet.value(cell.index);
        case Cell::Source::EquipmentLine:
            return m_sheet.equipmentLine(cell.index);
        case Cell::Source::Nothing:
            break;
        }
        return nothing;
    }

    QXmlStreamWriter m_xml;
    const CharacterSheet &m_sheet;
    const DocxFonts &m_fonts;
};

} // namespace

QByteArray xml(const CharacterSheet &sheet, const DocxFonts &fonts, const Progress &progress)
{
    const auto report = [&](int percent) {
        if (progress)
            progress(percent);
    };
    QByteArray out;
    out.reserve(512 * 1024);
    PageWriter page(&out, sheet, fonts);
    page.startDocument();
    report(10);
    const auto &boxes = DocxLayout::boxes();
    for (int b = 0; b < DocxLayout::boxCount; ++b) {
        page.writeBox(b + 1, boxes[size_t(b)]);
        report(20 + 10 * b);
    }
    page.endDocument();
    return out;
}

QString cellText(QStringView text)
{
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\t' || c == u'\n' || c == u'\r') {
            clean.append(u' ');
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            clean.append(c);
            clean.append(text[++i]);
        } else if (c.unicode() >= 0x20 && !c.isSurrogate() && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF) {
            clean.append(c);
        }
    }
    return clean;
}

} // namespace Tarvosk::DocxDocument
