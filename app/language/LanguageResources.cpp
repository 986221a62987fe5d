#include "app/language/LanguageResources.h"

#include "platform/ns/Bundle.h"

namespace LanguageResources
{

namespace
{

const QString kTokenListName = QStringLiteral("LanguageTokenList");
const QString kTokenListType = QStringLiteral("txt");

} // namespace

QString rootTokenListPath()
{
    return ns::Bundle::mainBundle().pathForResource(kTokenListName, kTokenListType);
}

QString tokenListPathOfLanguage(const QString& name)
{
    if (name.isEmpty())
        return QString();
    return ns::Bundle::mainBundle().pathForResource(kTokenListName, kTokenListType,
                                                    name + QStringLiteral(".lproj"));
}

} // namespace LanguageResources
