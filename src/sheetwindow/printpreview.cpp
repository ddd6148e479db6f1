#include "sheetwindow/printpreview.h"

#include "print/printsetup.h"
#include "print/sheetprinter.h"
#include "sheet/charactersheet.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace Tarvosk {

void showPrintPreview(QWidget *parent, QPrinter *printer, const CharacterSheet &sheet, const SheetStyle &style,
                      const SettingsStore &settings)
{
    const PrintSetup setup = PrintSetup::fromSettings(settings, style);
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    QPrintPreviewDialog preview(printer ? printer : &pdf, parent);
    preview.setObjectName(QStringLiteral("frmPreview"));
    preview.setWindowTitle(QStringLiteral("Druckvorschau"));
    // A copy: the sheet may change behind the preview, which shows it as it was asked for.
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [sheet, setup](QPrinter *target) { SheetPrinter::print(*target, sheet, setup); });
    preview.exec();
}

} // namespace Tarvosk
