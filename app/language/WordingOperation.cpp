#include "app/language/WordingOperation.h"

#include "platform/lindora/Lindora.h"

#include <QtDebug>

namespace
{

const char* const kWordingModules[] = {"Main",    "Init",     "SMS",    "PhoneBook",
                                       "Setting", "Internet", "Record", "USSD"};

bool isWordingModule(QStringView name)
{
    for (const char* module : kWordingModules)
        if (name == QLatin1String(module))
            return true;
    return false;
}

} // namespace

QString WordingOperation::getDisplayWordingValueByWordingKey(const QString& key)
{
    const qsizetype underscore = key.indexOf(u'_');
    if (underscore < 0) {
        qWarning("error://%s has no the characer of _  by the  standard Wording rule", qPrintable(key));
        return QString();
    }
    if (!isWordingModule(QStringView(key).left(underscore))) {
        qWarning("error://%s has no module before the character of _  by the  standard Wording rule",
                 qPrintable(key));
        return QString();
    }
    return Map_Name_Item_of_IndexString(key);
}
