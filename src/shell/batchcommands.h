#pragma once

#include <QStringList>

namespace Tarvosk {

class SettingsStore;
class SheetFormat;

// The commands without a window. Each gets the words after its option, runs
// without a display, and returns the program's exit code: 0 when done, 1
// after one German line on standard error. The user's settings are read, never changed.

// "--pdf", "--docx": the character file written in the format.
int runExportCommand(const SheetFormat &format, const SettingsStore &settings, const QStringList &arguments);
int runRollCommand(const QStringList &arguments);

} // namespace Tarvosk
