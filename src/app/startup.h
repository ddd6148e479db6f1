#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace Tarvosk {

class SettingsStore;
class SingleInstance;

// The windowed program: hands the path (empty for none) to an instance already
// running, or opens the main window. The arguments were read before; Qt gets
// only the program's name, so it interprets none of them again.
int runTarvosk(char *programName, const QString &path);

// The running instance answers each signal of a later start: the hand-off
// path that start stored is read from the file again, and the window the user
// works in comes to the front, the main window unless it is hidden;
// loadHandedFile, where given, loads the file first.
void answerHandOffs(SingleInstance &instance, SettingsStore &settings, QWidget &mainWindow,
                    std::function<void()> loadHandedFile = {});

} // namespace Tarvosk
