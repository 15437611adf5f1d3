#include <array>

#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

#include "catalogues/catalogue.h"
#include "games/gameprofile.h"
#include "games/songindex.h"
#include "main/form1.h"
#include "main/imagefiledialog.h"
#include "main/listcombo.h"
#include "tests/testimage.h"
#include "tests/testwindow.h"
#include "windows/about.h"
#include "windows/form2.h"

using namespace Qt::StringLiterals;
using games::GameProfile;
using games::SLOT_COUNT;

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), qsizetype(view.size()));
}


QStringList labelTexts(int base)
{
    QStringList texts;
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        texts << games::slotLabel(base, slot);
    return texts;
}

// Song 0's record planted with valid values, the title and region 1.
std::array<int, SLOT_COUNT> plantSong(TestImage &file, const GameProfile &profile, int song)
{
    std::array<int, SLOT_COUNT> values{};
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        values[slot] = (slot * 5 + song + 1) % profile.sampleCount;
        file.plant(slotAt(profile.tableBase, song, slot), quint8(values[slot]));
    }
    return values;
}

void plantHeader(TestImage &file)
{
    file.plant(0xFFC0, QByteArray("HIROM TITLE IN HEADER"));
    file.plant(0x7FC0, QByteArray("LOROM TITLE IN HEADER"));
    file.plant(games::REGION_CODE_OFFSET, 1);
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void startsWithNothingOpen();
    void controlsAreNamedAndPlacedAsDesigned();
    void everyCaptionFitsItsPlace();
    void menusAsDesigned();
    void listControlsBehaveAsTheProgramExpects();
    void gameChoiceShowsSongZero_data();
    void gameChoiceShowsSongZero();
    void pickingASongLoadsItsRecord();
    void titleIsShownAsItStands();
    void saveWritesTheShownRecordAndNothingElse_data();
    void saveWritesTheShownRecordAndNothingElse();
    void repickingTheSelectedSongKeepsUnsavedChanges();
    void unshowableByteIsBlankUntilTheUserPicks();
    void enterPressesTheFocusedButtonOnly();
    void dropDownsOpenAsABoundedList();
    void cancelledChoiceLeavesNoImageOpen();
    void unopenableFileIsReportedAndTreatedAsCancel_data();
    void unopenableFileIsReportedAndTreatedAsCancel();
    void closeRomClearsTheGameAndResetsTheSlots();
    void closeRomThenTheSameGameAsksForAnImage();
    void finalFantasyFourLabelsItsSlotsFromForty();
    void clickOnTheSetGameChangesNothing();
    void userInputWaitsUntilTheChoiceIsDone();
    void openRomMenuOpensWithoutAGame();
    void saveFailuresReachTheUser();
    void pathIsKeptInTheExportWindow();
    void exportWindowWaitsUntilClosed();
    void exportTakesTheSongBlock();
    void quitAndCloseBoxEndTheProgram();
    void fileDialogOffersTheFiveFilters();
};

void TestForm1::startsWithNothingOpen()
{
    Form1 form;
    QCOMPARE(form.windowTitle(), u"Veltrano (v0.99)"_s);
    QVERIFY(!form.image().isOpen());
    QList<ListCombo *> lists{form.SongIndexCBO};
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        lists << form.sampleList(slot);
    for (ListCombo *list : lists) {
        QCOMPARE(list->ListCount(), 1);
        QCOMPARE(list->List(0), u"Dummy"_s);
        QCOMPARE(list->ListIndex(), -1);
        QVERIFY(!list->isEnabled());
        QVERIFY(!list->isEditable());
    }
    for (QPushButton *command : {form.SaveROMCMD, form.CloseROMCMD, form.ImportCMD, form.ExportCMD})
        QVERIFY(!command->isEnabled());
    QVERIFY(form.QuitCMD->isEnabled());
    QCOMPARE(form.InfoLBL->text(), u"Import/Export are not available yet."_s);
    QCOMPARE(form.TabStrip1->count(), 1);
    QCOMPARE(form.TabStrip1->tabText(0), u"SPC Sample Indexes"_s);

    // The eighteen game buttons as they stand in the column, top to bottom.
    struct Button {
        QString name;
        QString caption;
        bool enabled;
    };
    const QList<Button> column = {
        {u"BLOPT"_s, u"Bahamut Lagoon (J)"_s, false},
        {u"BSDTOPT"_s, u"BS Dynami Tracer (J)"_s, true},
        {u"BSRDOPT"_s, u"BS Radical Dreamers (J)"_s, true},
        {u"BSTCOPT"_s, u"BS Treasure Conflix (J)"_s, true},
        {u"CTOPT"_s, u"Chrono Trigger (J) / Chrono Trigger (U)"_s, true},
        {u"FF4OPT"_s, u"Final Fantasy IV (J) / Final Fantasy II (U)"_s, true},
        {u"FF5OPT"_s, u"Final Fantasy V (J)"_s, true},
        {u"FF6OPT"_s, u"Final Fantasy VI (J) / Final Fantasy III (U)"_s, true},
        {u"MQOPT"_s, u"Final Fantasy Mystic Quest (JUE)"_s, true},
        {u"FMOPT"_s, u"Front Mission (J)"_s, false},
        {u"LALOPT"_s, u"Live a Live (J)"_s, false},
        {u"RSOPT"_s, u"Romancing SaGa (J)"_s, false},
        {u"RS2OPT"_s, u"Romancing SaGa 2 (J)"_s, true},
        {u"RS3OPT"_s, u"Romancing SaGa 3 (J)"_s, true},
        {u"RNHOPT"_s, u"Rudora on Hihou (J)"_s, false},
        {u"SD2OPT"_s, u"Seiken Densetsu 2 (J) / Secret of Mana (EU)"_s, true},
        {u"SD3OPT"_s, u"Seiken Densetsu 3 (J)"_s, false},
        {u"THGOPT"_s, u"Treasure Hunter G (J)"_s, false},
    };
    QList<QRadioButton *> options = form.ThisIsAFrameDoofusFRA->findChildren<QRadioButton *>();
    std::sort(options.begin(), options.end(), [](QRadioButton *a, QRadioButton *b) { return a->y() < b->y(); });
    QCOMPARE(options.size(), column.size());
    for (int row = 0; row < column.size(); ++row) {
        QCOMPARE(options[row]->objectName(), column[row].name);
        QCOMPARE(options[row]->text(), column[row].caption);
        QCOMPARE(options[row]->isEnabled(), column[row].enabled);
        QVERIFY(!options[row]->isChecked());
    }

    Window window;
    QCOMPARE(window.labels(), labelTexts(0x20));
    QVERIFY(window.showActive());
    QCOMPARE(QApplication::focusWidget(), window.form.QuitCMD);
}

