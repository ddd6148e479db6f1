#include "print/sheetprintjob.h"

#include "print/printsetup.h"
#include "sheet/charactersheet.h"
#include "storage/filewrite.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

using namespace Qt::StringLiterals;

namespace Tarvosk::SheetPrintJob {

bool print(QPagedPaintDevice &device, const CharacterSheet &sheet, const PrintSetup &setup)
{
    if (!device.setPageOrientation(setup.orientation))
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paintSheetPage(painter, sheet, setup.look, PageTarget::paperOf(device));
    return painter.end();
}

QPageLayout pdfPageLayout(const PrintSetup &setup)
{
    return QPageLayout(QPageSize(QPageSize::A4), setup.orientation,
                       QMarginsF(pdfMargin, pdfMargin, pdfMargin, pdfMargin), QPageLayout::Point);
}

bool writePdf(QIODevice &device, const CharacterSheet &sheet, const PrintSetup &setup)
{
    QPdfWriter writer(&device);
    writer.setResolution(setup.resolution);
    writer.setPageLayout(pdfPageLayout(setup));
    writer.setCreator(u"Valdris 1880 Character Creator"_s);
    writer.setTitle(sheet.caption(CharacterSheet::nameCaption));
    return print(writer, sheet, setup);
}

bool writePdf(const QString &path, const CharacterSheet &sheet, const PrintSetup &setup, QString *germanError)
{
    // Drawn in memory first: the file is written in one checked step, and an
    // old file stays until the new one is whole.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writePdf(buffer, sheet, setup)) {
        if (germanError)
            *germanError = FileError{path, u"Die Seite ließ sich nicht als PDF zeichnen."_s}.writeSentence();
        return false;
    }
    if (const std::optional<FileError> failure = writeFileWhole(path, buffer.data())) {
        if (germanError)
            *germanError = failure->writeSentence();
        return false;
    }
    return true;
}

} // namespace Tarvosk::SheetPrintJob
