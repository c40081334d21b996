#pragma once
// The window around the queue and the information bar as queue editing and the albums see
// them: which of the two lists shows, how often the queue was shown again, the last message.
#include <string>

#include "core/base/InformationBar.h"
#include "core/queue/QueueEditing.h"
#include "core/queue/QueueWindow.h"

struct FakeQueueWindow final : QueueWindow, InformationBar {
    bool pathVisible = true;
    bool nameVisible = false;
    QueueList tab = QueueList::Path;
    int reveals = 0;
    std::string info;
    // Both views in one, for the queue editing and the albums under test.
    QueueViews views{this, this};

    bool listVisible(QueueList list) const override { return list == QueueList::Path ? pathVisible : nameVisible; }
    QueueList pathTabList() const override { return tab; }
    void revealQueue() override { ++reveals; }
    void showInfo(const std::string& text) override { info = text; }
};
