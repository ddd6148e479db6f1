#include "app/batchinput.h"

#include "storage/characterfile.h"
#include "storage/settingkeys.h"

#include <QFileInfo>

namespace Tarvosk {

using namespace Qt::StringLiterals;

std::optional<CharacterSheet> readCharacterForCommand(const QString &path, SettingsStore &snapshot, QString &error,
                                                      const std::function<QString(const QString &)> &checkFontName)
{
    std::optional<CharacterFile::Contents> contents = CharacterFile::read(path);
    if (!contents) {
        error = u"Die Datei »%1« lässt sich nicht als Charakter lesen."_s.arg(path);
        return std::nullopt;
    }
    if (snapshot.readNumber(Settings::SaveFont) == 1) {
        const auto keep = [](const QString &name) { return name; };
        CharacterFile::applyOptions(contents->options, snapshot, checkFontName ? checkFontName : keep);
    }
    return contents->sheet;
}

bool isSameFile(const QString &first, const QString &second)
{
    const QFileInfo one(first);
    const QFileInfo other(second);
    return one.exists() && other.exists() && one.canonicalFilePath() == other.canonicalFilePath();
}

} // namespace Tarvosk
