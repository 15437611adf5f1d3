// Random sessions through the main window, checked after every step against a
// model of the image written from the record layout alone.
//
// VELTRANO_SESSIONS sets the number of sessions (default 10000),
// VELTRANO_SESSIONS_SEED the seed (default: a fixed one); a failure prints the
// seed and the session so it can be run again.

#include <algorithm>
#include <array>
#include <optional>
#include <random>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "main/form1.h"
#include "main/listcombo.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int SLOTS = 13;

// The games as the image knows them: where song 0's record starts (Chrono
// Trigger: by the region byte at 0xFFD9), how many songs and instruments the
// lists hold, and whether the last slot is locked after a complete load.
struct Game {
    const char *option;
    qint64 base;
    int songs;
    int samples;
    bool locksLastSlot;
    bool byRegion;
};

constexpr std::array<Game, 11> GAMES = {{
    {"FF5OPT", 0x43DAA, 72, 36, false, false},
    {"SD2OPT", 0x33F22, 64, 33, false, false},
    {"MQOPT", 0x6BEA1, 27, 19, true, false},
    {"FF4OPT", 0x2400F, 56, 23, false, false},
    {"FF6OPT", 0x53F95, 85, 64, false, false},
    {"RS2OPT", 0x44077, 51, 38, false, false},
    {"RS3OPT", 0x610DA, 92, 83, false, false},
    {"BSDTOPT", 0xC42B6, 31, 50, false, false},
    {"BSRDOPT", 0xD4250, 24, 42, false, false},
    {"BSTCOPT", 0xC41A5, 14, 24, false, false},
    {"CTOPT", 0x70E11, 83, 62, false, true},
}};

std::optional<qint64> tableOf(const Game &game, const QByteArray &file)
{
    if (!game.byRegion)
        return game.base;
    const quint8 region = file.size() > 0xFFD9 ? quint8(file[0xFFD9]) : 0;
    if (region == 1)
        return 0x70E11;
    if (region == 0)
        return 0x70E0B;
    return std::nullopt;
}

quint8 byteAt(const QByteArray &file, qint64 offset)
{
    return offset < file.size() ? quint8(file[offset]) : 0;
}

// What a load of song into lists of `count` items shows: each slot its byte,
// or nothing when its list has no item for it; complete when every slot shows.
struct Shown {
    std::array<int, SLOTS> positions{};
    bool complete = true;
};

Shown load(const Game &game, const QByteArray &file, int song, int count)
{
    Shown shown;
    const std::optional<qint64> table = tableOf(game, file);
    for (int slot = 0; slot < SLOTS; ++slot) {
        const int value = table ? byteAt(file, *table + 32 * song + 2 * slot) : 0;
        shown.positions[slot] = value < count ? value : -1;
        shown.complete = shown.complete && value < count;
    }
    return shown;
}

// The model of one window and its image.
struct Model {
    QByteArray file;            // the image as it must be on disk
    const Game *game = nullptr; // the game whose button is set
    bool open = false;
    bool lastSlotLocked = false;
    bool saveEnabled = false;
    int song = -1;
    // At start every list shows its one design item unselected.
    std::array<int, SLOTS> shown = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};

class Session
{
public:
    Session(Form1 &form, const QString &path, std::mt19937_64 &random)
        : m_form(form)
        , m_path(path)
        , m_random(random)
    {
    }

