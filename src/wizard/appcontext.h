#pragma once

#include <QDate>
#include <QStringList>
#include <QTime>
#include <QUrl>

#include <functional>

namespace Tarvosk {

class CharacterSession;
class FileDialogs;
class MessageService;
class RandomSource;
class RollDialogs;
class SettingsStore;

// What the user did on the start-up screen: Create clears EditExisting, Edit
// sets it, NoChoice (the screen was closed some other way) leaves it cleared,
// Quit ends the program.
enum class StartupChoice { Create, Edit, NoChoice, Quit };

// What the windows need from the rest of the program; tests give their own.
struct AppContext
{
    SettingsStore &settings;
    RandomSource &random;
    MessageService &messages;
    // The finished character's life: its sheet, files and questions.
    CharacterSession &session;
    std::function<QStringList()> installedFonts;
    std::function<void()> registerFileType;
    std::function<QTime()> clock = [] { return QTime::currentTime(); };
    std::function<QDate()> today = [] { return QDate::currentDate(); };
    // The start-up screen; none means the screen of the program itself.
    std::function<StartupChoice()> askStartup{};
    // The dialogs of a roll; none means the windows of the program itself.
    RollDialogs *rollDialogs = nullptr;
    // The file dialogs of printing to a PDF file; none means the program's own.
    FileDialogs *fileDialogs = nullptr;
    // Opens the word-processor document; none means the desktop's default application.
    std::function<bool(const QUrl &)> openDocument{};
};

} // namespace Tarvosk
