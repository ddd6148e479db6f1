#include "rules/characterrecord.h"
#include "rules/learningpoints.h"
#include "rules/skillclick.h"
#include "rules/skilllisttables.h"
#include "rules/skillrules.h"

#include <QTest>

#include <algorithm>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

using Pools = std::array<QString, 3>;
struct RuleCase { bool unlearn; QStringList learnt; QString caption, refusal; QList<int> values; }; // values: basis, RW, pA
struct ClickCase { QStringList learnt; Pools pools; SkillListId list; int row; bool secondary; QString refusal; };

int rowOf(const SkillList &rows, const QString &caption)
{
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const SkillRow &r) { return withoutMultiplicityPrefix(r.caption) == caption; });
    return row == rows.end() ? -1 : int(row - rows.begin());
}

// A rolled male character: every value 70, the given school rows learnt, 10 points in each pool, and the
// lines marked learnt in the men's school list, else in the untypical list (a prefix "2x " is kept).
CharacterRecord characterWith(const QStringList &learnt = {})
{
    CharacterRecord record;
    record.sex = u"männlich"_s;
    record.basis.fill(u"70"_s);
    record.derived.fill(u"70"_s);
    record.learningPoints.fill(u"10"_s);
    for (int i = 0; i < givenSchoolRows; ++i)
        record.schoolMale[i].learnt = record.schoolFemale[i].learnt = true;
    for (const QString &caption : learnt) {
        const QString line = withoutMultiplicityPrefix(caption);
        SkillList &list = rowOf(record.schoolMale, line) >= 0 ? record.schoolMale : record.untypical;
        list[rowOf(list, line)] = {caption, list[rowOf(list, line)].cost, true, true};
    }
    return record;
}

const QString alreadyLearnt = u"Sie haben diese Fähigkeit bereits gelernt."_s;
const QString perMissile = u"Scharfschießen kann nur zu einer Schuß- oder Wurffähigkeit gelernt werden (je Fähigkeit extra)."_s;
const QString givenLine = u"Sie müssen diese Fähigkeit lernen um Andere lernen zu können."_s;
const QString writingFirst = u"Sie müssen erst das zugehörige Schreiben demarkieren."_s;
const QString speakingFirst = u"Bevor sie Schreiben lernen können, müssen sie Sprechen lernen. Je Sprechen können "
                              u"sie dann ein weiteres mal Schreiben lernen."_s;
const QString bladeFirst = u"Demarkieren Sie zuerst Degen oder Florett."_s;
const Pools tenEach{u"10"_s, u"10"_s, u"10"_s};

} // namespace

