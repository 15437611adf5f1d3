#include "windows/form2.h"

#include <array>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "windows/controls.h"
#include "windows/placement.h"

using namespace Qt::StringLiterals;

namespace windows {
namespace {

constexpr int CLIENT_WIDTH = 8040;
constexpr int CLIENT_HEIGHT = 6090;

// Each place is relative to the control's own container.
constexpr std::array<Placement, 8> PLACEMENTS = {{
    {"CloseCMD", 6330, 5610, 1545, 315},
    {"AFrameForYouMiLordFRA", 90, 90, 7845, 5415},
    {"Frame1", 3330, 150, 4395, 1425},
    {"SPCFileNameTXT", 1020, 810, 3045, 285},
    {"ExportCMD", 330, 630, 615, 615},
    {"SongIndexCBO", 300, 210, 3765, 315},
    {"MakerLBL", 4890, 5070, 2790, 255},
    {"ROMLBL", 840, 5640, 5445, 255},
}};

QGroupBox *untitledFrame(const QString &name, QWidget *parent)
{
    auto *frame = new QGroupBox(parent);
    frame->setObjectName(name);
    return frame;
}

} // namespace

Form2::Form2(QWidget *parent)
    : QDialog(parent)
{
    setupWindow();
    createControls();
    applyPlacements(this, PLACEMENTS);
    connectControls();
}

void Form2::setupWindow()
{
    // Closing unloads the window: the path in ROMLBL goes with it until the
    // next open of an image creates the window again.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setObjectName(u"Form2"_s);
    setWindowTitle(u"Tab Template Form"_s);
    setWindowIcon(style()->standardIcon(QStyle::SP_FileIcon));
    setFont(interfaceFont());
    setFixedClientSize(this, CLIENT_WIDTH, CLIENT_HEIGHT);
}

void Form2::createControls()
{
    QGroupBox *outerFrame = untitledFrame(u"AFrameForYouMiLordFRA"_s, this);
    QGroupBox *songFrame = untitledFrame(u"Frame1"_s, outerFrame);

    auto *songList = new QComboBox(songFrame);
    songList->setObjectName(u"SongIndexCBO"_s);
    songList->addItem(u"Dummy"_s);
    songList->setCurrentIndex(-1);
    songList->setEnabled(false);
    boundDropDown(songList);

    auto *exportButton = new CommandButton(QString(), songFrame);
    exportButton->setObjectName(u"ExportCMD"_s);
    exportButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    exportButton->setIconSize(QSize(32, 32));

    auto *fileName = new QLineEdit(songFrame);
    fileName->setObjectName(u"SPCFileNameTXT"_s);

    auto *maker = new QLabel(u"Made by the Veltrano developers"_s, outerFrame);
    maker->setObjectName(u"MakerLBL"_s);
    maker->setFont(makerFont());

    m_closeButton = new CommandButton(u"&Close"_s, this);
    m_closeButton->setObjectName(u"CloseCMD"_s);

    ROMLBL = new QLabel(this);
    ROMLBL->setObjectName(u"ROMLBL"_s);
    ROMLBL->setVisible(false);
}

void Form2::connectControls()
{
    connect(m_closeButton, &QPushButton::clicked, this, &Form2::CloseCMD_Click);
}

void Form2::CloseCMD_Click()
{
    close();
}

} // namespace windows
