#pragma once

#include <QPushButton>

class QComboBox;
class QDialog;

namespace windows {

// A command button that Return and Enter press while it has the focus, as
// Space does. It is never a default button: Enter with the focus elsewhere
// presses nothing.
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CommandButton(const QString &caption, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// Rows a drop-down list shows when open; more scroll.
inline constexpr int DROP_DOWN_ROWS = 8;

// Makes a drop-down list open at the control as a list of at most
// DROP_DOWN_ROWS rows with a scroll bar. Some styles open every drop-down as a
// column over the control, as tall as the screen and ignoring the row limit;
// the first call keeps the application's style from doing so.
void boundDropDown(QComboBox *list);

// Shows a window modal to its parent window and returns once it is closed.
void showModal(QDialog *window);

} // namespace windows
