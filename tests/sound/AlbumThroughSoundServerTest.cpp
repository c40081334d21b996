// Short items through a real sound server: a PulseAudio null sink of the test's own, which
// plays in real time. libVLC cannot always tell there how much sound the server still holds
// when it is done with a file; the item must still be heard to its end.
#include <gtest/gtest.h>

#include <cstdlib>

#include "media/AlbumPlayback.h"
#include "media/MediaTestSupport.h"
#include "support/PulseNullSink.h"
#include "support/TempDir.h"

namespace {

// What the server may still hold when libVLC has handed over the last of an item: libVLC
// waits for it to be played out. A null sink adapts its buffer to its clients; MIDI through
// it ends about 300 ms after its length.
constexpr double kServerLatency = 400;

}  // namespace

TEST(AlbumThroughSoundServerTest, ShortWaveAndMidiItemsEachPlayForTheirLength)
{
    const std::string missing = PulseNullSink::missingPrograms();
    if (!missing.empty()) {
        // CI installs them (./setup test); elsewhere the test says what it needs.
        if (std::getenv("CI"))
            FAIL() << "missing on CI: " << missing;
        GTEST_SKIP() << "needs " << missing << "(./setup test installs them)";
    }
    PulseNullSink sink;
    ASSERT_TRUE(sink.start()) << sink.why();
    sink.directClientsHere();
    setenv("SONORAIL_HEADLESS_MEDIA", "0", 1);  // libVLC's real outputs, before it starts

    TempDir dir;
    const media_test::ShortAlbum album(dir);
    int streams = 0;
    const std::vector<double> played =
        media_test::AlbumPlayback().play(album.files, [&] { streams = sink.playingStreams(); });
    EXPECT_EQ(streams, 1) << "the sound went to the test's server";
    ASSERT_EQ(played.size(), album.files.size()) << "every item started once, and the album ended";
    for (std::size_t i = 0; i < played.size(); ++i) {
        EXPECT_GE(played[i], album.lengths[i] - media_test::kPlayedLengthTolerance) << album.files[i] << " cut short";
        EXPECT_LE(played[i], album.lengths[i] + media_test::kPlayedLengthTolerance + kServerLatency) << album.files[i];
    }
}
