#include "ui/cd/OnlineDiscLookup.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "core/base/GuardedCall.h"
#include "core/base/SonorailError.h"
#include "core/cd/MusicBrainzAnswer.h"
#include "media/MusicBrainzDiscId.h"

namespace {

constexpr int kHttpOk = 200;
constexpr int kHttpNotFound = 404;
constexpr int kHttpServiceUnavailable = 503;

QString couldNotLookUp(const QString& host, const QString& reason)
{
    return QStringLiteral("The disc could not be looked up at %1: %2.").arg(host, reason);
}

}  // namespace

OnlineDiscLookup::OnlineDiscLookup(QObject* parent)
    : QObject(parent), sendTimer(new QTimer(this)), limitTimer(new QTimer(this))
{
    sendTimer->setSingleShot(true);
    limitTimer->setSingleShot(true);
    connect(sendTimer, &QTimer::timeout, this, &OnlineDiscLookup::send);
    connect(limitTimer, &QTimer::timeout, this, &OnlineDiscLookup::timedOut);
}

OnlineDiscLookup::~OnlineDiscLookup() { cancel(); }

QByteArray OnlineDiscLookup::userAgent()
{
    QByteArray agent("Sonorail/" SONORAIL_VERSION);
    const QByteArray homePage(SONORAIL_HOMEPAGE_URL);
    if (!homePage.isEmpty())
        agent += " ( " + homePage + " )";
    return agent;
}

QNetworkAccessManager& OnlineDiscLookup::network()
{
    if (manager == nullptr) {
        manager = new QNetworkAccessManager(this);
        manager->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    }
    return *manager;
}

void OnlineDiscLookup::lookUp(const DiscTableOfContents& toc, const std::string& server, Callbacks asked)
{
    cancel();
    callbacks = std::move(asked);
    retried = false;
    QString base = QString::fromStdString(server);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    url = QUrl(base);
    host = url.host().isEmpty() ? base : url.host();
    try {
        discId = MusicBrainzDiscId::of(toc);
    } catch (const SonorailError& error) {
        return failLater(couldNotLookUp(host, QString::fromStdString(error.what())));
    }
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        return failLater(couldNotLookUp(host, QStringLiteral("that is no web address")));
    }
    url = QUrl(base + QStringLiteral("/ws/2/discid/") + QString::fromStdString(discId) +
               QStringLiteral("?inc=recordings+artist-credits&fmt=json"));
    // At most one request a second, however quickly discs are read.
    const qint64 sinceLast = lastSent.isValid() ? lastSent.elapsed() : kLeastGapMilliseconds;
    sendTimer->start(static_cast<int>(std::max<qint64>(0, kLeastGapMilliseconds - sinceLast)));
}

void OnlineDiscLookup::send()
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setRawHeader("Accept", "application/json");
    body.clear();
    tooLarge = false;
    expired = false;
    reply = network().get(request);
    lastSent.start();
    limitTimer->start(kTimeLimitMilliseconds);
    connect(reply, &QNetworkReply::readyRead, this, &OnlineDiscLookup::readSome);
    connect(reply, &QNetworkReply::finished, this, &OnlineDiscLookup::finished);
}

// The answer is gathered as it comes, and refused as soon as it is too large.
void OnlineDiscLookup::readSome()
{
    if (!reply)
        return;
    body += reply->readAll();
    if (body.size() > static_cast<qsizetype>(MusicBrainzAnswer::kLargestAnswer)) {
        tooLarge = true;
        body.clear();
        reply->abort();
    }
}

void OnlineDiscLookup::timedOut()
{
    if (!reply)
        return;
    expired = true;
    reply->abort();
}

void OnlineDiscLookup::finished()
{
    auto* done = qobject_cast<QNetworkReply*>(sender());
    if (done == nullptr || done != reply)
        return;  // dropped
    done->deleteLater();
    reply = nullptr;
    limitTimer->stop();
    if (!tooLarge && done->isReadable())
        body += done->readAll();
    const int status = done->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLarge || body.size() > static_cast<qsizetype>(MusicBrainzAnswer::kLargestAnswer))
        return fail(couldNotLookUp(host, QStringLiteral("the answer is larger than 2 MB")));
    if (expired)
        return fail(couldNotLookUp(host, QStringLiteral("no answer within 10 seconds")));
    if (status == kHttpNotFound)
        return fail(QStringLiteral("The disc is not known at %1.").arg(host));
    if (status == kHttpServiceUnavailable && !retried) {
        bool number = false;
        const int seconds = done->rawHeader("Retry-After").trimmed().toInt(&number);
        if (!number || (seconds >= 0 && seconds <= kLongestRetryAfterSeconds)) {
            retried = true;
            sendTimer->start(std::max(kLeastGapMilliseconds, (number ? seconds : 1) * 1000));
            return;
        }
    }
    if (status == kHttpServiceUnavailable)
        return fail(couldNotLookUp(host, QStringLiteral("the server is busy")));
    if (status != 0 && status != kHttpOk)
        return fail(couldNotLookUp(host, QStringLiteral("the server answered %1").arg(status)));
    if (done->error() != QNetworkReply::NoError)
        return fail(couldNotLookUp(host, done->errorString()));
    answered(body);
}

void OnlineDiscLookup::answered(const QByteArray& answer)
{
    std::optional<LookedUpNames> names;
    try {
        names = MusicBrainzAnswer::namesFor(
            std::string_view(answer.constData(), static_cast<std::size_t>(answer.size())), discId);
    } catch (const SonorailError& error) {
        return fail(couldNotLookUp(host, QString::fromStdString(error.what()).toLower()));
    }
    if (!names)
        return fail(QStringLiteral("The disc is not known at %1.").arg(host));
    const Callbacks told = std::exchange(callbacks, {});
    notUnderWay();
    if (told.found)
        GuardedCall([&] { told.found(*names); });
}

void OnlineDiscLookup::fail(const QString& why)
{
    const Callbacks told = std::exchange(callbacks, {});
    notUnderWay();
    if (told.failed)
        GuardedCall([&] { told.failed(why.toStdString()); });
}

// Callbacks never run inside lookUp: the caller may not be ready for them yet.
void OnlineDiscLookup::failLater(const QString& why)
{
    QTimer::singleShot(0, this, [this, why, asked = generation] {
        if (asked == generation)
            fail(why);
    });
}

void OnlineDiscLookup::notUnderWay()
{
    sendTimer->stop();
    limitTimer->stop();
    body.clear();
}

void OnlineDiscLookup::cancel()
{
    ++generation;
    callbacks = {};
    notUnderWay();
    if (QNetworkReply* dropped = reply) {
        reply = nullptr;
        dropped->abort();
        dropped->deleteLater();
    }
}
