// Bad input through the real main window: files that cannot be opened, files
// too short or too long, images with a copier header, odd paths, files taken
// away while open and writes the operating system refuses. Whatever happens,
// the user gets a message naming the file, the file keeps every byte it had
// (apart from a save's thirteen slot bytes) and the window stays usable.

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "games/gameprofile.h"
#include "games/romimage.h"
#include "games/songindex.h"
#include "main/form1.h"
#include "main/listcombo.h"
#include "tests/testimage.h"
#include "tests/testwindow.h"

using namespace Qt::StringLiterals;
using games::GameProfile;
using games::SLOT_COUNT;

namespace {

QString tokenText(const GameProfile &profile)
{
    return QString::fromLatin1(profile.token.data(), qsizetype(profile.token.size()));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

// Bytes that are never zero and never a valid slot value by accident, so a
// stray write or a read from the wrong place shows.
QByteArray noise(qint64 size, int seed)
{
    QByteArray bytes(size, '\0');
    quint32 state = 0x9E3779B9u ^ quint32(seed);
    for (char &byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = char(0x80 | (state >> 24));
    }
    return bytes;
}

// Valid slot values for a song's record, different for each slot.
std::array<int, SLOT_COUNT> validValues(const GameProfile &profile, int seed)
{
    std::array<int, SLOT_COUNT> values{};
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        values[slot] = (slot * 3 + seed) % profile.sampleCount;
    return values;
}


// After a failure and its message are gone, the window still opens an image,
// shows a song and saves it.
void verifyStillUsable(Window &window)
{
    window.closeMessages();
    QVERIFY(window.messages().isEmpty());
    const GameProfile &ff5 = game("FF5");
    TestImage good(1 << 20);
    window.choose(game("SD2"), QString()); // whatever game was set, FF5 is a new choice
    window.choose(ff5, good.path());
    QVERIFY(window.form.image().isOpen());
    window.form.SongIndexCBO->setCurrentIndex(2);
    const std::array<int, SLOT_COUNT> values = validValues(ff5, 7);
    window.pick(values);
    QVERIFY(window.form.SaveROMCMD->isEnabled());
    window.form.SaveROMCMD->click();
    QCOMPARE(window.message(), QString());
    QByteArray expected(1 << 20, '\0');
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        expected[slotAt(ff5.tableBase, 2, slot)] = char(values[slot]);
    QCOMPARE(good.contents(), expected);
}

#define VERIFY_STILL_USABLE(window)                                                                                   \
    do {                                                                                                              \
        verifyStillUsable(window);                                                                                    \
        if (QTest::currentTestFailed())                                                                               \
            return;                                                                                                   \
    } while (false)

// The message names the file as the user knows it.
#define VERIFY_MESSAGE_NAMES(window, path)                                                                            \
    do {                                                                                                              \
        const QString shownText = (window).message();                                                                \
        QVERIFY2(shownText.contains(QDir::toNativeSeparators(path)),                                                  \
                 qPrintable(u"message: \""_s + shownText + u"\", file: "_s + (path)));                                \
    } while (false)

// Writes that fail as the test says: the calls are counted from 1.
struct FailingWrites {
    static inline int calls = 0;
    static inline int failAt = 0;      // the first call that fails
    static inline int failUntil = 0;   // the last call that fails
    static inline int error = EIO;     // errno of a failing call; 0: it writes nothing

    static ssize_t write(int fd, const void *buffer, size_t count, off_t offset)
    {
        ++calls;
        if (calls < failAt || calls > failUntil)
            return ::pwrite(fd, buffer, count, offset);
        if (error == 0)
            return 0;
        errno = error;
        return -1;
    }
};

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void unopenablePathIsReported_data();
    void unopenablePathIsReported();
    void readOnlyFileIsRefusedAtOpen();
    void shortFileLoadsZerosAndRefusesSaves_data();
    void shortFileLoadsZerosAndRefusesSaves();
    void chronoTriggerWithoutATableRefusesSaves();
    void copierHeaderSaveWritesOnlyTheHeaderlessRecord();
    void largeSparseFileKeepsItsLengthAndOtherBytes();
    void pathWithSpacesAndNonAsciiCharacters();
    void fileTakenAwayWhileOpenIsNotWritten_data();
    void fileTakenAwayWhileOpenIsNotWritten();
    void failedWriteIsReportedAndRolledBack_data();
    void failedWriteIsReportedAndRolledBack();
};

void TestBadInput::cleanup()
{
    games::RomImage::setWriteFunctionForTests(nullptr);
}

void TestBadInput::unopenablePathIsReported_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << u"missing"_s;
    QTest::newRow("missing folder") << u"missing folder"_s;
    QTest::newRow("directory") << u"directory"_s;
    QTest::newRow("file used as a folder") << u"not a folder"_s;
    QTest::newRow("symbolic link loop") << u"loop"_s;
    QTest::newRow("dangling symbolic link") << u"dangling"_s;
    QTest::newRow("fifo") << u"fifo"_s;
    QTest::newRow("character device") << u"device"_s;
}

