#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace Tarvosk {

class SettingsStore;
class SheetFormats;
class SingleInstance;

// The windowed program: hands the path (empty for none) to an instance already
// running, or opens the main window. The arguments were read before; Qt gets
// only the program's name, so it interprets none of them again.
int runTarvosk(char *programName, const QString &path, SettingsStore &settings, const SheetFormats &formats);

// The path a later start hands over: quotes removed, resolved in the later
// start's own working directory; empty for none.
QString handOffPath(const QString &commandLinePath);

// The running instance answers each hand-off of a later start: the window the
// user works in comes to the front, then `openHandedFile` gets the path (a
// path the later start also stored in "Temp"/"Load" is cleared there).
// `mainWindow` gives the main window, or none while it is not built yet.
void answerHandOffs(SingleInstance &instance, SettingsStore &settings, std::function<QWidget *()> mainWindow,
                    std::function<void(const QString &path)> openHandedFile);

} // namespace Tarvosk
