#include "formats/pdfformat.h"

#include "print/printsetup.h"
#include "print/sheetprintjob.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

PdfFormat::PdfFormat(const SettingsStore &settings)
    : m_settings(settings)
{
}

QString PdfFormat::description() const
{
    return u"PDF Dokument (*.pdf)"_s;
}

QString PdfFormat::extension() const
{
    return u".pdf"_s;
}

QString PdfFormat::commandDescription() const
{
    return u"schreibt das gedruckte Datenblatt als PDF (A4)"_s;
}

bool PdfFormat::write(const CharacterSheet &sheet, const SheetStyle &style, QIODevice &device, QString &error,
                      const Progress &) const
{
    if (SheetPrintJob::writePdf(device, sheet, PrintSetup::fromSettings(m_settings, style)))
        return true;
    error = u"Die Seite ließ sich nicht als PDF zeichnen."_s;
    return false;
}

} // namespace Tarvosk