void TestForm1::controlsAreNamedAndPlacedAsDesigned()
{
    Form1 form;
    // 15 twips to the pixel: the client area is 8490 x 7695 twips.
    QCOMPARE(form.centralWidget()->size(), QSize(566, 513));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.findChild<QWidget *>(u"Sample13CBO"_s), form.sampleList(12));
    QCOMPARE(form.findChild<QWidget *>(u"LBL2C"_s), form.slotLabelOf(12));
    QCOMPARE(form.sampleList(12)->geometry(), QRect(36, 14 + 22 * 12, 225, 21));
    QCOMPARE(form.SongIndexCBO->parentWidget(), form.Frame1);
    QCOMPARE(form.sampleList(0)->parentWidget(), form.InstrumentIndexFRAM);
    QCOMPARE(form.gameOption("THGOPT")->y(), 12 + 20 * 17);
    QCOMPARE(form.QuitCMD->geometry(), QRect(454, 484, 103, 21));
    for (const char *name : {"TabStrip1", "ThisIsAFrameDoofusFRA", "Frame1", "InstrumentIndexFRAM", "SongIndexCBO",
                             "SaveROMCMD", "ImportCMD", "CloseROMCMD", "ExportCMD", "MakerLBL", "InfoIMG", "InfoLBL",
                             "QuitCMD", "DummyLBL", "SongSizeLBL", "Dummy2CMD", "Label1", "CopyIndexFromTXT",
                             "Label2", "CopyIndexToTXT"})
        QVERIFY2(form.findChild<QWidget *>(QString::fromLatin1(name)), name);
    for (QWidget *hidden : std::initializer_list<QWidget *>{form.DummyLBL, form.SongSizeLBL, form.Dummy2CMD,
                                                            form.Label1, form.CopyIndexFromTXT, form.Label2,
                                                            form.CopyIndexToTXT})
        QVERIFY(hidden->isHidden());
    QVERIFY(!form.Dummy2CMD->isEnabled());
    QCOMPARE(form.DummyLBL->text(), u"000000"_s);
    QCOMPARE(form.SongSizeLBL->text(), u"0"_s);

    // Focus order: Quit, the game buttons, the lists, the commands, the tab strip.
    QList<QWidget *> expected{form.QuitCMD};
    for (std::string_view name : games::GAME_BUTTON_ORDER)
        expected << form.gameOption(name);
    expected << form.SongIndexCBO;
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        expected << form.sampleList(slot);
    expected << form.SaveROMCMD << form.CloseROMCMD << form.ImportCMD << form.ExportCMD << form.CopyIndexFromTXT
             << form.CopyIndexToTXT << form.Dummy2CMD << form.TabStrip1;
    QWidget *widget = form.QuitCMD;
    for (int i = 1; i < expected.size(); ++i) {
        do
            widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || !expected.contains(widget));
        QCOMPARE(widget, expected[i]);
    }
}

void TestForm1::everyCaptionFitsItsPlace()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // The game buttons end before the song frame begins.
    for (std::string_view name : games::GAME_BUTTON_ORDER) {
        QRadioButton *option = form.gameOption(name);
        QVERIFY2(option->geometry().right() < form.Frame1->x(), name.data());
        QVERIFY2(option->sizeHint().width() <= option->width(), name.data());
    }
    for (QPushButton *command : {form.SaveROMCMD, form.ImportCMD, form.CloseROMCMD, form.ExportCMD, form.QuitCMD})
        QVERIFY2(command->sizeHint().width() <= command->width() + 20, qPrintable(command->text()));
    for (QLabel *label : {form.InfoLBL, form.MakerLBL, form.slotLabelOf(12)}) {
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
        QVERIFY2(label->fontMetrics().height() <= label->height() + 2, qPrintable(label->text()));
    }
}

