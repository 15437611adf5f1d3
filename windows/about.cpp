#include "windows/about.h"

#include <array>

#include <QDesktopServices>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

#include "games/caption.h"
#include "windows/controls.h"
#include "windows/placement.h"

using namespace Qt::StringLiterals;

namespace windows {
namespace {

constexpr int CLIENT_WIDTH = 7980;
constexpr int CLIENT_HEIGHT = 4245;

// Frame1 is wider than the window and reaches below it, so that only its top
// edge shows: a line across the whole window. Its two children are placed
// relative to it.
constexpr std::array<Placement, 6> PLACEMENTS = {{
    {"Image1", 60, 60, 6000, 2400},
    {"URLLBL", 180, 2220, 3000, 195},
    {"ProgramInfoLBL", 3570, 1350, 4365, 2055},
    {"Frame1", -1620, 3300, 11025, 4035},
    {"WarningLBL", 1680, 210, 5805, 645},
    {"CloseCMD", 7830, 540, 1695, 315},
}};

constexpr QSize PICTURE_SIZE(400, 160);

// The link shows a short address; the page it opens is a different one.
constexpr auto SHOWN_ADDRESS = u"www.example.org/veltrano";
constexpr auto HOME_PAGE = u"https://example.org/veltrano/";

// clang-format off
constexpr std::array<std::u16string_view, 5> CREDITS = {
    u"Everyone who tested the early releases",
    u"Everyone who reported a fault",
    u"Everyone who shared notes on song tables",
    u"Everyone who suggested an improvement",
    u"And you, for using this program",
};
// clang-format on

// The picture across the top left of the window. The link and the program
// information are drawn over its lower left and right parts, so those stay
// plain.
QPixmap aboutPicture(const QFont &baseFont)
{
    QPixmap picture(PICTURE_SIZE);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRect band(0, 0, PICTURE_SIZE.width(), 80);
    QLinearGradient background(band.topLeft(), band.bottomLeft());
    background.setColorAt(0.0, QColor(0x2B, 0x4C, 0x7E));
    background.setColorAt(1.0, QColor(0x56, 0x7E, 0xB9));
    painter.fillRect(band, background);

    // A row of small keys along the band's lower edge.
    painter.setPen(QPen(QColor(0x1E, 0x33, 0x55), 1));
    for (int key = 0; key < 14; ++key) {
        const QRectF white(228 + key * 12, 8, 11, 40);
        painter.setBrush(QColor(0xF4, 0xF4, 0xF0));
        painter.drawRect(white);
    }
    painter.setBrush(QColor(0x1E, 0x1E, 0x24));
    constexpr std::array<int, 10> BLACK_KEYS = {0, 1, 3, 4, 5, 7, 8, 10, 11, 12};
    for (const int key : BLACK_KEYS)
        painter.drawRect(QRectF(228 + key * 12 + 8, 8, 7, 24));

    QFont title = baseFont;
    title.setPointSizeF(24);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(14, 6, 210, 44), Qt::AlignLeft | Qt::AlignVCenter, u"Veltrano"_s);

    QFont subtitle = baseFont;
    subtitle.setPointSizeF(9);
    painter.setFont(subtitle);
    painter.setPen(QColor(0xE4, 0xEC, 0xF8));
    painter.drawText(QRect(16, 52, 210, 30), Qt::AlignLeft | Qt::AlignTop, u"Song sample-index editor"_s);
    return picture;
}

// The window's own 16 x 16 icon: a note on a round badge.
QIcon aboutIcon()
{
    return QIcon(windows::drawnPixmap(QSize(16, 16), [](QPainter &painter) {
        painter.setBrush(QColor(0x2B, 0x4C, 0x7E));
        painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(4, 9, 5, 4));
        painter.drawRect(QRectF(7.5, 3, 1.5, 8));
        painter.drawRect(QRectF(7.5, 3, 4, 1.5));
    }));
}

} // namespace

QString programInformation()
{
    // Lines joined by CR LF, none after the last credit. "Updated:" keeps its
    // three blanks and "Special thanks: " its trailing blank.
    QString text = u"Released: 10/29/2006\r\n"
                   u"Updated:   5/7/2011\r\n"
                   u"Version: %1a\r\n"
                   u"\r\n"
                   u"Special thanks: "_s.arg(games::shortVersion());
    for (const std::u16string_view name : CREDITS)
        text += u"\r\n"_s + QString::fromUtf16(name.data(), qsizetype(name.size()));
    return text;
}

QUrl makerHomePage()
{
    return QUrl(QString::fromUtf16(HOME_PAGE));
}

About::About(QWidget *parent)
    : QDialog(parent)
{
    setupWindow();
    createControls();
    applyPlacements(this, PLACEMENTS);
    setFocusOrder();
    connectControls();
    Form_Load();
}

void About::setupWindow()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setObjectName(u"About"_s);
    setWindowTitle(u"About this Program..."_s);
    setWindowIcon(aboutIcon());
    setFont(interfaceFont());
    setFixedClientSize(this, CLIENT_WIDTH, CLIENT_HEIGHT);
}

void About::createControls()
{
    // Created bottom first: the labels lie over the picture.
    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setPixmap(aboutPicture(font()));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    URLLBL = new QLabel(QString::fromUtf16(SHOWN_ADDRESS), this);
    URLLBL->setObjectName(u"URLLBL"_s);
    QFont linkFont = font();
    linkFont.setUnderline(true);
    URLLBL->setFont(linkFont);
    QPalette linkPalette = URLLBL->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    URLLBL->setPalette(linkPalette);
    URLLBL->setCursor(Qt::PointingHandCursor);
    URLLBL->setToolTip(u"Visit the home page"_s);
    URLLBL->installEventFilter(this);

    ProgramInfoLBL = new QLabel(this);
    ProgramInfoLBL->setObjectName(u"ProgramInfoLBL"_s);
    ProgramInfoLBL->setTextFormat(Qt::PlainText);
    ProgramInfoLBL->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_frame = new QGroupBox(this);
    m_frame->setObjectName(u"Frame1"_s);

    WarningLBL = new QLabel(u"This program changes ROM image files in place and is provided as is, "
                            u"without any warranty. Keep a copy of every image before you edit it."_s,
                            m_frame);
    WarningLBL->setObjectName(u"WarningLBL"_s);
    WarningLBL->setWordWrap(true);
    WarningLBL->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    CloseCMD = new CommandButton(u"&Close"_s, m_frame);
    CloseCMD->setObjectName(u"CloseCMD"_s);
}

void About::setFocusOrder()
{
    // Only "&Close" takes the focus; the others keep their designed places.
    QWidget::setTabOrder(m_frame, WarningLBL);
    QWidget::setTabOrder(WarningLBL, CloseCMD);
    QWidget::setTabOrder(CloseCMD, ProgramInfoLBL);
    QWidget::setTabOrder(ProgramInfoLBL, URLLBL);
    CloseCMD->setFocus();
}

void About::connectControls()
{
    connect(CloseCMD, &QPushButton::clicked, this, &About::CloseCMD_Click);
}

void About::Form_Load()
{
    ProgramInfoLBL->setText(programInformation());
}

bool About::eventFilter(QObject *watched, QEvent *event)
{
    // A label has no click of its own: a left button released over the link is one.
    if (watched == URLLBL && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && URLLBL->rect().contains(mouse->position().toPoint())) {
            URLLBL_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void About::URLLBL_Click()
{
    // The desktop opens the page on its own; a failure is the desktop's to show.
    QDesktopServices::openUrl(makerHomePage());
}

void About::CloseCMD_Click()
{
    close();
}

} // namespace windows
