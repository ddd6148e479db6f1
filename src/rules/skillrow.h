#pragma once

#include <QString>

#include <vector>

namespace Tarvosk {

// One row of a skill list: its line ("Sprechen+6 (In01)", perhaps with a
// multiplicity prefix "2x "), its cost in learning points and its state.
struct SkillRow
{
    QString caption;
    int cost = 0;
    bool learnt = false;
    bool visible = true;

    friend bool operator==(const SkillRow &, const SkillRow &) = default;
};

using SkillList = std::vector<SkillRow>;

// A caption without its multiplicity prefix: when the first four characters
// hold an "x " (either case), the text after the first "x", trimmed.
QString withoutMultiplicityPrefix(const QString &caption);

// How often a language line is learnt, from the number before its first "x".
// A learnt line without a prefix counts once, so unlearning it can never
// refund points while it stays learnt.
int multiplicity(const SkillRow &row);

} // namespace Tarvosk
