#include "export/docxfonts.h"

#include "sheet/sheetstyle.h"
#include "storage/settingkeys.h"

namespace Tarvosk {

DocxFont docxFontFromStyle(const FontStyle &font, int unsetPoints)
{
    DocxFont docx;
    docx.name = font.name.trimmed();
    if (docx.name.isEmpty())
        docx.name = Settings::FontNameDefault.toString();
    docx.points = font.size >= 1 ? int(font.size) : unsetPoints;
    docx.bold = font.bold;
    docx.italic = font.italic;
    docx.underline = font.underline;
    return docx;
}

DocxFonts docxFontsFromStyle(const SheetStyle &style)
{
    return {docxFontFromStyle(style.headline, 18), docxFontFromStyle(style.labels, 8),
            docxFontFromStyle(style.values, 8)};
}

} // namespace Tarvosk
