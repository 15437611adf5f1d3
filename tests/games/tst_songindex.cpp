#include <array>
#include <cerrno>

#include <QTest>

#include "games/caption.h"
#include "games/gameprofile.h"
#include "games/songindex.h"
#include "tests/fakelist.h"
#include "tests/testimage.h"

using namespace games;
using namespace Qt::StringLiterals;

namespace {

class FakeView : public SongIndexView
{
public:
    explicit FakeView(const GameProfile &game)
    {
        song.fill(game.songCount);
        for (FakeList &list : slots_)
            list.fill(game.sampleCount);
    }
    ListControl &songList() override { return song; }
    ListControl &slotList(int slot) override { return slots_[slot]; }
    void setCaption(const QString &text) override { caption = text; }
    void setSaveEnabled(bool enabled) override { saveEnabled = enabled; }
    void setSlotListEnabled(int slot, bool enabled) override { slotEnabled[slot] = enabled; }

    std::array<int, SLOT_COUNT> shown() const
    {
        std::array<int, SLOT_COUNT> positions{};
        for (int slot = 0; slot < SLOT_COUNT; ++slot)
            positions[slot] = slots_[slot].ListIndex();
        return positions;
    }

    FakeList song;
    std::array<FakeList, SLOT_COUNT> slots_;
    QString caption = u"untouched"_s;
    bool saveEnabled = false;
    std::array<bool, SLOT_COUNT> slotEnabled = {true, true, true, true, true, true, true,
                                                true, true, true, true, true, true};
};

const GameProfile &game(const char *token)
{
    return *profileFor(token);
}

// Plants 13 distinct valid slot values for a song and its neighbours' bytes.
std::array<quint8, SLOT_COUNT> plantRecord(TestImage &file, qint64 base, int song, int sampleCount)
{
    std::array<quint8, SLOT_COUNT> values{};
    QByteArray record(32, char(0xEE)); // the bytes between the slots must not matter
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        values[slot] = quint8((slot * 7 + song + 1) % sampleCount);
        record[2 * slot] = char(values[slot]);
    }
    file.plant(base + 32 * qint64(song), record);
    return values;
}

std::array<int, SLOT_COUNT> asPositions(const std::array<quint8, SLOT_COUNT> &values)
{
    std::array<int, SLOT_COUNT> positions{};
    std::copy(values.begin(), values.end(), positions.begin());
    return positions;
}

} // namespace

class TestSongIndex : public QObject
{
    Q_OBJECT

private slots:
    void profilesMatchTheirGames_data();
    void profilesMatchTheirGames();
    void loadShowsEachSlotInItsList_data();
    void loadShowsEachSlotInItsList();
    void saveWritesExactlyTheThirteenSlotBytes_data();
    void saveWritesExactlyTheThirteenSlotBytes();
    void chronoTriggerPicksItsTableByRegion_data();
    void chronoTriggerPicksItsTableByRegion();
    void mysticQuestLocksTheLastSlotAfterEveryLoad();
    void byteAListCannotShowIsBlankUntilPicked();
    void nothingHappensWithoutSongOrImage();
    void titleIsShownWithAllItsCharacters();
    void saveWritesNothingUnlessEverySlotIsValid();
    void saveNeverWritesBeyondTheEnd();
    void saveRefusesWhenTheFileWasReplaced();
    void failedWritePutsTheRecordBack();
    void slotLabels();
};

