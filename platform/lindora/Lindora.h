#pragma once

#include <QString>

// The localisation framework: one process-wide wording table at a time.
//
// A token list is a strings file ("key" = "value"; lines, UTF-8 or UTF-16 with
// a byte-order mark). Wording keys map to their display texts; numbered items
// are kept in the same file under the key "@" followed by the decimal number,
// for example
//     "@14" = "Warning";
// so Map_Name_Item_of_Index(14) gives "Warning".

// Makes the token list at path the current table. When the file is missing or
// is not a strings file, the previous table (or none) stays current and the
// result is false.
bool Lindora_Init(const QString& path);

// Logs a summary of the current table: its file and how many items it holds.
void Lindora_Dump();

// The display text of a wording key. A key the current table does not hold
// (or any key while no table is loaded) comes back unchanged, so an untranslated
// text is shown as written; an empty key gives the empty string.
QString Map_Name_Item_of_IndexString(const QString& key);

// The display text of numbered item index; the empty string when the current
// table has no such item.
QString Map_Name_Item_of_Index(int index);
