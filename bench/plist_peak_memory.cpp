// The peak memory of reading the 100,000-record property list of plist_bench,
// measured in a fresh process (ru_maxrss never goes down, so the reading runs
// in a child started for it alone).
//
// Usage: plist_peak_memory [FILE]   (default: the 100,000-record bench file, written first if missing)

#include "PlistBenchRecords.h"

#include "platform/ns/PropertyList.h"

#include <QFileInfo>

#include <cstdio>
#include <cstring>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

constexpr int kRecordCount = 100000;

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

int readAndReport(const char* path)
{
    const double before = peakMegabytes();
    std::optional<ns::Value> value = ns::PropertyList::readFile(QString::fromLocal8Bit(path));
    const double after = peakMegabytes();
    if (!value) {
        std::fprintf(stderr, "%s is not a property list\n", path);
        return 1;
    }
    std::printf("%s: %.1f MB file, peak memory %.1f MB (%.1f MB before reading)\n", path,
                double(QFileInfo(QString::fromLocal8Bit(path)).size()) / 1e6, after, before);
    return 0;
}

// Runs action in a child process and returns its exit status. The parent
// stays small, which matters: a child's peak counts its parent's memory at the
// moment it was started.
template <typename Action> int inChild(Action action)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(action());
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--read") == 0)
        return readAndReport(argv[2]);

    const QByteArray path = argc > 1 ? QByteArray(argv[1]) : plistBenchFile(kRecordCount).toLocal8Bit();
    const QString file = QString::fromLocal8Bit(path);
    if (!QFileInfo::exists(file) &&
        inChild([&] {
            return ns::PropertyList::writeFile(file, makePlistBenchRecords(kRecordCount)) ? 0 : 1;
        }) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.constData());
        return 1;
    }
    return inChild([&] {
        char readOption[] = "--read";
        char* const childArgs[] = {argv[0], readOption, const_cast<char*>(path.constData()), nullptr};
        execv("/proc/self/exe", childArgs);
        return 127;
    });
}
