#pragma once
// What the status bar and the help context of the two windows become when the hint under
// the mouse changes (a control, or a highlighted menu item).
#include <optional>
#include <string>
#include <string_view>

struct StatusBarHint {
    // Nothing: the status bar keeps its text.
    std::optional<std::string> statusText;
    // Nothing: both windows keep their help context (0: F1 opens nothing).
    std::optional<int> helpContext;

    static constexpr std::size_t kLongestText = 80;
    static constexpr std::string_view kF1Reminder = "  {Press [F1] for Help}";

    // hint: "Title|NNNText", or empty over a control without one. helpOnStatusBar and
    // f1Reminder are the settings optShowHelponTaskbar and optShowF1OnTaskbar.
    static StatusBarHint of(std::string_view hint, bool helpOnStatusBar, bool f1Reminder);
};
