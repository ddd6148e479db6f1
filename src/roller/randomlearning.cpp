#include "roller/randomlearning.h"

#include "rules/charactercreation.h"
#include "rules/randomsource.h"
#include "rules/skillclick.h"

#include <utility>
#include <vector>

namespace Tarvosk {

namespace {

struct RowRef
{
    SkillListId list;
    int row;
};

void shuffle(std::vector<RowRef> &rows, RandomSource &random)
{
    for (int i = int(rows.size()) - 1; i > 0; --i)
        std::swap(rows[i], rows[random.die(i + 1) - 1]);
}

} // namespace

void learnAtRandom(CharacterCreation &creation, RandomSource &random)
{
    const CharacterRecord &record = creation.record();
    const SkillListId school = record.isMale() ? SkillListId::SchoolMale : SkillListId::SchoolFemale;
    std::vector<RowRef> rows;
    for (const SkillListId list : {SkillListId::ClassSkills, school, SkillListId::Untypical}) {
        const SkillList &skills = skillList(record, list);
        for (int i = 0; i < int(skills.size()); ++i) {
            if (skills[i].visible)
                rows.push_back({list, i});
        }
    }

    for (bool bought = true; bought;) {
        bought = false;
        shuffle(rows, random);
        std::size_t kept = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const RowRef ref = rows[i];
            const SkillRow &row = skillList(record, ref.list)[ref.row];
            if (row.learnt && !isLanguageLine(row.caption))
                continue;
            const Outcome outcome = creation.clickSkill(ref.list, ref.row, false);
            bought = bought || outcome.changed;
            // Nothing done and nothing refused: too few points (or a given
            // row). Pools only shrink here, so such a row stays out of reach.
            if (outcome.changed || outcome.refusal)
                rows[kept++] = ref;
        }
        rows.resize(kept);
    }
}

} // namespace Tarvosk