void TestSongIndex::profilesMatchTheirGames_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<quint32>("base");
    QTest::addColumn<quint32>("titleOffset");
    QTest::addColumn<QString>("fixedTitle");
    QTest::addColumn<int>("labelBase");
    QTest::newRow("FF5") << "FF5" << 0x43DAAu << 0xFFC0u << "" << 0x20;
    QTest::newRow("SD2") << "SD2" << 0x33F22u << 0xFFC0u << "" << 0x20;
    QTest::newRow("MQ") << "MQ" << 0x6BEA1u << 0x7FC0u << "" << 0x20;
    QTest::newRow("FF4") << "FF4" << 0x2400Fu << 0x7FC0u << "" << 0x40;
    QTest::newRow("FF6") << "FF6" << 0x53F95u << 0xFFC0u << "" << 0x20;
    QTest::newRow("RS2") << "RS2" << 0x44077u << 0xFFC0u << "" << 0x20;
    QTest::newRow("RS3") << "RS3" << 0x610DAu << 0xFFC0u << "" << 0x20;
    QTest::newRow("BSDT") << "BSDT" << 0xC42B6u << 0u << "Dynami Tracer" << 0x20;
    QTest::newRow("BSRD") << "BSRD" << 0xD4250u << 0u << "Radical Dreamers" << 0x20;
    QTest::newRow("BSTC") << "BSTC" << 0xC41A5u << 0u << "Treasure Conflix" << 0x20;
    QTest::newRow("CT") << "CT" << 0x70E11u << 0xFFC0u << "" << 0x20;
}

void TestSongIndex::profilesMatchTheirGames()
{
    QFETCH(QString, token);
    QFETCH(quint32, base);
    QFETCH(quint32, titleOffset);
    QFETCH(QString, fixedTitle);
    QFETCH(int, labelBase);
    const GameProfile *profile = profileFor(token.toStdString());
    QVERIFY(profile);
    QCOMPARE(profile->tableBase, base);
    QCOMPARE(profile->titleOffset, titleOffset);
    QCOMPARE(QString::fromUtf8(profile->fixedTitle.data(), qsizetype(profile->fixedTitle.size())), fixedTitle);
    QCOMPARE(profile->slotLabelBase, labelBase);
    QCOMPARE(profile->optionName, token.toStdString() + "OPT");
    QCOMPARE(profileForOption(profile->optionName), profile);
    QCOMPARE(profile->locksLastSlot, token == u"MQ"_s);
    QCOMPARE(profile->choosesTableByRegion(), token == u"CT"_s);
}

void TestSongIndex::loadShowsEachSlotInItsList_data()
{
    QTest::addColumn<QString>("token");
    for (const GameProfile &profile : GAME_PROFILES) {
        const QByteArray name(profile.token.data(), qsizetype(profile.token.size()));
        QTest::newRow(name.constData()) << QString::fromLatin1(name);
    }
}

void TestSongIndex::loadShowsEachSlotInItsList()
{
    QFETCH(QString, token);
    const GameProfile &profile = *profileFor(token.toStdString());
    TestImage file(1 << 20);
    file.plant(REGION_CODE_OFFSET, 1); // Chrono Trigger: the region-1 table
    const int lastSong = profile.songCount - 1;
    const auto first = plantRecord(file, profile.tableBase, 0, profile.sampleCount);
    const auto last = plantRecord(file, profile.tableBase, lastSong, profile.sampleCount);

    RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    FakeView view(profile);
    view.song.setListIndex(0);
    QVERIFY(!loadSongIndex(profile, image, view).isError());
    QCOMPARE(view.shown(), asPositions(first));
    QVERIFY(view.saveEnabled);

    view.song.setListIndex(lastSong);
    QVERIFY(!loadSongIndex(profile, image, view).isError());
    QCOMPARE(view.shown(), asPositions(last));
    QCOMPARE(view.song.ListIndex(), lastSong); // a load never moves the song selection
}

void TestSongIndex::saveWritesExactlyTheThirteenSlotBytes_data()
{
    loadShowsEachSlotInItsList_data();
}

