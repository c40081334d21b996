#pragma once
// A whole main window as start-up builds it, for window tests.
#include <gtest/gtest.h>

#include <memory>

#include "support/QtEvents.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "ui/welcome/WelcomeWindow.h"
#include "ui/toolbar/Toolbar.h"
#include "ui/mainwindow/MainWindow.h"
#include "support/ScriptedBackend.h"
#include "core/commands/CommandTable.h"
#include "ui/commands/CommandDispatcher.h"
#include "core/base/ProgramPaths.h"

// A whole main window as start-up builds it, with its files in a fresh directory.
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

    MainWindow& start(std::vector<std::string> arguments = {})
    {
        MainWindowStart startup{&dispatcher, &tips, std::move(arguments), [this] {
                                    auto scripted = std::make_unique<ScriptedBackend>();
                                    backend = scripted.get();
                                    return scripted;
                                }};
        toolbar = std::make_unique<Toolbar>(startup);
        MainWindow& form = toolbar->mainWindow();
        form.show();
        return form;
    }

    // Runs each command into a list, so tests see which controls raise what.
    void recordCommands()
    {
        for (Command command : CommandTable::allCommands())
            dispatcher.setOperation(command, [this, command](QObject* sender) { raised.emplace_back(command, sender); });
    }

    TempDir home;
    ScriptedDialogs dialogs;
    CommandDispatcher dispatcher;
    WelcomeWindow tips;
    ScriptedBackend* backend = nullptr;  // the main window's player's, once started
    std::unique_ptr<Toolbar> toolbar;
    std::vector<std::pair<Command, QObject*>> raised;
};

