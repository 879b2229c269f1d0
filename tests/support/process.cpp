#include "tests/support/process.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include <sys/resource.h>
#include <sys/wait.h>

namespace support {

namespace {

// A shell reports a child killed by signal n as exit code 128 + n.
bool crashed(int status)
{
    if (WIFSIGNALED(status))
        return true;
    if (!WIFEXITED(status))
        return false;
    for (int signal : {SIGILL, SIGABRT, SIGBUS, SIGFPE, SIGSEGV, SIGKILL})
        if (WEXITSTATUS(status) == 128 + signal)
            return true;
    return false;
}

} // namespace

bool haveTool(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

int shell(const std::string& command)
{
    const int status = std::system(command.c_str());
    if (status == -1 || crashed(status)) {
        fail("crashed: " + command);
        return -1;
    }
    return WEXITSTATUS(status);
}

bool quietly(const std::string& command)
{
    // The command's own redirections stand inside the brackets.
    return shell("(" + command + ") >/dev/null 2>&1") == 0;
}

std::string shellOutput(const std::string& command)
{
    std::string out;
    FILE* pipe = ::popen(("(" + command + ") 2>/dev/null").c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe))
        out.append(buf, n);
    if (crashed(::pclose(pipe)))
        fail("crashed: " + command);
    return out;
}

RunResult run(const QString& program, const QStringList& args, const RunOptions& options)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : options.env.keys())
        env.insert(name, options.env.value(name));
    for (const QString& name : options.unset)
        env.remove(name);
    p.setProcessEnvironment(env);
    const std::string what = (program + ' ' + args.join(' ')).toStdString();
    QElapsedTimer clock;
    clock.start();
    p.start(program, args);
    if (!p.waitForStarted()) {
        fail("did not start: " + what);
        return {};
    }
    if (options.during)
        options.during(p);
    RunResult r;
    if (!p.waitForFinished(options.timeoutMs)) {
        p.kill();
        p.waitForFinished();
        fail("hung: " + what);
    } else if (p.exitStatus() != QProcess::NormalExit) {
        fail("crashed: " + what);
    } else {
        r.exitCode = p.exitCode();
    }
    r.outBytes = p.readAllStandardOutput();
    r.out = QString::fromUtf8(r.outBytes);
    r.err = QString::fromUtf8(p.readAllStandardError());
    r.ms = clock.elapsed();
    return r;
}

QProcessEnvironment privateHome(const QString& folder)
{
    QProcessEnvironment env;
    env.insert("XDG_CONFIG_HOME", folder + "/config");
    env.insert("XDG_DATA_HOME", folder + "/data");
    return env;
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        fail("could not write " + path.toStdString());
    return path;
}

QString solidPhoto(const QString& path, int width, int height, QColor colour, int quality)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(colour);
    if (!img.save(path, nullptr, quality))
        fail("could not write " + path.toStdString());
    return path;
}

std::string commaLocale()
{
    const std::filesystem::path dir = std::filesystem::path(PAGINOR_BUILD_DIR) / "test-locales";
    const std::filesystem::path locale = dir / "de_DE.UTF-8";
    if (!std::filesystem::exists(locale)) {
        std::filesystem::create_directories(dir);
        if (!quietly("localedef -i de_DE -f UTF-8 '" + locale.string() + "'"))
            return {};
    }
    ::setenv("LOCPATH", dir.c_str(), 1);
    return "de_DE.UTF-8";
}

long peakMemoryKb()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace support
