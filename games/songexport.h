#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "games/romimage.h"

namespace games {

// The value of the hexadecimal digits of text, each weighted by its distance
// from the end of the text; other characters add nothing but still count as a
// place. nullopt when the value exceeds 2^31 - 1 or the text is longer than
// 32767 characters.
std::optional<qint32> HexToLong(const QString &text);

// A song's data block, as the unfinished export takes it from the image.
struct SongExport {
    QByteArray block; // the 2-byte length field and the song's bytes
    ImageError error; // why nothing was taken
};

// Follows song's pointer (3 bytes at 0x54096 + 3 * song) to its block behind a
// 512-byte header and takes the length field and the bytes it counts. Reads
// nothing outside the image and takes nothing when anything is out of range.
SongExport exportSong(const RomImage &image, int song);

} // namespace games
