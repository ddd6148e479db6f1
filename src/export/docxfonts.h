#pragma once

#include <QString>

namespace Tarvosk {

struct FontStyle;
struct SheetStyle;

// A font of the document as the settings give it: whole points, and bold,
// italic and underline either set or left as the word processor's default.
struct DocxFont
{
    QString name;
    int points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const DocxFont &, const DocxFont &) = default;
};

// The three fonts of the sheet: the title line, every caption, every value
// and equipment line.
struct DocxFonts
{
    DocxFont headline;
    DocxFont labels;
    DocxFont values;
};

// One of the style's fonts in whole points, the fraction cut off; an unset
// size gives `unsetPoints`, an unset name "Times New Roman".
DocxFont docxFontFromStyle(const FontStyle &font, int unsetPoints);
// The headline unset is 18 points, labels and values 8.
DocxFonts docxFontsFromStyle(const SheetStyle &style);

} // namespace Tarvosk