// Each of these fails to open: the message names the path, no image is open,
// nothing is created or changed, and the window goes on working.
void TestBadInput::unopenablePathIsReported()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString other = dir.filePath(u"other.smc"_s);
    QVERIFY(QFile(other).open(QIODevice::WriteOnly));
    QString path;
    if (kind == u"missing"_s) {
        path = dir.filePath(u"no such image.smc"_s);
    } else if (kind == u"missing folder"_s) {
        path = dir.filePath(u"no such folder/image.smc"_s);
    } else if (kind == u"directory"_s) {
        path = dir.path();
    } else if (kind == u"not a folder"_s) {
        path = other + u"/image.smc"_s;
    } else if (kind == u"loop"_s) {
        path = dir.filePath(u"loop.smc"_s);
        QVERIFY(QFile::link(path, path));
    } else if (kind == u"dangling"_s) {
        path = dir.filePath(u"dangling.smc"_s);
        QVERIFY(QFile::link(dir.filePath(u"gone.smc"_s), path));
    } else if (kind == u"fifo"_s) {
        path = dir.filePath(u"pipe.smc"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        path = u"/dev/null"_s;
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);

    Window window;
    window.choose(game("FF6"), path);
    QVERIFY(!window.form.image().isOpen());
    QCOMPARE(window.messages().size(), 1);
    VERIFY_MESSAGE_NAMES(window, path);
    QCOMPARE(window.messages().front()->windowModality(), Qt::WindowModal);
    QVERIFY(!window.form.SaveROMCMD->isEnabled());
    QVERIFY(!window.form.SongIndexCBO->isEnabled());
    // A save now (the hidden menu's entry stays enabled) has nothing to write to.
    window.closeMessages();
    window.form.mnuSaveROM->trigger();
    QVERIFY(window.messages().isEmpty());

    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), before);
    QCOMPARE(QFileInfo(other).size(), 0);
    VERIFY_STILL_USABLE(window);
}

// A file the user may read but not write. Root may write any file, so under
// root the open runs in a child process that has become "nobody" (uid and gid
// 65534): the child has no window (a forked Qt GUI is not safe), so it checks
// the image access the window relies on, and the parent checks the file. As
// any other user the file is simply made read-only and opened through the window.
void TestBadInput::readOnlyFileIsRefusedAtOpen()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"read only.smc"_s);
    const QByteArray content = noise(1 << 20, 1);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    if (::geteuid() != 0) {
        Window window;
        window.choose(game("RS3"), path);
        QVERIFY(!window.form.image().isOpen());
        VERIFY_MESSAGE_NAMES(window, path);
        QCOMPARE(readFile(path), content);
        VERIFY_STILL_USABLE(window);
        return;
    }

    // Let "nobody" reach the file: the folder is root's and private.
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                  | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                                                  | QFile::ExeOther));
    const QByteArray name = QFile::encodeName(path);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        // Exit codes: 0 refused as expected, 10 + n the n-th check failed.
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(10);
        const int readable = ::open(name.constData(), O_RDONLY);
        if (readable < 0)
            ::_exit(11); // not a read-only file for this user, but an unreachable one
        ::close(readable);
        games::RomImage image;
        const games::ImageError error = image.open(path);
        if (error.kind != games::ImageError::Kind::Open)
            ::_exit(12);
        if (!error.message.contains(path) || error.reason.isEmpty())
            ::_exit(13);
        if (image.isOpen())
            ::_exit(14);
        ::_exit(0);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readFile(path), content);
    QCOMPARE(QFileInfo(path).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther),
             QFile::Permissions());
}

