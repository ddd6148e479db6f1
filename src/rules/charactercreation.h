#pragma once

#include "rules/attributeroll.h"
#include "rules/characterrecord.h"
#include "rules/learningpoints.h"
#include "rules/refusal.h"

#include <QString>
#include <QTime>

#include <optional>

namespace Tarvosk {

struct ClassEntry;
class RandomSource;

// What an action did: whether the record changed, and the refusal to show
// when it did not act.
struct Outcome
{
    bool changed = false;
    std::optional<Refusal> refusal;
};

// What a roll did. A roll too weak for the class keeps its values in
// failedRoll, so they can be shown beside the refusal; the record itself is
// already blank again.
struct RollResult
{
    RollOutcome outcome = RollOutcome::Rolled;
    std::optional<Refusal> refusal;
    std::optional<CharacterRecord> failedRoll;
};

// The character being made and the wizard that makes it. Every action of the
// wizard is a call; the windows show record() and step() and turn input into
// calls. Nothing here shows anything: refusals come back to the caller.
class CharacterCreation
{
public:
    enum class Step { Values = 1, Skills = 2, Personal = 3, Finished = 4 };

    CharacterCreation(RandomSource &random, RollDialogs &dialogs);

    const CharacterRecord &record() const;
    const WizardState &wizard() const;
    Step step() const;
    // The catalogue entry of the chosen class.
    const ClassEntry &characterClass() const;

    // A new character: every value "-", no step back remembered, the options
    // as given, no language counted, back at step 1. The lists' choices stay.
    void reset(bool moreFreedom, bool quirkBonus);

    // Step 1.
    // A class no catalogue entry has is refused and changes nothing.
    Outcome setCharacterClass(const QString &className);
    void setSex(const QString &sex);
    void setMoreFreedom(bool on);
    // "Ja zur charakterlichen Eigenheit" ticked or cleared (Check2_Click);
    // changed when it added points at once.
    Outcome setQuirkBonus(bool ticked);
    RollResult DiceAgain();

    // The steps; Next0 is refused while nothing is rolled.
    Outcome Next0();
    void Back1();
    void Next1();
    Outcome Back2();
    // The finished character.
    const CharacterRecord &Next2();

    // Step 2: a click on a row of one of the four lists.
    Outcome clickSkill(SkillListId list, int row, bool secondary);

    // Step 3.
    void setPersonal(PersonalField field, const QString &text);
    // A race chosen from its list keeps only its word; a chosen habit is added
    // to the habits written before the list was opened.
    void chooseRace(const QString &entry);
    void chooseHabit(const QString &before, const QString &entry);
    // Day 1 to 31 and month 1 (Januar) to 12; the star sign follows, and a
    // chosen month limits the day to its length.
    void setBirthDay(int day);
    void setBirthMonth(int month);
    // A birthday at random, the dice reseeded from the clock first.
    void drawBirthday(QTime now);

    int birthDay() const;
    int birthMonth() const;

private:
    void showStarSign();

    RandomSource &m_random;
    RollDialogs &m_dialogs;
    CharacterRecord m_record;
    WizardState m_wizard;
    const ClassEntry *m_class;
    Step m_step = Step::Values;
};

} // namespace Tarvosk