void TestForm1::menusAsDesigned()
{
    Window window;
    Form1 &form = window.form;
    QVERIFY(window.showActive());
    const QList<QAction *> bar = form.menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar[0]->text(), u"&File"_s);
    QVERIFY(!bar[0]->isVisible());
    QVERIFY(!bar[0]->isEnabled());
    QCOMPARE(bar[1]->text(), u"&Info"_s);
    QVERIFY(bar[1]->isVisible());

    QCOMPARE(form.mnuOpenROM->text(), u"&Open ROM"_s);
    QCOMPARE(form.mnuCloseROM->shortcut(), QKeySequence(u"Ctrl+W"_s));
    QCOMPARE(form.mnuSaveROM->shortcut(), QKeySequence(u"Ctrl+S"_s));
    QCOMPARE(form.mnuQuit->shortcut(), QKeySequence(u"Ctrl+Q"_s));
    QVERIFY(form.mnuSeperator1->isSeparator());
    QVERIFY(!form.mnuCloseROM->isEnabled());
    QVERIFY(!form.mnuSaveROM->isEnabled());

    // The hidden menu's shortcuts lead nowhere.
    QSignalSpy opened(form.mnuOpenROM, &QAction::triggered);
    QSignalSpy quitting(&form, &Form1::quitRequested);
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&form, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(opened.count(), 0);
    QCOMPARE(quitting.count(), 0);
    QCOMPARE(window.dialogs, 0);

    // F1 shows a new About window over the main window, modal to it, and
    // the handler returns once the window has been closed, and deleted.
    for (int showing = 0; showing < 2; ++showing) {
        int aboutWindows = 0;
        Qt::WindowModality modality = Qt::NonModal;
        bool closedByReturn = false;
        whenShown<windows::About>(&form, [&](windows::About *about) {
            aboutWindows = int(form.findChildren<windows::About *>().size());
            modality = about->windowModality();
            QTest::keyClick(about->CloseCMD, Qt::Key_Return);
            closedByReturn = !about->isVisible();
        });
        if (showing == 0)
            QTest::keyClick(&form, Qt::Key_F1);
        else
            form.mnuAbout->trigger();
        QCOMPARE(aboutWindows, 1);
        QCOMPARE(modality, Qt::WindowModal);
        QVERIFY(closedByReturn);
        QVERIFY(!form.findChild<windows::About *>());
    }
}

void TestForm1::listControlsBehaveAsTheProgramExpects()
{
    QWidget parent;
    ListCombo list(&parent);
    QSignalSpy selected(&list, &ListCombo::selected);

    list.AddItem(u"one"_s);
    list.AddItem(u"one"_s); // equal texts stay two items
    list.AddItem(u"three"_s);
    QCOMPARE(list.ListCount(), 3);
    QCOMPARE(list.ListIndex(), -1);
    QCOMPARE(list.currentIndex(), -1); // appending selected nothing
    QCOMPARE(selected.count(), 0);

    // A selecting write raises the event before it returns, disabled or not.
    list.setEnabled(false);
    int seenInside = -2;
    QMetaObject::Connection probe = connect(&list, &ListCombo::selected, this, [&] { seenInside = list.ListIndex(); });
    QVERIFY(list.setListIndex(1));
    QCOMPARE(seenInside, 1);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(list.currentText(), u"one"_s);
    disconnect(probe);
    QVERIFY(list.setListIndex(1)); // writing the same position again raises it again
    QCOMPARE(selected.count(), 2);

    // Out of range: fails, changes nothing, raises nothing.
    QVERIFY(!list.setListIndex(3));
    QVERIFY(!list.setListIndex(-2));
    QCOMPARE(list.ListIndex(), 1);
    QCOMPARE(selected.count(), 2);

    // The user's pick raises the event; picking the selected item again does not.
    list.setEnabled(true);
    list.setCurrentIndex(2);
    QCOMPARE(list.ListIndex(), 2);
    QCOMPARE(selected.count(), 3);
    list.setCurrentIndex(2);
    QCOMPARE(selected.count(), 3);

    list.Clear();
    QCOMPARE(list.ListIndex(), -1);
    QCOMPARE(list.ListCount(), 0);
    list.AddItem(u"again"_s);
    QCOMPARE(list.ListIndex(), -1);
    QCOMPARE(selected.count(), 3);
    QVERIFY(!list.setListIndex(1));
}

void TestForm1::gameChoiceShowsSongZero_data()
{
    QTest::addColumn<QString>("token");
    for (const GameProfile &profile : games::GAME_PROFILES)
        QTest::newRow(profile.token.data()) << text(profile.token);
}

