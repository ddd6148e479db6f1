#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// A PDF read back with poppler's tools: its words with their boxes and the
// page size (points, y from the top), its fonts, a page as a picture.
struct PdfPage
{
    struct Word
    {
        QString text;
        QRectF box;
    };
    QSizeF size;
    QList<Word> words;

    // The box of the one word of that text; an empty box when there is none or more.
    QRectF box(const QString &text) const;
    QStringList texts() const;
};

PdfPage readPdf(const QString &path);
// The names pdffonts lists, subset prefixes left out ("LiberationSans-Bold").
QStringList pdfFonts(const QString &path);
// The first page as a picture at the given dots per inch.
QImage renderPdf(const QString &path, int dpi);
