#pragma once

#include "sheet/charactersheet.h"

#include <QString>

namespace Tarvosk {

struct CharacterRecord;

// The finished character as sheet texts: the header, the personal lines, the
// income in the chosen currency, the values, the untrained skills raised by
// talent, every learnt skill and weapon in its row. currency is the index of
// the "Currency" setting; one outside the table counts as the default, 0.
// The caller empties the document's file name and marks the sheet unsaved.
CharacterSheet ComposeSheet(const CharacterRecord &record, int currency);

// The talent count of a skill line, 0, 1 or 2: one when the value its first
// requirement names ("Wurfspeer+5 (Gs21, St31)" names Gs) is at least 81, one
// more when it is at least 96. A line without "(" or with an unknown code
// counts 0.
int TalentBonus(const CharacterRecord &record, const QString &line);

} // namespace Tarvosk
