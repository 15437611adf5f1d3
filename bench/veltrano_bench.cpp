// Measures Veltrano beside plain Qt doing the same work, in the same run, and
// prints the ratios:
//  - start-up: time and peak memory until the main window is exposed, against
//    an empty fixed-size window (each in fresh processes);
//  - a whole game choice without the dialog, a song pick and a save, against
//    the same list and file operations made with bare QComboBox calls.

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include "catalogues/catalogue.h"
#include "games/gameprofile.h"
#include "main/form1.h"
#include "main/listcombo.h"

using namespace Qt::StringLiterals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int SLOTS = 13;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// ---- Start-up, in child processes ----

enum class Shown { Empty, OneLine, Veltrano };

int showAndExit(int argc, char **argv, Shown what)
{
    QApplication application(argc, argv);
    std::unique_ptr<QWidget> window;
    if (what == Shown::Veltrano) {
        window = std::make_unique<Form1>();
    } else {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(u"Veltrano (v0.99)"_s);
        window->setFixedSize(566, 533);
        // Any text at all loads the font configuration and a face.
        if (what == Shown::OneLine)
            new QLabel(u"Import/Export are not available yet."_s, window.get());
    }
    window->show();
    while (!window->windowHandle() || !window->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents(); // the first paint
    return 0;
}

struct Run {
    double milliseconds;
    long maxResidentKiB;
};

Run startChild(const char *self, const char *mode)
{
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(self, self, mode, static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return {millisecondsSince(start), usage.ru_maxrss};
}

void compareStartUp(const char *self)
{
    constexpr int RUNS = 15;
    std::vector<double> emptyTimes, lineTimes, veltranoTimes, emptyMemory, lineMemory, veltranoMemory;
    for (int i = 0; i < RUNS; ++i) {
        const Run empty = startChild(self, "--empty-window");
        const Run line = startChild(self, "--one-line-window");
        const Run veltrano = startChild(self, "--main-window");
        emptyTimes.push_back(empty.milliseconds);
        lineTimes.push_back(line.milliseconds);
        veltranoTimes.push_back(veltrano.milliseconds);
        emptyMemory.push_back(double(empty.maxResidentKiB));
        lineMemory.push_back(double(line.maxResidentKiB));
        veltranoMemory.push_back(double(veltrano.maxResidentKiB));
    }
    std::printf("start-up until shown: %.1f ms; empty window %.1f ms, ratio %.2f (goal 1.2); "
                "window with one line of text %.1f ms, ratio %.2f\n",
                median(veltranoTimes), median(emptyTimes), median(veltranoTimes) / median(emptyTimes),
                median(lineTimes), median(veltranoTimes) / median(lineTimes));
    std::printf("peak memory: %.0f KiB; empty window %.0f KiB, ratio %.2f (goal 1.2); "
                "window with one line of text %.0f KiB, ratio %.2f\n",
                median(veltranoMemory), median(emptyMemory), median(veltranoMemory) / median(emptyMemory),
                median(lineMemory), median(veltranoMemory) / median(lineMemory));
}

// ---- Game choice, song pick and save ----

// The same work with bare Qt: fourteen combo boxes and their labels, the
// catalogue texts, the caption, and single-byte reads and writes.
struct BareWindow {
    BareWindow()
    {
        songs = new QComboBox(&window);
        for (int slot = 0; slot < SLOTS; ++slot) {
            samples[slot] = new QComboBox(&window);
            labels[slot] = new QLabel(&window);
        }
        saveButton = new QPushButton(u"Save Song Index"_s, &window);
    }

    void close()
    {
        ::close(fd);
        fd = -1;
        saveButton->setEnabled(false);
        window.setWindowTitle(u"Veltrano (v0.99)"_s);
        songs->setCurrentIndex(0);
        for (QComboBox *list : samples) {
            list->clear();
            list->addItem(u"Empty"_s);
            list->setCurrentIndex(0);
        }
        for (int slot = 0; slot < SLOTS; ++slot)
            labels[slot]->setText(u"$"_s + QString::number(0x20 + slot, 16).toUpper());
    }

    void choose(const catalogues::Catalogue &catalogue, qint64 base, const QString &path)
    {
        close();
        fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
        saveButton->setEnabled(true);
        songs->clear();
        for (std::string_view title : catalogue.songs)
            songs->addItem(catalogues::displayText(title));
        songs->setCurrentIndex(0);
        for (QComboBox *list : samples)
            list->clear();
        for (QComboBox *list : samples) {
            if (catalogue.generatedSamples > 0) {
                for (int i = 1; i <= catalogue.generatedSamples; ++i) {
                    list->addItem(u"Sample #"_s + QString::number(i));
                    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                }
            } else {
                for (std::string_view name : catalogue.samples)
                    list->addItem(catalogues::displayText(name));
            }
        }
        for (QComboBox *list : samples)
            list->setCurrentIndex(0);
        load(base, 0);
        for (int slot = 0; slot < SLOTS; ++slot)
            labels[slot]->setText(u"$"_s + QString::number(0x20 + slot, 16).toUpper());
    }

    void load(qint64 base, int song)
    {
        songs->setCurrentIndex(song);
        char title[21] = {};
        if (::pread(fd, title, sizeof title, 0xFFC0) < 0)
            return;
        window.setWindowTitle(u"Veltrano (v0.99) - "_s + QString::fromLatin1(title, sizeof title));
        for (int slot = 0; slot < SLOTS; ++slot) {
            unsigned char byte = 0;
            if (::pread(fd, &byte, 1, base + 32 * song + 2 * slot) != 1)
                byte = 0;
            samples[slot]->setCurrentIndex(byte);
        }
        saveButton->setEnabled(true);
    }

    void save(qint64 base)
    {
        const int song = songs->currentIndex();
        for (int slot = 0; slot < SLOTS; ++slot) {
            const unsigned char byte = static_cast<unsigned char>(samples[slot]->currentIndex());
            if (::pwrite(fd, &byte, 1, base + 32 * song + 2 * slot) != 1)
                std::fprintf(stderr, "write failed\n");
        }
    }

    QWidget window;
    QComboBox *songs = nullptr;
    std::array<QComboBox *, SLOTS> samples{};
    std::array<QLabel *, SLOTS> labels{};
    QPushButton *saveButton = nullptr;
    int fd = -1;
};

template <typename Work, typename Setup>
double timeEach(int repeats, Work work, Setup setup)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        setup();
        const Clock::time_point start = Clock::now();
        work(i);
        times.push_back(millisecondsSince(start));
    }
    return median(times);
}

