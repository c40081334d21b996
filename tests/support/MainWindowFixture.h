#pragma once
// The session and its windows as start-up builds them, for window tests: a session on a
// scripted player, the toolbar, whose creation has the main window created, and the one
// command dispatcher.
#include <gtest/gtest.h>

#include <memory>

#include "core/base/ProgramPaths.h"
#include "core/commands/CommandTable.h"
#include "core/session/Jukebox.h"
#include "support/FindControl.h"
#include "support/QtEvents.h"
#include "support/ScriptedBackend.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "ui/commands/CommandDispatcher.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/toolbar/Toolbar.h"

class MainWindowFixture : public ::testing::Test {
protected:
    // The program's files in the fresh directory; its read-only data (the icon strip)
    // beside the built program, unless a test moves the program into the directory too.
    void SetUp() override { placeProgram(SONORAIL_EXECUTABLE); }

    void placeProgram(const std::string& executable)
    {
        ProgramLocation location{executable, home.path().string(), std::nullopt, std::nullopt};
        InstallProgramPaths(ProgramPaths::fromLocation(location));
    }

    // Creates the session with these command-line arguments, then the windows; the main
    // window's creation runs the session's start-up.
    MainWindow& start(std::vector<std::string> arguments = {})
    {
        auto scripted = std::make_unique<ScriptedBackend>();
        backend = scripted.get();
        session = std::make_unique<Jukebox>(std::move(scripted), dispatcher, std::move(arguments));
        toolbar = std::make_unique<Toolbar>(*session, dispatcher, [this](Toolbar& bar) -> MainWindow& {
            mainWindow = std::make_unique<MainWindow>(*session, dispatcher, bar);
            return *mainWindow;
        });
        mainWindow->show();
        return *mainWindow;
    }

    // Runs each command into a list, so tests see which controls raise what.
    void recordCommands()
    {
        for (Command command : CommandTable::allCommands())
            dispatcher.setOperation(command,
                                    [this, command](QObject* sender) { raised.emplace_back(command, sender); });
    }

    std::vector<std::string> queueTexts() const
    {
        std::vector<std::string> texts;
        for (int row = 0; row < session->playQueue().count(); ++row)
            texts.push_back(session->playQueue().entry(row).text);
        return texts;
    }

    TempDir home;
    ScriptedDialogs dialogs;
    CommandDispatcher dispatcher;
    ScriptedBackend* backend = nullptr;  // the session's player's, once started
    std::unique_ptr<Jukebox> session;
    std::unique_ptr<Toolbar> toolbar;
    std::unique_ptr<MainWindow> mainWindow;
    std::vector<std::pair<Command, QObject*>> raised;
};
