#include <optional>

#include <QTest>

#include "games/romimage.h"
#include "games/songexport.h"
#include "tests/testimage.h"

using namespace Qt::StringLiterals;
using games::ImageError;

namespace {

constexpr qint64 POINTER_TABLE = 0x54096;
constexpr qint64 HEADER = 512;
constexpr qint64 BANK_C0 = 0xC00000;
constexpr qint64 IMAGE_SIZE = 0x60000;

// An image of size bytes in a recognisable pattern, with song's 3-byte pointer
// and the 2-byte length field it leads to written wherever they fit.
QByteArray songImage(qint64 size, int song, qint64 pointer, int length)
{
    QByteArray bytes(size, '\0');
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + 3) & 0xFF);
    const qint64 entry = POINTER_TABLE + 3 * qint64(song);
    for (int i = 0; i < 3; ++i) {
        if (entry + i >= 0 && entry + i < size)
            bytes[entry + i] = char((pointer >> (8 * i)) & 0xFF);
    }
    const qint64 field = pointer - BANK_C0 + HEADER;
    for (int i = 0; i < 2; ++i) {
        if (field >= 0 && field + i < size)
            bytes[field + i] = char((length >> (8 * i)) & 0xFF);
    }
    return bytes;
}

} // namespace

class TestSongExport : public QObject
{
    Q_OBJECT

private slots:
    void hexToLong_data();
    void hexToLong();
    void exportSong_data();
    void exportSong();
    void songTwoOffsets();
    void exportWithoutImage();
};

void TestSongExport::hexToLong_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint32>>("expected");

    const std::optional<qint32> overflow;
    QTest::newRow("empty") << QString() << std::optional<qint32>(0);
    QTest::newRow("prefix alone") << u"&h"_s << std::optional<qint32>(0);
    QTest::newRow("upper case") << u"FF"_s << std::optional<qint32>(255);
    QTest::newRow("lower case") << u"ff"_s << std::optional<qint32>(255);
    QTest::newRow("with prefix") << u"&hFF"_s << std::optional<qint32>(255);
    QTest::newRow("minus adds nothing") << u"-5"_s << std::optional<qint32>(5);
    QTest::newRow("blank counts as a place") << u"1 2"_s << std::optional<qint32>(258);
    QTest::newRow("letter past F counts as a place") << u"12G"_s << std::optional<qint32>(288);
    QTest::newRow("song pointer") << u"&hC20105"_s << std::optional<qint32>(0xC20105);
    QTest::newRow("leading zeros beyond eight places") << u"000000000000FF"_s << std::optional<qint32>(255);
    QTest::newRow("largest") << u"7FFFFFFF"_s << std::optional<qint32>(0x7FFFFFFF);
    QTest::newRow("first digit 8") << u"80000000"_s << overflow;
    QTest::newRow("all F") << u"FFFFFFFF"_s << overflow;
    QTest::newRow("nine places") << u"100000000"_s << overflow;
    QTest::newRow("32767 blanks") << QString(32767, u' ') << std::optional<qint32>(0);
    QTest::newRow("32768 characters") << QString(32768, u' ') << overflow;
}

void TestSongExport::hexToLong()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint32>, expected);
    QCOMPARE(games::HexToLong(text), expected);
}

