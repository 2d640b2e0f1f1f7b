// Time and peak memory to load projects of 1,000, 100,000 and 1,000,000
// pages. Each load runs in a fresh process of this program, so the peak
// resident set it reads of itself (VmHWM) is the load's own.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include "model/project.h"

extern char** environ;

namespace {

// Every page type in turn, with parameters as the editor writes them.
Project projectOf(int pages) {
    Project project;
    project.list_command.reserve(pages);
    project.list_condition.reserve(pages);
    for (int page = 0; page < pages; ++page) {
        const QString number = QString::number(page % 1920);
        switch (page % 6) {
        case 0:
            project.list_command.append({keyword::Click, keyword::Left, QStringLiteral("0.01")});
            project.list_condition.append({keyword::Time, QStringLiteral("0.5")});
            break;
        case 1:
            project.list_command.append({keyword::MousePointer, number, QStringLiteral("540")});
            project.list_condition.append({keyword::Immediately});
            break;
        case 2:
            project.list_command.append(
                {keyword::SmoothMove, number, QStringLiteral("200"), QStringLiteral("1.5")});
            project.list_condition.append(blankCondition());
            break;
        case 3:
            project.list_command.append(
                {keyword::Key, QStringLiteral("65,2"), QStringLiteral("0.01")});
            project.list_condition.append({keyword::Key, QStringLiteral("83,3")});
            break;
        case 4:
            project.list_command.append({keyword::EnterText,
                                         QStringLiteral("こんにちは %1").arg(page),
                                         QStringLiteral("3")});
            project.list_condition.append({keyword::Click, keyword::Right});
            break;
        default:
            project.list_command.append(blankCommand());
            project.list_condition.append(
                {keyword::ClockTime, QStringLiteral("9"), number.left(2)});
            break;
        }
    }
    return project;
}

// Resident and peak resident kilobytes of this process.
std::pair<long, long> residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return {0, 0};
    long resident = 0;
    long peak = 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 1 && fields[0] == "VmRSS:")
            resident = fields[1].toLong();
        else if (fields.size() > 1 && fields[0] == "VmHWM:")
            peak = fields[1].toLong();
    }
    return {resident, peak};
}

// The child's part: reads and parses the file, as the project reader does
// but without its size limit, and prints what the parent tabulates.
int loadOnce(const char* path) {
    const long before = residentKilobytes().first;
    const auto start = std::chrono::steady_clock::now();
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const ReadResult read = projectFromJson(file.readAll());
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.1f %ld %ld %lld\n", ms, before, residentKilobytes().second,
                static_cast<long long>(read.project.list_command.size()));
    return read.ok ? 0 : 1;
}

// The heaviest file the reader accepts: empty pages ("[]") up to the size
// limit, each of which becomes a page of its own.
QByteArray emptyPagesUpToTheLimit() {
    const QByteArray head = "{\"list_command\":[[]";
    const QByteArray tail = "]}";
    const qsizetype more = (projectFileSizeLimit - head.size() - tail.size()) / 3;
    return head + QByteArray(",[]").repeated(more) + tail;
}

void measure(const char* self, const QByteArray& text, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return;
    file.close();

    int output[2];
    if (pipe(output) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    const QByteArray pathBytes = QFile::encodeName(path);
    char* arguments[] = {const_cast<char*>(self), const_cast<char*>("--load"),
                         const_cast<char*>(pathBytes.constData()), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    if (spawned != 0)
        return;
    char line[128] = {};
    const ssize_t got = read(output[0], line, sizeof line - 1);
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);
    double ms = 0;
    long before = 0;
    long peak = 0;
    long long loaded = 0;
    if (got <= 0 || std::sscanf(line, "%lf %ld %ld %lld", &ms, &before, &peak, &loaded) != 4 ||
        !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::printf("the load of %.1f MB failed\n", double(text.size()) / 1e6);
        return;
    }
    std::printf("%9lld pages, %6.1f MB file (%s): load %8.1f ms, peak memory %7.1f MB above "
                "the %.1f MB before loading\n",
                loaded, double(text.size()) / 1e6,
                text.size() <= projectFileSizeLimit ? "accepted" : "over the limit", ms,
                double(peak - before) / 1024, double(before) / 1024);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && QByteArray(argv[1]) == "--load")
        return loadOnce(argv[2]);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.cmdat"));
    for (int pages : {1000, 100000, 1000000})
        measure(argv[0], projectToJson(projectOf(pages)), path);
    std::printf("Empty pages up to the size limit:\n");
    measure(argv[0], emptyPagesUpToTheLimit(), path);
    return 0;
}
