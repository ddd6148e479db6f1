#include "docxreading.h"

#include <QXmlStreamReader>

#include <zip.h>

using namespace Qt::StringLiterals;

const XmlNode &XmlNode::child(const QString &childName) const
{
    static const XmlNode none;
    for (const XmlNode &node : children) {
        if (node.name == childName)
            return node;
    }
    return none;
}

QList<const XmlNode *> XmlNode::childrenNamed(const QString &childName) const
{
    QList<const XmlNode *> found;
    for (const XmlNode &node : children) {
        if (node.name == childName)
            found.append(&node);
    }
    return found;
}

QList<const XmlNode *> XmlNode::descendants(const QString &descendantName) const
{
    QList<const XmlNode *> found;
    for (const XmlNode &node : children) {
        if (node.name == descendantName)
            found.append(&node);
        found.append(node.descendants(descendantName));
    }
    return found;
}

QString XmlNode::wordText() const
{
    QString text;
    for (const XmlNode *t : descendants(u"w:t"_s))
        text += t->text;
    return text;
}

QMap<QString, QByteArray> readPackage(const QString &path)
{
    QMap<QString, QByteArray> parts;
    int error = 0;
    zip_t *archive = zip_open(path.toLocal8Bit().constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive)
        return parts;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_file_t *file = zip_stat_index(archive, zip_uint64_t(i), 0, &stat) == 0
                               ? zip_fopen_index(archive, zip_uint64_t(i), 0)
                               : nullptr;
        if (!file)
            continue;
        QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
        if (zip_fread(file, data.data(), stat.size) == zip_int64_t(stat.size))
            parts.insert(QString::fromUtf8(stat.name), data);
        zip_fclose(file);
    }
    zip_discard(archive);
    return parts;
}

static void readChildren(QXmlStreamReader &reader, XmlNode &parent)
{
    while (reader.readNext() != QXmlStreamReader::EndElement && !reader.atEnd()) {
        if (reader.isCharacters()) {
            parent.text += reader.text();
        } else if (reader.isStartElement()) {
            XmlNode node;
            node.name = reader.qualifiedName().toString();
            for (const QXmlStreamAttribute &attribute : reader.attributes())
                node.attributes.insert(attribute.qualifiedName().toString(), attribute.value().toString());
            readChildren(reader, node);
            parent.children.append(node);
        }
    }
}

XmlNode parseXml(const QByteArray &xml, QString *error)
{
    QXmlStreamReader reader(xml);
    XmlNode document;
    readChildren(reader, document);
    if (reader.hasError() || document.children.size() != 1) {
        if (error)
            *error = reader.errorString();
        return {};
    }
    return document.children.first();
}

DocxBoxes boxesOf(const XmlNode &document)
{
    DocxBoxes boxes;
    boxes.anchors = document.descendants(u"wp:anchor"_s);
    for (const XmlNode *anchor : boxes.anchors) {
        QList<QList<const XmlNode *>> rows;
        const QList<const XmlNode *> tables = anchor->descendants(u"w:tbl"_s);
        if (!tables.isEmpty()) {
            for (const XmlNode *row : tables.first()->childrenNamed(u"w:tr"_s))
                rows.append(row->childrenNamed(u"w:tc"_s));
        }
        boxes.cells.append(rows);
    }
    return boxes;
}
