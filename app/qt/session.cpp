#include "app/qt/session.h"

#include "core/messages.h"
#include "imaging/codecs/codecs.h"
#include "imaging/kernels/orientation.h"
#include "settings/qt/qt_store.h"

#include <QDir>
#include <QPrinter>
#include <QStandardPaths>

#include <set>

namespace app {

settings::Environment defaultEnvironment()
{
    settings::Environment env;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    env.curveDir = QDir(data).filePath("Paginor/Curves").toStdString();
    env.tempDir = QDir::tempPath().toStdString();
    return env;
}

namespace {

bool applySets(settings::Settings& s, const core::CommonOptions& common, core::Messages& msgs)
{
    for (const auto& [name, value] : common.sets) {
        const settings::Field* f = settings::findField(name);
        if (!f) {
            msgs.error({QT_TRANSLATE_NOOP("Paginor", "--set: there is no setting named '%1'"), name});
            return false;
        }
        try {
            settings::parseValue(s, *f, value);
        } catch (const settings::SettingsError& e) {
            msgs.error({"--set: %1", core::messageOf(e)});
            return false;
        }
    }
    return true;
}

} // namespace

std::unique_ptr<Session> openSession(const core::CommonOptions& common, PrinterUse use, core::Messages& msgs,
                                     const PrinterListSource& source)
{
    auto session = std::make_unique<Session>();
    session->env = defaultEnvironment();
    session->store = std::make_unique<settings::QtStore>();
    if (use != PrinterUse::Unused || common.printer)
        session->printers = source ? source() : std::make_unique<printing::CupsPrinterList>();
    if (session->printers && session->printers->count() == 0) {
        if (use == PrinterUse::Required) {
            msgs.error(settings::kPleaseInstallPrinter);
            return nullptr;
        }
        // The window still lays pages out, prints to files and previews without one.
        if (use == PrinterUse::Window)
            msgs.error(settings::kNoDefaultPrinter);
        session->printers.reset();
    }
    settings::PrinterList* printers = session->printers.get();
    const bool noDefault = printers && !printers->defaultIndex();

    auto& s = session->settings;
    // The start order of the window: margin, units and centring first, then the defaults.
    s.Page_Margin_mm = 0;
    s.Use_Metric = true;
    s.centre_output = false;
    if (!settings::readDefaults(s, printers, session->env)) {
        msgs.error(settings::kNoDefaultPrinter);
        return nullptr;
    }
    std::set<std::string> reported;
    auto warn = [&](const core::Message& text) {
        if (reported.insert(text.english()).second)
            session->warnings.push_back(text);
    };
    if (!settings::readSettings(s, *session->store, printers, session->env, warn)) {
        msgs.error(settings::kPleaseInstallPrinter);
        return nullptr;
    }
    if (common.printer) {
        if (!session->printers || !session->printers->selectByName(QString::fromStdString(*common.printer))) {
            msgs.error({QT_TRANSLATE_NOOP("Paginor", "There is no printer named '%1'"), *common.printer});
            return nullptr;
        }
        s.Printer = session->printers->current();
        s.Printer_Name = *common.printer;
    }
    if (noDefault)
        session->printerNote = {QT_TRANSLATE_NOOP("Paginor", "There is no default printer: printing goes to %1"),
                                session->printers->currentName().toStdString()};
    if (!applySets(s, common, msgs))
        return nullptr;
    return session;
}

std::optional<printing::PrinterMetrics> sessionMetrics(const Session& session, const core::CommonOptions& common)
{
    printing::PrinterMetrics m;
    if (session.printers) {
        QPrinter printer(QPrinter::HighResolution);
        printing::preparePrinter(printer, session.printers->currentName());
        m = printing::readPrinterMetrics(printer);
    } else if (!common.printerPage || !common.printerDpi) {
        return std::nullopt;
    }
    if (common.printerPage) {
        m.pageWidthPx = common.printerPage->first;
        m.pageHeightPx = common.printerPage->second;
    }
    if (common.printerDpi)
        m.dpiX = m.dpiY = *common.printerDpi;
    return m;
}

} // namespace app
