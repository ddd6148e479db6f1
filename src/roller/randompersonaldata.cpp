#include "roller/randompersonaldata.h"

#include "rules/charactercreation.h"
#include "rules/personallists.h"
#include "rules/randomsource.h"

namespace Tarvosk {

namespace {

const QString &anyOf(const QStringList &entries, RandomSource &random)
{
    return entries.at(random.die(int(entries.size())) - 1);
}

} // namespace

void choosePersonalDataAtRandom(CharacterCreation &creation, RandomSource &random)
{
    creation.setPersonal(PersonalField::Nationality, anyOf(nationalities(), random));
    creation.setPersonal(PersonalField::EyeColour, anyOf(eyeColours(), random));
    creation.setPersonal(PersonalField::HairColour, anyOf(hairColours(), random));
    creation.chooseRace(anyOf(races(), random));
    creation.setPersonal(PersonalField::Religion, anyOf(religions(), random));

    // A habit the text already holds ("Raucher" beside "Pfeifenraucher") would
    // only add a comma: that draw is taken back and another one made. With at
    // most two habits chosen, nearly every entry can still be added.
    const int wanted = random.die(3);
    for (int chosen = 0; chosen < wanted;) {
        const QString before = creation.record().habits;
        const QString &habit = anyOf(habits(), random);
        creation.chooseHabit(before, habit);
        if (creation.record().habits.endsWith(habit))
            ++chosen;
        else
            creation.setPersonal(PersonalField::Habits, before);
    }

    // As the "Zufall" button draws it, but without reseeding the dice from the
    // clock: the seed alone decides every character. The month limits the day.
    creation.setBirthDay(random.die(31));
    creation.setBirthMonth(random.die(12));
}

} // namespace Tarvosk
