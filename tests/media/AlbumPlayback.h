#pragma once
// An album played as the program plays it: the engine and the monitor on the real back end,
// the monitor ticked every few milliseconds, and how long each item played, from when its
// sound began to the next item's start (the last one: to the stop).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/playback/PlaybackEngine.h"
#include "core/playback/PlaybackMonitor.h"
#include "media/VlcBackend.h"
#include "support/TempDir.h"
#include "support/TestFiles.h"
#include "support/TestMedia.h"

namespace media_test {

// The viewer and the video area, which note what they were given, and the commands, of
// which only Next goes anywhere; nothing else is shown.
struct QuietWindow final : CommandControl, Viewer, VideoArea {
    void setOperation(Command, std::function<void()>) override {}
    void ExecuteCommand(Command command) override
    {
        if (command == Command::Next && next)
            next();
    }
    void SetCommandEnabled(Command, bool) override {}
    bool viewerVisible() const override { return false; }
    void hideViewer() override {}
    void showDocument(const std::string& path, const std::string&) override { shown.push_back(path); }
    void showPicture(const std::string& path, const std::string&) override { shown.push_back(path); }
    void trackViewer() override {}
    void restorePictureArea() override {}
    void placeVideo(MediaPlayer& player, VideoFit) override
    {
        player.setDisplayRect({});
        videoRect = player.displayRect();
    }

    std::function<void()> next;
    std::vector<std::string> shown;
    DisplayRect videoRect;
};

// Wave and MIDI files in turn, all shorter than a second, written into dir.
struct ShortAlbum {
    std::vector<std::string> files;
    std::vector<int> lengths{700, 600, 400, 800, 500, 300, 700, 600};

    explicit ShortAlbum(const TempDir& dir)
    {
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            const bool wave = i % 2 == 0;
            files.push_back(dir.file("item" + std::to_string(i) + (wave ? ".wav" : ".mid")));
            test_files::write(files.back(), wave ? test_media::waveFile(lengths[i]) : test_media::midiFile(lengths[i]));
        }
    }
};

class AlbumPlayback {
public:
    AlbumPlayback()
    {
        window.next = [this] { engine.Next(); };
        state.MonitorReady = true;
    }

    // Queues the files, plays them and returns the milliseconds each one played (empty when
    // the album did not end within a minute). whilePlaying runs once, 200 ms into the first.
    std::vector<double> play(const std::vector<std::string>& files, const std::function<void()>& whilePlaying = {})
    {
        using Clock = std::chrono::steady_clock;
        std::vector<QueueEntry> entries;
        for (const std::string& path : files)
            entries.push_back({path, QueueShortName(path)});
        queue.insert(queue.count(), std::move(entries));

        std::vector<Clock::time_point> sounding;  // when each item's sound began
        std::vector<Clock::time_point> starts;
        std::uint64_t playing = 0;
        bool positionSeen = false;
        bool ranWhilePlaying = !whilePlaying;
        const auto deadline = Clock::now() + std::chrono::minutes(1);
        engine.Play();
        while (state.playState != PlayState::Stopped && Clock::now() < deadline) {
            const Clock::time_point now = Clock::now();
            if (state.currentItemId != playing) {
                playing = state.currentItemId;
                starts.push_back(now);
                sounding.push_back(now);
                positionSeen = false;
            }
            // A decoder may take a moment to start (MIDI's synthesizer): the sound began where
            // the first position read counts back to.
            if (!positionSeen && player.isOpen()) {
                if (const long position = player.position(); position > 0 && position < player.length()) {
                    sounding.back() = std::max(starts.back(), now - std::chrono::milliseconds(position));
                    positionSeen = true;
                }
            }
            if (!ranWhilePlaying && now - starts.front() > std::chrono::milliseconds(200)) {
                whilePlaying();
                ranWhilePlaying = true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            monitor.tick();
        }
        if (state.playState != PlayState::Stopped)
            return {};
        starts.push_back(Clock::now());
        std::vector<double> played;
        for (std::size_t i = 0; i < sounding.size(); ++i)
            played.push_back(std::chrono::duration<double, std::milli>(starts[i + 1] - sounding[i]).count());
        return played;
    }

    PlayQueue queue;
    PlayModes modes;
    PlaybackState state;
    QuietWindow window;
    MediaPlayer player{std::make_unique<VlcBackend>()};
    PlaybackViews views{.commands = &window, .viewer = &window, .video = &window};
    PlaybackEngine engine{queue, modes, state, player, views};
    PlaybackMonitor monitor{engine, state, player, views};
};

}  // namespace media_test
