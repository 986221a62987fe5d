#include "tests/updater/TestUpdateServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QMutex>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <functional>

namespace updater_test
{

namespace
{

constexpr qint64 kChunkBytes = 1024 * 1024;
constexpr qint64 kMaxHeaderBytes = 64 * 1024;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 206:
        return "Partial Content";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 416:
        return "Range Not Satisfiable";
    default:
        return "Status";
    }
}

} // namespace

// The listening side, on the server's thread; the fault table and the log
// are shared with the test's thread under the lock.
class TestUpdateServer::Core : public QObject
{
public:
    explicit Core(const QString& folder) : folder_(QDir(folder).absolutePath()) {}

    QString folder_;
    QThread thread_;
    QTcpServer* server_ = nullptr; // on the server's thread
    mutable QMutex mutex_;
    QString baseUrl_;
    QHash<QString, Fault> faults_;
    QList<LoggedRequest> log_;
    QList<std::function<void()>> held_;

    Fault faultFor(const QString& path) const
    {
        QMutexLocker lock(&mutex_);
        return faults_.value(path);
    }

    void accept();
};

namespace
{

// One request and its answer on one connection.
class Exchange : public QObject
{
public:
    Exchange(QTcpSocket* socket, TestUpdateServer::Core& core) : QObject(&core), socket_(socket), core_(core)
    {
        socket_->setParent(this);
        connect(socket_, &QTcpSocket::readyRead, this, [this] { readRequest(); });
        connect(socket_, &QTcpSocket::disconnected, this, [this] { deleteLater(); });
        connect(socket_, &QTcpSocket::bytesWritten, this, [this] { sendMore(); });
    }

private:
    void readRequest();
    void answer(const QString& path, const QByteArray& range, const Fault& fault);
    void answerFile(const QString& path, const QByteArray& range, const Fault& fault);
    void sendHead(int status, qint64 length, const QByteArray& extra = QByteArray());
    void sendAll(int status, const QByteArray& body, const Fault& fault);
    void sendMore();

    QTcpSocket* socket_;
    TestUpdateServer::Core& core_;
    QByteArray request_;
    bool answered_ = false;
    QFile file_;
    qint64 left_ = 0; // body bytes still to send
    bool closing_ = false;
};

void Exchange::readRequest()
{
    if (answered_)
        return;
    request_ += socket_->readAll();
    const qsizetype end = request_.indexOf("\r\n\r\n");
    if (end < 0) {
        if (request_.size() > kMaxHeaderBytes) {
            answered_ = true;
            sendAll(400, QByteArray(), Fault());
        }
        return;
    }
    answered_ = true;
    const QList<QByteArray> lines = request_.left(end).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    const QUrl target(QString::fromLatin1(requestLine.value(1)));
    QByteArray range;
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "range")
            range = line.mid(colon + 1).trimmed();
    }
    const QString path = target.path();
    {
        QMutexLocker lock(&core_.mutex_);
        core_.log_.append({path, QUrlQuery(target.query(QUrl::FullyEncoded)), range});
    }
    const Fault fault = core_.faultFor(path);
    QPointer<Exchange> self(this);
    auto respond = [self, path, range, fault] {
        if (self)
            self->answer(path, range, fault);
    };
    if (fault.hold) {
        QMutexLocker lock(&core_.mutex_);
        core_.held_.append(respond);
    } else if (fault.delayMs > 0) {
        QTimer::singleShot(fault.delayMs, this, respond);
    } else {
        respond();
    }
}

void Exchange::answer(const QString& path, const QByteArray& range, const Fault& fault)
{
    if (fault.status)
        return sendAll(fault.status, QByteArray(), fault);
    if (path == u"/check") {
        QFile check(core_.folder_ + QStringLiteral("/check.xml"));
        if (!check.open(QIODevice::ReadOnly))
            return sendAll(404, QByteArray(), fault);
        QByteArray body = check.readAll();
        body.replace("@BASE@", core_.baseUrl_.toUtf8());
        return sendAll(200, body, fault);
    }
    answerFile(path, range, fault);
}

