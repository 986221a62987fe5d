#pragma once

#include "halvex/LoggedRecord.h"
#include "halvex/Record.h"
#include "jCommon/PayloadReader.h"
#include "jCommon/UIMsg.h"
#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QStringList>

#include <ostream>
#include <utility>
#include <vector>

// Readable failure messages for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace halvextest
{

// The base scenario of these tests (a roaming USIM that is ready, quick
// timing, a steady signal) with some keys changed: {"SIM/State",
// "PinLocked"}; a null value removes the key.
inline ns::Dictionary scenarioWith(const std::vector<std::pair<QString, ns::Value>>& changes = {})
{
    ns::Dictionary root =
        ns::PropertyList::readDictionary(QStringLiteral(TRELVAN_FIXTURES_DIR "/halvex/scenario.plist"))
            .value_or(ns::Dictionary())
            .deepCopy();
    for (const auto& [path, value] : changes) {
        const QStringList parts = path.split(QLatin1Char('/'));
        ns::Dictionary holder = parts.size() == 1 ? root : root.value(parts.first()).toDictionary();
        if (value.isNull())
            holder.remove(parts.last());
        else
            holder.setValue(parts.last(), value);
    }
    return root;
}

// Writes a scenario as name.plist into the folder; returns its path.
inline QString writeScenario(const QString& folder, const QString& name, const ns::Dictionary& scenario)
{
    const QString path = QDir(folder).filePath(name + QStringLiteral(".plist"));
    return ns::PropertyList::writeFile(path, scenario) ? path : QString();
}

// The level 0 to 5 the manager reads from a 7/55 signal record: from code
// power and quality when both are measured, else from the signal strength.
inline int managerSignalLevel(const _UI_MSG& record)
{
    const int rssi = -payloadInt32(record, 0);
    const int ecno = payloadInt32(record, 4);
    const int rscp = payloadInt32(record, 8);
    if (ecno != 1000 && rscp != 1000) {
        const int e = -ecno / 2;
        const int p = -rscp / 2;
        const std::pair<int, int> thresholds[] = {
            {-91, -8}, {-97, -10}, {-104, -12}, {-111, -15}, {-115, -18}};
        for (int i = 0; i < 5; ++i)
            if (p >= thresholds[i].first && e >= thresholds[i].second)
                return 5 - i;
        return 0;
    }
    const int floors[] = {-81, -87, -93, -99, -107};
    for (int i = 0; i < 5; ++i)
        if (rssi >= floors[i])
            return 5 - i;
    return 0;
}

// The reports of a start with a usable SIM, in order.
inline QStringList readyStartSequence()
{
    return {"1/0",  "8/58", "3/5",  "5/22", "7/44", "7/48", "7/49",   "7/50",   "0/26",
            "6/33", "4/16", "6/32", "4/13", "4/9",  "7/42", "7/47", "7/51",   "7/57",
            "7/39", "7/40", "7/41", "7/36", "7/37", "7/38", "7/55", "513/85", "513/75", "513/80"};
}

// The device reports and the SIM's presence and PIN request before its code
// state: the start of every start sequence.
inline QStringList deviceReports()
{
    return readyStartSequence().mid(0, readyStartSequence().indexOf("4/9"));
}

// "major/minor" of each record.
inline QStringList names(const std::vector<_UI_MSG>& records)
{
    QStringList names;
    for (const _UI_MSG& record : records)
        names << recordName(record);
    return names;
}
inline QStringList names(const std::vector<halvex::LoggedRecord>& entries)
{
    QStringList names;
    for (const halvex::LoggedRecord& entry : entries)
        names << recordName(entry.record());
    return names;
}

} // namespace halvextest
