#include <gtest/gtest.h>

#include <array>

#include "core/files/FileTypeFilters.h"

namespace {

TEST(FileTypeFilters, MaskFollowsTheTableOrderWhateverThePanelShows)
{
    std::array<bool, kFileTypeFilterCount> all{};
    all.fill(true);
    EXPECT_EQ(BuildFileMask(all),
              "@@@@@._+_;*.mid;*.wav;*.avi;*.txt;*.bmp;*.ico;*.wmf;*.jpg;*.png;*.pcx;*.rtf");
    EXPECT_EQ(BuildFileMask({}), "@@@@@._+_");
    std::array<bool, kFileTypeFilterCount> some{};
    some[10] = some[1] = true;
    EXPECT_EQ(BuildFileMask(some), "@@@@@._+_;*.wav;*.rtf");
}

}  // namespace
