#include "rules/characterrecord.h"

#include "rules/personallists.h"
#include "rules/skilllisttables.h"

namespace Tarvosk {

namespace {

const QString notRolled = QStringLiteral("-");

template<std::size_t N>
void clear(std::array<QString, N> &values)
{
    values.fill(notRolled);
}

void removePrefixes(SkillList &rows)
{
    for (SkillRow &row : rows)
        row.caption = withoutMultiplicityPrefix(row.caption);
}

} // namespace

CharacterRecord::CharacterRecord()
    : classSkills(classSkillPlaceholders())
    , schoolMale(schoolKnowledgeMale())
    , schoolFemale(schoolKnowledgeFemale())
    , untypical(untypicalSkills())
{
    clearValues();
    learningPoints.fill(notRolled);
}

void CharacterRecord::clearValues()
{
    clear(basis);
    clear(derived);
    clear(lifeEndurance);
    clear(natural);
    clear(background);
}

void CharacterRecord::resetPersonalData()
{
    for (QString *field : {&name, &player, &habits, &quirk, &address})
        field->clear();
    nationality = nationalities().first();
    eyeColour = eyeColours().first();
    hairColour = hairColours().first();
    race = races().first();
    religion = religions().first();
}

bool CharacterRecord::isMale() const
{
    return sex == u"männlich";
}

SkillList &CharacterRecord::schoolList()
{
    return isMale() ? schoolMale : schoolFemale;
}

const SkillList &CharacterRecord::schoolList() const
{
    return isMale() ? schoolMale : schoolFemale;
}

void CharacterRecord::removeMultiplicityPrefixes()
{
    removePrefixes(classSkills);
    removePrefixes(schoolMale);
    removePrefixes(schoolFemale);
    removePrefixes(untypical);
}

} // namespace Tarvosk
