#include "core/settings/SettingsKeys.h"

#include <array>
#include <optional>
#include <span>
#include <vector>
#include <string>

#include "core/base/Command.h"
#include "core/formats/ProfileFile.h"
#include "core/base/ProgramPaths.h"

namespace {

using S = Settings;
constexpr auto B = SettingType::Boolean;
constexpr auto C = SettingType::Choice;
constexpr auto T = SettingType::Text;
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
    {"Confirm", "optConfirmDeleteFile", B, 1, &S::optConfirmDeleteFile, YesNo, "visualoptConfirmDeleteFile", "Confirm",
     "On Permanently Deleting File(s)", true},
    {"Confirm", "optPromptOnExitWhenMultimediaActive", B, 1, &S::optPromptOnExitWhenMultimediaActive, YesNo,
     "visualoptPromptOnExitWhenMultimediaActive", "Confirm", "On Exiting When Multimedia is Playing", true},
    {"Display", "optDisplayTime", B, 1, &S::optDisplayTime, Check, "visualoptDisplayTime", "Display",
     "Display Song Length/Position?", true},
    {"Display", "optDisplayQueueHands", B, 1, &S::optDisplayQueueHands, Check, "visualoptDisplayQueueHands", "Display",
     "Display Queue Position Moving Hands?", true},
    {"Display", "optForceToolbarDock", B, 0, &S::optForceToolbarDock, Check, "VisualOptForceToolbarDock", "Display",
     "Display Toolbar always as Docked?", true},
    {"Display", "optShowQueueItemsAdded", B, 0, &S::optShowQueueItemsAdded, Check, "visualOptShowQueueItemsAdded",
     "Display", "Force-Show Queue When Items Added?", true},
    {"Display", "optShowAnimatedIcon", B, 1, &S::optShowAnimatedIcon, Check, "visualoptShowAnimatedIcon", "Display",
     "Show the Animated Icon?", true},
    {"Display", "optShowF1OnTaskbar", B, 1, &S::optShowF1OnTaskbar, Check, "visualoptShowF1OnTaskbar", "Display",
     "Show the F1 Help Text on the StatusBar?", true},
    {"Display", "optShowHelponTaskbar", B, 1, &S::optShowHelponTaskbar, Check, "visualoptShowHelponTaskbar", "Display",
     "Show the Help Text on the StatusBar?", true},
    {"Albums", "optSaveDefaultAlbumWhenDone", C, daYes, &S::optSaveDefaultAlbumWhenDone, YesNoPrompt,
     "visualoptSaveDefaultAlbumWhenDone", "Default Album", "Save Queue to Default Album when exiting?", true},
    {"Albums", "optLoadDefaultAlbumWhenStart", C, daYes, &S::optLoadDefaultAlbumWhenStart, YesNoPrompt,
     "visualoptLoadDefaultAlbumWhenStart", "Default Album", "Load Default Alb. when starting Sonorail?", true},
    {"CDAudio", "optautoseekcdstart", B, 0, &S::optautoseekcdstart, YesNo, "visualoptautoseekcdstart", "CD",
     "Seek CD Information at Startup?", true},
    {"CDAudio", "optOnlineLookup", B, 1, &S::optOnlineLookup, Check, "visualoptOnlineLookup", "CD",
     "Look up unknown discs on the internet", true},
    {"CDAudio", "LookupServer", T, 0, &S::LookupServer, DialogControl::None, "", "", "", false},
    {"CDAudio", "Device", T, 0, &S::CdDevice, DialogControl::None, "", "", "", false},
    {"Display", "OptTipOfDay", B, 1, &S::OptTipOfDay, DialogControl::None, "", "", "", false},
    {"Display", "OptFirstRun", B, 1, &S::OptFirstRun, DialogControl::None, "", "", "", false},
};

// A key's field from its text in the file (missing, or no integer: the default).
void takeKey(const std::optional<std::string>& text, const SettingsKey& key, Settings& settings)
{
    if (auto field = std::get_if<std::string Settings::*>(&key.field)) {
        settings.** field = text ? *text : Settings{}.**field;
        return;
    }
    const std::optional<int> value = text ? ProfileFile::parseInteger(*text) : std::nullopt;
    SetSettingValue(settings, key, value.value_or(key.defaultValue));
}