void TestSongExport::exportSong_data()
{
    QTest::addColumn<int>("song");
    QTest::addColumn<qint64>("imageSize");
    QTest::addColumn<qint64>("pointer");
    QTest::addColumn<int>("length");
    QTest::addColumn<ImageError::Kind>("failure");

    constexpr auto OK = ImageError::Kind::None;
    constexpr auto REFUSED = ImageError::Kind::Refused;
    constexpr auto OUTSIDE = ImageError::Kind::OutsideImage;

    // Pointer bytes 05 01 C2: "&hC20105", length field at 0x20305.
    QTest::newRow("song 2, 128 bytes") << 2 << IMAGE_SIZE << qint64(0xC20105) << 128 << OK;
    QTest::newRow("song 0") << 0 << IMAGE_SIZE << qint64(0xC10000) << 4 << OK;
    QTest::newRow("empty song") << 5 << IMAGE_SIZE << qint64(0xC00000) << 0 << OK;
    QTest::newRow("longest song") << 1 << IMAGE_SIZE << qint64(0xC30000) << 32765 << OK;
    QTest::newRow("block ends at the end of the file")
        << 1 << qint64(0x60000 + HEADER + 2 + 100) << qint64(0xC60000) << 100 << OK;
    QTest::newRow("largest song number") << 10922 << IMAGE_SIZE << qint64(0xC00000) << 16 << OK;
    QTest::newRow("pointer is the last three bytes")
        << 2 << POINTER_TABLE + 9 << qint64(0xC00000) << 16 << OK;

    QTest::newRow("no song selected") << -1 << IMAGE_SIZE << qint64(0xC00000) << 16 << REFUSED;
    QTest::newRow("3 * song passes 16 bits") << 10923 << IMAGE_SIZE << qint64(0xC00000) << 16 << REFUSED;
    QTest::newRow("pointer below bank C0") << 2 << IMAGE_SIZE << qint64(0xBFFFFF) << 16 << REFUSED;
    QTest::newRow("negative length") << 2 << IMAGE_SIZE << qint64(0xC20105) << 0xFFFF << REFUSED;
    QTest::newRow("length 32766") << 2 << IMAGE_SIZE << qint64(0xC20105) << 32766 << REFUSED;
    QTest::newRow("pointer past the end") << 3 << POINTER_TABLE + 10 << qint64(0xC00000) << 16 << OUTSIDE;
    QTest::newRow("length field past the end") << 2 << IMAGE_SIZE << qint64(0xC60000) << 16 << OUTSIDE;
    QTest::newRow("block one byte past the end")
        << 1 << qint64(0x60000 + HEADER + 2 + 99) << qint64(0xC60000) << 100 << OUTSIDE;
}

void TestSongExport::exportSong()
{
    QFETCH(int, song);
    QFETCH(qint64, imageSize);
    QFETCH(qint64, pointer);
    QFETCH(int, length);
    QFETCH(ImageError::Kind, failure);

    const QByteArray bytes = songImage(imageSize, song, pointer, length);
    TestImage file(0);
    file.setContents(bytes);
    games::RomImage image;
    QVERIFY(!image.open(file.path()).isError());

    const games::SongExport taken = games::exportSong(image, song);
    QCOMPARE(taken.error.kind, failure);
    if (failure != ImageError::Kind::None) {
        QVERIFY(taken.block.isEmpty());
        QVERIFY(!taken.error.reason.isEmpty());
        QVERIFY(!taken.error.message.isEmpty());
        return;
    }
    // The length field and the bytes it counts, from the pointer's offset
    // within bank C0 behind the 512-byte header.
    const qint64 start = pointer - BANK_C0 + HEADER;
    QCOMPARE(taken.block.size(), length + 2);
    QCOMPARE(taken.block, bytes.mid(start, length + 2));
}

void TestSongExport::songTwoOffsets()
{
    // Written by hand, so that a wrong offset cannot hide in a shared formula.
    QByteArray bytes(IMAGE_SIZE, '\x11');
    const auto put = [&bytes](qint64 offset, std::initializer_list<quint8> values) {
        for (const quint8 value : values)
            bytes[offset++] = char(value);
    };
    put(0x54096, {0x00, 0x00, 0xC1}); // song 0
    put(0x54099, {0x00, 0x00, 0xC3}); // song 1
    put(0x5409C, {0x05, 0x01, 0xC2}); // song 2: &hC20105
    put(0x5409F, {0x00, 0x00, 0xC4}); // song 3
    put(0x20305, {0x80, 0x00});       // 128 bytes of song data follow
    put(0x20307, {0xAB});
    put(0x20386, {0xCD}); // the last of the 128
    put(0x20387, {0xEF}); // the first byte after the block

    TestImage file(0);
    file.setContents(bytes);
    games::RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    const games::SongExport taken = games::exportSong(image, 2);
    QVERIFY(!taken.error.isError());
    QCOMPARE(taken.block.size(), 130);
    QCOMPARE(quint8(taken.block.at(0)), quint8(0x80));
    QCOMPARE(quint8(taken.block.at(1)), quint8(0x00));
    QCOMPARE(quint8(taken.block.at(2)), quint8(0xAB));
    QCOMPARE(quint8(taken.block.back()), quint8(0xCD));
}

void TestSongExport::exportWithoutImage()
{
    const games::RomImage image;
    const games::SongExport taken = games::exportSong(image, 0);
    QVERIFY(taken.block.isEmpty());
    QCOMPARE(taken.error.kind, ImageError::Kind::NotOpen);
}

QTEST_GUILESS_MAIN(TestSongExport)
#include "tst_songexport.moc"
