// The disc identifier MusicBrainz files discs under, for a published table of contents and
// for a BIN/CUE image written here.
#include <gtest/gtest.h>

#include "core/base/SonorailError.h"
#include "media/CdDisc.h"
#include "media/MusicBrainzDiscId.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"
#include "support/TestMedia.h"

TEST(MusicBrainzDiscId, KnownTablesOfContentsAndAnImageGiveTheirIdentifiers)
{
    // libdiscid's own worked example (FreeDB identifier 830abf0a).
    const DiscTableOfContents tenTracks{
        1, 10, {150, 18901, 39738, 59557, 79152, 100126, 124833, 147278, 166336, 182560}, 206535};
    EXPECT_EQ(MusicBrainzDiscId::of(tenTracks), "Wn8eRBtfLDfM0qjYPdxrz.Zjs_U-");

    // An image of three tracks of 150, 225 and 120 sectors: counted from the lead-in, they start
    // at 150, 300 and 525 and the lead-out is at 645.
    TempDir dir;
    const test_media::CdImage image = test_media::cdImage("disc.bin", {150, 225, 120});
    test_files::write(dir.file("disc.bin"), image.bin);
    test_files::write(dir.file("disc.cue"), image.cue);
    const DiscTableOfContents read = CdDisc(dir.file("disc.cue")).tableOfContents();
    EXPECT_EQ(read, (DiscTableOfContents{1, 3, {150, 300, 525}, 645}));
    EXPECT_EQ(MusicBrainzDiscId::of(read), "Ofu6USZ3wcb5Pyrl51IpomgmLyg-");

    EXPECT_THROW(MusicBrainzDiscId::of(DiscTableOfContents{}), SonorailError);
    EXPECT_THROW(MusicBrainzDiscId::of(DiscTableOfContents{1, 2, {150, 100}, 645}), SonorailError) << "out of order";
}
