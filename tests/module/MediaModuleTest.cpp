// The media back end as the program reaches it: through the module it opens at the first
// request that needs libVLC, libcdio or TagLib.
#include "media/module/MediaModule.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "core/base/ProgramPaths.h"
#include "media/module/ModuleMediaBackend.h"
#include "support/ErrorOf.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"
#include "support/TestMedia.h"

namespace {

template <typename Condition>
bool eventually(Condition condition)
{
    for (int poll = 0; poll < 1000 && !condition(); ++poll)
        usleep(20'000);
    return condition();
}

class MediaModuleTest : public ::testing::Test {
protected:
    MediaModuleTest()
    {
        setenv("SONORAIL_HEADLESS_MEDIA", "1", 1);
        // The program's places: a relative CD image is read from ProgramDir.
        InstallProgramPaths(
            ProgramPaths::fromLocation({dir.file("bin/sonorail"), dir.path().string(), std::nullopt, std::nullopt}));
    }

    TempDir dir;
};

}  // namespace

// Nothing the program does at start (the drive from the settings, the end listener, closing
// and the questions asked of a closed device) opens the module; the first file does, and from
// then on it plays, tells the listener given before, reads tags and reports the back end's
// errors as the program's own.
TEST_F(MediaModuleTest, OpensAtTheFirstRequestThatNeedsItAndPlaysThroughIt)
{
    MediaModule module(MEDIA_MODULE);
    ModuleMediaBackend backend(module);
    std::atomic<int> ends = 0;
    backend.setCdDevice("disc.cue");
    backend.setEndListener([&] { ++ends; });
    backend.close();
    EXPECT_FALSE(backend.canEject());
    EXPECT_EQ(backend.takeLateFailure(), std::nullopt);
    EXPECT_FALSE(module.loaded());

    EXPECT_EQ(errorOf([&] { backend.open("WaveAudio", dir.file("missing.wav")); }),
              "Cannot open file " + dir.file("missing.wav") + ": No such file or directory");
    EXPECT_TRUE(module.loaded());
    dir.write("short.wav", test_media::waveFile(600));
    backend.open("WaveAudio", dir.file("short.wav"));
    EXPECT_NEAR(backend.length(), 600, 20);
    backend.play();
    EXPECT_TRUE(eventually([&] { return ends > 0 && backend.position() == backend.length(); }));

    const test_media::CdImage image = test_media::cdImage("disc.bin", {150, 75});
    dir.write("disc.bin", image.bin);
    dir.write("disc.cue", image.cue);
    backend.open("CDAudio", "");
    EXPECT_EQ(backend.numberOfTracks(), 2);

    EXPECT_TRUE(backend.readMusicTags(SONORAIL_TEST_DATA "/music/one.mp3").readable);
    EXPECT_FALSE(backend.readMusicTags(dir.file("short.wav") + ".missing").readable);
}

// A module that is missing, is no file, or is no library: the request fails with an error
// naming it (never a hang on a pipe), and a later request tries again.
TEST_F(MediaModuleTest, AModuleThatCannotBeOpenedIsAnErrorNamingIt)
{
    const auto errorFor = [](const std::string& file) {
        MediaModule module(file);
        ModuleMediaBackend backend(module);
        backend.setCdDevice("");
        const std::string error = errorOf([&] { backend.open("WaveAudio", "/nothing.wav"); });
        EXPECT_EQ(errorOf([&] { backend.play(); }), error);
        EXPECT_FALSE(module.loaded());
        return error;
    };
    const std::string prefix = "Cannot load the media player ";
    EXPECT_EQ(errorFor(dir.file("missing.so")), prefix + dir.file("missing.so") + ": No such file or directory");
    ASSERT_EQ(mkfifo(dir.file("pipe.so").c_str(), 0600), 0);
    EXPECT_EQ(errorFor(dir.file("pipe.so")), prefix + dir.file("pipe.so") + ": it is not a file");
    dir.write("junk.so", "not a library");
    EXPECT_EQ(errorFor(dir.file("junk.so")).rfind(prefix + dir.file("junk.so") + ": ", 0), 0u);
}

// Beside the program (a build tree, a portable folder), else in its prefix's library folder.
TEST(MediaModuleFile, BesideTheProgramElseInTheLibraryFolderOfItsPrefix)
{
    TempDir prefix;
    std::filesystem::create_directories(prefix.file("bin"));
    const ProgramPaths installed =
        ProgramPaths::fromLocation({prefix.file("bin/sonorail"), std::nullopt, std::nullopt, "/nonexistent"});
    EXPECT_EQ(MediaModule::moduleFileFor(installed),
              prefix.file(SONORAIL_INSTALL_LIBDIR "/sonorail/libsonorail-media.so"));
    prefix.write("bin/libsonorail-media.so", "");
    EXPECT_EQ(MediaModule::moduleFileFor(installed), prefix.file("bin/libsonorail-media.so"));
}
