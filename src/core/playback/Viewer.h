#pragma once
// What the engine and the monitor ask of the viewer window, which shows the text and
// picture rows of the queue over the main window and places itself there.
#include <string>

class Viewer {
public:
    virtual ~Viewer() = default;
    virtual bool viewerVisible() const = 0;
    // Normal window state, hidden.
    virtual void hideViewer() = 0;
    // The viewer over the main window with the document or the picture; showing a hidden
    // viewer engages it. A document that cannot be read raises its error.
    virtual void showDocument(const std::string& path, const std::string& caption) = 0;
    virtual void showPicture(const std::string& path, const std::string& caption) = 0;
    // Every monitor tick: a viewer in the normal state follows the main window.
    virtual void trackViewer() = 0;

    // A viewer that shows nothing: the session's until the viewer window exists.
    static Viewer& none()
    {
        struct Nowhere final : Viewer {
            bool viewerVisible() const override { return false; }
            void hideViewer() override {}
            void showDocument(const std::string&, const std::string&) override {}
            void showPicture(const std::string&, const std::string&) override {}
            void trackViewer() override {}
        };
        static Nowhere nowhere;
        return nowhere;
    }
};
