#include <array>
#include <string_view>

#include "catalogues/catalogue.h"

namespace catalogues {
namespace {

// Song titles by song number.
constexpr std::array<std::string_view, 56> SONGS = {
    "[00] Nothing",
    "[01] Final Fantasy",
    "[02] Wishing Tower",
    "[03] Fanfare(Dummy)", // no blank before the parenthesis, unlike 0x2F
    "[04] Yellow Chocobo",
    "[05] Black Chocobo",
    "[06] Underworld",
    "[07] Zeromus",
    "[08] Victory Fanfare",
    "[09] Town",
    "[0A] Rydia",
    "[0B] Boss Music",
    "[0C] Mt.Ordeals", // no blank after the point, intentional
    "[0D] Overworld",
    "[0E] Big Whale",
    "[0F] Sad Music",
    "[10] Tent / Cabin",
    "[11] Golbez",
    "[12] Sorrow",
    "[13] Rosa",
    "[14] Baron Castle",
    "[15] The Prelude",
    "[16] Suspicions",
    "[17] Tower of Zot",
    "[18] Airship",
    "[19] Tower of Bab-il",
    "[1A] Fight 2",
    "[1B] Within the Giant",
    "[1C] Cave of Summoned Monsters",
    "[1D] Destruction",
    "[1E] Lunar Path",
    "[1F] Surprise!",
    "[20] Dwarf Castle",
    "[21] Palom / Porom",
    "[22] Calcobrena",
    "[23] Hurry!",
    "[24] Cid",
    "[25] Into the Darkness",
    "[26] Dancing Music",
    "[27] Fight 1",
    "[28] Castle Eblan",
    "[29] Character Joined!",
    "[2A] Character Died",
    "[2B] Chocobo Forest",
    "[2C] Opening",
    "[2D] Sad 2",
    "[2E] Castle Fabul",
    "[2F] Fanfare (Became a Paladin)",
    "[30] Lard Ass Chocobo",
    "[31] Moon 's Surface", // blank before the apostrophe is intentional
    "[32] Toroia",
    "[33] Mysidia",
    "[34] Lunar Subterrane",
    "[35] Ending Part 1",
    "[36] Ending Part 2",
    "[37] Ending Part 3",
};

// Instrument names by instrument number (the value of a slot byte).
constexpr std::array<std::string_view, 23> SAMPLES = {
    "[00] Nothing",
    "[01] Strings",
    "[02] Harp?",
    "[03] Grand Piano",
    "[04] Harp",
    "[05] Pipe Organ",
    "[06] Trumpet",
    "[07] Flute",
    "[08] Xylophone",
    "[09] Bass Guitar",
    "[0A] Timpani",
    "[0B] Electric Piano",
    "[0C] Snare Drum",
    "[0D] Kick Drum",
    "[0E] Snare Drum (hard)",
    "[0F] Conga Drum",
    "[10] Cymbals (loop)",
    "[11] Hihat",
    "[12] Cowbell",
    "[13] Shaker",
    "[14] Whistle",
    "[15] Conga Drum", // second "Conga Drum" on purpose: a different instrument number from 0x0F
    "[16] Chocobo",
};

} // namespace

const Catalogue FF4{SONGS, SAMPLES};

} // namespace catalogues
