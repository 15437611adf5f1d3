#include <array>
#include <string_view>

#include "catalogues/catalogue.h"

namespace catalogues {
namespace {

// Song titles by song number.
constexpr std::array<std::string_view, 24> SONGS = {
    "[00] - Silence",
    "[01] - Days of Summer",
    "[02] - Far Promise ~ Dream Shore",
    "[03] - Requiem ~ Dream Shore",
    "[04] - The Girl Who Stole the Star",
    "[05] - Gale",
    "[06] - Under Moonlight",
    "[07] - Frozen Flame",
    "[08] - Portal to Open Grounds",
    "[09] - Wind (ambient)",
    "[0A] - Ratchet (ambient)",
    "[0B] - Sewer (ambient)",
    "[0C] - Footsteps (ambient)",
    "[0D] - Forest (ambient)",
    "[0E] - Final Confrontation",
    "[0F] - Sneaking Around",
    "[10] - Riverflow (ambient)",
    "[11] - Viper Manor",
    "[12] - Strange Presentiment",
    "[13] - Facing",
    "[14] - Epilogue ~ Dream Shore",
    "[15] - Ending ~ Le Trésor Interdit",
    "[16] - Industrial (ambient)",
    "[17] - Whirlwind (ambient)",
};

} // namespace

// No instrument names are stored: the list is generated as "Sample #1" to "Sample #42".
const Catalogue BSRD{SONGS, {}, 42};

} // namespace catalogues
