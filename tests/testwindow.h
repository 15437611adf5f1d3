#pragma once

#include <array>
#include <functional>

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "games/gameprofile.h"
#include "games/songindex.h"
#include "main/form1.h"
#include "main/listcombo.h"

inline const games::GameProfile &game(const char *token)
{
    return *games::profileFor(token);
}

// Once a window of type T over parent is shown (a modal window runs its own
// loop, so this is the way in), hands it to inspect and then closes it.
template <typename T>
void whenShown(QWidget *parent, std::function<void(T *)> inspect)
{
    auto *poll = new QTimer(parent);
    QObject::connect(poll, &QTimer::timeout, parent, [poll, parent, inspect] {
        for (T *window : parent->findChildren<T *>()) {
            if (!window->isVisible())
                continue;
            poll->stop();
            poll->deleteLater();
            const QPointer<T> shown = window;
            inspect(window);
            if (shown)
                shown->close();
            return;
        }
    });
    poll->start(0);
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

    // Shows the window and waits until it takes the keyboard.
    bool showActive()
    {
        form.show();
        return QTest::qWaitForWindowActive(&form);
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
