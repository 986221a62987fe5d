#include "device/DiagnosticsLines.h"

#include <QHash>

#include <array>

namespace
{

using enum DiagTab;

const std::array kLines = {
    DiagLine{"HardwareInfo", "Hardware Information:", nullptr, Device, true},
    DiagLine{"IMEI", "IMEI number:", "ZUDERAIMEI", Device},
    DiagLine{"FWV", "Firmware version:", "FirmwareVersion", Device},
    DiagLine{"HWV", "Hardware version:", "HardwareVersion", Device},
    DiagLine{"CNum", "Phone number:", "OwnNumber", SIM},
    DiagLine{"IMSI", "IMSI number:", nullptr, SIM},
    DiagLine{"SerialNum", "Device serial number:", "SerialNumber", Device},
    DiagLine{"DeviceName", "Device name:", "DeviceName", Device},
    DiagLine{"SoftwareVersion", "Software version number:", "SoftwareVersion", Device},
    DiagLine{"DriverVersion", "Driver version number:", "DriverVersion", Device},
    DiagLine{"PCModel", "Computer model:", nullptr, MacOS},
    DiagLine{"ManuName", "Manufacturer name:", nullptr, Device, false, false},
    DiagLine{"ManuHomePage", "Manufacturer homepage:", nullptr, Device},
    DiagLine{"OSInfo", "Mac OS Information:", nullptr, MacOS, true},
    DiagLine{"OSVer", "OS version:", nullptr, MacOS},
    DiagLine{"OSLang", "OS language:", nullptr, MacOS},
    DiagLine{"OperationInfo", "Operational Information:", nullptr, SIM, true},
    DiagLine{"sms", "Messages in (U)SIM:", "MessageInSim", SIM},
    DiagLine{"contact", "Contacts in (U)SIM:", "ContactsInSim", SIM},
    DiagLine{"PinStatus", "PIN code status:", "PinCodeStatus", SIM},
    DiagLine{"NetworkName", "Network name:", "NetworkName", Network},
    DiagLine{"NetworkMode", "Network selection mode:", "NetworkSelectionMode", Network},
    DiagLine{"PreferredMode", "Preferred Mode:", nullptr, Network, false, false},
    DiagLine{"SignalStrength", "Signal strength:", nullptr, Network},
    DiagLine{"NetworkSettings", "Network Settings:", nullptr, Network, true},
    DiagLine{"SerCell", "Serving cell:", "CellID", Network, false, false},
    DiagLine{"CSRegistration", "CS network registration:", "CSNetworkRegistration", Network},
    DiagLine{"PSRegistration", "PS network registration:", "PSNetworkRegistration", Network},
    DiagLine{"PSAttachment", "PS network attachment:", "PSNetworkAttachment", Network},
    DiagLine{"APN", "APN:", "ApnName", Network},
};

const QString kIndent = QStringLiteral("        ");
const QString kGap = QStringLiteral("     ");

// The text less its last count characters; a shorter text has no unit to lose.
QString withoutUnit(const QString& text, int count)
{
    return text.size() < count ? text : text.chopped(count);
}

} // namespace

std::span<const DiagLine> diagLines()
{
    return kLines;
}

const DiagLine* diagLineNamed(const QString& name)
{
    for (const DiagLine& line : kLines)
        if (name == QLatin1String(line.name))
            return &line;
    return nullptr;
}

QString diagInfoText(const QList<DiagTextLine>& lines)
{
    QHash<QString, QString> valueOfCaption;
    for (const DiagTextLine& line : lines)
        if (!line.caption.isNull() && line.value)
            valueOfCaption.insert(line.caption, *line.value);
    QString text;
    for (const DiagTextLine& line : lines) {
        if (line.caption.isNull())
            continue;
        if (!line.heading)
            text += kIndent;
        text += line.caption + kGap;
        if (line.value)
            text += valueOfCaption.value(line.caption);
        text += QLatin1Char('\n');
    }
    return text;
}

QString reportSmsText(const ReportSmsFields& fields)
{
    const QStringList parts = {
        fields.cellId,
        fields.lac,
        withoutUnit(fields.rssi, 4),
        fields.rscp.isEmpty() ? QStringLiteral("Null") : withoutUnit(fields.rscp, 4),
        fields.ecno.isEmpty() ? QStringLiteral("Null") : withoutUnit(fields.ecno, 3),
        fields.psAttachment,
        fields.apn,
        QStringLiteral("JOV ") + fields.deviceName,
    };
    return parts.join(QStringLiteral(", "));
}
