#pragma once

#include <QString>

namespace games {

// The operations the program performs on a drop-down list: the song list and
// the thirteen slot lists. Positions count from 0; -1 means nothing selected.
class ListControl
{
public:
    virtual ~ListControl() = default;

    // Removes every item; nothing is selected afterwards. Raises no event.
    virtual void Clear() = 0;
    // Appends after the last item; the selection does not change. Raises no event.
    virtual void AddItem(const QString &text) = 0;
    virtual int ListIndex() const = 0;
    // Selects a position from -1 to count - 1 and raises the list's selection
    // event before returning. Any other position changes nothing, raises
    // nothing and returns false.
    virtual bool setListIndex(int position) = 0;
    virtual int ListCount() const = 0;
    virtual QString List(int position) const = 0;
};

} // namespace games
