#include <array>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTest>

#include "games/romimage.h"
#include "tests/testimage.h"

using namespace Qt::StringLiterals;
using games::ImageError;
using games::RomImage;

class TestRomImage : public QObject
{
    Q_OBJECT

private slots:
    void opensExistingFileWithoutChangingIt();
    void refusesWhatItCannotOpen_data();
    void refusesWhatItCannotOpen();
    void failedOpenKeepsThePreviousImage();
    void readsBeyondTheEndAsZeros();
    void readsLittleEndianSignedNumbers();
    void writesOneByteInPlace();
    void neverWritesAtOrPastTheEnd();
    void operationsFailWhenNothingIsOpen();
    void noticesWhenThePathNamesAnotherFile_data();
    void noticesWhenThePathNamesAnotherFile();
    void reportsAFailingWrite();
};

void TestRomImage::opensExistingFileWithoutChangingIt()
{
    TestImage file(4096);
    file.plant(100, 0x5A);
    const QByteArray before = file.contents();
    {
        RomImage image;
        QVERIFY(!image.open(file.path()).isError());
        QVERIFY(image.isOpen());
        QCOMPARE(image.path(), file.path());
        QCOMPARE(image.size(), 4096);
    }
    QCOMPARE(file.contents(), before);
}

void TestRomImage::refusesWhatItCannotOpen_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("missing") << "missing";
    QTest::newRow("directory") << "directory";
    QTest::newRow("read-only") << "read-only";
    QTest::newRow("fifo") << "fifo";
    QTest::newRow("empty path") << "empty";
}

void TestRomImage::refusesWhatItCannotOpen()
{
    QFETCH(QString, what);
    TestImage file(1024);
    QString path;
    if (what == u"missing"_s) {
        path = file.folder() + u"/nothing here.smc"_s;
    } else if (what == u"directory"_s) {
        path = file.folder();
    } else if (what == u"read-only"_s) {
        if (::geteuid() == 0)
            QSKIP("root may write any file; the read-only case runs as an ordinary user");
        path = file.path();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    } else if (what == u"fifo"_s) {
        path = file.folder() + u"/pipe"_s;
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }

    RomImage image;
    const ImageError error = image.open(path);
    QCOMPARE(error.kind, ImageError::Kind::Open);
    QVERIFY(!image.isOpen());
    QVERIFY(!error.reason.isEmpty());
    if (!path.isEmpty())
        QVERIFY2(error.message.contains(path), qPrintable(error.message));
    if (what == u"missing"_s)
        QVERIFY(!QFile::exists(path)); // never created
}

void TestRomImage::failedOpenKeepsThePreviousImage()
{
    TestImage first(64);
    RomImage image;
    QVERIFY(!image.open(first.path()).isError());
    QVERIFY(image.open(first.folder() + u"/gone.smc"_s).isError());
    QVERIFY(image.isOpen());
    QCOMPARE(image.path(), first.path());
}

void TestRomImage::readsBeyondTheEndAsZeros()
{
    TestImage file(10);
    file.setContents(QByteArray("0123456789"));
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());

    std::array<quint8, 6> bytes;
    bytes.fill(0xEE);
    QVERIFY(!image.read(7, bytes).isError());
    QCOMPARE(bytes, (std::array<quint8, 6>{'7', '8', '9', 0, 0, 0}));

    quint8 byte = 0xEE;
    QVERIFY(!image.readByte(1 << 30, byte).isError());
    QCOMPARE(byte, quint8(0));
    QCOMPARE(image.read(-1, bytes).kind, ImageError::Kind::Read);
}

void TestRomImage::readsLittleEndianSignedNumbers()
{
    TestImage file(8);
    file.plant(2, QByteArray("\x80\x00\xFF\xFF\x34", 5));
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    qint16 value = 0;
    QVERIFY(!image.readInt16(2, value).isError());
    QCOMPARE(value, qint16(128));
    QVERIFY(!image.readInt16(4, value).isError());
    QCOMPARE(value, qint16(-1));
    QVERIFY(!image.readInt16(7, value).isError()); // high byte beyond the end
    QCOMPARE(value, qint16(0));
}

void TestRomImage::writesOneByteInPlace()
{
    TestImage file(256);
    QByteArray expected = file.contents();
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    QVERIFY(!image.writeByte(0x41, 0xAB).isError());
    QVERIFY(!image.writeByte(255, 0x01).isError());
    expected[0x41] = char(0xAB);
    expected[255] = 0x01;
    // Nothing is held back: another reader sees the bytes at once.
    QCOMPARE(file.contents(), expected);
}

void TestRomImage::neverWritesAtOrPastTheEnd()
{
    TestImage file(256);
    const QByteArray before = file.contents();
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    QCOMPARE(image.writeByte(256, 1).kind, ImageError::Kind::OutsideImage);
    QCOMPARE(image.writeByte(1 << 20, 1).kind, ImageError::Kind::OutsideImage);
    QCOMPARE(image.writeByte(-1, 1).kind, ImageError::Kind::OutsideImage);
    QCOMPARE(file.contents(), before);
}

void TestRomImage::operationsFailWhenNothingIsOpen()
{
    RomImage image;
    quint8 byte = 0;
    qint16 number = 0;
    QCOMPARE(image.readByte(0, byte).kind, ImageError::Kind::NotOpen);
    QCOMPARE(image.readInt16(0, number).kind, ImageError::Kind::NotOpen);
    QCOMPARE(image.writeByte(0, 0).kind, ImageError::Kind::NotOpen);
    QCOMPARE(image.checkStillAtPath().kind, ImageError::Kind::NotOpen);
    QCOMPARE(image.size(), -1);
    image.close(); // closing with nothing open is harmless
}

void TestRomImage::noticesWhenThePathNamesAnotherFile_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("deleted") << "deleted";
    QTest::newRow("moved") << "moved";
    QTest::newRow("replaced") << "replaced";
}

void TestRomImage::noticesWhenThePathNamesAnotherFile()
{
    QFETCH(QString, change);
    TestImage file(128);
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    QVERIFY(!image.checkStillAtPath().isError());

    if (change == u"deleted"_s) {
        QVERIFY(QFile::remove(file.path()));
    } else if (change == u"moved"_s) {
        QVERIFY(QFile::rename(file.path(), file.path() + u".bak"_s));
    } else {
        // What an editor that saves through a new file does.
        const QString fresh = file.path() + u".new"_s;
        QFile copy(fresh);
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write(QByteArray(128, '\0'));
        copy.close();
        QVERIFY(::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(file.path()).constData()) == 0);
    }
    const ImageError error = image.checkStillAtPath();
    QCOMPARE(error.kind, ImageError::Kind::Replaced);
    QVERIFY(error.message.contains(file.path()));
}

namespace {
ssize_t failingWrite(int, const void *, size_t, off_t)
{
    errno = EIO;
    return -1;
}
} // namespace

void TestRomImage::reportsAFailingWrite()
{
    TestImage file(128);
    const QByteArray before = file.contents();
    RomImage image;
    QVERIFY(!image.open(file.path()).isError());
    RomImage::setWriteFunctionForTests(failingWrite);
    const ImageError error = image.writeByte(3, 9);
    RomImage::setWriteFunctionForTests(nullptr);
    QCOMPARE(error.kind, ImageError::Kind::Write);
    QVERIFY(error.message.contains(file.path()));
    QVERIFY(error.message.contains(QString::fromLocal8Bit(std::strerror(EIO))));
    QCOMPARE(file.contents(), before);
}

QTEST_GUILESS_MAIN(TestRomImage)
#include "tst_romimage.moc"
