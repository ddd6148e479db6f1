#include "rules/attributeroll.h"
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

template<std::size_t N>
QString joined(const std::array<QString, N> &values)
{
    return QStringList(values.begin(), values.end()).join(u' ');
}

// The faces of one roll without "Mehr Freiheit", die by die; a base value is the higher of its two d100.
struct Dice
{
    std::array<int, 6> basis{50, 50, 50, 50, 50, 50};
    int rw = 1, looks = 1, charisma = 1, control = 1, fame = 1, income = 1;
    QList<int> special{1}; // after a 100 the table is rolled again
};

// The dice after the base values, up to the class check; those not in Dice show 1.
QList<float> derivedDraws(const Dice &d)
{
    return faces(20, {d.rw, 1, 1}) + faces(3, {1, 1, 1, 1}) + faces(100, {d.looks}) + faces(20, {1, 1}) + faces(6, {1, 1, 1})
        + faces(100, {d.charisma, d.control}) + faces(6, {1, 1, 1, 1});
}

// A roll that misses the class minimums ends before the special ability.
QList<float> draws(const Dice &d, bool missed = false)
{
    QList<float> numbers;
    for (int i = 0; i < 6; ++i)
        numbers += i % 2 ? faces(100, {1, d.basis[i]}) : faces(100, {d.basis[i], 1});
    numbers += derivedDraws(d);
    return missed ? numbers : numbers + faces(100, d.special) + faces(100, {d.fame, d.income});
}

struct Roll
{
    CharacterRecord record;
    WizardState wizard;
    ScriptedRandom random;
    ScriptedRollDialogs dialogs;

    explicit Roll(const QString &characterClass, const QString &sex = u"männlich"_s, bool moreFreedom = false)
    {
        record.characterClass = characterClass;
        record.sex = sex;
        record.moreFreedom = moreFreedom;
        random.fallback = 0.95f; // beyond the script: high values that meet every minimum and no 100
    }
    RollOutcome run(const QList<float> &script)
    {
        random.numbers = script;
        return DiceAgain(record, wizard, *findClass(record.characterClass), random, dialogs);
    }
};

QString rolledField(const CharacterRecord &r, const QString &name)
{
    static const QStringList names{u"RW"_s, u"HGW"_s, u"Wk"_s, u"Schadensbonus"_s, u"Bewegungsweite"_s, u"Au"_s,
                                   u"Größe"_s, u"Gewicht"_s, u"pA"_s, u"Selbstbeherrschung"_s, u"Abwehr"_s, u"Ausweichen"_s,
                                   u"Sechster Sinn"_s, u"LP"_s, u"AP"_s, u"Hintergrund"_s, u"Sinne"_s, u"Basiswerte"_s};
    QStringList values(r.derived.begin(), r.derived.end());
    values << r.natural[0] << r.natural[1] << r.natural[7] << r.lifeEndurance[0] << r.lifeEndurance[1] << joined(r.background)
           << QStringList(r.natural.begin() + 2, r.natural.begin() + 7).join(u' ') + u" / "_s + r.special.join(u", ")
           << joined(r.basis);
    return values.value(names.indexOf(name));
}

struct RolledCase { QString className, sex; Dice dice; QString field, expected; QList<Dice> missed; };
struct FreedomCase { QString className; QList<int> placements; QList<float> script; RollOutcome outcome; QList<int> offered; QString basis; };
struct SkillsStepCase { bool stepBack, quirkBonus; QList<int> dice; QString intelligence, pools; int total; QString tongue; };

} // namespace

