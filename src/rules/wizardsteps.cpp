#include "rules/wizardsteps.h"

#include "rules/classcatalogue.h"
#include "rules/numerictext.h"
#include "rules/randomsource.h"
#include "rules/skillclick.h"
#include "rules/skilllisttables.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

bool hasRolledValues(const CharacterRecord &record)
{
    return record.basis[0] != u"-";
}

int motherTongueValue(double intelligence)
{
    if (intelligence > 61)
        return 18;
    if (intelligence > 31)
        return 14;
    return 10;
}

namespace {

// Rows learnt on the school list of the other sex (the sex was changed on
// step 1) are unlearnt; when the pools were rolled before, their points return.
void unlearnOtherSchoolList(CharacterRecord &record, WizardState &wizard, bool refundPoints)
{
    const SkillListId other = record.isMale() ? SkillListId::SchoolFemale : SkillListId::SchoolMale;
    SkillList &rows = skillList(record, other);
    for (std::size_t i = givenSchoolRows; i < rows.size(); ++i) {
        SkillRow &row = rows[i];
        if (!row.learnt)
            continue;
        if (refundPoints) {
            for (int count = multiplicity(row); count > 0; --count)
                refund(record, wizard, other, row.cost);
        }
        row.learnt = false;
        row.caption = withoutMultiplicityPrefix(row.caption);
    }
}

} // namespace

void enterSkillsStep(CharacterRecord &record, WizardState &wizard, const ClassEntry &entry, RandomSource &random)
{
    const bool rollPools = !wizard.backToStep1 && !wizard.backToStep2;
    unlearnOtherSchoolList(record, wizard, !rollPools);
    if (rollPools) {
        const int classPoints = random.dice(2, 6) + 3;
        const int schoolPoints = random.dice(2, 6);
        int untypicalPoints = random.dice(1, 6);
        if (record.quirkBonus)
            untypicalPoints += 3;
        record.learningPoints = {QString::number(classPoints), QString::number(schoolPoints),
                                 QString::number(untypicalPoints)};
        wizard.totalLearningPoints = classPoints + schoolPoints + untypicalPoints;
        wizard.borrowedPoints = 0;
    }

    const QString tongue = QString::number(motherTongueValue(leadingNumber(record.basis[4])));
    for (SkillList *school : {&record.schoolFemale, &record.schoolMale}) {
        (*school)[2].caption = u"Muttersprache: Schreiben+"_s + tongue;
        (*school)[3].caption = u"Muttersprache: Sprechen+"_s + tongue;
        for (int i = 0; i < givenSchoolRows; ++i)
            (*school)[i].learnt = true;
    }

    writeClassSkills(record.classSkills, entry);
}

void enterPersonalStep(CharacterRecord &record, const WizardState &wizard, RandomSource &random)
{
    if (!wizard.backToStep2) {
        record.resetPersonalData();
        // Race and religion are left for the player to choose.
        record.race.clear();
        record.religion.clear();
        if (record.quirkBonus) {
            const int trait = static_cast<int>(random.next() * 20);
            record.quirk = characterTraits().at(trait);
        }
    }
    record.age = ageText(record, wizard);
}

QString ageText(const CharacterRecord &record, const WizardState &wizard)
{
    double spent = wizard.totalLearningPoints;
    for (const QString &pool : record.learningPoints)
        spent -= leadingNumber(pool);
    return QString::number(roundHalfEven(spent / 3 + 18));
}

const QStringList &characterTraits()
{
    static const QStringList traits{
        u"Haß"_s,        u"Neid"_s,      u"Liebe"_s,          u"Religiösität"_s,        u"Heuchelei"_s,
        u"Gier"_s,       u"Selbstsüchtigkeit"_s, u"Aufopferungsgabe"_s, u"Güte"_s,        u"Glück"_s,
        u"Hysterie"_s,   u"Cholerik"_s,  u"Mißtrauen"_s,      u"Rücksichtslosigkeit"_s, u"Vertrauen"_s,
        u"Treue"_s,      u"Fanatismus"_s, u"Fatalismus"_s,    u"Trauer"_s,              u"Bestimmt Spielleiter"_s,
    };
    return traits;
}

} // namespace Tarvosk
