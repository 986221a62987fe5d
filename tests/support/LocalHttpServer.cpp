#include "tests/support/LocalHttpServer.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QMutexLocker>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <optional>
#include <utility>

namespace
{

const QByteArray kHeaderEnd = "\r\n\r\n";

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 304:
        return "Not Modified";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

// Parses one complete request from the front of buffer, removing it; nullopt
// while the request is still incomplete.
std::optional<LocalHttpServer::Request> takeRequest(QByteArray& buffer)
{
    const qsizetype headerEnd = buffer.indexOf(kHeaderEnd);
    if (headerEnd < 0)
        return std::nullopt;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    LocalHttpServer::Request request;
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    const QUrl target(QString::fromLatin1(requestLine.value(1)));
    request.path = target.path();
    request.query = QUrlQuery(target.query(QUrl::FullyEncoded));
    qsizetype contentLength = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon <= 0)
            continue;
        const LocalHttpServer::Header header{lines[i].left(colon).trimmed(),
                                             lines[i].mid(colon + 1).trimmed()};
        if (header.first.compare("Content-Length", Qt::CaseInsensitive) == 0)
            contentLength = header.second.toLongLong();
        request.headers.append(header);
    }
    const qsizetype bodyStart = headerEnd + kHeaderEnd.size();
    if (buffer.size() - bodyStart < contentLength)
        return std::nullopt;
    request.body = buffer.mid(bodyStart, contentLength);
    buffer.remove(0, bodyStart + contentLength);
    return request;
}

void writeResponse(QTcpSocket* socket, const QByteArray& method, const LocalHttpServer::Response& response)
{
    QByteArray out =
        "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) + "\r\n";
    for (const auto& [name, value] : response.headers)
        out += name + ": " + value + "\r\n";
    out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\nConnection: close\r\n\r\n";
    if (method != "HEAD")
        out += response.body;
    socket->write(out);
    socket->disconnectFromHost();
}

} // namespace

QByteArray LocalHttpServer::Request::header(const QByteArray& name) const
{
    for (const auto& [key, value] : headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return {};
}

bool LocalHttpServer::Request::hasHeader(const QByteArray& name) const
{
    for (const auto& header : headers)
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

LocalHttpServer::Response LocalHttpServer::Response::dropped()
{
    Response response;
    response.ending = Ending::Drop;
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::held()
{
    Response response;
    response.ending = Ending::Hold;
    return response;
}

// Lives on the server's thread: accepts connections, reads requests and
// writes the answers.
class LocalHttpServer::Worker : public QObject
{
public:
    explicit Worker(LocalHttpServer* owner) : owner_(owner)
    {
        thread_.start();
        moveToThread(&thread_);
    }

    ~Worker() override
    {
        QMetaObject::invokeMethod(
            this, [this] { stop(); }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }

    quint16 listen()
    {
        quint16 port = 0;
        QMetaObject::invokeMethod(
            this,
            [this, &port] {
                server_ = new QTcpServer(this);
                QObject::connect(server_, &QTcpServer::newConnection, this, [this] { acceptAll(); });
                if (server_->listen(QHostAddress::LocalHost, 0))
                    port = server_->serverPort();
            },
            Qt::BlockingQueuedConnection);
        return port;
    }

    void releaseHeld(const Response& response)
    {
        QMetaObject::invokeMethod(
            this,
            [this, response] {
                const auto held = std::exchange(held_, {});
                for (const auto& [socket, method] : held)
                    if (socket)
                        writeResponse(socket, method, response);
            },
            Qt::BlockingQueuedConnection);
    }

private:
    void acceptAll()
    {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            socket->setParent(this);
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, this,
                             [this, socket, buffer] { readFrom(socket, *buffer); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void readFrom(QTcpSocket* socket, QByteArray& buffer)
    {
        buffer += socket->readAll();
        while (const auto request = takeRequest(buffer)) {
            owner_->record(*request);
            const Response response = owner_->responseFor(*request);
            switch (response.ending) {
            case Response::Ending::Answer:
                writeResponse(socket, request->method, response);
                return;
            case Response::Ending::Drop:
                socket->abort();
                return;
            case Response::Ending::Hold:
                held_.append({QPointer<QTcpSocket>(socket), request->method});
                return;
            }
        }
    }

    void stop()
    {
        delete server_;
        server_ = nullptr;
        held_.clear();
        qDeleteAll(findChildren<QTcpSocket*>());
    }

    LocalHttpServer* owner_;
    QThread thread_;
    QTcpServer* server_ = nullptr;
    QList<QPair<QPointer<QTcpSocket>, QByteArray>> held_;
};

LocalHttpServer::LocalHttpServer() : worker_(std::make_unique<Worker>(this))
{
    port_ = worker_->listen();
}

LocalHttpServer::~LocalHttpServer() = default;

QUrl LocalHttpServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path));
}

void LocalHttpServer::answer(const QString& path, const Response& response)
{
    QMutexLocker lock(&mutex_);
    for (auto& entry : lasting_)
        if (entry.first == path) {
            entry.second = response;
            return;
        }
    lasting_.append({path, response});
}

void LocalHttpServer::answerNext(const QString& path, const Response& response)
{
    QMutexLocker lock(&mutex_);
    next_.append({path, response});
}

void LocalHttpServer::onRequest(std::function<void(const Request&)> callback)
{
    QMutexLocker lock(&mutex_);
    onRequest_ = std::move(callback);
}

void LocalHttpServer::releaseHeld(const Response& response)
{
    worker_->releaseHeld(response);
}

QList<LocalHttpServer::Request> LocalHttpServer::requests() const
{
    QMutexLocker lock(&mutex_);
    return requests_;
}

void LocalHttpServer::clearRequests()
{
    QMutexLocker lock(&mutex_);
    requests_.clear();
}

bool LocalHttpServer::waitForRequests(int count) const
{
    QMutexLocker lock(&mutex_);
    QDeadlineTimer deadline(60 * 1000);
    while (requests_.size() < count)
        if (!arrived_.wait(&mutex_, deadline))
            return requests_.size() >= count;
    return true;
}

void LocalHttpServer::record(const Request& request)
{
    std::function<void(const Request&)> callback;
    {
        QMutexLocker lock(&mutex_);
        requests_.append(request);
        callback = onRequest_;
    }
    arrived_.wakeAll();
    if (callback)
        callback(request);
}

LocalHttpServer::Response LocalHttpServer::responseFor(const Request& request)
{
    QMutexLocker lock(&mutex_);
    for (qsizetype i = 0; i < next_.size(); ++i)
        if (next_[i].first == request.path)
            return next_.takeAt(i).second;
    for (const auto& [path, response] : lasting_)
        if (path == request.path)
            return response;
    Response notFound;
    notFound.status = 404;
    return notFound;
}
