#include "platform/ns/appkit/Sound.h"

#include "platform/ns/Timer.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

#include <optional>

namespace ns
{

namespace
{

// The playing time of a RIFF/WAVE file from its "fmt " and "data" chunks.
std::optional<double> wavDuration(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray header = file.read(12);
    if (header.size() != 12 || !header.startsWith("RIFF") || header.mid(8, 4) != "WAVE")
        return std::nullopt;
    quint32 byteRate = 0;
    std::optional<qint64> dataSize;
    while (!dataSize) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() != 8)
            break;
        const qint64 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        const qint64 start = file.pos();
        if (chunk.startsWith("fmt ")) {
            const QByteArray format = file.read(16);
            if (format.size() != 16)
                return std::nullopt;
            byteRate = qFromLittleEndian<quint32>(format.constData() + 8);
        } else if (chunk.startsWith("data")) {
            dataSize = std::min(size, file.size() - start);
        }
        if (!file.seek(start + size + (size & 1)))
            break;
    }
    if (!dataSize || byteRate == 0)
        return std::nullopt;
    return double(*dataSize) / byteRate;
}

bool outputEnabled = true;

} // namespace

void Sound::setOutputEnabled(bool enabled)
{
    outputEnabled = enabled;
}

bool Sound::isOutputEnabled()
{
    return outputEnabled;
}

std::unique_ptr<Sound> Sound::soundWithContentsOfFile(const QString& path)
{
    std::optional<double> duration = wavDuration(path);
    if (!duration)
        return nullptr;
    return std::unique_ptr<Sound>(new Sound(path, *duration));
}

Sound::Sound(const QString& path, double duration) : path_(path), duration_(duration) {}

Sound::~Sound()
{
    if (endTimer_)
        endTimer_->invalidate();
}

bool Sound::play()
{
    if (playing_)
        return false;
    playing_ = true;
    if (!effect_ && outputEnabled) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (!device.isNull()) {
            effect_ = std::make_unique<QSoundEffect>(device);
            effect_->setSource(QUrl::fromLocalFile(path_));
        }
    }
    if (effect_ && outputEnabled)
        effect_->play();
    endTimer_ = Timer::scheduledTimer(duration_, false, [this](Timer&) { finish(true); });
    return true;
}

bool Sound::stop()
{
    if (!playing_)
        return false;
    finish(false);
    return true;
}

void Sound::finish(bool reachedEnd)
{
    playing_ = false;
    if (endTimer_) {
        endTimer_->invalidate();
        endTimer_.reset();
    }
    if (effect_)
        effect_->stop();
    if (delegate_)
        delegate_->soundDidFinishPlaying(this, reachedEnd);
}

} // namespace ns
