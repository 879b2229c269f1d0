// Alias/Wavefront RLA through GraphicsMagick's gm, run as a helper process:
// ImageMagick 6 misreads RLA files taller than one row, and GraphicsMagick cannot be
// linked beside ImageMagick (both export the same symbols).
#include "imaging/codecs/codec_internal.h"
#include "imaging/codecs/codec_messages.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace imaging::detail {
namespace {

constexpr std::size_t kRlaHeaderSize = 740;
// gm converts even a large picture in seconds; a helper still running after this long
// is stuck on a hostile file.
constexpr auto kHelperTimeout = std::chrono::seconds(120);

int be16(const std::vector<std::uint8_t>& d, std::size_t at)
{
    return static_cast<std::int16_t>((d[at] << 8) | d[at + 1]);
}

// The picture's size from the active window of the RLA header (left, right, bottom,
// top), so that a huge announced size is refused before gm allocates for it.
ImageSize rlaSize(const std::string& path)
{
    std::vector<std::uint8_t> head(kRlaHeaderSize);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ImagingError(msg::compose(msg::kCannotOpen, path, QT_TRANSLATE_NOOP("Paginor", "cannot be opened")));
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    if (static_cast<std::size_t>(in.gcount()) < kRlaHeaderSize)
        throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "too short for an RLA header")));
    const int left = be16(head, 8), right = be16(head, 10), bottom = be16(head, 12), top = be16(head, 14);
    return {right - left + 1, top - bottom + 1};
}

std::string readText(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

// Runs argv with stdout discarded and stderr to errFile; returns the exit status, or
// throws when the program cannot be started or does not finish in time.
int runHelper(const std::vector<std::string>& args, const std::filesystem::path& errFile, const std::string& path)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int err = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (err == ENOENT)
        throw ImagingError(msg::compose(msg::kNoReader, path, QT_TRANSLATE_NOOP("Paginor", "RLA pictures need GraphicsMagick's gm program")));
    if (err != 0)
        throw ImagingError(msg::compose(msg::kCannotRead, path, "gm: " + std::generic_category().message(err)));

    const auto deadline = std::chrono::steady_clock::now() + kHelperTimeout;
    int status = 0;
    while (true) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            throw ImagingError(msg::compose(msg::kCannotRead, path, QT_TRANSLATE_NOOP("Paginor", "gm did not finish")));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

} // namespace

Bitmap readWithGm(const std::string& path, const FormatInfo& format, const ProgressFn& progress,
                  const DecodeOptions& options)
{
    report(progress, 0);
    const ImageSize size = rlaSize(path);
    checkImageSize(size.width, size.height, path);
    const core::TemporaryFolder temp = makeTemporaryFolder();
    const auto out = temp.path() / "picture.png";
    const auto errors = temp.path() / "errors.txt";
    // An absolute name, so that a file called "-something" is never taken for an option.
    const std::string source = std::string(format.formatName) + ":" + std::filesystem::absolute(path).string();
    // PNG keeps the matte channel; quality 10 = fastest deflate, no row filters.
    const int status = runHelper({"gm", "convert", source, "-quality", "10", "PNG32:" + out.string()}, errors, path);
    if (status != 0 || !std::filesystem::exists(out)) {
        const std::string why = readText(errors);
        throw ImagingError(msg::compose(msg::kCannotRead, path, why.empty() ? "gm failed" : why));
    }
    report(progress, 80);
    try {
        Bitmap bmp = readWithQt(out.string(), "png", {}, options);
        checkImageSize(bmp.width(), bmp.height(), path);
        report(progress, 100);
        return bmp;
    } catch (const ImagingError& e) {
        throw ImagingError(msg::compose(msg::kCannotRead, path, e.what()));
    }
}

} // namespace imaging::detail
