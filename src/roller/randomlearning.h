#pragma once

namespace Tarvosk {

class CharacterCreation;
class RandomSource;

// Spends the learning points of step 2 as a player clicking at random would:
// the rows of the class, of the school list of the character's sex and of the
// untypical list are clicked in a random order, pass after pass, until a
// whole pass buys nothing. Each click is the wizard's own, so the rules and
// the pools decide what it buys. A learnt row is clicked again only when it
// is a language line (one count more), never to unlearn it.
void learnAtRandom(CharacterCreation &creation, RandomSource &random);

} // namespace Tarvosk
