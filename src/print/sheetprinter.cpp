#include "print/sheetprinter.h"

#include "platform/filedialogs.h"
#include "platform/messageservice.h"
#include "print/printsetup.h"
#include "print/sheetprintjob.h"
#include "sheet/charactersheet.h"
#include "platform/replacequestion.h"
#include "storage/characterfilename.h"
#include "storage/settingkeys.h"

#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

namespace Tarvosk::SheetPrinter {

namespace {

QString pdfName(const CharacterSheet &sheet)
{
    return characterFileStem(sheet.caption(CharacterSheet::nameCaption).trimmed()) + u".pdf"_s;
}

} // namespace

std::unique_ptr<QPrinter> chosenPrinter(const SettingsStore &settings)
{
    QPrinterInfo info = QPrinterInfo::printerInfo(settings.read(Settings::PrinterDevice));
    if (info.isNull())
        info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (printers.isEmpty())
            return nullptr;
        info = printers.first();
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

bool print(QPrinter &printer, const CharacterSheet &sheet, const PrintSetup &setup)
{
    printer.setResolution(setup.resolution);
    if (setup.paper)
        printer.setPageSize(*setup.paper);
    printer.setFullPage(false);
    printer.setDocName(sheet.caption(CharacterSheet::nameCaption));
    return SheetPrintJob::print(printer, sheet, setup) && printer.printerState() != QPrinter::Error;
}

void printSheet(QPrinter *printer, const CharacterSheet &sheet, const SheetStyle &style,
                const SettingsStore &settings, FileDialogs &dialogs, MessageService &messages)
{
    const PrintSetup setup = PrintSetup::fromSettings(settings, style);
    bool printed = false;
    QString error;
    if (printer) {
        printed = print(*printer, sheet, setup);
    } else {
        int filterIndex = 1;
        const QString chosen = dialogs.showSaveDialog(pdfFilter.toString(), filterIndex, pdfName(sheet)).trimmed();
        if (chosen.isEmpty())
            return;
        // The dialog confirmed the name as typed, not a file the extension makes of it.
        const QString path = withExtension(chosen, u".pdf");
        if (!mayReplaceFile(messages, path, chosen, u"Drucken"_s))
            return;
        printed = SheetPrintJob::writePdf(path, sheet, setup, &error);
    }
    if (!printed)
        messages.show(error.isEmpty() ? failureText.toString() : failureText.toString() + u'\n' + error,
                      failureTitle.toString(),
                      MessageService::Icon::Critical, MessageService::Buttons::Ok);
}

} // namespace Tarvosk::SheetPrinter
