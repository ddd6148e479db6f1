#pragma once

#include <QRectF>
#include <QStringList>

// A PDF read back with poppler's tools: its words with their boxes (points, y from
// the top of their page), its pages and its fonts.
struct PdfPage
{
    int pages = 0;
    QSizeF size; // of the last page
    QStringList texts;
    QList<QRectF> boxes;

    // The box of the one word of that text; an empty box when there is none or more.
    QRectF box(const QString &text) const { return texts.count(text) == 1 ? boxes[texts.indexOf(text)] : QRectF(); }
};

PdfPage readPdf(const QString &path);
// The names pdffonts lists, subset prefixes left out ("LiberationSans-Bold").
QStringList pdfFonts(const QString &path);

// What the first page's content stream draws, in points (y from the top of
// the page): the size of each text as printed (its font size under the
// transforms in force), the filled rectangles, and whether any clip is set.
struct PdfDrawing
{
    QList<qreal> textSizes;
    QList<QRectF> filledRects;
    bool clips = false;
};
PdfDrawing readPdfDrawing(const QString &path);
