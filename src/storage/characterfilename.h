#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace Tarvosk {

// The character's name as the start of a file name: "nobody" without one,
// a "/" as "-", so the name stays one file.
QString characterFileStem(const QString &characterName);

// The name offered when a character is saved the first time: the character's
// name ("nobody" without one), or, while a file of that name and ".tvk" is
// taken, the name shortened to fit eight characters with 2, 3, ... 999 behind
// it. Nothing when all of them are taken.
std::optional<QString> defaultCharacterName(const QString &characterName,
                                            const std::function<bool(const QString &fileName)> &isTaken);

// The path trimmed, with the extension (".tvk") appended unless it already
// ends with it in any case: "Held.TVK" stays, "Held.txt" gets "Held.txt.tvk".
QString withExtension(const QString &path, QStringView extension);

} // namespace Tarvosk
