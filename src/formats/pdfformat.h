#pragma once

#include "sheet/sheetformat.h"

namespace Tarvosk {

class SettingsStore;

// The printed page as an A4 PDF (".pdf"), with the printer options of the
// settings (line widths, resolution) and the style's fonts and orientation.
class PdfFormat final : public SheetFormat
{
public:
    explicit PdfFormat(const SettingsStore &settings);

    QString description() const override;
    QString extension() const override;
    QString commandDescription() const override;
    bool write(const CharacterSheet &sheet, const SheetStyle &style, QIODevice &device, QString &error,
               const Progress &progress = {}) const override;

private:
    const SettingsStore &m_settings;
};

} // namespace Tarvosk
