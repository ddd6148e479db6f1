#pragma once

#include "rules/characterrecord.h"

#include <QString>

namespace Tarvosk {

struct ClassEntry;
class RandomSource;

// The two dialogs a roll may open; the main window shows them, tests answer them.
class RollDialogs
{
public:
    // Answers of placeValue besides an attribute index 0 to 4.
    static constexpr int Discard = -2; // "Werte verwerfen und Neu beginnen"
    static constexpr int Abort = -3;   // closed without a choice

    virtual ~RollDialogs();

    // Where the rolled value goes, with "Mehr Freiheit für Spieler !": an
    // attribute 0 to 4 whose value is still "-", Discard or Abort.
    virtual int placeValue(const CharacterRecord &record, int value) = 0;
    // The free choice after a special-ability roll of 100: a choice 0 to 13,
    // or -1 when the dialog was closed without one.
    virtual int chooseFreeAbility() = 0;
};

enum class RollOutcome {
    Rolled,
    Insufficient, // "Mehr Freiheit" and the class minimums are not met: the failed values stay
    Aborted,      // the placement was closed: every value is "-"
};

inline const QString insufficientValuesMessage =
    QStringLiteral("Die Basiswerte sind für die gewählte Charakterklasse nicht ausreichend.");

// Rolls every value of the record for its class: the base attributes (placed
// by hand with "Mehr Freiheit"), the derived values, life and endurance, the
// natural and special abilities, fame and income; without "Mehr Freiheit" it
// rolls again until the class minimums are met. Learnt skills are unmarked and
// the personal data reset, as a new roll starts the character afresh.
RollOutcome DiceAgain(CharacterRecord &record, WizardState &wizard, const ClassEntry &entry, RandomSource &random,
                      RollDialogs &dialogs);

// Whether a value may be placed on base attribute 0 to 4: not yet rolled.
// Mediales Talent is never placed by hand.
bool canPlaceValue(const CharacterRecord &record, int attribute);

// The effect of choice 0 to 13 of the free choice after a roll of 100.
void applyFreeAbility(CharacterRecord &record, int choice);
// Captions of the fourteen choices, with their access keys.
const QStringList &freeAbilityCaptions();

// Adds a special ability, never twice.
void addSpecial(CharacterRecord &record, const QString &entry);
// Removes every entry equal to the new one (ignoring case and outer blanks).
void DropSpecial(QStringList &special, const QString &entry);

// Whether the rolled values meet the minimums of the class.
bool meetsClassMinimums(const CharacterRecord &record, const ClassEntry &entry);

} // namespace Tarvosk
