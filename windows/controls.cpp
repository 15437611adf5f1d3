#include "windows/controls.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QProxyStyle>

namespace windows {

CommandButton::CommandButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // An auto-default button in a dialog becomes the default one, which
    // Enter presses from any control of the dialog.
    setAutoDefault(false);
    setDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // One press, one click: holding the key down repeats nothing.
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

namespace {

// The application's style, except that drop-down lists open as a list below
// the control, where the visible-row limit holds.
class BoundedDropDownStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void boundDropDown(QComboBox *list)
{
    // The style in use goes on underneath: no second style is made, and every
    // window looks as before.
    if (!qobject_cast<BoundedDropDownStyle *>(QApplication::style()))
        QApplication::setStyle(new BoundedDropDownStyle(QApplication::style()));
    list->setMaxVisibleItems(DROP_DOWN_ROWS);
}

void showModal(QDialog *window)
{
    window->setWindowModality(Qt::WindowModal);
    window->exec();
}

} // namespace windows

#include "controls.moc"