    // Runs one session; returns a description of the first mismatch, or nothing.
    QString run(Model &model)
    {
        writeImage(model);
        const int steps = pick(4, 14);
        for (int step = 0; step < steps; ++step) {
            m_log.clear();
            const int what = pick(0, 99);
            if (what < 18)
                chooseGame(model);
            else if (what < 45)
                pickSong(model);
            else if (what < 75)
                changeSlot(model);
            else if (what < 92)
                save(model);
            else
                closeImage(model);
            if (const QString problem = check(model); !problem.isEmpty())
                return u"step %1 (%2): %3"_s.arg(step).arg(m_log, problem);
        }
        return {};
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    // A new image: random length (often shorter than the table, sometimes
    // empty), random bytes, with valid slot values planted in some tables.
    void writeImage(Model &model)
    {
        // Around the tables' ends, and past the last table (0xD4250 + 32 * 24).
        static constexpr std::array<qint64, 7> SIZES = {0,           0x400,       0x10000,  0x70E11 + 32 * 40,
                                                        0xC41A5 + 32 * 7, 0xD4250 + 32 * 23 + 20, 0xE0000};
        qint64 size = SIZES[pick(0, SIZES.size() - 1)];
        if (pick(0, 3) == 0)
            size = pick(0, 0xE0000);
        QByteArray bytes(size, '\0');
        const int fill = pick(0, 2); // zeros, random bytes, or small bytes
        if (fill > 0) {
            // Bulk bytes from a cheap generator seeded by the session's one.
            quint64 state = m_random() | 1;
            for (char &byte : bytes) {
                state ^= state >> 12;
                state ^= state << 25;
                state ^= state >> 27;
                const quint8 value = quint8((state * 0x2545F4914F6CDD1DULL) >> 56);
                byte = char(fill == 1 ? value : value % 24);
            }
        }
        if (size > 0xFFD9) {
            static constexpr std::array<quint8, 4> REGIONS = {0, 1, 2, 0xFF};
            bytes[0xFFD9] = char(REGIONS[pick(0, 3)]);
        }
        if (pick(0, 1) == 0) {
            const Game &game = GAMES[pick(0, GAMES.size() - 1)];
            const qint64 base = tableOf(game, bytes).value_or(game.base);
            for (int song = 0; song < game.songs; ++song) {
                for (int slot = 0; slot < SLOTS; ++slot) {
                    const qint64 offset = base + 32 * song + 2 * slot;
                    if (offset < size)
                        bytes[offset] = char(m_random() % game.samples);
                }
            }
        }
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write the test image");
        model.file = bytes;
    }

    void chooseGame(Model &model)
    {
        const Game &game = GAMES[pick(0, GAMES.size() - 1)];
        QRadioButton *button = m_form.gameOption(game.option);
        const int answer = pick(0, 9); // mostly the image, sometimes cancel or a missing file
        const QString path = answer < 7 ? m_path : answer < 9 ? QString() : m_path + u".missing"_s;
        m_log = u"choose %1 %2"_s.arg(QString::fromLatin1(game.option), answer < 7 ? u"open"_s : answer < 9 ? u"cancel"_s : u"missing"_s);
        m_form.setImageChooser([path](QWidget *) { return path; });
        const bool again = model.game == &game;
        button->click();
        if (again)
            return; // the button already set: nothing happens
        m_expectMessage = answer == 9;

        model.game = &game;
        model.open = answer < 7;
        model.song = 0;
        if (model.open) {
            // Every load locks Mystic Quest's last slot, shown or not.
            const Shown shown = load(game, model.file, 0, game.samples);
            model.lastSlotLocked = game.locksLastSlot;
            model.shown = shown.positions;
            model.saveEnabled = shown.complete;
        } else {
            model.shown.fill(0);
            model.saveEnabled = false;
        }
    }

    void pickSong(Model &model)
    {
        if (!m_form.SongIndexCBO->isEnabled())
            return;
        const int song = pick(0, m_form.SongIndexCBO->ListCount() - 1);
        m_log = u"pick song %1"_s.arg(song);
        m_form.SongIndexCBO->setCurrentIndex(song);
        if (song == model.song || !model.game)
            return;
        model.song = song;
        const Shown shown = load(*model.game, model.file, song, model.game->samples);
        model.shown = shown.positions;
        model.saveEnabled = shown.complete;
    }

    void changeSlot(Model &model)
    {
        const int slot = pick(0, SLOTS - 1);
        ListCombo *list = m_form.sampleList(slot);
        if (!list->isEnabled() || list->ListCount() == 0)
            return;
        const int position = pick(0, list->ListCount() - 1);
        m_log = u"slot %1 to %2"_s.arg(slot).arg(position);
        list->setCurrentIndex(position);
        if (position == model.shown[slot])
            return;
        // Saving comes back once no slot is blank.
        model.shown[slot] = position;
        model.saveEnabled = std::all_of(model.shown.begin(), model.shown.end(), [](int shown) { return shown >= 0; });
    }

    void save(Model &model)
    {
        if (!m_form.SaveROMCMD->isEnabled())
            return;
        m_log = u"save song %1"_s.arg(model.song);
        m_form.SaveROMCMD->click();
        const std::optional<qint64> table = tableOf(*model.game, model.file);
        const qint64 record = table.value_or(0) + 32 * qint64(model.song);
        // Refused when the last slot byte, record byte 24, is not in the file.
        if (!table || record + 24 >= model.file.size()) {
            m_expectMessage = true; // refused: nothing written
            return;
        }
        for (int slot = 0; slot < SLOTS; ++slot)
            model.file[record + 2 * slot] = char(model.shown[slot]);
    }

    void closeImage(Model &model)
    {
        if (!m_form.CloseROMCMD->isEnabled())
            return;
        m_log = u"close"_s;
        m_form.CloseROMCMD->click();
        model.game = nullptr;
        model.open = false;
        model.saveEnabled = false;
        model.song = 0;
        model.shown.fill(0); // each slot list holds "Empty", selected
    }

    QString check(const Model &model)
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return u"the image cannot be read back"_s;
        const QByteArray onDisk = file.readAll();
        if (onDisk.size() != model.file.size())
            return u"length %1, expected %2"_s.arg(onDisk.size()).arg(model.file.size());
        if (onDisk != model.file) {
            qsizetype first = 0;
            while (onDisk[first] == model.file[first])
                ++first;
            return u"byte 0x%1 is 0x%2, expected 0x%3"_s.arg(QString::number(first, 16))
                .arg(QString::number(quint8(onDisk[first]), 16), QString::number(quint8(model.file[first]), 16));
        }

        int messages = 0;
        for (QMessageBox *box : m_form.findChildren<QMessageBox *>()) {
            if (box->isVisible()) {
                ++messages;
                box->close();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (messages != (m_expectMessage ? 1 : 0))
            return u"%1 messages shown, expected %2"_s.arg(messages).arg(m_expectMessage ? 1 : 0);
        m_expectMessage = false;

        if (m_form.image().isOpen() != model.open)
            return u"image open: %1"_s.arg(m_form.image().isOpen());
        if (m_form.SaveROMCMD->isEnabled() != model.saveEnabled)
            return u"Save Song Index enabled: %1"_s.arg(m_form.SaveROMCMD->isEnabled());
        for (const Game &game : GAMES) {
            if (m_form.gameOption(game.option)->isChecked() != (model.game == &game))
                return u"%1 set: %2"_s.arg(QString::fromLatin1(game.option)).arg(!(model.game == &game));
        }
        if (model.game && m_form.SongIndexCBO->ListIndex() != model.song)
            return u"song %1 selected, expected %2"_s.arg(m_form.SongIndexCBO->ListIndex()).arg(model.song);
        for (int slot = 0; slot < SLOTS; ++slot) {
            const ListCombo *list = m_form.sampleList(slot);
            if (list->ListIndex() != model.shown[slot])
                return u"slot %1 shows %2, expected %3"_s.arg(slot).arg(list->ListIndex()).arg(model.shown[slot]);
            const bool enabled = model.open && !(slot == SLOTS - 1 && model.lastSlotLocked);
            if (list->isEnabled() != enabled)
                return u"slot %1 list enabled: %2"_s.arg(slot).arg(list->isEnabled());
            if (model.game && model.open && list->ListCount() != model.game->samples)
                return u"slot %1 holds %2 items"_s.arg(slot).arg(list->ListCount());
        }
        return {};
    }

    Form1 &m_form;
    QString m_path;
    std::mt19937_64 &m_random;
    QString m_log;
    bool m_expectMessage = false;
};

} // namespace

class TestSessions : public QObject
{
    Q_OBJECT

private slots:
    void randomSessionsNeverLoseAByte_data();
    void randomSessionsNeverLoseAByte();
};

// Sessions run in batches, each with a fresh window and a random generator
// seeded from the seed and the batch, so a failing batch runs again alone
// and no batch runs into the test time limit.
constexpr int BATCH = 500;

void TestSessions::randomSessionsNeverLoseAByte_data()
{
    const int sessions = qEnvironmentVariableIsSet("VELTRANO_SESSIONS") ? qEnvironmentVariableIntValue("VELTRANO_SESSIONS")
                                                                         : 10000;
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    for (int first = 0; first < sessions; first += BATCH) {
        const QByteArray name = QByteArray::number(first);
        QTest::newRow(name.constData()) << first << std::min(BATCH, sessions - first);
    }
}

void TestSessions::randomSessionsNeverLoseAByte()
{
    QFETCH(int, first);
    QFETCH(int, count);
    const quint64 seed = qEnvironmentVariableIsSet("VELTRANO_SESSIONS_SEED")
                             ? qgetenv("VELTRANO_SESSIONS_SEED").toULongLong()
                             : 20261207;
    QTemporaryDir folder;
    const QString path = folder.filePath(u"session image.smc"_s);
    std::mt19937_64 random(seed ^ (quint64(first) * 0x9E3779B97F4A7C15ULL));

    Form1 form;
    Model model;
    for (int session = first; session < first + count; ++session) {
        Session run(form, path, random);
        const QString problem = run.run(model);
        if (!problem.isEmpty()) {
            QFAIL(qPrintable(u"seed %1, batch %2 (run it alone: tst_sessions randomSessionsNeverLoseAByte:%2), "
                             u"session %3, %4"_s.arg(seed).arg(first).arg(session).arg(problem)));
        }
    }
}

int main(int argc, char *argv[])
{
    // A large VELTRANO_SESSIONS runs longer than the test library's five
    // minutes per test function; CTest's own time limit still guards a hang.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "86400000");
    QApplication application(argc, argv);
    TestSessions test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_sessions.moc"