void TestSongIndex::saveWritesExactlyTheThirteenSlotBytes()
{
    QFETCH(QString, token);
    const GameProfile &profile = *profileFor(token.toStdString());
    TestImage file(1 << 20);
    QByteArray expected(1 << 20, '\0');
    for (int i = 0; i < expected.size(); ++i)
        expected[i] = char(i * 31 + 7); // every byte distinct from its neighbours
    expected[REGION_CODE_OFFSET] = 1;
    file.setContents(expected);

    RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    FakeView view(profile);
    const int song = profile.songCount - 1;
    view.song.setListIndex(song);
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        const int position = (profile.sampleCount - 1 - slot) % profile.sampleCount;
        view.slots_[slot].setListIndex(position);
        expected[slotAt(profile.tableBase, song, slot)] = char(position);
    }
    QVERIFY(!saveSongIndex(profile, image, view).isError());
    QCOMPARE(file.contents(), expected);
    QVERIFY(!saveSongIndex(profile, image, view).isError()); // again: same bytes
    QCOMPARE(file.contents(), expected);

    // What was saved loads back as it was shown.
    FakeView reloaded(profile);
    reloaded.song.setListIndex(song);
    QVERIFY(!loadSongIndex(profile, image, reloaded).isError());
    QCOMPARE(reloaded.shown(), view.shown());
}

void TestSongIndex::chronoTriggerPicksItsTableByRegion_data()
{
    QTest::addColumn<int>("region");
    QTest::addColumn<qint64>("base"); // -1: no table
    QTest::newRow("North America") << 1 << qint64(0x70E11);
    QTest::newRow("Japan") << 0 << qint64(0x70E0B);
    QTest::newRow("2") << 2 << qint64(-1);
    QTest::newRow("0xFF") << 0xFF << qint64(-1);
}

void TestSongIndex::chronoTriggerPicksItsTableByRegion()
{
    QFETCH(int, region);
    QFETCH(qint64, base);
    const GameProfile &ct = game("CT");
    TestImage file(1 << 20);
    file.plant(REGION_CODE_OFFSET, quint8(region));
    // Both tables hold values, 6 bytes apart; the one not chosen must not show.
    plantRecord(file, 0x70E0B, 3, ct.sampleCount);
    const auto northAmerica = plantRecord(file, 0x70E11, 3, ct.sampleCount);
    const QByteArray planted = file.contents();
    std::array<int, SLOT_COUNT> expected{};
    if (base >= 0) {
        for (int slot = 0; slot < SLOT_COUNT; ++slot)
            expected[slot] = quint8(planted[slotAt(base, 3, slot)]);
    }
    if (base == 0x70E11)
        QCOMPARE(expected, asPositions(northAmerica));

    RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    FakeView view(ct);
    view.song.setListIndex(3);
    for (FakeList &list : view.slots_)
        list.setListIndex(5);
    QVERIFY(!loadSongIndex(ct, image, view).isError());
    QCOMPARE(view.shown(), expected); // no table: every slot shows position 0
    QVERIFY(view.saveEnabled);

    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        view.slots_[slot].setListIndex(slot + 1);
    const ImageError error = saveSongIndex(ct, image, view);
    QByteArray after = planted;
    if (base >= 0) {
        QVERIFY(!error.isError());
        for (int slot = 0; slot < SLOT_COUNT; ++slot)
            after[slotAt(base, 3, slot)] = char(slot + 1);
    } else {
        // A save that cannot know where to write says so and writes nothing.
        QCOMPARE(error.kind, ImageError::Kind::Refused);
        QVERIFY(error.message.contains(u"0xFFD9"_s));
    }
    QCOMPARE(file.contents(), after);
}

