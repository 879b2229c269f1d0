// The program under hostile conditions, run as a user would run it: printer pages no
// printer has, pages too large for memory, tall scans, frames pushed off the paper, and
// CUPS queues that are stopped, held or lose their server in the middle of a run. The
// queues live on a private cupsd started here (its own folder and socket), so the
// machine's own server and queues are never touched and nothing is left behind.
#include "tests/support/process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace {

// AddressSanitizer reserves terabytes of address space for its shadow memory up front, so
// a program built with it cannot even start under an address-space limit.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressLimitsWork = false;
#else
constexpr bool kAddressLimitsWork = true;
#endif

using support::RunResult;

class Program : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_home.isValid()); }

    // What the program and the CUPS tools see beside the test's own environment.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = support::privateHome(m_home.path());
        if (!m_cupsServer.isEmpty())
            env.insert("CUPS_SERVER", m_cupsServer);
        return env;
    }

    // Runs the program; `during` (when given) is called with the running process.
    RunResult run(const QStringList& args, const std::function<void(QProcess&)>& during = {},
                  const QString& shellPrefix = {})
    {
        const support::RunOptions options{.env = environment(), .during = during};
        if (shellPrefix.isEmpty())
            return support::run(PAGINOR_EXE, args, options);
        QStringList quoted;
        for (const QString& a : args)
            quoted << "'" + a + "'";
        return support::run("/bin/sh", {"-c", shellPrefix + "; exec '" + QString(PAGINOR_EXE) + "' " + quoted.join(' ')},
                            options);
    }

    QString photo(const QString& name, int w, int h, QColor colour = Qt::blue)
    {
        return support::solidPhoto(m_home.path() + "/" + name, w, h, colour);
    }

    QTemporaryDir m_home;
    QString m_cupsServer;
};

// Reads the process's stderr until it holds text (or 20 s pass).
bool waitForStderr(QProcess& p, const QString& text, QString& seen)
{
    QElapsedTimer clock;
    clock.start();
    while (!seen.contains(text) && clock.elapsed() < 20000 && p.state() == QProcess::Running) {
        p.waitForReadyRead(200);
        seen += QString::fromUtf8(p.readAllStandardError());
    }
    return seen.contains(text);
}

} // namespace

// ---- pages no printer has, and pages too large for memory -----------------------------------

TEST_F(Program, PrinterPagesNoPrinterHasAreRefusedAtOnce)
{
    const QString a = photo("a.jpg", 64, 48);
    const QString out = m_home.path() + "/o.jpg";
    RunResult r = run({"render", "-o", out, "--printer-page", "2147483647x2147483647", "--printer-dpi", "1", a});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("more paper than any printer has")) << r.err.toStdString();
    r = run({"render", "-o", out, "--printer-page", "4960x7016", "--printer-dpi", "20000", a});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("beyond any printer")) << r.err.toStdString();
    // A page of a few dots at 1 dpi is a real page all the same.
    r = run({"render", "-o", out, "--printer-page", "8x11", "--printer-dpi", "1", "--dpi", "72", a});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(out).size(), QSize(11 * 72, 8 * 72));
}

TEST_F(Program, APageTooLargeForMemoryIsRefusedBeforeAnyPhotoIsTaken)
{
    if (!kAddressLimitsWork)
        GTEST_SKIP() << "an AddressSanitizer build cannot run under ulimit -v";
    // 4.4 m of paper at 300 dpi rendered at 1000: 173,000 dots a side. Under a 1.5 GB
    // address-space limit the run must end with the message, not run out of memory.
    const QString a = photo("a.jpg", 3000, 2000);
    const RunResult r = run({"render", "-o", m_home.path() + "/o.jpg", "--printer-page", "52000x52000", "--printer-dpi",
                             "300", "--dpi", "1000", a, a, a, a},
                            {}, "ulimit -v 1500000");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("The page bitmap would be too large")) << r.err.toStdString();
    EXPECT_LT(r.ms, 20000);
}

