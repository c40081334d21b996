#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/TempDir.h"
#include "core/albums/AlbumFiles.h"
#include "core/base/SonorailError.h"
#include "support/ErrorOf.h"

namespace {

using Texts = std::vector<std::string>;

TEST(AlbumFileNames, TheDefaultExtensionCompletesOnlyANameWithoutOne)
{
    EXPECT_EQ(WithDefaultExtension("/a/party", "alb"), "/a/party.alb");
    EXPECT_EQ(WithDefaultExtension("/a/party.ALB", "alb"), "/a/party.ALB");
    EXPECT_EQ(WithDefaultExtension("/a/party.txt", "alb"), "/a/party.txt");
    EXPECT_EQ(WithDefaultExtension("/a.d/party", "alb"), "/a.d/party.alb") << "a dot in a folder is no extension";
    EXPECT_EQ(WithDefaultExtension("/a/party.", "m3u8"), "/a/party.m3u8");
    EXPECT_EQ(WithDefaultExtension("/a/.hidden", "alb"), "/a/.hidden.alb");
}

TEST(AlbumFileNames, PlaylistsAreKnownByTheirExtensionInAnyCase)
{
    EXPECT_EQ(FormatOfFile("/x/list.M3U"), AlbumFileFormat::M3u);
    EXPECT_EQ(FormatOfFile("/x/list.m3u8"), AlbumFileFormat::M3u8);
    EXPECT_EQ(FormatOfFile("/x/list.Pls"), AlbumFileFormat::Pls);
    EXPECT_EQ(FormatOfFile("/x/list.alb"), AlbumFileFormat::Album);
    EXPECT_EQ(FormatOfFile("/x.m3u/list"), AlbumFileFormat::Album);
    EXPECT_EQ(FormatOfFile("/x/notes.txt"), AlbumFileFormat::Album) << "any other file is read as an album";
}

TEST(AlbumFileReading, EachFormatIsReadFromItsFileAndRelativeNamesFromItsFolder)
{
    TempDir dir;
    dir.write("a.ALB", "/x/one.mid\r\n03:Three.cdt\r\n");
    dir.write("b.m3u", "#EXTM3U\nsong.mid\n");
    dir.write("c.pls", "[playlist]\nFile1=clip.avi\n");
    EXPECT_EQ(ReadAlbumFile(dir.file("a.ALB")), (Texts{"/x/one.mid", "03:Three.cdt"}));
    EXPECT_EQ(ReadAlbumFile(dir.file("b.m3u")), Texts{dir.file("song.mid")});
    EXPECT_EQ(ReadAlbumFile(dir.file("c.pls")), Texts{dir.file("clip.avi")});
    EXPECT_EQ(ReadAlbumFile(dir.file("b.m3u"), AlbumFileFormat::Album), (Texts{"#EXTM3U", "song.mid"}));
}

TEST(AlbumFileReading, WhatIsNoReadableFileIsRefusedAtOnce)
{
    TempDir dir;
    const std::string missing = dir.file("missing.alb");
    EXPECT_EQ(errorOf([&] { ReadAlbumFile(missing); }), "Cannot open file " + missing);
    std::filesystem::create_directory(dir.file("folder.alb"));
    EXPECT_EQ(errorOf([&] { ReadAlbumFile(dir.file("folder.alb")); }), "Cannot open file " + dir.file("folder.alb"));
    ASSERT_EQ(::mkfifo(dir.file("pipe.alb").c_str(), 0600), 0);
    EXPECT_EQ(errorOf([&] { ReadAlbumFile(dir.file("pipe.alb")); }), "Cannot open file " + dir.file("pipe.alb"))
        << "a named pipe without a writer must not block the program";
    dir.write("plain", "x");
    const std::string underFile = dir.file("plain") + "/a.alb";
    EXPECT_EQ(errorOf([&] { ReadAlbumFile(underFile); }), "Cannot open file " + underFile);
}

TEST(AlbumFileWriting, AnAlbumReplacesTheOldFileWhole)
{
    TempDir dir;
    dir.write("a.alb", "/old/entry.mid\r\n/old/second.mid\r\n/old/third.mid\r\n");
    WriteAlbumFile(dir.file("a.alb"), Texts{"/new.mid"}, AlbumFileFormat::Album);
    EXPECT_EQ(dir.read("a.alb"), "/new.mid\r\n");
    WriteAlbumFile(dir.file("b.m3u8"), Texts{"/new.mid", "01:One.cdt"}, AlbumFileFormat::M3u8);
    EXPECT_EQ(dir.read("b.m3u8"), "#EXTM3U\n/new.mid\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2) << "no temporary file is left";
}

TEST(AlbumFileWriting, AFileThatCannotBeCreatedNamesTheAlbumAndChangesNothing)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("taken.alb"));
    dir.write("taken.alb/inside", "kept");
    EXPECT_EQ(errorOf([&] { WriteAlbumFile(dir.file("taken.alb"), Texts{"/a.mid"}, AlbumFileFormat::Album); }),
              "Cannot create file " + dir.file("taken.alb"));
    EXPECT_EQ(dir.read("taken.alb/inside"), "kept");

    dir.write("plain", "x");
    const std::string underFile = dir.file("plain") + "/a.alb";
    EXPECT_EQ(errorOf([&] { WriteAlbumFile(underFile, Texts{"/a.mid"}, AlbumFileFormat::Album); }),
              "Cannot create file " + underFile);
    EXPECT_EQ(dir.read("plain"), "x");
}

}  // namespace
