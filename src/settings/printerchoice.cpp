#include "settings/printerchoice.h"

#include "print/printsetup.h"
#include "print/sheetprinter.h"
#include "storage/settingkeys.h"

#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>
#include <optional>

namespace Tarvosk::PrinterChoice {

namespace {

// The printer as the settings know it: its name, paper and orientation.
void setUp(QPrinter &printer, const SettingsStore &settings)
{
    const QString name = currentPrinterName(settings);
    if (name.isEmpty())
        printer.setOutputFormat(QPrinter::PdfFormat);
    else
        printer.setPrinterName(name);
    if (const std::optional<QPageSize> paper = paperFromSettings(settings))
        printer.setPageSize(*paper);
    printer.setPageOrientation(settings.readNumber(Settings::Orientation) == 0 ? QPageLayout::Portrait
                                                                                : QPageLayout::Landscape);
}

void keepPage(const QPrinter &printer, SettingsStore &settings)
{
    const QPageLayout page = printer.pageLayout();
    // A custom size has no key to come back by; the printer's own paper stands in.
    const QPageSize::PageSizeId paper = page.pageSize().id();
    settings.write(PaperSize, paper == QPageSize::Custom ? QString() : QPageSize::key(paper));
    settings.write(Settings::Orientation,
                   page.orientation() == QPageLayout::Landscape ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace

QString currentPrinterName(const SettingsStore &settings)
{
    // The printer "Drucken" takes, by the print job's own rule.
    const std::unique_ptr<QPrinter> printer = SheetPrinter::chosenPrinter(settings);
    return printer ? printer->printerName() : QString();
}

bool choosePrinter(QWidget *parent, SettingsStore &settings)
{
    QPrinter printer;
    setUp(printer, settings);
    QPrintDialog dialog(&printer, parent);
    // Only the printer is chosen here, nothing is printed; a file stands in only where there is no printer.
    QAbstractPrintDialog::PrintDialogOptions options;
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        options |= QAbstractPrintDialog::PrintToFile;
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const bool onPrinter = printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty();
    settings.write(Device, onPrinter ? printer.printerName() : QString());
    keepPage(printer, settings);
    return true;
}

bool setUpPrinter(QWidget *parent, SettingsStore &settings)
{
    QPrinter printer;
    setUp(printer, settings);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    keepPage(printer, settings);
    return true;
}

} // namespace Tarvosk::PrinterChoice
