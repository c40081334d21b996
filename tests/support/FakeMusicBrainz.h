#pragma once
// A stand-in for MusicBrainz's web service on 127.0.0.1 for window tests and benchmarks: each
// request gets the next scripted answer (an empty release list when none is left), at once,
// after a delay, or never; the requests' heads are kept.
#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <deque>
#include <vector>

class FakeMusicBrainz {
public:
    struct Answer {
        int status = 200;
        QByteArray body;
        QByteArray extraHeaders;  // whole lines, each ending in CR LF
        int delayMilliseconds = 0;
        bool never = false;  // holds the connection open without a word
    };

    static Answer reply(int status, QByteArray body, QByteArray extraHeaders = {}, int delayMilliseconds = 0)
    {
        return Answer{status, std::move(body), std::move(extraHeaders), delayMilliseconds, false};
    }
    static Answer silence() { return Answer{200, {}, {}, 0, true}; }

    FakeMusicBrainz()
    {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] { accept(); });
        clock.start();
    }

    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()); }
    void script(Answer answer) { answers.push_back(std::move(answer)); }

    // The head of each request (request line and headers), and when it came (ms).
    std::vector<QByteArray> requests;
    std::vector<qint64> requestTimes;
    int answered = 0;
    int closedUnanswered = 0;  // connections the client closed while waiting

private:
    void accept()
    {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            auto* head = new QByteArray;
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head] {
                *head += socket->readAll();
                if (!head->contains("\r\n\r\n") || socket->property("asked").toBool())
                    return;
                socket->setProperty("asked", true);
                requests.push_back(head->left(head->indexOf("\r\n\r\n")));
                requestTimes.push_back(clock.elapsed());
                answer(socket);
            });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket, head] {
                if (socket->property("asked").toBool() && !socket->property("answered").toBool())
                    ++closedUnanswered;
                delete head;
                socket->deleteLater();
            });
        }
    }

    void answer(QTcpSocket* socket)
    {
        Answer next = answers.empty() ? reply(200, R"({"releases":[]})") : answers.front();
        if (!answers.empty())
            answers.pop_front();
        if (next.never)
            return;
        QPointer<QTcpSocket> alive(socket);
        QTimer::singleShot(next.delayMilliseconds, socket, [this, alive, next] {
            if (!alive)
                return;
            alive->setProperty("answered", true);
            alive->write("HTTP/1.1 " + QByteArray::number(next.status) +
                         " Scripted\r\n"
                         "Content-Type: application/json\r\nConnection: close\r\n"
                         "Content-Length: " +
                         QByteArray::number(next.body.size()) + "\r\n" + next.extraHeaders + "\r\n");
            alive->write(next.body);
            alive->disconnectFromHost();
            ++answered;
        });
    }

    QTcpServer server;
    QElapsedTimer clock;
    std::deque<Answer> answers;
};
