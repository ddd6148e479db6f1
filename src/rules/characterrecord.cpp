#include "rules/characterrecord.h"

#include "rules/personallists.h"
#include "rules/skilllisttables.h"

#include <utility>

namespace Tarvosk {

namespace {

template<std::size_t N>
void clear(std::array<QString, N> &values)
{
    values.fill(Values::notRolled);
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
    learningPoints.fill(Values::notRolled);
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

QString &CharacterRecord::personal(PersonalField field)
{
    return const_cast<QString &>(std::as_const(*this).personal(field));
}

const QString &CharacterRecord::personal(PersonalField field) const
{
    switch (field) {
    case PersonalField::Name: return name;
    case PersonalField::Player: return player;
    case PersonalField::Nationality: return nationality;
    case PersonalField::Age: return age;
    case PersonalField::Address: return address;
    case PersonalField::EyeColour: return eyeColour;
    case PersonalField::HairColour: return hairColour;
    case PersonalField::Race: return race;
    case PersonalField::Religion: return religion;
    case PersonalField::Habits: return habits;
    case PersonalField::Quirk: break;
    }
    return quirk;
}

const QString &CharacterRecord::valueText(Values::Code code) const
{
    using Values::Code;
    switch (code) {
    case Code::St: return basis[Values::St];
    case Code::Gs: return basis[Values::Gs];
    case Code::Gw: return basis[Values::Gw];
    case Code::Ko: return basis[Values::Ko];
    case Code::In: return basis[Values::In];
    case Code::pA: return derived[Values::pA];
    case Code::RW: break;
    }
    return derived[Values::RW];
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
