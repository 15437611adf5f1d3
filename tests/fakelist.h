#pragma once

#include <QStringList>

#include "games/listcontrol.h"

// A list with the program's list semantics and nothing else, counting the
// selecting writes it takes.
class FakeList : public games::ListControl
{
public:
    void Clear() override
    {
        items.clear();
        index = -1;
    }
    void AddItem(const QString &text) override { items.append(text); }
    int ListIndex() const override { return index; }
    bool setListIndex(int position) override
    {
        if (position < -1 || position >= items.size())
            return false;
        index = position;
        ++selections;
        return true;
    }
    int ListCount() const override { return int(items.size()); }
    QString List(int position) const override { return items.value(position); }

    // count items with position 0 selected, as a fill leaves a list.
    void fill(int count)
    {
        Clear();
        for (int i = 0; i < count; ++i)
            AddItem(QString::number(i));
        index = 0;
    }

    QStringList items;
    int index = -1;
    int selections = 0;
};