void TestForm1::gameChoiceShowsSongZero()
{
    QFETCH(QString, token);
    const GameProfile &profile = *games::profileFor(token.toStdString());
    const catalogues::Catalogue &catalogue = *catalogues::catalogueFor(profile.token);
    TestImage file;
    plantHeader(file);
    const auto values = plantSong(file, profile, 0);
    const QByteArray before = file.contents();

    Window window;
    Form1 &form = window.form;
    window.choose(profile, file.path());
    QCOMPARE(window.dialogs, 1);
    QVERIFY(window.messages().isEmpty());
    QVERIFY(form.image().isOpen());
    QVERIFY(form.gameOption(profile.optionName)->isChecked());

    QCOMPARE(form.SongIndexCBO->ListCount(), profile.songCount);
    QCOMPARE(form.SongIndexCBO->List(0), catalogues::displayText(catalogue.songs.front()));
    QCOMPARE(form.SongIndexCBO->ListIndex(), 0);
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        QCOMPARE(form.sampleList(slot)->ListCount(), profile.sampleCount);
        QCOMPARE(form.sampleList(slot)->isEnabled(), !(profile.locksLastSlot && slot == 12));
    }
    QCOMPARE(window.shown(), values);
    QVERIFY(form.SongIndexCBO->isEnabled());
    QVERIFY(form.SaveROMCMD->isEnabled());
    QVERIFY(form.CloseROMCMD->isEnabled());
    QVERIFY(form.mnuCloseROM->isEnabled());
    QVERIFY(form.mnuSaveROM->isEnabled());
    QVERIFY(!form.ExportCMD->isEnabled());
    QCOMPARE(window.labels(), labelTexts(profile.slotLabelBase));

    QString title = profile.titleOffset == 0xFFC0 ? u"HIROM TITLE IN HEADER"_s : u"LOROM TITLE IN HEADER"_s;
    if (!profile.fixedTitle.empty())
        title = text(profile.fixedTitle);
    QCOMPARE(form.windowTitle(), u"Veltrano (v0.99) - "_s + title);
    QCOMPARE(file.contents(), before); // choosing and loading write nothing
}

void TestForm1::pickingASongLoadsItsRecord()
{
    const GameProfile &ff5 = game("FF5");
    TestImage file;
    plantSong(file, ff5, 0);
    const auto gilgamesh = plantSong(file, ff5, 0x20);
    const auto last = plantSong(file, ff5, 0x47);
    Window window;
    window.choose(ff5, file.path());

    window.form.SongIndexCBO->setCurrentIndex(0x20); // as the user picks it
    QCOMPARE(window.form.SongIndexCBO->currentText(), u"Gilgamesh"_s);
    QCOMPARE(window.shown(), gilgamesh);
    window.form.SongIndexCBO->setCurrentIndex(0x47);
    QCOMPARE(window.form.SongIndexCBO->currentText(), u"the tide rolls in"_s);
    QCOMPARE(window.shown(), last);
    QCOMPARE(window.form.SongIndexCBO->ListCount(), 0x48);
}

void TestForm1::titleIsShownAsItStands()
{
    TestImage file;
    file.plant(0xFFC0, QByteArray("[*] HACK  v1.0 [*]   "));
    Window window;
    window.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.form));
    window.choose(game("FF6"), file.path());
    // What the window system shows, blanks and brackets included.
    QCOMPARE(window.form.windowHandle()->title(), u"Veltrano (v0.99) - [*] HACK  v1.0 [*]   "_s);
}

void TestForm1::saveWritesTheShownRecordAndNothingElse_data()
{
    gameChoiceShowsSongZero_data();
}

void TestForm1::saveWritesTheShownRecordAndNothingElse()
{
    QFETCH(QString, token);
    const GameProfile &profile = *games::profileFor(token.toStdString());
    TestImage file;
    QByteArray expected(1 << 20, '\0');
    for (int i = 0; i < expected.size(); ++i)
        expected[i] = char((i * 13) % 251);
    for (int i = 0; i < profile.songCount * 32; i += 2)
        expected[profile.tableBase + i] = char(i % profile.sampleCount); // valid slot bytes
    expected[games::REGION_CODE_OFFSET] = 1;
    file.setContents(expected);

    Window window;
    window.choose(profile, file.path());
    const int song = profile.songCount / 2;
    window.form.SongIndexCBO->setCurrentIndex(song);
    QVERIFY(window.form.SaveROMCMD->isEnabled());
    for (int slot = 0; slot < SLOT_COUNT; slot += 3) {
        const int position = profile.sampleCount - 1 - slot;
        window.form.sampleList(slot)->setCurrentIndex(position);
    }
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        expected[slotAt(profile.tableBase, song, slot)] = char(window.form.sampleList(slot)->ListIndex());

    QTest::mouseClick(window.form.SaveROMCMD, Qt::LeftButton);
    QVERIFY(window.messages().isEmpty());
    QCOMPARE(file.contents(), expected);
    window.form.mnuSaveROM->trigger(); // the menu entry does the same
    QCOMPARE(file.contents(), expected);
}

void TestForm1::repickingTheSelectedSongKeepsUnsavedChanges()
{
    const GameProfile &ff5 = game("FF5");
    TestImage file;
    Window window;
    window.choose(ff5, file.path());
    window.form.SongIndexCBO->setCurrentIndex(3);
    window.form.sampleList(4)->setCurrentIndex(0x1B); // the second "Bass Guitar"
    window.form.SongIndexCBO->setCurrentIndex(3);
    QCOMPARE(window.form.sampleList(4)->ListIndex(), 0x1B);
    QTest::mouseClick(window.form.SaveROMCMD, Qt::LeftButton);
    QCOMPARE(quint8(file.contents()[slotAt(ff5.tableBase, 3, 4)]), quint8(0x1B));
}

