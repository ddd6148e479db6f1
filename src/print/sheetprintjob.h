#pragma once

#include <QString>

class QIODevice;
class QPageLayout;
class QPagedPaintDevice;

namespace Tarvosk {

class CharacterSheet;
struct PrintSetup;

// The print job: the sheet's page drawn on a printer or PDF page, its places
// spread over the printable area (sx = printable width / 585, sy = printable
// height / 841), its texts at their fonts' sizes. Needs Qt Gui only; the
// printer itself is sheetprinter.h.
namespace SheetPrintJob {

// The PDF's margin on every side, in points: a common printer's unprintable
// edge, so the PDF looks as the paper would.
inline constexpr qreal pdfMargin = 18;

// The PDF's page: A4 in the setup's orientation, with pdfMargin on every side.
QPageLayout pdfPageLayout(const PrintSetup &setup);

// Turns the device to the setup's orientation and draws the page on it, the
// device's resolution being already set. False when the device refused.
bool print(QPagedPaintDevice &device, const CharacterSheet &sheet, const PrintSetup &setup);

// The printed page as an A4 PDF written to the device. False when drawing failed.
bool writePdf(QIODevice &device, const CharacterSheet &sheet, const PrintSetup &setup);

// The printed page as an A4 PDF at the path, written whole or not at all.
// False, with the German sentence naming the file and the reason, when it cannot be written.
bool writePdf(const QString &path, const CharacterSheet &sheet, const PrintSetup &setup,
              QString *germanError = nullptr);

} // namespace SheetPrintJob

} // namespace Tarvosk