class TestRolling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A roll also starts the character afresh: nothing learnt, the personal data reset.
    void everyDieInItsOrder()
    {
        Roll roll(u"Agent"_s);
        CharacterRecord &r = roll.record;
        for (SkillRow *row : {&r.untypical[5], &r.schoolMale[10], &r.schoolFemale[10], &r.classSkills[0]})
            *row = {u"2x "_s + row->caption, row->cost, true, true};
        for (QString *field : {&r.name, &r.player, &r.age, &r.habits, &r.quirk, &r.address, &r.nationality, &r.race})
            *field = u"x"_s;
        QCOMPARE(roll.run(faces(100, {40, 72, 81, 64, 33, 90, 55, 55, 47, 12, 3, 68}) + faces(20, {7, 15, 2})
                          + faces(3, {1, 3, 2, 3}) + faces(100, {64}) + faces(20, {11, 18}) + faces(6, {4, 6, 2})
                          + faces(100, {40, 25}) + faces(6, {5, 3, 4, 6}) + faces(100, {88, 31, 96})),
                 RollOutcome::Rolled);
        QVERIFY(roll.random.numbers.isEmpty());
        QCOMPARE(QStringList({joined(r.basis), joined(r.derived), joined(r.lifeEndurance), joined(r.natural), r.special.join(u','),
                              joined(r.background)}).join(u" | "),
                 u"72 81 90 55 47 68 | 68 83 52 3 25 64 186 88 43 24 | 14 24 | +13 +12 +8 +8 +8 +8 +8 +3 | Eidetik+6 | 4/2 G"_s);
        for (const SkillRow &row : {r.untypical[5], r.schoolMale[10], r.schoolFemale[10], r.classSkills[0]})
            QVERIFY(!row.learnt && !row.caption.startsWith(u"2x"));
        QCOMPARE((QStringList{r.name + r.player + r.age + r.habits + r.quirk + r.address, r.nationality, r.race}),
                 (QStringList{QString(), nationalities().first(), races().first()}));
    }

    void rolledValues_data()
    {
        QTest::addColumn<RolledCase>("c");
        const QString j = u"Journalist"_s, woman = u"weiblich"_s;
        auto row = [](const QString &tag, const QString &cls, const Dice &dice, const QString &field, const QString &expected,
                      const QString &sex = u"männlich"_s, const QList<Dice> &missed = {}) {
            QTest::newRow(qPrintable(tag)) << RolledCase{cls, sex, dice, field, expected, missed};
        };
        row(u"Schadensbonus St 10 Gs 10"_s, j, {.basis = {10, 10, 50, 50, 50, 50}}, u"Schadensbonus"_s, u"-3"_s); // Int(-2.17)
        // (6.1 + 6.1) * 3 is 36.599999999999994 in double; 1 + it + 20 floors to 57.
        row(u"RW Gw 61 In 61"_s, j, {.basis = {50, 50, 61, 50, 61, 50}}, u"RW"_s, u"57"_s);
        for (const auto &[gw, bonus] : {std::pair(80, u"+12"), std::pair(81, u"+13"), std::pair(95, u"+13"), std::pair(96, u"+14")})
            row(u"Abwehr Gw %1"_s.arg(gw), j, {.basis = {50, 50, gw, 50, 50, 50}}, u"Abwehr"_s, QString::fromUtf16(bonus));
        // RW = d20 + (Gw/10 + In/10) * 3 + 20 = 19 + 42 + 20, while Gw 70 alone would give +12.
        row(u"Ausweichen RW 81"_s, j, {.basis = {50, 50, 70, 50, 70, 50}, .rw = 19}, u"Ausweichen"_s, u"+13"_s);
        row(u"Sechster Sinn MT 19"_s, j, {.basis = {50, 50, 50, 50, 50, 19}}, u"Sechster Sinn"_s, u"+0"_s);
        row(u"Sechster Sinn MT 20"_s, j, {.basis = {50, 50, 50, 50, 50, 20}}, u"Sechster Sinn"_s, u"+1"_s);
        // From the whole Größe of this roll, 157: 42.5.
        row(u"Gewicht woman"_s, j, {.basis = {55, 50, 50, 50, 50, 50}}, u"Gewicht"_s, u"42"_s, woman);
        row(u"pA capped"_s, j, {.basis = {50, 50, 50, 50, 100, 50}, .looks = 100, .charisma = 100}, u"pA"_s, u"100"_s);
        row(u"pA negative"_s, j, {.basis = {50, 50, 50, 50, 31, 50}}, u"pA"_s, u"-20"_s); // Int(-19.4)
        // S = Int(d100 + (In/10 + Wk/10) * 3) less 50, 30 or 0 by class, in 0..100; Ko 10, In 40: Int(d100 + 22.8).
        for (const auto &[cls, d100, value] : {std::tuple(u"Künstler"_s, 18, u"0"), std::tuple(u"Soldat"_s, 9, u"1"),
                                                std::tuple(u"Kirchenmann"_s, 20, u"42"), std::tuple(u"Diplomat"_s, 82, u"100")})
            row(cls + u" S %1"_s.arg(d100 + 22), cls, {.basis = {50, 50, 50, 10, 40, 50}, .looks = 100, .charisma = 100, .control = d100},
                u"Selbstbeherrschung"_s, QString::fromUtf16(value));
        // Ausdauer: 3d6 (3) + Int(Ko 59 / 10) + Int(St 59 / 20) - 3 for a class that is not hardy.
        row(u"Ausdauer"_s, j, {.basis = {59, 70, 70, 59, 70, 50}}, u"AP"_s, u"7"_s);
        // Ruhm and Einkommensklasse: a woman's second number is 2 higher, her income at least "D".
        const std::array<int, 6> able{70, 70, 70, 70, 70, 70};
        row(u"Händler man"_s, u"Händler"_s, {.basis = able, .fame = 2, .income = 1}, u"Hintergrund"_s, u"3/2 A"_s);
        row(u"Händler woman"_s, u"Händler"_s, {.basis = able, .fame = 2, .income = 1}, u"Hintergrund"_s, u"3/4 D"_s, woman);
        row(u"Kirchenmann woman"_s, u"Kirchenmann"_s, {.basis = able, .fame = 1, .income = 31}, u"Hintergrund"_s, u"1/2 E"_s, woman);
        row(u"Soldat woman"_s, u"Soldat"_s, {.basis = able, .fame = 1, .income = 100}, u"Hintergrund"_s, u"1/4 I"_s, woman);
        // The special ability: Hören, Sehen, Tasten, Riechen, Schmecken / special abilities.
        for (const auto &[d100, senses] : {std::pair(5, u"+8 +8 +4 +8 +8 / "), std::pair(6, u"+8 +10 +8 +8 +8 / "),
                                           std::pair(80, u"+8 +8 +10 +8 +8 / "), std::pair(81, u"+8 +8 +8 +8 +8 / Wachgabe+6")})
            row(u"special ability %1"_s.arg(d100), j, {.special = {d100}}, u"Sinne"_s, QString::fromUtf16(senses));
        // A roll that misses the class minimums draws no special ability, fame or income and is made again.
        const QString man = u"männlich"_s;
        row(u"Agent In 30, Gs 60, both met"_s, u"Agent"_s, {.basis = {50, 61, 50, 50, 31, 50}}, u"Basiswerte"_s, u"50 61 50 50 31 50"_s, man,
            {{.basis = {50, 61, 50, 50, 30, 50}}, {.basis = {50, 60, 50, 50, 31, 50}}});
        // pA = d100 + (5 + 5) * 3 - 30 = d100.
        row(u"Künstler pA 60, pA 61"_s, u"Künstler"_s, {.looks = 50, .charisma = 61}, u"pA"_s, u"61"_s, man, {{.looks = 50, .charisma = 60}});
    }
    void rolledValues()
    {
        QFETCH(RolledCase, c);
        Roll roll(c.className, c.sex);
        QList<float> script;
        for (const Dice &missed : c.missed)
            script += draws(missed, true);
        QCOMPARE(roll.run(script + draws(c.dice)), RollOutcome::Rolled);
        QVERIFY(roll.random.numbers.isEmpty());
        QCOMPARE(rolledField(roll.record, c.field), c.expected);
    }

    void backgroundTablesCoverEveryRollOfEveryClass()
    {
        for (const ClassEntry &entry : classCatalogue()) {
            for (const auto *table : {&entry.fame, &entry.income}) {
                int next = 1;
                for (const RollRange &range : *table)
                    next = range.low == next && range.high >= range.low && !range.result.isEmpty() ? range.high + 1 : -1;
                QCOMPARE(entry.name + u' ' + QString::number(next), entry.name + u" 101"_s);
            }
        }
    }

    // A 100 offers a free choice and rolls again until the dialog closes; a bad choice adds nothing, no ability twice.
    void hundredGivesAFreeChoiceAndRollsAgain()
    {
        Roll roll(u"Journalist"_s);
        roll.dialogs.choices = {6, 14, 10}; // "H&ören +10", none, "&Wachgabe +6", then the dialog is closed
        QCOMPARE(roll.run(draws({.special = {100, 100, 100, 100, 83}})), RollOutcome::Rolled);
        QVERIFY(roll.random.numbers.isEmpty());
        QCOMPARE(roll.dialogs.freeChoicesOffered, 4);
        QCOMPARE(rolledField(roll.record, u"Sinne"_s), u"+10 +8 +8 +8 +8 / Wachgabe+6"_s);
        roll.record.special = {u" wachgabe+6"_s, u"Nachtsicht+6"_s};
        for (int choice : {-1, 10, 0})
            applyFreeAbility(roll.record, choice);
        QCOMPARE(rolledField(roll.record, u"Sinne"_s), u"+10 +4 +8 +8 +8 / Nachtsicht+6, Wachgabe+6"_s);
    }

    // "Mehr Freiheit": best of three d100 placed by the player, MT (best of two) never offered; old state is cleared.
    void moreFreedom()
    {
        const QList<float> rest = derivedDraws({.rw = 20}) + faces(100, {1, 1, 1}); // a third die for MT would show 98
        const FreedomCase cases[] = {
            // After the Discard the first value is placed where the first one was before.
            {u"Journalist"_s, {0, RollDialogs::Discard, 4, 0, 2, 1, 3},
             faces(100, {30, 1, 1, 40, 1, 1, 20, 75, 3, 90, 10, 11, 5, 5, 6, 44, 1, 45, 100, 1, 1, 33, 70}) + rest,
             RollOutcome::Rolled, {30, 40, 75, 90, 6, 45, 100}, u"90 45 6 100 75 70"_s},
            {u"Journalist"_s, {1}, faces(100, {10, 20, 30, 40, 50, 60}), RollOutcome::Aborted, {30, 60}, u"- - - - - -"_s},
            // The class minimum missed: the failed values stay for the player to see beside the message.
            {u"Archäologe"_s, {0, 1, 2, 3, 4}, faces(100, QList<int>(17, 60)) + derivedDraws({}), RollOutcome::Insufficient,
             {60, 60, 60, 60, 60}, u"60 60 60 60 60 60"_s}};
        for (const FreedomCase &c : cases) {
            Roll roll(c.className, u"männlich"_s, true);
            roll.record.basis.fill(u"50"_s);
            roll.record.special = {u"Wachgabe+6"_s};
            roll.wizard.backToStep1 = roll.wizard.backToStep2 = true;
            roll.dialogs.placements = c.placements;
            QCOMPARE(roll.run(c.script), c.outcome);
            QVERIFY(roll.random.numbers.isEmpty());
            QCOMPARE(roll.dialogs.valuesOffered, c.offered);
            QCOMPARE(joined(roll.record.basis), c.basis);
            QVERIFY(roll.record.special.isEmpty() && !roll.wizard.backToStep1 && !roll.wizard.backToStep2);
        }
    }

    // Written again after a step back, a learnt language keeps its count, so what was paid comes back.
    void classRowsKeepTheirStateAndCount()
    {
        SkillList rows = classSkillPlaceholders();
        const ClassEntry &arzt = *findClass(u"Arzt");
        writeClassSkills(rows, arzt);
        rows[3].learnt = true;
        rows[6] = {u"2x Schreiben+9:Latein (In31)"_s, 1, true, true};
        rows[7].caption = u"2x Sprechen+9:Latein (In31)"_s; // not learnt: a stale count goes
        writeClassSkills(rows, arzt);
        QCOMPARE(rows[3], (SkillRow{u"Gespann fahren+14 (Gs21)"_s, 1, true, true}));
        QCOMPARE(rows[6].caption, u"2x Schreiben+9:Latein (In31)"_s);
        QCOMPARE(rows[7].caption, u"Sprechen+9:Latein (In31)"_s);
        // Another class hides what it does not fill: Künstler's columns end in rows 8, 22 and 26.
        writeClassSkills(rows, *findClass(u"Künstler"));
        for (int i = 0; i < 36; ++i)
            QCOMPARE(std::pair(i, rows[i].visible), std::pair(i, i <= QList<int>{8, 22, 26}[i / 12]));
        QVERIFY(rows[3].learnt);
    }

    // Pools 2d6+3, 2d6, 1d6 (+3 with the quirk); mother tongue 10, from In 32 14, from In 62 18; a step back keeps
    // pools, total and borrowed points but writes the lines.
    void enterSkillsStep()
    {
        const SkillsStepCase cases[] = {
            {false, false, {1, 1, 1, 1, 1}, u"31"_s, u"5 2 1"_s, 8, u"10"_s}, {false, true, {6, 6, 6, 6, 6}, u"32"_s, u"15 12 9"_s, 36, u"14"_s},
            {false, false, {1, 2, 3, 4, 5}, u"61"_s, u"6 7 5"_s, 18, u"14"_s}, {true, false, {6, 6, 6, 6, 6}, u"62"_s, u"3 0 2"_s, 20, u"18"_s},
            {true, true, {6, 6, 6, 6, 6}, u"-"_s, u"3 0 2"_s, 20, u"10"_s}};
        for (const SkillsStepCase &c : cases) {
            CharacterRecord record;
            record.characterClass = u"Arzt"_s;
            record.quirkBonus = c.quirkBonus;
            record.basis[4] = c.intelligence;
            record.learningPoints = {u"3"_s, u"0"_s, u"2"_s};
            // With the quirk bonus, the step back is to step 2.
            WizardState wizard{.totalLearningPoints = 20, .backToStep1 = c.stepBack && !c.quirkBonus,
                               .backToStep2 = c.stepBack && c.quirkBonus, .borrowedPoints = 2};
            ScriptedRandom random(faces(6, c.dice));
            Tarvosk::enterSkillsStep(record, wizard, *findClass(record.characterClass), random);
            QCOMPARE(random.numbers.size(), c.stepBack ? 5 : 0);
            QCOMPARE(joined(record.learningPoints), c.pools);
            QCOMPARE(std::pair(wizard.totalLearningPoints, wizard.borrowedPoints), std::pair(c.total, c.stepBack ? 2 : 0));
            for (const SkillList &s : {record.schoolMale, record.schoolFemale}) {
                QCOMPARE(s[2].caption + u", "_s + s[3].caption, u"Muttersprache: Schreiben+%1, Muttersprache: Sprechen+%1"_s.arg(c.tongue));
                QCOMPARE(QList<bool>({s[0].learnt, s[1].learnt, s[2].learnt, s[3].learnt, s[4].learnt}),
                         QList<bool>({true, true, true, true, false}));
            }
        }
    }

    // Entering clears the personal data and draws a quirk trait; coming back keeps it and recomputes the age
    // (18 + spent / 3, half to the even year).
    void personalStep()
    {
        CharacterRecord record;
        ScriptedRandom random({0.99999994f});
        enterPersonalStep(record, WizardState{}, random);
        QVERIFY(record.quirk.isEmpty() && random.numbers.size() == 1); // no trait without the quirk bonus
        record.quirkBonus = true;
        for (QString *field : {&record.name, &record.player, &record.habits, &record.address, &record.race, &record.religion})
            *field = u"x"_s;
        record.nationality = nationalities().last();
        enterPersonalStep(record, WizardState{}, random);
        QCOMPARE((QStringList{record.name + record.player + record.habits + record.address + record.race + record.religion,
                              record.nationality, record.quirk}), (QStringList{QString(), nationalities().first(), u"Bestimmt Spielleiter"_s}));
        // 4 spent, 5, then 18.5 and 19.5.
        for (const auto &[total, pools, age] : {std::tuple(20, u"8 5 3", u"19"), std::tuple(20, u"8 4 3", u"20"),
                                                std::tuple(10, u"8.5 0 0", u"18"), std::tuple(10, u"5.5 0 0", u"20")}) {
            const QStringList left = QString::fromUtf16(pools).split(u' ');
            std::copy(left.begin(), left.end(), record.learningPoints.begin());
            enterPersonalStep(record, WizardState{.totalLearningPoints = total, .backToStep2 = true}, random);
            QCOMPARE(record.quirk + u' ' + record.age, u"Bestimmt Spielleiter "_s + QString::fromUtf16(age));
        }
    }
};

QTEST_GUILESS_MAIN(TestRolling)
#include "tst_rolling.moc"
