#include "print/sheetprintjob.h"

#include "print/printsetup.h"
#include "sheet/charactersheet.h"
#include "sheet/sheetlayout.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace Tarvosk::SheetPrintJob {

bool print(QPagedPaintDevice &device, const CharacterSheet &sheet, const PrintSetup &setup)
{
    if (!device.setPageOrientation(setup.orientation))
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QSize page = SheetLayout::pageSize;
    painter.scale(qreal(device.width()) / page.width(), qreal(device.height()) / page.height());
    paintSheetPage(painter, sheet, setup.look);
    return painter.end();
}

bool writePdf(const QString &path, const CharacterSheet &sheet, const PrintSetup &setup)
{
    // Opened here, a file that cannot be written fails quietly (the writer
    // would warn on the console), and an old file stays until the new one is whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(setup.resolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), setup.orientation,
                                         QMarginsF(pdfMargin, pdfMargin, pdfMargin, pdfMargin), QPageLayout::Point));
        writer.setCreator(u"Valdris 1880 Character Creator"_s);
        writer.setTitle(sheet.caption(CharacterSheet::nameCaption));
        if (!print(writer, sheet, setup))
            return false;
    }
    return file.commit();
}

} // namespace Tarvosk::SheetPrintJob