void TestForm1::unshowableByteIsBlankUntilTheUserPicks()
{
    const GameProfile &ff5 = game("FF5");
    TestImage file;
    file.plant(slotAt(ff5.tableBase, 1, 0), 0x23);
    file.plant(slotAt(ff5.tableBase, 1, 1), 0x01);
    file.plant(slotAt(ff5.tableBase, 1, 2), 0x24); // no such instrument
    file.plant(slotAt(ff5.tableBase, 1, 3), 0x05);
    const QByteArray before = file.contents();
    Window window;
    window.choose(ff5, file.path());
    window.form.sampleList(5)->setCurrentIndex(9);

    window.form.SongIndexCBO->setCurrentIndex(1);
    const std::array<int, SLOT_COUNT> expected = {0x23, 0x01, -1, 0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QCOMPARE(window.shown(), expected);
    QVERIFY(!window.form.SaveROMCMD->isEnabled());
    window.form.mnuSaveROM->trigger(); // refused, with a word why
    QCOMPARE(window.messages().size(), 1);
    QCOMPARE(file.contents(), before);
    window.closeMessages();

    // Another slot picked: still a blank. The blank one picked: Save is back.
    window.form.sampleList(4)->setCurrentIndex(0x0A);
    QVERIFY(!window.form.SaveROMCMD->isEnabled());
    window.form.sampleList(2)->setCurrentIndex(0x10);
    QVERIFY(window.form.SaveROMCMD->isEnabled());
    QTest::mouseClick(window.form.SaveROMCMD, Qt::LeftButton);
    QVERIFY(window.messages().isEmpty());
    QByteArray after = before;
    after[slotAt(ff5.tableBase, 1, 2)] = 0x10;
    after[slotAt(ff5.tableBase, 1, 4)] = 0x0A;
    QCOMPARE(file.contents(), after);
}

void TestForm1::enterPressesTheFocusedButtonOnly()
{
    const GameProfile &ff5 = game("FF5");
    TestImage file;
    const QByteArray before = file.contents();
    Window window;
    Form1 &form = window.form;
    QVERIFY(window.showActive());
    window.choose(ff5, file.path());
    for (QPushButton *button : form.findChildren<QPushButton *>())
        QVERIFY2(!button->isDefault(), qPrintable(button->objectName()));

    // On a slot list, Return and Enter press no button.
    form.sampleList(0)->setCurrentIndex(7);
    form.sampleList(0)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(file.contents(), before);
    QVERIFY(form.image().isOpen());

    // On "Save Song Index", Return saves; on "Close ROM", Enter closes.
    form.SaveROMCMD->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(quint8(file.contents()[ff5.tableBase]), quint8(7));
    form.CloseROMCMD->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(!form.image().isOpen());
}

void TestForm1::dropDownsOpenAsABoundedList()
{
    TestImage file;
    Window window;
    Form1 &form = window.form;
    QVERIFY(window.showActive());
    window.choose(game("RS3"), file.path()); // 92 titles, 83 instrument names
    for (ListCombo *list : {form.SongIndexCBO, form.sampleList(0)}) {
        list->showPopup();
        QAbstractItemView *view = list->view();
        QWidget *popup = view->window();
        QTRY_VERIFY(popup->isVisible());
        // Eight rows and a scroll bar for the rest.
        const int rows = view->viewport()->height() / view->sizeHintForRow(0);
        QVERIFY2(rows == 8, qPrintable(QString::number(rows)));
        QVERIFY(view->verticalScrollBar()->isVisible());
        // At the control: the list touches its lower (or upper) edge.
        const QRect control(list->mapToGlobal(QPoint(0, 0)), list->size());
        const QRect opened = popup->geometry();
        QVERIFY2(qAbs(opened.top() - control.bottom()) <= 2 || qAbs(opened.bottom() - control.top()) <= 2,
                 qPrintable(u"control %1,%2 %3x%4, list %5,%6 %7x%8"_s.arg(control.x()).arg(control.y())
                                .arg(control.width()).arg(control.height()).arg(opened.x()).arg(opened.y())
                                .arg(opened.width()).arg(opened.height())));
        list->hidePopup();
    }
}

void TestForm1::cancelledChoiceLeavesNoImageOpen()
{
    for (const char *token : {"FF5", "BSDT"}) {
        TestImage file;
        Window window;
        Form1 &form = window.form;
        window.choose(game("RS2"), file.path());
        QVERIFY(form.image().isOpen());

        window.choose(game(token), QString());
        QVERIFY(!form.image().isOpen());
        QVERIFY(window.messages().isEmpty());
        QCOMPARE(form.SongIndexCBO->ListCount(), game(token).songCount);
        QCOMPARE(form.sampleList(0)->ListCount(), game(token).sampleCount);
        QVERIFY(!form.SongIndexCBO->isEnabled());
        for (int slot = 0; slot < SLOT_COUNT; ++slot)
            QVERIFY(!form.sampleList(slot)->isEnabled());
        QVERIFY(!form.SaveROMCMD->isEnabled());
        QVERIFY(form.CloseROMCMD->isEnabled());
        QVERIFY(!form.mnuCloseROM->isEnabled());
        // No image is open, so no title is named, fixed or not.
        QCOMPARE(form.windowTitle(), u"Veltrano (v0.99)"_s);

        QTest::mouseClick(form.CloseROMCMD, Qt::LeftButton);
        QVERIFY(!form.gameOption(game(token).optionName)->isChecked());
    }
}

void TestForm1::unopenableFileIsReportedAndTreatedAsCancel_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("missing") << "missing";
    QTest::newRow("directory") << "directory";
}

