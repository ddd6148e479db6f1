#include "pdfreading.h"

#include <QProcess>
#include <QTemporaryDir>
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

QImage renderPdf(const QString &path, int dpi)
{
    QTemporaryDir folder;
    run(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, QString::number(dpi), u"-singlefile"_s, path, folder.filePath(u"page"_s)});
    return QImage(folder.filePath(u"page.png"_s));
}
