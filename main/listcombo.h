#pragma once

#include <QComboBox>

#include "games/listcontrol.h"

// A drop-down list that cannot be typed into, keeps its items in the order
// appended, and behaves as the program expects rather than as QComboBox does:
// appending never selects, every selecting write from code raises selected()
// before it returns (also on a disabled list), a write out of range fails and
// changes nothing, and the user's pick of another item raises selected() too.
// Picking the item already selected raises nothing.
class ListCombo : public QComboBox, public games::ListControl
{
    Q_OBJECT

public:
    explicit ListCombo(QWidget *parent);

    void Clear() override;
    void AddItem(const QString &text) override;
    int ListIndex() const override { return m_index; }
    bool setListIndex(int position) override;
    int ListCount() const override { return count(); }
    QString List(int position) const override { return itemText(position); }

signals:
    // Every selecting write and every pick of another item by the user.
    void selected();
    // The user's pick of another item only, after selected().
    void picked();

private:
    void userChangedIndex(int position);

    int m_index = -1;
};
