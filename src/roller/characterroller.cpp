#include "roller/characterroller.h"

#include "roller/randomlearning.h"
#include "roller/randompersonaldata.h"
#include "rules/classcatalogue.h"
#include "rules/personallists.h"

namespace Tarvosk {

CharacterRoller::CharacterRoller(RandomSource &random, const ClassEntry &entry, bool female, bool quirk)
    : m_random(random)
    , m_dialogs(random)
    , m_creation(random, m_dialogs)
    , m_quirk(quirk)
{
    m_creation.setCharacterClass(entry.name);
    m_creation.setSex(sexes().at(female ? 1 : 0));
}

const CharacterRecord &CharacterRoller::roll()
{
    m_creation.reset(false, m_quirk);
    // Without "Mehr Freiheit" the roll is repeated until the class's minimums are met.
    m_creation.DiceAgain();
    m_creation.Next0();
    learnAtRandom(m_creation, m_random);
    m_creation.Next1();
    choosePersonalDataAtRandom(m_creation, m_random);
    return m_creation.Next2();
}

} // namespace Tarvosk
