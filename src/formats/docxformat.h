#pragma once

#include "sheet/sheetformat.h"

namespace Tarvosk {

// The sheet as a Word document (".docx"), A4, nine boxes as on the sheet.
class DocxFormat final : public SheetFormat
{
public:
    QString description() const override;
    QString extension() const override;
    QString commandDescription() const override;
    bool write(const CharacterSheet &sheet, const SheetStyle &style, QIODevice &device, QString &error,
               const Progress &progress = {}) const override;
};

} // namespace Tarvosk