void TestBadInput::shortFileLoadsZerosAndRefusesSaves_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("length"); // "empty", "before table" or "record cut"
    for (const GameProfile &profile : games::GAME_PROFILES) {
        const QString token = tokenText(profile);
        for (const QString &length : {u"empty"_s, u"before table"_s, u"record cut"_s})
            QTest::newRow(qPrintable(token + u' ' + length)) << token << length;
    }
}

// The file ends before the song's record does. A load shows the bytes the file
// has and zero for the rest; a save is refused with a message and the file
// keeps its length and bytes.
void TestBadInput::shortFileLoadsZerosAndRefusesSaves()
{
    QFETCH(QString, token);
    QFETCH(QString, length);
    const GameProfile &profile = *games::profileFor(token.toStdString());
    const int song = 3;
    // The record that loads: Chrono Trigger takes the region-1 table where the
    // file reaches 0xFFD9 and the region-0 table where it reads zero there.
    const qint64 regionOneRecord = slotAt(profile.tableBase, song, 0);

    QByteArray content;
    std::array<int, SLOT_COUNT> expected{};
    if (length == u"before table"_s) {
        // Ends just before the first byte of the table (and of Chrono Trigger's
        // other one); any title lies inside it.
        const qint64 firstTable = std::min<qint64>(profile.tableBase, profile.japanTableBase.value_or(profile.tableBase));
        content = QByteArray(firstTable, '\x01');
        content.replace(0xFFC0, 21, "A TITLE INSIDE 0xFFC0");
        content[games::REGION_CODE_OFFSET] = 1;
    } else if (length == u"record cut"_s) {
        // Ends 15 bytes into the record: slots 0 to 7 inside, 8 to 12 beyond.
        content = QByteArray(regionOneRecord + 15, '\x02');
        content[games::REGION_CODE_OFFSET] = 1;
        for (int slot = 0; slot < SLOT_COUNT; ++slot) {
            expected[slot] = slotAt(profile.tableBase, song, slot) < content.size() ? 5 + slot : 0;
            if (expected[slot])
                content[slotAt(profile.tableBase, song, slot)] = char(expected[slot]);
        }
    }
    TestImage file(0);
    file.setContents(content);

    Window window;
    window.choose(profile, file.path());
    QVERIFY(window.form.image().isOpen());
    QVERIFY(window.messages().isEmpty());
    window.form.SongIndexCBO->setCurrentIndex(song);
    QVERIFY(window.messages().isEmpty());
    QCOMPARE(window.shown(), expected);
    QVERIFY(window.form.SaveROMCMD->isEnabled());

    std::array<int, SLOT_COUNT> wanted = validValues(profile, 1);
    if (profile.locksLastSlot)
        wanted[SLOT_COUNT - 1] = window.form.sampleList(SLOT_COUNT - 1)->ListIndex();
    window.pick(wanted);
    window.form.SaveROMCMD->click();
    QCOMPARE(window.messages().size(), 1);
    VERIFY_MESSAGE_NAMES(window, file.path());
    QVERIFY2(window.message().contains(u"beyond the end"_s), qPrintable(window.message()));
    QCOMPARE(file.contents(), content);
    QCOMPARE(QFileInfo(file.path()).size(), content.size());
    VERIFY_STILL_USABLE(window);
}

