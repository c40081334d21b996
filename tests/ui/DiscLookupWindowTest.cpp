// The online lookup of an unknown disc from the main window, against a stand-in for
// MusicBrainz on 127.0.0.1: a found release names and stores the disc, a stored disc is not
// asked for, typing wins over a late answer, failures say so once in the information bar and
// store nothing, a busy server is asked once more, and a silent one holds up nothing.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/cd/CdDatabase.h"
#include "media/MusicBrainzDiscId.h"
#include "support/FakeMusicBrainz.h"
#include "support/MainWindowFixture.h"
#include "ui/cd/OnlineDiscLookup.h"

using namespace std::chrono_literals;

namespace {

const std::vector<long> kThreeTracks = {180000, 200000, 220000};

// MusicBrainz's answer for discId: a release of two media, the second holding the disc,
// its tracks listed out of order.
QByteArray releaseFor(const std::string& discId)
{
    const QByteArray id = QByteArray::fromStdString(discId);
    return R"({"id":")" + id + R"(","releases":[
      {"id":"b6a0e6b1-0000-4000-8000-000000000001","title":"Other","media":[{"position":1,"discs":[{"id":"x"}]}]},
      {"id":"0c8a4d6e-1111-4222-8333-444455556666","title":"Harbour Lights","date":"1994-05-02","country":"GB",
       "barcode":"5012345678900",
       "artist-credit":[{"name":"Ann Ray","joinphrase":" & "},{"name":"The Tide","joinphrase":""}],
       "release-group":{"primary-type":"Album"},
       "label-info":[{"catalog-number":"TIDE 7","label":{"name":"Pier Records"}}],
       "media":[{"position":1,"discs":[{"id":"other"}],"tracks":[]},
                {"position":2,"discs":[{"id":")" +
           id + R"("}],"tracks":[
                  {"position":2,"title":"Second Light"},{"position":1,"title":"Jetty\nSong"},
                  {"position":3,"title":"A Very Long Title That Runs Past Forty Characters"}]}]}]})";
}

class DiscLookupWindowTest : public MainWindowFixture {
protected:
    MainWindow& startWithUnknownDisc()
    {
        MainWindow& form = start();
        session->settings().LookupServer = server.address().toStdString();
        backend->insertDisc(kThreeTracks);
        backend->open("CDAudio", "");
        discId = MusicBrainzDiscId::of(backend->tableOfContents());
        backend->close();
        return form;
    }

    void readDisc() { dispatcher.ExecuteCommand(Command::UpdateCdInfo); }
    std::optional<CdRecord> stored() const { return CdDatabase(home.file("cddat.dat")).find(600003).record; }
    bool databaseExists() const { return std::filesystem::exists(home.file("cddat.dat")); }

    std::vector<QString> rows() const
    {
        std::vector<QString> texts;
        for (int row = 0; row < findControl<QListWidget>(*mainWindow, "cdlistbox")->count(); ++row)
            texts.push_back(findControl<QListWidget>(*mainWindow, "cdlistbox")->item(row)->text());
        return texts;
    }

    // Gives a late answer time to arrive and be taken.
    void settle() { qt_test::runEventsFor(300ms); }

    FakeMusicBrainz server;
    std::string discId;
};

}  // namespace

TEST_F(DiscLookupWindowTest, AFoundReleaseNamesAndStoresTheDiscWhichIsNeverAskedForAgain)
{
    MainWindow& form = startWithUnknownDisc();
    server.script(FakeMusicBrainz::reply(200, releaseFor(discId)));
    readDisc();
    EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->text(), "Enter CD Title Here")
        << "the disc shows at once, names later";
    ASSERT_TRUE(qt_test::waitUntil(
        [&] { return findControl<QLineEdit>(form, "cdtitle")->text() != "Enter CD Title Here"; }, 5s));

    ASSERT_EQ(server.requests.size(), 1u);
    const QByteArray& request = server.requests[0];
    EXPECT_TRUE(request.startsWith("GET /ws/2/discid/" + QByteArray::fromStdString(discId) +
                                   "?inc=recordings+artist-credits&fmt=json HTTP/1.1\r\n"))
        << request.toStdString();
    EXPECT_TRUE(request.contains("\r\nUser-Agent: Sonorail/3.0")) << request.toStdString();

    EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->text(), "Harbour Lights (disc 2)");
    EXPECT_EQ(findControl<QLineEdit>(form, "cdauthor")->text(), "Ann Ray & The Tide");
    EXPECT_EQ(findControl<QLineEdit>(form, "cdcategory")->text(), "Album");
    EXPECT_EQ(findControl<QPlainTextEdit>(form, "cdmisc")->toPlainText(),
              "1994-05-02 GB\nPier Records TIDE 7\nBarcode 5012345678900\n"
              "MusicBrainz 0c8a4d6e-1111-4222-8333-444455556666");
    EXPECT_EQ(rows(), (std::vector<QString>{"01:Jetty Song.cdt", "02:Second Light.cdt",
                                            "03:A Very Long Title That Runs Past Forty C.cdt"}));
    const std::optional<CdRecord> record = stored();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->title, "Harbour Lights (disc 2)");
    EXPECT_EQ(record->trackSlots[1], "02:Second Light.cdt");
    EXPECT_EQ(session->cd().discAuthor(), "Ann Ray & The Tide") << "the desktop's media controls";

    readDisc();
    settle();
    EXPECT_EQ(server.requests.size(), 1u) << "a stored disc is not asked for";
    EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->text(), "Harbour Lights (disc 2)");
}

