#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// A new empty file of the name in the folder; its path.
QString newEmptyFile(const QString& folder, const QString& name);

// A program of its own folder that, each time it is started, writes the
// arguments it was given to a file: tests start it through the code under
// test and read what it received.
class RecordingProgram
{
public:
    explicit RecordingProgram(const QString& name = QStringLiteral("recorder"));

    // The program's full path.
    QString path() const;
    // The arguments of the run, once it has written them; nullopt when it
    // has not run within half a minute.
    std::optional<QStringList> arguments() const;
    // Whether it ran (with any arguments) so far.
    bool hasRun() const;

private:
    QString outputPath() const;

    QTemporaryDir dir_;
    QString name_;
};
