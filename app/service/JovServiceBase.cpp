#include "app/service/JovServiceBase.h"

#include <QStringList>

namespace
{

const QStringList twoGNetTypeArray = {QStringLiteral("GSM"), QStringLiteral("EDGE"), QStringLiteral("GPRS"),
                                      QStringLiteral("2G")};
const QStringList threeGArray = {QStringLiteral("UMTS")};
const QStringList HArray = {QStringLiteral("HSDPA"), QStringLiteral("HSUPA")};
const QStringList HPlusArray = {QStringLiteral("HSPA+"), QStringLiteral("DC-HSPA+")};

// The IMSI shared by every service object.
QString& sharedImsi()
{
    static QString imsi;
    return imsi;
}

} // namespace

QString JovServiceBase::imsi() const
{
    return sharedImsi();
}

void JovServiceBase::setImsi(const QString& imsi)
{
    sharedImsi() = imsi;
}

int JovServiceBase::getNetTypeWithNetStr(const QString& netType) const
{
    if (is2GType(netType))
        return TwoG;
    if (is3GType(netType))
        return ThreeG;
    if (isHType(netType))
        return H;
    if (isHPlusType(netType))
        return HPlus;
    return TwoG;
}

bool JovServiceBase::is2GType(const QString& netType) const
{
    return twoGNetTypeArray.contains(netType);
}

bool JovServiceBase::is3GType(const QString& netType) const
{
    return threeGArray.contains(netType);
}

bool JovServiceBase::isHType(const QString& netType) const
{
    return HArray.contains(netType);
}

bool JovServiceBase::isHPlusType(const QString& netType) const
{
    return HPlusArray.contains(netType);
}