void TestSongIndex::mysticQuestLocksTheLastSlotAfterEveryLoad()
{
    const GameProfile &mq = game("MQ");
    TestImage file(1 << 20);
    file.plant(slotAt(mq.tableBase, 0, 12), 0x12);
    file.plant(slotAt(mq.tableBase, 1, 4), 0x13); // one past "Wood Block"
    file.plant(slotAt(mq.tableBase, 1, 12), 0x13);
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());

    // The locked slot cannot be mended, so such a song cannot be saved.
    FakeView view(mq);
    view.song.setListIndex(1);
    QVERIFY(!loadSongIndex(mq, image, view).isError());
    QCOMPARE(view.slots_[12].ListIndex(), -1);
    QVERIFY(!view.slotEnabled[12]);
    view.slots_[4].setListIndex(3);
    slotPicked(image, view);
    QVERIFY(!view.saveEnabled);

    view.song.setListIndex(0);
    QVERIFY(!loadSongIndex(mq, image, view).isError());
    QCOMPARE(view.slots_[12].ListIndex(), 0x12);
    QVERIFY(!view.slotEnabled[12]);
    for (int slot = 0; slot < 12; ++slot)
        QVERIFY(view.slotEnabled[slot]);
    QVERIFY(view.saveEnabled);

    // The locked slot is written back all the same.
    view.slots_[0].setListIndex(3);
    QVERIFY(!saveSongIndex(mq, image, view).isError());
    QCOMPARE(quint8(file.contents()[slotAt(mq.tableBase, 0, 12)]), quint8(0x12));
    QCOMPARE(quint8(file.contents()[slotAt(mq.tableBase, 0, 0)]), quint8(3));
}

void TestSongIndex::byteAListCannotShowIsBlankUntilPicked()
{
    const GameProfile &ff5 = game("FF5");
    TestImage file(1 << 20);
    file.plant(0x43DAA, 0x23); // "Clap", the last instrument
    file.plant(0x43DAC, 0x01);
    file.plant(0x43DAE, 0x24); // no instrument has this number
    file.plant(0x43DB0, 0x02);
    file.plant(0x43DC2, 0xFF); // nor this one
    const QByteArray before = file.contents();
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());

    FakeView view(ff5);
    view.song.setListIndex(0);
    for (FakeList &list : view.slots_)
        list.setListIndex(7); // what the previous song showed
    view.saveEnabled = true;
    QVERIFY(!loadSongIndex(ff5, image, view).isError());
    const std::array<int, SLOT_COUNT> expected = {0x23, 0x01, -1, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, -1};
    QCOMPARE(view.shown(), expected);
    QVERIFY(!view.saveEnabled);
    QVERIFY(view.caption.endsWith(u" - "_s + QString(21, QChar(0x00B7))));

    // Even if asked, a blank slot is not saved.
    QCOMPARE(saveSongIndex(ff5, image, view).kind, ImageError::Kind::Refused);
    QCOMPARE(file.contents(), before);

    // Picking an instrument in one blank slot is not enough; in both, it is.
    view.slots_[2].setListIndex(5);
    slotPicked(image, view);
    QVERIFY(!view.saveEnabled);
    view.slots_[12].setListIndex(6);
    slotPicked(image, view);
    QVERIFY(view.saveEnabled);
    QVERIFY(!saveSongIndex(ff5, image, view).isError());
    QByteArray after = before;
    after[0x43DAE] = 5;
    after[0x43DC2] = 6;
    QCOMPARE(file.contents(), after);

    // No image open, or no song selected: picking enables nothing.
    view.saveEnabled = false;
    RomImage closed;
    slotPicked(closed, view);
    QVERIFY(!view.saveEnabled);
    view.song.setListIndex(-1);
    slotPicked(image, view);
    QVERIFY(!view.saveEnabled);
}

