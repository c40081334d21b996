#include "core/queue/MusicTags.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>

namespace {

std::string joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty())
            text += separator;
        text += part;
    }
    return text;
}

bool isRegularFile(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

std::string MusicLengthText(long long milliseconds)
{
    const long long seconds = milliseconds < 0 ? 0 : milliseconds / 1000;
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
    return text;
}

std::string MusicToolTip(const MusicTags& tags)
{
    if (!tags.hasTags())
        return {};
    std::string text = joined(tags.artists, ", ");
    if (!tags.title.empty())
        text += (text.empty() ? "" : " - ") + tags.title;
    std::vector<std::string> details;
    if (!tags.album.empty())
        details.push_back(tags.album);
    if (tags.lengthMs > 0)
        details.push_back(MusicLengthText(tags.lengthMs));
    if (!details.empty())
        text += (text.empty() ? "(" : " (") + joined(details, ", ") + ")";
    return text;
}

std::string MusicInfoText(const MusicTags& tags)
{
    std::vector<std::string> lines;
    const auto add = [&lines](const char* label, const std::string& value) {
        if (!value.empty())
            lines.push_back(std::string(label) + value);
    };
    add("Title: ", tags.title);
    add("Artist: ", joined(tags.artists, ", "));
    add("Album: ", tags.album);
    add("Album artist: ", tags.albumArtist);
    add("Track: ", tags.trackNumber > 0 ? std::to_string(tags.trackNumber) : std::string());
    add("Genre: ", tags.genre);
    add("Length: ", tags.lengthMs > 0 ? MusicLengthText(tags.lengthMs) : std::string());
    add("Codec: ", tags.codec);
    add("Bit rate: ", tags.bitrateKbps > 0 ? std::to_string(tags.bitrateKbps) + " kbit/s" : std::string());
    add("Sample rate: ", tags.sampleRate > 0 ? std::to_string(tags.sampleRate) + " Hz" : std::string());
    return joined(lines, ", ");
}

std::string CoverBeside(const std::string& musicPath)
{
    const std::size_t slash = musicPath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : musicPath.substr(0, slash + 1);
    static constexpr std::array kNames = {"cover.jpg",  "Cover.jpg", "COVER.JPG", "folder.jpg", "Folder.jpg",
                                          "FOLDER.JPG", "front.jpg", "Front.jpg", "FRONT.JPG"};
    for (const char* name : kNames) {
        if (isRegularFile(folder + name))
            return folder + name;
    }
    return {};
}

std::string CoverFileName(const std::string& coverBytes, const std::string& mimeType)
{
    // FNV-1a over the bytes and their count: enough to tell an album's covers apart.
    std::uint64_t hash = 1469598103934665603ULL;
    for (unsigned char byte : coverBytes) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    }
    char name[64];
    std::snprintf(name, sizeof name, "cover-%016llx-%zu%s", static_cast<unsigned long long>(hash), coverBytes.size(),
                  mimeType == "image/png" ? ".png" : ".jpg");
    return name;
}
