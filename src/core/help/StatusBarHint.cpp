#include "core/help/StatusBarHint.h"

#include "core/commands/CommandTable.h"

StatusBarHint StatusBarHint::of(std::string_view hint, bool helpOnStatusBar, bool f1Reminder)
{
    if (!helpOnStatusBar)
        return {};
    const std::string_view text = CommandTable::longHint(hint);
    // Three digits of help context, then at least one character to show.
    if (text.size() < 4)
        return {" ", 0};
    std::string shown(text.substr(3, kLongestText));
    if (f1Reminder)
        shown += kF1Reminder;
    return {std::move(shown), CommandTable::helpTopicOf(hint)};
}
