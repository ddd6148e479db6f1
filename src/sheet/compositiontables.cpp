#include "sheet/compositiontables.h"

#include "sheet/charactersheet.h"
#include "sheet/sheetdesign.h"

namespace Tarvosk::CompositionTables {

using namespace Qt::StringLiterals;

namespace {

struct IncomeClass
{
    QStringView letter;
    double amount;
};

constexpr std::array<IncomeClass, 12> incomeClasses{{
    {u"A", 0},   {u"B", 5},   {u"C", 10},  {u"D", 15},  {u"E", 20},   {u"F", 50},
    {u"G", 80},  {u"H", 150}, {u"I", 200}, {u"J", 400}, {u"K", 800},  {u"L", 1200},
}};

constexpr std::array<Currency, 9> currencyTable{{
    {u"US Dollar", 4, u" $)"},
    {u"Pfund Sterling", 20, u" £)"},
    {u"Mark", 1, u" Mark)"},
    {u"Franc", 0.8, u" Franc)"},
    {u"Lira", 0.8, u" Lira)"},
    {u"Peseta", 0.8, u" Peseta)"},
    {u"Gulden", 2, u" Gulden)"},
    {u"Rubel", 2.2, u" Rubel)"},
    {u"Krone", 1.1, u" Krone)"},
}};

} // namespace

const QStringList &defaultGeneralSkills()
{
    static const QStringList lines = {
        u"Allgemeinbildung+3 (In31)"_s, u"Archivwesen+3 (In31)"_s,  u"Balancieren+5 (Gw31)"_s,
        u"Beredsamkeit+3 (pA31)"_s,     u"Beschatten+3 (Rw31)"_s,   u"Boot steuern+3 (St31)"_s,
        u"Einbrechen+3 (St31)"_s,       u"Gespann fahren+3 (Gs31)"_s, u"Kampftaktik+5 (pA31)"_s,
        u"Klettern+8 (St31)"_s,         u"Menschenkenntnis+3 (In31)"_s, u"Meucheln+0 (Gs31)"_s,
        u"Reiten+5 (Gw31)"_s,           u"Schleichen+3 (Gw31)"_s,   u"Schwimmen+3 (Gw31)"_s,
        u"Springen+8 (St31)"_s,         u"Spurensuche+0 (In31)"_s,  u"Suchen+3 (In31)"_s,
        u"Tanzen+8 (Gw31)"_s,           u"Tarnen+3 (Gw31)"_s,       u"Überleben+5 (In31)"_s,
        u"Verbergen+3 (In31)"_s,        u"Verführen+3 (pA31)"_s,    u"Verhören+3 (pA31)"_s,
        u"Verkleiden+5 (Gs31)"_s,
    };
    Q_ASSERT(lines.size() == CharacterSheet::generalSkillCount);
    return lines;
}

const QStringList &standardWeapons()
{
    static const QStringList lines = {
        u"Dolch+4 (Gs31)"_s, u"waffenl.Kampf+4 (Gw31)"_s, u"Werfen+4 (Gs31)"_s,
        u"Pistole+4 (Gs31)"_s, u"Schrotflinte+4 (Gs31)"_s,
    };
    Q_ASSERT(lines.size() == qsizetype(SheetDesign::standardWeaponCells.size()));
    return lines;
}

const QStringList &weaponKeywords()
{
    static const QStringList keywords = {
        u"GEWEHR"_s,   u"MASCHINENG."_s, u"SPEER"_s,      u"FLINTE"_s,  u"BOGEN"_s, u"WURFSTERN"_s,
        u"WURFPFEIL"_s, u"WURFMESSER"_s, u"WURFAXT"_s,    u"FLORETT"_s, u"DEGEN"_s,
    };
    return keywords;
}

const QStringList &skippedKeywords()
{
    static const QStringList keywords = {u"ABWEHR"_s, u"AUSWEICHEN"_s, u"MUTTERSPRACHE"_s};
    return keywords;
}

std::optional<double> incomeAmount(QStringView incomeClass)
{
    for (const IncomeClass &entry : incomeClasses) {
        if (incomeClass == entry.letter)
            return entry.amount;
    }
    return std::nullopt;
}

const std::array<Currency, 9> &currencies()
{
    return currencyTable;
}

const Currency &currency(int code)
{
    if (code < 0 || code >= int(currencyTable.size()))
        return currencyTable[0];
    return currencyTable[size_t(code)];
}

QStringList currencyNames()
{
    QStringList names;
    for (const Currency &entry : currencyTable)
        names << entry.name.toString();
    return names;
}

} // namespace Tarvosk::CompositionTables
