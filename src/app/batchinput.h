#pragma once

#include "sheet/charactersheet.h"

#include <QString>

#include <functional>
#include <optional>

namespace Tarvosk {

class SettingsStore;

// The character file a command without a window names. Its option block goes
// into the given copy of the settings where that copy's "SaveFont" is 1, font
// names through the check given (none: kept as written). Nothing, with the
// German reason in `error`, when the file cannot be read as a character.
std::optional<CharacterSheet> readCharacterForCommand(const QString &path, SettingsStore &snapshot, QString &error,
                                                      const std::function<QString(const QString &)> &checkFontName = {});

// A command's failure: "tarvosk: " and the reason as one line on standard
// error; gives the exit code 1.
int refuseCommand(const QString &reason);

// True when both paths name one existing file: a command's output must never replace its character.
bool isSameFile(const QString &first, const QString &second);

} // namespace Tarvosk
