#include "media/module/ModuleMediaBackend.h"

#include <utility>

#include "media/module/MediaModule.h"

ModuleMediaBackend::ModuleMediaBackend(MediaModule& module) : module(module) {}

// The module's back end goes first, while the listener it may still call is alive.
ModuleMediaBackend::~ModuleMediaBackend() { made.reset(); }

MediaBackend& ModuleMediaBackend::backend()
{
    if (!made) {
        std::unique_ptr<MediaBackend> backend(module.entries().makeBackend());
        backend->setCdDevice(cdDevice);
        backend->setEndListener(endListener);
        made = std::move(backend);
    }
    return *made;
}

void ModuleMediaBackend::open(const std::string& deviceType, const std::string& fileName)
{
    backend().open(deviceType, fileName);
}

void ModuleMediaBackend::setCdDevice(const std::string& device)
{
    cdDevice = device;
    if (made)
        made->setCdDevice(device);
}

// Nothing was ever opened before the back end was made.
void ModuleMediaBackend::close()
{
    if (made)
        made->close();
}

void ModuleMediaBackend::play() { backend().play(); }

void ModuleMediaBackend::pause() { backend().pause(); }

void ModuleMediaBackend::seek(long milliseconds) { backend().seek(milliseconds); }

long ModuleMediaBackend::position() { return backend().position(); }

long ModuleMediaBackend::length() { return backend().length(); }

int ModuleMediaBackend::numberOfTracks() { return backend().numberOfTracks(); }

int ModuleMediaBackend::firstTrackNumber() { return backend().firstTrackNumber(); }

long ModuleMediaBackend::trackPosition(int track) { return backend().trackPosition(track); }

long ModuleMediaBackend::trackLength(int track) { return backend().trackLength(track); }

DiscText ModuleMediaBackend::discText() { return backend().discText(); }

DiscTableOfContents ModuleMediaBackend::tableOfContents() { return backend().tableOfContents(); }

bool ModuleMediaBackend::canEject() { return made && made->canEject(); }

void ModuleMediaBackend::eject() { backend().eject(); }

void ModuleMediaBackend::setDisplayWindow(unsigned long window) { backend().setDisplayWindow(window); }

void ModuleMediaBackend::setDisplayRect(const DisplayRect& rect) { backend().setDisplayRect(rect); }

DisplayRect ModuleMediaBackend::displayRect() { return backend().displayRect(); }

std::optional<std::string> ModuleMediaBackend::takeLateFailure()
{
    return made ? made->takeLateFailure() : std::nullopt;
}

void ModuleMediaBackend::setEndListener(std::function<void()> listener)
{
    endListener = std::move(listener);
    if (made)
        made->setEndListener(endListener);
}

MusicTags ModuleMediaBackend::readMusicTags(const std::string& path) { return module.entries().readMusicTags(path); }
