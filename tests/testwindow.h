#pragma once

#include <array>
#include <functional>

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>

#include "games/gameprofile.h"
#include "games/songindex.h"
#include "main/form1.h"
#include "main/listcombo.h"

inline const games::GameProfile &game(const char *token)
{
    return *games::profileFor(token);
}

// The main window with a file dialog that answers what the test says.
struct Window {
    Window()
    {
        form.setImageChooser([this](QWidget *) {
            ++dialogs;
            if (whileDialogIsOpen)
                whileDialogIsOpen();
            return answer;
        });
    }

    // Clicks a game button as the user does; the dialog answers path.
    void choose(const games::GameProfile &profile, const QString &path)
    {
        answer = path;
        form.gameOption(profile.optionName)->click();
    }

    std::array<int, games::SLOT_COUNT> shown() const
    {
        std::array<int, games::SLOT_COUNT> positions{};
        for (int slot = 0; slot < games::SLOT_COUNT; ++slot)
            positions[slot] = form.sampleList(slot)->ListIndex();
        return positions;
    }

    QStringList labels() const
    {
        QStringList texts;
        for (int slot = 0; slot < games::SLOT_COUNT; ++slot)
            texts << form.slotLabelOf(slot)->text();
        return texts;
    }

    // Picks each slot's position as the user does.
    void pick(const std::array<int, games::SLOT_COUNT> &positions)
    {
        for (int slot = 0; slot < games::SLOT_COUNT; ++slot)
            form.sampleList(slot)->setCurrentIndex(positions[slot]);
    }

    QList<QMessageBox *> messages() const
    {
        QList<QMessageBox *> boxes;
        for (QMessageBox *box : form.findChildren<QMessageBox *>()) {
            if (box->isVisible())
                boxes << box;
        }
        return boxes;
    }

    // The one message shown now; empty when there is none or more than one.
    QString message() const
    {
        const QList<QMessageBox *> boxes = messages();
        return boxes.size() == 1 ? boxes.front()->text() : QString();
    }

    void closeMessages()
    {
        for (QMessageBox *box : messages())
            box->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Form1 form;
    QString answer;
    int dialogs = 0;
    std::function<void()> whileDialogIsOpen;
};
