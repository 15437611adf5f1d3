#include "games/songindex.h"

#include <array>

#include "games/caption.h"

using namespace Qt::StringLiterals;

namespace games {

QString slotLabel(int labelBase, int slot)
{
    return u"$"_s + QString::number(labelBase + slot, 16).toUpper().rightJustified(2, u'0');
}

std::optional<qint64> tableBaseOf(const GameProfile &game, const RomImage &image, ImageError &error,
                                  quint8 *regionCode)
{
    if (!game.choosesTableByRegion())
        return game.tableBase;
    quint8 region = 0;
    error = image.readByte(REGION_CODE_OFFSET, region);
    if (regionCode)
        *regionCode = region;
    if (error.isError())
        return std::nullopt;
    if (region == 1)
        return game.tableBase;
    if (region == 0)
        return *game.japanTableBase;
    return std::nullopt;
}

namespace {

bool addressable(int song)
{
    return song >= 0 && song <= LAST_ADDRESSABLE_SONG;
}

ImageError readTitle(const GameProfile &game, const RomImage &image, QString &title)
{
    if (!game.fixedTitle.empty()) {
        title = QString::fromUtf8(game.fixedTitle.data(), static_cast<qsizetype>(game.fixedTitle.size()));
        return {};
    }
    std::array<quint8, TITLE_LENGTH> bytes{};
    const ImageError error = image.read(game.titleOffset, bytes);
    if (!error.isError())
        title = titleText(bytes);
    return error;
}

} // namespace

ImageError loadSongIndex(const GameProfile &game, const RomImage &image, SongIndexView &view)
{
    const int song = view.songList().ListIndex();
    if (!addressable(song) || !image.isOpen())
        return {};

    // Every slot read comes before any list is touched, so a failing read
    // leaves the lists as they were.
    ImageError error;
    const std::optional<qint64> base = tableBaseOf(game, image, error);
    if (error.isError())
        return error;
    QString title;
    error = readTitle(game, image, title);
    if (error.isError())
        return error;

    view.setCaption(loadedCaption(title));

    std::array<quint8, SLOT_COUNT> bytes{}; // no table: every slot shows position 0
    if (base) {
        const qint64 record = *base + qint64(RECORD_SIZE) * song;
        for (int slot = 0; slot < SLOT_COUNT; ++slot) {
            error = image.readByte(record + slotRecordOffset(slot), bytes[slot]);
            if (error.isError())
                return error;
        }
    }

    // A byte its list has no item for shows no selection; the other slots
    // still show theirs, so the record can be seen and mended.
    bool everySlotShown = true;
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        if (!view.slotList(slot).setListIndex(bytes[slot])) {
            view.slotList(slot).setListIndex(-1);
            everySlotShown = false;
        }
    }
    if (game.locksLastSlot)
        view.setSlotListEnabled(SLOT_COUNT - 1, false);
    view.setSaveEnabled(everySlotShown);
    return {};
}

void slotPicked(const RomImage &image, SongIndexView &view)
{
    if (!image.isOpen() || !addressable(view.songList().ListIndex()))
        return;
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        if (view.slotList(slot).ListIndex() < 0)
            return;
    }
    view.setSaveEnabled(true);
}

ImageError saveSongIndex(const GameProfile &game, RomImage &image, SongIndexView &view)
{
    const int song = view.songList().ListIndex();
    if (!addressable(song) || !image.isOpen())
        return {};

    ImageError error;
    quint8 region = 0;
    const std::optional<qint64> base = tableBaseOf(game, image, error, &region);
    if (error.isError())
        return error;
    if (!base) {
        return ImageError::make(ImageError::Kind::Refused, image.path(),
                                u"Its region byte (0x%1 at 0xFFD9) names no song table of this game, so nothing was saved."_s
                                    .arg(QString::number(region, 16).toUpper().rightJustified(2, u'0')));
    }

    std::array<quint8, SLOT_COUNT> values{};
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        const int position = view.slotList(slot).ListIndex();
        if (position < 0 || position > 255) {
            return ImageError::make(ImageError::Kind::Refused, image.path(),
                                    u"Slot %1 shows no instrument, so nothing was saved."_s
                                        .arg(slotLabel(game.slotLabelBase, slot)));
        }
        values[slot] = static_cast<quint8>(position);
    }

    // Only the slot bytes are written, so the file must reach the last of them.
    const qint64 record = *base + qint64(RECORD_SIZE) * song;
    const qint64 length = image.size();
    if (record + slotRecordOffset(SLOT_COUNT - 1) >= length) {
        return ImageError::make(ImageError::Kind::OutsideImage, image.path(),
                                u"The slots of song %1 reach beyond the end of the file (%2 bytes), so nothing was saved."_s
                                    .arg(song)
                                    .arg(length));
    }
    error = image.checkStillAtPath();
    if (error.isError())
        return error;

    // Keep what the slots hold now, to put it back if a write fails part-way.
    std::array<quint8, SLOT_COUNT> previous{};
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        error = image.readByte(record + slotRecordOffset(slot), previous[slot]);
        if (error.isError())
            return error;
    }

    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        error = image.writeByte(record + slotRecordOffset(slot), values[slot]);
        if (!error.isError())
            continue;
        bool restored = true;
        for (int done = 0; done < slot; ++done)
            restored = !image.writeByte(record + slotRecordOffset(done), previous[done]).isError() && restored;
        const QString outcome = restored ? u"The record was left as it was."_s
                                         : u"The record could not be put back as it was and may be damaged."_s;
        return ImageError::make(error.kind, error.path, error.reason + u"\n"_s + outcome);
    }
    return {};
}

} // namespace games
