#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The parts of a word-processor document (Office Open XML) that are the same
// for every sheet; the page itself is written by docxdocument.
namespace Tarvosk::DocxParts {

struct Part
{
    QString name;
    QByteArray data;
};

inline constexpr char documentName[] = "word/document.xml";

// Content types, relationships, styles and settings, then the given page.
QList<Part> package(const QByteArray &documentXml);

} // namespace Tarvosk::DocxParts
