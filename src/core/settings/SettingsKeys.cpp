#include "core/settings/SettingsKeys.h"

#include <array>
#include <string>

#include "core/settings/ProfileFile.h"
#include "core/base/ProgramPaths.h"

namespace {

using S = Settings;
constexpr auto B = SettingType::Boolean;
constexpr auto C = SettingType::Choice;
constexpr auto Check = DialogControl::CheckBox;
constexpr auto YesNo = DialogControl::YesNoList;
constexpr auto YesNoPrompt = DialogControl::YesNoPromptList;

const SettingsKey kKeys[] = {
    {"General", "optDragDrop", B, 1, &S::optDragDrop, YesNo, "visualoptDragDrop", "General",
     "Allow Drag&&Drop Items to Queue?", true},
    {"Confirm", "optConfirmOpenWhenQueueNotEmpty", B, 1, &S::optConfirmOpenWhenQueueNotEmpty, YesNo,
     "VisualoptConfirmOpenWhenQueueNotEmpty", "Confirm", "On Album Open when Queue is not Empty", true},
    {"Confirm", "optConfirmWhenRemovingfromQueue", B, 1, &S::optConfirmWhenRemovingfromQueue, YesNo,
     "visualoptConfirmWhenRemovingfromQueue", "Confirm", "On Removing Item(s) from Queue", true},
    {"Confirm", "optConfirmDeleteFile", B, 1, &S::optConfirmDeleteFile, YesNo, "visualoptConfirmDeleteFile",
     "Confirm", "On Permanently Deleting File(s)", true},
    {"Confirm", "optPromptOnExitWhenMultimediaActive", B, 1, &S::optPromptOnExitWhenMultimediaActive, YesNo,
     "visualoptPromptOnExitWhenMultimediaActive", "Confirm", "On Exiting When Multimedia is Playing", true},
    {"Display", "optDisplayTime", B, 1, &S::optDisplayTime, Check, "visualoptDisplayTime", "Display",
     "Display Song Length/Position?", true},
    {"Display", "optDisplayQueueHands", B, 1, &S::optDisplayQueueHands, Check, "visualoptDisplayQueueHands",
     "Display", "Display Queue Position Moving Hands?", true},
    {"Display", "optForceToolbarDock", B, 0, &S::optForceToolbarDock, Check, "VisualOptForceToolbarDock",
     "Display", "Display Toolbar always as Docked?", true},
    {"Display", "optShowQueueItemsAdded", B, 0, &S::optShowQueueItemsAdded, Check, "visualOptShowQueueItemsAdded",
     "Display", "Force-Show Queue When Items Added?", true},
    {"Display", "optShowAnimatedIcon", B, 1, &S::optShowAnimatedIcon, Check, "visualoptShowAnimatedIcon", "Display",
     "Show the Animated Icon?", true},
    {"Display", "optShowF1OnTaskbar", B, 1, &S::optShowF1OnTaskbar, Check, "visualoptShowF1OnTaskbar", "Display",
     "Show the F1 Help Text on the StatusBar?", true},
    {"Display", "optShowHelponTaskbar", B, 1, &S::optShowHelponTaskbar, Check, "visualoptShowHelponTaskbar",
     "Display", "Show the Help Text on the StatusBar?", true},
    {"Albums", "optSaveDefaultAlbumWhenDone", C, daYes, &S::optSaveDefaultAlbumWhenDone, YesNoPrompt,
     "visualoptSaveDefaultAlbumWhenDone", "Default Album", "Save Queue to Default Album when exiting?", true},
    {"Albums", "optLoadDefaultAlbumWhenStart", C, daYes, &S::optLoadDefaultAlbumWhenStart, YesNoPrompt,
     "visualoptLoadDefaultAlbumWhenStart", "Default Album", "Load Default Alb. when starting Sonorail?", true},
    {"CDAudio", "optautoseekcdstart", B, 0, &S::optautoseekcdstart, YesNo, "visualoptautoseekcdstart", "CD",
     "Seek CD Information at Startup?", true},
    {"Display", "OptTipOfDay", B, 1, &S::OptTipOfDay, DialogControl::None, "", "", "", false},
    {"Display", "OptFirstRun", B, 1, &S::OptFirstRun, DialogControl::None, "", "", "", false},
};

void readKey(const ProfileFile& file, const SettingsKey& key, Settings& settings)
{
    int value = file.readInteger(key.section, key.key, key.defaultValue);
    SetSettingValue(settings, key, value);
}

void readToolbarSlots(const ProfileFile& file, Settings& settings)
{
    for (int slot = 0; slot < kToolbarSlotCount; ++slot) {
        std::string key = "T" + std::to_string(slot + 1);
        int& command = settings.ToolbarSlots[static_cast<std::size_t>(slot)];
        command = file.readInteger(kToolbarSection, key, command);
    }
    for (int& command : settings.ToolbarSlots) {
        if (command < 1 || command > 34)
            command = 1;
    }
}

}  // namespace

std::span<const SettingsKey> SettingsKeys() { return kKeys; }

int SettingValue(const Settings& settings, const SettingsKey& key)
{
    if (auto flag = std::get_if<bool Settings::*>(&key.field))
        return settings.**flag ? 1 : 0;
    return settings.*std::get<int Settings::*>(key.field);
}

void SetSettingValue(Settings& settings, const SettingsKey& key, int value)
{
    if (auto flag = std::get_if<bool Settings::*>(&key.field))
        settings.**flag = value != 0;
    else
        settings.*std::get<int Settings::*>(key.field) = value;
}

Settings ReadSettings(const ProfileFile& file)
{
    Settings settings;
    for (const SettingsKey& key : kKeys)
        readKey(file, key, settings);
    readToolbarSlots(file, settings);
    return settings;
}

void ReadStartupKeys(const ProfileFile& file, Settings& settings)
{
    for (const SettingsKey& key : kKeys) {
        if (!key.writtenByDialog)
            readKey(file, key, settings);
    }
}

void WriteDialogSettings(ProfileFile& file, const Settings& settings)
{
    for (const SettingsKey& key : kKeys) {
        if (key.writtenByDialog)
            file.writeInteger(key.section, key.key, SettingValue(settings, key));
    }
}

std::string SettingsFilePath() { return CurrentProgramPaths().programFile(std::string(kSettingsFileName)); }
