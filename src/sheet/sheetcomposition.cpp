#include "sheet/sheetcomposition.h"

#include "rules/characterrecord.h"
#include "rules/numerictext.h"
#include "rules/skillrules.h"
#include "rules/wizardsteps.h"
#include "sheet/compositiontables.h"
#include "sheet/sheetdesign.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace Tarvosk {

using namespace Qt::StringLiterals;
namespace Tables = CompositionTables;

namespace {

const QString talentToolTip = u"*= Fähigkeiten die ungelernt und nur durch Talent erhöht sind"_s;

// Value cells of the header.
enum HeaderCell {
    PlayerCell,
    NationalityCell,
    BirthdayCell,
    ReligionCell,
    SizeCell,
    RaceCell,
    EyeColourCell,
    HairColourCell,
    IncomeCell,
    FameCell,
    QuirkCell,
    AgeCell,
    HabitsCell,
    AddressCell,
    FirstBasisCell,
    FirstDerivedCell = FirstBasisCell + int(Values::BasisCount),
};

// The attribute row after the basis values, left to right.
constexpr std::array derivedByCell{Values::Au, Values::pA, Values::Selbstbeherrschung, Values::Wk,
                                   Values::RW, Values::Bewegungsweite, Values::Schadensbonus, Values::HGW};
constexpr int firstSenseCell = FirstDerivedCell + int(derivedByCell.size());
constexpr std::array sensesByCell{Values::Sehen,  Values::Schmecken, Values::Hoeren,
                                  Values::Tasten, Values::Riechen,   Values::SechsterSinn};
constexpr int lifeCell = firstSenseCell + int(sensesByCell.size());
constexpr int enduranceCell = lifeCell + 1;
constexpr int experienceCell = lifeCell + 2;
constexpr int abwehrCell = 193;
constexpr int ausweichenCell = 195;
constexpr int firstSkillValueCell = 37;

// The weapon rows after the standard weapons: three of the left table, then
// the eight of the right one.
constexpr int weaponRowCount = 11;
constexpr int weaponNameCell(int row)
{
    return 149 + 4 * row;
}

constexpr int furtherSkillRowCount = CharacterSheet::lastSkillCaption - CharacterSheet::firstFurtherSkillCaption + 1;

// The skill of caption row v, general or further, has its value in cell 2v - 29.
constexpr int skillValueCell(int captionRow)
{
    return 2 * captionRow - 29;
}
static_assert(skillValueCell(CharacterSheet::firstSkillCaption) == firstSkillValueCell);

// Shortest form, "." as decimal point, at most 15 significant digits.
QString decimalText(double number)
{
    // Nearly every number on the sheet is whole; those need no floating-point formatting.
    if (number == std::trunc(number) && std::abs(number) < 1e15 && !(number == 0 && std::signbit(number)))
        return QString::number(qint64(number));
    return QString::number(number, 'g', 15);
}

QString plusValue(double number)
{
    return u'+' + decimalText(number);
}

// A line's name: its text before the first "+".
QString nameOf(const QString &line)
{
    const qsizetype plus = line.indexOf(u'+');
    return plus < 0 ? line : line.left(plus);
}

// The number at the line's first "+"; blanks inside it are skipped.
double valueOf(const QString &line)
{
    const qsizetype plus = line.indexOf(u'+');
    if (plus < 0)
        return 0;
    return leadingNumber(line.mid(plus).remove(u' '));
}

bool containsKeyword(const QString &line, const QStringList &keywords)
{
    const QString upper = upperKeepingSharpS(line);
    return std::any_of(keywords.begin(), keywords.end(),
                       [&](const QString &keyword) { return upper.contains(keyword); });
}

QString incomeLine(const QString &incomeClass, int currencyCode)
{
    const QString letter = incomeClass.trimmed();
    const std::optional<double> amount = Tables::incomeAmount(letter);
    if (!amount)
        return letter;
    const Tables::Currency &currency = Tables::currency(currencyCode);
    return letter + u" ("_s + decimalText(*amount / currency.divisor) + currency.suffix.toString();
}

// "Sprechen+9:Latein (In31)" becomes "Sprechen Latein +9 (In31)". Only the
// order name, "+", ":", "(" is rewritten: any other would lose the value.
QString withLanguageInName(const QString &line)
{
    const qsizetype plus = line.indexOf(u'+');
    const qsizetype colon = line.indexOf(u':');
    const qsizetype open = line.indexOf(u'(');
    if (plus < 0 || colon < plus || open < colon)
        return line;
    const QString language = line.mid(colon + 1, open - colon - 1);
    return line.left(plus) + u' ' + language + u'+' + line.mid(plus + 1, colon - plus - 1) + u" ("_s
        + line.mid(open + 1);
}

QStringList learntLines(const CharacterRecord &record)
{
    QStringList lines;
    for (const SkillList *list : {&record.untypical, &record.schoolList(), &record.classSkills}) {
        for (const SkillRow &row : *list) {
            if (row.learnt)
                lines << withLanguageInName(row.caption);
        }
    }
    return lines;
}

void writeHeader(CharacterSheet &sheet, const CharacterRecord &record, int currency)
{
    for (int i = 0; i < Values::BasisCount; ++i)
        sheet.setValue(FirstBasisCell + i, record.basis[size_t(i)]);
    for (size_t i = 0; i < derivedByCell.size(); ++i)
        sheet.setValue(FirstDerivedCell + int(i), record.derived[derivedByCell[i]]);
    for (size_t i = 0; i < sensesByCell.size(); ++i)
        sheet.setValue(firstSenseCell + int(i), record.natural[sensesByCell[i]]);
    sheet.setValue(abwehrCell, record.natural[Values::Abwehr]);
    sheet.setValue(ausweichenCell, record.natural[Values::Ausweichen]);
    sheet.setValue(lifeCell, record.lifeEndurance[Values::Lebenspunkte]);
    sheet.setValue(enduranceCell, record.lifeEndurance[Values::Ausdauerpunkte]);
    sheet.setValue(experienceCell, u"0"_s);

    const int motherTongue = motherTongueValue(leadingNumber(record.basis[Values::In]));
    sheet.setValue(PlayerCell, record.player);
    sheet.setValue(NationalityCell, record.nationality + u" (Sprache+"_s + QString::number(motherTongue) + u')');
    sheet.setValue(BirthdayCell, record.birthDay.trimmed() + u". "_s + record.birthMonth.trimmed() + u" ("_s
                                     + record.starSign.trimmed() + u')');
    sheet.setValue(ReligionCell, record.religion);
    sheet.setValue(SizeCell, record.derived[Values::Groesse] + u"cm / "_s + record.derived[Values::Gewicht] + u"kg"_s);
    sheet.setValue(RaceCell, record.race);
    sheet.setValue(EyeColourCell, record.eyeColour);
    sheet.setValue(HairColourCell, record.hairColour);
    sheet.setValue(IncomeCell, incomeLine(record.background[Values::Einkommensklasse], currency));
    sheet.setValue(FameCell, record.background[Values::Ruhm]);
    sheet.setValue(QuirkCell, record.quirk);
    sheet.setValue(AgeCell, record.age);
    sheet.setValue(HabitsCell, record.habits);
    sheet.setValue(AddressCell, record.address);
    sheet.setCaption(CharacterSheet::nameCaption, record.name);
    sheet.setCaption(CharacterSheet::classCaption, record.characterClass);
}

// An untrained skill at its base value, raised by talent and then starred.
void writeUntrained(CharacterSheet &sheet, const CharacterRecord &record, const QString &line, int valueCell)
{
    const int talent = TalentBonus(record, line);
    const QString value = plusValue(valueOf(line) + talent);
    sheet.setValue(valueCell, talent > 0 ? u'*' + value : value);
    sheet.setToolTip(valueCell, talent > 0 ? talentToolTip : QString());
}

// A row the sheet starts with, by the upper-cased name it shows.
struct DefaultRow
{
    QString key;
    int valueCell;
};

QString keyOf(const QString &name)
{
    return upperKeepingSharpS(name.trimmed());
}

// Learnt lines that name a row the sheet has take its value and leave the list.
void placeOnDefaultRows(CharacterSheet &sheet, const CharacterRecord &record, QStringList &lines,
                        const std::vector<DefaultRow> &rows)
{
    for (qsizetype i = 0; i < lines.size();) {
        const QString key = keyOf(nameOf(lines[i]));
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const DefaultRow &r) { return r.key == key; });
        if (row == rows.end()) {
            ++i;
            continue;
        }
        // Without a star; the tip stays as the untrained value left it.
        sheet.setValue(row->valueCell, plusValue(valueOf(lines[i]) + TalentBonus(record, lines[i])));
        lines.removeAt(i);
    }
}

