#pragma once

#include <functional>
#include <span>

#include "catalogues/catalogue.h"
#include "games/listcontrol.h"
#include "games/songindex.h"

namespace catalogues {

// Empties the song list, appends the game's titles in song-number order and
// selects song 0, which raises the song list's selection event before returning.
void fillSongList(const Catalogue &catalogue, games::ListControl &songList);

// Empties the thirteen slot lists, gives each the game's whole instrument list
// (one list complete before the next), then selects position 0 in each.
// Generated lists let pending window events run after every appended item.
void fillSampleLists(const Catalogue &catalogue, std::span<games::ListControl *const, games::SLOT_COUNT> slotLists,
                     const std::function<void()> &processPendingEvents);

// The text of a generated instrument list at a position: "Sample #1" for 0.
QString generatedSampleName(int position);

} // namespace catalogues
