#include "halvex/Logging.h"

namespace halvex
{
// Each record sent or received is a debug line, off unless asked for
// (QT_LOGGING_RULES="halvex.debug=true").
Q_LOGGING_CATEGORY(lcHalvex, "halvex", QtInfoMsg)

QString loggable(const QString& text)
{
    QString shown = text.left(kLoggedTextLimit);
    if (!shown.isEmpty() && shown.back().isHighSurrogate())
        shown.chop(1); // never half a character
    for (QChar& c : shown)
        if (!c.isPrint() && !c.isSurrogate())
            c = u'?';
    if (shown.size() < text.size())
        shown += QStringLiteral("... (%1 characters)").arg(text.size());
    return shown;
}
} // namespace halvex
