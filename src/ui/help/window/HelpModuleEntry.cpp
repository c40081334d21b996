// The entry point of the help window's module, found by name when the program opens the
// module at its first help request.
#include <QtGlobal>
#include <exception>
#include <memory>
#include <type_traits>

#include "ui/help/HelpViewer.h"
#include "ui/help/window/HelpCollection.h"
#include "ui/help/window/HelpWindow.h"

extern "C" Q_DECL_EXPORT HelpViewer* sonorail_create_help_viewer(const HelpViewerFiles& files, QString& error)
{
    try {
        std::unique_ptr<HelpCollection> book = HelpCollection::open(files, error);
        return book ? new HelpWindow(std::move(book)) : nullptr;
    } catch (const std::exception& failure) {
        error = QString::fromLocal8Bit(failure.what());
        return nullptr;
    }
}

static_assert(std::is_same_v<decltype(&sonorail_create_help_viewer), CreateHelpViewerFunction>);
