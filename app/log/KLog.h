#pragma once

#include <QString>

#include <mutex>

class ConfigManager;

// The log of the modem traffic: time-stamped text appended to "at_write.log"
// (commands written) and "at_read.log" (answers read) in the log folder.
//
// The traffic can hold PIN and PUK codes, so the files are only created and
// opened while logging is switched on, are readable by their owner alone, and
// are never reached through a symbolic link. The folder is the setting
// "LogFileDir", or else a private folder of the user
// ($XDG_STATE_HOME/trelvan/logs, by default ~/.local/state/trelvan/logs).
class KLog
{
public:
    static KLog& sharedLog();

    // A log whose folder comes from the given store (the shared one for sharedLog).
    // It starts switched off.
    explicit KLog(const ConfigManager& store);
    // The folder a log made from the store writes to.
    static QString folderOf(const ConfigManager& store);
    ~KLog();
    KLog(const KLog&) = delete;
    KLog& operator=(const KLog&) = delete;

    bool getKLogFlag() const;
    // Switching on opens (and creates) the two files for appending; switching off closes them.
    void setKLogFlag(bool on);
    QString logDir() const { return logDir_; }

    // Append the time-stamped text while logging is on.
    void putATWriteLog(const char* text);
    void putATReadLog(const char* text);
    // The diagnostic logs are not kept: their texts are dropped.
    void putDiagWriteLog(const char*) {}
    void putDiagReadLog(const char*) {}
    // Writes the text to the system log.
    void output(const char* text);
    // Routes the text by log type: 0 write log, 1 read log, 2 and 3 the
    // diagnostic logs, 4 to 6 system log; any other type is discarded.
    void output(int type, const char* text);

private:
    void openFiles();
    void closeFiles();
    // Appends to one of the two files (read under the lock, as the switch may close it).
    void append(int KLog::*file, const QByteArray& bytes);

    mutable std::mutex lock_;
    bool m_LogFlag = false;
    QString logDir_;
    bool privateFolder_ = false; // logDir_ is ours to create
    int ATWrite_ = -1;           // file descriptors, -1 while closed
    int ATRead_ = -1;
};

// Switches the shared log on or off.
void SetKLogOpen(bool open);
// A shared log not made yet counts as switched off (asking does not make it).
bool IsKLogOpen();
// Formats the arguments into the system log while logging is on.
void ShowKLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Routes a message by log type (see KLog::output). Only the system-log types
// 4 to 6 format their arguments; the other types take the format as the text.
void DCLog(int type, const char* format, ...) __attribute__((format(printf, 2, 3)));
