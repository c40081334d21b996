#include "core/playback/ViewerOnFirstUse.h"

ViewerOnFirstUse::ViewerOnFirstUse(std::function<Viewer&()> make) : make(std::move(make)) {}

bool ViewerOnFirstUse::viewerVisible() const { return window && window->viewerVisible(); }

void ViewerOnFirstUse::hideViewer()
{
    if (window)
        window->hideViewer();
}

void ViewerOnFirstUse::showDocument(const std::string& path, const std::string& caption)
{
    viewer().showDocument(path, caption);
}

void ViewerOnFirstUse::showPicture(const std::string& path, const std::string& caption)
{
    viewer().showPicture(path, caption);
}

void ViewerOnFirstUse::trackViewer()
{
    if (window)
        window->trackViewer();
}

Viewer& ViewerOnFirstUse::viewer()
{
    if (!window)
        window = &make();
    return *window;
}
