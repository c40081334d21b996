#pragma once
// The program's commands. Every menu item, button and toolbar slot offers one by carrying
// its number in its Tag; the numbers are the ones the settings file keeps for the toolbar.
enum class Command : int {
    OpenAlbum = 1,
    SaveAlbum = 2,
    CopyFile = 3,
    CopyAllFiles = 4,
    DeleteFile = 5,
    DeleteAllFiles = 6,
    FileInfo = 7,
    MoveFile = 8,
    MoveAllFiles = 9,
    RenameFile = 10,
    RenameAllFiles = 11,
    AddToQueue = 12,
    AddAllToQueue = 13,
    RemoveFromQueue = 14,
    RemoveAllFromQueue = 15,
    MoveQueueUp = 16,
    MoveQueueDown = 17,
    SetupOptions = 18,
    Exit = 19,
    Play = 20,
    Pause = 21,
    Stop = 22,
    Next = 23,
    UpdateCdInfo = 24,
    EjectCd = 25,
    PlayCd = 26,
    HelpContents = 27,
    HelpSearch = 28,
    HelpOnHelp = 29,
    About = 30,
    // 31 is no command.
    Introduction = 32,
    TechnicalDocuments = 33,
    TipOfTheDay = 34,
};

// The number a Tag or the settings file carries for the command.
constexpr int CommandNumber(Command command) { return static_cast<int>(command); }

// The areas of the main window and the toolbar that carry help of their own rather than a
// command: a control of an area carries the area's negative number in its Tag, and the hint
// table has its status-bar text and help topic.
enum class HelpArea : int {
    DriveSelection = -1,
    CdInfo = -2,
    DirectoryList = -3,
    PlayModes = -4,
    Filters = -5,
    SourceTabs = -6,  // files or CD audio
    PathToggle = -7,
    AddToTop = -8,
    RollUps = -9,
    SourceList = -10,  // the file list or the CD's tracks
    Queue = -11,
    ToolbarDisplayToggle = -12,
};

// The number a Tag carries for the area.
constexpr int HelpAreaTag(HelpArea area) { return static_cast<int>(area); }
