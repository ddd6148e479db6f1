#pragma once

#include <QDomDocument>
#include <QMap>

// A written .docx read back: its parts through libzip, its XML as a DOM with
// the names as the file spells them ("w:tc", "w:val").

// The parts by name; empty when the file is no zip archive.
QMap<QString, QByteArray> readPackage(const QString &path);
// A null document, with the reader's message, when the XML is not well-formed.
QDomDocument parseXml(const QByteArray &xml, QString *error = nullptr);
// Every element of that name below `parent`, in document order.
QList<QDomElement> all(const QDomNode &parent, const QString &name);
// The cells of the document's text boxes: box, row, cell.
QList<QList<QList<QDomElement>>> cellsOf(const QDomDocument &document);