// A Chrono Trigger image whose region byte names neither table: every slot
// shows position 0, and a save is refused, naming the file and the byte.
void TestBadInput::chronoTriggerWithoutATableRefusesSaves()
{
    const GameProfile &ct = game("CT");
    QByteArray content = noise(1 << 20, 2);
    content[games::REGION_CODE_OFFSET] = 0x02;
    TestImage file(0);
    file.setContents(content);

    Window window;
    window.choose(ct, file.path());
    window.form.SongIndexCBO->setCurrentIndex(4);
    QCOMPARE(window.shown(), (std::array<int, SLOT_COUNT>{}));
    window.pick(validValues(ct, 3));
    window.form.SaveROMCMD->click();
    VERIFY_MESSAGE_NAMES(window, file.path());
    QVERIFY2(window.message().contains(u"0x02"_s), qPrintable(window.message()));
    QCOMPARE(file.contents(), content);
    VERIFY_STILL_USABLE(window);
}

// An image with a 512-byte copier header in front: every offset is taken as
// headerless, so the lists show the bytes 512 before the song's real record,
// and a save writes exactly the thirteen slot bytes at the headerless offsets.
void TestBadInput::copierHeaderSaveWritesOnlyTheHeaderlessRecord()
{
    const GameProfile &ff6 = game("FF6");
    const int song = 10;
    const qint64 header = 512;
    QByteArray content = noise(header + (1 << 20), 3);
    // The headerless offsets hold valid values, the real record others.
    const std::array<int, SLOT_COUNT> atHeaderless = validValues(ff6, 5);
    const std::array<int, SLOT_COUNT> atReal = validValues(ff6, 11);
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        content[slotAt(ff6.tableBase, song, slot)] = char(atHeaderless[slot]);
        content[header + slotAt(ff6.tableBase, song, slot)] = char(atReal[slot]);
    }
    TestImage file(0, u"headered.smc"_s);
    file.setContents(content);

    Window window;
    window.choose(ff6, file.path());
    window.form.SongIndexCBO->setCurrentIndex(song);
    QCOMPARE(window.shown(), atHeaderless);

    const std::array<int, SLOT_COUNT> wanted = validValues(ff6, 20);
    window.pick(wanted);
    window.form.SaveROMCMD->click();
    QCOMPARE(window.message(), QString());
    QByteArray expected = content;
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        expected[slotAt(ff6.tableBase, song, slot)] = char(wanted[slot]);
    QCOMPARE(file.contents(), expected);
}

// A 64 MiB image, sparse: a save changes its thirteen bytes and nothing else,
// in particular not the length and not the last bytes.
void TestBadInput::largeSparseFileKeepsItsLengthAndOtherBytes()
{
    const GameProfile &rs2 = game("RS2");
    const qint64 size = qint64(64) << 20;
    const int song = 40;
    TestImage file(0, u"large.sfc"_s);
    {
        QFile image(file.path());
        QVERIFY(image.open(QIODevice::ReadWrite));
        QVERIFY(image.resize(size));
        // The record's neighbourhood and the last 4 KiB hold noise.
        QVERIFY(image.seek(rs2.tableBase - 4096));
        QByteArray around = noise(8192 + 32 * song, 4);
        for (int slot = 0; slot < SLOT_COUNT; ++slot)
            around[4096 + 32 * song + 2 * slot] = char(slot + 1);
        QCOMPARE(image.write(around), around.size());
        QVERIFY(image.seek(size - 4096));
        QCOMPARE(image.write(noise(4096, 5)), qint64(4096));
    }
    const QByteArray before = file.contents();
    QCOMPARE(before.size(), size);

    Window window;
    window.choose(rs2, file.path());
    window.form.SongIndexCBO->setCurrentIndex(song);
    std::array<int, SLOT_COUNT> expectedShown{};
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        expectedShown[slot] = slot + 1;
    QCOMPARE(window.shown(), expectedShown);
    const std::array<int, SLOT_COUNT> wanted = validValues(rs2, 9);
    window.pick(wanted);
    window.form.SaveROMCMD->click();
    QCOMPARE(window.message(), QString());

    QByteArray expected = before;
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        expected[slotAt(rs2.tableBase, song, slot)] = char(wanted[slot]);
    const QByteArray after = file.contents();
    QCOMPARE(after.size(), size);
    QVERIFY(after == expected); // QCOMPARE would print 64 MiB on failure
}

