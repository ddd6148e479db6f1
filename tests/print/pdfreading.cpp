#include "pdfreading.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

QByteArray run(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(20000);
    return process.readAllStandardOutput();
}

} // namespace

QRectF PdfPage::box(const QString &text) const
{
    QList<QRectF> found;
    for (const Word &word : words) {
        if (word.text == text)
            found << word.box;
    }
    return found.size() == 1 ? found.first() : QRectF();
}

QStringList PdfPage::texts() const
{
    QStringList texts;
    for (const Word &word : words)
        texts << word.text;
    return texts;
}

PdfPage readPdf(const QString &path)
{
    PdfPage page;
    QXmlStreamReader xml(run(u"pdftotext"_s, {u"-bbox"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, path, u"-"_s}));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes at = xml.attributes();
        const auto number = [&](const char *name) { return at.value(QLatin1StringView(name)).toDouble(); };
        if (xml.name() == u"page") {
            page.size = QSizeF(number("width"), number("height"));
        } else if (xml.name() == u"word") {
            const QPointF topLeft(number("xMin"), number("yMin"));
            const QPointF bottomRight(number("xMax"), number("yMax"));
            page.words.append({xml.readElementText(), QRectF(topLeft, bottomRight)});
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
