// libFuzzer target over the image access and the load path: an image of any
// length and content, any game, any song. A load must never crash, never
// write a byte, and must show exactly the bytes the file holds (zero past its
// end), or no selection where a list cannot show a byte.
//
// Input layout (every field is optional; a short input reads as zeros):
//   byte 0      game: index into GAME_PROFILES, modulo 11
//   bytes 1-2   song selected in the song list, little-endian, modulo 1100,
//               minus 1 (so -1, the songs past 1023 and every real song occur)
//   byte 3      items in each slot list: below 0xC0 the game's instrument
//               count, else (byte - 0xC0) * 4 (0 to 252)
//   byte 4      what the file length is measured from (see ANCHORS below)
//   bytes 5-6   signed distance of the file length from that point
//   byte 7      what the content's first byte is placed at (same anchors)
//   bytes 8-9   signed distance of the content from that point
//   the rest    the content; every other byte of the file is zero
//
// The anchors put lengths and content next to the bytes a load reads (the
// record, the title, the region byte, the song pointer table), which plain
// random offsets into a megabyte would almost never hit. The file is a memfd
// so that the megabyte-sized images cost nothing where they are zero.

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <QString>

#include "games/caption.h"
#include "games/gameprofile.h"
#include "games/listcontrol.h"
#include "games/romimage.h"
#include "games/songexport.h"
#include "games/songindex.h"

using namespace games;
using namespace Qt::StringLiterals;

namespace {

constexpr size_t HEADER_SIZE = 10;
constexpr int SONG_CHOICES = 1100;
// 16 MiB: longer than any offset the load reads (the farthest record ends
// below 0xE0000), so the lengths past every table are covered.
constexpr qint64 LARGEST_LENGTH = qint64(16) << 20;
// The song pointer table the export follows: 3 bytes per song at 0x54096.
constexpr qint64 SONG_POINTER_TABLE = 0x54096;
constexpr qint64 ROM_BANK_C0 = 0xC00000;
constexpr qint64 COPIER_HEADER_SIZE = 512;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_load: %s\n", what);
    std::abort();
}

void check(bool condition, const char *what)
{
    if (!condition)
        fail(what);
}

// Every write goes through this seam; a load must never reach it.
ssize_t refuseWrite(int, const void *, size_t, off_t)
{
    fail("the load wrote to the image");
}

// A list with the program's list semantics, as the window's lists have them.
class MemoryList : public ListControl
{
public:
    void Clear() override
    {
        m_count = 0;
        m_index = -1;
    }
    void AddItem(const QString &) override { ++m_count; }
    int ListIndex() const override { return m_index; }
    bool setListIndex(int position) override
    {
        if (position < -1 || position >= m_count)
            return false;
        m_index = position;
        return true;
    }
    int ListCount() const override { return m_count; }
    QString List(int position) const override { return QString::number(position); }

    // The state before the load: count items, a selection of its own.
    void reset(int count, int index)
    {
        m_count = count;
        m_index = index;
    }

private:
    int m_count = 0;
    int m_index = -1;
};

class MemoryView : public SongIndexView
{
public:
    ListControl &songList() override { return song; }
    ListControl &slotList(int slot) override { return slotLists[size_t(slot)]; }
    void setCaption(const QString &text) override
    {
        caption = text;
        ++captions;
    }
    void setSaveEnabled(bool enabled) override { saveEnabled = enabled; }
    void setSlotListEnabled(int slot, bool enabled) override { slotEnabled[size_t(slot)] = enabled; }

    MemoryList song;
    std::array<MemoryList, SLOT_COUNT> slotLists;
    QString caption;
    int captions = 0;
    std::optional<bool> saveEnabled;
    std::array<bool, SLOT_COUNT> slotEnabled = {true, true, true, true, true, true, true,
                                                true, true, true, true, true, true};
};

// The input's fields; a short input reads as zeros.
struct Input {
    explicit Input(std::span<const quint8> data)
        : bytes(data)
    {
    }
    quint8 byte(size_t at) const { return at < bytes.size() ? bytes[at] : 0; }
    qint16 int16(size_t at) const { return qint16(quint16(byte(at)) | quint16(byte(at + 1)) << 8); }
    std::span<const quint8> content() const
    {
        return bytes.size() > HEADER_SIZE ? bytes.subspan(HEADER_SIZE) : std::span<const quint8>();
    }

    std::span<const quint8> bytes;
};

