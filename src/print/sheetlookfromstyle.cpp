#include "print/sheetlookfromstyle.h"

#include "sheet/sheetstyle.h"
#include "storage/settingkeys.h"

namespace Tarvosk {

namespace {

QFont fontOf(const FontStyle &style, double defaultSize)
{
    QFont font(style.name.isEmpty() ? Settings::FontNameDefault.toString() : style.name);
    font.setPointSizeF(style.size > 0 ? style.size : defaultSize);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setStrikeOut(style.strikeOut);
    font.setUnderline(style.underline);
    return font;
}

} // namespace

SheetLook sheetLookFromStyle(const SheetStyle &style)
{
    SheetLook look = SheetLook::standard();
    look.headline = fontOf(style.headline, Settings::HeadlineSizeDefault);
    look.labels = fontOf(style.labels, Settings::TextSizeForDrawing);
    look.values = fontOf(style.values, Settings::TextSizeForDrawing);
    look.framesOn = style.framesOn;
    look.rulesOn = style.rulesOn;
    return look;
}

} // namespace Tarvosk
