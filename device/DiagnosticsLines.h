#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <span>

// The lines of the diagnostics window, the text file made of them and the
// report SMS made of its radio values; plain texts, no window.

// The window's four pages, in the order of its segmented control.
enum class DiagTab { Device = 0, MacOS = 1, SIM = 2, Network = 3 };

// One line: a caption field ("Label_Diag_" and the name) and, unless it is a
// heading, a value field ("Diag_" and the name).
struct DiagLine {
    const char* name;
    const char* caption;       // wording key of the caption text
    const char* dictionaryKey; // the value's key in the "diagInfo" dictionary, or null
    DiagTab tab;
    bool heading = false;
    bool skinned = true; // the skin dresses it (keys "labelDiag<name>Init", "textDiag<name>Init")
};

// Every line, in the order of the saved text file.
std::span<const DiagLine> diagLines();
// The line of that name, or null.
const DiagLine* diagLineNamed(const QString& name);

// What the text file takes of one line: its caption text (null when the
// window has no caption field) and its value text (none for a heading or a
// missing field).
struct DiagTextLine {
    QString caption;
    std::optional<QString> value;
    bool heading = false;
};

// The text of "DiagInfo.txt": for each line with a caption, the caption
// (indented by eight spaces unless a heading), five spaces, the value when
// there is one, and a line break. Lines that share a caption text all show
// the last value given for it.
QString diagInfoText(const QList<DiagTextLine>& lines);

// The radio and device values of the report SMS, as the window shows them.
struct ReportSmsFields {
    QString cellId;
    QString lac;
    QString rssi; // "<n> dBm"
    QString rscp; // "<n> dBm", or empty
    QString ecno; // "<n> dBm", or empty
    QString psAttachment;
    QString apn;
    QString deviceName;
};

// "cell, LAC, RSSI, RSCP, Ec/No, attachment, APN, JOV <device>": the RSSI
// and RSCP without their last four characters (the unit), the Ec/No without
// its last three, an empty RSCP or Ec/No as "Null". A text too short to hold
// its unit is taken whole.
QString reportSmsText(const ReportSmsFields& fields);
