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

} // namespace Tarvosk
