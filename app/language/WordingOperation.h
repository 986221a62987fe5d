#pragma once

#include <QString>

// Wording keys are made of a module name, an underscore and the control's key
// ("SMS_btnOK"); they are translated by the localisation framework.
class WordingOperation
{
public:
    // The display text of a wording key of a known module; the empty string
    // (and a log line) for a key without an underscore or a known module.
    static QString getDisplayWordingValueByWordingKey(const QString& key);
};
