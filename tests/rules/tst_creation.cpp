#include "rules/charactercreation.h"
#include "rules/classcatalogue.h"
#include "rules/skilllisttables.h"
#include "support/scriptedrandom.h"
#include "support/scriptedrolldialogs.h"

#include <QTest>

#include <algorithm>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

namespace {

using Step = CharacterCreation::Step;

int rowOf(const SkillList &rows, const QString &line)
{
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const SkillRow &r) { return withoutMultiplicityPrefix(r.caption) == line; });
    return row == rows.end() ? -1 : int(row - rows.begin());
}

// A creation whose dice all show 71 on a d100 (5 on a d6): every class's minimums are met, no free choice.
struct Creation
{
    ScriptedRandom random;
    ScriptedRollDialogs dialogs;
    CharacterCreation creation{random, dialogs};

    Creation()
    {
        random.fallback = 0.705f;
        creation.setCharacterClass(u"Arzt"_s);
    }
    const CharacterRecord &record() const { return creation.record(); }
    QString pools() const { return QStringList(record().learningPoints.begin(), record().learningPoints.end()).join(u' '); }
    // Rolls and enters step 2.
    void toSkills()
    {
        QCOMPARE(creation.DiceAgain().outcome, RollOutcome::Rolled);
        QVERIFY(creation.Next0().changed);
    }
    void click(SkillListId list, int row, bool secondary = false)
    {
        const Outcome outcome = creation.clickSkill(list, row, secondary);
        QVERIFY2(outcome.changed && !outcome.refusal, qPrintable(outcome.refusal ? outcome.refusal->text : QString()));
    }
    // Rolls, enters step 2 and learns "2x Sprechen+6 (In01)" on the men's school list; its row.
    int speakingTwice()
    {
        toSkills();
        const int speaking = rowOf(record().schoolMale, u"Sprechen+6 (In01)"_s);
        click(SkillListId::SchoolMale, speaking);
        click(SkillListId::SchoolMale, speaking);
        return speaking;
    }
};

} // namespace

class TestCreation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One character from the first roll to the finished record, with the values worked out by hand.
    void wholeCreation()
    {
        Creation c;
        const Outcome unknown = c.creation.setCharacterClass(u"Pirat"_s); // refused, the class stays
        QVERIFY(!unknown.changed && unknown.refusal && c.creation.characterClass().name == u"Arzt");
        c.toSkills();
        QCOMPARE(c.creation.step(), Step::Skills);
        QCOMPARE(c.pools(), u"13 10 5"_s); // 2d6+3, 2d6, 1d6 with every die a 5

        const int speaking = rowOf(c.record().classSkills, u"Sprechen+9:Latein (In31)"_s);
        c.click(SkillListId::ClassSkills, 0);
        c.click(SkillListId::ClassSkills, speaking);
        c.click(SkillListId::ClassSkills, speaking);
        QCOMPARE(c.record().classSkills[speaking].caption, u"2x Sprechen+9:Latein (In31)"_s);
        QCOMPARE(c.pools(), u"10 10 5"_s);

        // Back at step 1 the quirk box gives its 3 points at once, to the pool and to the total.
        c.creation.Back1();
        QVERIFY(c.creation.setQuirkBonus(true).changed);
        QVERIFY(c.creation.Next0().changed);
        QCOMPARE(c.pools(), u"10 10 8"_s);

        c.creation.Next1();
        QCOMPARE(c.creation.step(), Step::Personal);
        QCOMPARE(c.record().age, u"19"_s); // 18 + 3 spent / 3
        QCOMPARE(c.record().quirk, u"Vertrauen"_s); // Int(0.705 * 20) = 14
        c.creation.setPersonal(PersonalField::Name, u"Anna\r\nvon\tEck"_s);
        c.creation.setBirthDay(31);
        c.creation.setBirthMonth(4);

        // Back to step 2: the count survives, and unlearning one count gives back one point.
        QVERIFY(c.creation.Back2().changed);
        c.click(SkillListId::ClassSkills, speaking, true);
        QCOMPARE(c.pools(), u"11 10 8"_s);
        c.creation.Next1();

        const CharacterRecord &done = c.creation.Next2();
        QCOMPARE(c.creation.step(), Step::Finished);
        QCOMPARE((QStringList{done.name, done.age, done.birthDay, done.birthMonth, done.starSign, done.quirk}),
                 (QStringList{u"Anna  von Eck"_s, u"19"_s, u"30"_s, u"April"_s, u"Stier"_s, u"Vertrauen"_s}));
        QCOMPARE(done.classSkills[speaking].caption, u"1x Sprechen+9:Latein (In31)"_s);
    }

    // Rows learnt on the other sex's school list are unlearnt when step 2 is entered again, their points returned.
    void changedSexReturnsTheSchoolPoints()
    {
        Creation c;
        const int speaking = c.speakingTwice();
        QCOMPARE(c.pools(), u"13 8 5"_s);

        c.creation.Back1();
        c.creation.setSex(u"weiblich"_s);
        QVERIFY(c.creation.Next0().changed);
        QCOMPARE(c.pools(), u"13 10 5"_s);
        QCOMPARE(c.record().schoolMale[speaking], (SkillRow{u"Sprechen+6 (In01)"_s, 1, false, true}));
        QVERIFY(c.record().schoolFemale[0].learnt && c.record().schoolMale[0].learnt); // the given rows stay
    }

    void newCharacterStartsAfresh()
    {
        Creation c;
        const int speaking = c.speakingTwice();
        c.creation.Next1();
        c.creation.setPersonal(PersonalField::Player, u"Jan"_s);

        c.creation.reset(true, false);
        QCOMPARE(c.creation.step(), Step::Values);
        QCOMPARE(c.record().schoolMale[speaking].caption, u"Sprechen+6 (In01)"_s);
        QCOMPARE(c.record().basis[Values::St], Values::notRolled);
        QVERIFY(c.record().special.isEmpty() && c.record().moreFreedom && !c.record().quirkBonus);
        QVERIFY(!c.creation.wizard().backToStep1 && !c.creation.wizard().backToStep2);
        QCOMPARE(c.record().player, u"Jan"_s); // the personal lists keep their choices
    }

    // A day chosen after the month is taken as it is ("Zufall" is driven in the wizard's test).
    void birthday()
    {
        Creation c;
        QCOMPARE(c.record().starSign, u"Steinbock"_s); // the preset 1 Januar
        c.creation.setBirthMonth(4);
        c.creation.setBirthDay(31);
        QCOMPARE(c.record().birthDay + u' ' + c.record().birthMonth + u' ' + c.record().starSign, u"31 April Stier"_s);
    }
};

QTEST_APPLESS_MAIN(TestCreation)
#include "tst_creation.moc"
