// A whole session through the main window, with the real file dialog, writes
// no file of its own: the home folder, the XDG folders and the temporary
// folder stay empty, and the image's folder holds the image alone, changed
// only in the slot bytes that were saved.
//
// The folders are made and named in the environment before the QApplication
// exists (Qt reads them once), so main() is our own. Qt's runtime folder
// (XDG_RUNTIME_DIR) gets a folder of its own too; whatever appears there is
// listed on standard output and must be nothing.

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "games/gameprofile.h"
#include "games/songindex.h"
#include "main/form1.h"
#include "main/listcombo.h"
#include "tests/testimage.h"
#include "tests/testwindow.h"
#include "windows/about.h"

using namespace Qt::StringLiterals;
using games::GameProfile;
using games::SLOT_COUNT;

namespace {

// The environment variables pointed at fresh folders, each of its own.
constexpr std::array<const char *, 7> WATCHED_VARIABLES = {
    "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "TMPDIR", "XDG_RUNTIME_DIR"};

struct Folders {
    QString root;                                     // holds everything below; removed at the end
    std::array<QString, WATCHED_VARIABLES.size()> watched;
    QString images;                                   // the image's folder
    QStringList seenBySession;                        // what the session's own check found
};

// Everything under folder, hidden entries included, relative to it.
QStringList entriesUnder(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

// What appeared in the watched folders, as "VARIABLE: entry" lines.
QStringList leftovers(const Folders &folders)
{
    QStringList found;
    for (size_t i = 0; i < WATCHED_VARIABLES.size(); ++i) {
        for (const QString &entry : entriesUnder(folders.watched[i]))
            found << QString::fromLatin1(WATCHED_VARIABLES[i]) + u": "_s + entry;
    }
    return found;
}

// Answers the next file dialog as the user would: types the path into the
// file name field and opens it, or cancels when the path is empty. The dialog
// is the program's own, found among the window's children.
void answerNextDialog(QWidget *parent, const QString &path)
{
    auto *poll = new QTimer(parent);
    QObject::connect(poll, &QTimer::timeout, parent, [parent, poll, path] {
        auto *dialog = parent->findChild<QFileDialog *>();
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        auto *fileName = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
        if (path.isEmpty() || !fileName) {
            dialog->reject();
            return;
        }
        fileName->setText(path);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog's own accept(), protected there
    });
    poll->start(10);
}

} // namespace

class TestNoFiles : public QObject
{
    Q_OBJECT

public:
    explicit TestNoFiles(Folders &folders)
        : m_folders(folders)
    {
    }

private slots:
    void sessionWritesOnlyTheSavedBytes();

private:
    Folders &m_folders;
};

void TestNoFiles::sessionWritesOnlyTheSavedBytes()
{
    const QString imagePath = m_folders.images + u"/session image.smc"_s;
    // Noise everywhere, valid slot bytes in the tables of the games the session uses.
    QByteArray image(1 << 20, '\0');
    for (qsizetype i = 0; i < image.size(); ++i)
        image[i] = char(0x80 | ((i * 37) % 127));
    image[games::REGION_CODE_OFFSET] = 1;
    for (const char *token : {"FF5", "MQ", "CT", "BSTC"}) {
        const GameProfile &profile = game(token);
        for (int song = 0; song < profile.songCount; ++song) {
            for (int slot = 0; slot < SLOT_COUNT; ++slot)
                image[slotAt(profile.tableBase, song, slot)] = char((song + slot) % profile.sampleCount);
        }
    }
    {
        QFile file(imagePath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(image), image.size());
    }
    QByteArray expected = image;

    Form1 form; // with the real file dialog
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    auto choose = [&](const GameProfile &profile, const QString &path) {
        answerNextDialog(&form, path);
        form.gameOption(profile.optionName)->click();
    };
    auto editAndSave = [&](const GameProfile &profile, int song) {
        form.SongIndexCBO->setCurrentIndex(song);
        for (int slot = 0; slot < SLOT_COUNT - (profile.locksLastSlot ? 1 : 0); slot += 2) {
            const int position = (slot * 5 + song + 3) % profile.sampleCount;
            form.sampleList(slot)->setCurrentIndex(position);
            expected[slotAt(profile.tableBase, song, slot)] = char(position);
        }
        QVERIFY(form.SaveROMCMD->isEnabled());
        QTest::mouseClick(form.SaveROMCMD, Qt::LeftButton);
    };
    auto visibleMessages = [&] {
        int count = 0;
        for (QMessageBox *box : form.findChildren<QMessageBox *>())
            count += box->isVisible();
        return count;
    };

    choose(game("FF5"), imagePath);
    QVERIFY(form.image().isOpen());
    editAndSave(game("FF5"), 3);
    editAndSave(game("FF5"), 70);
    QCOMPARE(visibleMessages(), 0);

    choose(game("MQ"), QString()); // the dialog cancelled
    QVERIFY(!form.image().isOpen());
    choose(game("CT"), imagePath);
    editAndSave(game("CT"), 82);
    choose(game("MQ"), imagePath);
    editAndSave(game("MQ"), 0);
    QCOMPARE(visibleMessages(), 0);

    // A refused save: the slot shows nothing.
    form.SongIndexCBO->setCurrentIndex(1);
    form.sampleList(0)->setListIndex(-1);
    QTest::mouseClick(form.SaveROMCMD, Qt::LeftButton);
    QCOMPARE(visibleMessages(), 1);
    for (QMessageBox *box : form.findChildren<QMessageBox *>())
        box->close();

    choose(game("BSTC"), imagePath);
    editAndSave(game("BSTC"), 13);
    QTest::mouseClick(form.CloseROMCMD, Qt::LeftButton);
    QVERIFY(!form.image().isOpen());

    bool aboutExposed = false;
    whenShown<windows::About>(&form, [&](windows::About *about) {
        aboutExposed = QTest::qWaitForWindowExposed(about);
        QTest::mouseClick(about->CloseCMD, Qt::LeftButton);
    });
    form.mnuAbout->trigger();
    QVERIFY(aboutExposed);
    QVERIFY(!form.findChild<windows::About *>());

    form.close();
    QCoreApplication::processEvents();

    // The file dialog would save its state (last folder, history) in
    // $XDG_CONFIG_HOME/QtProject.conf if the program let it.
    m_folders.seenBySession = leftovers(m_folders);
    QCOMPARE(m_folders.seenBySession, QStringList());
    QCOMPARE(entriesUnder(m_folders.images), QStringList{u"session image.smc"_s});
    QFile file(imagePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    QCOMPARE(after.size(), expected.size());
    QVERIFY(after == expected);
}

int main(int argc, char *argv[])
{
    // Everything goes into one fresh folder in the temporary folder the test
    // was started with, before TMPDIR is pointed elsewhere.
    const QByteArray base = qEnvironmentVariableIsEmpty("TMPDIR") ? QByteArray("/tmp") : qgetenv("TMPDIR");
    QByteArray rootName = base + "/veltrano-nofiles-XXXXXX";
    if (!::mkdtemp(rootName.data())) {
        std::perror("mkdtemp");
        return 2;
    }
    Folders folders;
    folders.root = QFile::decodeName(rootName);
    for (size_t i = 0; i < WATCHED_VARIABLES.size(); ++i) {
        folders.watched[i] = folders.root + u'/' + QString::fromLatin1(WATCHED_VARIABLES[i]).toLower();
        // 0700: Qt refuses a runtime folder that others may enter.
        ::mkdir(QFile::encodeName(folders.watched[i]).constData(), 0700);
        qputenv(WATCHED_VARIABLES[i], QFile::encodeName(folders.watched[i]));
    }
    folders.images = folders.root + u"/images"_s;
    ::mkdir(QFile::encodeName(folders.images).constData(), 0700);

    int result = 0;
    {
        QApplication application(argc, argv);
        TestNoFiles test(folders);
        result = QTest::qExec(&test, argc, argv);
    }

    // Once the application is gone, nothing more may have appeared.
    QStringList found = leftovers(folders);
    for (const QString &seen : std::as_const(folders.seenBySession))
        found.removeOne(seen);
    const QString runtime = folders.watched.back();
    std::printf("Runtime folder (XDG_RUNTIME_DIR) after the session: %s\n",
                entriesUnder(runtime).isEmpty() ? "empty" : qPrintable(entriesUnder(runtime).join(u", "_s)));
    for (const QString &entry : found)
        std::printf("FAIL: written after the session ended: %s\n", qPrintable(entry));
    QDir(folders.root).removeRecursively();
    return result != 0 ? result : int(found.size());
}

#include "tst_nofiles.moc"
