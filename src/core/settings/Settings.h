#pragma once
// Every user option of the program, one field per key of "sr3.ini", read once at
// start-up and replaced by the setup dialog.
#include <array>

// Values of the default-album choices: the item index in the dialog's list.
enum DefaultAlbumChoice { daYes = 0, daNo = 1, daPrompt = 2 };

inline constexpr int kToolbarSlotCount = 11;

struct Settings {
    // General
    bool optDragDrop = true;
    // Confirm
    bool optConfirmOpenWhenQueueNotEmpty = true;
    bool optConfirmWhenRemovingfromQueue = true;
    bool optConfirmDeleteFile = true;
    bool optPromptOnExitWhenMultimediaActive = true;
    // Display
    bool optDisplayTime = true;
    bool optDisplayQueueHands = true;
    bool optForceToolbarDock = false;
    bool optShowQueueItemsAdded = false;
    bool optShowAnimatedIcon = true;
    bool optShowF1OnTaskbar = true;
    bool optShowHelponTaskbar = true;
    // Albums
    int optSaveDefaultAlbumWhenDone = daYes;
    int optLoadDefaultAlbumWhenStart = daYes;
    // CDAudio
    bool optautoseekcdstart = false;
    // Display, kept by the welcome window
    bool OptTipOfDay = true;
    bool OptFirstRun = true;
    // Toolbar: the command of each slot
    std::array<int, kToolbarSlotCount> ToolbarSlots{1, 2, 18, 19, 20, 21, 22, 23, 24, 25, 26};
};
