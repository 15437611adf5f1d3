#include "windows/placement.h"

#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QMessageBox>
#include <QString>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace windows {

void applyPlacements(QWidget *root, std::span<const Placement> placements)
{
    for (const Placement &place : placements) {
        const QString name = QString::fromLatin1(place.objectName.data(), qsizetype(place.objectName.size()));
        QWidget *widget = root->objectName() == name ? root : root->findChild<QWidget *>(name);
        if (widget)
            widget->setGeometry(twips(place.left), twips(place.top), twips(place.width), twips(place.height));
    }
}

void setFixedClientSize(QWidget *window, int widthTwips, int heightTwips)
{
    window->setFixedSize(twips(widthTwips), twips(heightTwips));
}

namespace {

// The first of the families that is installed; the font database is filled
// for the first text drawn anyway, so asking it costs nothing extra, and a
// name it does not know never reaches fontconfig's substitution.
QString installedFamily(std::initializer_list<QString> wanted)
{
    const QStringList families = QFontDatabase::families();
    for (const QString &family : wanted) {
        if (families.contains(family))
            return family;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

} // namespace

QFont interfaceFont(qreal pointSize, bool bold)
{
    // The layouts were drawn for Tahoma 8.25 pt; DejaVu Sans Condensed comes
    // closest among the fonts a Debian desktop has.
    static const QString family = installedFamily({u"Tahoma"_s, u"DejaVu Sans Condensed"_s, u"DejaVu Sans"_s});
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont makerFont()
{
    static const QString family = installedFamily({u"Verdana"_s, u"DejaVu Sans"_s});
    QFont font(family);
    font.setPointSizeF(9.75);
    return font;
}

QPixmap drawnPixmap(QSize size, const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    draw(painter);
    painter.end();
    return pixmap;
}

QIcon programIcon()
{
    // A blue tile with a white eighth note.
    return QIcon(drawnPixmap(QSize(32, 32), [](QPainter &painter) {
        painter.setBrush(QColor(40, 90, 170));
        painter.drawRoundedRect(1, 1, 30, 30, 6, 6);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(7, 19, 10, 8));
        painter.drawRect(QRectF(15, 6, 2.5, 17));
        painter.drawPolygon(QPolygonF({QPointF(17, 6), QPointF(25, 11), QPointF(25, 14), QPointF(17, 10)}));
    }));
}

QPixmap informationPixmap()
{
    // A blue disc with a white "i", drawn as shapes so no font is needed.
    return drawnPixmap(QSize(16, 16), [](QPainter &painter) {
        painter.setBrush(QColor(30, 100, 200));
        painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(6.75, 3, 2.5, 2.5));
        painter.drawRect(QRectF(7, 6.5, 2, 6.5));
    });
}

void showMessage(QWidget *parent, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Warning, u"Veltrano"_s, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

} // namespace windows