std::string slotKey(int slot) { return "T" + std::to_string(slot + 1); }

void takeToolbarSlots(std::span<const std::optional<std::string>> texts, Settings& settings)
{
    for (std::size_t slot = 0; slot < settings.ToolbarSlots.size(); ++slot) {
        int& command = settings.ToolbarSlots[slot];
        if (texts[slot])
            command = ProfileFile::parseInteger(*texts[slot]).value_or(command);
        if (command < 1 || command > CommandNumber(Command::TipOfTheDay))
            command = 1;
    }
}

// The keys of the table that pass, read with one reading of the file.
template <class Wanted>
void readKeys(const ProfileFile& file, Settings& settings, Wanted wanted)
{
    std::vector<const SettingsKey*> keys;
    std::vector<ProfileFile::KeyName> names;
    for (const SettingsKey& key : kKeys) {
        if (!wanted(key))
            continue;
        keys.push_back(&key);
        names.push_back({key.section, key.key});
    }
    const std::vector<std::optional<std::string>> texts = file.readStrings(names);
    for (std::size_t index = 0; index < keys.size(); ++index)
        takeKey(texts[index], *keys[index], settings);
}

}  // namespace

std::span<const SettingsKey> SettingsKeys() { return kKeys; }

int SettingValue(const Settings& settings, const SettingsKey& key)
{
    if (auto flag = std::get_if<bool Settings::*>(&key.field))
        return settings.**flag ? 1 : 0;
    if (auto number = std::get_if<int Settings::*>(&key.field))
        return settings.**number;
    return 0;
}

void SetSettingValue(Settings& settings, const SettingsKey& key, int value)
{
    if (auto flag = std::get_if<bool Settings::*>(&key.field))
        settings.** flag = value != 0;
    else if (auto number = std::get_if<int Settings::*>(&key.field))
        settings.** number = value;
}

std::string SettingText(const Settings& settings, const SettingsKey& key)
{
    if (auto text = std::get_if<std::string Settings::*>(&key.field))
        return settings.**text;
    return std::to_string(SettingValue(settings, key));
}

// One reading of the file for every key and the toolbar slots.
Settings ReadSettings(const ProfileFile& file)
{
    Settings settings;
    std::array<std::string, kToolbarSlotCount> slotKeys;
    std::vector<ProfileFile::KeyName> names;
    for (const SettingsKey& key : kKeys)
        names.push_back({key.section, key.key});
    for (int slot = 0; slot < kToolbarSlotCount; ++slot) {
        slotKeys[static_cast<std::size_t>(slot)] = slotKey(slot);
        names.push_back({kToolbarSection, slotKeys[static_cast<std::size_t>(slot)]});
    }
    const std::vector<std::optional<std::string>> texts = file.readStrings(names);
    for (std::size_t index = 0; index < std::size(kKeys); ++index)
        takeKey(texts[index], kKeys[index], settings);
    takeToolbarSlots(std::span(texts).subspan(std::size(kKeys)), settings);
    return settings;
}

void ReadStartupKeys(const ProfileFile& file, Settings& settings)
{
    readKeys(file, settings, [](const SettingsKey& key) { return !key.writtenByDialog; });
}

// One reading and one replacement of the file for all the dialog's keys.
void WriteDialogSettings(ProfileFile& file, const Settings& settings)
{
    std::vector<std::string> texts;
    for (const SettingsKey& key : kKeys) {
        if (key.writtenByDialog)
            texts.push_back(SettingText(settings, key));
    }
    std::vector<ProfileFile::KeyValue> values;
    std::size_t next = 0;
    for (const SettingsKey& key : kKeys) {
        if (key.writtenByDialog)
            values.push_back({key.section, key.key, texts[next++]});
    }
    file.writeStrings(values);
}

std::string SettingsFilePath() { return CurrentProgramPaths().programFile(std::string(kSettingsFileName)); }
