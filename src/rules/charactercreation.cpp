#include "rules/charactercreation.h"

#include "rules/classcatalogue.h"
#include "rules/combocompletion.h"
#include "rules/personallists.h"
#include "rules/randomsource.h"
#include "rules/refusaltitle.h"
#include "rules/singleline.h"
#include "rules/skillclick.h"
#include "rules/starsign.h"
#include "rules/startupseed.h"
#include "rules/wizardsteps.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

Refusal ruleRefusal(const QString &text)
{
    return {text, refusalTitle, Refusal::Kind::Exclamation};
}

} // namespace

CharacterCreation::CharacterCreation(RandomSource &random, RollDialogs &dialogs)
    : m_random(random)
    , m_dialogs(dialogs)
    , m_class(&classCatalogue().front())
{
    // The lists start at their first entries; player and habits start empty.
    m_record.characterClass = m_class->name;
    m_record.sex = sexes().first();
    m_record.resetPersonalData();
    m_record.birthDay = birthDays().first();
    m_record.birthMonth = months().first();
    showStarSign();
}

const CharacterRecord &CharacterCreation::record() const { return m_record; }
const WizardState &CharacterCreation::wizard() const { return m_wizard; }
CharacterCreation::Step CharacterCreation::step() const { return m_step; }
const ClassEntry &CharacterCreation::characterClass() const { return *m_class; }

void CharacterCreation::reset(bool moreFreedom, bool quirkBonus)
{
    m_record.clearValues();
    m_record.special.clear();
    m_record.removeMultiplicityPrefixes();
    m_record.moreFreedom = moreFreedom;
    m_record.quirkBonus = quirkBonus;
    m_wizard.backToStep1 = false;
    m_wizard.backToStep2 = false;
    m_step = Step::Values;
}

Outcome CharacterCreation::setCharacterClass(const QString &className)
{
    const ClassEntry *entry = findClass(className);
    if (!entry)
        return {false, ruleRefusal(u"Die Charakterklasse \"%1\" gibt es nicht."_s.arg(className))};
    m_class = entry;
    m_record.characterClass = entry->name;
    return {true, {}};
}

void CharacterCreation::setSex(const QString &sex)
{
    m_record.sex = sex;
}

void CharacterCreation::setMoreFreedom(bool on)
{
    m_record.moreFreedom = on;
}

Outcome CharacterCreation::setQuirkBonus(bool ticked)
{
    const QuirkBoxResult result = quirkBoxClicked(m_record, m_wizard, ticked);
    Outcome outcome{result.effect == QuirkBoxResult::Effect::PointsAdded, {}};
    if (result.effect == QuirkBoxResult::Effect::Refused)
        outcome.refusal = Refusal{result.refusal, quirkRefusalTitle, Refusal::Kind::Critical};
    return outcome;
}

RollResult CharacterCreation::DiceAgain()
{
    RollResult result;
    result.outcome = Tarvosk::DiceAgain(m_record, m_wizard, *m_class, m_random, m_dialogs);
    if (result.outcome == RollOutcome::Insufficient) {
        result.failedRoll = m_record;
        result.refusal = ruleRefusal(insufficientValuesMessage);
        m_record.clearValues();
        m_record.special.clear();
    }
    return result;
}

Outcome CharacterCreation::Next0()
{
    if (!hasRolledValues(m_record))
        return {false, Refusal{u"Bitte würfeln ..."_s, u"Keine Daten"_s, Refusal::Kind::Information}};
    enterSkillsStep(m_record, m_wizard, *m_class, m_random);
    m_step = Step::Skills;
    return {true, {}};
}

void CharacterCreation::Back1()
{
    m_wizard.backToStep1 = true;
    m_step = Step::Values;
}

void CharacterCreation::Next1()
{
    enterPersonalStep(m_record, m_wizard, m_random);
    m_step = Step::Personal;
}

Outcome CharacterCreation::Back2()
{
    m_wizard.backToStep2 = true;
    return Next0();
}

const CharacterRecord &CharacterCreation::Next2()
{
    m_step = Step::Finished;
    return m_record;
}

Outcome CharacterCreation::clickSkill(SkillListId list, int row, bool secondary)
{
    const SkillClickResult result = clickSkillRow(m_record, m_wizard, list, row, secondary);
    Outcome outcome{result.changed, {}};
    if (!result.refusal.isEmpty())
        outcome.refusal = ruleRefusal(result.refusal);
    return outcome;
}

void CharacterCreation::setPersonal(PersonalField field, const QString &text)
{
    m_record.personal(field) = singleLine(text);
}

void CharacterCreation::chooseRace(const QString &entry)
{
    m_record.race = singleLine(completedRace(entry));
}

void CharacterCreation::chooseHabit(const QString &before, const QString &entry)
{
    m_record.habits = singleLine(completedHabits(before, entry));
}

int CharacterCreation::birthDay() const
{
    return int(birthDays().indexOf(m_record.birthDay)) + 1;
}

int CharacterCreation::birthMonth() const
{
    return int(months().indexOf(m_record.birthMonth)) + 1;
}

void CharacterCreation::setBirthDay(int day)
{
    if (day < 1 || day > int(birthDays().size()))
        return;
    m_record.birthDay = birthDays().at(day - 1);
    showStarSign();
}

void CharacterCreation::setBirthMonth(int month)
{
    if (month < 1 || month > int(months().size()))
        return;
    m_record.birthMonth = months().at(month - 1);
    // Only a chosen month limits the day; a day chosen later is taken as it is.
    setBirthDay(dayWithinMonth(birthDay(), month));
}

void CharacterCreation::drawBirthday(QTime now)
{
    m_random.seed(secondsSinceMidnight(now));
    setBirthDay(int(m_random.next() * 31) + 1);
    setBirthMonth(int(m_random.next() * 12) + 1);
}

void CharacterCreation::showStarSign()
{
    m_record.starSign = starSign(birthDay(), birthMonth());
}

} // namespace Tarvosk
