#include "main/standins/PhonebookStandIn.h"

#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "platform/lindora/Lindora.h"

PhonebookStandIn::PhonebookStandIn()
{
    g_PBController = this;
}

PhonebookStandIn::~PhonebookStandIn()
{
    if (g_PBController == this)
        g_PBController = nullptr;
}

void PhonebookStandIn::popupAlertOk(const QString& key)
{
    NSRunAlertPanelExt(Map_Name_Item_of_IndexString(QStringLiteral("Warning!")),
                       Map_Name_Item_of_IndexString(key), Map_Name_Item_of_IndexString(QStringLiteral("OK")),
                       QString());
}

QString PhonebookStandIn::deleteExtraContent(const QString& text, int maxLength)
{
    QString kept;
    int length = 0;
    for (int i = 0; i < text.size();) {
        // A character outside the basic plane is two UTF-16 units and one character.
        const int units = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const int weight = text.at(i).unicode() < 0x80 ? 1 : 2;
        if (length + weight > maxLength)
            break;
        length += weight;
        kept += text.mid(i, units);
        i += units;
    }
    return kept;
}
