#pragma once

#include "rules/charactervalues.h"
#include "rules/skillrow.h"

#include <QString>
#include <QStringList>

#include <array>

namespace Tarvosk {

// The personal data of step 3 that are plain texts.
enum class PersonalField { Name, Player, Nationality, Age, Address, EyeColour, HairColour, Race, Religion, Habits, Quirk };

// The character being created. Every field is the text its control shows;
// "-" marks a value not rolled yet.
struct CharacterRecord
{
    // Personal data (step 3).
    QString name;
    QString player;
    QString nationality;
    QString age;
    QString birthDay = QStringLiteral("1");
    QString birthMonth = QStringLiteral("Januar");
    QString starSign;
    QString address;
    QString eyeColour;
    QString hairColour;
    QString race;
    QString religion;
    QString habits;
    QString quirk;

    // Class and options (step 1).
    QString characterClass;
    QString sex;
    bool moreFreedom = false;
    bool quirkBonus = false;

    // Values (step 1).
    std::array<QString, 6> basis;
    std::array<QString, 10> derived;
    std::array<QString, 2> lifeEndurance;
    std::array<QString, 8> natural;
    QStringList special;
    std::array<QString, 2> background;

    // Learning points still to spend (step 2): class skills, school knowledge, untypical skills.
    std::array<QString, 3> learningPoints;

    // Skill lists (step 2).
    SkillList classSkills;
    SkillList schoolMale;
    SkillList schoolFemale;
    SkillList untypical;

    CharacterRecord();

    // Every rolled value back to "-".
    void clearValues();
    // Name, player, habits, quirk and address empty; the lists of the
    // personal data back at their first entries.
    void resetPersonalData();

    QString &personal(PersonalField field);
    const QString &personal(PersonalField field) const;

    // The value a prerequisite code names, as text.
    const QString &valueText(Values::Code code) const;

    bool isMale() const;
    // The school knowledge of the character's sex; the other list plays no part.
    SkillList &schoolList();
    const SkillList &schoolList() const;
    // Drops the "2x " counts of every language row, as a new character begins.
    void removeMultiplicityPrefixes();
};

// State of the wizard kept beside the record; it is not part of the character.
struct WizardState
{
    int totalLearningPoints = 0;
    bool backToStep1 = false;
    bool backToStep2 = false;
    int borrowedPoints = 0;
};

} // namespace Tarvosk
