// Desktop media control over the session bus, on a session whose player is scripted.
// Needs a session bus: ./setup test runs the suite inside dbus-run-session.
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QUrl>
#include <gtest/gtest.h>

#include <cstring>

#include "support/MainWindowFixture.h"
#include "app/mpris/MprisService.h"
#include "ui/queue/MusicTagCache.h"

namespace {

class MprisTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus";
        start();
        service = std::make_unique<MprisService>(*session, dispatcher, [] {});
        // Test processes may run side by side on one bus: each takes a name of its own.
        ASSERT_TRUE(service->registerOnSessionBus(
            QStringLiteral("org.mpris.MediaPlayer2.sonorail.test%1").arg(QCoreApplication::applicationPid())));
    }

    void TearDown() override { service.reset(); }

    // Calls a method the way a desktop panel does, then lets the command run.
    void call(const char* interface, const char* method)
    {
        QDBusInterface remote(service->busName(), kMprisObjectPath, interface, QDBusConnection::sessionBus());
        QDBusMessage reply = remote.call(method);
        EXPECT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
        qt_test::runEventsFor(std::chrono::milliseconds(20));
    }
    void player(const char* method) { call("org.mpris.MediaPlayer2.Player", method); }
    void player(const char* method, const QString& argument)
    {
        QDBusInterface remote(service->busName(), kMprisObjectPath, "org.mpris.MediaPlayer2.Player",
                              QDBusConnection::sessionBus());
        QDBusMessage reply = remote.call(method, argument);
        EXPECT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
        qt_test::runEventsFor(std::chrono::milliseconds(20));
    }

    QVariant property(const char* interface, const char* name)
    {
        QDBusInterface properties(service->busName(), kMprisObjectPath, "org.freedesktop.DBus.Properties",
                                  QDBusConnection::sessionBus());
        QDBusReply<QDBusVariant> reply = properties.call("Get", interface, name);
        EXPECT_TRUE(reply.isValid()) << reply.error().message().toStdString();
        return reply.value().variant();
    }
    QString status() { return property("org.mpris.MediaPlayer2.Player", "PlaybackStatus").toString(); }
    bool can(const char* what) { return property("org.mpris.MediaPlayer2.Player", what).toBool(); }

    std::unique_ptr<MprisService> service;
};

TEST_F(MprisTest, PlayPauseNextStopDriveThePlayer)
{
    backend->addMedia("/music/a.wav", {5000});
    backend->addMedia("/music/b.wav", {5000});
    session->queueEditing().AddFiles({"/music/a.wav", "/music/b.wav"}, false);
    EXPECT_EQ(status(), "Stopped");
    EXPECT_TRUE(can("CanPlay"));
    EXPECT_FALSE(can("CanPause") || can("CanGoNext") || can("CanSeek"));

    player("Play");
    EXPECT_EQ(status(), "Playing");
    EXPECT_TRUE(can("CanPlay") && can("CanPause") && can("CanGoNext") && can("CanSeek"))
        << "offered while playing, though the Play button is greyed";
    backend->advance(1000);
    player("Play");  // while playing: nothing skips
    EXPECT_EQ(session->playQueue().count(), 1);
    EXPECT_EQ(session->player().position(), 1000);

    player("Pause");
    EXPECT_EQ(status(), "Paused");
    EXPECT_TRUE(can("CanPlay") && can("CanPause"));
    player("PlayPause");
    EXPECT_EQ(status(), "Playing");
    player("Next");
    EXPECT_TRUE(session->playQueue().empty());
    player("Stop");
    EXPECT_EQ(status(), "Stopped");
    EXPECT_FALSE(can("CanPlay")) << "nothing left to play";
    EXPECT_FALSE(can("CanGoPrevious"));
}

TEST_F(MprisTest, MetadataAndTracksDescribeWhatPlaysAndTheQueue)
{
    backend->addMedia("/music/a b.wav", {3000});
    session->queueEditing().AddFiles({"/music/a b.wav", "/music/c.png", "/music/d.mid"}, false);
    QDBusInterface trackList(service->busName(), kMprisObjectPath, "org.mpris.MediaPlayer2.TrackList",
                             QDBusConnection::sessionBus());
    const auto tracks = qdbus_cast<QList<QDBusObjectPath>>(property("org.mpris.MediaPlayer2.TrackList", "Tracks"));
    ASSERT_EQ(tracks.size(), 3);
    QDBusMessage reply = trackList.call("GetTracksMetadata", QVariant::fromValue(QList<QDBusObjectPath>{tracks[1]}));
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();

    player("Play");
    const QVariantMap metadata = qdbus_cast<QVariantMap>(property("org.mpris.MediaPlayer2.Player", "Metadata"));
    EXPECT_EQ(metadata.value("xesam:title").toString(), "a b.wav");
    EXPECT_EQ(metadata.value("xesam:url").toString(), "file:///music/a%20b.wav");
    EXPECT_EQ(metadata.value("mpris:length").toLongLong(), 3000000);
    EXPECT_EQ(qdbus_cast<QDBusObjectPath>(metadata.value("mpris:trackid")), tracks[0])
        << "the item keeps its id after it left the queue";
    EXPECT_EQ(property("org.mpris.MediaPlayer2", "Identity").toString(), "Sonorail");
}

