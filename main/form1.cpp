#include "main/form1.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "catalogues/catalogue.h"
#include "catalogues/fill.h"
#include "games/caption.h"
#include "games/songexport.h"
#include "main/imagefiledialog.h"
#include "main/listcombo.h"
#include "windows/about.h"
#include "windows/controls.h"
#include "windows/dummy.h"
#include "windows/form2.h"
#include "windows/placement.h"

using namespace Qt::StringLiterals;
using windows::Placement;

namespace {

QString name(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// Client area of the window, in twips.
constexpr int CLIENT_WIDTH = 8490;
constexpr int CLIENT_HEIGHT = 7695;

// Places of the controls, in twips inside their containers.
constexpr Placement PLACEMENTS[] = {
    {"TabStrip1", 30, 30, 8325, 7125},
    {"ThisIsAFrameDoofusFRA", 180, 390, 7995, 6615},
    {"Frame1", 3750, 120, 4095, 585},
    {"SongIndexCBO", 180, 180, 3765, 315},
    {"InstrumentIndexFRAM", 3750, 720, 4095, 4605},
    {"SaveROMCMD", 4710, 5370, 1545, 315},
    {"ImportCMD", 6270, 5370, 1545, 315},
    {"CloseROMCMD", 4710, 5700, 1545, 315},
    {"ExportCMD", 6270, 5700, 1545, 315},
    {"MakerLBL", 4320, 6240, 3630, 255},
    {"InfoIMG", 60, 7290, 240, 240},
    {"InfoLBL", 360, 7290, 5430, 195},
    {"QuitCMD", 6810, 7260, 1545, 315},
    // Never shown.
    {"DummyLBL", 2520, 5880, 975, 255},
    {"SongSizeLBL", 2520, 6180, 975, 255},
    {"Label1", 120, 6270, 495, 255},
    {"CopyIndexFromTXT", 600, 6240, 375, 285},
    {"Label2", 1020, 6270, 615, 255},
    {"CopyIndexToTXT", 1680, 6240, 375, 285},
    {"Dummy2CMD", 2160, 6240, 975, 315},
};

// Game buttons: one column in the main frame; row r at top 180 + 300 r.
constexpr int OPTION_LEFT = 60;
constexpr int OPTION_TOP = 180;
constexpr int OPTION_PITCH = 300;
constexpr int OPTION_HEIGHT = 285;
// Slot rows in the slot frame: label and list of slot k, 330 twips apart.
constexpr int SLOT_PITCH = 330;
constexpr Placement SLOT_LABEL = {"", 150, 240, 315, 285};
constexpr Placement SLOT_LIST = {"", 540, 210, 3375, 315};

const QString EMPTY_ITEM = u"Empty"_s;
const QString DESIGN_ITEM = u"Dummy"_s;

QString optionCaption(std::string_view optionName)
{
    if (const games::GameProfile *game = games::profileForOption(optionName))
        return name(game->optionCaption);
    for (const games::UnsupportedGame &game : games::UNSUPPORTED_GAMES) {
        if (game.optionName == optionName)
            return name(game.optionCaption);
    }
    return {};
}

} // namespace

Form1::Form1(QWidget *parent)
    : QMainWindow(parent)
    , m_chooseImage(chooseImageFile)
{
    createControls();
    createMenus();
    placeControls();
    setTabOrder();
    connectControls();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Veltrano"_s);
    setWindowIcon(windows::programIcon());
    setFont(windows::interfaceFont());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);

    auto *client = new QWidget(this);
    client->setObjectName(u"client"_s);
    setCentralWidget(client);

    auto named = [](QWidget *widget, const QString &objectName) {
        widget->setObjectName(objectName);
        return widget;
    };

    TabStrip1 = new QTabWidget(client);
    named(TabStrip1, u"TabStrip1"_s);
    TabStrip1->addTab(new QWidget, u"SPC Sample Indexes"_s);
    TabStrip1->tabBar()->setTabData(0, u"spc_index_prop"_s);