TEST_F(Program, ATallScanPrintsWithoutItsPaddedCopy)
{
    if (!kAddressLimitsWork)
        GTEST_SKIP() << "an AddressSanitizer build cannot run under ulimit -v";
    // 800 x 40000 padded to a 4:3 frame would be 53333 x 40000 pixels, 6.4 GB; the run
    // must fit in 2.5 GB of address space, resampled or stretched.
    const QString tall = m_home.path() + "/tall.ppm";
    {
        QFile f(tall);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("P6 800 40000 255\n");
        const QByteArray row = QByteArray("\xc8\x1e\x1e", 3).repeated(800);
        for (int y = 0; y < 40000; ++y)
            f.write(row);
    }
    for (const char* filter : {"1", "0"}) {
        const QString out = m_home.path() + "/tall-" + filter + ".bmp";
        const RunResult r = run({"render", "-o", out, "--set", QString("Print_Image_Resample_USing=") + filter,
                                 "--set", "NumberOfFrames=1", "--printer-page", "1240x1754", "--printer-dpi", "150",
                                 tall},
                                {}, "ulimit -v 2500000");
        ASSERT_EQ(r.exitCode, 0) << filter << r.err.toStdString();
        const QImage page(out);
        ASSERT_FALSE(page.isNull());
        // The picture's colour at the left of the frame, paper white at its right.
        const int y = page.height() / 2;
        EXPECT_EQ(page.pixelColor(page.width() / 2 - 40, y).red(), 255) << filter;
        EXPECT_EQ(page.pixelColor(page.width() / 2 - 40, y).green(), 255) << filter;
        int red = 0;
        for (int x = 0; x < page.width(); ++x)
            red += page.pixelColor(x, y) == QColor(0xc8, 0x1e, 0x1e) ? 1 : 0;
        EXPECT_GT(red, 10) << filter;
    }
}

TEST_F(Program, FramesPushedOffThePaperAreNamedBeforeTheyArePrinted)
{
    const QString a = photo("a.jpg", 64, 48);
    const QStringList page = {"--printer-page", "1240x1754", "--printer-dpi", "150"};
    RunResult r = run(QStringList{"render", "-o", m_home.path() + "/m.jpg", "--set", "Page_Margin_mm=-100"} << page
                                                                                                       << a << a << a);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("warning: Frames 1 and 2 would be cut off by the page margin")) << r.err.toStdString();
    r = run(QStringList{"render", "-o", m_home.path() + "/n.jpg"} << page << a << a << a);
    EXPECT_FALSE(r.err.contains("cut off")) << r.err.toStdString();
}

// ---- CUPS that stops: a private server --------------------------------------------------------

namespace {

class PrivateCups : public Program {
protected:
    void SetUp() override
    {
        Program::SetUp();
        const QString cupsd = QStandardPaths::findExecutable("cupsd", {"/usr/sbin", "/sbin"});
        if (cupsd.isEmpty() || QStandardPaths::findExecutable("lpadmin").isEmpty())
            GTEST_SKIP() << "no cupsd here";
        ASSERT_TRUE(m_cups.isValid());
        const QString d = m_cups.path();
        for (const char* sub : {"spool", "cache", "state", "log"})
            QDir(d).mkpath(sub);
        m_cupsServer = d + "/sock";
        write(d + "/cupsd.conf", "Listen " + m_cupsServer + "\nLogLevel warn\n<Location />\n  Order allow,deny\n"
                                                            "  Allow all\n</Location>\n");
        write(d + "/cups-files.conf", "ServerRoot " + d + "\nRequestRoot " + d + "/spool\nCacheDir " + d +
                                          "/cache\nStateDir " + d + "/state\nErrorLog " + d + "/log/error_log\n"
                                          "AccessLog " + d + "/log/access_log\nPageLog " + d + "/log/page_log\n"
                                          "TempDir " + d + "/spool\nFileDevice Yes\n");
        m_server.start(cupsd, {"-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"});
        ASSERT_TRUE(m_server.waitForStarted());
        for (int i = 0; i < 100 && !QFile::exists(m_cupsServer); ++i)
            QThread::msleep(50);
        ASSERT_TRUE(QFile::exists(m_cupsServer)) << "the private cupsd did not start";
        // A queue that takes jobs into its spool and never needs its driver: every job
        // either stays held or waits in a stopped queue.
        ASSERT_EQ(tool("lpadmin", {"-p", kQueue, "-E", "-v", "file:/dev/null"}), 0);
    }

