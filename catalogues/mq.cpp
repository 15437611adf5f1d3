#include <array>
#include <string_view>

#include "catalogues/catalogue.h"

namespace catalogues {
namespace {

// Song titles by song number.
constexpr std::array<std::string_view, 27> SONGS = {
    "[00] Silence",
    "[01] Battle 1",
    "[02] Battle 2",
    "[03] Battle 3",
    "[04] Victory!",
    "[05] World",
    "[06] Fossil Labryrinth", // spelling as intended
    "[07] Dungeon of Ice",
    "[08] Lava Dome",
    "[09] Mountain Range of Whirlwinds",
    "[0A] Dungeon And Waterfall",
    "[0B] Middle Tower",
    "[0C] Last Castle",
    "[0D] Beautiful Forest",
    "[0E] Shrine of Light",
    "[0F] City of Earth ~ Foresta",
    "[10] City of Ice ~ Aquaria",
    "[11] City of Fire ~ Faeria",
    "[12] City of Wind ~ Windaria",
    "[13] Rock 'n' Roll",
    "[14] Rock Theme",
    "[15] Fanfare of Friendship",
    "[16] Mystic Ballad",
    "[17] Hill of Fate",
    "[18] Mystic Quest",
    "[19] Ending",
    "[1A] The Crystal",
};

// Instrument names by instrument number (the value of a slot byte).
constexpr std::array<std::string_view, 19> SAMPLES = {
    "Nothing",
    "Guitar",
    "Kick Drum",
    "Brass Section",
    "Distortion Guitar",
    "Synth Bass",
    "Flute 1",
    "Hihat (loop)",
    "Flute 2",
    "Rock Organ",
    "Electric Bass",
    "Snare Drum (loop)",
    "Strings",
    "Conga Drum",
    "Trumpet",
    "Xylophone",
    "Cymbal Crash",
    "Timpani",
    "Wood Block",
};

} // namespace

const Catalogue MQ{SONGS, SAMPLES};

} // namespace catalogues
