#include "rules/characterrecord.h"
#include "rules/learningpoints.h"
#include "rules/skillclick.h"
#include "rules/skilllisttables.h"
#include "rules/skillrules.h"

#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

// A rolled male character: every value 70, the given school rows learnt, 10 points in each pool.
CharacterRecord freshCharacter()
{
    CharacterRecord record;
    record.sex = u"männlich"_s;
    record.basis.fill(u"70"_s);
    record.derived.fill(u"70"_s);
    record.learningPoints.fill(u"10"_s);
    for (SkillList *school : {&record.schoolMale, &record.schoolFemale}) {
        for (int i = 0; i < givenSchoolRows; ++i)
            (*school)[i].learnt = true;
    }
    return record;
}

int rowOf(const SkillList &rows, const QString &caption)
{
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        if (withoutMultiplicityPrefix(rows[i].caption) == caption)
            return i;
    }
    return -1;
}

// Marks a line learnt in the men's school list, else in the untypical list; a prefix "2x " is kept.
void mark(CharacterRecord &record, const QString &caption)
{
    for (SkillList *list : {&record.schoolMale, &record.untypical}) {
        const int row = rowOf(*list, withoutMultiplicityPrefix(caption));
        if (row >= 0) {
            (*list)[row] = {caption, (*list)[row].cost, true, true};
            return;
        }
    }
}

CharacterRecord characterWith(const QStringList &learnt)
{
    CharacterRecord record = freshCharacter();
    for (const QString &caption : learnt)
        mark(record, caption);
    return record;
}

SkillClickResult click(CharacterRecord &record, WizardState &wizard, SkillListId list, const QString &caption,
                       bool secondary = false)
{
    return clickSkillRow(record, wizard, list, rowOf(skillList(record, list), caption), secondary);
}

using Pools = std::array<QString, 3>;

const QString alreadyLearnt = u"Sie haben diese Fähigkeit bereits gelernt."_s;
const QString sharpshootingPerMissile =
    u"Scharfschießen kann nur zu einer Schuß- oder Wurffähigkeit gelernt werden (je Fähigkeit extra)."_s;
const QString givenLine = u"Sie müssen diese Fähigkeit lernen um Andere lernen zu können."_s;
const QString writingFirst = u"Sie müssen erst das zugehörige Schreiben demarkieren."_s;
const QString speakingFirst = u"Bevor sie Schreiben lernen können, müssen sie Sprechen lernen. Je Sprechen können "
                              u"sie dann ein weiteres mal Schreiben lernen."_s;
const Pools tenEach{u"10"_s, u"10"_s, u"10"_s};

} // namespace

