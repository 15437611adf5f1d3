#include <array>
#include <string_view>

#include "catalogues/catalogue.h"

namespace catalogues {
namespace {

// Song titles by song number.
constexpr std::array<std::string_view, 51> SONGS = {
    // Repeated titles ("Silence", "The Last Battle") are separate songs, and the
    // odd spellings and blanks before apostrophes are intended; keep them as they are.
    "Silence",
    "The Legend Begins",
    "Rest Theme",
    "Village 1",
    "Wiped Out",
    "Song of Everlasting Battles",
    "Dungeon 1",
    "Mermaid Legend",
    "Another Country 's Town",
    "Dungeon 3",
    "The Sinking Ship",
    "Last Dungeon",
    "Heatful Tears",
    "Prologue (part 4)",
    "Voyage",
    "Victory",
    "Title",
    "Wind?",
    "Dungeon 2",
    "Strangeness ~ Victor's Death",
    "Prologue (part 1)",
    "Canal Fortress",
    "Prologue (part 3)",
    "Unknown 1",
    "Jungle",
    "Village 2",
    "Empire 's Front Line",
    "Empire City Avalon",
    "Jingle",
    "Ancient Ruins",
    "Unknown 2",
    "Unknown 3",
    "Run!",
    "Battle with Kujinshi",
    "Unknown 4",
    "The Last Battle",
    "The Legend Begins (Short)",
    "Dance 1",
    "Silence",
    "Dance 3",
    "The Dragon 's Hole",
    "The Seven Heros' Battle",
    "Dance 4",
    "The Last Battle",
    "Prologue (part 5)",
    "Unknown 5",
    "Prologue (part 2)",
    "Epilogue",
    "Successive Emperor",
    "Silence",
    "Ending Theme",
};

// Instrument names by instrument number (the value of a slot byte).
constexpr std::array<std::string_view, 38> SAMPLES = {
    "Nothing",
    "Bassoon",
    "Sitar?",
    "Harpsichord?",
    "Strings",
    "Chorus",
    "Harp",
    "French Horn",
    "Xylophone",
    "Organ",
    "Flute",
    "Trumpet",
    "Electric Bass",
    "Bass Guitar",
    "Hihat (Closed)",
    "Kick Drum",
    "Cymbal Crash",
    "Timpani",
    "Hihat (Open)",
    "Snare Drum",
    // "Conga Drum" at 20, 24, 25 and 29 are four different instruments; keep all four.
    "Conga Drum",
    "Tom",
    "Shaker",
    "Metal Bang",
    "Conga Drum",
    "Conga Drum",
    "Harpsichord",
    "Tubular Bell",
    "Rock Organ",
    "Conga Drum",
    "Gong (Cymbal)",
    "Bird Synth",
    "Monkey Synth",
    "Jungle Animal Synth",
    "Cricket Synth",
    "Electric Piano",
    "Tamborine",
    "Breath?",
};

} // namespace

const Catalogue RS2{SONGS, SAMPLES};

} // namespace catalogues
