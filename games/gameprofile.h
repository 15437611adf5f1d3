#pragma once

#include <array>
#include <optional>
#include <string_view>

#include <QtGlobal>

namespace games {

// The slot labels "$20" to "$2C" that every game but one shows, and that a
// closed image leaves.
inline constexpr int PLAIN_SLOT_LABELS = 0x20;

// Where a game keeps its song sample-index table and how the window shows it.
struct GameProfile {
    std::string_view token;         // short code used in every per-game name
    std::string_view optionName;    // object name of the game's option button
    std::string_view optionCaption; // caption of that button
    int songCount;                  // titles in the game's song list
    int sampleCount;                // names in the game's instrument list

    // File offset of song 0's record. Chrono Trigger keeps two tables and picks
    // one by the region byte: this one for region 1, japanTableBase for region 0.
    quint32 tableBase;
    std::optional<quint32> japanTableBase = std::nullopt;

    // The 21-byte internal title lives at titleOffset, unless the game shows a
    // fixed name instead (the Satellaview titles).
    quint32 titleOffset = 0;
    std::string_view fixedTitle = {};

    int slotLabelBase = PLAIN_SLOT_LABELS; // label of slot k reads "$" + hex(base + k)
    int labelsSetByChoice = 12; // labels rewritten by the game choice, from slot 0
    bool locksLastSlot = false; // last slot list shown but not editable

    bool choosesTableByRegion() const { return japanTableBase.has_value(); }
};

inline constexpr quint32 HIROM_TITLE = 0xFFC0;
inline constexpr quint32 LOROM_TITLE = 0x7FC0;

// clang-format off
inline constexpr std::array<GameProfile, 11> GAME_PROFILES = {{
    {"FF5",  "FF5OPT",  "Final Fantasy V (J)",                          72, 36, 0x43DAA, {}, HIROM_TITLE},
    {"SD2",  "SD2OPT",  "Seiken Densetsu 2 (J) / Secret of Mana (EU)",  64, 33, 0x33F22, {}, HIROM_TITLE},
    {"MQ",   "MQOPT",   "Final Fantasy Mystic Quest (JUE)",             27, 19, 0x6BEA1, {}, LOROM_TITLE, {}, PLAIN_SLOT_LABELS, 12, true},
    {"FF4",  "FF4OPT",  "Final Fantasy IV (J) / Final Fantasy II (U)",  56, 23, 0x2400F, {}, LOROM_TITLE, {}, 0x40, 13},
    {"FF6",  "FF6OPT",  "Final Fantasy VI (J) / Final Fantasy III (U)", 85, 64, 0x53F95, {}, HIROM_TITLE},
    {"RS2",  "RS2OPT",  "Romancing SaGa 2 (J)",                         51, 38, 0x44077, {}, HIROM_TITLE},
    {"RS3",  "RS3OPT",  "Romancing SaGa 3 (J)",                         92, 83, 0x610DA, {}, HIROM_TITLE},
    {"BSDT", "BSDTOPT", "BS Dynami Tracer (J)",                         31, 50, 0xC42B6, {}, 0, "Dynami Tracer"},
    {"BSRD", "BSRDOPT", "BS Radical Dreamers (J)",                      24, 42, 0xD4250, {}, 0, "Radical Dreamers"},
    {"BSTC", "BSTCOPT", "BS Treasure Conflix (J)",                      14, 24, 0xC41A5, {}, 0, "Treasure Conflix"},
    {"CT",   "CTOPT",   "Chrono Trigger (J) / Chrono Trigger (U)",      83, 62, 0x70E11, 0x70E0B, HIROM_TITLE},
}};
// clang-format on

// Order in which a song pick looks for the game whose button is set.
inline constexpr std::array<std::string_view, 11> SELECTION_ORDER = {
    "SD2", "FF5", "FF4", "MQ", "FF6", "CT", "RS2", "RS3", "BSDT", "BSRD", "BSTC"};
// Order in which a save looks at the game buttons.
inline constexpr std::array<std::string_view, 11> SAVE_ORDER = {
    "BSDT", "BSRD", "BSTC", "CT", "FF4", "FF5", "FF6", "MQ", "RS3", "RS2", "SD2"};

// The profile of a token or of an option button name; nullptr for anything else.
const GameProfile *profileFor(std::string_view token);
const GameProfile *profileForOption(std::string_view optionName);

// The seven games the window lists without a profile: their buttons stay disabled.
struct UnsupportedGame {
    std::string_view optionName;
    std::string_view optionCaption;
};

inline constexpr std::array<UnsupportedGame, 7> UNSUPPORTED_GAMES = {{
    {"BLOPT", "Bahamut Lagoon (J)"},
    {"FMOPT", "Front Mission (J)"},
    {"LALOPT", "Live a Live (J)"},
    {"RSOPT", "Romancing SaGa (J)"},
    {"RNHOPT", "Rudora on Hihou (J)"},
    {"SD3OPT", "Seiken Densetsu 3 (J)"},
    {"THGOPT", "Treasure Hunter G (J)"},
}};

// All eighteen game buttons, top to bottom (also the order a close clears them).
inline constexpr std::array<std::string_view, 18> GAME_BUTTON_ORDER = {
    "BLOPT", "BSDTOPT", "BSRDOPT", "BSTCOPT", "CTOPT", "FF4OPT", "FF5OPT", "FF6OPT", "MQOPT",
    "FMOPT", "LALOPT",  "RSOPT",   "RS2OPT",  "RS3OPT", "RNHOPT", "SD2OPT", "SD3OPT", "THGOPT"};

} // namespace games