void TestForm1::unopenableFileIsReportedAndTreatedAsCancel()
{
    QFETCH(QString, what);
    TestImage file;
    const QString path = what == u"missing"_s ? file.folder() + u"/no such image.smc"_s : file.folder();
    Window window;
    window.choose(game("CT"), path);
    QVERIFY(!window.form.image().isOpen());
    const QList<QMessageBox *> boxes = window.messages();
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.front()->text().contains(path), qPrintable(boxes.front()->text()));
    QCOMPARE(boxes.front()->windowModality(), Qt::WindowModal);
    QVERIFY(!window.form.SaveROMCMD->isEnabled());
    QVERIFY(window.form.CloseROMCMD->isEnabled());
    QCOMPARE(window.form.SongIndexCBO->ListCount(), game("CT").songCount);
    QVERIFY(!window.form.form2());
    if (what == u"missing"_s)
        QVERIFY(!QFile::exists(path));
    window.closeMessages();
}

void TestForm1::closeRomClearsTheGameAndResetsTheSlots()
{
    const GameProfile &ff4 = game("FF4");
    TestImage file;
    plantHeader(file);
    plantSong(file, ff4, 5);
    const QByteArray before = file.contents();
    Window window;
    Form1 &form = window.form;
    window.choose(ff4, file.path());
    form.SongIndexCBO->setCurrentIndex(5);

    QTest::mouseClick(form.CloseROMCMD, Qt::LeftButton);
    QVERIFY(!form.image().isOpen());
    for (std::string_view name : games::GAME_BUTTON_ORDER)
        QVERIFY(!form.gameOption(name)->isChecked());
    QCOMPARE(form.SongIndexCBO->ListCount(), ff4.songCount);
    QCOMPARE(form.SongIndexCBO->ListIndex(), 0);
    QVERIFY(!form.SongIndexCBO->isEnabled());
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        QCOMPARE(form.sampleList(slot)->ListCount(), 1);
        QCOMPARE(form.sampleList(slot)->List(0), u"Empty"_s);
        QCOMPARE(form.sampleList(slot)->ListIndex(), 0);
        QVERIFY(!form.sampleList(slot)->isEnabled());
    }
    QCOMPARE(window.labels(), labelTexts(0x20));
    QCOMPARE(form.windowTitle(), u"Veltrano (v0.99)"_s);
    for (QPushButton *command : {form.SaveROMCMD, form.CloseROMCMD, form.ImportCMD, form.ExportCMD})
        QVERIFY(!command->isEnabled());
    QVERIFY(!form.mnuCloseROM->isEnabled());
    QVERIFY(form.mnuSaveROM->isEnabled()); // stays enabled, and does nothing now
    form.mnuSaveROM->trigger();
    QVERIFY(window.messages().isEmpty());
    QCOMPARE(file.contents(), before);

    // A BS game's close leaves no title behind either.
    window.choose(game("BSTC"), file.path());
    QCOMPARE(form.windowTitle(), u"Veltrano (v0.99) - Treasure Conflix"_s);
    form.mnuCloseROM->trigger();
    QCOMPARE(form.windowTitle(), u"Veltrano (v0.99)"_s);
    QVERIFY(!form.gameOption("BSTCOPT")->isChecked());
}

void TestForm1::closeRomThenTheSameGameAsksForAnImage()
{
    const GameProfile &sd2 = game("SD2");
    TestImage file;
    const auto values = plantSong(file, sd2, 0);
    Window window;
    window.choose(sd2, file.path());
    QTest::mouseClick(window.form.CloseROMCMD, Qt::LeftButton);
    window.choose(sd2, file.path());
    QCOMPARE(window.dialogs, 2);
    QVERIFY(window.form.image().isOpen());
    QVERIFY(window.form.gameOption(sd2.optionName)->isChecked());
    QCOMPARE(window.shown(), values);
    QVERIFY(window.form.SaveROMCMD->isEnabled());
}

void TestForm1::finalFantasyFourLabelsItsSlotsFromForty()
{
    TestImage file;
    Window window;
    window.choose(game("FF4"), file.path());
    QCOMPARE(window.labels(), labelTexts(0x40));
    window.choose(game("SD2"), file.path());
    QCOMPARE(window.labels(), labelTexts(0x20));
    window.choose(game("FF4"), QString());
    QCOMPARE(window.labels(), labelTexts(0x40));
}

void TestForm1::clickOnTheSetGameChangesNothing()
{
    TestImage file;
    Window window;
    window.choose(game("SD2"), file.path());
    window.form.SongIndexCBO->setCurrentIndex(2);
    window.form.sampleList(0)->setCurrentIndex(7);
    window.choose(game("SD2"), file.path());
    QCOMPARE(window.dialogs, 1);
    QVERIFY(window.form.image().isOpen());
    QCOMPARE(window.form.sampleList(0)->ListIndex(), 7);
    QVERIFY(window.form.gameOption("SD2OPT")->isChecked());
    // Another game clears it and runs the choice.
    window.choose(game("FF6"), file.path());
    QCOMPARE(window.dialogs, 2);
    QVERIFY(!window.form.gameOption("SD2OPT")->isChecked());
    QVERIFY(window.form.gameOption("FF6OPT")->isChecked());
}

