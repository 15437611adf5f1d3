#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace windows {

// The export window. Every successful open creates it hidden (if it is not)
// and keeps the image's path in ROMLBL; "&Close" deletes it.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    explicit Form2(QWidget *parent);

    QLabel *ROMLBL = nullptr;

    void CloseCMD_Click();

private:
    void setupWindow();
    void createControls();
    void connectControls();

    QPushButton *m_closeButton = nullptr;
};

} // namespace windows
