#include "windows/dummy.h"

#include <array>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "windows/controls.h"
#include "windows/placement.h"
#include "windows/songlines.h"

using namespace Qt::StringLiterals;

namespace windows {
namespace {

constexpr int CLIENT_WIDTH = 7260;
constexpr int CLIENT_HEIGHT = 6195;

// The text box fills the window above the two buttons at the bottom right.
constexpr std::array<Placement, 3> PLACEMENTS = {{
    {"DummyTXT", 90, 60, 7095, 5655},
    {"GenerateIndexesTXT", 4050, 5820, 1545, 315},
    {"CloseCMD", 5610, 5820, 1545, 315},
}};

} // namespace

Dummy::Dummy(QWidget *parent)
    : QDialog(parent)
{
    setupWindow();
    createControls();
    applyPlacements(this, PLACEMENTS);
    setTabOrder(DummyTXT, CloseCMD);
    setTabOrder(CloseCMD, GenerateIndexesTXT);
    connectControls();
    DummyTXT->setFocus();
}

void Dummy::setupWindow()
{
    // A tool window: small title bar with a close box only, kept off the task bar.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setObjectName(u"Dummy"_s);
    setWindowTitle(u"Dummy"_s);
    setFont(interfaceFont());
    setFixedClientSize(this, CLIENT_WIDTH, CLIENT_HEIGHT);
}

void Dummy::createControls()
{
    DummyTXT = new QPlainTextEdit(this);
    DummyTXT->setObjectName(u"DummyTXT"_s);

    CloseCMD = new CommandButton(u"&Close"_s, this);
    CloseCMD->setObjectName(u"CloseCMD"_s);

    GenerateIndexesTXT = new CommandButton(u"&Generate Indexes"_s, this);
    GenerateIndexesTXT->setObjectName(u"GenerateIndexesTXT"_s);
}

void Dummy::connectControls()
{
    connect(CloseCMD, &QPushButton::clicked, this, &Dummy::CloseCMD_Click);
    connect(GenerateIndexesTXT, &QPushButton::clicked, this, &Dummy::GenerateIndexesTXT_Click);
}

void Dummy::GenerateIndexesTXT_Click()
{
    // Appended to whatever the box holds, without a line break in front; each
    // CR LF becomes one line break of the box.
    QTextCursor end(DummyTXT->document());
    end.movePosition(QTextCursor::End);
    end.insertText(placeholderSongLines());
}

void Dummy::CloseCMD_Click()
{
    emit quitRequested();
}

} // namespace windows
