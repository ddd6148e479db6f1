#include "sheetwindow/printpreview.h"

#include "print/printsetup.h"
#include "print/sheetprinter.h"
#include "print/sheetprintjob.h"
#include "sheet/charactersheet.h"

#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace Tarvosk {

void showPrintPreview(QWidget *parent, QPrinter *printer, const CharacterSheet &sheet, const SheetStyle &style,
                      const SettingsStore &settings)
{
    const PrintSetup setup = PrintSetup::fromSettings(settings, style);
    const bool onPaper = printer != nullptr;
    // Without a printer, the page of the PDF that "Drucken" would write instead.
    QPrinter pdf(QPrinter::HighResolution);
    if (!onPaper) {
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setResolution(setup.resolution);
        pdf.setPageLayout(SheetPrintJob::pdfPageLayout(setup));
    }
    QPrintPreviewDialog preview(onPaper ? printer : &pdf, parent);
    preview.setObjectName(QStringLiteral("frmPreview"));
    preview.setWindowTitle(QStringLiteral("Druckvorschau"));
    // A copy: the sheet may change behind the preview, which shows it as it was asked for.
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [sheet, setup, onPaper](QPrinter *target) {
                         if (onPaper)
                             SheetPrinter::print(*target, sheet, setup);
                         else
                             SheetPrintJob::print(*target, sheet, setup);
                     });
    preview.exec();
}

} // namespace Tarvosk
