#pragma once

#include <QList>
#include <QString>

// The equipment menu's catalogue: four lists of period weapons and everyday
// items. An item carries its name only; picking it writes that name into an
// equipment line and nothing else.
namespace Tarvosk::EquipmentCatalogue {

enum class List { Handguns, LongArms, Blades, Other };
inline constexpr List lists[] = {List::Handguns, List::LongArms, List::Blades, List::Other};

struct Entry
{
    enum class Kind { Item, Separator, Heading };
    Kind kind = Kind::Item;
    // As a menu shows it: a doubled "&&" stands for one "&" (Qt's menus read
    // it the same way); empty for a separator.
    QString caption;

    // What a pick writes into the equipment line: every "&&" as one "&".
    QString lineText() const;
};

// The entries of a list in menu order, separators and disabled headings
// ("ab 1892", "ab 1896") included.
QList<Entry> entries(List list);

} // namespace Tarvosk::EquipmentCatalogue
