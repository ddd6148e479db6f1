#include "formats/sheetformats.h"

namespace Tarvosk {

SheetFormats::SheetFormats(const SettingsStore &settings)
    : m_pdf(settings)
{
}

QList<const SheetFormat *> SheetFormats::all() const
{
    return {&m_character, &m_docx, &m_pdf};
}

} // namespace Tarvosk