class TestLearning : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countLearntUsesSubstringsMultiplicityAndTheSchoolListOfTheSex()
    {
        CharacterRecord record = characterWith({u"3x Sprechen+6 (In01)"_s, u"Schrotflinte+5 (Gs01, St31)"_s});
        QCOMPARE(CountLearnt(record, u"SPRECHEN"_s), 4); // the mother tongue counts too
        QCOMPARE(CountLearnt(record, u"SCHREIBEN"_s), 1);
        QCOMPARE(CountLearnt(record, u"FLINTE"_s), 1);
        record.schoolFemale[rowOf(record.schoolFemale, u"Musizieren+6 (Gs31)"_s)].learnt = true;
        QCOMPARE(CountLearnt(record, u"MUSIZIEREN"_s), 0);
        record.sex = u"weiblich"_s;
        QCOMPARE(CountLearnt(record, u"MUSIZIEREN"_s), 1);
        QCOMPARE(CountLearnt(record, u"SPRECHEN"_s), 1); // the men's list no longer counts
    }

    void attributePrerequisites_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("basis");
        QTest::addColumn<QString>("rw");
        QTest::addColumn<QString>("pa");
        QTest::addColumn<QString>("refusal");
        const QString beschatten = u"Beschatten+6 (Rw61, pA<81)"_s;
        const QString tooHigh = u"Die persönliche Ausstrahlung ist für diese Fähigkeit zu hoch."_s;
        const QString tooLow = u"Der Reaktionswert ist für diese Fähigkeit nicht ausreichend."_s;
        QTest::newRow("RW 61, pA 81") << beschatten << u"70"_s << u"61"_s << u"81"_s << QString();
        QTest::newRow("pA 82") << beschatten << u"70"_s << u"61"_s << u"82"_s << tooHigh;
        QTest::newRow("RW 60") << beschatten << u"70"_s << u"60"_s << u"81"_s << tooLow;
        QTest::newRow("first written fails first") << beschatten << u"70"_s << u"60"_s << u"82"_s << tooLow;
        QTest::newRow("01 met by 1") << u"Keule+5 (St01)"_s << u"1"_s << u"1"_s << u"1"_s << QString();
        QTest::newRow("Gewandtheit") << u"Schleichen+6 (Gw61)"_s << u"60"_s << u"70"_s << u"70"_s
                                     << u"Die Gewandtheit ist für diese Fähigkeit nicht ausreichend."_s;
        QTest::newRow("unknown code skipped") << u"Test+1 (Xy99, In31)"_s << u"30"_s << u"1"_s << u"1"_s
                                              << u"Die Intelligenz ist für diese Fähigkeit nicht ausreichend."_s;
        QTest::newRow("no blank after comma") << u"waffenl.Kampf+5 (Gw21,St21)"_s << u"20"_s << u"1"_s << u"1"_s
                                              << u"Die Gewandtheit ist für diese Fähigkeit nicht ausreichend."_s;
        QTest::newRow("no parenthesis, no prerequisite") << u"Reiten+14"_s << u"1"_s << u"1"_s << u"1"_s << QString();
    }
    void attributePrerequisites()
    {
        QFETCH(QString, caption);
        QFETCH(QString, basis);
        QFETCH(QString, rw);
        QFETCH(QString, pa);
        QFETCH(QString, refusal);
        CharacterRecord record = freshCharacter();
        record.basis.fill(basis);
        record.derived[0] = rw;
        record.derived[8] = pa;
        QCOMPARE(CheckLearn(record, caption).refusal, refusal);
    }

    void rulesBetweenSkills_data()
    {
        QTest::addColumn<QStringList>("learnt");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("refusal");
        const QString writing = u"Schreiben+6 (In01)"_s;
        const QString sharpshooting = u"Scharfschießen+5 (Gs61)"_s;
        QTest::newRow("writing needs speaking: 1 - 1 = 0") << QStringList() << writing << speakingFirst;
        QTest::newRow("one speaking, one writing") << QStringList{u"1x Sprechen+6 (In01)"_s} << writing << QString();
        QTest::newRow("second writing refused")
            << QStringList{u"1x Sprechen+6 (In01)"_s, u"1x Schreiben+9 (In31)"_s} << u"1x Schreiben+9 (In31)"_s
            << speakingFirst;
        QTest::newRow("speaking again and again") << QStringList{u"5x Sprechen+4 (In01)"_s}
                                                  << u"5x Sprechen+4 (In01)"_s << QString();
        QTest::newRow("mounted combat needs riding")
            << QStringList() << u"Kampf zu Pferd+12 (Gw01)"_s
            << u"Sie müssen erst Reiten lernen um Kampf zu Pferd lernen zu können."_s;
        QTest::newRow("mounted combat after riding") << QStringList{u"Reiten+12 (Gw21)"_s}
                                                     << u"Kampf zu Pferd+12 (Gw01)"_s << QString();
        QTest::newRow("mounted shooting needs riding")
            << QStringList() << u"Schießen zu Pferd+12 (Gs01)"_s
            << u"Sie müssen erst Reiten lernen um Schießen zu Pferd lernen zu können."_s;
        QTest::newRow("fencing needs a blade") << QStringList() << u"Fechten+5 (Gw61)"_s
                                               << u"Dazu müssen Sie erst Degen oder Florett lernen."_s;
        QTest::newRow("fencing after foil") << QStringList{u"Florett+5 (Gs31)"_s} << u"Fechten+5 (Gw61)"_s
                                            << QString();
        QTest::newRow("same skill in another list") << QStringList{u"Gassenwissen+8 (In21, pA31)"_s}
                                                    << u"Gassenwissen+8 (In21, pA31)"_s << alreadyLearnt;
        QTest::newRow("Speer inside Wurfspeer") << QStringList{u"Wurfspeer+5 (Gs21, St31)"_s}
                                                << u"Speer+5 (Gs11, St21)"_s << alreadyLearnt;
        QTest::newRow("Flinte inside Schrotflinte") << QStringList{u"Schrotflinte+5 (Gs01, St31)"_s}
                                                    << u"Flinte+5 (Gs31, St21)"_s << alreadyLearnt;
        QTest::newRow("no parenthesis, not twice") << QStringList{u"Reiten+12 (Gw21)"_s} << u"Reiten+14"_s
                                                   << alreadyLearnt;
        QTest::newRow("sharpshooting needs a missile skill") << QStringList() << sharpshooting
                                                             << sharpshootingPerMissile;
        QTest::newRow("Schrotflinte is a missile skill") << QStringList{u"Schrotflinte+5 (Gs01, St31)"_s}
                                                         << sharpshooting << QString();
        QTest::newRow("once per missile skill")
            << QStringList{u"Schrotflinte+5 (Gs01, St31)"_s, sharpshooting} << sharpshooting
            << sharpshootingPerMissile;
    }
    void rulesBetweenSkills()
    {
        QFETCH(QStringList, learnt);
        QFETCH(QString, caption);
        QFETCH(QString, refusal);
        QCOMPARE(CheckLearn(characterWith(learnt), caption).refusal, refusal);
    }

    void checkUnlearn_data()
    {
        QTest::addColumn<QStringList>("learnt");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("refusal");
        const QString pistol = u"Pistole+5 (Gs11)"_s;
        const QString sharpshooting = u"Scharfschießen+5 (Gs61)"_s;
        const QString riding = u"Reiten+12 (Gw21)"_s;
        const QString firstSharpshooting = u"Demarkieren sie zuerst die Fähigkeit Scharfschießen."_s;
        QTest::newRow("last missile skill") << QStringList{pistol, sharpshooting} << pistol << firstSharpshooting;
        QTest::newRow("another missile skill left")
            << QStringList{pistol, u"Gewehr+5 (Gs21, St21)"_s, sharpshooting} << pistol << QString();
        QTest::newRow("Schrotflinte is the missile skill")
            << QStringList{u"Schrotflinte+5 (Gs01, St31)"_s, sharpshooting} << u"Schrotflinte+5 (Gs01, St31)"_s
            << firstSharpshooting;
        QTest::newRow("speaking that a writing needs")
            << QStringList{u"1x Sprechen+6 (In01)"_s, u"1x Schreiben+6 (In01)"_s} << u"1x Sprechen+6 (In01)"_s
            << writingFirst;
        QTest::newRow("spare speaking") << QStringList{u"2x Sprechen+6 (In01)"_s, u"1x Schreiben+6 (In01)"_s}
                                        << u"2x Sprechen+6 (In01)"_s << QString();
        QTest::newRow("riding, mounted combat message first")
            << QStringList{riding, u"Schießen zu Pferd+12 (Gs01)"_s, u"Kampf zu Pferd+12 (Gw01)"_s} << riding
            << u"Sie müssen erst Kampf zu Pferd demarkieren."_s;
        QTest::newRow("riding, mounted shooting") << QStringList{riding, u"Schießen zu Pferd+12 (Gs01)"_s} << riding
                                                  << u"Sie müssen erst Schießen zu Pferd demarkieren."_s;
        QTest::newRow("Degen under Fechten, even with Florett")
            << QStringList{u"Degen+5 (St21, Gs21)"_s, u"Florett+5 (Gs31)"_s, u"Fechten+5 (Gw61)"_s}
            << u"Degen+5 (St21, Gs21)"_s << u"Demarkieren Sie zuerst Degen oder Florett."_s;
        QTest::newRow("Abwehr") << QStringList() << u"Abwehr+12 (Gw01)"_s << givenLine;
        QTest::newRow("mother tongue writing") << QStringList() << u"Muttersprache: Schreiben+14"_s << givenLine;
    }
    void checkUnlearn()
    {
        QFETCH(QStringList, learnt);
        QFETCH(QString, caption);
        QFETCH(QString, refusal);
        QCOMPARE(CheckUnlearn(characterWith(learnt), caption).refusal, refusal);
    }

    void secondaryClick_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("secondary");
        QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << false;
        QTest::newRow("right") << Qt::RightButton << Qt::KeyboardModifiers() << true;
        QTest::newRow("middle") << Qt::MiddleButton << Qt::KeyboardModifiers() << false;
        QTest::newRow("Ctrl alone") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
        QTest::newRow("Shift+Ctrl") << Qt::LeftButton << (Qt::ShiftModifier | Qt::ControlModifier) << false;
        QTest::newRow("Ctrl+Alt") << Qt::LeftButton << (Qt::ControlModifier | Qt::AltModifier) << false;
    }
    void secondaryClick()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, secondary);
        QCOMPARE(isSecondaryClick(button, modifiers), secondary);
    }

    void languageLineCountsUpAndDown()
    {
        CharacterRecord record = freshCharacter();
        WizardState wizard;
        const QString speaking = u"Sprechen+6 (In01)"_s;
        const int row = rowOf(record.schoolMale, speaking);
        for (const QString &caption : {u"1x "_s + speaking, u"2x "_s + speaking, u"3x "_s + speaking}) {
            QVERIFY(clickSkillRow(record, wizard, SkillListId::SchoolMale, row, false).changed);
            QCOMPARE(record.schoolMale[row].caption, caption);
        }
        QCOMPARE(record.learningPoints, (Pools{u"10"_s, u"7"_s, u"10"_s}));
        for (const QString &caption : {u"2x "_s + speaking, u"1x "_s + speaking, speaking}) {
            QVERIFY(record.schoolMale[row].learnt);
            QVERIFY(clickSkillRow(record, wizard, SkillListId::SchoolMale, row, true).changed);
            QCOMPARE(record.schoolMale[row].caption, caption);
        }
        QVERIFY(!record.schoolMale[row].learnt);
        QCOMPARE(record.learningPoints[1], u"10"_s);
    }

    void anyButtonUnlearnsOtherLines()
    {
        for (bool secondary : {false, true}) {
            CharacterRecord record = characterWith({u"Tanzen+12 (Gw21)"_s});
            WizardState wizard;
            QVERIFY(click(record, wizard, SkillListId::SchoolMale, u"Tanzen+12 (Gw21)"_s, secondary).changed);
            QVERIFY(!record.schoolMale[rowOf(record.schoolMale, u"Tanzen+12 (Gw21)"_s)].learnt);
            QCOMPARE(record.learningPoints[1], u"11"_s);
        }
    }

    // Every refusal, and a click without enough points, leaves rows and pools as they were.
    void clicksThatChangeNothing_data()
    {
        QTest::addColumn<QStringList>("learnt");
        QTest::addColumn<Pools>("pools");
        QTest::addColumn<SkillListId>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("secondary");
        QTest::addColumn<QString>("refusal");
        const SkillListId male = SkillListId::SchoolMale;
        const SkillListId untypical = SkillListId::Untypical;
        const QStringList none;
        QTest::newRow("writing first") << none << tenEach << male << 6 << false << speakingFirst;
        QTest::newRow("Degen under Fechten") << QStringList{u"Degen+5 (St21, Gs21)"_s, u"Fechten+5 (Gw61)"_s}
                                             << tenEach << male << 27 << true
                                             << u"Demarkieren Sie zuerst Degen oder Florett."_s;
        QTest::newRow("secondary on a line not learnt") << none << tenEach << male << 8 << true << QString();
        QTest::newRow("Abwehr, primary") << none << tenEach << male << 0 << false << givenLine;
        QTest::newRow("Ausweichen, secondary") << none << tenEach << male << 1 << true << givenLine;
        QTest::newRow("mother tongue writing, secondary") << none << tenEach << male << 2 << true << givenLine;
        QTest::newRow("mother tongue speaking, secondary") << none << tenEach << male << 3 << true << writingFirst;
        QTest::newRow("mother tongue, primary") << QStringList{u"1x Sprechen+6 (In01)"_s} << tenEach << male << 3
                                                << false << QString();
        // Each of these would be refused by the rules too: the points are looked at first, silently.
        QTest::newRow("school pool 2, cost 3") << QStringList{u"Wurfspeer+5 (Gs21, St31)"_s}
                                               << Pools{u"10"_s, u"2"_s, u"10"_s} << male << 25 << false << QString();
        QTest::newRow("untypical pool 0, class pool 2, cost 6") << none << Pools{u"2"_s, u"10"_s, u"0"_s}
                                                                << untypical << 58 << false << QString();
        QTest::newRow("school points stay at school") << none << Pools{u"1"_s, u"10"_s, u"0"_s} << untypical << 4
                                                      << false << QString();
    }
    void clicksThatChangeNothing()
    {
        QFETCH(QStringList, learnt);
        QFETCH(Pools, pools);
        QFETCH(SkillListId, list);
        QFETCH(int, row);
        QFETCH(bool, secondary);
        QFETCH(QString, refusal);
        CharacterRecord record = characterWith(learnt);
        record.learningPoints = pools;
        WizardState wizard;
        const CharacterRecord before = record;
        const SkillClickResult result = clickSkillRow(record, wizard, list, row, secondary);
        QCOMPARE(result.refusal, refusal);
        QVERIFY(!result.changed);
        QCOMPARE(skillList(record, list), skillList(before, list));
        QCOMPARE(record.learningPoints, pools);
        QCOMPARE(wizard.borrowedPoints, 0);
    }

    void untypicalLinesBorrowFromTheClassPool()
    {
        CharacterRecord record = freshCharacter();
        record.learningPoints = {u"5"_s, u"10"_s, u"1"_s};
        WizardState wizard;
        QVERIFY(click(record, wizard, SkillListId::Untypical, u"Archivwesen+4 (In31)"_s).changed);
        QCOMPARE(record.learningPoints, (Pools{u"2"_s, u"10"_s, u"0"_s}));
        QCOMPARE(wizard.borrowedPoints, 3);
        QVERIFY(click(record, wizard, SkillListId::Untypical, u"Archivwesen+4 (In31)"_s).changed);
        QCOMPARE(record.learningPoints, (Pools{u"5"_s, u"10"_s, u"1"_s}));
        QCOMPARE(wizard.borrowedPoints, 0);
    }

    void untypicalRefundsGoToTheClassPoolFirst_data()
    {
        QTest::addColumn<int>("borrowed");
        QTest::addColumn<int>("cost");
        QTest::addColumn<Pools>("pools");
        QTest::addColumn<int>("borrowedAfter");
        QTest::newRow("cost within borrowed") << 3 << 2 << Pools{u"2"_s, u"0"_s, u"0"_s} << 1;
        QTest::newRow("cost beyond borrowed") << 1 << 3 << Pools{u"1"_s, u"0"_s, u"2"_s} << 0;
        QTest::newRow("nothing borrowed") << 0 << 4 << Pools{u"0"_s, u"0"_s, u"4"_s} << 0;
        QTest::newRow("cost 0") << 3 << 0 << Pools{u"0"_s, u"0"_s, u"0"_s} << 3;
    }
    void untypicalRefundsGoToTheClassPoolFirst()
    {
        QFETCH(int, borrowed);
        QFETCH(int, cost);
        QFETCH(Pools, pools);
        QFETCH(int, borrowedAfter);
        CharacterRecord record;
        record.learningPoints.fill(u"0"_s);
        WizardState wizard;
        wizard.borrowedPoints = borrowed;
        refund(record, wizard, SkillListId::Untypical, cost);
        QCOMPARE(record.learningPoints, pools);
        QCOMPARE(wizard.borrowedPoints, borrowedAfter);
    }

    void classLineWithoutParenthesisIsLearntOnce()
    {
        CharacterRecord record = freshCharacter();
        record.classSkills[24] = {u"Reiten+14"_s, 3, false, true};
        WizardState wizard;
        QVERIFY(clickSkillRow(record, wizard, SkillListId::ClassSkills, 24, false).changed);
        QVERIFY(record.classSkills[24].learnt);
        QCOMPARE(record.learningPoints[0], u"7"_s);
        const SkillClickResult twice = click(record, wizard, SkillListId::SchoolMale, u"Reiten+12 (Gw21)"_s);
        QCOMPARE(twice.refusal, alreadyLearnt);
    }

    void quirkBox_data()
    {
        QTest::addColumn<bool>("backToStep1");
        QTest::addColumn<bool>("backToStep2");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("pool");
        QTest::addColumn<bool>("boxTicked");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("not rolled, ticked") << false << false << true << u"4"_s << true << QString();
        QTest::newRow("not rolled, cleared") << false << false << false << u"4"_s << false << QString();
        QTest::newRow("back at step 1, ticked") << true << false << true << u"7"_s << true << QString();
        QTest::newRow("back at step 2, ticked") << false << true << true << u"7"_s << true << QString();
        QTest::newRow("back, cleared") << true << true << false << u"4"_s << true
                                       << u"Sie können diese Eigenschaft nun nicht mehr abwählen"_s;
    }
    void quirkBox()
    {
        QFETCH(bool, backToStep1);
        QFETCH(bool, backToStep2);
        QFETCH(bool, ticked);
        QFETCH(QString, pool);
        QFETCH(bool, boxTicked);
        QFETCH(QString, refusal);
        CharacterRecord record = freshCharacter();
        record.learningPoints[2] = u"4"_s;
        WizardState wizard;
        wizard.backToStep1 = backToStep1;
        wizard.backToStep2 = backToStep2;
        const QuirkBoxResult result = quirkBoxClicked(record, wizard, ticked);
        QCOMPARE(record.learningPoints[2], pool);
        QCOMPARE(result.boxTicked, boxTicked);
        QCOMPARE(record.quirkBonus, boxTicked);
        QCOMPARE(result.refusal, refusal);
    }
};

QTEST_GUILESS_MAIN(TestLearning)
#include "tst_learning.moc"