void placeWeapons(CharacterSheet &sheet, const CharacterRecord &record, QStringList &lines)
{
    int row = 0;
    // Weapons beyond the last row stay in the list and go to the further skills.
    for (qsizetype i = 0; i < lines.size() && row < weaponRowCount;) {
        const QString &line = lines[i];
        if (!containsKeyword(line, Tables::weaponKeywords())) {
            ++i;
            continue;
        }
        sheet.setValue(weaponNameCell(row), nameOf(line));
        sheet.setValue(weaponNameCell(row) + 1, plusValue(valueOf(line) + TalentBonus(record, line)));
        ++row;
        lines.removeAt(i);
    }
}

// The further-skill rows, filled from the first on until none is left.
class FurtherRows
{
public:
    explicit FurtherRows(CharacterSheet &sheet)
        : m_sheet(sheet)
    {
    }

    bool place(const QString &name, const QString &value)
    {
        if (m_next >= furtherSkillRowCount)
            return false;
        const int captionRow = CharacterSheet::firstFurtherSkillCaption + m_next++;
        m_sheet.setCaption(captionRow, name);
        m_sheet.setValue(skillValueCell(captionRow), value);
        return true;
    }

private:
    CharacterSheet &m_sheet;
    int m_next = 0;
};

void placeFurtherSkills(CharacterSheet &sheet, const CharacterRecord &record, const QStringList &lines)
{
    FurtherRows rows(sheet);
    for (const QString &entry : record.special) {
        if (!rows.place(nameOf(entry), plusValue(valueOf(entry))))
            return;
    }
    for (const QString &line : lines) {
        const QString name = nameOf(line);
        const QString plain = withoutMultiplicityPrefix(name);
        const int count = plain == name
            ? 1
            : int(leadingNumber(QStringView(name).left(name.indexOf(u'x', 0, Qt::CaseInsensitive))));
        const QString value = plusValue(valueOf(line) + TalentBonus(record, line));
        for (int i = 0; i < count; ++i) {
            if (!rows.place(plain, value))
                return;
        }
    }
}

} // namespace

