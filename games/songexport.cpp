#include "games/songexport.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace games {
namespace {

// The song pointer table: 3 bytes per song at 0x54096 + 3 * song, a 24-bit
// little-endian address (byte 0 low, byte 2 high), whatever game is chosen.
constexpr qint64 SONG_POINTER_TABLE = 0x54096;
constexpr int SONG_POINTER_SIZE = 3;
// Bank 0xC0 starts with the first byte of the ROM data; the export counts a
// 512-byte copier header in front of it, unlike every other offset we use.
constexpr qint32 ROM_BANK_C0 = 0xC00000;
constexpr qint64 COPIER_HEADER_SIZE = 512;
// The block starts with its length n as a signed 16-bit little-endian number;
// n + 2 bytes (field included) must still fit 16 signed bits.
constexpr int LENGTH_FIELD_SIZE = 2;
constexpr int LARGEST_SONG_LENGTH = std::numeric_limits<qint16>::max() - LENGTH_FIELD_SIZE;

// A hexadecimal digit's value, or -1 for any other character.
int hexDigitValue(QChar character)
{
    const char16_t code = character.unicode();
    if (code >= u'0' && code <= u'9')
        return code - u'0';
    if (code >= u'A' && code <= u'F')
        return code - u'A' + 10;
    if (code >= u'a' && code <= u'f')
        return code - u'a' + 10;
    return -1;
}

QString hexOffset(qint64 offset)
{
    return u"0x"_s + QString::number(offset, 16).toUpper();
}

SongExport failure(ImageError::Kind kind, const RomImage &image, const QString &reason)
{
    return SongExport{QByteArray(), ImageError::make(kind, image.path(), reason)};
}

// Whether count bytes from offset lie inside a file of fileSize bytes.
bool inside(qint64 offset, qint64 count, qint64 fileSize)
{
    return offset >= 0 && count >= 0 && offset <= fileSize && count <= fileSize - offset;
}

SongExport outside(const RomImage &image, const QString &what, qint64 offset, qint64 fileSize)
{
    return failure(
        ImageError::Kind::OutsideImage, image,
        u"The %1 at %2 lies outside the file (%3 bytes)."_s.arg(what, hexOffset(offset)).arg(fileSize));
}

} // namespace

std::optional<qint32> HexToLong(const QString &text)
{
    // The length is a signed 16-bit number: a longer text is an overflow.
    if (text.size() > std::numeric_limits<qint16>::max())
        return std::nullopt;

    // Each digit weighs 16 to the power of its distance from the end. The sum
    // stays exact in 64 bits, since any non-zero digit eight or more places
    // from the end already passes 2^31 - 1; a zero digit adds nothing wherever
    // it stands.
    constexpr qint64 LARGEST = std::numeric_limits<qint32>::max();
    const qsizetype length = text.size();
    qint64 result = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const int digit = hexDigitValue(text.at(i));
        if (digit <= 0)
            continue;
        const qsizetype power = length - 1 - i;
        if (power >= 8)
            return std::nullopt;
        result += qint64(digit) << (4 * power);
        if (result > LARGEST)
            return std::nullopt;
    }
    return static_cast<qint32>(result);
}

SongExport exportSong(const RomImage &image, int song)
{
    if (!image.isOpen())
        return SongExport{QByteArray(), ImageError::make(ImageError::Kind::NotOpen, QString(), QString())};
    if (song < 0)
        return failure(ImageError::Kind::Refused, image, u"No song is selected."_s);
    // 3 * song is a signed 16-bit number.
    if (song > std::numeric_limits<qint16>::max() / SONG_POINTER_SIZE) {
        return failure(ImageError::Kind::Refused, image,
                       u"Song %1 lies beyond the end of the song pointer table."_s.arg(song));
    }

    const qint64 fileSize = image.size();
    if (fileSize < 0)
        return failure(ImageError::Kind::Read, image, u"The size of the file cannot be determined."_s);

    const qint64 entry = SONG_POINTER_TABLE + qint64(SONG_POINTER_SIZE) * song;
    if (!inside(entry, SONG_POINTER_SIZE, fileSize))
        return outside(image, u"pointer of song %1"_s.arg(song), entry, fileSize);
    quint8 pointerBytes[SONG_POINTER_SIZE] = {};
    for (int i = 0; i < SONG_POINTER_SIZE; ++i) {
        const ImageError error = image.readByte(entry + i, pointerBytes[i]);
        if (error.isError())
            return SongExport{QByteArray(), error};
    }

    // "&h" and the three bytes high first, two upper-case digits each, so
    // that a byte below 0x10 keeps its place.
    QString pointerText = u"&h"_s;
    for (int i = SONG_POINTER_SIZE - 1; i >= 0; --i)
        pointerText += QString::number(pointerBytes[i], 16).toUpper().rightJustified(2, u'0');
    const std::optional<qint32> pointer = HexToLong(pointerText);
    if (!pointer)
        return failure(ImageError::Kind::Refused, image,
                       u"The song pointer %1 is too large."_s.arg(pointerText));
    if (*pointer < ROM_BANK_C0) {
        return failure(
            ImageError::Kind::Refused, image,
            u"The song pointer %1 of song %2 lies below bank C0."_s.arg(hexOffset(*pointer)).arg(song));
    }

    qint32 romOffset = 0;
    if (qSubOverflow(*pointer, ROM_BANK_C0, &romOffset))
        return failure(ImageError::Kind::Refused, image,
                       u"The song pointer %1 is too large."_s.arg(pointerText));
    const qint64 blockStart = qint64(romOffset) + COPIER_HEADER_SIZE;

    if (!inside(blockStart, LENGTH_FIELD_SIZE, fileSize))
        return outside(image, u"length of song %1"_s.arg(song), blockStart, fileSize);
    qint16 songLength = 0;
    ImageError error = image.readInt16(blockStart, songLength);
    if (error.isError())
        return SongExport{QByteArray(), error};
    // n + 2 must be a signed 16-bit number and the block cannot be shorter
    // than its own length field.
    if (songLength < 0 || songLength > LARGEST_SONG_LENGTH) {
        return failure(ImageError::Kind::Refused, image,
                       u"The length %1 of song %2 at %3 lies outside 0 to %4."_s.arg(songLength)
                           .arg(song)
                           .arg(hexOffset(blockStart))
                           .arg(LARGEST_SONG_LENGTH));
    }
    const qint16 blockSize = static_cast<qint16>(songLength + LENGTH_FIELD_SIZE);
    if (!inside(blockStart, blockSize, fileSize))
        return outside(image, u"block of %1 bytes of song %2"_s.arg(blockSize).arg(song), blockStart,
                       fileSize);

    QByteArray block(blockSize, '\0');
    error = image.read(blockStart,
                       std::span<quint8>(reinterpret_cast<quint8 *>(block.data()), size_t(blockSize)));
    if (error.isError())
        return SongExport{QByteArray(), error};
    return SongExport{block, {}};
}

} // namespace games
