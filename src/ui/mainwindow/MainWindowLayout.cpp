#include "ui/mainwindow/MainWindowLayout.h"

#include "core/base/Command.h"

namespace {

constexpr ControlPlace kLayout[] = {
    {"PMultiImage1", 0, 0, kClientWidth, kClientHeight, 0},
    {"infobarpanel", 0, 37, 489, 17, 0},
    {"Panel1", 0, 55, 489, 17, 0},
    {"DriveComboBox1", 8, 71, 185, 19, -1},
    {"cdtitle", 8, 71, 185, 19, -2},
    {"TabSet1", 8, 88, 185, 21, -6},
    {"DirectoryListBox1", 8, 110, 185, 107, -3},
    {"cdinfo", 8, 110, 185, 108, -2},
    {"FileListBox1", 8, 219, 185, 145, -10},
    {"cdlistbox", 8, 219, 185, 145, -10},
    {"btnFileListRollUp", 48, 367, 17, 17, -9},
    {"addtotoppanel", 96, 366, 97, 17, -8},
    {"btnAdd", 194, 254, 37, 25, CommandNumber(Command::AddToQueue)},
    {"btnaddall", 194, 318, 37, 25, CommandNumber(Command::AddAllToQueue)},
    {"animatediconpanel", 197, 190, 32, 32, 0},
    {"btnDirectoryListRollUp", 208, 124, 17, 17, -9},
    {"timedisppanel", 232, 75, 161, 32, 0},
    {"btnPlayModeRollUp", 232, 112, 89, 21, -9},
    {"playmodepanel", 232, 136, 97, 81, -4},
    {"btnUp", 434, 216, 19, 19, CommandNumber(Command::MoveQueueUp)},
    {"btnDown", 456, 216, 19, 19, CommandNumber(Command::MoveQueueDown)},
    {"queue", 232, 219, 201, 121, -11},
    {"queuefilename", 232, 219, 201, 121, -11},
    {"TabSet2", 232, 339, 201, 21, -7},
    {"btnRemoveQueue", 232, 364, 57, 22, CommandNumber(Command::RemoveFromQueue)},
    {"btnRemoveAll", 296, 364, 57, 22, CommandNumber(Command::RemoveAllFromQueue)},
    {"btnQueueRollUp", 368, 366, 17, 17, -9},
    {"btnFilterRollUp", 368, 112, 57, 21, -9},
    {"filterpanel", 368, 136, 113, 81, -5},
    {"statusbar", 0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight, 0},
};

}  // namespace

std::span<const ControlPlace> MainWindowLayout() { return kLayout; }
