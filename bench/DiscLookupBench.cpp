// An unknown disc named from the internet: the session with its main window (offscreen) on a
// scripted drive, and a stand-in for MusicBrainz on 127.0.0.1 that answers at once. Measured
// from the end of the disc read (Command::UpdateCdInfo returns, the disc shown under the
// prompts) to the release's names shown in the CD panel: identifier, request, answer, reading
// it, storing it in cddat.dat and filling the panel. Each iteration first waits out the
// one-request-a-second rule (not timed).
#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "core/base/ProgramPaths.h"
#include "core/session/Jukebox.h"
#include "media/MusicBrainzDiscId.h"
#include "support/FakeMusicBrainz.h"
#include "support/QtEvents.h"
#include "support/ScriptedBackend.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "ui/commands/CommandDispatcher.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/toolbar/Toolbar.h"

namespace {

using Clock = std::chrono::steady_clock;

QByteArray releaseWithTwelveTracks(const std::string& discId)
{
    QByteArray tracks;
    for (int track = 1; track <= 12; ++track)
        tracks += (track > 1 ? "," : "") + QByteArray(R"({"position":)") + QByteArray::number(track) +
                  R"(,"title":"Track number )" + QByteArray::number(track) + R"("})";
    return R"({"releases":[{"id":"0c8a4d6e-1111-4222-8333-444455556666","title":"Harbour Lights",
      "artist-credit":[{"name":"Ann Ray"}],"date":"1994","country":"GB",
      "media":[{"position":1,"discs":[{"id":")" +
           QByteArray::fromStdString(discId) + R"("}],"tracks":[)" + tracks + "]}]}]}";
}

void DiscReadToNamesShown(benchmark::State& state)
{
    TempDir home;
    std::ofstream(home.file("sr3.ini")) << "[Display]\r\nOptFirstRun=0\r\nOptTipOfDay=0\r\n";
    InstallProgramPaths(
        ProgramPaths::fromLocation({SONORAIL_EXECUTABLE, home.path().string(), std::nullopt, std::nullopt}));
    ScriptedDialogs dialogs;
    CommandDispatcher dispatcher;
    auto scripted = std::make_unique<ScriptedBackend>();
    ScriptedBackend* backend = scripted.get();
    auto session = std::make_unique<Jukebox>(std::move(scripted), dispatcher, std::vector<std::string>{});
    std::unique_ptr<MainWindow> mainWindow;
    auto toolbar = std::make_unique<Toolbar>(*session, dispatcher, [&](Toolbar& bar) -> MainWindow& {
        mainWindow = std::make_unique<MainWindow>(*session, dispatcher, bar);
        return *mainWindow;
    });
    mainWindow->show();

    FakeMusicBrainz server;
    session->settings().LookupServer = server.address().toStdString();
    backend->insertDisc(std::vector<long>(12, 226000));
    backend->open("CDAudio", "");
    const QByteArray answer = releaseWithTwelveTracks(MusicBrainzDiscId::of(backend->tableOfContents()));
    backend->close();

    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(home.file("cddat.dat"));  // the disc unknown again
        qt_test::runEventsFor(std::chrono::milliseconds(1100));
        server.script(FakeMusicBrainz::reply(200, answer));
        QEventLoop loop;
        QObject::connect(mainWindow->findChild<QLineEdit*>(QStringLiteral("cdtitle")), &QLineEdit::textChanged, &loop,
                         [&](const QString& text) {
                             if (text == "Harbour Lights")
                                 loop.quit();
                         });
        QTimer::singleShot(std::chrono::seconds(10), &loop, [&] { loop.exit(1); });
        dispatcher.ExecuteCommand(Command::UpdateCdInfo);
        state.ResumeTiming();
        const Clock::time_point read = Clock::now();
        if (loop.exec() != 0)
            throw std::runtime_error("the names did not come within 10 s");
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - read).count());
    }
    mainWindow.reset();
    toolbar.reset();
    session.reset();
}

}  // namespace

BENCHMARK(DiscReadToNamesShown)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);
