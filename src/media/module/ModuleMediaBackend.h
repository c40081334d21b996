#pragma once
// The program's media back end: the one of the media module, which it opens at the first
// request that needs it. Until then it keeps what it is told (the CD device, the end
// listener) and answers for the closed device it stands for; from then on it hands every
// request over. A module that cannot be opened makes that request raise the error naming it.
#include <functional>
#include <memory>
#include <string>

#include "core/playback/MediaBackend.h"

class MediaModule;

class ModuleMediaBackend final : public MediaBackend {
public:
    explicit ModuleMediaBackend(MediaModule& module);
    ~ModuleMediaBackend() override;
    ModuleMediaBackend(const ModuleMediaBackend&) = delete;
    ModuleMediaBackend& operator=(const ModuleMediaBackend&) = delete;

    // True once the module's back end was made.
    bool backendMade() const { return made != nullptr; }

    void open(const std::string& deviceType, const std::string& fileName) override;
    void setCdDevice(const std::string& device) override;
    void close() override;
    void play() override;
    void pause() override;
    void seek(long milliseconds) override;
    long position() override;
    long length() override;
    int numberOfTracks() override;
    int firstTrackNumber() override;
    long trackPosition(int track) override;
    long trackLength(int track) override;
    DiscText discText() override;
    DiscTableOfContents tableOfContents() override;
    bool canEject() override;
    void eject() override;
    void setDisplayWindow(unsigned long window) override;
    void setDisplayRect(const DisplayRect& rect) override;
    DisplayRect displayRect() override;
    std::optional<std::string> takeLateFailure() override;
    void setEndListener(std::function<void()> listener) override;
    MusicTags readMusicTags(const std::string& path) override;

private:
    MediaBackend& backend();

    MediaModule& module;
    std::unique_ptr<MediaBackend> made;  // null until first needed
    std::string cdDevice;
    std::function<void()> endListener;
};
