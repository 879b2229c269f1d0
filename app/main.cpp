#include "app/ui/application.h"
#include "app/ui/box_messages.h"
#include "app/cli/commands.h"
#include "core/command_line.h"
#include "core/messages.h"
#include "app/ui/main_form.h"
#include "app/qt/session.h"
#include "app/qt/translation.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <clocale>
#include <memory>
#include <iostream>

namespace {

void nameTheApplication()
{
    QCoreApplication::setOrganizationName("Korvan");
    QCoreApplication::setApplicationName("Paginor");
    QCoreApplication::setApplicationVersion("1.81");
}

// A headless command's output is read by scripts: it prints its own messages and no
// notes from the toolkit (such as Qt's word that XDG_RUNTIME_DIR is not set on a
// server). QT_LOGGING_RULES, set by whoever wants them, brings them back.
void keepToolkitNotesQuiet()
{
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES"))
        return;
    static const QtMessageHandler standard = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            standard(type, context, text);
    });
}

// The headless commands need no display: they draw offscreen unless told otherwise.
int runHeadless(int argc, char** argv, const core::ParsedCommandLine& cl)
{
    keepToolkitNotesQuiet();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Picture edits, curves and EXIF reads need neither a printer nor a GUI: they start without
    // either, which saves a connection to CUPS and the platform's set-up on every run.
    const bool plain = cl.command == "edit" || cl.command == "exif" || cl.command == "layout" || cl.command == "curve";
    std::unique_ptr<QCoreApplication> application;
    if (plain)
        application = std::make_unique<QCoreApplication>(argc, argv);
    else
        application = std::make_unique<QApplication>(argc, argv);
    nameTheApplication();
    // Numbers the user reads (EXIF values) use the user's decimal separator; the C library's
    // own words (strerror's) stay English like every other text of the output.
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_MESSAGES, "C");
    core::StreamMessages messages(std::cerr);
    core::setMessages(&messages);

    const core::CommandFunction command = app::findCommand(cl.command);
    if (!command) {
        messages.error({"the command '%1' is not available in this version", cl.command});
        return 2;
    }
    const bool needPrinter = cl.command == "print";
    const app::PrinterUse use =
        needPrinter ? app::PrinterUse::Required : (plain ? app::PrinterUse::Unused : app::PrinterUse::Optional);
    auto session = app::openSession(cl.common, use, messages);
    if (!session)
        return 1;
    for (const core::Message& warning : session->warnings) {
        const std::string w = warning.english();
        std::cerr << "paginor: settings: " << w << (w.starts_with("Invalid") ? " (the default is used)" : "") << "\n";
    }
    if (!session->printerNote.empty() && (cl.command == "print" || cl.command == "render"))
        messages.information(session->printerNote);
    core::CommandContext ctx{session->settings, cl.common, std::cout, messages};
    return command(cl.args, ctx);
}

// The icon theme's when the program is installed, else the one built in.
QIcon programIcon()
{
    QIcon builtIn;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QString(":/icons/org.paginor.Paginor-%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme("org.paginor.Paginor", builtIn);
}

int runWindow(int argc, char** argv, const core::ParsedCommandLine& cl)
{
    app::Application application(argc, argv);
    nameTheApplication();
    QGuiApplication::setDesktopFileName("org.paginor.Paginor");
    QApplication::setWindowIcon(programIcon());
    std::setlocale(LC_ALL, "");
    app::loadTranslation(application, app::translationFolder());
    app::BoxMessages messages;
    core::setMessages(&messages);

    auto session = app::openSession(cl.common, app::PrinterUse::Window, messages);
    if (!session)
        return 1;
    app::MainWindow::Options options;
    options.splash = !cl.common.noSplash;
    if (cl.common.printerPage && cl.common.printerDpi)
        options.fixedMetrics = app::sessionMetrics(*session, cl.common);
    app::MainWindow window(*session, options);
    // The splash comes first, then the window with its page built.
    if (!window.FormCreate())
        return 1;
    messages.setParent(&window);
    window.reportStartUp();
    if (!cl.files.empty()) {
        QStringList files;
        for (const std::string& f : cl.files)
            files << QString::fromStdString(f);
        // Once the window is up and its page laid out, as a drop would find it.
        QTimer::singleShot(0, &window, [&window, files] { window.openFiles(files); });
    }
    const int rc = application.exec();
    core::setMessages(nullptr);
    return rc;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    core::ParsedCommandLine cl;
    try {
        cl = core::parseCommandLine(args);
    } catch (const core::CommandLineError& e) {
        std::cerr << "paginor: " << e.what() << '\n';
        return 2;
    }
    if (cl.help) {
        std::cout << core::usageText();
        return 0;
    }
    if (cl.version) {
        std::cout << "paginor 1.81\n";
        return 0;
    }
    return cl.command.empty() ? runWindow(argc, argv, cl) : runHeadless(argc, argv, cl);
}
