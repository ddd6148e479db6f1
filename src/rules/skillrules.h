#pragma once

#include "rules/characterrecord.h"
#include "rules/refusaltitle.h"

#include <QString>

#include <optional>

namespace Tarvosk {

inline const QString &learningRefusalTitle = refusalTitle;

// Upper case as the learning rules read names: like QString::toUpper, except
// that "ß" stays "ß" ("Schießen" gives "SCHIEßEN", not "SCHIESSEN").
QString upperKeepingSharpS(const QString &text);

// The name key of a skill line: its caption up to the first "+", upper-cased
// ("2x Sprechen+6 (In01)" gives "2X SPRECHEN").
QString nameKey(const QString &caption);

// The value a prerequisite names by its first two letters, in either case
// ("Gs21" and "pA<81" name Gs and pA); nothing for an unknown code.
std::optional<Values::Code> prerequisiteCode(QStringView prerequisite);

// The school list that counts for the record's sex.
const SkillList &schoolListOfSex(const CharacterRecord &record);

// How many learnt lines of the untypical list, the school list of the sex and
// the class skills have a key containing upperName, each language line with
// its multiplicity. The substring match is the rule: "SCHROTFLINTE" counts as
// a "FLINTE" and "MUTTERSPRACHE: SPRECHEN" as a "SPRECHEN".
int CountLearnt(const CharacterRecord &record, const QString &upperName);

// The answer of a learning check: allowed, or refused with the message to show.
struct RuleVerdict
{
    QString refusal; // empty when allowed

    bool allowed() const { return refusal.isEmpty(); }
};

// May the line be learnt (once more, for a language line)? Tests the attribute
// prerequisites in its parentheses, then the rules between skills. A line
// without "(" has no attribute prerequisite, but the rules between skills
// still hold for it, so that it is not learnt twice.
RuleVerdict CheckLearn(const CharacterRecord &record, const QString &caption);

// May the learnt line be unlearnt (one count, for a language line)? Keeps the
// rules between skills true and protects the given school lines.
RuleVerdict CheckUnlearn(const CharacterRecord &record, const QString &caption);

} // namespace Tarvosk
