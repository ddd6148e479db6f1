#pragma once

class QPrinter;
class QWidget;

namespace Tarvosk {

class CharacterSheet;
class SettingsStore;
struct SheetStyle;

// "Druckvorschau": the printed page in Qt's preview window, drawn by the print
// job with the fonts, frames, lines and orientation of the settings, from which
// the user prints or which he closes. Without a printer it shows the page the
// PDF would get.
void showPrintPreview(QWidget *parent, QPrinter *printer, const CharacterSheet &sheet, const SheetStyle &style,
                      const SettingsStore &settings);

} // namespace Tarvosk
