#include "rules/attributeroll.h"
#include "rules/backgroundtables.h"
#include "rules/characterrecord.h"
#include "rules/classcatalogue.h"
#include "rules/personallists.h"
#include "rules/skilllisttables.h"
#include "rules/wizardsteps.h"
#include "support/scriptedrandom.h"
#include "support/scriptedrolldialogs.h"

#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

QList<float> faces(int sides, const QList<int> &shown)
{
    QList<float> numbers;
    for (int face : shown)
        numbers.append(ScriptedRandom::forFace(face, sides));
    return numbers;
}

// The faces of one roll without "Mehr Freiheit", die by die; a base value is the higher of its two d100.
struct Dice
{
    std::array<int, 6> basis{50, 50, 50, 50, 50, 50};
    int rw = 1, hgw = 1, wk = 1;
    std::array<int, 4> movement{1, 1, 1, 1};
    int looks = 1;
    std::array<int, 2> height{1, 1};
    std::array<int, 3> weight{1, 1, 1};
    int charisma = 1, control = 1, life = 1;
    std::array<int, 3> endurance{1, 1, 1};
    QList<int> special{1}; // a 100 is followed by the next roll of the table
    int fame = 1, income = 1;
};

// Everything after the base values up to the class check.
QList<float> derivedDraws(const Dice &d)
{
    return faces(20, {d.rw, d.hgw, d.wk}) + faces(3, {d.movement.begin(), d.movement.end()}) + faces(100, {d.looks})
        + faces(20, {d.height[0], d.height[1]}) + faces(6, {d.weight.begin(), d.weight.end()})
        + faces(100, {d.charisma, d.control}) + faces(6, {d.life, d.endurance[0], d.endurance[1], d.endurance[2]});
}

// The draws of a roll that fails the class minimums: it ends before the special ability.
QList<float> valueDraws(const Dice &d)
{
    QList<float> numbers;
    for (int i = 0; i < 6; ++i)
        numbers += i % 2 ? faces(100, {1, d.basis[i]}) : faces(100, {d.basis[i], 1});
    return numbers + derivedDraws(d);
}

QList<float> closingDraws(const Dice &d)
{
    return faces(100, d.special) + faces(100, {d.fame, d.income});
}

QList<float> draws(const Dice &d)
{
    return valueDraws(d) + closingDraws(d);
}

// One call of DiceAgain with scripted dice and dialogs.
struct Roll
{
    CharacterRecord record;
    WizardState wizard;
    ScriptedRandom random;
    ScriptedRollDialogs dialogs;

    explicit Roll(const QString &characterClass, const QString &sex = u"männlich"_s)
    {
        record.characterClass = characterClass;
        record.sex = sex;
        wizard.listsFilled = true;
        random.fallback = 0.99f; // a wrong re-roll still ends: every die then shows its highest face
    }
    RollOutcome run(const QList<float> &script)
    {
        random.numbers = script;
        return DiceAgain(record, wizard, random, dialogs);
    }
};

QString rolledField(const CharacterRecord &record, const QString &name)
{
    static const QStringList derived{u"RW"_s, u"HGW"_s, u"Wk"_s, u"Schadensbonus"_s, u"Bewegungsweite"_s, u"Au"_s,
                                     u"Größe"_s, u"Gewicht"_s, u"pA"_s, u"Selbstbeherrschung"_s};
    static const QStringList natural{u"Abwehr"_s, u"Ausweichen"_s, u"Hören"_s, u"Sehen"_s,
                                     u"Tasten"_s, u"Riechen"_s, u"Schmecken"_s, u"Sechster Sinn"_s};
    if (name == u"LP")
        return record.lifeEndurance[0];
    return derived.contains(name) ? record.derived[derived.indexOf(name)] : record.natural[natural.indexOf(name)];
}

bool allNotRolled(const CharacterRecord &r)
{
    QStringList all(r.basis.begin(), r.basis.end());
    all << QStringList(r.derived.begin(), r.derived.end()) << QStringList(r.lifeEndurance.begin(), r.lifeEndurance.end())
        << QStringList(r.natural.begin(), r.natural.end()) << QStringList(r.background.begin(), r.background.end());
    return all.count(u"-"_s) == all.size();
}

} // namespace

Q_DECLARE_METATYPE(Dice)

