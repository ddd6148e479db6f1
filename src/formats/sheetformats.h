#pragma once

#include "formats/characterformat.h"
#include "formats/docxformat.h"
#include "formats/pdfformat.h"

#include <QList>

namespace Tarvosk {

// Every format the sheet is written in, the character file first: the save
// dialog's types in this order, and the commands without a window.
class SheetFormats
{
public:
    explicit SheetFormats(const SettingsStore &settings);

    QList<const SheetFormat *> all() const;
    const CharacterFormat &character() const { return m_character; }
    const DocxFormat &docx() const { return m_docx; }
    const PdfFormat &pdf() const { return m_pdf; }

private:
    CharacterFormat m_character;
    DocxFormat m_docx;
    PdfFormat m_pdf;
};

} // namespace Tarvosk
