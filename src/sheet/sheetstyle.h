#pragma once

#include <QString>

namespace Tarvosk {

// One of the sheet's three fonts. A size of 0 is unset: each reader of the
// size names its own default, as the page and the file do.
struct FontStyle
{
    QString name;
    double size = 0;
    bool bold = false;
    bool italic = false;
    bool strikeOut = false;
    bool underline = false;

    friend bool operator==(const FontStyle &, const FontStyle &) = default;
};

// The look of the page, exactly what a character file's option block holds:
// the three fonts, the orientation, and whether ruling lines ("Line0On") and
// frames ("Line1On") show. Sizes are kept within what the settings dialog
// offers, so no file or setting can make the page unreadable.
struct SheetStyle
{
    FontStyle headline; // the name and the class
    FontStyle labels;   // every other caption
    FontStyle values;   // values and equipment lines
    bool landscape = false;
    bool rulesOn = true;
    bool framesOn = true;

    static constexpr double smallestSize = 6;
    static constexpr double largestHeadlineSize = 18;
    static constexpr double largestTextSize = 10;

    // A size as the style keeps it: 0 (unset) for none, a size outside the
    // range pulled into it.
    static double clampedSize(double size, double largest);

    friend bool operator==(const SheetStyle &, const SheetStyle &) = default;
};

} // namespace Tarvosk
