#include "core/commands/CommandTable.h"

#include <array>
#include <cctype>

namespace CommandTable {
namespace {

constexpr int kEntryCount = kHighestIndex - kLowestIndex + 1;

constexpr std::array<CommandHintEntry, kEntryCount> buildHintTable()
{
    struct Row {
        int index;
        std::string_view caption;
        std::string_view hint;
    };
    constexpr Row rows[] = {
        {-12, "", "Button Toggle|057Toggle button/file info display on the toolbar"},
        {-11, "", "Queue|044The Multimedia Queue"},
        {-10, "", "CD/Files|046Shows cd tracks or files to add to the queue"},
        {-9, "", "Popups|055Show or hide an element on this window"},
        {-8, "", "AddtoTop|054Toggle adding multimedia files to the top of the queue"},
        {-7, "", "Path Toggle|053Choose displaying or hiding the filepaths"},
        {-6, "", "File/CDAudio|052Choose multimedia files or cd audio"},
        {-5, "", "Filters|047Choose what multimedia files to look for"},
        {-4, "", "Playmodes|030Choose how you want the multimedia files to be played"},
        {-3, "", "Directory Listbox|051Choose what directories to look through to find multimedia files."},
        {-2, "", "Edit CD Info|029Here you can edit information about the current CD."},
        {-1, "", "Drive Selection|048Choose the drive where you want to find multimedia files"},
        {1, "OpenAlb", "Opens an album|002Loads an album into the current queue"},
        {2, "SaveAlb", "Save an album|003Saves an album from the current queue to disk"},
        {3, "CopyFile", "Copy a file|007Copies a file from one directory to another"},
        {4, "CopyAll", "Copy All Files|009Copies all of the files from one directory to another"},
        {5, "DelFile", "Delete a File|015Deletes a file"},
        {6, "DelAll", "Deletes All Files|016Deletes all of the files from a directory"},
        {7, "FileInfo", "File Information|021Retrieves information about a file/cd track"},
        {8, "FileMov", "Move a File|013Moves a file from one directory to another"},
        {9, "FMovAll", "Move all Files|014Moves all files from one directory to another"},
        {10, "FileRen", "Rename a File|022Renames a file"},
        {11, "FRenAll", "Renames All Files|023Renames all files in a directory"},
        {12, "AddQueue", "Add to Queue|017Adds an item to the multimedia queue"},
        {13, "AllQueue", "Add all-Queue|018Adds all items to the queue"},
        {14, "RemQue", "Remove from Queue|019Removes an item from the queue"},
        {15, "RemAllQ", "Remove All-Queue|020Removes every item from the queue"},
        {16, "QueueUp", "Move Queue Up|010Moves item(s) in the queue up one"},
        {17, "QuDown", "Move Queue Down|011Moves item(s) in the queue down one"},
        {18, "Setup", "Setup|008Changes setup options"},
        {19, "Exit", "Exit|032Exits current Sonorail session"},
        {20, "Play", "Play|033Plays the current contents of the multimedia queue"},
        {21, "Pause", "Pause|027Pauses the playing of the multimedia queue"},
        {22, "Stop", "Stop|026Stops the playing of the multimedia queue"},
        {23, "Next", "Next|031Goes to the next item in the multimedia queue"},
        {24, "CDInfo", "Get CD Info|024Lets Sonorail know a new CD has been inserted."},
        {25, "EjectCD", "Eject the CD|028Ejects the CD currently in the drive"},
        {26, "PlayCd", "Plays CD|025Plays the current CD in the drive"},
        {27, "HelpCnt", "Help Contents|036Displays the help Table of Contents"},
        {28, "HelpSrc", "Help Search|037Searches the Sonorail help for a particular topic"},
        {29, "HelpHelp", "Help on Help|038Displays help on navigating the Windows help engine"},
        {30, "HelpAbt", "Help About|039Displays the Sonorail title screen"},
        {32, "HelpInt", "Help Intro|041Displays introduction information about Sonorail"},
        {33, "HelpTech", "Help Tech|042Displays Sonorail technical information"},
        {34, "HelpTip", "Help TipOfDay|043Displays a \"Tip of the Day\""},
    };
    std::array<CommandHintEntry, kEntryCount> table{};
    for (const Row& row : rows) {
        CommandHintEntry& entry = table[static_cast<std::size_t>(row.index - kLowestIndex)];
        entry.Number = row.index > 0 ? static_cast<std::uint8_t>(row.index) : 0;
        entry.Hint = row.hint;
        entry.Caption = row.caption;
    }
    return table;
}

constexpr std::array<CommandHintEntry, kEntryCount> kHintTable = buildHintTable();
const CommandHintEntry kEmptyEntry{};

constexpr MenuItemEntry kSeparator{"", "", 0};

constexpr MenuItemEntry kFileMenu[] = {
    {"mnuOpenAlbum", "&Open Album...", 1},
    {"mnuSaveAlbum", "&Save Album...", 2},
    kSeparator,
    {"mnuCopy", "&Copy...", 3},
    {"mnuDelete", "&Delete", 5},
    {"mnuInfo", "&Info", 7},
    {"mnuMove", "&Move...", 8},
    {"mnuRename", "&Rename...", 10},
    kSeparator,
    {"mnuCopyAll", "Copy All...", 4},
    {"mnuDeleteAll", "Delete All", 6},
    {"mnuMoveAll", "Move All...", 9},
    {"mnuRenameAll", "Rename All...", 11},
    kSeparator,
    {"mnuExit", "Exit", 19},
};
constexpr MenuItemEntry kQueueEditMenu[] = {
    {"mnuAddToQueue", "Add Item(s) to Queue", 12},
    {"mnuAddAllToQueue", "Add ALL Items to Queue", 13},
    kSeparator,
    {"mnuRemoveFromQueue", "Remove Item(s) from Queue", 14},
    {"mnuRemoveAllFromQueue", "Remove ALL Items from Queue", 15},
    kSeparator,
    {"mnuMoveUp", "Move Item(s) Up in Queue", 16},
    {"mnuMoveDown", "Move Item(s) Down in Queue", 17},
};
constexpr MenuItemEntry kToolsMenu[] = {
    {"mnuSetupOptions", "Setup Options...", 18},
};
constexpr MenuItemEntry kPlaybackMenu[] = {
    {"mnuPlay", "&Play", 20},
    {"mnuPause", "P&ause", 21},
    {"mnuStop", "S&top", 22},
    {"mnuNext", "Nex&t", 23},
};
constexpr MenuItemEntry kCdAudioMenu[] = {
    {"mnuPlayTheCD", "Play the CD", 26},
    kSeparator,
    {"mnuEjectCD", "Eject CD", 25},
    {"mnuUpdateCDInfo", "Update CD Info", 24},
};
constexpr MenuItemEntry kHelpMenu[] = {
    {"mnuHelpContents", "&Contents", 27},
    {"mnuHelpSearch", "&Search for Help On...", 28},
    {"mnuHelpOnHelp", "&How to Use Help", 29},
    kSeparator,
    {"mnuAbout", "&About Sonorail", 30},
    {"mnuIntroduction", "&Introduction to Sonorail", 32},
    {"mnuTechnicalDocuments", "&Technical Documents", 33},
    kSeparator,
    {"mnuTipOfTheDay", "Tip of the &Day", 34},
};
constexpr MenuEntry kMainMenus[] = {
    {"mnuFile", "&File", kFileMenu},
    {"mnuQueueEdit", "Queue &Edit", kQueueEditMenu},
    {"mnuTools", "&Tools", kToolsMenu},
    {"mnuPlayback", "Playbac&k", kPlaybackMenu},
    {"mnuCdAudio", "CD &Audio", kCdAudioMenu},
    {"mnuHelp", "H&elp!", kHelpMenu},
    {"mnuExitBar", "E&xit!", {}, 19},
};

constexpr MenuItemEntry kFileManagerPopupItems[] = {
    {"popAddToQueue", "Add Item(s) to Queue", 12},
    {"popAddAllToQueue", "Add ALL Items to Queue", 13},
    kSeparator,
    {"popFileCopy", "File Copy...", 3},
    {"popFileDelete", "File Delete", 5},
    {"popFileInfo", "File Info", 7},
    {"popFileMove", "File Move...", 8},
    {"popFileRename", "File Rename...", 10},
    kSeparator,
    {"popFileCopyAll", "File Copy All...", 4},
    {"popFileDeleteAll", "File Delete All", 6},
    {"popFileMoveAll", "File Move All...", 9},
    {"popFileRenameAll", "File Rename All...", 11},
};
constexpr MenuItemEntry kQueuePopupItems[] = {
    {"popQueueAdd", "Add Item(s) to Queue", 12},
    {"popQueueAddAll", "Add ALL Items to Queue", 13},
    kSeparator,
    {"popQueueRemove", "Remove Item(s)", 14},
    {"popQueueRemoveAll", "Remove ALL Items", 15},
    kSeparator,
    {"popQueueUp", "Move Item(s) Up", 16},
    {"popQueueDown", "Move Item(s) Down", 17},
};
constexpr MenuEntry kFileManagerPopup{"FileManagerPopUp", "", kFileManagerPopupItems};
constexpr MenuEntry kQueuePopup{"QueuePopUp", "", kQueuePopupItems};

constexpr int kDefaultToolbarSlots[] = {1, 2, 18, 19, 20, 21, 22, 23, 24, 25, 26};

}  // namespace

bool isCommand(int number)
{
    return number >= 1 && number <= kHighestIndex && hintEntry(number).Number == number;
}

int commandFromTag(int tag)
{
    return (tag & 0xFF) & 0x7F;
}

const CommandHintEntry& hintEntry(int index)
{
    if (index < kLowestIndex || index > kHighestIndex)
        return kEmptyEntry;
    return kHintTable[static_cast<std::size_t>(index - kLowestIndex)];
}

std::string_view longHint(std::string_view hint)
{
    std::size_t bar = hint.find('|');
    return bar == std::string_view::npos ? hint : hint.substr(bar + 1);
}

int helpTopicOf(std::string_view hint)
{
    std::string_view text = longHint(hint);
    if (text.size() < 3)
        return 0;
    int topic = 0;
    for (char digit : text.substr(0, 3)) {
        if (!std::isdigit(static_cast<unsigned char>(digit)))
            return 0;
        topic = topic * 10 + (digit - '0');
    }
    return topic;
}

std::string_view statusTextOf(std::string_view hint)
{
    std::string_view text = longHint(hint);
    return text.size() < 4 ? std::string_view{} : text.substr(3);
}

std::span<const MenuEntry> mainMenus() { return kMainMenus; }
const MenuEntry& fileManagerPopup() { return kFileManagerPopup; }
const MenuEntry& queuePopup() { return kQueuePopup; }
std::span<const int> defaultToolbarSlots() { return kDefaultToolbarSlots; }

}  // namespace CommandTable
