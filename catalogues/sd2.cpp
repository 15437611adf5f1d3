#include <array>
#include <string_view>

#include "catalogues/catalogue.h"

namespace catalogues {
namespace {

// Song titles by song number.
constexpr std::array<std::string_view, 64> SONGS = {
    "[00] Into the Thick of It",
    "[01] Flight into the Unknown",
    "[02] Star of Darkness",
    "[03] Prophecy",
    "[04] Danger",
    "[05] Far Thunder",
    "[06] The Wind Nevere Ceases", // spelling as intended
    "[07] Close your Eyelids",
    "[08] Spirit of the Night",
    "[09] The Fairy Child",
    "[0A] What the Forest Taught Me",
    "[0B] Eternal Recurrence",
    "[0C] Oracle",
    "[0D] Tell a Strange Tale",
    "[0E] Into the Thick of It 2",
    "[0F] Rose And Ghost",
    "[10] Did You See the Sea?",
    "[11] The Color of the Summer Sky",
    "[12] Menu",
    "[13] The Legend",
    "[14] The Orphan of the Storm",
    "[15] Eight Ringing Bells",
    "[16] Dancing Beasts",
    "[17] Victory",
    "[18] Boss Defeated",
    "[19] Cannon Travel Launch",
    "[1A] Cannon Travel",
    "[1B] Ceremony",
    "[1C] Always Together",
    "[1D] A Prayer and a Whisper",
    "[1E] Burning Castle (?)",
    "[1F] Happenings on a Moonlight Night",
    "[20] A Curious Happening",
    "[21] Unknown (?)", // repeat of 0x23 on purpose
    "[22] Midge Mallet",
    "[23] Unknown (?)", // repeat of 0x21 on purpose
    "[24] A Wish",
    "[25] Monarch on the Shore",
    "[26] Steel And Traps",
    "[27] Pure Night",
    "[28] Flammie Coming",
    "[29] Kind Memories",
    "[2A] The Holy Intruder",
    "[2B] In the Darkness' Depths",
    "[2C] Angel 's Fear", // blank before the apostrophe is intentional
    "[2D] Grumble (?)",
    "[2E] Mara 's Key", // blank before the apostrophe is intentional
    "[2F] Got an Item",
    "[30] Elemental Acquired",
    "[31] Give Love its Rightful Time",
    "[32] The Second Truth From the Left",
    "[33] The Curse",
    "[34] I Won't Forget",
    "[35] Ally Joins",
    "[36] To Reach Tomorrow",
    "[37] One of Them is Hope",
    "[38] A Conclusion",
    "[39] Meridian Dance",
    "[3A] The Wings No Longer Beat",
    "[3B] A Conclusion", // this and the next three repeat 0x38 on purpose: each is its own song
    "[3C] A Conclusion",
    "[3D] A Conclusion",
    "[3E] A Conclusion",
    "[3F] A Conclusion (wtf?)",
};

// Instrument names by instrument number (the value of a slot byte).
constexpr std::array<std::string_view, 33> SAMPLES = {
    "Nothing",
    "Harpsichord",
    "Electric Guitar",
    "Xylophone (sort-of)",
    "Brass Section",
    "Chorus",
    "Snare Drum",
    "Tubular Bell",
    "Bass Guitar",
    "Synth Trumpet",
    "Guitar (?)",
    "Unknown",
    "Flute",
    "Oboe",
    "Music Box",
    "Synth (wierd)", // spelling as intended
    "Piano",
    "Synth Piano (?)",
    "Accordian", // spelling as intended
    "Strings",
    "Overdrive Guitar",
    "Hihat (closed)",
    "Hihat (open)",
    "Techno Synth (kick drum?)",
    "Kick Drum",
    "Snare Drum (hard)",
    "Wood Block",
    "Clap",
    "Cymbals (loop)",
    "Bottle (?)",
    "Rim Hit",
    "Dragon Scream",
    "Metal Bang (?)",
};

} // namespace

const Catalogue SD2{SONGS, SAMPLES};

} // namespace catalogues
