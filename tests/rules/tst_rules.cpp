#include "rules/characterrecord.h"
#include "rules/combocompletion.h"
#include "rules/numerictext.h"
#include "rules/personallists.h"
#include "rules/randomsource.h"
#include "rules/skilllisttables.h"
#include "rules/starsign.h"
#include "rules/startupseed.h"
#include "support/scriptedrandom.h"

#include <QLocale>
#include <QSet>
#include <QTest>

#include <algorithm>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

QList<float> draws(RandomSource &random, int count)
{
    QList<float> numbers;
    for (int i = 0; i < count; ++i)
        numbers.append(random.next());
    return numbers;
}

QList<float> sequenceOf(double seed)
{
    SeededRandom random;
    random.seed(seed);
    return draws(random, 20);
}

bool allNotRolled(const auto &values)
{
    return std::all_of(values.begin(), values.end(), [](const QString &value) { return value == u"-"; });
}

} // namespace

class TestRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("dash") << u"-"_s << false << 0.0;
        QTest::newRow("empty") << QString() << false << 0.0;
        QTest::newRow("lone point") << u"."_s << false << 0.0;
        QTest::newRow("no infinity") << u"inf"_s << false << 0.0;
        QTest::newRow("blanks, digits, letters") << u"  12abc"_s << true << 12.0;
        QTest::newRow("decimal point") << u"8.25"_s << true << 8.25;
        QTest::newRow("comma stops") << u"1,5"_s << true << 1.0;
        QTest::newRow("negative") << u"-3"_s << true << -3.0;
        QTest::newRow("plus sign") << u"+4"_s << true << 4.0;
        QTest::newRow("point first") << u".5"_s << true << 0.5;
        QTest::newRow("second point stops") << u"06.12.2024"_s << true << 6.12;
        QTest::newRow("no exponent") << u"1e3"_s << true << 1.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        QCOMPARE(Tarvosk::leadingNumber(text), value);
        QCOMPARE(parseLeadingNumber(text).has_value(), isNumber);
    }

    void leadingNumberIgnoresTheUsersLocale()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const double point = Tarvosk::leadingNumber(u"8.25");
        QLocale::setDefault(before);
        QCOMPARE(point, 8.25);
    }

    void roundHalfEven()
    {
        const std::pair<double, int> cases[] = {{18.5, 18}, {19.5, 20}, {19.33, 19}, {19.67, 20}, {0.5, 0}, {-2.5, -2}};
        for (const auto &[value, rounded] : cases)
            QCOMPARE(Tarvosk::roundHalfEven(value), rounded);
    }

    void dieCoversOneToSides()
    {
        const float highest = 0.99999994f; // the largest float below 1
        const struct { float number; int sides, face; } rolls[] = {
            {0.0f, 6, 1}, {highest, 6, 6}, {0.0f, 100, 1}, {highest, 100, 100}, {highest, 1, 1}, {0.5f, 6, 4},
            {ScriptedRandom::forFace(2, 6), 6, 2}, {ScriptedRandom::forFace(37, 100), 100, 37},
        };
        for (const auto &roll : rolls) {
            ScriptedRandom random({roll.number});
            QCOMPARE(random.die(roll.sides), roll.face);
        }
    }

    void diceSumTheirDice()
    {
        ScriptedRandom random({ScriptedRandom::forFace(3, 6), ScriptedRandom::forFace(5, 6),
                               ScriptedRandom::forFace(6, 6), 0.25f});
        QCOMPARE(random.dice(0, 6), 0);
        QCOMPARE(random.dice(3, 6), 14);
        QCOMPARE(random.numbers, QList<float>{0.25f});
    }

    void seededNumbersStayBelowOne()
    {
        SeededRandom random;
        random.seed(42);
        float lowest = 1, highest = 0;
        double sum = 0;
        const int count = 200000;
        for (int i = 0; i < count; ++i) {
            const float r = random.next();
            lowest = qMin(lowest, r);
            highest = qMax(highest, r);
            sum += r;
        }
        QVERIFY(lowest >= 0.0f && lowest < 0.001f);
        QVERIFY(highest < 1.0f && highest > 0.999f);
        QVERIFY(qAbs(sum / count - 0.5) < 0.01);
    }

    void seedDecidesTheSequence()
    {
        for (double seed : {0.0, 6.12, 3723.5, -7.5, 1e12}) {
            SeededRandom random;
            draws(random, 5); // the state before seeding must not matter
            random.seed(seed);
            QCOMPARE(draws(random, 20), sequenceOf(seed));
        }
        const std::pair<double, double> different[] = {{1, 2}, {0, 1}, {6.12, 6.11}, {3723, 3723.5}};
        for (const auto &[a, b] : different)
            QVERIFY2(sequenceOf(a) != sequenceOf(b), qPrintable(u"%1 / %2"_s.arg(a).arg(b)));
        SeededRandom first, second;
        QCOMPARE(draws(first, 20), draws(second, 20));
    }

    void startupSeed_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("userText");
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<bool>("seeded");
        QTest::addColumn<double>("seed");
        const QTime time(1, 2, 3);
        const QDate date(2024, 12, 6);
        QTest::newRow("clock") << u"0"_s << u"99"_s << time << date << true << 3723.0;
        QTest::newRow("clock at midnight") << u"0"_s << QString() << QTime(0, 0) << date << true << 0.0;
        QTest::newRow("clock before midnight") << u"0"_s << QString() << QTime(23, 59, 59) << date << true << 86399.0;
        QTest::newRow("date 6 December") << u"1"_s << u"99"_s << time << date << true << 6.12;
        QTest::newRow("date 31 January") << u"1"_s << QString() << time << QDate(2023, 1, 31) << true << 31.01;
        QTest::newRow("user text") << u"2"_s << u"1234abc"_s << time << date << true << 1234.0;
        QTest::newRow("user fraction") << u"2"_s << u"  -7.5x"_s << time << date << true << -7.5;
        QTest::newRow("empty user text") << u"2"_s << QString() << time << date << true << 0.0;
        QTest::newRow("option 3") << u"3"_s << u"5"_s << time << date << false << 0.0;
        QTest::newRow("empty option") << QString() << u"5"_s << time << date << false << 0.0;
        QTest::newRow("option with blank") << u" 0"_s << u"5"_s << time << date << false << 0.0;
    }
    void startupSeed()
    {
        QFETCH(QString, option);
        QFETCH(QString, userText);
        QFETCH(QTime, now);
        QFETCH(QDate, today);
        QFETCH(bool, seeded);
        QFETCH(double, seed);
        const std::optional<double> result = Tarvosk::startupSeed(option, userText, now, today);
        QCOMPARE(result.has_value(), seeded);
        if (seeded)
            QCOMPARE(*result, seed);
    }

    void starSign_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("sign");
        // The last and the first day of every sign, around the year.
        const struct { int day, month; const char16_t *sign; } days[] = {
            {20, 3, u"Fische"}, {21, 3, u"Widder"}, {20, 4, u"Widder"}, {21, 4, u"Stier"},
            {20, 5, u"Stier"}, {21, 5, u"Zwilling"}, {21, 6, u"Zwilling"}, {22, 6, u"Krebs"},
            {22, 7, u"Krebs"}, {23, 7, u"Löwe"}, {23, 8, u"Löwe"}, {24, 8, u"Jungfrau"},
            {23, 9, u"Jungfrau"}, {24, 9, u"Waage"}, {23, 10, u"Waage"}, {24, 10, u"Skorpion"},
            {22, 11, u"Skorpion"}, {23, 11, u"Schütze"}, {21, 12, u"Schütze"}, {22, 12, u"Steinbock"},
            {31, 12, u"Steinbock"}, {1, 1, u"Steinbock"}, {20, 1, u"Steinbock"}, {21, 1, u"Wassermann"},
            {19, 2, u"Wassermann"}, {20, 2, u"Fische"}, {28, 2, u"Fische"},
        };
        for (const auto &d : days)
            QTest::addRow("%d.%d.", d.day, d.month) << d.day << d.month << QString::fromUtf16(d.sign);
    }
    void starSign()
    {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(QString, sign);
        QCOMPARE(Tarvosk::starSign(day, month), sign);
    }

    void everyDayOfTheYearHasOneSign()
    {
        const QList<int> lengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        QStringList runs; // one entry per run of days with the same sign
        int days = 0;
        for (int month = 1; month <= 12; ++month) {
            QCOMPARE(daysInMonth(month), lengths[month - 1]);
            for (int day = 1; day <= daysInMonth(month); ++day, ++days) {
                const QString sign = Tarvosk::starSign(day, month);
                QVERIFY2(!sign.isEmpty(), qPrintable(u"%1.%2"_s.arg(day).arg(month)));
                if (runs.isEmpty() || runs.last() != sign)
                    runs.append(sign);
            }
        }
        QCOMPARE(days, 365);
        // Steinbock opens and closes the year; every other sign is one unbroken period.
        QCOMPARE(runs.size(), 13);
        QCOMPARE(runs.first(), u"Steinbock"_s);
        QCOMPARE(runs.last(), u"Steinbock"_s);
        QCOMPARE(QSet<QString>(runs.begin(), runs.end()).size(), 12);
    }

    void dayWithinMonth()
    {
        const struct { int day, month, limited; const char16_t *sign; } days[] = {
            {29, 2, 28, u"Fische"}, {30, 2, 28, u"Fische"}, {31, 2, 28, u"Fische"}, {15, 2, 15, u"Wassermann"},
            {31, 4, 30, u"Stier"}, {31, 5, 31, u"Zwilling"}, {31, 6, 30, u"Krebs"}, {31, 9, 30, u"Waage"},
            {31, 11, 30, u"Schütze"}, {31, 12, 31, u"Steinbock"},
        };
        for (const auto &d : days) {
            QCOMPARE(Tarvosk::dayWithinMonth(d.day, d.month), d.limited);
            QCOMPARE(Tarvosk::starSign(d.limited, d.month), QString::fromUtf16(d.sign));
        }
    }

    void completedRace()
    {
        QCOMPARE(Tarvosk::completedRace(u"Mongolide (Asiaten,Indianer)"_s), u"Mongolide"_s);
        QCOMPARE(Tarvosk::completedRace(u"  Mischling  (Europa)"_s), u"Mischling"_s);
        QCOMPARE(Tarvosk::completedRace(u"Eigener Schlag"_s), u"Eigener Schlag"_s);
        QCOMPARE(Tarvosk::completedRace(u"(unbekannt)"_s), QString());
        QCOMPARE(Tarvosk::completedRace(QString()), QString());
    }

    void completedHabits_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("habits");
        QTest::newRow("empty before") << QString() << u"Raucher"_s << u"Raucher"_s;
        QTest::newRow("blanks before") << u"  "_s << u"Narbe"_s << u"  Narbe"_s;
        QTest::newRow("second entry") << u"Raucher"_s << u"Narbe"_s << u"Raucher, Narbe"_s;
        QTest::newRow("chosen again") << u"Raucher, Narbe"_s << u"Raucher"_s << u"Raucher, Narbe, "_s;
        QTest::newRow("typed lower case") << u"raucher"_s << u"Raucher"_s << u"raucher, "_s;
        QTest::newRow("umlaut upper case") << u"TÄTOWIERUNG"_s << u"Tätowierung"_s << u"TÄTOWIERUNG, "_s;
        QTest::newRow("part of a longer entry") << u"Pfeifenraucher"_s << u"Raucher"_s << u"Pfeifenraucher, "_s;
        QTest::newRow("ends with comma") << u"Raucher,"_s << u"Narbe"_s << u"Raucher,Narbe"_s;
        QTest::newRow("ends with comma and blank") << u"Raucher, "_s << u"Narbe"_s << u"Raucher, Narbe"_s;
    }
    void completedHabits()
    {
        QFETCH(QString, before);
        QFETCH(QString, chosen);
        QFETCH(QString, habits);
        QCOMPARE(Tarvosk::completedHabits(before, chosen), habits);
    }

    void personalLists_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("classes") << characterClasses() << 15 << u"Agent"_s << u"Soldat"_s;
        QTest::newRow("sexes") << sexes() << 2 << u"männlich"_s << u"weiblich"_s;
        QTest::newRow("nationalities") << nationalities() << 50 << u"Amerikaner"_s << u"Yugoslawe"_s;
        QTest::newRow("eye colours") << eyeColours() << 5 << u"Blau"_s << u"Schwarz"_s;
        QTest::newRow("hair colours") << hairColours() << 4 << u"Blond"_s << u"Schwarz"_s;
        QTest::newRow("races") << races() << 3 << u"Europide (Europäer,Inder,Nordafrikaner)"_s
                               << u"Mongolide (Asiaten,Indianer)"_s;
        QTest::newRow("religions") << religions() << 7 << u"Atheistisch"_s << u"Schamanistisch"_s;
        QTest::newRow("habits") << habits() << 71 << u"Schlafwandler"_s << u"Schmarotzer"_s;
        QTest::newRow("months") << months() << 12 << u"Januar"_s << u"Dezember"_s;
        QTest::newRow("days") << birthDays() << 31 << u"1"_s << u"31"_s;
    }
    void personalLists()
    {
        QFETCH(QStringList, list);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QCOMPARE(list.size(), count);
        QCOMPARE(list.first(), first);
        QCOMPARE(list.last(), last);
        QCOMPARE(QSet<QString>(list.cbegin(), list.cend()).size(), count); // each entry once
    }

    void skillTables()
    {
        struct List { const SkillListTable &table; SkillList rows; int count; const char16_t *caption, *oneCostHeading; };
        const List lists[] = {
            {untypicalTable(), untypicalSkills(), 74, u"Untypische Fähigkeiten", u"1 Lernpunkt:"},
            {schoolMaleTable(), schoolKnowledgeMale(), 32, u"Schulwissen (Männer)", u"1 Lernpunkt:"},
            {schoolFemaleTable(), schoolKnowledgeFemale(), 28, u"Schulwissen (Frauen)", u"1 Lernpunkte:"},
        };
        for (const List &list : lists) {
            QCOMPARE(int(list.rows.size()), list.count);
            QCOMPARE(list.table.frameCaption, QString::fromUtf16(list.caption));
            QCOMPARE(rowsOf(list.table), list.rows);
            for (const SkillGroup &group : list.table.groups)
                QCOMPARE(group.heading, group.cost == 1 ? QString::fromUtf16(list.oneCostHeading) : u"%1 Lernpunkte:"_s.arg(group.cost));
            for (const SkillRow &row : list.rows) {
                QVERIFY(row.visible && !row.learnt);
                QCOMPARE(Tarvosk::withoutMultiplicityPrefix(row.caption), row.caption);
            }
        }
        // Every cost group of the three lists: its index range, its first and its last line.
        const struct { int list, cost, first, last; const char16_t *firstLine, *lastLine; } groups[] = {
            {0, 1, 0, 0, u"Sprechen+4 (In01)", u"Sprechen+4 (In01)"},
            {0, 2, 1, 4, u"Fotografieren+8 (Gs11)", u"Schreiben+4 (In01)"},
            {0, 3, 5, 14, u"Balancieren+12 (Gw61)", u"Zeichenspr.+8 (In31, Gs21)"},
            {0, 4, 15, 41, u"Anthropologie+4 (In61)", u"Speer+5 (Gs11, St21)"},
            {0, 5, 42, 55, u"Ballon fahren+12 (In11, Gs21)", u"Schrotflinte+5 (Gs01, St31)"},
            {0, 6, 56, 67, u"Boxen+5 (St31, Gw21)", u"Gewehr+5 (Gs21, St21)"},
            {0, 8, 68, 73, u"Fälschen+6 (Gs61)", u"Maschineng.+5 (Gs31, St31)"},
            {1, 0, 0, 3, u"Abwehr+12 (Gw01)", u"Muttersprache: Sprechen+14"},
            {1, 1, 4, 8, u"Kunstverständnis+8 (In31)", u"Tanzen+12 (Gw21)"},
            {1, 2, 9, 18, u"Allgemeinbildung+8 (In21)", u"Pistole+5 (Gs11)"},
            {1, 3, 19, 26, u"Buchführung+4 (In31)", u"Gewehr+5 (Gs21, St21)"},
            {1, 4, 27, 31, u"Degen+5 (St21, Gs21)", u"Kampf zu Pferd+12 (Gw01)"},
            {2, 0, 0, 3, u"Abwehr+12 (Gw01)", u"Muttersprache: Sprechen+18"},
            {2, 1, 4, 9, u"Kunstverständnis+8 (In31)", u"Tanzen+12 (Gw21)"},
            {2, 2, 10, 21, u"Allgemeinbildung+8 (In21)", u"Pistole+5 (Gs11)"},
            {2, 3, 22, 27, u"Beredsamkeit+8 (pA61)", u"Verkleiden+8 (Gs31, In31)"},
        };
        for (const auto &group : groups) {
            const SkillList &rows = lists[group.list].rows;
            QCOMPARE(rows.at(group.first).caption, QString::fromUtf16(group.firstLine));
            QCOMPARE(rows.at(group.last).caption, QString::fromUtf16(group.lastLine));
            for (int i = group.first; i <= group.last; ++i)
                QCOMPARE(std::pair(i, rows.at(i).cost), std::pair(i, group.cost));
        }
    }

    void givenRowsAndClassPlaceholders()
    {
        QCOMPARE(Tarvosk::givenSchoolRows, 4);
        for (const auto &[rows, tongue] : {std::pair(schoolKnowledgeMale(), u"14"_s), std::pair(schoolKnowledgeFemale(), u"18"_s)}) {
            const QStringList given{u"Abwehr+12 (Gw01)"_s, u"Ausweichen+12 (RW01)"_s,
                                    u"Muttersprache: Schreiben+"_s + tongue, u"Muttersprache: Sprechen+"_s + tongue};
            for (int i = 0; i < Tarvosk::givenSchoolRows; ++i)
                QCOMPARE(rows.at(i), (SkillRow{given[i], 0}));
        }
        const SkillList placeholders = classSkillPlaceholders();
        QCOMPARE(int(placeholders.size()), 36);
        for (int i = 0; i < 36; ++i)
            QCOMPARE(placeholders.at(i), (SkillRow{placeholders.at(i).caption, i / 12 + 1, false, false}));
    }

    void withoutMultiplicityPrefix_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("expected");
        QTest::newRow("2x") << u"2x Sprechen+6 (In01)"_s << u"Sprechen+6 (In01)"_s;
        QTest::newRow("10x within four characters") << u"10x Sprechen+9 (In31)"_s << u"Sprechen+9 (In31)"_s;
        QTest::newRow("100x beyond four characters") << u"100x Sprechen+9 (In31)"_s << u"100x Sprechen+9 (In31)"_s;
        QTest::newRow("upper X") << u"2X Sprechen+6 (In01)"_s << u"Sprechen+6 (In01)"_s;
        QTest::newRow("blanks trimmed") << u"3x   Sprechen+14 (In61) "_s << u"Sprechen+14 (In61)"_s;
        QTest::newRow("x in the name") << u"Boxen+5 (St31, Gw21)"_s << u"Boxen+5 (St31, Gw21)"_s;
        QTest::newRow("mother tongue") << u"Muttersprache: Sprechen+14"_s << u"Muttersprache: Sprechen+14"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void withoutMultiplicityPrefix()
    {
        QFETCH(QString, caption);
        QFETCH(QString, expected);
        QCOMPARE(Tarvosk::withoutMultiplicityPrefix(caption), expected);
    }

    void characterRecord()
    {
        CharacterRecord record;
        QVERIFY(allNotRolled(record.basis) && allNotRolled(record.derived) && allNotRolled(record.lifeEndurance)
                && allNotRolled(record.natural) && allNotRolled(record.background));
        QCOMPARE(record.birthDay + u' ' + record.birthMonth, u"1 Januar"_s);
        QVERIFY(record.habits.isEmpty() && record.special.isEmpty());
        QCOMPARE(record.untypical, untypicalSkills());
        QCOMPARE(record.schoolMale, schoolKnowledgeMale());
        QCOMPARE(record.schoolFemale, schoolKnowledgeFemale());
        QCOMPARE(record.classSkills, classSkillPlaceholders());

        record.basis[4] = record.derived[9] = record.background[1] = u"12"_s;
        record.clearValues();
        QVERIFY(allNotRolled(record.basis) && allNotRolled(record.derived) && allNotRolled(record.background));

        record.untypical[0].caption = u"3x Sprechen+4 (In01)"_s;
        record.schoolMale[7] = SkillRow{u"2x Sprechen+6 (In01)"_s, 1, true};
        record.schoolFemale[7].caption = u"1x Schreiben+6 (In01)"_s;
        record.classSkills[0] = SkillRow{u"2x Sprechen+8 (In21)"_s, 1, true, true};
        record.removeMultiplicityPrefixes();
        QCOMPARE(record.untypical, untypicalSkills());
        QCOMPARE(record.schoolMale[7], (SkillRow{u"Sprechen+6 (In01)"_s, 1, true}));
        QCOMPARE(record.schoolFemale, schoolKnowledgeFemale());
        QCOMPARE(record.classSkills[0], (SkillRow{u"Sprechen+8 (In21)"_s, 1, true, true}));
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
