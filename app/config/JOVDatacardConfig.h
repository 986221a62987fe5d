#pragma once

#include "platform/ns/Value.h"

// Reads and writes single top-level keys of a settings file directly on disk,
// bypassing the in-memory store.
class JOVDatacardConfig
{
public:
    // Once, while not initialised: the work path becomes the data folder's settings file.
    static void initGlobal();
    static void freeGlobal();
    static bool isInitialize();

    // The file name of one of the fixed lists (0 to 13), empty beyond.
    static QString configListName(int index);
    static QString defaultConfigListName(int index);

    static void setSettingDictWorkPath(const QString& path);
    static QString settingDictWorkPath();

    // The top-level value of key in the file at the work path, read afresh.
    static ns::Value settingDictKey(const QString& key);
    // Sets a top-level key in the file at the work path and writes it back atomically.
    static void setSettingDictKey(const QString& key, const ns::Value& value);
};
