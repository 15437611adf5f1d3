#include <array>
#include <string_view>

#include "catalogues/catalogue.h"

namespace catalogues {
namespace {

// Song titles by song number.
// Untitled songs read "Song #" followed by the song number + 1.
constexpr std::array<std::string_view, 14> SONGS = {
    "[00] - Silence",
    "[01] - World Map",
    "[02] - Battle",
    "[03] - Game Over",
    "[04] - Song #5",
    "[05] - Shrine",
    "[06] - Song #7",
    "[07] - Song #8",
    "[08] - Shop",
    "[09] - Song #10",
    "[0A] - Title",
    "[0B] - Song #12",
    "[0C] - Song #13",
    "[0D] - Song #14",
};

} // namespace

// No instrument names are stored: the list is generated as "Sample #1" to "Sample #24".
const Catalogue BSTC{SONGS, {}, 24};

} // namespace catalogues
