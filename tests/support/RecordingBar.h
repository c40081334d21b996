#pragma once
// An information bar that keeps every message shown on it, in order.
#include <string>
#include <vector>

#include "core/base/InformationBar.h"

struct RecordingBar final : InformationBar {
    void showInfo(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};
