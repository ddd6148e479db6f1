#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>

namespace Tarvosk {

class CharacterSheet;
struct DocxFonts;

// The page of the word-processor document (word/document.xml): the A4 page
// and the nine text boxes of docxlayout with the sheet's texts in them.
namespace DocxDocument {

// Reports 10 after the page, then 20 .. 100 after each of the nine boxes.
using Progress = std::function<void(int percent)>;

QByteArray xml(const CharacterSheet &sheet, const DocxFonts &fonts, const Progress &progress = {});

// A text as a cell holds it: one line (CR, LF and TAB become blanks), without
// the characters XML forbids.
QString cellText(QStringView text);

} // namespace DocxDocument

} // namespace Tarvosk
