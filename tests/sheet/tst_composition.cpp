#include "rules/characterrecord.h"
#include "sheet/charactersheet.h"
#include "sheet/sheetcomposition.h"

#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

const QString starTip = u"*= Fähigkeiten die ungelernt und nur durch Talent erhöht sind"_s;

SkillRow learnt(const QString &caption, bool isLearnt = true)
{
    return {caption, 1, isLearnt, true};
}

// A rolled man of average values (50, no talent anywhere), nothing learnt.
CharacterRecord averageRecord()
{
    CharacterRecord record;
    record.basis.fill(u"50"_s);
    record.derived.fill(u"50"_s);
    record.natural.fill(u"5"_s);
    for (SkillList *list : {&record.untypical, &record.schoolMale, &record.schoolFemale, &record.classSkills})
        list->clear();
    return record;
}

constexpr int furtherCaption(int row) { return 58 + row; }
constexpr int furtherValue(int row) { return 87 + 2 * row; }

// Values from `cell` on, `step` apart.
void setValues(CharacterSheet &sheet, int cell, int step, const QStringList &values)
{
    for (int row = 0; row < values.size(); ++row)
        sheet.setValue(cell + step * row, values[row]);
}

} // namespace

class TestComposition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The income class with its amount in the currency chosen; an unknown currency is the first one.
    void incomeLine()
    {
        const struct { QString incomeClass; int currency; QString line; } cases[] = {
            {u"C"_s, 8, u"C (9.09090909090909 Krone)"_s}, {u" K "_s, 2, u"K (800 Mark)"_s}, {u"M"_s, 0, u"M"_s},
            {u"C"_s, 9, u"C (2.5 $)"_s}, {u"C"_s, -1, u"C (2.5 $)"_s}};
        for (const auto &c : cases) {
            CharacterRecord record = averageRecord();
            record.background[Values::Einkommensklasse] = c.incomeClass;
            QCOMPARE(ComposeSheet(record, c.currency).value(8), c.line);
        }
    }

    // The 21 further rows and the 11 weapon rows fill up; the rest is left off.
    void capacity()
    {
        const QStringList wachgabe{u"Wachgabe+6"_s}, fechten{u"Fechten+6 (Gw61)"_s};
        QStringList languages = wachgabe, special, speers;
        languages.resize(21, u"Sprechen+9"_s);
        for (int i = 1; i <= 23; ++i)
            special << u"Gabe%1+%1"_s.arg(i);
        for (int i = 1; i <= 13; ++i)
            speers << u"Speer%1+%1"_s.arg(i);
        // The special abilities, the learnt lines, then "name+value" of each further row and the weapon rows.
        const struct { QStringList special, lines, further, weapons; } cases[] = {
            {wachgabe, QStringList{u"25x Sprechen+9 (In31)"_s} + fechten, languages, {}},
            {special, fechten, special.mid(0, 21), {}},
            {wachgabe, speers, wachgabe + speers.mid(11), speers.mid(0, 11)}};
        for (const auto &c : cases) {
            CharacterRecord record = averageRecord();
            record.special = c.special;
            for (const QString &line : c.lines)
                record.classSkills.push_back(learnt(line));
            const CharacterSheet sheet = ComposeSheet(record, 0);
            for (int row = 0; row < 21; ++row)
                QCOMPARE(sheet.caption(furtherCaption(row)) + sheet.value(furtherValue(row)), c.further.value(row));
            for (int row = 0; row < 11; ++row)
                QCOMPARE(sheet.value(149 + 4 * row) + sheet.value(150 + 4 * row), c.weapons.value(row));
            // The cells after the last rows keep their own.
            QCOMPARE(sheet.caption(79) + sheet.value(193), u"Sechster Sinn5"_s);
        }
    }

    void fullComposition()
    {
        CharacterRecord record;
        // Name, player, nationality, age, address, eyes, hair, race, religion, habits, quirk
        const QStringList personal{u"Edgar Whitlock"_s, u"Anna Berg"_s, u"Engländer"_s, u"24"_s,
                                   u"London, Baker Street"_s, u"Grau"_s, u"Schwarz"_s, u"Europide"_s,
                                   u"Anglikaner"_s, u"Raucht Pfeife, Trinkt Tee"_s, u"Geizig"_s};
        for (int field = 0; field < personal.size(); ++field)
            record.personal(PersonalField(field)) = personal[field];
        record.birthDay = u" 7"_s;
        record.birthMonth = u"März "_s;
        record.starSign = u" Fische"_s;
        record.background = {u"12"_s, u"C"_s};
        record.characterClass = u"Detektiv"_s;
        record.sex = u"männlich"_s;
        // St, Gs, Gw, Ko, In, mT
        record.basis = {u"55"_s, u"88"_s, u"96"_s, u"40"_s, u"85"_s, u"12"_s};
        // RW, Hgw, Wk, Sch, B, Au, Größe, Gewicht, pA, Sb
        record.derived = {u"82"_s, u"30"_s, u"45"_s, u"2"_s, u"24"_s, u"60"_s, u"180"_s, u"75"_s, u"81"_s, u"50"_s};
        record.lifeEndurance = {u"14"_s, u"22"_s};
        // Abwehr, Ausweichen, Hören, Sehen, Tasten, Riechen, Schmecken, Sechster Sinn
        record.natural = {u"11"_s, u"13"_s, u"8"_s, u"9"_s, u"7"_s, u"6"_s, u"5"_s, u"3"_s};
        record.special = {u"Wachgabe+6"_s, u"Richtungssinn+12"_s};
        record.untypical = {learnt(u"Taschendiebstahl+5 (Gs61)"_s), learnt(u"Wurfspeer+5 (Gs21, St31)"_s),
                            learnt(u"Kochen+4 (In11)"_s, false)};
        record.schoolMale = {learnt(u"Abwehr+12 (Gw01)"_s),          learnt(u"Ausweichen+12 (RW01)"_s),
                             learnt(u"Muttersprache: Schreiben+18"_s), learnt(u"Muttersprache: Sprechen+18"_s),
                             learnt(u"Reiten+12 (Gw21)"_s),          learnt(u"2x Sprechen+9 (In31)"_s),
                             learnt(u"Schreiben+6 (In31)"_s),        learnt(u"Tanzen+10 (Gw31)"_s, false)};
        record.schoolFemale = {learnt(u"Verführen+9 (pA31)"_s)};
        record.classSkills = {learnt(u"Sprechen+9:Latein (In31)"_s), learnt(u"Schrotflinte+6 (Gs01, St31)"_s),
                              learnt(u"Gewehr+6 (Gs21, St21)"_s),    learnt(u"Spurensuche+5 (In31)"_s),
                              learnt(u"Fechten+6 (Gw"_s),            learnt(u"Kampf zu Pferd+14 (Gw01)"_s),
                              learnt(u"Boot steuern+6 (St31)"_s, false)};

        // By hand; talents St 0, Gs 1, Gw 2, In 1, pA 1, Rw 1 (Gw, pA right on a step); Fechten's "(Gw" left open.
        CharacterSheet expected;
        expected.setCaption(0, u"Edgar Whitlock"_s);
        expected.setCaption(1, u"Detektiv"_s);
        const QStringList header = {
            u"Anna Berg"_s, u"Engländer (Sprache+18)"_s, u"7. März (Fische)"_s, u"Anglikaner"_s, u"180cm / 75kg"_s,
            u"Europide"_s, u"Grau"_s, u"Schwarz"_s, u"C (0.5 £)"_s, u"12"_s, u"Geizig"_s, u"24"_s,
            u"Raucht Pfeife, Trinkt Tee"_s, u"London, Baker Street"_s,
            // St, Ge, Gw, Ko, In, mT, Au, pA, Sb, Wk, Rw, B, Sch, Hgw
            u"55"_s, u"88"_s, u"96"_s, u"40"_s, u"85"_s, u"12"_s, u"60"_s, u"81"_s, u"50"_s, u"45"_s, u"82"_s,
            u"24"_s, u"2"_s, u"30"_s,
            // Sehen, Schmecken, Hören, Tasten, Riechen, Sechster Sinn, LP, AP, EP
            u"9"_s, u"5"_s, u"8"_s, u"7"_s, u"6"_s, u"3"_s, u"14"_s, u"22"_s, u"0"_s};
        for (int cell = 0; cell < header.size(); ++cell)
            expected.setValue(cell, header[cell]);
        expected.setValue(193, u"11"_s);
        expected.setValue(195, u"13"_s);
        // Allgemeinbildung .. Verkleiden; Reiten and Spurensuche are learnt.
        setValues(expected, 37, 2,
                       {u"*+4"_s, u"*+4"_s, u"*+7"_s, u"*+4"_s, u"*+4"_s, u"+3"_s, u"+3"_s, u"*+4"_s, u"*+6"_s,
                        u"+8"_s, u"*+4"_s, u"*+1"_s, u"+14"_s, u"*+5"_s, u"*+5"_s, u"+8"_s, u"+6"_s, u"*+4"_s,
                        u"*+10"_s, u"*+5"_s, u"*+6"_s, u"*+4"_s, u"*+4"_s, u"*+4"_s, u"*+6"_s});
        // Dolch, waffenl.Kampf, Werfen, Pistole; Schrotflinte is learnt. Then Wurfspeer and Gewehr.
        setValues(expected, 130, 4, {u"*+5"_s, u"*+6"_s, u"*+5"_s, u"*+5"_s, u"+7"_s, u"+6"_s, u"+7"_s});
        expected.setValue(149, u"Wurfspeer"_s);
        expected.setValue(153, u"Gewehr"_s);
        // The special abilities, then the rest in list order: a language learnt twice fills two rows.
        const QStringList further = {u"Wachgabe+6"_s, u"Richtungssinn+12"_s, u"Taschendiebstahl+6"_s,
                                     u"Sprechen+10"_s, u"Sprechen+10"_s, u"Schreiben+7"_s, u"Sprechen Latein +10"_s,
                                     u"Fechten+8"_s, u"Kampf zu Pferd+16"_s};
        for (int row = 0; row < further.size(); ++row) {
            expected.setCaption(furtherCaption(row), further[row].section(u'+', 0, 0));
            expected.setValue(furtherValue(row), u'+' + further[row].section(u'+', 1));
        }

        // A starred value carries the tip; learnt Reiten, Spurensuche and Schrotflinte keep theirs.
        for (int i = 0; i < CharacterSheet::valueCount; ++i)
            expected.setToolTip(i, expected.value(i).startsWith(u'*') || i == 61 || i == 69 || i == 146 ? starTip : QString());

        QCOMPARE(ComposeSheet(record, 1), expected);
    }
};

QTEST_APPLESS_MAIN(TestComposition)
#include "tst_composition.moc"