    ThisIsAFrameDoofusFRA = new QGroupBox(client);
    named(ThisIsAFrameDoofusFRA, u"ThisIsAFrameDoofusFRA"_s);
    QWidget *frame = ThisIsAFrameDoofusFRA;

    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    for (size_t row = 0; row < games::GAME_BUTTON_ORDER.size(); ++row) {
        const std::string_view optionName = games::GAME_BUTTON_ORDER[row];
        auto *option = new QRadioButton(optionCaption(optionName), frame);
        named(option, name(optionName));
        group->addButton(option);
        m_gameOptions[row] = option;
        // Only the games with a profile can be chosen.
        const games::GameProfile *game = games::profileForOption(optionName);
        option->setEnabled(game != nullptr);
        if (game)
            m_profileOptions[size_t(game - games::GAME_PROFILES.data())] = option;
    }

    Frame1 = new QGroupBox(frame);
    named(Frame1, u"Frame1"_s);
    SongIndexCBO = new ListCombo(Frame1);
    named(SongIndexCBO, u"SongIndexCBO"_s);

    InstrumentIndexFRAM = new QGroupBox(frame);
    named(InstrumentIndexFRAM, u"InstrumentIndexFRAM"_s);
    for (int slot = 0; slot < games::SLOT_COUNT; ++slot) {
        m_slotLabels[slot] = new QLabel(games::slotLabel(games::PLAIN_SLOT_LABELS, slot), InstrumentIndexFRAM);
        named(m_slotLabels[slot], u"LBL"_s + games::slotLabel(games::PLAIN_SLOT_LABELS, slot).mid(1));
        m_sampleLists[slot] = new ListCombo(InstrumentIndexFRAM);
        named(m_sampleLists[slot], u"Sample%1CBO"_s.arg(slot + 1, 2, 10, QChar(u'0')));
    }
    SongIndexCBO->AddItem(DESIGN_ITEM);
    SongIndexCBO->setEnabled(false);
    for (ListCombo *list : m_sampleLists) {
        list->AddItem(DESIGN_ITEM);
        list->setEnabled(false);
    }

    auto button = [&](QWidget *parent, const QString &objectName, const QString &caption, bool enabled) {
        auto *command = new windows::CommandButton(caption, parent);
        named(command, objectName);
        command->setEnabled(enabled);
        return command;
    };
    SaveROMCMD = button(frame, u"SaveROMCMD"_s, u"Save Song Index"_s, false);
    ImportCMD = button(frame, u"ImportCMD"_s, u"Import Song..."_s, false);
    CloseROMCMD = button(frame, u"CloseROMCMD"_s, u"Close ROM"_s, false);
    ExportCMD = button(frame, u"ExportCMD"_s, u"Export Song..."_s, false);

    MakerLBL = new QLabel(u"Veltrano song index editor"_s, frame);
    named(MakerLBL, u"MakerLBL"_s);
    MakerLBL->setFont(windows::makerFont());

    // Hidden controls: never shown, kept as the window was designed.
    DummyLBL = new QLabel(u"000000"_s, frame);
    named(DummyLBL, u"DummyLBL"_s);
    DummyLBL->setFont(windows::interfaceFont(9.75, true));
    SongSizeLBL = new QLabel(u"0"_s, frame);
    named(SongSizeLBL, u"SongSizeLBL"_s);
    SongSizeLBL->setFont(windows::interfaceFont(9.75, true));
    Dummy2CMD = button(frame, u"Dummy2CMD"_s, u"Dummy"_s, false);
    Label1 = new QLabel(u"From:"_s, frame);
    named(Label1, u"Label1"_s);
    CopyIndexFromTXT = new QLineEdit(u"00"_s, frame);
    named(CopyIndexFromTXT, u"CopyIndexFromTXT"_s);
    Label2 = new QLabel(u" -> To:"_s, frame);
    named(Label2, u"Label2"_s);
    CopyIndexToTXT = new QLineEdit(u"00"_s, frame);
    named(CopyIndexToTXT, u"CopyIndexToTXT"_s);
    for (QLineEdit *edit : {CopyIndexFromTXT, CopyIndexToTXT})
        edit->setMaxLength(2);
    for (QWidget *hidden : std::initializer_list<QWidget *>{DummyLBL, SongSizeLBL, Dummy2CMD, Label1,
                                                            CopyIndexFromTXT, Label2, CopyIndexToTXT}) {
        hidden->setEnabled(hidden == DummyLBL || hidden == SongSizeLBL);
        hidden->setVisible(false);
    }

