#pragma once

#include "sheet/sheetformat.h"

namespace Tarvosk {

// The character file (".tvk"): the sheet's texts and the style's option block.
class CharacterFormat final : public SheetFormat
{
public:
    QString description() const override;
    QString extension() const override;
    bool write(const CharacterSheet &sheet, const SheetStyle &style, QIODevice &device, QString &error,
               const Progress &progress = {}) const override;
};

} // namespace Tarvosk
