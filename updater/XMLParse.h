#pragma once

#include "platform/ns/Value.h"

#include <QString>

struct _xmlDoc;

// Reads the update description (Description.xml) into a dictionary and writes
// the user's selection (UserSelection.xml). One shared instance serves the
// process; the description's path is set once with initWithFilePath.
//
// The description is outside input: it is parsed with white space kept, with
// no network access, no DTD loading and no entity expansion (a reference to
// an entity stays as written, "&name;"), and a malformed document is read
// again in recovery mode before it is given up.
class XMLParse
{
public:
    // Records the description's path and returns the shared instance; an
    // empty path returns null and changes nothing.
    static XMLParse* initWithFilePath(const QString& path);
    static XMLParse& sharedXMLParse();
    static void cleanupXMLParse();

    // Fills the dictionary from the description file: "Flag" (and "ErrMsg")
    // when the answer offers nothing; otherwise the PackageDescription's
    // children, "UpdateFile" (one dictionary per UpdateFile element: its text
    // under "UpdateFile" and its attributes) and "Server" (one dictionary per
    // Server element of its children). False when no path is set or the file
    // cannot be read as XML.
    bool getUpdateInfo(ns::Dictionary& info);
    // The same from the description's bytes.
    static bool updateInfoFromData(const QByteArray& xml, ns::Dictionary& info);

    // Writes UserSelection.xml for the selection (a description dictionary
    // whose "UpdateFile" holds the chosen entries): UpdateConfig with
    // UpdateFiles, then Ftp with the servers.
    bool createResult(const QString& path, const ns::Dictionary& selection);
    // Writes the document pretty-printed and atomically; on failure it beeps
    // and answers false.
    bool writeToFile(_xmlDoc* document, const QString& path);

private:
    XMLParse() = default;
};
