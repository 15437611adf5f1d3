#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace windows {

// The developer window that writes placeholder song lines.
class Dummy : public QDialog
{
    Q_OBJECT

public:
    explicit Dummy(QWidget *parent);

    QPlainTextEdit *DummyTXT = nullptr;
    QPushButton *CloseCMD = nullptr;
    QPushButton *GenerateIndexesTXT = nullptr;

    void GenerateIndexesTXT_Click();
    void CloseCMD_Click();

signals:
    // "&Close" ends the whole program, not only this window.
    void quitRequested();

private:
    void setupWindow();
    void createControls();
    void connectControls();
};

} // namespace windows
