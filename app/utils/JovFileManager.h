#pragma once

#include "platform/ns/Value.h"

#include <QStringConverter>
#include <QStringList>

#include <optional>

// File work of the features: folders along a path, writing values to files,
// simple key/value text files, kinds of files and folder listings.
class JovFileManager
{
public:
    // Kinds answered by getFileTypeWithPath.
    enum FileType { kFileTypeFile = 0, kFileTypeDirectory = 1, kFileTypeNone = 2, kFileTypeOther = 3 };
    // Kinds asked for by the listings; any other number selects nothing.
    enum SearchType { kSearchFiles = 0, kSearchDirectories = 1, kSearchAll = 2 };

    JovFileManager() = delete;

    // YES when something already exists at the path or a folder was made there.
    static bool createDirectory(const QString& path);
    // Makes every missing folder along the path ("~" is the home folder); a
    // trailing or doubled slash ends the path. YES when at least one folder was
    // handled and none failed.
    static bool createFolder(const QString& path);
    // Writes a string in the encoding, a dictionary or array as an XML property
    // list, or data as it is, atomically, making the file's folder first when
    // the file is new. NO for other values, which cannot be written.
    static bool writeToFile(const QString& path, const ns::Value& content,
                            QStringConverter::Encoding encoding);
    // The "key<item separator>value" lines of a text file; lines of any other
    // shape are skipped and a later key wins. Empty when the file is missing,
    // unreadable or not text in the encoding.
    static ns::Dictionary readFromFile(const QString& path, const QString& splitNewLine,
                                       const QString& splitItem, QStringConverter::Encoding encoding);

    // The FileType at the path, symbolic links followed.
    static int getFileTypeWithPath(const QString& path);
    // Hidden from the user: on this platform, a name that starts with a dot.
    static bool isHiddenFile(const QString& path);
    // YES when nothing is left at the path: a folder goes with its contents.
    static bool removeFileAtPath(const QString& path);

    // The relative paths whose root/path is of the search type.
    static QStringList searchSubPaths(const QStringList& subPaths, int searchType,
                                      const QString& rootFileDirecory);
    // Every path below the folder, at any depth and sorted, of the search type and
    // whose hidden state equals containHiddenFlag; full paths when fullPathFlag is
    // set, else relative. nullopt when the folder does not exist or is not one.
    static std::optional<QStringList> getSubPathsWithFileDirectoryPath(const QString& path, int searchType,
                                                                       bool fullPathFlag,
                                                                       bool containHiddenFlag);
};
