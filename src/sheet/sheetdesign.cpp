#include "sheet/sheetdesign.h"

#include "sheet/charactersheet.h"

#include <QStringList>
#include <QStringView>

#include <iterator>

namespace Tarvosk::SheetDesign {

namespace {

// By caption index.
constexpr QStringView captions[] = {
    // 0, 1: name and class of the character
    u"", u"",
    // 2..15: personal data
    u"Spieler", u"Nationalität", u"Geburtstag", u"Konfession", u"Größe / Gewicht", u"Rasse",
    u"Augenfarbe", u"Haarfarbe", u"Einkommen", u"Ruhm", u"Eigenheit", u"Alter",
    u"Besonderes", u"Adresse",
    // 16..29: heads of the attribute row; " Au" keeps its blank
    u"mT", u"In", u"Ko", u"Gw", u"Ge", u"St", u"B", u"Rw", u"Wk", u"Sb", u"pA", u" Au", u"Sch", u"Hgw",
    // 30..32
    u"LP", u"AP", u"EP",
    // 33..57: the general skills
    u"Allgemeinbildung", u"Archivwesen", u"Balancieren", u"Beredsamkeit", u"Beschatten",
    u"Boot steuern", u"Einbrechen", u"Gespann fahren", u"Kampftaktik", u"Klettern",
    u"Menschenkenntnis", u"Meucheln", u"Reiten", u"Schleichen", u"Schwimmen",
    u"Springen", u"Spurensuche", u"Suchen", u"Tanzen", u"Tarnen",
    u"Überleben", u"Verbergen", u"Verführen", u"Verhören", u"Verkleiden",
    // 58..78: rows for further skills
    u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"",
    u"", u"", u"", u"", u"", u"", u"", u"", u"", u"",
    // 79..95
    u"Sechster Sinn", u"Tasten",
    u"PP", u"EW", u"Fertigkeit",
    u"Ausrüstung",
    u"Abwehr", u"Ausweichen",
    u"EW", u"Schaden", u"Fertigkeit",
    u"Schaden", u"PP",
    u"Sehen", u"Hören", u"Riechen", u"Schmecken",
};
static_assert(std::size(captions) == CharacterSheet::captionCount);

constexpr QStringView weaponNames[] = {u"Dolch", u"waffenl.Kampf", u"Werfen", u"Pistole", u"Schrotflinte"};
static_assert(std::size(weaponNames) == standardWeaponCells.size());

} // namespace

QString caption(int index)
{
    // Made once: every new sheet shares these texts instead of building them again.
    static const QStringList texts = [] {
        QStringList all;
        for (const QStringView caption : captions)
            all << caption.toString();
        return all;
    }();
    return texts.value(index);
}

QString standardWeaponName(int weapon)
{
    static const QStringList texts = [] {
        QStringList all;
        for (const QStringView name : weaponNames)
            all << name.toString();
        return all;
    }();
    return texts.value(weapon);
}

} // namespace Tarvosk::SheetDesign