// The file as the input describes it: length bytes, zero except for the
// content at contentOffset. Knows every byte without reading the file.
struct Model {
    qint64 length = 0;
    qint64 contentOffset = 0;
    std::span<const quint8> content;

    quint8 at(qint64 offset) const
    {
        if (offset < 0 || offset >= length)
            return 0;
        const qint64 inContent = offset - contentOffset;
        if (inContent < 0 || inContent >= qint64(content.size()))
            return 0;
        return content[size_t(inContent)];
    }
};

qint64 anchor(quint8 choice, const GameProfile &game, int song, qint64 length)
{
    const qint64 record = qint64(RECORD_SIZE) * std::max(song, 0);
    const qint64 japanBase = game.japanTableBase.value_or(game.tableBase);
    switch (choice % 12) {
    case 0: return 0;
    case 1: return game.tableBase + record;
    case 2: return japanBase + record;
    case 3: return game.tableBase + record + RECORD_SIZE;
    case 4: return REGION_CODE_OFFSET;
    case 5: return HIROM_TITLE;
    case 6: return LOROM_TITLE;
    case 7: return SONG_POINTER_TABLE + 3 * qint64(std::max(song, 0));
    case 8: return length;
    case 9: return game.tableBase;
    case 10: return qint64(1) << 20;
    default: return LARGEST_LENGTH;
    }
}

// The file's allocated stretches (SEEK_DATA / SEEK_HOLE): together with the
// bytes inside them they are the whole content of a sparse file.
std::vector<std::pair<off_t, off_t>> dataExtents(int fd, off_t length)
{
    std::vector<std::pair<off_t, off_t>> extents;
    off_t at = 0;
    while (at < length) {
        const off_t start = ::lseek(fd, at, SEEK_DATA);
        if (start < 0) {
            check(errno == ENXIO, "SEEK_DATA failed");
            break;
        }
        const off_t end = ::lseek(fd, start, SEEK_HOLE);
        check(end > start, "SEEK_HOLE failed");
        extents.emplace_back(start, end);
        at = end;
    }
    return extents;
}

// Every byte of the file equals the model's: the holes read as zero by
// definition, the allocated stretches are read and compared.
void checkFileMatches(int fd, const Model &model, const std::vector<std::pair<off_t, off_t>> &expectedExtents)
{
    struct stat info {};
    check(::fstat(fd, &info) == 0, "fstat failed");
    check(info.st_size == model.length, "the file's length changed");
    check(dataExtents(fd, off_t(model.length)) == expectedExtents, "a hole of the file was written");
    std::vector<quint8> bytes;
    for (const auto &[start, end] : expectedExtents) {
        bytes.resize(size_t(end - start));
        check(::pread(fd, bytes.data(), bytes.size(), start) == ssize_t(bytes.size()), "reading back failed");
        for (size_t i = 0; i < bytes.size(); ++i)
            check(bytes[i] == model.at(start + off_t(i)), "a byte of the file changed");
    }
}

int imageFile()
{
    static const int fd = [] {
        const int created = ::memfd_create("veltrano-fuzz-image", MFD_CLOEXEC);
        if (created < 0)
            fail("memfd_create failed");
        return created;
    }();
    return fd;
}

// The table the file's region byte names (Chrono Trigger), or the game's one table.
std::optional<qint64> expectedTableBase(const GameProfile &game, const Model &model)
{
    if (!game.choosesTableByRegion())
        return game.tableBase;
    const quint8 region = model.at(REGION_CODE_OFFSET);
    if (region == 1)
        return game.tableBase;
    if (region == 0)
        return *game.japanTableBase;
    return std::nullopt;
}

