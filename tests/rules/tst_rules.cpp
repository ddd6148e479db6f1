#include "rules/characterrecord.h"
#include "rules/combocompletion.h"
#include "rules/numerictext.h"
#include "rules/randomsource.h"
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

    // Blanks, a sign, digits and one point are read; whatever follows ends the number.
    void leadingNumber()
    {
        const std::pair<const char16_t *, std::optional<double>> cases[] = {
            {u"-", std::nullopt}, {u"  12abc", 12.0}, {u"1,5", 1.0}, {u"-3", -3.0}, {u".5", 0.5}, {u"06.12.2024", 6.12},
            {u"1e3", 1.0}};
        for (const auto &[text, value] : cases) {
            QCOMPARE(parseLeadingNumber(QString::fromUtf16(text)), value);
            QCOMPARE(Tarvosk::leadingNumber(QString::fromUtf16(text)), value.value_or(0));
        }
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

    void startupSeed()
    {
        // At 01:02:03 on the given day; a date is read as "dd.MM".
        const QDate december(2024, 12, 6), january(2023, 1, 31);
        const struct { const char16_t *option, *userText; QDate today; std::optional<double> seed; } cases[] = {
            {u"0", u"99", december, 3723.0}, {u"1", u"99", december, 6.12}, {u"1", u"", january, 31.01},
            {u"2", u"1234abc", december, 1234.0}, {u" 0", u"5", december, std::nullopt}};
        for (const auto &c : cases)
            QCOMPARE(Tarvosk::startupSeed(QString::fromUtf16(c.option), QString::fromUtf16(c.userText), QTime(1, 2, 3), c.today), c.seed);
    }

    // The first and the last day of every sign, around the year; a chosen month limits the day to its length.
    void starSignAndMonthLength()
    {
        const struct { const char16_t *sign; int firstDay, firstMonth, lastDay, lastMonth; } periods[] = {
            {u"Widder", 21, 3, 20, 4}, {u"Stier", 21, 4, 20, 5}, {u"Zwilling", 21, 5, 21, 6}, {u"Krebs", 22, 6, 22, 7},
            {u"Löwe", 23, 7, 23, 8}, {u"Jungfrau", 24, 8, 23, 9}, {u"Waage", 24, 9, 23, 10}, {u"Skorpion", 24, 10, 22, 11},
            {u"Schütze", 23, 11, 21, 12}, {u"Steinbock", 22, 12, 20, 1}, {u"Wassermann", 21, 1, 19, 2}, {u"Fische", 20, 2, 20, 3}};
        for (const auto &p : periods) {
            QCOMPARE(Tarvosk::starSign(p.firstDay, p.firstMonth), QString::fromUtf16(p.sign));
            QCOMPARE(Tarvosk::starSign(p.lastDay, p.lastMonth), QString::fromUtf16(p.sign));
        }
        const struct { int day, month, limited; } days[] = {
            {29, 2, 28}, {15, 2, 15}, {31, 1, 31}, {31, 4, 30}, {31, 6, 30}, {31, 9, 30}, {31, 11, 30}, {31, 12, 31}};
        for (const auto &d : days)
            QCOMPARE(std::pair(d.month, Tarvosk::dayWithinMonth(d.day, d.month)), std::pair(d.month, d.limited));
    }

    // A race keeps what precedes "("; a habit is added after a comma unless already held, in any case.
    void comboCompletion()
    {
        const std::pair<const char16_t *, const char16_t *> races[] = {
            {u"  Mischling  (Asiaten,Europa)", u"Mischling"}, {u"Eigener Schlag", u"Eigener Schlag"}, {u"(unbekannt)", u""}};
        for (const auto &[entry, race] : races)
            QCOMPARE(Tarvosk::completedRace(QString::fromUtf16(entry)), QString::fromUtf16(race));
        const struct { const char16_t *before, *chosen, *habits; } cases[] = {
            {u"", u"Raucher", u"Raucher"}, {u"  ", u"Narbe", u"  Narbe"}, {u"Raucher", u"Narbe", u"Raucher, Narbe"},
            {u"Pfeifenraucher", u"Raucher", u"Pfeifenraucher, "}, {u"Raucher,", u"Narbe", u"Raucher,Narbe"},
            {u"Raucher, ", u"Narbe", u"Raucher, Narbe"}};
        for (const auto &c : cases)
            QCOMPARE(Tarvosk::completedHabits(QString::fromUtf16(c.before), QString::fromUtf16(c.chosen)), QString::fromUtf16(c.habits));
    }

    // A count "2x " is cut only within the first four characters.
    void withoutMultiplicityPrefix()
    {
        const std::pair<const char16_t *, const char16_t *> cases[] = {
            {u"2x Sprechen+6 (In01)", u"Sprechen+6 (In01)"}, {u"10x Sprechen+9 (In31)", u"Sprechen+9 (In31)"},
            {u"100x Sprechen+9 (In31)", u"100x Sprechen+9 (In31)"}, {u"2X Sprechen+6 (In01)", u"Sprechen+6 (In01)"},
            {u"3x   Sprechen+14 (In61) ", u"Sprechen+14 (In61)"}, {u"Boxen+5 (St31, Gw21)", u"Boxen+5 (St31, Gw21)"}};
        for (const auto &[caption, expected] : cases)
            QCOMPARE(Tarvosk::withoutMultiplicityPrefix(QString::fromUtf16(caption)), QString::fromUtf16(expected));
    }

    void characterRecord()
    {
        // The class rows: three hidden columns of 12, costing 1, 2 and 3.
        CharacterRecord record;
        for (int i = 0; i < 36; ++i)
            QCOMPARE(std::tuple(i, record.classSkills[i].cost, record.classSkills[i].visible), std::tuple(i, i / 12 + 1, false));

        const CharacterRecord fresh;
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
