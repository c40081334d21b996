#pragma once
// The one line that refusals, short notices and the item that plays are written to (the
// main window's information bar, which the toolbar mirrors). A message replaces the one
// before; none is a message box.
#include <string>

class InformationBar {
public:
    virtual ~InformationBar() = default;
    virtual void showInfo(const std::string& text) = 0;

    // A bar that shows nothing: the session's until its main window exists.
    static InformationBar& none()
    {
        struct Nowhere final : InformationBar {
            void showInfo(const std::string&) override {}
        };
        static Nowhere nowhere;
        return nowhere;
    }
};
