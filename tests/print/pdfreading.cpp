#include "pdfreading.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTransform>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

static QByteArray run(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(20000);
    return process.readAllStandardOutput();
}

PdfPage readPdf(const QString &path)
{
    PdfPage page;
    QXmlStreamReader xml(run(u"pdftotext"_s, {u"-bbox"_s, path, u"-"_s}));
    const auto number = [&xml](const char *name) { return xml.attributes().value(QLatin1StringView(name)).toDouble(); };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"page") {
            ++page.pages;
            page.size = QSizeF(number("width"), number("height"));
        } else if (xml.name() == u"word") {
            page.boxes << QRectF(QPointF(number("xMin"), number("yMin")), QPointF(number("xMax"), number("yMax")));
            page.texts << xml.readElementText();
        }
    }
    return page;
}

QStringList pdfFonts(const QString &path)
{
    const QStringList lines = QString::fromUtf8(run(u"pdffonts"_s, {path})).split(u'\n', Qt::SkipEmptyParts);
    QStringList names;
    for (const QString &line : lines.mid(2))
        names << line.section(u' ', 0, 0).section(u'+', -1);
    return names;
}

// The page's content stream, inflated: the object its /Contents names.
static QByteArray pageContent(const QByteArray &pdf)
{
    const auto contents = QRegularExpression(u"/Contents (\\d+) 0 R"_s).match(QString::fromLatin1(pdf));
    const qsizetype object = pdf.indexOf(contents.captured(1).toLatin1() + " 0 obj");
    const qsizetype start = pdf.indexOf("stream", object) + 6;
    const qsizetype body = start + (pdf.at(start) == '\r' ? 2 : 1);
    const QByteArray deflated = pdf.mid(body, pdf.indexOf("endstream", body) - body);
    QByteArray sized(4, '\0');
    const quint32 hint = quint32(deflated.size()) * 40;
    for (int i = 0; i < 4; ++i)
        sized[i] = char(hint >> (24 - 8 * i));
    return qUncompress(sized + deflated);
}

PdfDrawing readPdfDrawing(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pdf = file.readAll();
    const QByteArray content = pageContent(pdf);
    const auto mediaBox = QRegularExpression(u"/MediaBox \\[0 0 [\\d.]+ ([\\d.]+)\\]"_s).match(QString::fromLatin1(pdf));
    // PDF space has y upwards; this one has it downwards, as pdftotext's.
    const QTransform toTop(1, 0, 0, -1, 0, mediaBox.captured(1).toDouble());

    PdfDrawing drawing;
    QList<QTransform> saved;
    QTransform ctm;
    QList<double> operands;
    QList<QRectF> subpaths;
    for (const QByteArray &token : content.simplified().split(' ')) {
        bool number = false;
        const double value = token.toDouble(&number);
        if (number) {
            operands << value;
            continue;
        }
        const auto operand = [&operands](int i) { return operands.value(operands.size() - 6 + i); };
        if (token == "q") {
            saved << ctm;
        } else if (token == "Q" && !saved.isEmpty()) {
            ctm = saved.takeLast();
        } else if (token == "cm" && operands.size() >= 6) {
            ctm = QTransform(operand(0), operand(1), operand(2), operand(3), operand(4), operand(5)) * ctm;
        } else if (token == "re" && operands.size() >= 4) {
            const qsizetype n = operands.size();
            subpaths << QRectF(operands[n - 4], operands[n - 3], operands[n - 2], operands[n - 1]);
        } else if (token == "f" || token == "f*") {
            for (const QRectF &rect : std::as_const(subpaths))
                drawing.filledRects << (ctm * toTop).mapRect(rect);
        } else if (token == "Tf" && !operands.isEmpty()) {
            drawing.textSizes << operands.last() * std::sqrt(std::abs(ctm.determinant()));
        } else if (token == "W" || token == "W*") {
            drawing.clips = true;
        }
        if (token == "f" || token == "f*" || token == "n" || token == "S" || token == "B")
            subpaths.clear();
        if (!token.startsWith('/') && !token.startsWith('<') && !token.startsWith('['))
            operands.clear();
    }
    return drawing;
}