void TestForm1::userInputWaitsUntilTheChoiceIsDone()
{
    TestImage file;
    Window window;
    Form1 &form = window.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // The user clicks "Close ROM" while the dialog is closing; the generated
    // fill that follows lets events run, but this click must wait.
    window.whileDialogIsOpen = [&] {
        QWindow *handle = form.windowHandle();
        const QPoint centre = form.CloseROMCMD->mapTo(&form, form.CloseROMCMD->rect().center());
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            handle, centre, form.mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            handle, centre, form.mapToGlobal(centre), Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    };
    window.choose(game("BSDT"), file.path());
    QVERIFY(form.gameOption("BSDTOPT")->isChecked());
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        QCOMPARE(form.sampleList(slot)->ListCount(), 50);
        QCOMPARE(form.sampleList(slot)->ListIndex(), 0);
    }
    QVERIFY(form.image().isOpen());

    // Once the choice is done, the click arrives and closes the image.
    QTRY_VERIFY(!form.image().isOpen());
    QVERIFY(!form.gameOption("BSDTOPT")->isChecked());
}

void TestForm1::openRomMenuOpensWithoutAGame()
{
    TestImage file;
    Window window;
    Form1 &form = window.form;
    window.choose(game("MQ"), file.path());
    form.mnuCloseROM->trigger();
    window.answer = file.path();
    form.mnuOpenROM->trigger();
    QVERIFY(form.image().isOpen());
    QVERIFY(form.SongIndexCBO->isEnabled());
    QCOMPARE(form.SongIndexCBO->ListCount(), game("MQ").songCount);
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        QVERIFY(form.sampleList(slot)->isEnabled());
        QCOMPARE(form.sampleList(slot)->List(0), u"Empty"_s);
    }
    QVERIFY(!form.CloseROMCMD->isEnabled());
    // No game is current: picking a song or saving touches nothing.
    const QByteArray before = file.contents();
    form.SongIndexCBO->setCurrentIndex(3);
    form.SaveROMCMD->click();
    QCOMPARE(file.contents(), before);
    QVERIFY(window.messages().isEmpty());
}

void TestForm1::saveFailuresReachTheUser()
{
    const GameProfile &rs3 = game("RS3");
    TestImage shortImage(rs3.tableBase + 32 * 10);
    Window window;
    window.choose(rs3, shortImage.path());
    window.form.SongIndexCBO->setCurrentIndex(10); // its record lies past the end
    QVERIFY(window.form.SaveROMCMD->isEnabled());
    window.form.SaveROMCMD->click();
    QCOMPARE(window.messages().size(), 1);
    QVERIFY(window.messages().front()->text().contains(shortImage.path()));
    QCOMPARE(shortImage.contents(), QByteArray(rs3.tableBase + 32 * 10, '\0'));
    window.closeMessages();

    // The file was replaced behind the program's back.
    window.form.SongIndexCBO->setCurrentIndex(9);
    QVERIFY(QFile::remove(shortImage.path()));
    shortImage.setContents(QByteArray(16, '\0'));
    window.form.SaveROMCMD->click();
    QCOMPARE(window.messages().size(), 1);
    QCOMPARE(shortImage.contents(), QByteArray(16, '\0'));
    window.closeMessages();
}

void TestForm1::pathIsKeptInTheExportWindow()
{
    TestImage first(4096, u"first image.smc"_s);
    TestImage second(4096, u"zweite Größe.sfc"_s);
    Window window;
    Form1 &form = window.form;
    QVERIFY(!form.form2());
    window.choose(game("FF5"), first.path());
    QVERIFY(form.form2());
    QVERIFY(!form.form2()->isVisible());
    QCOMPARE(form.form2()->ROMLBL->text(), first.path());

    window.choose(game("SD2"), QString()); // cancel keeps the previous path
    QCOMPARE(form.form2()->ROMLBL->text(), first.path());

    form.form2()->CloseCMD_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!form.form2());
    window.choose(game("FF5"), second.path());
    QVERIFY(form.form2());
    QVERIFY(!form.form2()->isVisible());
    QCOMPARE(form.form2()->ROMLBL->text(), second.path());
    QVERIFY(form.image().isOpen());
}

