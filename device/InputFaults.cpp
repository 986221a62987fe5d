#include "device/InputFaults.h"

#include "jCommon/PayloadReader.h"

#include <QSet>

#include <mutex>

void logInputFaultOnce(const QString& fault)
{
    static std::mutex lock;
    static QSet<QString> logged;
    {
        const std::lock_guard guard(lock);
        if (logged.contains(fault))
            return;
        logged.insert(fault);
    }
    qWarning("%s", qPrintable(fault));
}

QString recordText(const _UI_MSG& record, int offset, int width)
{
    if (!payloadTextIsTerminated(record, offset, width))
        logInputFaultOnce(QStringLiteral("%1: the text at %2 has no NUL within %3 bytes")
                              .arg(recordName(record))
                              .arg(offset)
                              .arg(width));
    return payloadText(record, offset, width);
}