void TestSongIndex::nothingHappensWithoutSongOrImage()
{
    for (const GameProfile &profile : GAME_PROFILES) {
        RomImage closed;
        FakeView view(profile);
        view.song.setListIndex(0);
        QVERIFY(!loadSongIndex(profile, closed, view).isError());
        QVERIFY(!saveSongIndex(profile, closed, view).isError());
        // Not even the fixed titles: no image is open to be named.
        QCOMPARE(view.caption, u"untouched"_s);
        QVERIFY(!view.saveEnabled);
        QCOMPARE(view.slots_[0].selections, 0); // no list was touched
    }

    const GameProfile &ff5 = game("FF5");
    TestImage file(1 << 20);
    const QByteArray before = file.contents();
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    FakeView view(ff5);
    view.song.setListIndex(-1); // the 32 bytes before the table belong to no song
    QVERIFY(!loadSongIndex(ff5, image, view).isError());
    QVERIFY(!saveSongIndex(ff5, image, view).isError());
    QCOMPARE(view.caption, u"untouched"_s);
    QCOMPARE(file.contents(), before);
}

void TestSongIndex::titleIsShownWithAllItsCharacters()
{
    TestImage file(1 << 20);
    file.plant(0xFFC0, QByteArray("FINAL FANTASY 5      "));
    file.plant(0x7FC0, QByteArray("MYSTIC\x00QUEST\xB1\xDF\xA1\x80\x7F\x1F\xA0\xE0 ", 21));
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());

    FakeView ff5(game("FF5"));
    ff5.song.setListIndex(0);
    loadSongIndex(game("FF5"), image, ff5);
    QCOMPARE(ff5.caption, loadedCaption(u"FINAL FANTASY 5      "_s));
    QCOMPARE(ff5.caption, u"Veltrano (v0.99) - FINAL FANTASY 5      "_s);

    FakeView mq(game("MQ"));
    mq.song.setListIndex(0);
    loadSongIndex(game("MQ"), image, mq);
    const QString title = mq.caption.mid(QStringLiteral("Veltrano (v0.99) - ").size());
    QCOMPARE(title.size(), 21);
    // Half-width katakana for 0xA1 to 0xDF; a middle dot for every other
    // byte that is not printable ASCII.
    QCOMPARE(title, u"MYSTIC\u00B7QUEST\uFF71\uFF9F\uFF61\u00B7\u00B7\u00B7\u00B7\u00B7 "_s);

    FakeView bsdt(game("BSDT"));
    bsdt.song.setListIndex(0);
    loadSongIndex(game("BSDT"), image, bsdt);
    QCOMPARE(bsdt.caption, u"Veltrano (v0.99) - Dynami Tracer"_s);
}

void TestSongIndex::saveWritesNothingUnlessEverySlotIsValid()
{
    const GameProfile &ff5 = game("FF5");
    TestImage file(1 << 20);
    const QByteArray before = file.contents();
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());

    FakeView view(ff5);
    view.song.setListIndex(0);
    for (FakeList &list : view.slots_)
        list.setListIndex(9);
    view.slots_[6].setListIndex(-1); // nothing selected in Sample07CBO
    const ImageError error = saveSongIndex(ff5, image, view);
    QCOMPARE(error.kind, ImageError::Kind::Refused);
    QVERIFY(error.message.contains(u"$26"_s));
    QCOMPARE(file.contents(), before);

    // A position a byte cannot hold is refused the same way.
    view.slots_[6].fill(300);
    view.slots_[6].setListIndex(256);
    QCOMPARE(saveSongIndex(ff5, image, view).kind, ImageError::Kind::Refused);
    QCOMPARE(file.contents(), before);
    view.slots_[6].setListIndex(255);
    QVERIFY(!saveSongIndex(ff5, image, view).isError());
    QCOMPARE(quint8(file.contents()[0x43DAA + 12]), quint8(255));
}

