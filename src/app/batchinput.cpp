#include "app/batchinput.h"

#include "storage/characterfile.h"
#include "storage/settingsstore.h"

#include <QFileInfo>

#include <cstdio>

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
    CharacterFile::takeOverOptions(contents->options, snapshot, checkFontName);
    return contents->sheet;
}

int refuseCommand(const QString &reason)
{
    std::fputs((u"tarvosk: "_s + reason + u'\n').toUtf8().constData(), stderr);
    return 1;
}

bool isSameFile(const QString &first, const QString &second)
{
    const QFileInfo one(first);
    const QFileInfo other(second);
    return one.exists() && other.exists() && one.canonicalFilePath() == other.canonicalFilePath();
}

} // namespace Tarvosk
