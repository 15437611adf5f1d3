#include "main/listcombo.h"

#include <QSignalBlocker>

#include "windows/controls.h"

ListCombo::ListCombo(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(false);
    windows::boundDropDown(this);
    connect(this, &QComboBox::currentIndexChanged, this, &ListCombo::userChangedIndex);
}

void ListCombo::Clear()
{
    const QSignalBlocker blocker(this);
    clear();
    m_index = -1;
}

void ListCombo::AddItem(const QString &text)
{
    const QSignalBlocker blocker(this);
    addItem(text);
    // QComboBox selects the first item appended to an empty list; undo that.
    if (currentIndex() != m_index)
        setCurrentIndex(m_index);
}

bool ListCombo::setListIndex(int position)
{
    if (position < -1 || position >= count())
        return false;
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(position);
    }
    m_index = position;
    emit selected();
    return true;
}

void ListCombo::userChangedIndex(int position)
{
    // Only the user's picks get here: every change from code is made with
    // signals blocked.
    if (position == m_index)
        return;
    m_index = position;
    emit selected();
    emit picked();
}
