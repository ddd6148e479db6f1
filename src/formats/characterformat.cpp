#include "formats/characterformat.h"

#include "storage/characterfile.h"

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
    return put(device, CharacterFile::encode(sheet, CharacterFile::optionBlock(style)), error);
}

} // namespace Tarvosk
