#include "core/commands/CommandTable.h"

#include <array>
#include <cctype>

namespace CommandTable {
namespace {

constexpr int kEntryCount = kHighestIndex - kLowestIndex + 1;

constexpr int at(Command command) { return CommandNumber(command); }
constexpr int at(HelpArea area) { return HelpAreaTag(area); }

constexpr std::array<CommandHintEntry, kEntryCount> buildHintTable()
{
    struct Row {
        int index;
        std::string_view caption;
        std::string_view hint;
    };
    constexpr Row rows[] = {
        {at(HelpArea::ToolbarDisplayToggle), "", "Button Toggle|057Toggle button/file info display on the toolbar"},
        {at(HelpArea::Queue), "", "Queue|044The Multimedia Queue"},
        {at(HelpArea::SourceList), "", "CD/Files|046Shows cd tracks or files to add to the queue"},
        {at(HelpArea::RollUps), "", "Popups|055Show or hide an element on this window"},
        {at(HelpArea::AddToTop), "", "AddtoTop|054Toggle adding multimedia files to the top of the queue"},
        {at(HelpArea::PathToggle), "", "Path Toggle|053Choose displaying or hiding the filepaths"},
        {at(HelpArea::SourceTabs), "", "File/CDAudio|052Choose multimedia files or cd audio"},
        {at(HelpArea::Filters), "", "Filters|047Choose what multimedia files to look for"},
        {at(HelpArea::PlayModes), "", "Playmodes|030Choose how you want the multimedia files to be played"},
        {at(HelpArea::DirectoryList), "",
         "Directory Listbox|051Choose what directories to look through to find multimedia files."},
        {at(HelpArea::CdInfo), "", "Edit CD Info|029Here you can edit information about the current CD."},
        {at(HelpArea::DriveSelection), "",
         "Drive Selection|048Choose the drive where you want to find multimedia files"},
        {at(Command::OpenAlbum), "OpenAlb", "Opens an album|002Loads an album into the current queue"},
        {at(Command::SaveAlbum), "SaveAlb", "Save an album|003Saves an album from the current queue to disk"},
        {at(Command::CopyFile), "CopyFile", "Copy a file|007Copies a file from one directory to another"},
        {at(Command::CopyAllFiles), "CopyAll",
         "Copy All Files|009Copies all of the files from one directory to another"},
        {at(Command::DeleteFile), "DelFile", "Delete a File|015Deletes a file"},
        {at(Command::DeleteAllFiles), "DelAll", "Deletes All Files|016Deletes all of the files from a directory"},
        {at(Command::FileInfo), "FileInfo", "File Information|021Retrieves information about a file/cd track"},
        {at(Command::MoveFile), "FileMov", "Move a File|013Moves a file from one directory to another"},
        {at(Command::MoveAllFiles), "FMovAll", "Move all Files|014Moves all files from one directory to another"},
        {at(Command::RenameFile), "FileRen", "Rename a File|022Renames a file"},
        {at(Command::RenameAllFiles), "FRenAll", "Renames All Files|023Renames all files in a directory"},
        {at(Command::AddToQueue), "AddQueue", "Add to Queue|017Adds an item to the multimedia queue"},
        {at(Command::AddAllToQueue), "AllQueue", "Add all-Queue|018Adds all items to the queue"},
        {at(Command::RemoveFromQueue), "RemQue", "Remove from Queue|019Removes an item from the queue"},
        {at(Command::RemoveAllFromQueue), "RemAllQ", "Remove All-Queue|020Removes every item from the queue"},
        {at(Command::MoveQueueUp), "QueueUp", "Move Queue Up|010Moves item(s) in the queue up one"},
        {at(Command::MoveQueueDown), "QuDown", "Move Queue Down|011Moves item(s) in the queue down one"},
        {at(Command::SetupOptions), "Setup", "Setup|008Changes setup options"},
        {at(Command::Exit), "Exit", "Exit|032Exits current Sonorail session"},
        {at(Command::Play), "Play", "Play|033Plays the current contents of the multimedia queue"},
        {at(Command::Pause), "Pause", "Pause|027Pauses the playing of the multimedia queue"},
        {at(Command::Stop), "Stop", "Stop|026Stops the playing of the multimedia queue"},
        {at(Command::Next), "Next", "Next|031Goes to the next item in the multimedia queue"},
        {at(Command::UpdateCdInfo), "CDInfo", "Get CD Info|024Lets Sonorail know a new CD has been inserted."},
        {at(Command::EjectCd), "EjectCD", "Eject the CD|028Ejects the CD currently in the drive"},
        {at(Command::PlayCd), "PlayCd", "Plays CD|025Plays the current CD in the drive"},
        {at(Command::HelpContents), "HelpCnt", "Help Contents|036Displays the help Table of Contents"},
        {at(Command::HelpSearch), "HelpSrc", "Help Search|037Searches the Sonorail help for a particular topic"},
        {at(Command::HelpOnHelp), "HelpHelp", "Help on Help|038Displays help on navigating the Windows help engine"},
        {at(Command::About), "HelpAbt", "Help About|039Displays the Sonorail title screen"},
        {at(Command::Introduction), "HelpInt", "Help Intro|041Displays introduction information about Sonorail"},
        {at(Command::TechnicalDocuments), "HelpTech", "Help Tech|042Displays Sonorail technical information"},
        {at(Command::TipOfTheDay), "HelpTip", "Help TipOfDay|043Displays a \"Tip of the Day\""},
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

constexpr MenuItemEntry kSeparator{"", "", std::nullopt};

constexpr MenuItemEntry kFileMenu[] = {
    {"mnuOpenAlbum", "&Open Album...", Command::OpenAlbum},
    {"mnuSaveAlbum", "&Save Album...", Command::SaveAlbum},
    kSeparator,
    {"mnuCopy", "&Copy...", Command::CopyFile},
    {"mnuDelete", "&Delete", Command::DeleteFile},
    {"mnuInfo", "&Info", Command::FileInfo},
    {"mnuMove", "&Move...", Command::MoveFile},
    {"mnuRename", "&Rename...", Command::RenameFile},
    kSeparator,
    {"mnuCopyAll", "Copy All...", Command::CopyAllFiles},
    {"mnuDeleteAll", "Delete All", Command::DeleteAllFiles},
    {"mnuMoveAll", "Move All...", Command::MoveAllFiles},
    {"mnuRenameAll", "Rename All...", Command::RenameAllFiles},
    kSeparator,
    {"mnuExit", "Exit", Command::Exit},
};
constexpr MenuItemEntry kQueueEditMenu[] = {
    {"mnuAddToQueue", "Add Item(s) to Queue", Command::AddToQueue},
    {"mnuAddAllToQueue", "Add ALL Items to Queue", Command::AddAllToQueue},
    kSeparator,
    {"mnuRemoveFromQueue", "Remove Item(s) from Queue", Command::RemoveFromQueue},
    {"mnuRemoveAllFromQueue", "Remove ALL Items from Queue", Command::RemoveAllFromQueue},
    kSeparator,
    {"mnuMoveUp", "Move Item(s) Up in Queue", Command::MoveQueueUp},
    {"mnuMoveDown", "Move Item(s) Down in Queue", Command::MoveQueueDown},
};
constexpr MenuItemEntry kToolsMenu[] = {
    {"mnuSetupOptions", "Setup Options...", Command::SetupOptions},
};
constexpr MenuItemEntry kPlaybackMenu[] = {
    {"mnuPlay", "&Play", Command::Play},
    {"mnuPause", "P&ause", Command::Pause},
    {"mnuStop", "S&top", Command::Stop},
    {"mnuNext", "Nex&t", Command::Next},
};
constexpr MenuItemEntry kCdAudioMenu[] = {
    {"mnuPlayTheCD", "Play the CD", Command::PlayCd},
    kSeparator,
    {"mnuEjectCD", "Eject CD", Command::EjectCd},
    {"mnuUpdateCDInfo", "Update CD Info", Command::UpdateCdInfo},
};
constexpr MenuItemEntry kHelpMenu[] = {
    {"mnuHelpContents", "&Contents", Command::HelpContents},
    {"mnuHelpSearch", "&Search for Help On...", Command::HelpSearch},
    {"mnuHelpOnHelp", "&How to Use Help", Command::HelpOnHelp},
    kSeparator,
    {"mnuAbout", "&About Sonorail", Command::About},
    {"mnuIntroduction", "&Introduction to Sonorail", Command::Introduction},
    {"mnuTechnicalDocuments", "&Technical Documents", Command::TechnicalDocuments},
    kSeparator,
    {"mnuTipOfTheDay", "Tip of the &Day", Command::TipOfTheDay},
};
constexpr MenuEntry kMainMenus[] = {
    {"mnuFile", "&File", kFileMenu},
    {"mnuQueueEdit", "Queue &Edit", kQueueEditMenu},
    {"mnuTools", "&Tools", kToolsMenu},
    {"mnuPlayback", "Playbac&k", kPlaybackMenu},
    {"mnuCdAudio", "CD &Audio", kCdAudioMenu},
    {"mnuHelp", "H&elp!", kHelpMenu},
    {"mnuExitBar", "E&xit!", {}, Command::Exit},
};

constexpr MenuItemEntry kFileManagerPopupItems[] = {
    {"popAddToQueue", "Add Item(s) to Queue", Command::AddToQueue},
    {"popAddAllToQueue", "Add ALL Items to Queue", Command::AddAllToQueue},
    kSeparator,
    {"popFileCopy", "File Copy...", Command::CopyFile},
    {"popFileDelete", "File Delete", Command::DeleteFile},
    {"popFileInfo", "File Info", Command::FileInfo},
    {"popFileMove", "File Move...", Command::MoveFile},
    {"popFileRename", "File Rename...", Command::RenameFile},
    kSeparator,
    {"popFileCopyAll", "File Copy All...", Command::CopyAllFiles},
    {"popFileDeleteAll", "File Delete All", Command::DeleteAllFiles},
    {"popFileMoveAll", "File Move All...", Command::MoveAllFiles},
    {"popFileRenameAll", "File Rename All...", Command::RenameAllFiles},
};
constexpr MenuItemEntry kQueuePopupItems[] = {
    {"popQueueAdd", "Add Item(s) to Queue", Command::AddToQueue},
    {"popQueueAddAll", "Add ALL Items to Queue", Command::AddAllToQueue},
    kSeparator,
    {"popQueueRemove", "Remove Item(s)", Command::RemoveFromQueue},
    {"popQueueRemoveAll", "Remove ALL Items", Command::RemoveAllFromQueue},
    kSeparator,
    {"popQueueUp", "Move Item(s) Up", Command::MoveQueueUp},
    {"popQueueDown", "Move Item(s) Down", Command::MoveQueueDown},
};
constexpr MenuEntry kFileManagerPopup{"FileManagerPopUp", "", kFileManagerPopupItems};
constexpr MenuEntry kQueuePopup{"QueuePopUp", "", kQueuePopupItems};

constexpr Command kAllCommands[] = {
    Command::OpenAlbum,
    Command::SaveAlbum,
    Command::CopyFile,
    Command::CopyAllFiles,
    Command::DeleteFile,
    Command::DeleteAllFiles,
    Command::FileInfo,
    Command::MoveFile,
    Command::MoveAllFiles,
    Command::RenameFile,
    Command::RenameAllFiles,
    Command::AddToQueue,
    Command::AddAllToQueue,
    Command::RemoveFromQueue,
    Command::RemoveAllFromQueue,
    Command::MoveQueueUp,
    Command::MoveQueueDown,
    Command::SetupOptions,
    Command::Exit,
    Command::Play,
    Command::Pause,
    Command::Stop,
    Command::Next,
    Command::UpdateCdInfo,
    Command::EjectCd,
    Command::PlayCd,
    Command::HelpContents,
    Command::HelpSearch,
    Command::HelpOnHelp,
    Command::About,
    Command::Introduction,
    Command::TechnicalDocuments,
    Command::TipOfTheDay,
};

}  // namespace

bool isCommand(int number) { return number >= 1 && number <= kHighestIndex && hintEntry(number).Number == number; }

std::span<const Command> allCommands() { return kAllCommands; }

std::optional<Command> commandFromTag(int tag)
{
    const int number = (tag & 0xFF) & 0x7F;
    if (!isCommand(number))
        return std::nullopt;
    return static_cast<Command>(number);
}

const CommandHintEntry& hintEntry(int index)
{
    if (index < kLowestIndex || index > kHighestIndex)
        return kEmptyEntry;
    return kHintTable[static_cast<std::size_t>(index - kLowestIndex)];
}

const CommandHintEntry& hintEntry(Command command) { return hintEntry(CommandNumber(command)); }

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

}  // namespace CommandTable