    void TearDown() override { stopServer(); }

    void stopServer()
    {
        if (m_server.state() == QProcess::Running) {
            m_server.terminate();
            if (!m_server.waitForFinished(10000))
                m_server.kill();
            m_server.waitForFinished();
        }
    }

    static void write(const QString& path, const QString& text) { support::writeFile(path, text.toUtf8()); }

    int tool(const QString& name, const QStringList& args)
    {
        return support::run(name, args, {.env = environment(), .timeoutMs = 20000}).exitCode;
    }

    int heldJob() { return tool("lp", {"-d", kQueue, "-H", "indefinite", QString(PAGINOR_EXE)}); }

    QStringList printArgs(const QStringList& more)
    {
        return QStringList{"print", "--printer", kQueue} << more;
    }

    static constexpr const char* kQueue = "PaginorFaults";
    QTemporaryDir m_cups;
    QProcess m_server;
};

} // namespace

TEST_F(PrivateCups, AQueueWaitSaysWhatItWaitsForAndSigtermStopsIt)
{
    ASSERT_EQ(heldJob(), 0);
    const QString a = photo("a.jpg", 64, 48);
    QString seen;
    const RunResult r = run(printArgs({"--set", "Wait_For_Empty_Q=true", a}), [&](QProcess& p) {
        ASSERT_TRUE(waitForStderr(p, "Waiting for empty Printer Queue..... (1 job on PaginorFaults)", seen)) << seen.toStdString();
        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
    });
    seen += r.err;
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(seen.contains("stopped; nothing more was sent")) << seen.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
}

TEST_F(PrivateCups, AStoppedPrinterHoldsTheJobAndEndsAQueueWait)
{
    ASSERT_EQ(tool("cupsdisable", {kQueue}), 0);
    const QString a = photo("a.jpg", 64, 48);
    RunResult r = run(printArgs({a}));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("PaginorFaults-")) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains("The printer PaginorFaults is stopped") && r.err.contains("the page waits in its queue"))
        << r.err.toStdString();
    // Now a job waits in a queue that will not move: the wait ends at once with the reason.
    r = run(printArgs({"--set", "Wait_For_Empty_Q=true", a}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("is stopped") && r.err.contains("its queue will not empty")) << r.err.toStdString();
    EXPECT_LT(r.ms, 20000);
}

TEST_F(PrivateCups, CupsdStoppedDuringAQueueWaitEndsItWithAnError)
{
    ASSERT_EQ(heldJob(), 0);
    const QString a = photo("a.jpg", 64, 48);
    QString seen;
    const RunResult r = run(printArgs({"--set", "Wait_For_Empty_Q=true", a}), [&](QProcess& p) {
        ASSERT_TRUE(waitForStderr(p, "Waiting for empty Printer Queue", seen)) << seen.toStdString();
        stopServer();
    });
    seen += r.err;
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(seen.contains("Can't ask the printer for its queue")) << seen.toStdString();
}

TEST_F(PrivateCups, CupsdStoppedInTheMiddleOfABatchEndsItWithAnError)
{
    ASSERT_EQ(tool("cupsdisable", {kQueue}), 0); // the jobs stay in the spool, where they show
    QStringList files;
    for (int i = 0; i < 60; ++i)
        files << photo(QString("p%1.jpg").arg(i), 640, 480, QColor(i * 4, 90, 200));
    const QString spool = m_cups.path() + "/spool";
    const RunResult r = run(printArgs(QStringList{"--set", "NumberOfFrames=1"} << files), [&](QProcess&) {
        QElapsedTimer clock;
        clock.start();
        while (QDir(spool).entryList({"d*"}, QDir::Files).isEmpty() && clock.elapsed() < 30000)
            QThread::msleep(5);
        stopServer();
    });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("refused the page") || r.err.contains("Can't ask the printer")) << r.err.toStdString();
    EXPECT_LT(r.out.count('\n'), 60) << "every page was sent before the server stopped";
}
