#include "docxreading.h"

#include <QFile>

#include <zip.h>

using namespace Qt::StringLiterals;

QMap<QString, QByteArray> readPackage(const QString &path)
{
    QMap<QString, QByteArray> parts;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, nullptr);
    for (zip_uint64_t i = 0; archive && i < zip_uint64_t(zip_get_num_entries(archive, 0)); ++i) {
        zip_stat_t stat;
        zip_file_t *file = zip_stat_index(archive, i, 0, &stat) == 0 ? zip_fopen_index(archive, i, 0) : nullptr;
        QByteArray data(file ? qsizetype(stat.size) : 0, Qt::Uninitialized);
        // Read on to the end, where libzip checks the entry's CRC: a part that fails it is left out.
        char beyond;
        if (file && zip_fread(file, data.data(), stat.size) == zip_int64_t(stat.size) && zip_fread(file, &beyond, 1) == 0)
            parts.insert(QString::fromUtf8(stat.name), data);
        if (file)
            zip_fclose(file);
    }
    if (archive)
        zip_discard(archive);
    return parts;
}

QDomDocument parseXml(const QByteArray &xml, QString *error)
{
    QDomDocument document;
    return document.setContent(xml, error) ? document : QDomDocument();
}

QList<QDomElement> all(const QDomNode &parent, const QString &name)
{
    const QDomNodeList nodes = parent.isDocument() ? parent.toDocument().elementsByTagName(name)
                                                   : parent.toElement().elementsByTagName(name);
    QList<QDomElement> elements;
    for (int i = 0; i < nodes.size(); ++i)
        elements << nodes.at(i).toElement();
    return elements;
}

QList<QList<QList<QDomElement>>> cellsOf(const QDomDocument &document)
{
    QList<QList<QList<QDomElement>>> boxes;
    for (const QDomElement &anchor : all(document, u"wp:anchor"_s)) {
        QList<QList<QDomElement>> rows;
        for (const QDomElement &row : all(anchor, u"w:tr"_s))
            rows << all(row, u"w:tc"_s);
        boxes << rows;
    }
    return boxes;
}