// Spaces and characters beyond ASCII in folder and file name: the file opens,
// saves reach it, and a refused save names it exactly.
void TestBadInput::pathWithSpacesAndNonAsciiCharacters()
{
    const GameProfile &sd2 = game("SD2");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath(u"ROMs and hacks"_s);
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + u"/Ünïcødé ファイル.smc"_s;
    const qint64 size = slotAt(sd2.tableBase, 5, 0) + 32; // song 5 is the last whole record
    QByteArray content = noise(size, 6);
    for (int song : {4, 5})
        for (int slot = 0; slot < SLOT_COUNT; ++slot)
            content[slotAt(sd2.tableBase, song, slot)] = 0;
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), size);
    }
    // On disk the name is UTF-8, as every other program expects it.
    const QByteArray utf8Name = "/\xC3\x9Cn\xC3\xAF"
                                "c\xC3\xB8"
                                "d\xC3\xA9 \xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB.smc";
    QCOMPARE(::access((QFile::encodeName(folder) + utf8Name).constData(), F_OK), 0);

    Window window;
    window.choose(sd2, path);
    QVERIFY(window.form.image().isOpen());
    window.form.SongIndexCBO->setCurrentIndex(5);
    const std::array<int, SLOT_COUNT> wanted = validValues(sd2, 2);
    window.pick(wanted);
    window.form.SaveROMCMD->click();
    QCOMPARE(window.message(), QString());
    QByteArray expected = content;
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        expected[slotAt(sd2.tableBase, 5, slot)] = char(wanted[slot]);
    QCOMPARE(readFile(path), expected);

    window.form.SongIndexCBO->setCurrentIndex(6); // beyond the end
    window.pick(wanted);
    window.form.SaveROMCMD->click();
    VERIFY_MESSAGE_NAMES(window, path);
    QCOMPARE(readFile(path), expected);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
             QStringList{u"Ünïcødé ファイル.smc"_s});
    VERIFY_STILL_USABLE(window);
}

void TestBadInput::fileTakenAwayWhileOpenIsNotWritten_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("deleted") << u"deleted"_s;
    QTest::newRow("moved away") << u"moved"_s;
    QTest::newRow("renamed over") << u"renamed over"_s;
    QTest::newRow("deleted and made anew") << u"made anew"_s;
}

// Between the load and the save another program deletes, moves or replaces
// the file. The save is refused with a message naming it; neither the file
// that was opened nor the one now at its path gets a byte.
void TestBadInput::fileTakenAwayWhileOpenIsNotWritten()
{
    QFETCH(QString, how);
    const GameProfile &ff4 = game("FF4");
    const int song = 6;
    TestImage file(0, u"taken.smc"_s);
    const QByteArray original = noise(1 << 20, 7);
    QByteArray loadable = original;
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        loadable[slotAt(ff4.tableBase, song, slot)] = char(slot);
    file.setContents(loadable);
    // A second name for the opened file, to look at it after it lost its path.
    const QString keep = file.folder() + u"/kept link.smc"_s;
    QCOMPARE(::link(QFile::encodeName(file.path()).constData(), QFile::encodeName(keep).constData()), 0);

    Window window;
    window.choose(ff4, file.path());
    window.form.SongIndexCBO->setCurrentIndex(song);
    window.pick(validValues(ff4, 4));

    const QByteArray replacement = noise(1 << 20, 8);
    const QString moved = file.folder() + u"/moved.smc"_s;
    if (how == u"deleted"_s) {
        QVERIFY(QFile::remove(file.path()));
    } else if (how == u"moved"_s) {
        QVERIFY(QFile::rename(file.path(), moved));
    } else if (how == u"renamed over"_s) {
        const QString other = file.folder() + u"/other.smc"_s;
        QFile newFile(other);
        QVERIFY(newFile.open(QIODevice::WriteOnly));
        QCOMPARE(newFile.write(replacement), replacement.size());
        newFile.close();
        QCOMPARE(::rename(QFile::encodeName(other).constData(), QFile::encodeName(file.path()).constData()), 0);
    } else {
        QVERIFY(QFile::remove(file.path()));
        file.setContents(replacement);
    }

    window.form.SaveROMCMD->click();
    QCOMPARE(window.messages().size(), 1);
    VERIFY_MESSAGE_NAMES(window, file.path());
    QCOMPARE(readFile(keep), loadable);
    if (how == u"moved"_s)
        QCOMPARE(readFile(moved), loadable);
    if (how == u"renamed over"_s || how == u"made anew"_s)
        QCOMPARE(readFile(file.path()), replacement);
    else
        QVERIFY(!QFileInfo::exists(file.path()));
    VERIFY_STILL_USABLE(window);
}

