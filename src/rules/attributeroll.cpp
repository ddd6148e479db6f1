#include "rules/attributeroll.h"

#include "rules/classcatalogue.h"
#include "rules/numerictext.h"
#include "rules/randomsource.h"

#include <algorithm>
#include <cmath>

namespace Tarvosk {

using namespace Qt::StringLiterals;

RollDialogs::~RollDialogs() = default;

namespace {

using namespace Values;

// What the special-ability roll (d100) gives, by inclusive ranges; 100 is the free choice.
struct SpecialRange
{
    int low;
    int high;
    int natural; // index into the natural abilities, or -1
    const char16_t *text; // the new natural value or the special ability
};

const std::vector<SpecialRange> specialRanges = {
    {1, 1, Sehen, u"+4"},
    {2, 2, Hoeren, u"+4"},
    {3, 3, Riechen, u"+4"},
    {4, 4, Schmecken, u"+4"},
    {5, 5, Tasten, u"+4"},
    {6, 20, Sehen, u"+10"},
    {21, 35, Hoeren, u"+10"},
    {36, 50, Riechen, u"+10"},
    {51, 65, Schmecken, u"+10"},
    {66, 80, Tasten, u"+10"},
    {81, 85, -1, u"Wachgabe+6"},
    {86, 90, -1, u"Eidetik+6"},
    {91, 95, -1, u"Richtungssinn+12"},
    {96, 99, -1, u"Nachtsicht+6"},
};

// The free choice: the same effects, one button each ("Ei&detik +12" adds "Eidetik+6").
struct FreeAbility
{
    const char16_t *caption;
    int natural;
    const char16_t *text;
};

const std::array<FreeAbility, 14> freeAbilities{{
    {u"&Kurzsichtigkeit (Sehen+4)", Sehen, u"+4"},
    {u"&Schwerhörigkeit (Hören +4)", Hoeren, u"+4"},
    {u"nur &Riechen +4", Riechen, u"+4"},
    {u"nur &Schmecken +4", Schmecken, u"+4"},
    {u"nur &Tasten +4", Tasten, u"+4"},
    {u"S&ehen +10", Sehen, u"+10"},
    {u"H&ören +10", Hoeren, u"+10"},
    {u"R&iechen +10", Riechen, u"+10"},
    {u"Sch&mecken +10", Schmecken, u"+10"},
    {u"T&asten +10", Tasten, u"+10"},
    {u"&Wachgabe +6", -1, u"Wachgabe+6"},
    {u"Ei&detik +12", -1, u"Eidetik+6"},
    {u"Richt&ungssinn +12", -1, u"Richtungssinn+12"},
    {u"&Nachtsicht +6", -1, u"Nachtsicht+6"},
}};

QString wholeText(double value)
{
    return QString::number(static_cast<qint64>(std::floor(value)));
}

int bestOf(RandomSource &random, int count)
{
    int best = 0;
    for (int i = 0; i < count; ++i)
        best = std::max(best, random.die(100));
    return best;
}

// A new roll starts the skills afresh: nothing learnt, no language counted,
// in both school lists, so a later change of sex finds nothing to refund.
void unmarkLearntSkills(CharacterRecord &record)
{
    for (SkillList *list : {&record.untypical, &record.schoolMale, &record.schoolFemale, &record.classSkills}) {
        for (SkillRow &row : *list) {
            row.learnt = false;
            row.caption = withoutMultiplicityPrefix(row.caption);
        }
    }
}

QString abilityBonus(double value)
{
    if (value >= 96 && value <= 100)
        return u"+14"_s;
    if (value >= 81 && value <= 95)
        return u"+13"_s;
    return u"+12"_s;
}

void rollDerivedValues(CharacterRecord &record, const ClassEntry &entry, RandomSource &random)
{
    auto &b = record.basis;
    auto &d = record.derived;
    const double st = leadingNumber(b[St]), gs = leadingNumber(b[Gs]), gw = leadingNumber(b[Gw]), ko = leadingNumber(b[Ko]),
                 in = leadingNumber(b[In]), mt = leadingNumber(b[MT]);

    // Left to right in double precision, as the rules write them; Int is the floor.
    d[RW] = wholeText(random.die(20) + (gw / 10 + in / 10) * 3 + 20);
    d[HGW] = wholeText(random.die(20) + (st / 10 + gw / 10) * 3 + 20);
    d[Wk] = wholeText(random.die(20) + (ko / 10 + in / 10) * 3 + 20);
    d[Schadensbonus] = wholeText(st / 20 + gs / 30 - 3);
    d[Bewegungsweite] = QString::number(random.dice(4, 3) + 16);
    d[Au] = QString::number(random.die(100));
    d[Groesse] = wholeText(st / 10 + random.dice(2, 20) + 150);
    const int sexAdjustment = record.isMale() ? 3 : -3;
    d[Gewicht] = wholeText(leadingNumber(d[Groesse]) + st / 10 + random.dice(3, 6) + sexAdjustment - 120);

    const double charisma = std::floor(random.die(100) + (in / 10 + leadingNumber(d[Au]) / 10) * 3 - 30);
    d[pA] = wholeText(std::min(charisma, 100.0));

    double control = std::floor(random.die(100) + (in / 10 + leadingNumber(d[Wk]) / 10) * 3);
    if (entry.selfControlPenalty > 0)
        control = std::max(control - entry.selfControlPenalty, 0.0);
    d[Selbstbeherrschung] = wholeText(std::min(control, 100.0));

    record.lifeEndurance[Lebenspunkte] = wholeText(random.die(6) + std::floor(ko / 10) + 4);
    record.lifeEndurance[Ausdauerpunkte] =
        wholeText(random.dice(3, 6) + std::floor(ko / 10) + std::floor(st / 20) + entry.enduranceAdjustment);

    auto &n = record.natural;
    n[Abwehr] = abilityBonus(gw);
    n[Ausweichen] = abilityBonus(leadingNumber(d[RW]));
    for (int sense = Hoeren; sense <= Schmecken; ++sense)
        n[sense] = u"+8"_s;
    n[SechsterSinn] = u'+' + wholeText(mt / 20);
}

void rollSpecialAbility(CharacterRecord &record, RandomSource &random, RollDialogs &dialogs)
{
    for (;;) {
        const int roll = random.die(100);
        if (roll == 100) {
            const int choice = dialogs.chooseFreeAbility();
            if (choice >= 0)
                applyFreeAbility(record, choice);
            continue; // and the table is rolled again
        }
        for (const SpecialRange &range : specialRanges) {
            if (roll < range.low || roll > range.high)
                continue;
            if (range.natural >= 0)
                record.natural[range.natural] = QString::fromUtf16(range.text);
            else
                addSpecial(record, QString::fromUtf16(range.text));
        }
        return;
    }
}

void rollBackground(CharacterRecord &record, const ClassEntry &entry, RandomSource &random)
{
    const bool woman = record.sex == u"weiblich";
    const QString fame = lookUpRoll(entry.fame, random.die(100));
    if (!fame.isEmpty())
        record.background[0] = fame;
    const qsizetype slash = record.background[0].indexOf(u'/');
    if (woman && slash >= 0) {
        const double second = leadingNumber(QStringView(record.background[0]).mid(slash + 1));
        record.background[0] = record.background[0].left(slash + 1) + wholeText(second + 2);
    }

    const QString income = lookUpRoll(entry.income, random.die(100));
    if (!income.isEmpty())
        record.background[1] = income;
    if (woman && record.background[1].size() == 1 && record.background[1] < u"D")
        record.background[1] = u"D"_s;
}

} // namespace

bool meetsClassMinimums(const CharacterRecord &record, const ClassEntry &entry)
{
    for (const ClassMinimum &minimum : entry.minimums) {
        if (leadingNumber(record.valueText(minimum.code)) < minimum.least)
            return false;
    }
    return true;
}

RollOutcome DiceAgain(CharacterRecord &record, WizardState &wizard, const ClassEntry &entry, RandomSource &random,
                      RollDialogs &dialogs)
{
    for (;;) {
        record.special.clear();
        wizard.backToStep1 = false;
        wizard.backToStep2 = false;

        bool startAgain = false;
        if (!record.moreFreedom) {
            for (int i = St; i <= MT; ++i)
                record.basis[i] = QString::number(bestOf(random, 2));
        } else {
            record.clearValues();
            for (int placed = 0; placed < 5 && !startAgain; ++placed) {
                const int value = bestOf(random, 3);
                const int answer = dialogs.placeValue(record, value);
                if (answer == RollDialogs::Abort) {
                    record.special.clear();
                    record.clearValues();
                    return RollOutcome::Aborted;
                }
                if (canPlaceValue(record, answer)) {
                    record.basis[answer] = QString::number(value);
                } else {
                    // Discard (or an answer that places nothing): every value goes, the roll starts afresh.
                    record.clearValues();
                    startAgain = true;
                }
            }
            if (startAgain)
                continue;
            record.basis[MT] = QString::number(bestOf(random, 2));
        }

        unmarkLearntSkills(record);
        record.resetPersonalData();
        record.age.clear();
        rollDerivedValues(record, entry, random);
        record.special.clear();

        if (!meetsClassMinimums(record, entry)) {
            if (!record.moreFreedom)
                continue;
            // The failed values stay until the player has read why they fail.
            return RollOutcome::Insufficient;
        }

        rollSpecialAbility(record, random, dialogs);
        rollBackground(record, entry, random);
        return RollOutcome::Rolled;
    }
}

bool canPlaceValue(const CharacterRecord &record, int attribute)
{
    return attribute >= St && attribute <= In && !isRolled(record.basis[attribute]);
}

void applyFreeAbility(CharacterRecord &record, int choice)
{
    if (choice < 0 || choice >= int(freeAbilities.size()))
        return;
    const FreeAbility &ability = freeAbilities[choice];
    if (ability.natural >= 0)
        record.natural[ability.natural] = QString::fromUtf16(ability.text);
    else
        addSpecial(record, QString::fromUtf16(ability.text));
}

const QStringList &freeAbilityCaptions()
{
    static const QStringList captions = [] {
        QStringList list;
        for (const FreeAbility &ability : freeAbilities)
            list.append(QString::fromUtf16(ability.caption));
        return list;
    }();
    return captions;
}

void addSpecial(CharacterRecord &record, const QString &entry)
{
    if (!record.special.isEmpty())
        DropSpecial(record.special, entry);
    record.special.append(entry);
}

void DropSpecial(QStringList &special, const QString &entry)
{
    const QString wanted = entry.trimmed().toUpper();
    special.removeIf([&wanted](const QString &present) { return present.trimmed().toUpper() == wanted; });
}

} // namespace Tarvosk