void TestForm1::exportWindowWaitsUntilClosed()
{
    TestImage file;
    Window window;
    Form1 &form = window.form;
    QVERIFY(window.showActive());
    window.choose(game("FF5"), file.path());

    Qt::WindowModality modality = Qt::NonModal;
    QFont makerFont;
    int clicksByReturnInTheNameBox = -1;
    bool closedByReturn = false;
    whenShown<windows::Form2>(&form, [&](windows::Form2 *form2) {
        modality = form2->windowModality();
        makerFont = form2->findChild<QLabel *>(u"MakerLBL"_s)->font();
        // Return in the text box presses no button; on "&Close" it closes.
        int clicks = 0;
        for (QPushButton *button : form2->findChildren<QPushButton *>())
            connect(button, &QPushButton::clicked, form2, [&clicks] { ++clicks; });
        QTest::keyClick(form2->findChild<QLineEdit *>(u"SPCFileNameTXT"_s), Qt::Key_Return);
        clicksByReturnInTheNameBox = clicks;
        QTest::keyClick(form2->findChild<QPushButton *>(u"CloseCMD"_s), Qt::Key_Return);
        closedByReturn = !form2->isVisible();
    });
    form.Dummy2CMD_Click();
    // By the time the handler returns, "&Close" has closed and unloaded it.
    QCOMPARE(modality, Qt::WindowModal);
    QCOMPARE(clicksByReturnInTheNameBox, 0);
    QVERIFY(closedByReturn);
    QVERIFY(!form.form2());
    // The maker's line has the maker's font, as on the main window.
    QCOMPARE(makerFont, form.MakerLBL->font());
    QVERIFY(makerFont != form.font());
}

void TestForm1::exportTakesTheSongBlock()
{
    TestImage file(0x30000);
    // Song 2's pointer 0xC20105 at 0x54096 + 6 would lie past this image's end,
    // so the song selected is 0 and its pointer points into the image.
    file.setContents(QByteArray(0x60000, '\0'));
    file.plant(0x54096, QByteArray("\x05\x01\xC2", 3));
    QByteArray block(130, '\x11');
    block[0] = char(128);
    block[1] = 0;
    file.plant(0x20305, block);
    Window window;
    window.choose(game("FF5"), file.path());

    QByteArray taken;
    const games::ImageError error = window.form.Export([&](const QByteArray &bytes) { taken = bytes; });
    QVERIFY2(!error.isError(), qPrintable(error.message));
    QCOMPARE(taken, block);
    QCOMPARE(window.form.SongSizeLBL->text(), u"130"_s);

    window.form.CloseROMCMD->click();
    taken.clear();
    QVERIFY(window.form.Export([&](const QByteArray &bytes) { taken = bytes; }).isError());
    QVERIFY(taken.isEmpty());
}

void TestForm1::quitAndCloseBoxEndTheProgram()
{
    TestImage file;
    {
        Window window;
        window.choose(game("FF6"), file.path());
        QSignalSpy quitting(&window.form, &Form1::quitRequested);
        window.form.QuitCMD->click();
        QCOMPARE(quitting.count(), 1);
        QVERIFY(!window.form.image().isOpen());
    }
    {
        Window window;
        window.form.show();
        window.choose(game("FF6"), file.path());
        QSignalSpy quitting(&window.form, &Form1::quitRequested);
        window.form.close();
        QCOMPARE(quitting.count(), 1);
        QVERIFY(!window.form.image().isOpen());
    }
}

void TestForm1::fileDialogOffersTheFiveFilters()
{
    TestImage folder(16, u"plain.smc"_s);
    for (const QString &name : {u"UPPER.SWC"_s, u"copy.fig"_s, u"notes.txt"_s, u"noextension"_s}) {
        QFile file(folder.folder() + u'/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QStringList shown;
    QStringList filters;
    QString selected;
    QWidget parent;
    auto inspect = [&](QFileDialog *dialog) {
        dialog->setDirectory(folder.folder());
        filters = dialog->nameFilters();
        selected = dialog->selectedNameFilter();
        auto visible = [&] {
            QStringList names;
            QAbstractProxyModel *model = dialog->proxyModel();
            auto *files = dialog->findChild<QFileSystemModel *>();
            const QModelIndex root = model->mapFromSource(files->index(folder.folder()));
            for (int row = 0; row < model->rowCount(root); ++row)
                names << model->index(row, 0, root).data().toString();
            names.sort();
            return names.join(u' ');
        };
        if (!QTest::qWaitFor([&] { return visible().contains(u"plain.smc"_s); }, 5000))
            qWarning("the dialog did not list the folder");
        shown << visible();
        dialog->selectNameFilter(filters.value(0));
        emit dialog->filterSelected(filters.value(0));
        if (!QTest::qWaitFor([&] { return visible().contains(u"noextension"_s); }, 5000))
            qWarning("the dialog did not apply the first filter");
        shown << visible();
    };
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (auto *dialog = parent.findChild<QFileDialog *>(); dialog && dialog->isVisible()) {
            poll.stop();
            inspect(dialog);
            dialog->reject(); // whatever was seen, the dialog closes
        }
    });
    poll.start(10);
    QCOMPARE(chooseImageFile(&parent), QString());
    QCOMPARE(filters, (QStringList{u"All Files (*.*)"_s, u"All SNES ROM Files (*.swc, *.smc, *.fig)"_s,
                                   u"Super MagiCom ROM File (*.smc)"_s, u"Super Wild Card ROM File (*.swc)"_s,
                                   u"Super UFO 8/Pro Fighter X ROM File (*.fig)"_s}));
    QCOMPARE(filters, imageFileFilters());
    QCOMPARE(selected, filters.value(1));
    QCOMPARE(shown.value(0), u"UPPER.SWC copy.fig plain.smc"_s);
    QCOMPARE(shown.value(1), u"UPPER.SWC copy.fig noextension notes.txt plain.smc"_s);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
