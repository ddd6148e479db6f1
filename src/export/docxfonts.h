#pragma once

#include <QString>
#include <QStringView>

namespace Tarvosk {

class SettingsStore;

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

// One font section ("Headline", "Labels", "Values"): no size or 0 gives 18
// points for a section whose name holds "head", else 8.
DocxFont docxFontFromSettings(const SettingsStore &settings, QStringView section);
DocxFonts docxFontsFromSettings(const SettingsStore &settings);

} // namespace Tarvosk
