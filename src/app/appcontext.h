#pragma once

#include <QDate>
#include <QStringList>
#include <QTime>

#include <functional>

namespace Tarvosk {

class MessageService;
class RandomSource;
class SettingsStore;

// The program-wide state the windows share.
struct ProgramState
{
    // Work on an existing character rather than create one.
    bool EditExisting = false;
    // Nothing on the sheet waits to be saved.
    bool SheetSaved = true;
    QString CurrentFile;
};

// What the windows need from the rest of the program; tests give their own.
struct AppContext
{
    SettingsStore &settings;
    RandomSource &random;
    MessageService &messages;
    ProgramState &state;
    std::function<QStringList()> installedFonts;
    std::function<void()> registerFileType;
    std::function<QTime()> clock = [] { return QTime::currentTime(); };
    std::function<QDate()> today = [] { return QDate::currentDate(); };
};

} // namespace Tarvosk