void Exchange::answerFile(const QString& path, const QByteArray& range, const Fault& fault)
{
    const QString local = QDir::cleanPath(core_.folder_ + path);
    if (!local.startsWith(core_.folder_ + u'/') || !QFileInfo(local).isFile())
        return sendAll(404, QByteArray(), fault);
    file_.setFileName(local);
    if (!file_.open(QIODevice::ReadOnly))
        return sendAll(404, QByteArray(), fault);
    const qint64 size = file_.size();
    qint64 first = 0, last = size - 1;
    int status = 200;
    QByteArray extra;
    if (!range.isEmpty() && !fault.ignoreRange && range.startsWith("bytes=")) {
        const QList<QByteArray> bounds = range.mid(6).split('-');
        first = bounds.value(0).toLongLong();
        if (bounds.size() > 1 && !bounds.at(1).isEmpty())
            last = std::min(size - 1, bounds.at(1).toLongLong());
        if (first >= size || last < first)
            return sendAll(416, QByteArray(), fault);
        status = 206;
        extra = "Content-Range: bytes " + QByteArray::number(first) + '-' + QByteArray::number(last) + '/' +
                QByteArray::number(size) + "\r\n";
    }
    const qint64 length = last - first + 1;
    sendHead(status, length, extra);
    file_.seek(first);
    left_ = fault.cutAfter >= 0 ? std::min(length, fault.cutAfter) : length;
    sendMore();
}

void Exchange::sendHead(int status, qint64 length, const QByteArray& extra)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    head += "Connection: close\r\n" + extra + "\r\n";
    socket_->write(head);
}

void Exchange::sendAll(int status, const QByteArray& body, const Fault& fault)
{
    sendHead(status, body.size());
    const qint64 sent = fault.cutAfter >= 0 ? std::min<qint64>(body.size(), fault.cutAfter) : body.size();
    socket_->write(body.left(sent));
    left_ = 0;
    sendMore();
}

void Exchange::sendMore()
{
    while (left_ > 0 && socket_->bytesToWrite() < 2 * kChunkBytes) {
        const QByteArray chunk = file_.read(std::min(left_, kChunkBytes));
        if (chunk.isEmpty()) {
            left_ = 0;
            break;
        }
        socket_->write(chunk);
        left_ -= chunk.size();
    }
    // Everything (or everything up to the cut) is on its way: close once it has left.
    if (left_ == 0 && !closing_ && answered_ && socket_->bytesToWrite() == 0) {
        closing_ = true;
        socket_->disconnectFromHost();
    }
}

} // namespace

void TestUpdateServer::Core::accept()
{
    while (QTcpSocket* socket = server_->nextPendingConnection())
        new Exchange(socket, *this);
}

TestUpdateServer::TestUpdateServer(const QString& folder) : core_(std::make_unique<Core>(folder))
{
    core_->moveToThread(&core_->thread_);
    core_->thread_.start();
}

TestUpdateServer::~TestUpdateServer()
{
    Core* core = core_.get();
    QMetaObject::invokeMethod(
        core,
        [core] {
            core->held_.clear();
            for (QObject* child : core->children())
                delete child;
            core->server_ = nullptr;
            core->moveToThread(QCoreApplication::instance()->thread());
        },
        Qt::BlockingQueuedConnection);
    core_->thread_.quit();
    core_->thread_.wait();
}

bool TestUpdateServer::start(quint16 port)
{
    bool listening = false;
    Core* core = core_.get();
    QMetaObject::invokeMethod(
        core,
        [core, port, &listening] {
            core->server_ = new QTcpServer(core);
            listening = core->server_->listen(QHostAddress::LocalHost, port);
            QObject::connect(core->server_, &QTcpServer::newConnection, core, [core] { core->accept(); });
            QMutexLocker lock(&core->mutex_);
            core->baseUrl_ = QStringLiteral("http://127.0.0.1:%1").arg(core->server_->serverPort());
        },
        Qt::BlockingQueuedConnection);
    return listening;
}

QString TestUpdateServer::baseUrl() const
{
    QMutexLocker lock(&core_->mutex_);
    return core_->baseUrl_;
}

void TestUpdateServer::setFault(const QString& path, const Fault& fault)
{
    QMutexLocker lock(&core_->mutex_);
    core_->faults_.insert(path, fault);
}

void TestUpdateServer::clearFaults()
{
    QMutexLocker lock(&core_->mutex_);
    core_->faults_.clear();
}

void TestUpdateServer::releaseHeld()
{
    QList<std::function<void()>> held;
    {
        QMutexLocker lock(&core_->mutex_);
        held.swap(core_->held_);
    }
    for (const std::function<void()>& respond : held)
        QMetaObject::invokeMethod(core_.get(), respond, Qt::QueuedConnection);
}

QList<LoggedRequest> TestUpdateServer::requests() const
{
    QMutexLocker lock(&core_->mutex_);
    return core_->log_;
}

int TestUpdateServer::requestCount(const QString& path) const
{
    QMutexLocker lock(&core_->mutex_);
    return int(std::count_if(core_->log_.cbegin(), core_->log_.cend(),
                             [&path](const LoggedRequest& request) { return request.path == path; }));
}

} // namespace updater_test
