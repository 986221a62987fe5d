#include "app/language/SystemLanguages.h"

#include <QRegularExpression>

namespace SystemLanguages
{

namespace
{

const QStringList kTraditionalChineseTerritories = {QStringLiteral("TW"), QStringLiteral("HK"),
                                                    QStringLiteral("MO")};

} // namespace

QString languageCodeOfLocale(const QString& locale)
{
    // language[_territory][.codeset][@modifier]
    const QString name = locale.trimmed().section(u'@', 0, 0).section(u'.', 0, 0);
    if (name.isEmpty())
        return QString();
    if (name == u"C" || name == u"POSIX")
        return QStringLiteral("en");

    const QStringList parts = name.split(QRegularExpression(QStringLiteral("[_-]")), Qt::SkipEmptyParts);
    const QString language = parts.value(0).toLower();
    const QString territory = parts.size() > 1 ? parts.last().toUpper() : QString();
    if (language == u"zh") {
        const bool traditional = kTraditionalChineseTerritories.contains(territory) ||
                                 parts.contains(u"Hant", Qt::CaseInsensitive);
        return traditional ? QStringLiteral("zh-Hant") : QStringLiteral("zh-Hans");
    }
    if (language == u"pt" && territory == u"PT")
        return QStringLiteral("pt-PT");
    if (language == u"no")
        return QStringLiteral("nb");
    return language;
}

QStringList appleLanguages(const QProcessEnvironment& environment)
{
    QStringList locales = environment.value(QStringLiteral("LANGUAGE")).split(u':', Qt::SkipEmptyParts);
    QString messageLocale = QStringLiteral("C");
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = environment.value(QString::fromLatin1(variable));
        if (!value.isEmpty()) {
            messageLocale = value;
            break;
        }
    }
    locales.append(messageLocale);

    QStringList codes;
    for (const QString& locale : locales) {
        const QString code = languageCodeOfLocale(locale);
        if (!code.isEmpty() && !codes.contains(code))
            codes.append(code);
    }
    return codes;
}

} // namespace SystemLanguages
