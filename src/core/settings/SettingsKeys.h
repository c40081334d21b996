#pragma once
// The one declared table of the settings file's keys: reading, writing and the setup
// dialog are all driven by it.
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/settings/Settings.h"

class ProfileFile;

// Text keys are edited in the file only; they take their default from the Settings record.
enum class SettingType { Boolean, Choice, Text };

// How the setup dialog edits a key.
enum class DialogControl { None, CheckBox, YesNoList, YesNoPromptList };

struct SettingsKey {
    std::string_view section;
    std::string_view key;
    SettingType type;
    int defaultValue;
    std::variant<bool Settings::*, int Settings::*, std::string Settings::*> field;
    DialogControl control;
    std::string_view controlName;  // the dialog's control for the key ("" when it has none)
    std::string_view page;         // the dialog page that holds it
    std::string_view label;        // the control's caption or label
    bool writtenByDialog;          // one of the keys the dialog's OK writes, in table order
};

inline constexpr std::string_view kSettingsFileName = "sr3.ini";
// The settings file in ProgramDir.
std::string SettingsFilePath();
inline constexpr std::string_view kToolbarSection = "Toolbar";

// Every key but the toolbar slots, in the order they are read and written.
std::span<const SettingsKey> SettingsKeys();

// Reads every key of the table and the toolbar slots (a slot outside 1 to the highest command
// number becomes 1; a slot that is not a number keeps its default), with one reading of the
// file.
Settings ReadSettings(const ProfileFile& file);
// Reads the two start-up keys only (OptTipOfDay, OptFirstRun).
void ReadStartupKeys(const ProfileFile& file, Settings& settings);
// Writes the keys the dialog edits, in table order, with one replacement of the file: all
// of them, or none when the file cannot be written (the error says which file).
void WriteDialogSettings(ProfileFile& file, const Settings& settings);

// The value of a key's field as an integer (booleans 1/0), and setting it from one; a text
// key reads as 0 and is not set by a number.
int SettingValue(const Settings& settings, const SettingsKey& key);
void SetSettingValue(Settings& settings, const SettingsKey& key, int value);
// The value of any key as the file holds it.
std::string SettingText(const Settings& settings, const SettingsKey& key);
