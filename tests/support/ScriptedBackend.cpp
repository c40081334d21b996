#include "support/ScriptedBackend.h"

#include <algorithm>
#include <numeric>
#include <thread>

#include "core/base/SonorailError.h"

void ScriptedBackend::advance(long milliseconds)
{
    if (!playing)
        return;
    clock = std::min(clock + milliseconds, current.length);
    if (current.failsWhilePlaying) {
        lateFailurePending = true;
        current.failsWhilePlaying = false;
        clock = current.length;
    }
    if (clock >= current.length)
        playing = false;
}

void ScriptedBackend::reportEnd()
{
    std::thread([this] {
        if (endListener)
            endListener();
    }).join();
}

void ScriptedBackend::open(const std::string& deviceType, const std::string& fileName)
{
    requests.push_back("open " + deviceType + (fileName.empty() ? "" : " " + fileName));
    if (deviceType == "CDAudio") {
        if (disc.empty())
            throw SonorailError("There is no disc in the drive");
        current = Media{std::accumulate(disc.begin(), disc.end(), 0L)};
    } else {
        auto found = files.find(fileName);
        if (found == files.end() || !found->second.opens)
            throw SonorailError("Cannot open file " + fileName);
        current = found->second;
    }
    openDevice = deviceType;
    clock = 0;
    playing = false;
    rect = {};
}

void ScriptedBackend::close()
{
    requests.push_back("close");
    openDevice.clear();
    playing = false;
}

void ScriptedBackend::requireOpen() const
{
    if (openDevice.empty())
        throw SonorailError("The device is not open");
}

void ScriptedBackend::play()
{
    requireOpen();
    requests.push_back("play");
    playing = clock < current.length;
}

void ScriptedBackend::pause()
{
    requireOpen();
    requests.push_back("pause");
    playing = false;
}

void ScriptedBackend::seek(long milliseconds)
{
    requireOpen();
    requests.push_back("seek " + std::to_string(milliseconds));
    clock = std::clamp(milliseconds, 0L, current.length);
}

long ScriptedBackend::position()
{
    requireOpen();
    return clock;
}

long ScriptedBackend::length()
{
    requireOpen();
    return current.length;
}

int ScriptedBackend::numberOfTracks()
{
    requireOpen();
    return static_cast<int>(disc.size());
}

int ScriptedBackend::firstTrackNumber()
{
    requireOpen();
    return discFirstTrack;
}

long ScriptedBackend::trackPosition(int track)
{
    requireOpen();
    const int index = track - discFirstTrack;
    if (index < 0 || index >= static_cast<int>(disc.size()))
        throw SonorailError("The track number is out of range");
    return std::accumulate(disc.begin(), disc.begin() + index, 0L);
}

long ScriptedBackend::trackLength(int track)
{
    requireOpen();
    const int index = track - discFirstTrack;
    if (index < 0 || index >= static_cast<int>(disc.size()))
        throw SonorailError("The track number is out of range");
    return disc[static_cast<std::size_t>(index)];
}

DiscText ScriptedBackend::discText()
{
    requireOpen();
    return openDevice == "CDAudio" ? cdText : DiscText{};
}

DiscTableOfContents ScriptedBackend::tableOfContents()
{
    requireOpen();
    DiscTableOfContents toc;
    if (openDevice != "CDAudio")
        return toc;
    toc.lastTrack = static_cast<int>(disc.size());
    long sector = DiscTableOfContents::kLeadInSectors;
    for (const long length : disc) {
        toc.trackStarts.push_back(sector);
        sector += length * 75 / 1000;
    }
    toc.leadOut = sector;
    return toc;
}

void ScriptedBackend::eject()
{
    requests.push_back("eject");
    disc.clear();
    cdText = {};
}

void ScriptedBackend::setDisplayWindow(unsigned long window) { requests.push_back("window " + std::to_string(window)); }

void ScriptedBackend::setDisplayRect(const DisplayRect& wanted)
{
    rect = wanted;
    if (rect == DisplayRect{})
        rect = {0, 0, current.width, current.height};
}

DisplayRect ScriptedBackend::displayRect() { return rect; }

std::optional<std::string> ScriptedBackend::takeLateFailure()
{
    if (!lateFailurePending)
        return std::nullopt;
    lateFailurePending = false;
    return "The file cannot be played";
}
