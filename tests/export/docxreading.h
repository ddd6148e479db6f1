#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// A written .docx read back: its parts through libzip and its XML as a small
// tree, with names as the file spells them ("w:tc", "w:val").
struct XmlNode
{
    QString name;
    QMap<QString, QString> attributes;
    QString text;
    QList<XmlNode> children;

    QString attribute(const QString &attributeName) const { return attributes.value(attributeName); }
    // The first child of that name, or an empty node.
    const XmlNode &child(const QString &childName) const;
    QList<const XmlNode *> childrenNamed(const QString &childName) const;
    // Every node of that name below this one, in document order.
    QList<const XmlNode *> descendants(const QString &descendantName) const;
    // The texts of every w:t below, joined.
    QString wordText() const;
    bool isNull() const { return name.isEmpty(); }
};

// The parts by name; empty when the file is no zip archive.
QMap<QString, QByteArray> readPackage(const QString &path);
// The root element; a null node, with the reader's message, when the XML is not well-formed.
XmlNode parseXml(const QByteArray &xml, QString *error = nullptr);

// The document's text boxes in order, each as its table's rows of cells.
struct DocxBoxes
{
    QList<const XmlNode *> anchors;
    QList<QList<QList<const XmlNode *>>> cells; // box, row, cell
};
DocxBoxes boxesOf(const XmlNode &document);
