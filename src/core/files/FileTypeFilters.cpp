#include "core/files/FileTypeFilters.h"

namespace {

constexpr std::array<FileTypeFilter, kFileTypeFilterCount> kFilters = {{
    {"chkMidi", "Midi", ";*.mid", 0, 1},
    {"chkWav", "Wave ", ";*.wav", 0, 0},
    {"chkAVI", "Avi", ";*.avi", 0, 2},
    {"chktxt", "Text", ";*.txt", 0, 3},
    {"chkbmp", "Bmp", ";*.bmp", 0, 4},
    {"chkico", "Icon", ";*.ico", 1, 0},
    {"chkwmf", "Wmf", ";*.wmf", 1, 1},
    {"chkjpg", "Jpg", ";*.jpg", 1, 2},
    {"chkpng", "Png", ";*.png", 1, 3},
    {"chkpcx", "Pcx", ";*.pcx", 1, 4},
    {"chkRTF", "Rtf", ";*.rtf", 0, 5},
    {"chkmusic", "Music", ";*.mp3;*.ogg;*.oga;*.opus;*.flac;*.m4a;*.aac;*.wma", 0, 6},
    {"chkvideo", "Video", ";*.mp4;*.m4v;*.mkv;*.webm;*.mov;*.mpg;*.mpeg;*.wmv;*.ogv", 1, 6},
}};

}  // namespace

std::span<const FileTypeFilter, kFileTypeFilterCount> FileTypeFilters() { return kFilters; }

std::string BuildFileMask(const std::array<bool, kFileTypeFilterCount>& ticked)
{
    std::string mask(kNoFilePattern);
    for (std::size_t i = 0; i < kFilters.size(); ++i) {
        if (ticked[i])
            mask += kFilters[i].pattern;
    }
    return mask;
}