TEST_F(DiscLookupWindowTest, TypingWinsOverALateAnswerAndTheOptionTurnsTheLookupOff)
{
    MainWindow& form = startWithUnknownDisc();
    server.script(FakeMusicBrainz::reply(200, releaseFor(discId), {}, 300));
    readDisc();
    findControl<QLineEdit>(form, "cdauthor")->setText("Typed by me");
    ASSERT_TRUE(qt_test::waitUntil([&] { return server.answered == 1; }, 5s));
    settle();
    EXPECT_EQ(findControl<QLineEdit>(form, "cdauthor")->text(), "Typed by me");
    EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->text(), "Enter CD Title Here");
    EXPECT_FALSE(databaseExists()) << "the answer stores nothing";

    session->settings().optOnlineLookup = false;
    readDisc();
    settle();
    EXPECT_EQ(server.requests.size(), 1u);
}

TEST_F(DiscLookupWindowTest, FailuresSayWhyOnceAndLeaveTheDiscAsItWas)
{
    MainWindow& form = startWithUnknownDisc();
    struct Case {
        FakeMusicBrainz::Answer answer;
        QString message;
    };
    const QString at = QStringLiteral("The disc could not be looked up at 127.0.0.1: ");
    const std::vector<Case> cases = {
        {FakeMusicBrainz::reply(404, R"({"error":"Not found"})"),
         QStringLiteral("The disc is not known at 127.0.0.1.")},
        {FakeMusicBrainz::reply(200, R"({"releases":[{"title":"cut off)"), at + "the answer is not readable."},
        {FakeMusicBrainz::reply(200, R"({"releases":[],"pad":")" + QByteArray(3 * 1024 * 1024, 'x') + R"("})"),
         at + "the answer is larger than 2 MB."},
        {FakeMusicBrainz::reply(500, "oops"), at + "the server answered 500."},
    };
    for (const Case& failure : cases) {
        const std::size_t before = server.requests.size();
        server.script(failure.answer);
        findControl<QLabel>(form, "infobar")->setText(QString());
        readDisc();
        ASSERT_TRUE(qt_test::waitUntil([&] { return !findControl<QLabel>(form, "infobar")->text().isEmpty(); }, 5s))
            << failure.message.toStdString();
        EXPECT_EQ(findControl<QLabel>(form, "infobar")->text(), failure.message);
        EXPECT_EQ(server.requests.size(), before + 1) << "no second try: " << failure.message.toStdString();
        EXPECT_EQ(findControl<QLineEdit>(form, "cdtitle")->text(), "Enter CD Title Here");
        EXPECT_EQ(rows()[0], "01:Name of Track.cdt");
    }
    EXPECT_FALSE(databaseExists());
}

TEST_F(DiscLookupWindowTest, ABusyServerIsAskedOnceMoreAfterItsRetryAfter)
{
    MainWindow& form = startWithUnknownDisc();
    server.script(FakeMusicBrainz::reply(503, "busy", "Retry-After: 1\r\n"));
    server.script(FakeMusicBrainz::reply(200, releaseFor(discId)));
    readDisc();
    ASSERT_TRUE(qt_test::waitUntil(
        [&] { return findControl<QLineEdit>(form, "cdtitle")->text() == "Harbour Lights (disc 2)"; }, 8s));
    ASSERT_EQ(server.requests.size(), 2u);
    EXPECT_GE(server.requestTimes[1] - server.requestTimes[0], 950);
    EXPECT_TRUE(stored());
}

TEST_F(DiscLookupWindowTest, ASilentServerHoldsUpNothingAndEjectDropsTheRequest)
{
    MainWindow& form = startWithUnknownDisc();
    server.script(FakeMusicBrainz::silence());
    readDisc();
    ASSERT_TRUE(qt_test::waitUntil([&] { return server.requests.size() == 1; }, 5s));
    bool ticked = false;
    QTimer::singleShot(50ms, [&] { ticked = true; });
    EXPECT_TRUE(qt_test::waitUntil([&] { return ticked; }, 1s)) << "the window goes on while the server is silent";

    dispatcher.ExecuteCommand(Command::EjectCd);
    ASSERT_TRUE(qt_test::waitUntil([&] { return server.closedUnanswered == 1; }, 5s)) << "eject drops the request";
    backend->insertDisc(kThreeTracks);
    server.script(FakeMusicBrainz::reply(200, releaseFor(discId)));
    readDisc();
    ASSERT_TRUE(qt_test::waitUntil(
        [&] { return findControl<QLineEdit>(form, "cdtitle")->text() == "Harbour Lights (disc 2)"; }, 5s));
    // At most one request a second, counted from the sending (the first one's arrival may lag).
    EXPECT_GE(server.requestTimes[1] - server.requestTimes[0], 700);
    const QString information = findControl<QLabel>(form, "infobar")->text();
    EXPECT_TRUE(information.isEmpty() || !information.contains("looked up"));
}
