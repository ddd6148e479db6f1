#include "formats/characterformat.h"

#include "storage/characterfile.h"

#include <QIODevice>

namespace Tarvosk {

using namespace Qt::StringLiterals;

QString CharacterFormat::description() const
{
    return u"Valdris Charaktere (*.tvk)"_s;
}

QString CharacterFormat::extension() const
{
    return u".tvk"_s;
}

bool CharacterFormat::write(const CharacterSheet &sheet, const SheetStyle &style, QIODevice &device, QString &error,
                            const Progress &) const
{
    const QByteArray bytes = CharacterFile::encode(sheet, CharacterFile::optionBlock(style));
    if (device.write(bytes) == bytes.size())
        return true;
    error = device.errorString();
    return false;
}

} // namespace Tarvosk
