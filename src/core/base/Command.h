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
