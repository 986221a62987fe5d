#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrlQuery>

#include <memory>

namespace updater_test
{

// What the server does wrong on one path.
struct Fault {
    int status = 0;           // answers this status with no body
    qint64 cutAfter = -1;     // closes the connection after this many bytes of the body
    int delayMs = 0;          // answers after this long
    bool hold = false;        // answers only when released
    bool ignoreRange = false; // answers a Range request with the whole file
};

struct LoggedRequest {
    QString path;
    QUrlQuery query;
    QByteArray range; // the Range header, if any
};

// A small update server over HTTP on 127.0.0.1, on a thread of its own,
// serving a folder: "/check" answers with the folder's check.xml, every
// "@BASE@" in it replaced by the server's own URL (no check.xml: 404); any
// other path is the file of that path in the folder, Range requests
// ("bytes=first-" or "bytes=first-last") answered 206. Faults can be set per
// path, and every request is logged.
class TestUpdateServer
{
public:
    explicit TestUpdateServer(const QString& folder);
    ~TestUpdateServer();
    TestUpdateServer(const TestUpdateServer&) = delete;
    TestUpdateServer& operator=(const TestUpdateServer&) = delete;

    // Listens on the port (0: any free one); false when it cannot.
    bool start(quint16 port = 0);
    // "http://127.0.0.1:port".
    QString baseUrl() const;

    void setFault(const QString& path, const Fault& fault);
    void clearFaults();
    // Answers the requests held so far.
    void releaseHeld();

    QList<LoggedRequest> requests() const;
    int requestCount(const QString& path) const;

    class Core;

private:
    std::unique_ptr<Core> core_;
};

} // namespace updater_test
