#include <array>
#include <string_view>

#include "catalogues/catalogue.h"

namespace catalogues {
namespace {

// Song titles by song number.
// Untitled songs read "Song #" followed by the song number + 1.
constexpr std::array<std::string_view, 31> SONGS = {
    "[00] - Silence",
    "[01] - Title",
    "[02] - Intro",
    "[03] - Song #4",
    "[04] - Skull Bone 1",
    "[05] - Clockwork Star",
    "[06] - Victory 1",
    "[07] - Silence?",
    "[08] - Twin Star 1",
    "[09] - Space Station",
    "[0A] - Song #11",
    "[0B] - Song #12",
    "[0C] - Sand Planet",
    "[0D] - Song #14",
    "[0E] - Victory 2",
    "[0F] - Ending 1",
    "[10] - Ending 2",
    "[11] - Song #18",
    "[12] - Song #19",
    "[13] - Song #20",
    "[14] - Song #21",
    "[15] - Song #22",
    "[16] - Song #23",
    "[17] - Song #24",
    "[18] - Song #25",
    "[19] - Song #26",
    "[1A] - Song #27",
    "[1B] - Song #28",
    "[1C] - Song #29",
    "[1D] - Song #30",
    "[1E] - Song #31",
};

} // namespace

// No instrument names are stored: the list is generated as "Sample #1" to "Sample #50".
const Catalogue BSDT{SONGS, {}, 50};

} // namespace catalogues