class TestRolling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyDieInItsOrder()
    {
        Roll roll(u"Agent"_s);
        const RollOutcome outcome = roll.run(faces(100, {40, 72, 81, 64, 33, 90, 55, 55, 47, 12, 3, 68})
            + faces(20, {7, 15, 2}) + faces(3, {1, 3, 2, 3}) + faces(100, {64}) + faces(20, {11, 18})
            + faces(6, {4, 6, 2}) + faces(100, {40, 25}) + faces(6, {5, 3, 4, 6}) + faces(100, {88, 31, 96}));
        QCOMPARE(outcome, RollOutcome::Rolled);
        QVERIFY(roll.random.numbers.isEmpty());
        const CharacterRecord &r = roll.record;
        QCOMPARE(QStringList(r.basis.begin(), r.basis.end()), (QStringList{u"72"_s, u"81"_s, u"90"_s, u"55"_s, u"47"_s, u"68"_s}));
        QCOMPARE(QStringList(r.derived.begin(), r.derived.end()),
                 (QStringList{u"68"_s, u"83"_s, u"52"_s, u"3"_s, u"25"_s, u"64"_s, u"186"_s, u"88"_s, u"43"_s, u"24"_s}));
        QCOMPARE(r.lifeEndurance[0] + u'/' + r.lifeEndurance[1], u"14/24"_s);
        QCOMPARE(QStringList(r.natural.begin(), r.natural.end()),
                 (QStringList{u"+13"_s, u"+12"_s, u"+8"_s, u"+8"_s, u"+8"_s, u"+8"_s, u"+8"_s, u"+3"_s}));
        QCOMPARE(r.special, QStringList{u"Eidetik+6"_s});
        QCOMPARE(r.background[0] + u' ' + r.background[1], u"4/2 G"_s);
    }

    void derivedValues_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<Dice>("dice");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        const QString man = u"männlich"_s, journalist = u"Journalist"_s;
        auto row = [&](const char *tag, const QString &cls, const Dice &dice, const char16_t *field, const char16_t *expected) {
            QTest::newRow(tag) << cls << man << dice << QString::fromUtf16(field) << QString::fromUtf16(expected);
        };
        // Int is the floor: -2.17 gives -3.
        row("Schadensbonus St 10 Gs 10", journalist, {.basis = {10, 10, 50, 50, 50, 50}}, u"Schadensbonus", u"-3");
        row("Schadensbonus St 60 Gs 30", journalist, {.basis = {60, 30, 50, 50, 50, 50}}, u"Schadensbonus", u"1");
        row("Schadensbonus St 100 Gs 100", journalist, {.basis = {100, 100, 50, 50, 50, 50}}, u"Schadensbonus", u"5");
        // (6.1 + 6.1) * 3 is 36.599999999999994 in double: 1 + it + 20 floors to 57.
        row("RW Gw 61 In 61", journalist, {.basis = {50, 50, 61, 50, 61, 50}}, u"RW", u"57");
        for (const auto &[gw, bonus] : {std::pair(80, u"+12"), std::pair(81, u"+13"), std::pair(95, u"+13"), std::pair(96, u"+14")})
            row(qPrintable(u"Abwehr Gw %1"_s.arg(gw)), journalist, {.basis = {50, 50, gw, 50, 50, 50}}, u"Abwehr", bonus);
        row("Ausweichen RW 80", journalist, {.basis = {50, 50, 70, 50, 70, 50}, .rw = 18}, u"Ausweichen", u"+12");
        row("Ausweichen RW 81", journalist, {.basis = {50, 50, 70, 50, 70, 50}, .rw = 19}, u"Ausweichen", u"+13");
        row("Ausweichen RW 95", journalist, {.basis = {50, 50, 100, 50, 100, 50}, .rw = 15}, u"Ausweichen", u"+13");
        row("Ausweichen RW 96", journalist, {.basis = {50, 50, 100, 50, 100, 50}, .rw = 16}, u"Ausweichen", u"+14");
        for (const auto &[mt, sense] : {std::pair(19, u"+0"), std::pair(20, u"+1"), std::pair(99, u"+4"), std::pair(100, u"+5")})
            row(qPrintable(u"Sechster Sinn MT %1"_s.arg(mt)), journalist, {.basis = {50, 50, 50, 50, 50, mt}}, u"Sechster Sinn", sense);
        row("Bewegungsweite highest", journalist, {.movement = {3, 3, 3, 3}}, u"Bewegungsweite", u"28");
        row("Größe", journalist, {.basis = {55, 50, 50, 50, 50, 50}, .height = {20, 20}}, u"Größe", u"195");
        // The whole Größe of this roll (157), not 157.5: 48.5 and 42.5.
        row("Gewicht man", journalist, {.basis = {55, 50, 50, 50, 50, 50}}, u"Gewicht", u"48");
        QTest::newRow("Gewicht woman") << journalist << u"weiblich"_s << Dice{.basis = {55, 50, 50, 50, 50, 50}} << u"Gewicht"_s << u"42"_s;
        row("pA capped at 100", journalist, {.basis = {50, 50, 50, 50, 100, 50}, .looks = 100, .charisma = 100}, u"pA", u"100");
        row("pA negative", journalist, {.basis = {50, 50, 50, 50, 31, 50}}, u"pA", u"-20");
        row("LP", journalist, {.basis = {50, 50, 50, 59, 50, 50}, .life = 6}, u"LP", u"15");
        // S = Int(d100 + (In/10 + Wk/10) * 3), Wk from this roll.
        const Dice lowWill{.basis = {50, 50, 50, 10, 10, 50}, .looks = 100, .charisma = 100}; // Wk 27, S = d100 + 11
        Dice s = lowWill;
        s.control = 29;
        row("Künstler S 40", u"Künstler"_s, s, u"Selbstbeherrschung", u"0");
        s.control = 49;
        row("Künstler S 60", u"Künstler"_s, s, u"Selbstbeherrschung", u"10");
        s.control = 18;
        row("Soldat S 29", u"Soldat"_s, s, u"Selbstbeherrschung", u"0");
        s.control = 20;
        row("Soldat S 31", u"Soldat"_s, s, u"Selbstbeherrschung", u"1");
        row("Diplomat S 104", u"Diplomat"_s, {.basis = {50, 50, 50, 100, 100, 50}, .control = 50}, u"Selbstbeherrschung", u"100");
        row("Kirchenmann S 42", u"Kirchenmann"_s, {.basis = {50, 50, 50, 10, 40, 50}, .control = 20}, u"Selbstbeherrschung", u"42");
        row("Glücksritter S 90", u"Glücksritter"_s, {.control = 60}, u"Selbstbeherrschung", u"40");
    }
    void derivedValues()
    {
        QFETCH(QString, className);
        QFETCH(QString, sex);
        QFETCH(Dice, dice);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        Roll roll(className, sex);
        QCOMPARE(roll.run(draws(dice)), RollOutcome::Rolled);
        QCOMPARE(rolledField(roll.record, field), expected);
    }

    void enduranceByClass_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("endurance");
        const QStringList hardy{u"Soldat"_s, u"Naturforscher"_s, u"Feldforscher"_s, u"Entdecker"_s, u"Agent"_s};
        for (const QString &cls : characterClasses())
            QTest::addRow("%s", cls.toUtf8().constData()) << cls << (hardy.contains(cls) ? u"13"_s : u"7"_s);
    }
    void enduranceByClass()
    {
        QFETCH(QString, className);
        QFETCH(QString, endurance);
        Roll roll(className);
        // 3d6 3, Int(Ko 59 / 10) 5, Int(St 59 / 20) 2, each part floored on its own; every class's minimums are met.
        QCOMPARE(roll.run(draws({.basis = {59, 70, 70, 59, 70, 50}, .looks = 100, .charisma = 100})), RollOutcome::Rolled);
        QCOMPARE(roll.record.lifeEndurance[1], endurance);
    }

    void classMinimumsRollAgain_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<Dice>("first");
        QTest::addColumn<bool>("rolledAgain");
        QTest::newRow("Archäologe In 60") << u"Archäologe"_s << Dice{.basis = {50, 50, 50, 50, 60, 50}} << true;
        QTest::newRow("Archäologe In 61") << u"Archäologe"_s << Dice{.basis = {50, 50, 50, 50, 61, 50}} << false;
        QTest::newRow("Agent Gs 60") << u"Agent"_s << Dice{.basis = {50, 60, 50, 50, 50, 50}} << true;
        QTest::newRow("Agent In 30") << u"Agent"_s << Dice{.basis = {50, 70, 50, 50, 30, 50}} << true;
        QTest::newRow("Soldat Gw 30") << u"Soldat"_s << Dice{.basis = {50, 50, 30, 50, 50, 50}} << true;
        QTest::newRow("Soldat Gs 31 Gw 31") << u"Soldat"_s << Dice{.basis = {50, 31, 31, 50, 1, 50}} << false;
        QTest::newRow("Ingenieur Gs 30") << u"Ingenieur"_s << Dice{.basis = {50, 30, 50, 50, 90, 50}} << true;
        QTest::newRow("Glücksritter In 30") << u"Glücksritter"_s << Dice{.basis = {50, 50, 50, 50, 30, 50}} << true;
        // pA = d100 + (5 + 5) * 3 - 30 = d100.
        QTest::newRow("Künstler pA 60") << u"Künstler"_s << Dice{.looks = 50, .charisma = 60} << true;
        QTest::newRow("Künstler pA 61") << u"Künstler"_s << Dice{.looks = 50, .charisma = 61} << false;
        QTest::newRow("unknown class") << u"Pirat"_s << Dice{.basis = {1, 1, 1, 1, 1, 1}} << false;
    }
    void classMinimumsRollAgain()
    {
        QFETCH(QString, className);
        QFETCH(Dice, first);
        QFETCH(bool, rolledAgain);
        const Dice second{.basis = {80, 81, 82, 83, 84, 85}, .looks = 80, .charisma = 90, .special = {83}, .fame = 100};
        Roll roll(className);
        // A failing roll draws no special ability, fame or income: everything is rolled anew.
        QCOMPARE(roll.run(rolledAgain ? valueDraws(first) + draws(second) : draws(first)), RollOutcome::Rolled);
        QVERIFY(roll.random.numbers.isEmpty());
        const Dice &kept = rolledAgain ? second : first;
        for (int i = 0; i < 6; ++i)
            QCOMPARE(roll.record.basis[i], QString::number(kept.basis[i]));
        QCOMPARE(roll.record.special, rolledAgain ? QStringList{u"Wachgabe+6"_s} : QStringList());
    }

    void womenHaveMoreFameAndIncome_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<int>("fameRoll");
        QTest::addColumn<int>("incomeRoll");
        QTest::addColumn<QString>("background");
        const QString woman = u"weiblich"_s, man = u"männlich"_s;
        QTest::newRow("Archäologe woman") << u"Archäologe"_s << woman << 100 << 96 << u"12/7 H"_s;
        QTest::newRow("Archäologe man") << u"Archäologe"_s << man << 100 << 96 << u"12/5 H"_s;
        QTest::newRow("Kirchenmann woman") << u"Kirchenmann"_s << woman << 1 << 1 << u"1/2 D"_s;
        QTest::newRow("Händler woman") << u"Händler"_s << woman << 2 << 1 << u"3/4 D"_s;
        QTest::newRow("Händler man") << u"Händler"_s << man << 2 << 1 << u"3/2 A"_s;
        QTest::newRow("Diplomat woman") << u"Diplomat"_s << woman << 1 << 30 << u"1/5 D"_s;
        QTest::newRow("Agent woman") << u"Agent"_s << woman << 100 << 31 << u"13/10 E"_s;
        QTest::newRow("Soldat woman") << u"Soldat"_s << woman << 1 << 100 << u"1/4 I"_s;
    }
    void womenHaveMoreFameAndIncome()
    {
        QFETCH(QString, className);
        QFETCH(QString, sex);
        QFETCH(int, fameRoll);
        QFETCH(int, incomeRoll);
        QFETCH(QString, background);
        Roll roll(className, sex);
        QCOMPARE(roll.run(draws({.basis = {70, 70, 70, 70, 70, 70}, .fame = fameRoll, .income = incomeRoll})), RollOutcome::Rolled);
        QCOMPARE(roll.record.background[0] + u' ' + roll.record.background[1], background);
    }

    void backgroundRowBoundaries_data()
    {
        QTest::addColumn<bool>("fame");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("results"); // at 1, 2, 30, 31, 50, 51, 80, 81, 95, 96, 99, 100
        QTest::newRow("Agent Ruhm") << true << u"Agent"_s << u"2/3 3/2 3/2 4/2 4/2 5/1 5/1 6/1 6/1 8/3 8/3 13/8"_s;
        QTest::newRow("Agent Einkommen") << false << u"Agent"_s << u"C D D E E F F F F G G H"_s;
        QTest::newRow("Arzt Ruhm") << true << u"Arzt"_s << u"2/3 3/2 3/2 4/2 4/2 5/1 5/1 5/1 5/1 8/3 8/3 10/2"_s;
        QTest::newRow("Diplomat Ruhm") << true << u"Diplomat"_s << u"1/3 2/3 2/3 3/2 3/2 4/2 4/2 5/1 5/1 8/3 8/3 12/5"_s;
        QTest::newRow("Diplomat Einkommen") << false << u"Diplomat"_s << u"B B B F F G G H H I I J"_s;
        QTest::newRow("Kirchenmann Ruhm") << true << u"Kirchenmann"_s << u"1/0 2/0 2/0 2/0 2/0 3/0 3/0 3/0 3/0 5/0 5/0 8/0"_s;
        QTest::newRow("Kirchenmann Einkommen") << false << u"Kirchenmann"_s << u"D D D E E F F F F G G G"_s;
        QTest::newRow("Kriminalist Einkommen") << false << u"Kriminalist"_s << u"C D D E E F F G G G G H"_s;
        QTest::newRow("Künstler Einkommen") << false << u"Künstler"_s << u"C D D E E E E F F H H I"_s;
        QTest::newRow("Soldat Ruhm") << true << u"Soldat"_s << u"1/2 1/1 1/1 2/1 2/1 2/1 2/1 3/1 3/1 7/1 7/1 12/5"_s;
        QTest::newRow("Soldat Einkommen") << false << u"Soldat"_s << u"A B B E E F F G G H H I"_s;
    }
    void backgroundRowBoundaries()
    {
        QFETCH(bool, fame);
        QFETCH(QString, className);
        QFETCH(QString, results);
        QStringList found;
        for (int roll : {1, 2, 30, 31, 50, 51, 80, 81, 95, 96, 99, 100})
            found << lookUpBackground(fame ? fameTables() : incomeTables(), className, roll);
        QCOMPARE(found.join(u' '), results);
        QVERIFY(lookUpBackground(fame ? fameTables() : incomeTables(), className, 101).isEmpty());
    }

    void backgroundTablesCoverEveryRollOfEveryClass()
    {
        for (const auto *tables : {&fameTables(), &incomeTables()}) {
            QStringList classes;
            for (const BackgroundTable &table : *tables) {
                classes << table.className;
                int next = 1;
                for (const RollRange &range : table.ranges) {
                    QCOMPARE(table.className + u' ' + QString::number(range.low), table.className + u' ' + QString::number(next));
                    QVERIFY(range.high >= range.low && !range.result.isEmpty());
                    next = range.high + 1;
                }
                QCOMPARE(next, 101);
            }
            QCOMPARE(classes, characterClasses());
            QVERIFY(lookUpBackground(*tables, u"Pirat"_s, 50).isEmpty());
        }
    }

    void specialAbilityTable_data()
    {
        QTest::addColumn<int>("roll");
        QTest::addColumn<int>("sense"); // the natural ability it changes, or -1 for a special ability
        QTest::addColumn<QString>("value");
        const struct { int low, high, sense; const char16_t *value; } ranges[] = {
            {1, 1, 3, u"+4"}, {2, 2, 2, u"+4"}, {3, 3, 5, u"+4"}, {4, 4, 6, u"+4"}, {5, 5, 4, u"+4"},
            {6, 20, 3, u"+10"}, {21, 35, 2, u"+10"}, {36, 50, 5, u"+10"}, {51, 65, 6, u"+10"}, {66, 80, 4, u"+10"},
            {81, 85, -1, u"Wachgabe+6"}, {86, 90, -1, u"Eidetik+6"}, {91, 95, -1, u"Richtungssinn+12"}, {96, 99, -1, u"Nachtsicht+6"},
        };
        for (const auto &range : ranges) {
            for (int roll = range.low; roll <= range.high; roll += std::max(1, range.high - range.low))
                QTest::addRow("%d", roll) << roll << range.sense << QString::fromUtf16(range.value);
        }
    }
    void specialAbilityTable()
    {
        QFETCH(int, roll);
        QFETCH(int, sense);
        QFETCH(QString, value);
        Roll rolled(u"Journalist"_s);
        QCOMPARE(rolled.run(draws({.special = {roll}})), RollOutcome::Rolled);
        QStringList senses(5, u"+8"_s);
        if (sense >= 0)
            senses[sense - 2] = value;
        QCOMPARE(QStringList(rolled.record.natural.begin() + 2, rolled.record.natural.begin() + 7), senses);
        QCOMPARE(rolled.record.special, sense < 0 ? QStringList{value} : QStringList());
        QCOMPARE(rolled.dialogs.freeChoicesOffered, 0);
    }

    void hundredGivesAFreeChoiceAndRollsAgain()
    {
        Roll roll(u"Journalist"_s);
        roll.dialogs.choices = {6, 10}; // "H&ören +10", "&Wachgabe +6", then the dialog is closed
        QCOMPARE(roll.run(draws({.special = {100, 100, 100, 83}})), RollOutcome::Rolled);
        QVERIFY(roll.random.numbers.isEmpty());
        QCOMPARE(roll.dialogs.freeChoicesOffered, 3);
        QCOMPARE(roll.record.natural[2], u"+10"_s);
        QCOMPARE(roll.record.special, QStringList{u"Wachgabe+6"_s});
    }

    void moreFreedomPlacesFiveValues()
    {
        Roll roll(u"Journalist"_s);
        roll.record.moreFreedom = true;
        roll.dialogs.placements = {4, 0, 2, 1, 3};
        const QList<float> placed = faces(100, {20, 75, 3, 90, 10, 11, 5, 5, 6, 44, 1, 45, 100, 1, 1, 33, 70});
        QCOMPARE(roll.run(placed + derivedDraws({}) + closingDraws({})), RollOutcome::Rolled);
        QVERIFY(roll.random.numbers.isEmpty());
        // Each value is the best of three d100; Mediales Talent, the best of two, is never offered.
        QCOMPARE(roll.dialogs.valuesOffered, (QList<int>{75, 90, 6, 45, 100}));
        QCOMPARE(QStringList(roll.record.basis.begin(), roll.record.basis.end()),
                 (QStringList{u"90"_s, u"45"_s, u"6"_s, u"100"_s, u"75"_s, u"70"_s}));
    }

    void moreFreedomDiscardStartsAfresh()
    {
        Roll roll(u"Journalist"_s);
        roll.record.moreFreedom = true;
        roll.dialogs.placements = {0, RollDialogs::Discard, 1, 0, 2, 3, 4};
        const QList<float> placed = faces(100, {30, 1, 1, 40, 1, 1, 61, 1, 1, 62, 1, 1, 63, 1, 1, 64, 1, 1, 65, 1, 1, 20, 20});
        QCOMPARE(roll.run(placed + derivedDraws({}) + closingDraws({})), RollOutcome::Rolled);
        QCOMPARE(roll.dialogs.valuesOffered, (QList<int>{30, 40, 61, 62, 63, 64, 65}));
        QCOMPARE(QStringList(roll.record.basis.begin(), roll.record.basis.end()),
                 (QStringList{u"62"_s, u"61"_s, u"63"_s, u"64"_s, u"65"_s, u"20"_s}));
    }

    void moreFreedomAbortAndInsufficient()
    {
        Roll aborted(u"Journalist"_s);
        aborted.record.moreFreedom = true;
        aborted.record.basis.fill(u"50"_s);
        aborted.record.special = {u"Wachgabe+6"_s};
        aborted.wizard.backToStep1 = aborted.wizard.backToStep2 = true;
        aborted.dialogs.placements = {1}; // then the dialog is closed
        QCOMPARE(aborted.run(faces(100, {10, 20, 30, 40, 50, 60})), RollOutcome::Aborted);
        QCOMPARE(aborted.dialogs.valuesOffered, (QList<int>{30, 60}));
        QVERIFY(allNotRolled(aborted.record) && aborted.record.special.isEmpty());
        QVERIFY(!aborted.wizard.backToStep1 && !aborted.wizard.backToStep2);

        Roll insufficient(u"Archäologe"_s);
        insufficient.record.moreFreedom = true;
        insufficient.dialogs.placements = {0, 1, 2, 3, 4};
        const QList<float> placed = faces(100, {60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60});
        QCOMPARE(insufficient.run(placed + derivedDraws({})), RollOutcome::Insufficient);
        QCOMPARE(insufficient.dialogs.valuesOffered.size(), 5);
        QVERIFY(allNotRolled(insufficient.record) && insufficient.record.special.isEmpty());
    }

    void noRollWhileTheListsAreFilled()
    {
        Roll roll(u"Journalist"_s);
        roll.wizard.listsFilled = false;
        roll.record.name = u"Anna"_s;
        QCOMPARE(roll.run(draws({})), RollOutcome::NotReady);
        QCOMPARE(roll.random.numbers.size(), draws({}).size());
        QVERIFY(allNotRolled(roll.record));
        QCOMPARE(roll.record.name, u"Anna"_s);
    }

    void aRollStartsTheCharacterAfresh_data()
    {
        QTest::addColumn<QString>("sex");
        QTest::newRow("man") << u"männlich"_s;
        QTest::newRow("woman") << u"weiblich"_s;
    }
    void aRollStartsTheCharacterAfresh()
    {
        QFETCH(QString, sex);
        Roll roll(u"Journalist"_s, sex);
        CharacterRecord &r = roll.record;
        const bool man = sex == u"männlich";
        for (SkillRow *row : {&r.untypical[5], &r.schoolMale[0], &r.schoolMale[10], &r.schoolFemale[0], &r.schoolFemale[10], &r.classSkills[0]})
            row->learnt = true;
        for (QString *field : {&r.name, &r.player, &r.age, &r.habits, &r.quirk, &r.address})
            *field = u"x"_s;
        r.nationality = nationalities().last();
        r.eyeColour = eyeColours().last();
        r.hairColour = hairColours().last();
        r.race = races().last();
        r.religion = religions().last();
        r.special = {u"Nachtsicht+6"_s};
        roll.wizard.backToStep1 = roll.wizard.backToStep2 = true;
        QCOMPARE(roll.run(draws({.special = {83}})), RollOutcome::Rolled);

        QVERIFY(!r.untypical[5].learnt && !r.classSkills[0].learnt);
        const SkillList &own = man ? r.schoolMale : r.schoolFemale, &other = man ? r.schoolFemale : r.schoolMale;
        QVERIFY(!own[0].learnt && !own[10].learnt);
        QVERIFY(other[0].learnt && other[10].learnt);
        QCOMPARE(r.name + r.player + r.age + r.habits + r.quirk + r.address, QString());
        QCOMPARE((QStringList{r.nationality, r.eyeColour, r.hairColour, r.race, r.religion}),
                 (QStringList{nationalities().first(), eyeColours().first(), hairColours().first(), races().first(), religions().first()}));
        QCOMPARE(r.special, QStringList{u"Wachgabe+6"_s});
        QVERIFY(!roll.wizard.backToStep1 && !roll.wizard.backToStep2);
    }

    void freeAbilities_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("sense"); // or -1 for a special ability
        QTest::addColumn<QString>("value");
        const struct { const char16_t *caption; int sense; const char16_t *value; } choices[] = {
            {u"&Kurzsichtigkeit (Sehen+4)", 3, u"+4"}, {u"&Schwerhörigkeit (Hören +4)", 2, u"+4"},
            {u"nur &Riechen +4", 5, u"+4"}, {u"nur &Schmecken +4", 6, u"+4"}, {u"nur &Tasten +4", 4, u"+4"},
            {u"S&ehen +10", 3, u"+10"}, {u"H&ören +10", 2, u"+10"}, {u"R&iechen +10", 5, u"+10"},
            {u"Sch&mecken +10", 6, u"+10"}, {u"T&asten +10", 4, u"+10"}, {u"&Wachgabe +6", -1, u"Wachgabe+6"},
            {u"Ei&detik +12", -1, u"Eidetik+6"}, {u"Richt&ungssinn +12", -1, u"Richtungssinn+12"}, {u"&Nachtsicht +6", -1, u"Nachtsicht+6"},
        };
        for (int i = 0; i < 14; ++i)
            QTest::addRow("%d", i) << i << QString::fromUtf16(choices[i].caption) << choices[i].sense << QString::fromUtf16(choices[i].value);
    }
    void freeAbilities()
    {
        QFETCH(int, choice);
        QFETCH(QString, caption);
        QFETCH(int, sense);
        QFETCH(QString, value);
        QCOMPARE(freeAbilityCaptions().size(), 14);
        QCOMPARE(freeAbilityCaptions().at(choice), caption);
        CharacterRecord record;
        record.natural.fill(u"+8"_s);
        record.special = {u" eidetik+6"_s};
        applyFreeAbility(record, choice);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(record.natural[i], i == sense ? value : u"+8"_s);
        QStringList special{u" eidetik+6"_s};
        if (sense < 0) // the old entry goes when it is the same ability
            special = value == u"Eidetik+6" ? QStringList{value} : QStringList{special.first(), value};
        QCOMPARE(record.special, special);
    }

    void specialAbilitiesStayUnique()
    {
        QStringList special{u" wachgabe+6"_s, u"Eidetik+6"_s, u"WACHGABE+6 "_s, u"Wachgabe+6"_s, u"Wachgabe +6"_s};
        DropSpecial(special, u"  Wachgabe+6"_s);
        QCOMPARE(special, (QStringList{u"Eidetik+6"_s, u"Wachgabe +6"_s}));

        CharacterRecord record;
        addSpecial(record, u"Nachtsicht+6"_s);
        addSpecial(record, u"Eidetik+6"_s);
        addSpecial(record, u" NACHTSICHT+6 "_s);
        QCOMPARE(record.special, (QStringList{u"Eidetik+6"_s, u" NACHTSICHT+6 "_s}));
        applyFreeAbility(record, 14);
        applyFreeAbility(record, -1);
        QCOMPARE(record.special.size(), 2);
    }

    void classRowsShown_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QList<int>>("lastRows"); // of each cost column; first row - 1 when the column is empty
        const struct { const char16_t *cls; int one, two, three; } classes[] = {
            {u"Agent", 8, 21, 29}, {u"Archäologe", 8, 21, 30}, {u"Arzt", 9, 17, 28}, {u"Diplomat", 10, 21, 27},
            {u"Entdecker", 10, 23, 29}, {u"Feldforscher", 10, 23, 28}, {u"Glücksritter", 9, 23, 27},
            {u"Händler", 8, 21, 29}, {u"Ingenieur", 9, 17, 28}, {u"Journalist", 8, 20, 29}, {u"Kirchenmann", 8, 20, 29},
            {u"Kriminalist", 8, 19, 27}, {u"Künstler", 8, 22, 26}, {u"Naturforscher", 8, 17, 27}, {u"Soldat", 8, 21, 30},
            {u"arzt", -1, 11, 23}, {u"Arzt ", -1, 11, 23}, {u"", -1, 11, 23},
        };
        for (const auto &c : classes)
            QTest::addRow("%s", QString::fromUtf16(c.cls).toUtf8().constData()) << QString::fromUtf16(c.cls) << QList<int>{c.one, c.two, c.three};
    }
    void classRowsShown()
    {
        QFETCH(QString, className);
        QFETCH(QList<int>, lastRows);
        SkillList rows = classSkillPlaceholders();
        writeClassSkills(rows, u"Soldat"_s); // every column reaches further than most
        writeClassSkills(rows, className);
        for (int i = 0; i < 36; ++i)
            QCOMPARE(std::pair(i, rows[i].visible), std::pair(i, i <= lastRows[i / 12]));
    }

    void classRowsKeepTheirStateButNotTheirPrefix()
    {
        SkillList rows = classSkillPlaceholders();
        writeClassSkills(rows, u"Arzt"_s);
        rows[3].learnt = true;
        rows[6].caption = u"2x Schreiben+9:Latein (In31)"_s;
        writeClassSkills(rows, u"Arzt"_s);
        QCOMPARE(rows[3], (SkillRow{u"Gespann fahren+14 (Gs21)"_s, 1, true, true}));
        QCOMPARE(rows[6].caption, u"Schreiben+9:Latein (In31)"_s);
        writeClassSkills(rows, u"Künstler"_s);
        QVERIFY(!rows[9].visible && !rows[27].visible && !rows[28].visible && rows[26].visible);
        QVERIFY(rows[3].learnt);
    }

    void classLinesAsSpelt_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("line");
        const struct { const char16_t *cls; int row; const char16_t *line; } lines[] = {
            {u"Diplomat", 26, u"Geschäftstüchtigkeit+6 (In31)"}, {u"Händler", 1, u"Geschäftstüchtigkeit+8 (In31)"},
            {u"Händler", 15, u"Konversation+10 (pA61)"}, {u"Agent", 15, u"Konversation+10 (pA31)"},
            {u"Kirchenmann", 4, u"Kunstverständnis+10 (pA31)"}, {u"Glücksritter", 4, u"Kunstverständnis+10 (In31)"},
            {u"Feldforscher", 5, u"Reiten+14"}, {u"Entdecker", 4, u"Reiten+14 (Gw21)"},
            {u"Entdecker", 29, u"Schießen zu Pferd+14 (Gs01)"}, {u"Soldat", 27, u"Schießen zu Pferd+12 (Gs01)"},
            {u"Agent", 18, u"Sprengmeist.+6 (Gs31,In31)"}, {u"Soldat", 28, u"Sprengmeist.+6 (Gs31, In31)"},
            {u"Agent", 3, u"Kryptographie+6 (In61)"}, {u"Diplomat", 3, u"Kryptografie+6 (In61)"},
            {u"Agent", 13, u"Beschatten+8 (RW61, pA<81)"}, {u"Agent", 29, u"waffenl.Kampf+6 (Gw21,St21)"},
            {u"Arzt", 6, u"Schreiben+9:Latein (In31)"}, {u"Soldat", 30, u"Maschineng.+6 (Gs31, St21)"},
            {u"Künstler", 22, u"Gewehr+6 (Gs21, St21)"}, {u"Entdecker", 23, u"Gewehr+6 (Gs21, St21)"},
        };
        for (const auto &l : lines) {
            const QString cls = QString::fromUtf16(l.cls);
            QTest::addRow("%s %d", cls.toUtf8().constData(), l.row) << cls << l.row << QString::fromUtf16(l.line);
        }
    }
    void classLinesAsSpelt()
    {
        QFETCH(QString, className);
        QFETCH(int, row);
        QFETCH(QString, line);
        SkillList rows = classSkillPlaceholders();
        writeClassSkills(rows, className);
        QCOMPARE(rows[row].caption, line);
    }

    void learningPoints_data()
    {
        QTest::addColumn<QList<int>>("dice"); // five d6: two for class skills, two for school, one untypical
        QTest::addColumn<bool>("quirkBonus");
        QTest::addColumn<QString>("pools");
        QTest::addColumn<int>("total");
        QTest::newRow("lowest") << QList<int>{1, 1, 1, 1, 1} << false << u"5 2 1"_s << 8;
        QTest::newRow("highest with quirk") << QList<int>{6, 6, 6, 6, 6} << true << u"15 12 9"_s << 36;
        QTest::newRow("order") << QList<int>{1, 2, 3, 4, 5} << false << u"6 7 5"_s << 18;
        QTest::newRow("order with quirk") << QList<int>{1, 2, 3, 4, 5} << true << u"6 7 8"_s << 21;
    }
    void learningPoints()
    {
        QFETCH(QList<int>, dice);
        QFETCH(bool, quirkBonus);
        QFETCH(QString, pools);
        QFETCH(int, total);
        CharacterRecord record;
        record.quirkBonus = quirkBonus;
        WizardState wizard{.totalLearningPoints = 40, .borrowedPoints = 4};
        ScriptedRandom random(faces(6, dice));
        enterSkillsStep(record, wizard, random);
        QVERIFY(random.numbers.isEmpty());
        QCOMPARE(QStringList(record.learningPoints.begin(), record.learningPoints.end()).join(u' '), pools);
        QCOMPARE(wizard.totalLearningPoints, total);
        QCOMPARE(wizard.borrowedPoints, 0);
    }

    void noNewPointsAfterAStepBack_data()
    {
        QTest::addColumn<bool>("fromStep3");
        QTest::newRow("back to step 1") << false;
        QTest::newRow("back to step 2") << true;
    }
    void noNewPointsAfterAStepBack()
    {
        QFETCH(bool, fromStep3);
        CharacterRecord record;
        record.characterClass = u"Arzt"_s;
        record.learningPoints = {u"3"_s, u"0"_s, u"2"_s};
        WizardState wizard{.totalLearningPoints = 20, .backToStep1 = !fromStep3, .backToStep2 = fromStep3, .borrowedPoints = 2};
        ScriptedRandom random(faces(6, {6, 6, 6, 6, 6}));
        enterSkillsStep(record, wizard, random);
        QCOMPARE(random.numbers.size(), 5);
        QCOMPARE(QStringList(record.learningPoints.begin(), record.learningPoints.end()), (QStringList{u"3"_s, u"0"_s, u"2"_s}));
        QCOMPARE(wizard.totalLearningPoints, 20);
        QCOMPARE(wizard.borrowedPoints, 2);
        QVERIFY(record.classSkills[9].visible && !record.classSkills[10].visible); // the rows are written all the same
    }

    void motherTongue_data()
    {
        QTest::addColumn<QString>("intelligence");
        QTest::addColumn<QString>("value");
        QTest::newRow("not rolled") << u"-"_s << u"10"_s;
        QTest::newRow("31") << u"31"_s << u"10"_s;
        QTest::newRow("32") << u"32"_s << u"14"_s;
        QTest::newRow("61") << u"61"_s << u"14"_s;
        QTest::newRow("62") << u"62"_s << u"18"_s;
    }
    void motherTongue()
    {
        QFETCH(QString, intelligence);
        QFETCH(QString, value);
        CharacterRecord record;
        record.basis[4] = intelligence;
        WizardState wizard{.backToStep1 = true};
        ScriptedRandom random;
        QCOMPARE(hasRolledValues(record), false);
        enterSkillsStep(record, wizard, random);
        for (const SkillList *school : {&record.schoolMale, &record.schoolFemale}) {
            QCOMPARE((*school)[2].caption, u"Muttersprache: Schreiben+"_s + value);
            QCOMPARE((*school)[3].caption, u"Muttersprache: Sprechen+"_s + value);
            for (int i = 0; i < 5; ++i)
                QCOMPARE(std::pair(i, (*school)[i].learnt), std::pair(i, i < 4));
        }
    }

    void age_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("pools");
        QTest::addColumn<QString>("age");
        QTest::newRow("nothing spent") << 20 << u"10 6 4"_s << u"18"_s;
        QTest::newRow("3 spent") << 20 << u"9 5 3"_s << u"19"_s;
        QTest::newRow("4 spent, 19.33") << 20 << u"8 5 3"_s << u"19"_s;
        QTest::newRow("5 spent, 19.67") << 20 << u"8 4 3"_s << u"20"_s;
        QTest::newRow("all 36 spent") << 36 << u"0 0 0"_s << u"30"_s;
        QTest::newRow("18.5 to the even 18") << 10 << u"8.5 0 0"_s << u"18"_s;
        QTest::newRow("19.5 to the even 20") << 10 << u"5.5 0 0"_s << u"20"_s;
    }
    void age()
    {
        QFETCH(int, total);
        QFETCH(QString, pools);
        QFETCH(QString, age);
        CharacterRecord record;
        const QStringList remaining = pools.split(u' ');
        std::copy(remaining.begin(), remaining.end(), record.learningPoints.begin());
        QCOMPARE(ageText(record, WizardState{.totalLearningPoints = total}), age);
    }

    void personalStepClearsTheData()
    {
        CharacterRecord record;
        for (QString *field : {&record.name, &record.player, &record.habits, &record.quirk, &record.address, &record.race, &record.religion})
            *field = u"x"_s;
        record.nationality = nationalities().last();
        record.eyeColour = eyeColours().last();
        record.hairColour = hairColours().last();
        record.learningPoints = {u"2"_s, u"0"_s, u"0"_s};
        ScriptedRandom random({0.5f});
        enterPersonalStep(record, WizardState{.totalLearningPoints = 8}, random);
        QCOMPARE(record.name + record.player + record.habits + record.quirk + record.address + record.race + record.religion, QString());
        QCOMPARE((QStringList{record.nationality, record.eyeColour, record.hairColour}),
                 (QStringList{nationalities().first(), eyeColours().first(), hairColours().first()}));
        QCOMPARE(record.age, u"20"_s);
        QCOMPARE(random.numbers.size(), 1); // no trait without the quirk bonus
    }

    void traitDrawn_data()
    {
        QTest::addColumn<float>("number");
        QTest::addColumn<QString>("trait");
        const QStringList traits{u"Haß"_s, u"Neid"_s, u"Liebe"_s, u"Religiösität"_s, u"Heuchelei"_s, u"Gier"_s,
                                 u"Selbstsüchtigkeit"_s, u"Aufopferungsgabe"_s, u"Güte"_s, u"Glück"_s, u"Hysterie"_s,
                                 u"Cholerik"_s, u"Mißtrauen"_s, u"Rücksichtslosigkeit"_s, u"Vertrauen"_s, u"Treue"_s,
                                 u"Fanatismus"_s, u"Fatalismus"_s, u"Trauer"_s, u"Bestimmt Spielleiter"_s};
        for (int n = 1; n <= 20; ++n)
            QTest::addRow("%d", n) << ScriptedRandom::forFace(n, 20) << traits[n - 1];
        QTest::newRow("0") << 0.0f << traits.first();
        QTest::newRow("largest below 1") << 0.99999994f << traits.last();
    }
    void traitDrawn()
    {
        QFETCH(float, number);
        QFETCH(QString, trait);
        CharacterRecord record;
        record.quirkBonus = true;
        ScriptedRandom random({number});
        enterPersonalStep(record, WizardState{}, random);
        QCOMPARE(record.quirk, trait);
        QCOMPARE(characterTraits().size(), 20);
    }

    void comingBackToStep3KeepsThePersonalData()
    {
        CharacterRecord record;
        record.quirkBonus = true;
        for (QString *field : {&record.name, &record.player, &record.habits, &record.quirk, &record.address,
                               &record.nationality, &record.eyeColour, &record.hairColour, &record.race, &record.religion})
            *field = u"x"_s;
        record.age = u"99"_s;
        record.learningPoints = {u"8"_s, u"5"_s, u"3"_s};
        ScriptedRandom random({0.5f});
        enterPersonalStep(record, WizardState{.totalLearningPoints = 20, .backToStep2 = true}, random);
        QCOMPARE(record.name + record.player + record.habits + record.quirk + record.address + record.nationality
                     + record.eyeColour + record.hairColour + record.race + record.religion,
                 u"xxxxxxxxxx"_s);
        QCOMPARE(record.age, u"19"_s);
        QCOMPARE(random.numbers.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestRolling)
#include "tst_rolling.moc"