// A music file is described by its tags once they are read (off the event loop), its cover as
// a file in the cache; one without tags keeps its name as the title.
TEST_F(MprisTest, MusicIsDescribedByItsTagsAndCover)
{
    MusicTagCache::instance().setCoverFolder(home.file("covers/"));
    const std::string music = std::string(SONORAIL_TEST_DATA) + "/music/";
    backend->addMedia(music + "one.mp3", {1500});
    backend->addMedia(music + "untagged.wma", {1500});
    session->queueEditing().AddFiles({music + "one.mp3", music + "untagged.wma"}, false);
    player("Play");
    QVariantMap metadata;
    EXPECT_TRUE(qt_test::waitUntil([&] {
        service->publishChanges();
        metadata = qdbus_cast<QVariantMap>(property("org.mpris.MediaPlayer2.Player", "Metadata"));
        return metadata.contains("xesam:album");
    }));
    EXPECT_EQ(metadata.value("xesam:title").toString(), "One");
    EXPECT_EQ(metadata.value("xesam:artist").toStringList(), QStringList{"Sonorail Test Band"});
    EXPECT_EQ(metadata.value("xesam:album").toString(), "Test Pressing");
    EXPECT_EQ(metadata.value("xesam:albumArtist").toStringList(), QStringList{"Various Testers"});
    EXPECT_EQ(metadata.value("xesam:trackNumber").toInt(), 1);
    EXPECT_EQ(metadata.value("xesam:genre").toStringList(), QStringList{"Electronic"});
    const QString art = metadata.value("mpris:artUrl").toString();
    EXPECT_TRUE(art.startsWith(QString::fromStdString("file://" + home.file("covers/cover-")))) << art.toStdString();
    EXPECT_EQ(qt_test::fileBytes(QUrl(art).toLocalFile()).left(3), QByteArray("\xff\xd8\xff"));

    player("Next");
    EXPECT_TRUE(qt_test::waitUntil([&] {
        metadata = qdbus_cast<QVariantMap>(property("org.mpris.MediaPlayer2.Player", "Metadata"));
        return metadata.value("xesam:title").toString() == "untagged.wma";
    }));
    qt_test::runEventsFor(std::chrono::milliseconds(100));
    metadata = qdbus_cast<QVariantMap>(property("org.mpris.MediaPlayer2.Player", "Metadata"));
    EXPECT_EQ(metadata.value("xesam:title").toString(), "untagged.wma");
    EXPECT_FALSE(metadata.contains("xesam:artist"));
}

// A URL whose name holds a NUL or a line break names no file and never reaches the queue.
TEST_F(MprisTest, OpenUriRefusesNamesNoFileCanHave)
{
    for (const char* uri : {"file:///music/a.mid%00b.mid", "file:///music/c.mid%0A/d.mid"})
        player("OpenUri", uri);
    EXPECT_TRUE(session->playQueue().empty());
    EXPECT_EQ(status(), "Stopped");
}

// The URL of a file carries its name's bytes, so a client given it finds the file, also
// when the name is not valid UTF-8.
TEST_F(MprisTest, UrlsCarryTheBytesOfTheName)
{
    const std::string latin1 = "/music/caf\xe9 #1.wav";
    backend->addMedia(latin1, {3000});
    session->queueEditing().AddFiles({latin1, "/music/caf\xc3\xa9.mid"}, false);
    const auto tracks = qdbus_cast<QList<QDBusObjectPath>>(property("org.mpris.MediaPlayer2.TrackList", "Tracks"));
    ASSERT_EQ(tracks.size(), 2);
    QDBusInterface trackList(service->busName(), kMprisObjectPath, "org.mpris.MediaPlayer2.TrackList",
                             QDBusConnection::sessionBus());
    QDBusMessage reply = trackList.call("GetTracksMetadata", QVariant::fromValue(tracks));
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    const auto described = qdbus_cast<QList<QVariantMap>>(reply.arguments().front());
    ASSERT_EQ(described.size(), 2);
    EXPECT_EQ(described[1].value("xesam:url").toString().toStdString(), "file:///music/caf%C3%A9.mid");

    player("Play");
    const QVariantMap metadata = qdbus_cast<QVariantMap>(property("org.mpris.MediaPlayer2.Player", "Metadata"));
    EXPECT_EQ(metadata.value("xesam:url").toString().toStdString(), "file:///music/caf%E9%20%231.wav");
    const QByteArray url = metadata.value("xesam:url").toString().toLatin1();
    EXPECT_EQ(QByteArray::fromPercentEncoding(url.mid(int(std::strlen("file://")))).toStdString(), latin1)
        << "the name's bytes come back from the URL, as GLib's g_filename_from_uri gives them";

    player("OpenUri", QString::fromLatin1(url));
    EXPECT_EQ(session->playQueue().entry(session->playQueue().count() - 1).text, latin1)
        << "OpenUri with the URL queues the same file";
}

}  // namespace