void TestSongIndex::saveNeverWritesBeyondTheEnd()
{
    const GameProfile &ff5 = game("FF5");
    // Refused while the last slot byte (record byte 24) lies at or past the end.
    for (const qint64 size : {qint64(0), qint64(0x43DAA), qint64(0x43DAA + 24)}) {
        TestImage file(size);
        RomImage image;
        QVERIFY(!image.open(file.path()).isError());
        FakeView view(ff5);
        view.song.setListIndex(0);
        for (FakeList &list : view.slots_)
            list.setListIndex(4);
        const ImageError error = saveSongIndex(ff5, image, view);
        QCOMPARE(error.kind, ImageError::Kind::OutsideImage);
        QCOMPARE(file.contents(), QByteArray(size, '\0'));
    }
    // A file that ends right after it is saved, and keeps its length.
    TestImage cut(0x43DAA + 25);
    RomImage image;
    QVERIFY(!image.open(cut.path()).isError());
    FakeView view(ff5);
    view.song.setListIndex(0);
    for (FakeList &list : view.slots_)
        list.setListIndex(4);
    QVERIFY(!saveSongIndex(ff5, image, view).isError());
    QByteArray expected(0x43DAA + 25, '\0');
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        expected[slotAt(ff5.tableBase, 0, slot)] = 4;
    QCOMPARE(cut.contents(), expected);
}

void TestSongIndex::saveRefusesWhenTheFileWasReplaced()
{
    const GameProfile &ff5 = game("FF5");
    TestImage file(1 << 20);
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    QVERIFY(QFile::rename(file.path(), file.path() + u".old"_s));
    file.setContents(QByteArray(1 << 20, '\0'));

    FakeView view(ff5);
    view.song.setListIndex(0);
    for (FakeList &list : view.slots_)
        list.setListIndex(3);
    QCOMPARE(saveSongIndex(ff5, image, view).kind, ImageError::Kind::Replaced);
    QCOMPARE(file.contents(), QByteArray(1 << 20, '\0'));
}

namespace {
// Write calls numbered from 0; the ones from failFrom to failUntil fail.
int g_calls = 0;
int g_failFrom = 0;
int g_failUntil = 0;
ssize_t writeThenFail(int fd, const void *buffer, size_t count, off_t offset)
{
    const int call = g_calls++;
    if (call < g_failFrom || call > g_failUntil)
        return ::pwrite(fd, buffer, count, offset);
    errno = ENOSPC;
    return -1;
}
} // namespace

void TestSongIndex::failedWritePutsTheRecordBack()
{
    const GameProfile &ff5 = game("FF5");
    TestImage file(1 << 20);
    plantRecord(file, ff5.tableBase, 2, ff5.sampleCount);
    const QByteArray before = file.contents();
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    FakeView view(ff5);
    view.song.setListIndex(2);
    for (FakeList &list : view.slots_)
        list.setListIndex(30);

    // Slots 0 to 5 go out, slot 6 fails, then the six bytes are put back.
    g_calls = 0;
    g_failFrom = g_failUntil = 6;
    RomImage::setWriteFunctionForTests(writeThenFail);
    const ImageError error = saveSongIndex(ff5, image, view);
    RomImage::setWriteFunctionForTests(nullptr);
    QCOMPARE(error.kind, ImageError::Kind::Write);
    QVERIFY(error.message.contains(file.path()));
    QVERIFY(error.message.contains(u"left as it was"_s));
    QCOMPARE(file.contents(), before);

    // When putting them back fails too, the user hears of it.
    g_calls = 0;
    g_failFrom = 6;
    g_failUntil = 1000;
    RomImage::setWriteFunctionForTests(writeThenFail);
    const ImageError worse = saveSongIndex(ff5, image, view);
    RomImage::setWriteFunctionForTests(nullptr);
    QCOMPARE(worse.kind, ImageError::Kind::Write);
    QVERIFY(worse.message.contains(u"may be damaged"_s));
}

void TestSongIndex::slotLabels()
{
    QCOMPARE(slotLabel(0x20, 0), u"$20"_s);
    QCOMPARE(slotLabel(0x20, 10), u"$2A"_s);
    QCOMPARE(slotLabel(0x20, 12), u"$2C"_s);
    QCOMPARE(slotLabel(0x40, 12), u"$4C"_s);
}

QTEST_GUILESS_MAIN(TestSongIndex)
#include "tst_songindex.moc"
