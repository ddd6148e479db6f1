#pragma once

#include "storage/settingkeys.h"

#include <QString>

class QWidget;

namespace Tarvosk {

// The printer the sheet goes to and the paper it is set up for, as the
// settings keep them. The print job reads the same keys.
namespace PrinterChoice {

inline constexpr SettingKey Device = Settings::PrinterDevice;
inline constexpr SettingKey PaperSize = Settings::PaperSize;

// The printer "Drucken" prints on: the chosen one while it is installed, else
// the default one, else any; "" when the system has no printer (the print
// then goes to a PDF file).
QString currentPrinterName(const SettingsStore &settings);

// "&Auswählen": the system's print dialog over the parent. Confirmed, it
// keeps the printer, its paper and the orientation; true then.
bool choosePrinter(QWidget *parent, SettingsStore &settings);
// "&Einrichten": the page setup of the current printer; confirmed, it keeps
// the paper and the orientation; true then.
bool setUpPrinter(QWidget *parent, SettingsStore &settings);

} // namespace PrinterChoice

} // namespace Tarvosk
