#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

namespace windows {

// The About window: created afresh for every showing and deleted when closed.
class About : public QDialog
{
    Q_OBJECT

public:
    explicit About(QWidget *parent);

    QLabel *Image1 = nullptr;
    QLabel *URLLBL = nullptr;
    QLabel *ProgramInfoLBL = nullptr;
    QLabel *WarningLBL = nullptr;
    QPushButton *CloseCMD = nullptr;

    void URLLBL_Click();
    void CloseCMD_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupWindow();
    void createControls();
    void setFocusOrder();
    void connectControls();
    // Writes the program information, afresh for every window.
    void Form_Load();

    QGroupBox *m_frame = nullptr;
};

// The program information text, lines joined by CR LF, none after the last.
QString programInformation();

// The page the link opens.
QUrl makerHomePage();

} // namespace windows
