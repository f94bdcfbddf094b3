#pragma once

#include <QObject>

// While it exists, the user's clicks, keys and wheel turns, and the title bar's close, are dropped
// whatever window they are meant for. A run that holds the user-interface thread keeps one: what
// the user does meanwhile must not be acted on once the run is over. Ending it first fetches and
// drops the input the window system still holds from that time.
class DiscardedInput : public QObject
{
public:
    DiscardedInput();
    ~DiscardedInput() override;
    DiscardedInput(const DiscardedInput &) = delete;
    DiscardedInput &operator=(const DiscardedInput &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
