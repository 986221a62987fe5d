#include "tests/support/RecordingProgram.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

QString newEmptyFile(const QString& folder, const QString& name)
{
    const QString path = folder + u'/' + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.close();
    return path;
}

RecordingProgram::RecordingProgram(const QString& name) : name_(name)
{
    QFile program(path());
    if (program.open(QIODevice::WriteOnly)) {
        // The file appears whole: written aside, then renamed.
        program.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                      QFile::encodeName(outputPath()) + ".part\"\nmv \"" + QFile::encodeName(outputPath()) +
                      ".part\" \"" + QFile::encodeName(outputPath()) + "\"\n");
        program.close();
        program.setPermissions(program.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    }
}

QString RecordingProgram::path() const
{
    return dir_.filePath(name_);
}

QString RecordingProgram::outputPath() const
{
    return dir_.filePath(name_ + QStringLiteral(".arguments"));
}

bool RecordingProgram::hasRun() const
{
    return QFileInfo::exists(outputPath());
}

std::optional<QStringList> RecordingProgram::arguments() const
{
    const QDeadlineTimer deadline(30000);
    while (!hasRun() && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    QFile output(outputPath());
    if (!output.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringList arguments = QString::fromLocal8Bit(output.readAll()).split(u'\n');
    arguments.removeLast();
    return arguments;
}
