#pragma once

#include "platform/ns/Value.h"

#include <QString>

#include <optional>

// The PIN kept on the computer for automatic entry ("PinNum") and the ICCID
// of the SIM it belongs to ("Iccid"). They live in a property list of the
// user's own, readable and writable by the owner alone, in a folder of the
// user's configuration that no other user can enter: never in the settings
// file, whose data folder other users may read.
class PinNumStore
{
public:
    struct Entry {
        QString pinNum;
        QString iccid;
    };

    // The store at the default place, privateFilePath().
    PinNumStore();
    explicit PinNumStore(const QString& path) : path_(path) {}

    // $XDG_CONFIG_HOME/trelvan/PinNum.plist, by default under ~/.config.
    static QString privateFilePath();
    QString path() const { return path_; }

    // The stored PIN and ICCID; nullopt when nothing is stored or the file
    // cannot be read.
    std::optional<Entry> read() const;
    // Stores them, creating the folder and the file for the owner alone.
    bool write(const Entry& entry) const;
    bool remove() const;

    // Moves a "PinNum" found in the settings, with its "Iccid", into the
    // store and removes both from the settings. True when the settings
    // changed, so the caller writes the settings file; when the store
    // cannot be written the settings keep them.
    bool migrateFromSettings(ns::Dictionary& settings) const;

private:
    QString path_;
};
