#include "ui/mainwindow/MainWindowLayout.h"

#include "core/base/Command.h"

namespace {

constexpr ControlPlace kLayout[] = {
    {"PMultiImage1", 0, 0, kClientWidth, kClientHeight, 0},
    {"infobarpanel", 0, 37, 489, 17, 0},
    {"Panel1", 0, 55, 489, 17, 0},
    {"DriveComboBox1", 8, 71, 185, 19, HelpAreaTag(HelpArea::DriveSelection)},
    {"cdtitle", 8, 71, 185, 19, HelpAreaTag(HelpArea::CdInfo)},
    {"TabSet1", 8, 88, 185, 21, HelpAreaTag(HelpArea::SourceTabs)},
    {"DirectoryListBox1", 8, 110, 185, 107, HelpAreaTag(HelpArea::DirectoryList)},
    {"cdinfo", 8, 110, 185, 108, HelpAreaTag(HelpArea::CdInfo)},
    {"FileListBox1", 8, 219, 185, 145, HelpAreaTag(HelpArea::SourceList)},
    {"cdlistbox", 8, 219, 185, 145, HelpAreaTag(HelpArea::SourceList)},
    {"btnFileListRollUp", 48, 367, 17, 17, HelpAreaTag(HelpArea::RollUps)},
    {"addtotoppanel", 96, 366, 97, 17, HelpAreaTag(HelpArea::AddToTop)},
    {"btnAdd", 194, 254, 37, 25, CommandNumber(Command::AddToQueue)},
    {"btnaddall", 194, 318, 37, 25, CommandNumber(Command::AddAllToQueue)},
    {"animatediconpanel", 197, 190, 32, 32, 0},
    {"btnDirectoryListRollUp", 208, 124, 17, 17, HelpAreaTag(HelpArea::RollUps)},
    {"timedisppanel", 232, 75, 161, 32, 0},
    {"btnPlayModeRollUp", 232, 112, 89, 21, HelpAreaTag(HelpArea::RollUps)},
    {"playmodepanel", 232, 136, 97, 81, HelpAreaTag(HelpArea::PlayModes)},
    {"btnUp", 434, 216, 19, 19, CommandNumber(Command::MoveQueueUp)},
    {"btnDown", 456, 216, 19, 19, CommandNumber(Command::MoveQueueDown)},
    {"queue", 232, 219, 201, 121, HelpAreaTag(HelpArea::Queue)},
    {"queuefilename", 232, 219, 201, 121, HelpAreaTag(HelpArea::Queue)},
    {"TabSet2", 232, 339, 201, 21, HelpAreaTag(HelpArea::PathToggle)},
    {"btnRemoveQueue", 232, 364, 57, 22, CommandNumber(Command::RemoveFromQueue)},
    {"btnRemoveAll", 296, 364, 57, 22, CommandNumber(Command::RemoveAllFromQueue)},
    {"btnQueueRollUp", 368, 366, 17, 17, HelpAreaTag(HelpArea::RollUps)},
    {"btnFilterRollUp", 368, 112, 57, 21, HelpAreaTag(HelpArea::RollUps)},
    {"filterpanel", 368, 136, 113, 81, HelpAreaTag(HelpArea::Filters)},
    {"statusbar", 0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight, 0},
};

}  // namespace

std::span<const ControlPlace> MainWindowLayout() { return kLayout; }
