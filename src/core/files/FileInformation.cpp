#include "core/files/FileInformation.h"

#include "core/base/SonorailError.h"
#include "core/base/Utf8Text.h"
#include "core/base/WithTrailingBackslash.h"
#include "core/files/FileFacts.h"
#include "core/files/TransferReport.h"
#include "core/playback/MediaPlayer.h"
#include "core/playback/PlaybackState.h"
#include "core/formats/MediaKind.h"
#include "core/queue/MusicTags.h"

namespace {

// The row to describe: the current one, or the first selected when no row holds the
// focus mark; -1 when no row is selected.
int rowToDescribe(const SourceList& list)
{
    const int current = list.currentRow();
    if (current >= 0 && current < list.rowCount() && list.isSelected(current))
        return current;
    for (int row = 0; row < list.rowCount(); ++row)
        if (list.isSelected(row))
            return row;
    return -1;
}

constexpr const char* kSelectOneFile = "To display file info, select one file.";

}  // namespace

FileInformation::FileInformation(const FileManagerViews& views, const PlaybackState& playback, MediaPlayer& player)
    : views(views), playback(playback), player(player)
{
}

void FileInformation::ShowFileInfo()
{
    if (window().cdTabShowing())
        showCdTrackRow();
    else
        showFileRow();
}

void FileInformation::showFileRow()
{
    const SourceList& list = window().fileList();
    const int row = rowToDescribe(list);
    if (row < 0) {
        showInfo(kSelectOneFile);
        return;
    }
    const std::string name = list.row(row);
    const std::string path = WithTrailingBackslash(window().fileListDirectory()) + name;
    const FileFacts facts = ReadFileFacts(path);
    if (facts.error != 0) {
        showInfo("Can not read " + Utf8FromLegacyText(name) + ": " + FailureReason(facts.error) + ".");
        return;
    }
    std::string line = FileInfoText(name, facts, window().fileInfoFormats());
    const MediaKind kind = ClassifyEntry(name);
    if (kind == MediaKind::Music || kind == MediaKind::Movie) {
        const std::string music = MusicInfoText(player.backend().readMusicTags(path));
        if (!music.empty())
            line += "  " + music;
    }
    window().showFileInfo(line);
}

void FileInformation::showCdTrackRow()
{
    const SourceList& list = window().cdList();
    const int row = rowToDescribe(list);
    if (row < 0) {
        showInfo(kSelectOneFile);
        return;
    }
    if (playback.playState == PlayState::Playing) {
        showInfo("Can not get cd track info while multimedia is playing.");
        return;
    }
    const std::string entry = list.row(row);
    const long length = CdTrackLength(player, CdTrackNumber(entry));
    window().showFileInfo(CdTrackInfoText(entry, length));
}

long CdTrackLength(MediaPlayer& player, int track)
{
    player.close();
    player.selectDevice(kCdAudioDevice, "");
    try {
        player.open();
        player.setTimeFormatMilliseconds();
        const long length = player.trackLength(track);
        player.close();
        return length;
    } catch (const SonorailError&) {
        try {
            player.close();
        } catch (const SonorailError&) {
            // The request's own error is the one to show.
        }
        throw;
    }
}