void checkExport(const RomImage &image, const Model &model, int song)
{
    const SongExport taken = exportSong(image, song);
    if (taken.error.isError()) {
        check(taken.block.isEmpty(), "a failed export returned bytes");
        check(!taken.error.message.isEmpty(), "a failed export has no message");
        return;
    }
    check(song >= 0, "an export without a song succeeded");
    const qint64 entry = SONG_POINTER_TABLE + 3 * qint64(song);
    check(entry + 3 <= model.length, "an export read a pointer beyond the end");
    const qint64 pointer = qint64(model.at(entry)) | qint64(model.at(entry + 1)) << 8 | qint64(model.at(entry + 2)) << 16;
    check(pointer >= ROM_BANK_C0, "an export followed a pointer below bank C0");
    const qint64 start = pointer - ROM_BANK_C0 + COPIER_HEADER_SIZE;
    const qint64 size = taken.block.size();
    check(size >= 2 && start + size <= model.length, "an exported block lies outside the file");
    const int length = qint16(quint16(model.at(start)) | quint16(model.at(start + 1)) << 8);
    check(length + 2 == size, "an exported block does not have its stated length");
    for (qint64 i = 0; i < size; ++i)
        check(quint8(taken.block[qsizetype(i)]) == model.at(start + i), "an exported byte is not the file's");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    RomImage::setWriteFunctionForTests(refuseWrite);
    const Input input(std::span<const quint8>(data, size));

    const GameProfile &game = GAME_PROFILES[input.byte(0) % GAME_PROFILES.size()];
    const int song = int(quint16(input.int16(1)) % SONG_CHOICES) - 1;
    const int slotItems = input.byte(3) < 0xC0 ? game.sampleCount : (input.byte(3) - 0xC0) * 4;

    Model model;
    model.length = std::clamp<qint64>(anchor(input.byte(4), game, song, 0) + input.int16(5), 0, LARGEST_LENGTH);
    model.contentOffset = std::max<qint64>(anchor(input.byte(7), game, song, model.length) + input.int16(8), 0);
    model.content = input.content();

    // Lay the file out: length zeros, then the part of the content inside it.
    const int fd = imageFile();
    check(::ftruncate(fd, 0) == 0 && ::ftruncate(fd, off_t(model.length)) == 0, "ftruncate failed");
    if (model.contentOffset < model.length) {
        const size_t fits = size_t(std::min<qint64>(qint64(model.content.size()), model.length - model.contentOffset));
        if (fits > 0)
            check(::pwrite(fd, model.content.data(), fits, off_t(model.contentOffset)) == ssize_t(fits), "pwrite failed");
    }
    const std::vector<std::pair<off_t, off_t>> extents = dataExtents(fd, off_t(model.length));

    RomImage image;
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
    const ImageError opened = image.open(QString::fromLatin1(path));
    check(!opened.isError(), "the image did not open");
    check(image.size() == model.length, "the image's size is not the file's");

    // The table the load will use.
    ImageError error;
    quint8 region = 0xAA;
    const std::optional<qint64> base = tableBaseOf(game, image, error, &region);
    check(!error.isError(), "reading the region byte failed");
    check(base == expectedTableBase(game, model), "the table base is not the one the region byte names");
    if (game.choosesTableByRegion())
        check(region == model.at(REGION_CODE_OFFSET), "the region byte read is not the file's");

    // The load, into lists holding a selection of their own beforehand.
    MemoryView view;
    view.song.reset(SONG_CHOICES, song);
    for (MemoryList &list : view.slotLists)
        list.reset(slotItems, slotItems > 7 ? 7 : -1);
    error = loadSongIndex(game, image, view);
    check(!error.isError(), "the load failed");

    if (song < 0 || song > LAST_ADDRESSABLE_SONG) {
        // Nothing is shown for a song the table cannot address.
        check(view.captions == 0 && !view.saveEnabled.has_value(), "an unaddressable song was shown");
        for (const MemoryList &list : view.slotLists)
            check(list.ListIndex() == (slotItems > 7 ? 7 : -1), "an unaddressable song changed a slot");
    } else {
        std::array<quint8, TITLE_LENGTH> title{};
        for (int i = 0; i < TITLE_LENGTH; ++i)
            title[size_t(i)] = model.at(game.titleOffset + i);
        const QString expectedTitle = game.fixedTitle.empty()
                                          ? titleText(title)
                                          : QString::fromUtf8(game.fixedTitle.data(), qsizetype(game.fixedTitle.size()));
        check(view.caption == loadedCaption(expectedTitle), "the caption does not show the file's title");

        // Each slot shows its byte, or nothing when its list has no item for it.
        bool everyShown = true;
        for (int slot = 0; slot < SLOT_COUNT; ++slot) {
            const int byte = base ? model.at(*base + qint64(RECORD_SIZE) * song + slotRecordOffset(slot)) : 0;
            const bool shown = byte < slotItems;
            everyShown = everyShown && shown;
            const int position = view.slotLists[size_t(slot)].ListIndex();
            check(position == (shown ? byte : -1), "a slot does not show the file's byte");
        }
        check(view.saveEnabled == everyShown, "saving is enabled for a record the lists cannot show");
        check(!game.locksLastSlot || !view.slotEnabled[SLOT_COUNT - 1], "the locked slot was left editable");
    }

    checkExport(image, model, song);

    image.close();
    checkFileMatches(fd, model, extents);
    return 0;
}
