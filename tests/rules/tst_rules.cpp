#include "rules/characterrecord.h"
#include "rules/combocompletion.h"
#include "rules/numerictext.h"
#include "rules/randomsource.h"
#include "rules/skilllisttables.h"
#include "rules/starsign.h"
#include "rules/startupseed.h"
#include "support/scriptedrandom.h"

#include <QLocale>
#include <QTest>

#include <algorithm>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

QList<float> sequenceOf(std::optional<double> seed, int skipped = 0, int count = 20)
{
    SeededRandom random;
    for (int i = 0; i < skipped; ++i)
        random.next();
    if (seed)
        random.seed(*seed);
    QList<float> numbers;
    for (int i = 0; i < count; ++i)
        numbers.append(random.next());
    return numbers;
}

} // namespace

class TestRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // A German locale writes "8,25": number parsing must not follow it.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("value");
        QTest::newRow("dash") << u"-"_s << std::optional<double>();
        QTest::newRow("blanks, digits, letters") << u"  12abc"_s << std::optional(12.0);
        QTest::newRow("comma stops") << u"1,5"_s << std::optional(1.0);
        QTest::newRow("negative") << u"-3"_s << std::optional(-3.0);
        QTest::newRow("point first") << u".5"_s << std::optional(0.5);
        QTest::newRow("second point stops") << u"06.12.2024"_s << std::optional(6.12);
        QTest::newRow("no exponent") << u"1e3"_s << std::optional(1.0);
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<double>, value);
        QCOMPARE(parseLeadingNumber(text), value);
        QCOMPARE(Tarvosk::leadingNumber(text), value.value_or(0));
    }

    void randomNumbers()
    {
        const float highest = 0.99999994f; // the largest float below 1: a die shows 1 to its sides
        for (const auto &[number, sides, face] : {std::tuple(0.0f, 6, 1), std::tuple(highest, 6, 6), std::tuple(highest, 100, 100)})
            QCOMPARE(ScriptedRandom({number}).die(sides), face);
        const QList<float> many = sequenceOf(42, 0, 100000);
        const auto [lowest, largest] = std::minmax_element(many.begin(), many.end());
        QVERIFY(*lowest >= 0.0f && *lowest < 0.001f && *largest < 1.0f && *largest > 0.999f);
        for (double seed : {0.0, 6.12, -7.5, 1e12}) // the draws before seeding do not matter
            QCOMPARE(sequenceOf(seed, 5), sequenceOf(seed));
        QCOMPARE(sequenceOf(std::nullopt), sequenceOf(std::nullopt)); // unseeded, too
        for (const auto &[a, b] : {std::pair(1.0, 2.0), std::pair(6.12, 6.11), std::pair(3723.0, 3723.5)})
            QVERIFY2(sequenceOf(a) != sequenceOf(b), qPrintable(u"%1 / %2"_s.arg(a).arg(b)));
    }

    void startupSeed_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("userText");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<std::optional<double>>("seed");
        const QDateTime now(QDate(2024, 12, 6), QTime(1, 2, 3));
        QTest::newRow("clock") << u"0"_s << u"99"_s << now << std::optional(3723.0);
        QTest::newRow("date 6 December") << u"1"_s << u"99"_s << now << std::optional(6.12);
        QTest::newRow("date 31 January") << u"1"_s << QString() << QDateTime(QDate(2023, 1, 31), QTime(1, 2, 3)) << std::optional(31.01);
        QTest::newRow("date 31 January") << u"1"_s << QString() << QDateTime(QDate(2023, 1, 31), QTime(1, 2, 3)) << std::optional(31.01);
        QTest::newRow("user text") << u"2"_s << u"1234abc"_s << now << std::optional(1234.0);
        QTest::newRow("option with blank") << u" 0"_s << u"5"_s << now << std::optional<double>();
    }
    void startupSeed()
    {
        QFETCH(QString, option);
        QFETCH(QString, userText);
        QFETCH(QDateTime, now);
        QFETCH(std::optional<double>, seed);
        QCOMPARE(Tarvosk::startupSeed(option, userText, now.time(), now.date()), seed);
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

    void dayWithinMonth()
    {
        const struct { int day, month, limited; } days[] = {{29, 2, 28}, {31, 2, 28}, {15, 2, 15}, {31, 1, 31}, {31, 4, 30},
                                                           {31, 6, 30}, {31, 9, 30}, {31, 11, 30}, {31, 12, 31}};
        for (const auto &d : days)
            QCOMPARE(std::pair(d.month, Tarvosk::dayWithinMonth(d.day, d.month)), std::pair(d.month, d.limited));
    }

    void completedRace()
    {
        QCOMPARE(Tarvosk::completedRace(u"Mongolide (Asiaten,Indianer)"_s), u"Mongolide"_s);
        QCOMPARE(Tarvosk::completedRace(u"  Mischling  (Europa)"_s), u"Mischling"_s);
        QCOMPARE(Tarvosk::completedRace(u"Eigener Schlag"_s), u"Eigener Schlag"_s);
        QCOMPARE(Tarvosk::completedRace(u"(unbekannt)"_s), QString());
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

    void skillTables()
    {
        // Each list is its table's groups in order, the heading naming the cost; "cost*lines" per group shows where each
        // starts (the given school rows cost nothing).
        struct List { const SkillListTable &table; SkillList rows; const char16_t *costs; };
        const List lists[] = {{untypicalTable(), untypicalSkills(), u"1*1 2*4 3*10 4*27 5*14 6*12 8*6"},
                              {schoolMaleTable(), schoolKnowledgeMale(), u"0*4 1*5 2*10 3*8 4*5"},
                              {schoolFemaleTable(), schoolKnowledgeFemale(), u"0*4 1*6 2*12 3*6"}};
        for (const List &list : lists) {
            QCOMPARE(rowsOf(list.table), list.rows);
            QStringList runs;
            for (const SkillGroup &group : list.table.groups) {
                runs << u"%1*%2"_s.arg(group.cost).arg(group.lines.size());
                QVERIFY(group.heading.startsWith(u"%1 Lernpunkt"_s.arg(group.cost)));
            }
            QCOMPARE(runs.join(u' '), QString::fromUtf16(list.costs));
            for (const SkillRow &row : list.rows)
                QVERIFY(row.visible && !row.learnt && Tarvosk::withoutMultiplicityPrefix(row.caption) == row.caption);
        }
        QCOMPARE(schoolKnowledgeMale().at(3).caption + u", "_s + schoolKnowledgeFemale().at(2).caption,
                 u"Muttersprache: Sprechen+14, Muttersprache: Schreiben+18"_s);
        // The class lines: three hidden columns of 12 rows, costing 1, 2 and 3.
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
    }
    void withoutMultiplicityPrefix()
    {
        QFETCH(QString, caption);
        QFETCH(QString, expected);
        QCOMPARE(Tarvosk::withoutMultiplicityPrefix(caption), expected);
    }

    void characterRecord()
    {
        const CharacterRecord fresh;
        QCOMPARE(fresh.basis[0] + fresh.derived[9] + fresh.lifeEndurance[1] + fresh.natural[7] + fresh.background[1], u"-----"_s);
        QCOMPARE(fresh.birthDay + u' ' + fresh.birthMonth, u"1 Januar"_s);

        CharacterRecord record;
        record.basis[4] = record.derived[9] = record.lifeEndurance[0] = record.natural[2] = record.background[1] = u"12"_s;
        record.clearValues();
        QVERIFY(record.basis == fresh.basis && record.derived == fresh.derived && record.lifeEndurance == fresh.lifeEndurance
                && record.natural == fresh.natural && record.background == fresh.background);

        record.untypical[0].caption = u"3x Sprechen+4 (In01)"_s;
        record.schoolMale[7].caption = u"2x Sprechen+6 (In01)"_s;
        record.schoolFemale[7].caption = u"1x Schreiben+6 (In01)"_s;
        record.classSkills[0].caption = u"2x Sprechen+8 (In21)"_s;
        record.removeMultiplicityPrefixes();
        QVERIFY(record.untypical == fresh.untypical && record.schoolMale == fresh.schoolMale && record.schoolFemale == fresh.schoolFemale);
        QCOMPARE(record.classSkills[0].caption, u"Sprechen+8 (In21)"_s);
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