void TestBadInput::failedWriteIsReportedAndRolledBack_data()
{
    QTest::addColumn<int>("failAt");
    QTest::addColumn<int>("failUntil");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("saved");    // the save succeeded after all
    QTest::addColumn<bool>("restored"); // the record is as it was
    QTest::addColumn<QString>("reason");
    QTest::newRow("first write fails") << 1 << 1 << EIO << false << true << u"Input/output error"_s;
    QTest::newRow("fifth write fails") << 5 << 5 << EIO << false << true << u"Input/output error"_s;
    QTest::newRow("last write fails") << 13 << 13 << ENOSPC << false << true << u"No space left on device"_s;
    QTest::newRow("fifth write writes nothing") << 5 << 5 << 0 << false << true << u"Nothing was written"_s;
    QTest::newRow("fifth write interrupted") << 5 << 5 << EINTR << true << false << QString();
    QTest::newRow("every write from the fifth fails")
        << 5 << 1000 << EIO << false << false << u"may be damaged"_s;
}

// The operating system refuses a write part-way through a save: the user is
// told, with the file and the reason, and the record is put back as it was.
// When even putting it back fails, the message says the record may be damaged.
void TestBadInput::failedWriteIsReportedAndRolledBack()
{
    QFETCH(int, failAt);
    QFETCH(int, failUntil);
    QFETCH(int, error);
    QFETCH(bool, saved);
    QFETCH(bool, restored);
    QFETCH(QString, reason);
    const GameProfile &mq = game("MQ");
    const int song = 12;
    TestImage file(0);
    QByteArray content = noise(1 << 20, 9);
    const std::array<int, SLOT_COUNT> old = validValues(mq, 1);
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        content[slotAt(mq.tableBase, song, slot)] = char(old[slot]);
    file.setContents(content);

    Window window;
    window.choose(mq, file.path());
    window.form.SongIndexCBO->setCurrentIndex(song);
    QCOMPARE(window.shown(), old);
    std::array<int, SLOT_COUNT> wanted = validValues(mq, 6);
    wanted[SLOT_COUNT - 1] = old[SLOT_COUNT - 1]; // the last slot is locked
    window.pick(wanted);

    FailingWrites::calls = 0;
    FailingWrites::failAt = failAt;
    FailingWrites::failUntil = failUntil;
    FailingWrites::error = error;
    games::RomImage::setWriteFunctionForTests(&FailingWrites::write);
    window.form.SaveROMCMD->click();
    games::RomImage::setWriteFunctionForTests(nullptr);

    QByteArray written = content;
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        written[slotAt(mq.tableBase, song, slot)] = char(wanted[slot]);
    const QByteArray after = file.contents();
    QCOMPARE(after.size(), content.size());
    if (saved) {
        QCOMPARE(window.message(), QString());
        QVERIFY(after == written);
        return;
    }
    QCOMPARE(window.messages().size(), 1);
    VERIFY_MESSAGE_NAMES(window, file.path());
    QVERIFY2(window.message().contains(reason), qPrintable(window.message()));
    if (restored) {
        QVERIFY2(window.message().contains(u"left as it was"_s), qPrintable(window.message()));
        QVERIFY(after == content);
    } else {
        // The writes before the failing one went through and could not be undone;
        // no byte outside the record's slots changed.
        QByteArray partly = content;
        for (int slot = 0; slot < failAt - 1; ++slot)
            partly[slotAt(mq.tableBase, song, slot)] = char(wanted[slot]);
        QVERIFY(after == partly);
    }
    VERIFY_STILL_USABLE(window);
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
