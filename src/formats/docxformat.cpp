#include "formats/docxformat.h"

#include "export/docxexport.h"
#include "export/docxfonts.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

QString DocxFormat::description() const
{
    return u"Word Dokument (*.docx)"_s;
}

QString DocxFormat::extension() const
{
    return u".docx"_s;
}

QString DocxFormat::commandDescription() const
{
    return u"schreibt das Datenblatt als Word-Dokument"_s;
}

bool DocxFormat::write(const CharacterSheet &sheet, const SheetStyle &style, QIODevice &device, QString &error,
                       const Progress &progress) const
{
    const std::optional<QByteArray> bytes = sheetDocx(sheet, docxFontsFromStyle(style), &error, progress);
    return bytes && put(device, *bytes, error);
}

} // namespace Tarvosk
