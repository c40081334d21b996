#pragma once
// What queue editing asks of the window around the queue: which of its two lists shows,
// and showing the queue again after it was rolled up.
#include "core/queue/PlayQueue.h"

class QueueWindow {
public:
    virtual ~QueueWindow() = default;
    virtual bool listVisible(QueueList list) const = 0;
    // The list the path toggle stands on ("View Path": Path, "Hide Path": Name).
    virtual QueueList pathTabList() const = 0;
    // Shows the path toggle and the list of its tab again (the queue may be rolled up).
    virtual void revealQueue() = 0;

    // No window: no list shows, so no row counts as selected.
    static QueueWindow& none()
    {
        struct Nowhere final : QueueWindow {
            bool listVisible(QueueList) const override { return false; }
            QueueList pathTabList() const override { return QueueList::Path; }
            void revealQueue() override {}
        };
        static Nowhere nowhere;
        return nowhere;
    }
};
