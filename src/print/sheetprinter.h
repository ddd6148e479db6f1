#pragma once

#include <QString>
#include <QStringView>

#include <memory>

class QPrinter;

namespace Tarvosk {

class CharacterSheet;
class FileDialogs;
class MessageService;
class SettingsStore;
struct PrintSetup;
struct SheetStyle;

// "Drucken" of the sheet window: the print job on the system's printer, or
// on a PDF file where the system has no printer.
namespace SheetPrinter {

inline constexpr QStringView failureText = u"Bitte überprüfen Sie Ihren Drucker/Druckertreiber !";
inline constexpr QStringView failureTitle = u"Fehler beim Drucken";
inline constexpr QStringView pdfFilter = u"PDF Dokument (*.pdf)|*.pdf";

// The printer named in "Printer"/"Device" where the system has it, else the
// system's default printer, else any; none when the system has no printer.
std::unique_ptr<QPrinter> chosenPrinter(const SettingsStore &settings);

// The page on the printer, in the orientation, resolution and paper of the setup.
// False when the printer failed.
bool print(QPrinter &printer, const CharacterSheet &sheet, const PrintSetup &setup);

// Prints the sheet in the style, with the printer options of the settings, on
// the printer given; with none, asks for a PDF file (".pdf" appended unless
// the name ends with it; asks before that makes the name of a file that
// exists) and writes the printed page there. Any failure is shown as
// failureText, a file's with its name and reason.
void printSheet(QPrinter *printer, const CharacterSheet &sheet, const SheetStyle &style,
                const SettingsStore &settings, FileDialogs &dialogs, MessageService &messages);

} // namespace SheetPrinter

} // namespace Tarvosk
