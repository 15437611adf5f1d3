#pragma once

#include <array>
#include <functional>

#include <QMainWindow>
#include <QPointer>

#include "games/gameprofile.h"
#include "games/romimage.h"
#include "games/songindex.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class ListCombo;

namespace windows {
class Form2;
}

// The main window. All editing state lives in its controls: the current game
// is the game button that is set, the current song is the song list's
// selection, and slot k's value is the selection of slot list k + 1.
class Form1 : public QMainWindow, public games::SongIndexView
{
    Q_OBJECT

public:
    // Asks the user for an image; returns its path, or nothing when cancelled.
    using ImageChooser = std::function<QString(QWidget *parent)>;

    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Tests put a chooser of their own in place of the file dialog.
    void setImageChooser(ImageChooser chooser) { m_chooseImage = std::move(chooser); }
    const games::RomImage &image() const { return m_image; }
    windows::Form2 *form2() const;
    QRadioButton *gameOption(std::string_view optionName) const;
    ListCombo *sampleList(int slot) const { return m_sampleLists[slot]; }
    QLabel *slotLabelOf(int slot) const { return m_slotLabels[slot]; }

    // Controls, named as the window's design names them.
    QTabWidget *TabStrip1 = nullptr;
    QGroupBox *ThisIsAFrameDoofusFRA = nullptr;
    QGroupBox *Frame1 = nullptr;
    QGroupBox *InstrumentIndexFRAM = nullptr;
    ListCombo *SongIndexCBO = nullptr;
    QPushButton *SaveROMCMD = nullptr;
    QPushButton *ImportCMD = nullptr;
    QPushButton *CloseROMCMD = nullptr;
    QPushButton *ExportCMD = nullptr;
    QPushButton *QuitCMD = nullptr;
    QLabel *MakerLBL = nullptr;
    QLabel *InfoIMG = nullptr;
    QLabel *InfoLBL = nullptr;
    QLabel *DummyLBL = nullptr;
    QLabel *SongSizeLBL = nullptr;
    QPushButton *Dummy2CMD = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *CopyIndexFromTXT = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *CopyIndexToTXT = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuOpenROM = nullptr;
    QAction *mnuCloseROM = nullptr;
    QAction *mnuSaveROM = nullptr;
    QAction *mnuSeperator1 = nullptr;
    QAction *mnuQuit = nullptr;
    QMenu *mnuInfo = nullptr;
    QAction *mnuAbout = nullptr;

    // Commands and handlers.
    void LoadROM();
    void CloseROM();
    void SaveROM();
    void SongIndexCBO_Click();
    // The user's pick in any of the thirteen slot lists.
    void SampleCBO_Click();
    // The click of a game button (FF5OPT_Click and its ten siblings).
    void gameOption_Click(const games::GameProfile &game);
    void LoadIndex(const games::GameProfile &game);
    void SaveIndex(const games::GameProfile &game);
    void SaveROMCMD_Click();
    void mnuSaveROM_Click();
    void CloseROMCMD_Click();
    void mnuCloseROM_Click();
    void mnuOpenROM_Click();
    void QuitCMD_Click();
    void mnuQuit_Click();
    void mnuAbout_Click();
    void ExportCMD_Click();
    // Hands the selected song's data block to output; the error says why not.
    games::ImageError Export(const std::function<void(const QByteArray &block)> &output);
    void Dummy2CMD_Click();

    // What loading and saving need of the window.
    games::ListControl &songList() override;
    games::ListControl &slotList(int slot) override;
    void setCaption(const QString &caption) override;
    void setSaveEnabled(bool enabled) override;
    void setSlotListEnabled(int slot, bool enabled) override;

signals:
    // The program is to end now (Quit, the close box, the developer window).
    void quitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void placeControls();
    void setTabOrder();
    void connectControls();
    void Form_Load();

    void ShowDummyWindow();
    void clearGameOptions();
    void quitProgram();
    void showError(const games::ImageError &error);
    const games::GameProfile *currentGame(std::span<const std::string_view> order) const;

    QRadioButton *optionOf(const games::GameProfile &game) const;

    std::array<QRadioButton *, 18> m_gameOptions{}; // top to bottom
    std::array<QRadioButton *, games::GAME_PROFILES.size()> m_profileOptions{}; // by profile
    std::array<ListCombo *, games::SLOT_COUNT> m_sampleLists{};
    std::array<QLabel *, games::SLOT_COUNT> m_slotLabels{};
    const QRadioButton *m_setGameOption = nullptr; // the button set by the last click

    games::RomImage m_image;
    QPointer<windows::Form2> m_form2;
    ImageChooser m_chooseImage;
};