template <typename Work>
double timeEach(int repeats, Work work)
{
    return timeEach(repeats, work, [] {});
}

void compareOperations()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"bench.smc"_s);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write(QByteArray(1 << 20, '\0'));
    }

    Form1 form;
    form.setImageChooser([path](QWidget *) { return path; });
    form.show();
    BareWindow bare;
    bare.window.show();
    QCoreApplication::processEvents();

    std::printf("\n%-6s %28s %28s %28s\n", "game", "choice ms (bare, ratio)", "song pick ms (bare, ratio)",
                "save ms (bare, ratio)");
    double worst = 0;
    for (const games::GameProfile &game : games::GAME_PROFILES) {
        const catalogues::Catalogue &catalogue = *catalogues::catalogueFor(game.token);
        QRadioButton *button = form.gameOption(game.optionName);
        constexpr int REPEATS = 21;
        // A click on the button already set does nothing, so "Close ROM" clears
        // it first, outside the time taken.
        const double choice = timeEach(REPEATS, [&](int) { button->click(); }, [&] { form.CloseROMCMD_Click(); });
        const double bareChoice = timeEach(REPEATS, [&](int) { bare.choose(catalogue, game.tableBase, path); });
        const double pick = timeEach(REPEATS * 10, [&](int i) { form.SongIndexCBO->setCurrentIndex(1 + i % 2); });
        const double barePick = timeEach(REPEATS * 10, [&](int i) { bare.load(game.tableBase, 1 + i % 2); });
        const double save = timeEach(REPEATS * 10, [&](int) { form.SaveROMCMD->click(); });
        const double bareSave = timeEach(REPEATS * 10, [&](int) { bare.save(game.tableBase); });
        std::printf("%-6s %10.3f (%7.3f, %5.2f) %10.4f (%7.4f, %5.2f) %10.4f (%7.4f, %5.2f)\n", game.token.data(),
                    choice, bareChoice, choice / bareChoice, pick, barePick, pick / barePick, save, bareSave,
                    save / bareSave);
        worst = std::max({worst, choice / bareChoice, pick / barePick, save / bareSave});
    }
    std::printf("largest ratio %.2f (goal 1.3)\n", worst);
    std::printf("(a save also reads the thirteen bytes it replaces, to put them back if a write fails,\n"
                " and checks that the path still names the file that was opened)\n");
}

} // namespace

int main(int argc, char **argv)
{
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "--empty-window")
        return showAndExit(argc, argv, Shown::Empty);
    if (mode == "--one-line-window")
        return showAndExit(argc, argv, Shown::OneLine);
    if (mode == "--main-window")
        return showAndExit(argc, argv, Shown::Veltrano);

    compareStartUp(argv[0]);
    QApplication application(argc, argv);
    compareOperations();
    return 0;
}
