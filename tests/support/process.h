// Other programs run as children: the shell tools the tests make files with or take as
// witnesses, and the program itself. However a child ends, the test hears of it: one
// killed by a signal (a crash) or one that never ends fails the test.
#pragma once

#include <QColor>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace support {

// Fails the running test with a reason; defined once for GoogleTest and once for Qt Test.
void fail(const std::string& why);

// ---- shell commands ----

bool haveTool(const std::string& name);
// The command's exit code through /bin/sh, or -1 when it died of a signal.
int shell(const std::string& command);
// shell with what the command says dropped; true when it exits 0.
bool quietly(const std::string& command);
// What the command writes to its output; what it says on the side is dropped.
std::string shellOutput(const std::string& command);

// ---- programs run through QProcess ----

struct RunResult {
    int exitCode = -1; // -1 when the program crashed or hung
    QString out;
    QString err;
    QByteArray outBytes; // out as it came, for output that is no text
    qint64 ms = 0;
};

struct RunOptions {
    QProcessEnvironment env;  // set on top of the test's own environment
    QStringList unset;        // taken out of it
    int timeoutMs = 60000;    // a hang is killed after this and fails the test
    std::function<void(QProcess&)> during; // called with the running process
};

RunResult run(const QString& program, const QStringList& args, const RunOptions& options = {});

// The variables that give a child program its settings and data in folder, never the user's.
QProcessEnvironment privateHome(const QString& folder);

// A file holding bytes at path; a failed write fails the test. Gives path.
QString writeFile(const QString& path, const QByteArray& bytes);

// A picture of one colour saved at path (the format from its extension); a failed save fails
// the test. Gives path.
QString solidPhoto(const QString& path, int width, int height, QColor colour = Qt::blue, int quality = -1);

// A German locale (a decimal comma) compiled into the build folder once, so a test does not
// depend on the locales the machine has; LOCPATH is set to find it. Its name, or empty
// when localedef is missing or fails.
std::string commaLocale();

// The most memory this process has held so far, in KiB.
long peakMemoryKb();

} // namespace support
