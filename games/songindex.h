#pragma once

#include <optional>

#include <QString>

#include "games/gameprofile.h"
#include "games/listcontrol.h"
#include "games/romimage.h"

namespace games {

// A song's record in a game's sample-index table: 32 bytes, record s at
// tableBase + 32 * s. Slot k (0 to 12) is the 1 byte at record offset 2k and
// holds an instrument number. The odd record bytes 1 to 25 and bytes 26 to 31
// belong to no slot and are never read or written.
inline constexpr int RECORD_SIZE = 32;
inline constexpr int SLOT_COUNT = 13;
constexpr int slotRecordOffset(int slot)
{
    return 2 * slot;
}

// 1 byte at 0xFFD9: the destination code of the cartridge header. Chrono
// Trigger's table depends on it (1 and 0 have one each, other values none).
inline constexpr qint64 REGION_CODE_OFFSET = 0xFFD9;
// The internal title: 21 bytes at the game's title offset.
inline constexpr int TITLE_LENGTH = 21;
// The record's distance from the table is a signed 16-bit number: 32 * 1023
// is the farthest that fits.
inline constexpr int LAST_ADDRESSABLE_SONG = 1023;

// "$20".."$2C" (or "$40".."$4C"): the label of a slot for a game.
QString slotLabel(int labelBase, int slot);

// The file offset of song 0's record for the image open now. Chrono Trigger
// reads its region byte (into regionCode, when given); nullopt when that byte
// names no table. A read error goes to error.
std::optional<qint64> tableBaseOf(const GameProfile &game, const RomImage &image, ImageError &error,
                                  quint8 *regionCode = nullptr);

// What loading and saving need of the main window.
class SongIndexView
{
public:
    virtual ~SongIndexView() = default;
    virtual ListControl &songList() = 0;
    virtual ListControl &slotList(int slot) = 0; // slot 0 to 12
    virtual void setCaption(const QString &caption) = 0;
    virtual void setSaveEnabled(bool enabled) = 0;
    virtual void setSlotListEnabled(int slot, bool enabled) = 0;
};

// Shows the selected song's record: the image's title in the caption, each
// slot's byte as the selected position of its list. With no song selected or
// no image open it changes nothing. A list that has no item for its byte shows
// no selection, and saving stays disabled until the user has picked an
// instrument there. Returns the read error, if any.
ImageError loadSongIndex(const GameProfile &game, const RomImage &image, SongIndexView &view);

// After the user picks an instrument in a slot list: with an image open and a
// song selected, saving becomes possible once every slot list shows one.
void slotPicked(const RomImage &image, SongIndexView &view);

// Writes the thirteen selected positions as the slot bytes of the selected
// song's record: all thirteen, or none when any of them cannot be written as
// it stands (no selection, a slot byte at or beyond the end of the file, file
// replaced).
// An operating-system failure part-way is rolled back. With no song selected
// or no image open it writes nothing and reports nothing.
ImageError saveSongIndex(const GameProfile &game, RomImage &image, SongIndexView &view);

} // namespace games
