// MusicBrainz's answer to a disc identifier read into the CD panel's names: which release and
// medium are taken, how each field is made from it, and answers that are not what they should be.
#include <gtest/gtest.h>

#include "core/base/SonorailError.h"
#include "core/cd/MusicBrainzAnswer.h"

TEST(MusicBrainzAnswer, TakesTheFirstReleaseWithAMediumListingTheDisc)
{
    const std::string answer = R"({"releases":[
      {"title":"Not this","media":[{"position":1,"discs":[{"id":"other-"}],"tracks":[{"position":1,"title":"No"}]}]},
      {"id":"rel-1","title":"Single Disc","artist-credit":[{"name":"Solo","joinphrase":" feat. "},{"name":"Guest"}],
       "genres":[{"name":"jazz"},{"name":"blues"}],"date":"2001",
       "media":[{"position":1,"discs":[{"id":"abc-"}],
                 "tracks":[{"position":3,"title":"Three"},{"position":1,"title":"One\ttab"},{"position":2,"title":"Two"}]}]},
      {"title":"Later match","media":[{"discs":[{"id":"abc-"}]}]}]})";
    const std::optional<LookedUpNames> names = MusicBrainzAnswer::namesFor(answer, "abc-");
    ASSERT_TRUE(names);
    EXPECT_EQ(names->title, "Single Disc") << "one medium: no disc number";
    EXPECT_EQ(names->author, "Solo feat. Guest");
    EXPECT_EQ(names->category, "jazz") << "no release group: the first genre";
    EXPECT_EQ(names->notes, "2001\nMusicBrainz rel-1");
    EXPECT_EQ(names->trackTitles, (std::vector<std::string>{"One tab", "Two", "Three"}));

    const std::optional<LookedUpNames> bare =
        MusicBrainzAnswer::namesFor(R"({"releases":[{"media":[{"discs":[{"id":"abc-"}]}]}]})", "abc-");
    ASSERT_TRUE(bare);
    EXPECT_EQ(*bare, LookedUpNames{}) << "missing members leave fields empty";
}

TEST(MusicBrainzAnswer, AnAnswerWithoutTheDiscGivesNothingAndAMalformedOneFails)
{
    EXPECT_FALSE(MusicBrainzAnswer::namesFor(R"({"releases":[]})", "abc-"));
    EXPECT_FALSE(MusicBrainzAnswer::namesFor(R"({"releases":[{"media":[{"discs":[{"id":"xyz-"}]}]},7,"x"]})", "abc-"));
    for (const std::string& bad :
         {std::string(R"({"releases":[)"), std::string("[1,2]"), std::string(R"({"releases":{}})"),
          std::string("\"\xC3\x28\""), std::string(100000, '['), std::string()}) {
        EXPECT_THROW(MusicBrainzAnswer::namesFor(bad, "abc-"), SonorailError) << bad.substr(0, 20);
    }
    EXPECT_THROW(MusicBrainzAnswer::namesFor(std::string(MusicBrainzAnswer::kLargestAnswer + 1, ' '), "abc-"),
                 SonorailError);
}
