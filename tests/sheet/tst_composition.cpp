#include "rules/characterrecord.h"
#include "sheet/charactersheet.h"
#include "sheet/sheetcomposition.h"

#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

const QString starTip = u"*= Fähigkeiten die ungelernt und nur durch Talent erhöht sind"_s;

SkillRow learnt(const QString &caption)
{
    return {caption, 1, true, true};
}

SkillRow notLearnt(const QString &caption)
{
    return {caption, 1, false, true};
}

// A rolled man of average values (50, no talent anywhere), nothing learnt.
CharacterRecord averageRecord()
{
    CharacterRecord record;
    record.sex = u"männlich"_s;
    record.nationality = u"Amerikaner"_s;
    record.basis.fill(u"50"_s);
    record.derived.fill(u"50"_s);
    record.natural.fill(u"5"_s);
    record.lifeEndurance.fill(u"10"_s);
    record.background = {u"0"_s, u"A"_s};
    record.untypical.clear();
    record.schoolMale.clear();
    record.schoolFemale.clear();
    record.classSkills.clear();
    return record;
}

// The value a requirement code names.
QString &valueOf(CharacterRecord &record, const QString &code)
{
    if (code == u"St")
        return record.basis[Values::St];
    if (code == u"Gs")
        return record.basis[Values::Gs];
    if (code == u"Gw")
        return record.basis[Values::Gw];
    if (code == u"In")
        return record.basis[Values::In];
    if (code == u"pA")
        return record.derived[Values::pA];
    return record.derived[Values::RW];
}

constexpr int furtherCaption(int row)
{
    return 58 + row;
}

constexpr int furtherValue(int row)
{
    return 87 + 2 * row;
}

// Every field that differs, with its index, so a failure says where.
QStringList differences(const CharacterSheet &actual, const CharacterSheet &expected)
{
    QStringList found;
    auto compare = [&](const auto &got, const auto &want, const QString &what) {
        for (size_t i = 0; i < got.size(); ++i) {
            if (got[i] != want[i])
                found << u"%1 %2: \"%3\", expected \"%4\""_s.arg(what).arg(i).arg(got[i], want[i]);
        }
    };
    compare(actual.captions(), expected.captions(), u"caption"_s);
    compare(actual.values(), expected.values(), u"value"_s);
    compare(actual.toolTips(), expected.toolTips(), u"tool tip"_s);
    compare(actual.equipmentLines(), expected.equipmentLines(), u"equipment line"_s);
    if (actual.overflowLine() != expected.overflowLine())
        found << u"overflow line"_s;
    return found;
}

} // namespace

