#pragma once
// Every user option of the program, one field per key of "sr3.ini", read once at
// start-up and replaced by the setup dialog.
#include <array>
#include <string>

#include "core/base/Command.h"

// Values of the default-album choices: the item index in the dialog's list.
enum DefaultAlbumChoice { daYes = 0, daNo = 1, daPrompt = 2 };

inline constexpr int kToolbarSlotCount = 11;

// Default commands of the eleven toolbar slots.
inline constexpr std::array<Command, kToolbarSlotCount> kDefaultToolbarSlots{
    Command::OpenAlbum, Command::SaveAlbum, Command::SetupOptions, Command::Exit,    Command::Play,  Command::Pause,
    Command::Stop,      Command::Next,      Command::UpdateCdInfo, Command::EjectCd, Command::PlayCd};

// The toolbar's default commands as the settings file keeps them.
constexpr std::array<int, kToolbarSlotCount> DefaultToolbarSlotNumbers()
{
    std::array<int, kToolbarSlotCount> numbers{};
    for (std::size_t slot = 0; slot < numbers.size(); ++slot)
        numbers[slot] = CommandNumber(kDefaultToolbarSlots[slot]);
    return numbers;
}

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
    // A disc the CD information database does not know is looked up at LookupServer.
    bool optOnlineLookup = true;
    std::string LookupServer = "https://musicbrainz.org";
    // The drive or CD image the CD plays from (a device, or a .cue image; relative to the
    // program's folder unless absolute); empty for the system's default drive.
    std::string CdDevice;
    // Display, kept by the welcome window
    bool OptTipOfDay = true;
    bool OptFirstRun = true;
    // Toolbar: the command of each slot
    std::array<int, kToolbarSlotCount> ToolbarSlots = DefaultToolbarSlotNumbers();
};
