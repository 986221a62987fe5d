#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace agent
{

// A package the user chose: its file name (a plain name inside the download
// folder), its size in bytes and its SHA-256 digest.
struct SelectedFile {
    QString filename;
    qint64 size = 0;
    QByteArray sha256;
};

// UserSelection.xml: the chosen packages (UpdateFiles/UpdateFile, attributes
// "Filename", "Size" and "SHA256") and the servers to fetch them from
// (Ftp/Server/Url, a folder URL that the file name is added to).
struct UserSelection {
    QList<SelectedFile> files;
    QStringList serverUrls;
};

// The selection in the document; nothing, with the reason, when it is not
// well-formed, chooses nothing, has no server, or names a package that
// cannot be fetched and checked (no plain file name, no size up to 1 TiB, no digest).
std::optional<UserSelection> parseUserSelection(const QByteArray& xml, QString* error);
std::optional<UserSelection> readUserSelection(const QString& path, QString* error);

} // namespace agent
