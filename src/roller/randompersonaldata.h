#pragma once

namespace Tarvosk {

class CharacterCreation;
class RandomSource;

// Fills step 3 as a player picking from the lists at random would: a
// nationality, eye and hair colour, race, religion, one to three habits and a
// birthday. The core completes race and habits and works out the star sign.
// Name, player and address stay empty for the game master to fill in.
void choosePersonalDataAtRandom(CharacterCreation &creation, RandomSource &random);

} // namespace Tarvosk