class TestLearning : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countLearntUsesMultiplicityAndTheSchoolListOfTheSex()
    {
        CharacterRecord record = characterWith({u"3x Sprechen+6 (In01)"_s});
        record.schoolFemale[rowOf(record.schoolFemale, u"Musizieren+6 (Gs31)"_s)].learnt = true;
        // The mother tongue counts too.
        QCOMPARE(std::pair(CountLearnt(record, u"SPRECHEN"_s), CountLearnt(record, u"MUSIZIEREN"_s)), std::pair(4, 0));
        record.sex = u"weiblich"_s;
        QCOMPARE(std::pair(CountLearnt(record, u"SPRECHEN"_s), CountLearnt(record, u"MUSIZIEREN"_s)), std::pair(1, 1));
    }

    void learnAndUnlearnRules_data()
    {
        QTest::addColumn<RuleCase>("c");
        auto learn = [](const char *tag, const QStringList &learnt, const QString &caption, const QString &refusal,
                        const QList<int> &values = {70, 70, 70}) { QTest::newRow(tag) << RuleCase{false, learnt, caption, refusal, values}; };
        auto unlearn = [](const char *tag, const QStringList &learnt, const QString &caption, const QString &refusal) {
            QTest::newRow(tag) << RuleCase{true, learnt, caption, refusal, {70, 70, 70}};
        };
        // Four characters ("Rw61") are a minimum, five ("pA<81") a maximum; the first written fails first.
        const QString beschatten = u"Beschatten+6 (Rw61, pA<81)"_s;
        const auto low = [](const char16_t *value) { return QString::fromUtf16(value) + u" ist für diese Fähigkeit nicht ausreichend."_s; };
        learn("RW 61, pA 81", {}, beschatten, QString(), {70, 61, 81});
        learn("pA 82", {}, beschatten, u"Die persönliche Ausstrahlung ist für diese Fähigkeit zu hoch."_s, {70, 61, 82});
        learn("RW 60, pA 82", {}, beschatten, low(u"Der Reaktionswert"), {70, 60, 82});
        learn("unknown code skipped", {}, u"Test+1 (Xy99, In31)"_s, low(u"Die Intelligenz"), {30, 1, 1});
        learn("no blank after comma", {}, u"waffenl.Kampf+5 (Gw21,St21)"_s, low(u"Die Gewandtheit"), {20, 1, 1});
        learn("no parenthesis, not twice", {u"Reiten+12 (Gw21)"_s}, u"Reiten+14"_s, alreadyLearnt);
        // Both an attribute and a rule between skills fail: the attribute is named first.
        learn("Gs too low and no missile skill", {}, u"Scharfschießen+5 (Gs61)"_s, low(u"Die Geschicklichkeit"), {60, 70, 70});

        learn("one speaking, one writing", {u"1x Sprechen+6 (In01)"_s}, u"Schreiben+6 (In01)"_s, QString());
        learn("second writing refused", {u"1x Sprechen+6 (In01)"_s, u"1x Schreiben+9 (In31)"_s}, u"1x Schreiben+9 (In31)"_s, speakingFirst);
        learn("mounted combat needs riding", {}, u"Kampf zu Pferd+12 (Gw01)"_s,
              u"Sie müssen erst Reiten lernen um Kampf zu Pferd lernen zu können."_s);
        learn("mounted shooting needs riding", {}, u"Schießen zu Pferd+12 (Gs01)"_s,
              u"Sie müssen erst Reiten lernen um Schießen zu Pferd lernen zu können."_s);
        learn("fencing needs a blade", {}, u"Fechten+5 (Gw61)"_s, u"Dazu müssen Sie erst Degen oder Florett lernen."_s);
        learn("fencing after foil", {u"Florett+5 (Gs31)"_s}, u"Fechten+5 (Gw61)"_s, QString());
        learn("Speer inside Wurfspeer", {u"Wurfspeer+5 (Gs21, St31)"_s}, u"Speer+5 (Gs11, St21)"_s, alreadyLearnt);

        const QString sharpshooting = u"Scharfschießen+5 (Gs61)"_s, pistol = u"Pistole+5 (Gs11)"_s;
        learn("Schrotflinte is a missile skill", {u"Schrotflinte+5 (Gs01, St31)"_s}, sharpshooting, QString());
        learn("once per missile skill", {u"Schrotflinte+5 (Gs01, St31)"_s, sharpshooting}, sharpshooting, perMissile);
        unlearn("last missile skill", {pistol, sharpshooting}, pistol, u"Demarkieren sie zuerst die Fähigkeit Scharfschießen."_s);
        unlearn("another missile skill left", {pistol, u"Gewehr+5 (Gs21, St21)"_s, sharpshooting}, pistol, QString());

        unlearn("spare speaking", {u"2x Sprechen+6 (In01)"_s, u"1x Schreiben+6 (In01)"_s}, u"2x Sprechen+6 (In01)"_s, QString());
        const QString riding = u"Reiten+12 (Gw21)"_s;
        unlearn("riding, mounted combat message first", {riding, u"Schießen zu Pferd+12 (Gs01)"_s, u"Kampf zu Pferd+12 (Gw01)"_s},
                riding, u"Sie müssen erst Kampf zu Pferd demarkieren."_s);
        unlearn("riding, mounted shooting", {riding, u"Schießen zu Pferd+12 (Gs01)"_s}, riding,
                u"Sie müssen erst Schießen zu Pferd demarkieren."_s);
    }
    void learnAndUnlearnRules()
    {
        QFETCH(RuleCase, c);
        CharacterRecord record = characterWith(c.learnt);
        record.basis.fill(QString::number(c.values[0]));
        record.derived[0] = QString::number(c.values[1]);
        record.derived[8] = QString::number(c.values[2]);
        QCOMPARE((c.unlearn ? CheckUnlearn(record, c.caption) : CheckLearn(record, c.caption)).refusal, c.refusal);
    }

    // Any click unlearns a line that is no language; counting a language line up and down is the wizard's test.
    void anyClickUnlearnsALineThatIsNoLanguage()
    {
        CharacterRecord record = characterWith();
        WizardState wizard;
        for (bool secondary : {false, true}) {
            record.classSkills[24] = {u"Reiten+14"_s, 3, false, true};
            QVERIFY(clickSkillRow(record, wizard, SkillListId::ClassSkills, 24, false).changed);
            QCOMPARE(record.learningPoints, (Pools{u"7"_s, u"10"_s, u"10"_s}));
            QVERIFY(clickSkillRow(record, wizard, SkillListId::ClassSkills, 24, secondary).changed);
            QVERIFY(!record.classSkills[24].learnt && record.learningPoints == tenEach);
        }
    }

    // A refusal or too few points changes nothing; each writing needs its own speaking; Degen stays while Fechten is learnt.
    void clicksThatChangeNothing()
    {
        const SkillListId male = SkillListId::SchoolMale, untypical = SkillListId::Untypical;
        const QStringList none;
        const ClickCase cases[] = {
            {none, tenEach, male, 6, false, speakingFirst},
            {{u"Degen+5 (St21, Gs21)"_s, u"Florett+5 (Gs31)"_s, u"Fechten+5 (Gw61)"_s}, tenEach, male, 27, true, bladeFirst},
            {none, tenEach, male, 8, true, QString()}, // secondary on a line not learnt
            {none, tenEach, male, 0, false, givenLine}, // Abwehr
            {none, tenEach, male, 3, true, writingFirst}, {{u"1x Sprechen+6 (In01)"_s}, tenEach, male, 3, false, QString()},
            // Each of these would be refused by the rules too: the points are looked at first, silently.
            {{u"Wurfspeer+5 (Gs21, St31)"_s}, {u"10"_s, u"2"_s, u"10"_s}, male, 25, false, QString()}, // cost 3
            {none, {u"2"_s, u"10"_s, u"0"_s}, untypical, 58, false, QString()}, // cost 6, class pool 2
            {none, {u"1"_s, u"10"_s, u"0"_s}, untypical, 4, false, QString()}}; // school points stay at school
        for (const ClickCase &c : cases) {
            CharacterRecord record = characterWith(c.learnt);
            record.learningPoints = c.pools;
            WizardState wizard;
            const CharacterRecord before = record;
            const SkillClickResult result = clickSkillRow(record, wizard, c.list, c.row, c.secondary);
            QCOMPARE(result.refusal, c.refusal);
            QVERIFY(!result.changed);
            QCOMPARE(skillList(record, c.list), skillList(before, c.list));
            QCOMPARE(record.learningPoints, c.pools);
            QCOMPARE(wizard.borrowedPoints, 0);
        }
    }

    // Untypical lines borrow their shortfall from the class pool; refunds pay the borrowed points back first.
    void untypicalPointsBorrowFromTheClassPool()
    {
        const Pools none{u"0"_s, u"0"_s, u"0"_s};
        // Without a refund, "Archivwesen+4 (In31)" (cost 4) is clicked.
        const struct { Pools before; int borrowed, refunded; Pools after; int borrowedAfter; } cases[] = {
            {{u"3"_s, u"10"_s, u"1"_s}, 0, 0, {u"0"_s, u"10"_s, u"0"_s}, 3}, {none, 3, 2, {u"2"_s, u"0"_s, u"0"_s}, 1},
            {none, 1, 3, {u"1"_s, u"0"_s, u"2"_s}, 0}};
        for (const auto &c : cases) {
            CharacterRecord record = characterWith();
            record.learningPoints = c.before;
            WizardState wizard{.borrowedPoints = c.borrowed};
            if (c.refunded > 0)
                refund(record, wizard, SkillListId::Untypical, c.refunded);
            else
                QVERIFY(clickSkillRow(record, wizard, SkillListId::Untypical, rowOf(record.untypical, u"Archivwesen+4 (In31)"_s), false).changed);
            QCOMPARE(record.learningPoints, c.after);
            QCOMPARE(wizard.borrowedPoints, c.borrowedAfter);
        }
    }

    // The quirk box follows the click until a step back; then ticking adds 3 untypical points and clearing is refused.
    void quirkBox()
    {
        // stepBack: 0 none, 1 to step 1, 2 to step 2, 3 both
        const struct { int stepBack; bool ticked; QString pool, refusal; } cases[] = {
            {0, true, u"4"_s, QString()}, {1, true, u"7"_s, QString()}, {2, true, u"7"_s, QString()},
            {3, false, u"4"_s, u"Sie können diese Eigenschaft nun nicht mehr abwählen"_s}};
        for (const auto &c : cases) {
            CharacterRecord record = characterWith();
            record.learningPoints[2] = u"4"_s;
            WizardState wizard{.totalLearningPoints = 20, .backToStep1 = bool(c.stepBack & 1), .backToStep2 = bool(c.stepBack & 2)};
            const QuirkBoxResult result = quirkBoxClicked(record, wizard, c.ticked);
            QCOMPARE(record.learningPoints[2], c.pool);
            // Late points join the total, so nothing spent still means 18 years.
            QCOMPARE(wizard.totalLearningPoints, 20 + (record.learningPoints[2] == u"7"_s ? 3 : 0));
            QCOMPARE(result.refusal, c.refusal);
            QVERIFY(result.boxTicked && record.quirkBonus);
        }
    }
};

QTEST_GUILESS_MAIN(TestLearning)
#include "tst_learning.moc"
