#pragma once
// The session's viewer until the viewer window exists: most runs show no text or picture,
// so the window is made when the first one is shown. Until then the viewer is hidden, and
// hiding or tracking it makes nothing. Once made, the window is the one asked.
#include <functional>
#include <string>

#include "core/playback/Viewer.h"

class ViewerOnFirstUse final : public Viewer {
public:
    // make: gives the viewer window, made on the first call and kept for the run.
    explicit ViewerOnFirstUse(std::function<Viewer&()> make);

    bool viewerVisible() const override;
    void hideViewer() override;
    void showDocument(const std::string& path, const std::string& caption) override;
    void showPicture(const std::string& path, const std::string& caption) override;
    void trackViewer() override;

private:
    Viewer& viewer();

    std::function<Viewer&()> make;
    Viewer* window = nullptr;
};