int TalentBonus(const CharacterRecord &record, const QString &line)
{
    const qsizetype open = line.indexOf(u'(');
    if (open < 0)
        return 0;
    const QStringView requirements = QStringView(line).mid(open + 1);
    qsizetype end = requirements.indexOf(u',');
    if (end < 0)
        end = requirements.indexOf(u')');
    const QStringView first = end < 0 ? requirements : requirements.left(end);
    const std::optional<Values::Code> code = prerequisiteCode(first);
    if (!code)
        return 0;
    const double value = leadingNumber(record.valueText(*code));
    return int(std::count_if(Tables::talentSteps.begin(), Tables::talentSteps.end(),
                             [&](int step) { return value >= step; }));
}

CharacterSheet ComposeSheet(const CharacterRecord &record, int currency)
{
    // A fresh sheet: no equipment, every skill cell empty.
    CharacterSheet sheet;
    QStringList lines = learntLines(record);
    writeHeader(sheet, record, currency);

    std::vector<DefaultRow> generalRows;
    const QStringList &generalSkills = Tables::defaultGeneralSkills();
    for (int i = 0; i < generalSkills.size(); ++i) {
        const int captionRow = CharacterSheet::firstSkillCaption + i;
        writeUntrained(sheet, record, generalSkills[i], skillValueCell(captionRow));
        sheet.setCaption(captionRow, nameOf(generalSkills[i]));
        generalRows.push_back({keyOf(sheet.caption(captionRow)), skillValueCell(captionRow)});
    }
    std::vector<DefaultRow> weaponRows;
    const QStringList &weapons = Tables::standardWeapons();
    for (size_t i = 0; i < SheetDesign::standardWeaponCells.size(); ++i) {
        const int cell = SheetDesign::standardWeaponCells[i];
        writeUntrained(sheet, record, weapons[qsizetype(i)], cell + 1);
        sheet.setValue(cell, nameOf(weapons[qsizetype(i)]));
        weaponRows.push_back({keyOf(sheet.value(cell)), cell + 1});
    }

    placeOnDefaultRows(sheet, record, lines, generalRows);
    placeOnDefaultRows(sheet, record, lines, weaponRows);
    lines.removeIf([](const QString &line) { return containsKeyword(line, Tables::skippedKeywords()); });
    placeWeapons(sheet, record, lines);
    placeFurtherSkills(sheet, record, lines);
    return sheet;
}

} // namespace Tarvosk
