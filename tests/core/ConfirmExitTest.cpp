#include <gtest/gtest.h>

#include "support/ScriptedDialogs.h"
#include "core/session/ConfirmExit.h"
#include "core/base/SonorailError.h"

namespace {

struct RecordingExit final : ExitActions {
    bool playing = false;
    bool albumFails = false;
    std::vector<std::string> steps;

    bool multimediaPlaying() const override { return playing; }
    void stopPlayback() override { steps.push_back("stop"); }
    void saveDefaultAlbum(bool mayAsk) override
    {
        steps.push_back(mayAsk ? "save" : "save quietly");
        if (albumFails)
            throw SonorailError("Cannot create file default.alb");
    }
};

TEST(ConfirmExit, AsksOnlyWhileSomethingPlaysAndThePromptIsOn)
{
    ScriptedDialogs dialogs;
    RecordingExit exit;
    Settings settings;
    EXPECT_TRUE(ConfirmExit(settings, exit));
    EXPECT_TRUE(dialogs.shown.empty());

    exit.playing = true;
    settings.optPromptOnExitWhenMultimediaActive = false;
    EXPECT_TRUE(ConfirmExit(settings, exit));
    EXPECT_TRUE(dialogs.shown.empty());
}

// Asked while something plays: No leaves everything as it was, Yes stops, then saves the
// default album.
TEST(ConfirmExit, NoLeavesEverythingAsItWasYesStopsThenSavesTheDefaultAlbum)
{
    const std::pair<DialogAnswer, std::vector<std::string>> answers[] = {{DialogAnswer::No, {}},
                                                                         {DialogAnswer::Yes, {"stop", "save"}}};
    for (const auto& [answer, steps] : answers) {
        ScriptedDialogs dialogs;
        dialogs.answers = {answer};
        RecordingExit exit;
        exit.playing = true;
        EXPECT_EQ(ConfirmExit(Settings{}, exit), answer == DialogAnswer::Yes);
        EXPECT_EQ(exit.steps, steps);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].kind, DialogKind::Information);
        EXPECT_EQ(dialogs.shown[0].buttons, DialogButtons::YesNo);
        EXPECT_EQ(dialogs.shown[0].text, "Multimedia is currently being played.  Are you sure you want to exit?");
    }
}

TEST(ConfirmExit, WithNoOneToAnswerItLeavesWithoutAsking)
{
    ScriptedDialogs dialogs;
    RecordingExit exit;
    exit.playing = true;
    EXPECT_TRUE(ConfirmExit(Settings{}, exit, false));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(exit.steps, (std::vector<std::string>{"stop", "save quietly"}));
}

TEST(ConfirmExit, AnAlbumThatCannotBeWrittenReachesTheCaller)
{
    ScriptedDialogs dialogs;
    RecordingExit exit;
    exit.albumFails = true;
    EXPECT_THROW(ConfirmExit(Settings{}, exit), SonorailError);
    EXPECT_EQ(exit.steps, (std::vector<std::string>{"stop", "save"}));
}

}  // namespace
