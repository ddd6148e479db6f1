#include "storage/characterfilename.h"

#include <QDir>
#include <QFileInfo>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

constexpr int lastNumber = 999;
// Stem and number together stay shorter than this.
constexpr int longestName = 9;

} // namespace

QString characterFileStem(const QString &characterName)
{
    QString stem = characterName.isEmpty() ? u"nobody"_s : characterName;
    return stem.replace(u'/', u'-');
}

std::optional<QString> defaultCharacterName(const QString &characterName,
                                            const std::function<bool(const QString &fileName)> &isTaken)
{
    QString stem = characterFileStem(characterName);
    if (!isTaken(stem + u".tvk"_s))
        return stem;
    for (int n = 2; n <= lastNumber; ++n) {
        const QString number = QString::number(n);
        // One character less for each candidate that would be too long.
        if (stem.size() + number.size() >= longestName)
            stem.chop(1);
        const QString candidate = stem + number;
        if (!isTaken(candidate + u".tvk"_s))
            return candidate;
    }
    return std::nullopt;
}

QString withExtension(const QString &path, QStringView extension)
{
    const QString trimmed = path.trimmed();
    return trimmed.endsWith(extension, Qt::CaseInsensitive) ? trimmed : trimmed + extension.toString();
}

} // namespace Tarvosk
