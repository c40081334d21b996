#pragma once
// The type filters of the file browser (the eleven classic kinds, music and video) and the
// file-list mask built from them.
#include <array>
#include <span>
#include <string>
#include <string_view>

struct FileTypeFilter {
    std::string_view checkBox;  // object name of the check box
    std::string_view label;     // text beside it
    std::string_view pattern;   // appended to the mask when ticked
    int column;                 // where the panel shows it: 0 left, 1 right
    int row;
};

inline constexpr std::size_t kFileTypeFilterCount = 13;
// Matches no ordinary file name, so a mask with nothing ticked lists nothing.
inline constexpr std::string_view kNoFilePattern = "@@@@@._+_";

// In mask order.
std::span<const FileTypeFilter, kFileTypeFilterCount> FileTypeFilters();

// The placeholder followed by the pattern of every ticked filter, in table order.
std::string BuildFileMask(const std::array<bool, kFileTypeFilterCount>& ticked);