class TestComposition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void talentBonus_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("talent");

        QTest::newRow("Gw 80") << u"Balancieren+5 (Gw31)"_s << u"Gw"_s << u"80"_s << 0;
        QTest::newRow("Gw 81") << u"Balancieren+5 (Gw31)"_s << u"Gw"_s << u"81"_s << 1;
        QTest::newRow("Gw 95") << u"Balancieren+5 (Gw31)"_s << u"Gw"_s << u"95"_s << 1;
        QTest::newRow("Gw 96") << u"Balancieren+5 (Gw31)"_s << u"Gw"_s << u"96"_s << 2;
        QTest::newRow("first requirement counts") << u"Wurfspeer+5 (Gs21, St31)"_s << u"Gs"_s << u"85"_s << 1;
        QTest::newRow("second does not") << u"Wurfspeer+5 (Gs21, St31)"_s << u"St"_s << u"99"_s << 0;
        QTest::newRow("pA is derived") << u"Verhören+3 (pA31)"_s << u"pA"_s << u"90"_s << 1;
        QTest::newRow("Rw is derived") << u"Beschatten+3 (Rw31)"_s << u"Rw"_s << u"96"_s << 2;
        QTest::newRow("no parenthesis") << u"Reiten+14"_s << u"Gw"_s << u"99"_s << 0;
        QTest::newRow("not closed") << u"Reiten+14 (Gw"_s << u"Gw"_s << u"99"_s << 2;
    }

    void talentBonus()
    {
        QFETCH(QString, line);
        QFETCH(QString, code);
        QFETCH(QString, value);
        QFETCH(int, talent);
        CharacterRecord record = averageRecord();
        valueOf(record, code) = value;
        QCOMPARE(TalentBonus(record, line), talent);
    }

    void untrainedAndLearntDefaults_data()
    {
        QTest::addColumn<QString>("gw");
        QTest::addColumn<QString>("gs");
        QTest::addColumn<QString>("learntLine");
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("starTipShown");

        const int balancieren = 41;
        const int reiten = 61;
        QTest::newRow("Gw 80") << u"80"_s << u"50"_s << QString() << balancieren << u"+5"_s << false;
        QTest::newRow("Gw 85") << u"85"_s << u"50"_s << QString() << balancieren << u"*+6"_s << true;
        QTest::newRow("Gw 96") << u"96"_s << u"50"_s << QString() << balancieren << u"*+7"_s << true;
        QTest::newRow("untrained Reiten") << u"85"_s << u"50"_s << QString() << reiten << u"*+6"_s << true;
        QTest::newRow("learnt Reiten") << u"85"_s << u"50"_s << u"Reiten+12 (Gw21)"_s << reiten << u"+13"_s << false;
        QTest::newRow("untrained Dolch") << u"50"_s << u"85"_s << QString() << 130 << u"*+5"_s << true;
        QTest::newRow("learnt Schrotflinte")
            << u"50"_s << u"85"_s << u"Schrotflinte+6 (Gs01, St31)"_s << 146 << u"+7"_s << false;
    }

    void untrainedAndLearntDefaults()
    {
        QFETCH(QString, gw);
        QFETCH(QString, gs);
        QFETCH(QString, learntLine);
        QFETCH(int, cell);
        QFETCH(QString, value);
        QFETCH(bool, starTipShown);
        CharacterRecord record = averageRecord();
        record.basis[Values::Gw] = gw;
        record.basis[Values::Gs] = gs;
        if (!learntLine.isEmpty())
            record.classSkills.push_back(learnt(learntLine));

        const CharacterSheet sheet = ComposeSheet(record, 0);
        QCOMPARE(sheet.value(cell), value);
        QCOMPARE(sheet.toolTip(cell), starTipShown ? starTip : QString());
        // A learnt default takes no other row.
        QCOMPARE(sheet.value(149), QString());
        QCOMPARE(sheet.caption(furtherCaption(0)), QString());
    }

    void languageLines()
    {
        CharacterRecord record = averageRecord();
        record.basis[Values::In] = u"85"_s;
        record.schoolMale = {learnt(u"Abwehr+12 (Gw01)"_s), learnt(u"Ausweichen+12 (RW01)"_s),
                             learnt(u"Muttersprache: Schreiben+18"_s), learnt(u"Muttersprache: Sprechen+18"_s),
                             learnt(u"2x Sprechen+9 (In31)"_s)};
        record.classSkills = {learnt(u"Sprechen+9:Latein (In31)"_s)};

        const CharacterSheet sheet = ComposeSheet(record, 0);
        const QStringList names = {u"Sprechen"_s, u"Sprechen"_s, u"Sprechen Latein "_s};
        for (int row = 0; row < 21; ++row) {
            QCOMPARE(sheet.caption(furtherCaption(row)), names.value(row));
            QCOMPARE(sheet.value(furtherValue(row)), row < names.size() ? u"+10"_s : QString());
        }
        for (int cell = 149; cell <= 192; ++cell)
            QCOMPARE(sheet.value(cell), QString());
    }

    void throwingSpear_data()
    {
        QTest::addColumn<QString>("gs");
        QTest::addColumn<QString>("st");
        QTest::addColumn<QString>("value");

        QTest::newRow("Gs 85") << u"85"_s << u"10"_s << u"+6"_s;
        QTest::newRow("St 99") << u"10"_s << u"99"_s << u"+5"_s;
    }

    void throwingSpear()
    {
        QFETCH(QString, gs);
        QFETCH(QString, st);
        QFETCH(QString, value);
        CharacterRecord record = averageRecord();
        record.basis[Values::Gs] = gs;
        record.basis[Values::St] = st;
        record.untypical = {learnt(u"Wurfspeer+5 (Gs21, St31)"_s)};

        const CharacterSheet sheet = ComposeSheet(record, 0);
        QCOMPARE(sheet.value(149), u"Wurfspeer"_s);
        QCOMPARE(sheet.value(150), value);
        QCOMPARE(sheet.toolTip(150), QString());
        QCOMPARE(sheet.caption(furtherCaption(0)), QString());
    }

    void incomeLine_data()
    {
        QTest::addColumn<QString>("incomeClass");
        QTest::addColumn<int>("currency");
        QTest::addColumn<QString>("line");

        const QStringList classA = {u"A (0 $)"_s,     u"A (0 £)"_s,      u"A (0 Mark)"_s,
                                    u"A (0 Franc)"_s, u"A (0 Lira)"_s,   u"A (0 Peseta)"_s,
                                    u"A (0 Gulden)"_s, u"A (0 Rubel)"_s, u"A (0 Krone)"_s};
        for (int currency = 0; currency < classA.size(); ++currency)
            QTest::addRow("A in %d", currency) << u"A"_s << currency << classA[currency];
        QTest::newRow("C in dollars") << u"C"_s << 0 << u"C (2.5 $)"_s;
        QTest::newRow("L in pounds") << u"L"_s << 1 << u"L (60 £)"_s;
        QTest::newRow("C in kronen") << u"C"_s << 8 << u"C (9.09090909090909 Krone)"_s;
        QTest::newRow("B in roubles") << u"B"_s << 7 << u"B (2.27272727272727 Rubel)"_s;
        QTest::newRow("G in francs") << u"G"_s << 3 << u"G (100 Franc)"_s;
        QTest::newRow("blanks around") << u" K "_s << 2 << u"K (800 Mark)"_s;
        QTest::newRow("unknown letter") << u"M"_s << 0 << u"M"_s;
        QTest::newRow("lower case") << u"c"_s << 0 << u"c"_s;
        QTest::newRow("not rolled") << u"-"_s << 0 << u"-"_s;
        QTest::newRow("currency beyond the table") << u"C"_s << 9 << u"C (2.5 $)"_s;
        QTest::newRow("negative currency") << u"C"_s << -1 << u"C (2.5 $)"_s;
    }

    void incomeLine()
    {
        QFETCH(QString, incomeClass);
        QFETCH(int, currency);
        QFETCH(QString, line);
        CharacterRecord record = averageRecord();
        record.background[Values::Einkommensklasse] = incomeClass;
        QCOMPARE(ComposeSheet(record, currency).value(8), line);
    }

    void motherTongue_data()
    {
        QTest::addColumn<QString>("intelligence");
        QTest::addColumn<QString>("line");

        QTest::newRow("31") << u"31"_s << u"Amerikaner (Sprache+10)"_s;
        QTest::newRow("32") << u"32"_s << u"Amerikaner (Sprache+14)"_s;
        QTest::newRow("62") << u"62"_s << u"Amerikaner (Sprache+18)"_s;
    }

    void motherTongue()
    {
        QFETCH(QString, intelligence);
        QFETCH(QString, line);
        CharacterRecord record = averageRecord();
        record.basis[Values::In] = intelligence;
        QCOMPARE(ComposeSheet(record, 0).value(1), line);
    }

    void furtherSkillCapacity_data()
    {
        QTest::addColumn<QStringList>("special");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("values");

        QStringList names = {u"Wachgabe"_s, u"Nachtsicht"_s};
        QStringList values = {u"+6"_s, u"+6"_s};
        for (int row = 2; row < 21; ++row) {
            names << u"Sprechen"_s;
            values << u"+9"_s;
        }
        QTest::newRow("a language 25 times")
            << QStringList{u"Wachgabe+6"_s, u"Nachtsicht+6"_s}
            << QStringList{u"25x Sprechen+9 (In31)"_s, u"Fechten+6 (Gw61)"_s} << names << values;

        QStringList special;
        names.clear();
        values.clear();
        for (int i = 0; i < 23; ++i) {
            special << u"Gabe%1+%1"_s.arg(i);
            if (i < 21) {
                names << u"Gabe%1"_s.arg(i);
                values << u"+%1"_s.arg(i);
            }
        }
        QTest::newRow("23 special abilities") << special << QStringList{u"Fechten+6 (Gw61)"_s} << names << values;
    }

    void furtherSkillCapacity()
    {
        QFETCH(QStringList, special);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, names);
        QFETCH(QStringList, values);
        CharacterRecord record = averageRecord();
        record.special = special;
        for (const QString &line : lines)
            record.classSkills.push_back(learnt(line));

        const CharacterSheet sheet = ComposeSheet(record, 0);
        for (int row = 0; row < 21; ++row) {
            QCOMPARE(sheet.caption(furtherCaption(row)), names[row]);
            QCOMPARE(sheet.value(furtherValue(row)), values[row]);
        }
        // The cells after the last row keep what a blank sheet holds.
        QCOMPARE(sheet.caption(79), u"Sechster Sinn"_s);
        QCOMPARE(sheet.value(128), QString());
        QCOMPARE(sheet.value(129), u"Dolch"_s);
    }

    void moreThanElevenWeapons()
    {
        CharacterRecord record = averageRecord();
        record.special = {u"Wachgabe+6"_s};
        for (int i = 1; i <= 13; ++i)
            record.classSkills.push_back(learnt(u"Speer%1+%1 (St31)"_s.arg(i)));

        const CharacterSheet sheet = ComposeSheet(record, 0);
        for (int row = 0; row < 11; ++row) {
            QCOMPARE(sheet.value(149 + 4 * row), u"Speer%1"_s.arg(row + 1));
            QCOMPARE(sheet.value(150 + 4 * row), u"+%1"_s.arg(row + 1));
        }
        // The cells after the last weapon row are Abwehr's.
        QCOMPARE(sheet.value(193), u"5"_s);
        QCOMPARE(sheet.value(194), QString());
        const QStringList names = {u"Wachgabe"_s, u"Speer12"_s, u"Speer13"_s, QString()};
        const QStringList values = {u"+6"_s, u"+12"_s, u"+13"_s, QString()};
        for (int row = 0; row < names.size(); ++row) {
            QCOMPARE(sheet.caption(furtherCaption(row)), names[row]);
            QCOMPARE(sheet.value(furtherValue(row)), values[row]);
        }
    }

    void fullComposition()
    {
        CharacterRecord record;
        record.name = u"Edgar Whitlock"_s;
        record.player = u"Anna Berg"_s;
        record.nationality = u"Engländer"_s;
        record.birthDay = u" 7"_s;
        record.birthMonth = u"März "_s;
        record.starSign = u" Fische"_s;
        record.religion = u"Anglikaner"_s;
        record.race = u"Europide"_s;
        record.eyeColour = u"Grau"_s;
        record.hairColour = u"Schwarz"_s;
        record.background = {u"12"_s, u"C"_s};
        record.quirk = u"Geizig"_s;
        record.age = u"24"_s;
        record.habits = u"Raucht Pfeife, Trinkt Tee"_s;
        record.address = u"London, Baker Street"_s;
        record.characterClass = u"Detektiv"_s;
        record.sex = u"männlich"_s;
        // St, Gs, Gw, Ko, In, mT
        record.basis = {u"55"_s, u"88"_s, u"97"_s, u"40"_s, u"85"_s, u"12"_s};
        // RW, Hgw, Wk, Sch, B, Au, Größe, Gewicht, pA, Sb
        record.derived = {u"82"_s, u"30"_s, u"45"_s, u"2"_s, u"24"_s,
                          u"60"_s, u"180"_s, u"75"_s, u"81"_s, u"50"_s};
        record.lifeEndurance = {u"14"_s, u"22"_s};
        // Abwehr, Ausweichen, Hören, Sehen, Tasten, Riechen, Schmecken, Sechster Sinn
        record.natural = {u"11"_s, u"13"_s, u"8"_s, u"9"_s, u"7"_s, u"6"_s, u"5"_s, u"3"_s};
        record.special = {u"Wachgabe+6"_s, u"Richtungssinn+12"_s};
        record.untypical = {learnt(u"Taschendiebstahl+5 (Gs61)"_s), learnt(u"Wurfspeer+5 (Gs21, St31)"_s),
                            notLearnt(u"Kochen+4 (In11)"_s)};
        record.schoolMale = {learnt(u"Abwehr+12 (Gw01)"_s),
                             learnt(u"Ausweichen+12 (RW01)"_s),
                             learnt(u"Muttersprache: Schreiben+18"_s),
                             learnt(u"Muttersprache: Sprechen+18"_s),
                             learnt(u"Reiten+12 (Gw21)"_s),
                             learnt(u"2x Sprechen+9 (In31)"_s),
                             learnt(u"Schreiben+6 (In31)"_s),
                             notLearnt(u"Tanzen+10 (Gw31)"_s)};
        record.schoolFemale = {learnt(u"Verführen+9 (pA31)"_s)};
        record.classSkills = {learnt(u"Sprechen+9:Latein (In31)"_s),   learnt(u"Schrotflinte+6 (Gs01, St31)"_s),
                              learnt(u"Gewehr+6 (Gs21, St21)"_s),      learnt(u"Spurensuche+5 (In31)"_s),
                              learnt(u"Fechten+6 (Gw61)"_s),           learnt(u"Kampf zu Pferd+14 (Gw01)"_s),
                              notLearnt(u"Boot steuern+6 (St31)"_s)};

        // Worked out by hand; talents: St 0, Gs 1, Gw 2, In 1, pA 1, Rw 1.
        CharacterSheet expected;
        expected.setCaption(0, u"Edgar Whitlock"_s);
        expected.setCaption(1, u"Detektiv"_s);
        const QStringList header = {
            u"Anna Berg"_s, u"Engländer (Sprache+18)"_s, u"7. März (Fische)"_s, u"Anglikaner"_s,
            u"180cm / 75kg"_s, u"Europide"_s, u"Grau"_s, u"Schwarz"_s, u"C (0.5 £)"_s, u"12"_s, u"Geizig"_s,
            u"24"_s, u"Raucht Pfeife, Trinkt Tee"_s, u"London, Baker Street"_s,
            // St, Ge, Gw, Ko, In, mT, Au, pA, Sb, Wk, Rw, B, Sch, Hgw
            u"55"_s, u"88"_s, u"97"_s, u"40"_s, u"85"_s, u"12"_s, u"60"_s, u"81"_s, u"50"_s, u"45"_s, u"82"_s,
            u"24"_s, u"2"_s, u"30"_s,
            // Sehen, Schmecken, Hören, Tasten, Riechen, Sechster Sinn, LP, AP, EP
            u"9"_s, u"5"_s, u"8"_s, u"7"_s, u"6"_s, u"3"_s, u"14"_s, u"22"_s, u"0"_s};
        for (int cell = 0; cell < header.size(); ++cell)
            expected.setValue(cell, header[cell]);
        expected.setValue(193, u"11"_s);
        expected.setValue(195, u"13"_s);

        // Allgemeinbildung .. Verkleiden; Reiten and Spurensuche are learnt.
        const QStringList general = {u"*+4"_s, u"*+4"_s, u"*+7"_s, u"*+4"_s, u"*+4"_s, u"+3"_s,  u"+3"_s,
                                     u"*+4"_s, u"*+6"_s, u"+8"_s,  u"*+4"_s, u"*+1"_s, u"+14"_s, u"*+5"_s,
                                     u"*+5"_s, u"+8"_s,  u"+6"_s,  u"*+4"_s, u"*+10"_s, u"*+5"_s, u"*+6"_s,
                                     u"*+4"_s, u"*+4"_s, u"*+4"_s, u"*+6"_s};
        for (int row = 0; row < general.size(); ++row) {
            expected.setValue(37 + 2 * row, general[row]);
            expected.setToolTip(37 + 2 * row, general[row].startsWith(u'*') ? starTip : QString());
        }
        // Dolch, waffenl.Kampf, Werfen, Pistole; Schrotflinte is learnt.
        const QStringList weapons = {u"*+5"_s, u"*+6"_s, u"*+5"_s, u"*+5"_s, u"+7"_s};
        for (int row = 0; row < weapons.size(); ++row) {
            expected.setValue(130 + 4 * row, weapons[row]);
            expected.setToolTip(130 + 4 * row, weapons[row].startsWith(u'*') ? starTip : QString());
        }
        expected.setValue(149, u"Wurfspeer"_s);
        expected.setValue(150, u"+6"_s);
        expected.setValue(153, u"Gewehr"_s);
        expected.setValue(154, u"+7"_s);

        const QStringList further = {u"Wachgabe"_s,   u"Richtungssinn"_s,    u"Taschendiebstahl"_s,
                                     u"Sprechen"_s,   u"Sprechen"_s,         u"Schreiben"_s,
                                     u"Sprechen Latein "_s, u"Fechten"_s,    u"Kampf zu Pferd"_s};
        const QStringList furtherValues = {u"+6"_s,  u"+12"_s, u"+6"_s, u"+10"_s, u"+10"_s,
                                           u"+7"_s,  u"+10"_s, u"+8"_s, u"+16"_s};
        for (int row = 0; row < further.size(); ++row) {
            expected.setCaption(furtherCaption(row), further[row]);
            expected.setValue(furtherValue(row), furtherValues[row]);
        }

        const QStringList found = differences(ComposeSheet(record, 1), expected);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u"\n")));
    }
};

QTEST_APPLESS_MAIN(TestComposition)
#include "tst_composition.moc"