    QuitCMD = button(client, u"QuitCMD"_s, u"&Quit"_s, true);
    InfoIMG = new QLabel(client);
    named(InfoIMG, u"InfoIMG"_s);
    InfoIMG->setPixmap(windows::informationPixmap());
    InfoLBL = new QLabel(u"Import/Export are not available yet."_s, client);
    named(InfoLBL, u"InfoLBL"_s);
}

void Form1::createMenus()
{
    auto entry = [](QMenu *menu, const QString &objectName, const QString &caption, const QKeySequence &key) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(objectName);
        action->setShortcut(key);
        return action;
    };

    mnuFile = menuBar()->addMenu(u"&File"_s);
    mnuFile->setObjectName(u"mnuFile"_s);
    mnuOpenROM = entry(mnuFile, u"mnuOpenROM"_s, u"&Open ROM"_s, QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuCloseROM = entry(mnuFile, u"mnuCloseROM"_s, u"&Close ROM"_s, QKeySequence(Qt::CTRL | Qt::Key_W));
    mnuSaveROM = entry(mnuFile, u"mnuSaveROM"_s, u"&Save ROM"_s, QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSeperator1 = mnuFile->addSeparator();
    mnuSeperator1->setObjectName(u"mnuSeperator1"_s);
    mnuQuit = entry(mnuFile, u"mnuQuit"_s, u"&Quit"_s, QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnuCloseROM->setEnabled(false);
    mnuSaveROM->setEnabled(false);
    // The file menu is hidden and disabled for good, and its entries with it:
    // their shortcuts stay unreachable as well.
    mnuFile->menuAction()->setVisible(false);
    mnuFile->menuAction()->setEnabled(false);
    mnuFile->setEnabled(false);

    mnuInfo = menuBar()->addMenu(u"&Info"_s);
    mnuInfo->setObjectName(u"mnuInfo"_s);
    mnuAbout = entry(mnuInfo, u"mnuAbout"_s, u"&About"_s, QKeySequence(Qt::Key_F1));
}

void Form1::placeControls()
{
    windows::applyPlacements(this, PLACEMENTS);
    for (size_t row = 0; row < m_gameOptions.size(); ++row) {
        QRadioButton *option = m_gameOptions[row];
        option->adjustSize();
        option->setGeometry(windows::twips(OPTION_LEFT), windows::twips(OPTION_TOP + OPTION_PITCH * int(row)),
                            option->sizeHint().width(), windows::twips(OPTION_HEIGHT));
    }
    for (int slot = 0; slot < games::SLOT_COUNT; ++slot) {
        const int down = SLOT_PITCH * slot;
        m_slotLabels[slot]->setGeometry(windows::twips(SLOT_LABEL.left), windows::twips(SLOT_LABEL.top + down),
                                        windows::twips(SLOT_LABEL.width), windows::twips(SLOT_LABEL.height));
        m_sampleLists[slot]->setGeometry(windows::twips(SLOT_LIST.left), windows::twips(SLOT_LIST.top + down),
                                         windows::twips(SLOT_LIST.width), windows::twips(SLOT_LIST.height));
    }
    ThisIsAFrameDoofusFRA->raise();
    centralWidget()->setFixedSize(windows::twips(CLIENT_WIDTH), windows::twips(CLIENT_HEIGHT));
    setFixedSize(windows::twips(CLIENT_WIDTH), windows::twips(CLIENT_HEIGHT) + menuBar()->sizeHint().height());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Form1::setTabOrder()
{
    std::vector<QWidget *> order{QuitCMD};
    order.insert(order.end(), m_gameOptions.begin(), m_gameOptions.end());
    order.push_back(SongIndexCBO);
    order.insert(order.end(), m_sampleLists.begin(), m_sampleLists.end());
    order.insert(order.end(), {SaveROMCMD, CloseROMCMD, ImportCMD, ExportCMD, CopyIndexFromTXT, CopyIndexToTXT,
                               Dummy2CMD, TabStrip1});
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    for (QWidget *label : std::initializer_list<QWidget *>{InfoIMG, InfoLBL, MakerLBL})
        label->setFocusPolicy(Qt::NoFocus);
    QuitCMD->setFocus();
}

void Form1::connectControls()
{
    for (const games::GameProfile &game : games::GAME_PROFILES) {
        QRadioButton *option = optionOf(game);
        connect(option, &QRadioButton::clicked, this, [this, option, &game] {
            // A click on the button already set changes nothing.
            if (option == m_setGameOption)
                return;
            m_setGameOption = option;
            gameOption_Click(game);
        });
    }
    connect(SongIndexCBO, &ListCombo::selected, this, &Form1::SongIndexCBO_Click);
    for (ListCombo *list : m_sampleLists)
        connect(list, &ListCombo::picked, this, &Form1::SampleCBO_Click);
    connect(SaveROMCMD, &QPushButton::clicked, this, &Form1::SaveROMCMD_Click);
    connect(CloseROMCMD, &QPushButton::clicked, this, &Form1::CloseROMCMD_Click);
    connect(QuitCMD, &QPushButton::clicked, this, &Form1::QuitCMD_Click);
    connect(ExportCMD, &QPushButton::clicked, this, &Form1::ExportCMD_Click);
    connect(Dummy2CMD, &QPushButton::clicked, this, &Form1::Dummy2CMD_Click);
    connect(mnuOpenROM, &QAction::triggered, this, &Form1::mnuOpenROM_Click);
    connect(mnuCloseROM, &QAction::triggered, this, &Form1::mnuCloseROM_Click);
    connect(mnuSaveROM, &QAction::triggered, this, &Form1::mnuSaveROM_Click);
    connect(mnuQuit, &QAction::triggered, this, &Form1::mnuQuit_Click);
    connect(mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
}

void Form1::Form_Load()
{
    setWindowTitle(games::plainCaption());
}

windows::Form2 *Form1::form2() const
{
    return m_form2;
}

QRadioButton *Form1::optionOf(const games::GameProfile &game) const
{
    return m_profileOptions[size_t(&game - games::GAME_PROFILES.data())];
}

QRadioButton *Form1::gameOption(std::string_view optionName) const
{
    for (QRadioButton *option : m_gameOptions) {
        if (option->objectName() == name(optionName))
            return option;
    }
    return nullptr;
}

// ---- The image ----

void Form1::LoadROM()
{
    setWindowTitle(games::plainCaption());
    const QString path = m_chooseImage(this);
    CloseROM();
    if (path.isEmpty())
        return; // cancelled: no image is open, and nothing needs saying

    const games::ImageError error = m_image.open(path);
    if (error.isError()) {
        showError(error);
        return;
    }

    if (!m_form2)
        m_form2 = new windows::Form2(this);
    m_form2->ROMLBL->setText(path);

    mnuCloseROM->setEnabled(true);
    mnuSaveROM->setEnabled(true);
    SaveROMCMD->setEnabled(true);
    SongIndexCBO->setEnabled(true);
    for (ListCombo *list : m_sampleLists)
        list->setEnabled(true);
}

void Form1::CloseROM()
{
    m_image.close();
    mnuCloseROM->setEnabled(false);
    for (QWidget *command : std::initializer_list<QWidget *>{SaveROMCMD, ExportCMD, ImportCMD, CloseROMCMD})
        command->setEnabled(false);
    setWindowTitle(games::plainCaption());

    // The song list always holds an item, so this selection raises its event.
    SongIndexCBO->setListIndex(0);
    SongIndexCBO->setEnabled(false);

    for (ListCombo *list : m_sampleLists)
        list->Clear();
    for (ListCombo *list : m_sampleLists)
        list->AddItem(EMPTY_ITEM);
    for (ListCombo *list : m_sampleLists)
        list->setListIndex(0);
    for (ListCombo *list : m_sampleLists)
        list->setEnabled(false);
    for (int slot = 0; slot < games::SLOT_COUNT; ++slot)
        m_slotLabels[slot]->setText(games::slotLabel(games::PLAIN_SLOT_LABELS, slot));
}

void Form1::clearGameOptions()
{
    // An exclusive group refuses to leave every button clear.
    QButtonGroup *group = m_gameOptions.front()->group();
    group->setExclusive(false);
    for (QRadioButton *option : m_gameOptions)
        option->setChecked(false);
    group->setExclusive(true);
    m_setGameOption = nullptr;
}

void Form1::CloseROMCMD_Click()
{
    CloseROM();
    clearGameOptions();
}

void Form1::mnuCloseROM_Click()
{
    CloseROM();
    clearGameOptions();
}

void Form1::mnuOpenROM_Click()
{
    LoadROM();
}

void Form1::quitProgram()
{
    m_image.close();
    emit quitRequested();
    QCoreApplication::quit();
}

void Form1::QuitCMD_Click()
{
    quitProgram();
}

void Form1::mnuQuit_Click()
{
    quitProgram();
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    quitProgram();
}

// ---- Songs ----

const games::GameProfile *Form1::currentGame(std::span<const std::string_view> order) const
{
    for (std::string_view token : order) {
        const games::GameProfile *game = games::profileFor(token);
        if (optionOf(*game)->isChecked())
            return game;
    }
    return nullptr;
}

void Form1::SongIndexCBO_Click()
{
    if (const games::GameProfile *game = currentGame(games::SELECTION_ORDER))
        LoadIndex(*game);
}

void Form1::SampleCBO_Click()
{
    games::slotPicked(m_image, *this);
}

void Form1::LoadIndex(const games::GameProfile &game)
{
    showError(games::loadSongIndex(game, m_image, *this));
}

void Form1::SaveROM()
{
    for (std::string_view token : games::SAVE_ORDER) {
        const games::GameProfile *game = games::profileFor(token);
        if (optionOf(*game)->isChecked())
            SaveIndex(*game);
    }
}

void Form1::SaveIndex(const games::GameProfile &game)
{
    showError(games::saveSongIndex(game, m_image, *this));
}

void Form1::SaveROMCMD_Click()
{
    SaveROM();
}

void Form1::mnuSaveROM_Click()
{
    SaveROM();
}

// ---- Game choice ----

void Form1::gameOption_Click(const games::GameProfile &game)
{
    const catalogues::Catalogue *catalogue = catalogues::catalogueFor(game.token);
    CloseROM();
    LoadROM();
    CloseROMCMD->setEnabled(true);
    // The song fill's selection of song 0 runs a first load against the
    // "Empty" slot lists; the load after the instrument fill is the one that shows.
    catalogues::fillSongList(*catalogue, *SongIndexCBO);
    std::array<games::ListControl *, games::SLOT_COUNT> lists{};
    std::copy(m_sampleLists.begin(), m_sampleLists.end(), lists.begin());
    catalogues::fillSampleLists(*catalogue, lists, [] {
        // Long fills keep the window painted, but the user's clicks and keys
        // wait until the whole choice is done.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    LoadIndex(game);
    for (int slot = 0; slot < game.labelsSetByChoice; ++slot)
        m_slotLabels[slot]->setText(games::slotLabel(game.slotLabelBase, slot));
}

// ---- Secondary windows ----

void Form1::mnuAbout_Click()
{
    // A new window for every showing, deleted once closed.
    auto *about = new windows::About(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    windows::showModal(about);
}

games::ImageError Form1::Export(const std::function<void(const QByteArray &block)> &output)
{
    const games::SongExport song = games::exportSong(m_image, SongIndexCBO->ListIndex());
    if (song.error.isError())
        return song.error;
    SongSizeLBL->setText(QString::number(song.block.size()));
    if (output)
        output(song.block);
    return {};
}

void Form1::ExportCMD_Click()
{
    // The export has no destination yet; the button stays disabled.
    Export({});
}

void Form1::Dummy2CMD_Click()
{
    if (!m_form2)
        m_form2 = new windows::Form2(this);
    windows::showModal(m_form2);
}

void Form1::ShowDummyWindow()
{
    auto *dummy = new windows::Dummy(this);
    dummy->setAttribute(Qt::WA_DeleteOnClose);
    connect(dummy, &windows::Dummy::quitRequested, this, &Form1::quitProgram);
    windows::showModal(dummy);
}

// ---- What loading and saving see of the window ----

games::ListControl &Form1::songList()
{
    return *SongIndexCBO;
}

games::ListControl &Form1::slotList(int slot)
{
    return *m_sampleLists[slot];
}

void Form1::setCaption(const QString &caption)
{
    // "[*]" in a window title is Qt's placeholder for the modified mark; a
    // title that holds it is shown as it stands.
    setWindowTitle(QString(caption).replace(u"[*]"_s, u"[*][*]"_s));
}

void Form1::setSaveEnabled(bool enabled)
{
    SaveROMCMD->setEnabled(enabled);
}

void Form1::setSlotListEnabled(int slot, bool enabled)
{
    m_sampleLists[slot]->setEnabled(enabled);
}

void Form1::showError(const games::ImageError &error)
{
    if (error.isError() && error.kind != games::ImageError::Kind::NotOpen)
        windows::showMessage(this, error.message);
}
