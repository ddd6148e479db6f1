#include "rules/skillclick.h"

#include "rules/numerictext.h"
#include "rules/skilllisttables.h"
#include "rules/skillrules.h"

#include <utility>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

bool isGivenRow(SkillListId list, int row)
{
    return (list == SkillListId::SchoolMale || list == SkillListId::SchoolFemale) && row < givenSchoolRows;
}

QString withMultiplicity(const QString &caption, int count)
{
    const qsizetype x = caption.indexOf(u'x');
    const QString line = (x < 0 ? caption : caption.mid(x + 1)).trimmed();
    return count > 0 ? QString::number(count) + u"x "_s + line : line;
}

SkillClickResult refused(const RuleVerdict &verdict)
{
    return {false, verdict.refusal};
}

} // namespace

bool isSecondaryClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return button == Qt::RightButton || held == Qt::ControlModifier;
}

bool isLanguageLine(const QString &caption)
{
    // Both words begin with an "S": only where one stands is a word compared,
    // which is cheaper than searching for each word, on every click.
    for (qsizetype at = caption.indexOf(u'S'); at >= 0; at = caption.indexOf(u'S', at + 1)) {
        const QStringView word = QStringView(caption).mid(at);
        if (word.startsWith(u"Schreiben") || word.startsWith(u"Sprechen"))
            return true;
    }
    return false;
}

SkillList &skillList(CharacterRecord &record, SkillListId list)
{
    return const_cast<SkillList &>(skillList(std::as_const(record), list));
}

const SkillList &skillList(const CharacterRecord &record, SkillListId list)
{
    switch (list) {
    case SkillListId::ClassSkills:
        return record.classSkills;
    case SkillListId::SchoolMale:
        return record.schoolMale;
    case SkillListId::SchoolFemale:
        return record.schoolFemale;
    case SkillListId::Untypical:
        break;
    }
    return record.untypical;
}

SkillClickResult clickSkillRow(CharacterRecord &record, WizardState &wizard, SkillListId list, int row,
                               bool secondary)
{
    SkillList &rows = skillList(record, list);
    if (row < 0 || row >= static_cast<int>(rows.size()) || !rows[row].visible)
        return {};
    SkillRow &line = rows[row];
    const bool language = isLanguageLine(line.caption);

    // The given rows are never counted up or unlearnt: a click that would
    // unlearn them gets the refusal of the rules, a primary click on a
    // mother-tongue row is simply not taken.
    if (isGivenRow(list, row)) {
        if (language && !secondary)
            return {};
        const RuleVerdict verdict = CheckUnlearn(record, line.caption);
        return verdict.allowed() ? SkillClickResult{} : refused(verdict);
    }

    // A learnt line is unlearnt by any click; a language line only by a
    // secondary click, one count at a time.
    if (line.learnt && (!language || secondary)) {
        const RuleVerdict verdict = CheckUnlearn(record, line.caption);
        if (!verdict.allowed())
            return refused(verdict);
        if (language) {
            const int count = multiplicity(line) - 1;
            line.caption = withMultiplicity(line.caption, count);
            line.learnt = count > 0;
        } else {
            line.learnt = false;
        }
        refund(record, wizard, list, line.cost);
        return {true, {}};
    }

    if (secondary)
        return {};
    // Too few points ends the click before any rule is looked at, without a message.
    if (!canPay(record, list, line.cost))
        return {};
    const RuleVerdict verdict = CheckLearn(record, line.caption);
    if (!verdict.allowed())
        return refused(verdict);
    if (language)
        line.caption = withMultiplicity(line.caption, multiplicity(line) + 1);
    line.learnt = true;
    spend(record, wizard, list, line.cost);
    return {true, {}};
}

} // namespace Tarvosk
