#include "app/translation.h"

#include "core/translatable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTranslator>

#include <optional>
#include <string>

namespace app {
namespace {

// The messages the program composes from a fixed text and a name or a number, as the
// window's translations see them: %1, %2, ... stand for the parts filled in. Each form
// reads exactly as the code composes its English, so a text matched against a form
// and filled in again is the text itself wherever there is no translation.
constexpr const char* kComposedForms[] = {
    // The window
    QT_TRANSLATE_NOOP("Paginor", "The help file %1 is missing."),
    QT_TRANSLATE_NOOP("Paginor", "No web browser could be started to show %1"),
    QT_TRANSLATE_NOOP("Paginor", "%1 Selected"),
    QT_TRANSLATE_NOOP("Paginor", "Skipped: %1"),
    QT_TRANSLATE_NOOP("Paginor", "Printer : %1"),
    QT_TRANSLATE_NOOP("Paginor", "Printer : %1 | Image area : %2 mm x %3 mm  | Page Margin : %4 mm"),
    QT_TRANSLATE_NOOP("Paginor", "Printer : %1 | Image area : %2\" x %3\" | Page Margin : %4\""),
    QT_TRANSLATE_NOOP("Paginor", "The file %1 already exists on the disk."),
    // Loading and the frame commands
    QT_TRANSLATE_NOOP("Paginor", "Not a valid image file '%1'"),
    QT_TRANSLATE_NOOP("Paginor", "Not enough memory to load %1"),
    QT_TRANSLATE_NOOP("Paginor", "Corrupt or truncated JPEG data '%1': the file is empty"),
    QT_TRANSLATE_NOOP("Paginor", "Frame #%1 is cloned to other frames"),
    QT_TRANSLATE_NOOP("Paginor", "You can only copy one image at a time to the clipboard\nOnly image #%1 will be copied"),
    QT_TRANSLATE_NOOP("Paginor", "Can't export pasted images.....\nHint - Try pasting the image into \n%1"),
    QT_TRANSLATE_NOOP("Paginor", "Can't load : \n%1\nwith %2"),
    QT_TRANSLATE_NOOP("Paginor", "Modified file : \n%1\nDoes not exist "),
    QT_TRANSLATE_NOOP("Paginor", "Rotating Image%1"),
    QT_TRANSLATE_NOOP("Paginor", "Rotating image in frame %1"),
    QT_TRANSLATE_NOOP("Paginor", "Adjusting image in frame %1"),
    QT_TRANSLATE_NOOP("Paginor", "Resampling image %1 to %2% of original image size"),
    QT_TRANSLATE_NOOP("Paginor", "Can't load %1"),
    QT_TRANSLATE_NOOP("Paginor", "Error - Can't open %1"),
    QT_TRANSLATE_NOOP("Paginor", "%1 more curve files were left out of \"Apply Curves\""),
    QT_TRANSLATE_NOOP("Paginor", "Sorry - This applcation failed whilst initalising frame number %1"),
    QT_TRANSLATE_NOOP("Paginor", "%1 images selected "),
    // A codec's error: its fixed text, the file and the library's own words
    QT_TRANSLATE_NOOP("Paginor", "%1 '%2': %3"),
    QT_TRANSLATE_NOOP("Paginor", "%1 '%2'"),
    QT_TRANSLATE_NOOP("Paginor", "Can't open file %1"),
    QT_TRANSLATE_NOOP("Paginor", "Can't write file %1"),
    // Printing
    QT_TRANSLATE_NOOP("Paginor", "Frame %1: %2 pixels per inch"),
    QT_TRANSLATE_NOOP("Paginor", "Frame %1: %2 pixels per inch on %3"),
    QT_TRANSLATE_NOOP("Paginor", "Frame %1: %2 pixels per inch (below %3)"),
    QT_TRANSLATE_NOOP("Paginor", "Frame %1: %2 pixels per inch on %3 (below %4)"),
    QT_TRANSLATE_NOOP("Paginor", "Frame %1 prints below %2 pixels per inch"),
    QT_TRANSLATE_NOOP("Paginor", "Frames %1 and %2 print below %3 pixels per inch"),
    QT_TRANSLATE_NOOP("Paginor", "Frame %1 would be cut off by the page margin"),
    QT_TRANSLATE_NOOP("Paginor", "Frames %1 and %2 would be cut off by the page margin"),
    QT_TRANSLATE_NOOP("Paginor", "Sorry.... %1 frames not yet supported by print option"),
    QT_TRANSLATE_NOOP("Paginor", "Resampling image %1 for printer"),
    QT_TRANSLATE_NOOP("Paginor", "Resampling image %1 for image file"),
    QT_TRANSLATE_NOOP("Paginor", "Resampling image %1 for preview"),
    QT_TRANSLATE_NOOP("Paginor", "Waiting for empty Printer Queue..... (%1 job on %2)"),
    QT_TRANSLATE_NOOP("Paginor", "Waiting for empty Printer Queue..... (%1 jobs on %2)"),
    QT_TRANSLATE_NOOP("Paginor", "The printer %1 is stopped: %2"),
    QT_TRANSLATE_NOOP("Paginor", "The printer %1 is stopped (%2): %3"),
    QT_TRANSLATE_NOOP("Paginor", "Can't ask the printer for its queue: %1"),
    QT_TRANSLATE_NOOP("Paginor", "Can't start printing on %1"),
    QT_TRANSLATE_NOOP("Paginor", "The printer %1 refused the page: %2"),
    QT_TRANSLATE_NOOP("Paginor", "The page was stopped before frame %1 was ready"),
    QT_TRANSLATE_NOOP("Paginor", "Can't write %1: %2"),
    QT_TRANSLATE_NOOP("Paginor", "Can't write %1"),
    QT_TRANSLATE_NOOP("Paginor", "Saving Page - Embedding Image %1"),
    QT_TRANSLATE_NOOP("Paginor", "Can't write the layout file %1: %2"),
    QT_TRANSLATE_NOOP("Paginor", "The layout file names frame %1 of a page of %2"),
    QT_TRANSLATE_NOOP("Paginor", "The clone source of the layout file's line \"%1\" is not a number"),
    QT_TRANSLATE_NOOP("Paginor", "The frame number of the layout file's line \"%1\" is not a number"),
    QT_TRANSLATE_NOOP("Paginor", "The frame count of the layout file is not a number: %1"),
    QT_TRANSLATE_NOOP("Paginor", "The aspect ratio of the layout file is not a positive number: %1"),
    QT_TRANSLATE_NOOP("Paginor", "The margin of the layout file is not a number of millimetres: %1"),
    QT_TRANSLATE_NOOP("Paginor", "The layout file names a member that is not a plain file name: %1"),
    QT_TRANSLATE_NOOP("Paginor", "The layout file holds more than one member named %1"),
    QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 cannot be read"),
    QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 cannot be read: %2"),
    QT_TRANSLATE_NOOP("Paginor", "The layout file's member %1 would inflate to %2 bytes, more than any picture needs"),
    QT_TRANSLATE_NOOP("Paginor", "Can't extract %1 into the temporary folder"),
    QT_TRANSLATE_NOOP("Paginor", "Can't make a temporary folder in %1"),
    QT_TRANSLATE_NOOP("Paginor", "Frame %1 holds no picture of its own"),
    // Settings read at start-up
    QT_TRANSLATE_NOOP("Paginor", "Invalid data type for '%1'"),
    QT_TRANSLATE_NOOP("Paginor", "Invalid value %1 for '%2': %3"),
    QT_TRANSLATE_NOOP("Paginor", "must be between %1 and %2"),
    QT_TRANSLATE_NOOP("Paginor", "Invalid value for '%1': %2"),
    QT_TRANSLATE_NOOP("Paginor", "There is no default printer: printing goes to %1"),
    QT_TRANSLATE_NOOP("Paginor", "There is no printer named '%1'"),
    QT_TRANSLATE_NOOP("Paginor", "--set: there is no setting named '%1'"),
    // The scanner
    QT_TRANSLATE_NOOP("Paginor", "Unable to load Source Manager (%1)"),
    QT_TRANSLATE_NOOP("Paginor", "Unable to open Source Manager (%1)"),
    QT_TRANSLATE_NOOP("Paginor", "The source manager cannot open the device %1"),
    QT_TRANSLATE_NOOP("Paginor", "The source refused the option %1"),
    QT_TRANSLATE_NOOP("Paginor", "Cannot open the scanner %1: %2"),
    QT_TRANSLATE_NOOP("Paginor", "The scanner %1 has no option %2"),
    QT_TRANSLATE_NOOP("Paginor", "The option %1 of %2 cannot be set now"),
    QT_TRANSLATE_NOOP("Paginor", "The option %1 does not take the value '%2'"),
    QT_TRANSLATE_NOOP("Paginor", "The option %1 cannot be set from text"),
};

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct Match {
    QStringList args; // by placeholder number, from %1
    qsizetype literalLength = 0;
};

// The parts of text that fill form's placeholders, or nothing when text is not the form
// filled in. Every part is at least one character long, and each literal between two
// placeholders is found at its first place after the one before it.
std::optional<Match> matchForm(const QString& form, const QString& text)
{
    QStringList literals{QString()};
    QList<int> numbers;
    for (qsizetype i = 0; i < form.size(); ++i) {
        if (form[i] == '%' && i + 1 < form.size() && form[i + 1] >= '1' && form[i + 1] <= '9') {
            numbers.append(form[i + 1].digitValue());
            literals.append(QString());
            ++i;
        } else {
            literals.last().append(form[i]);
        }
    }
    const QString& head = literals.first();
    const QString& tail = literals.last();
    if (numbers.isEmpty() || !text.startsWith(head) || !text.endsWith(tail) ||
        text.size() < head.size() + tail.size() + numbers.size())
        return std::nullopt;

    Match m;
    m.args.resize(numbers.size());
    const qsizetype end = text.size() - tail.size();
    qsizetype pos = head.size();
    for (qsizetype k = 0; k < numbers.size(); ++k) {
        qsizetype next = end;
        if (k + 1 < numbers.size()) {
            next = text.indexOf(literals[k + 1], pos + 1);
            if (next < 0 || next + literals[k + 1].size() > end)
                return std::nullopt;
        }
        if (next <= pos || numbers[k] > m.args.size())
            return std::nullopt;
        m.args[numbers[k] - 1] = text.mid(pos, next - pos);
        pos = next + literals[k + 1].size();
    }
    for (const QString& l : literals)
        m.literalLength += l.size();
    return m;
}

// %1, %2, ... of translated replaced in one pass, so a part that holds "%2" itself
// stays as it is.
QString fillIn(const QString& translated, const QStringList& args)
{
    QString out;
    for (qsizetype i = 0; i < translated.size(); ++i) {
        const int n = i + 1 < translated.size() && translated[i] == '%' ? translated[i + 1].digitValue() : -1;
        if (n >= 1 && n <= args.size()) {
            out += args[n - 1];
            ++i;
        } else {
            out += translated[i];
        }
    }
    return out;
}

QString translated(const QString& text);

// The composed form text matches with the most fixed text, translated and filled in
// with its parts, each part shown translated where it is a text of the program itself.
std::optional<QString> translatedComposed(const QString& text)
{
    const char* best = nullptr;
    Match bestMatch;
    for (const char* form : kComposedForms) {
        std::optional<Match> m = matchForm(QString::fromUtf8(form), text);
        if (m && m->literalLength > bestMatch.literalLength) {
            best = form;
            bestMatch = *m;
        }
    }
    if (!best)
        return std::nullopt;
    for (QString& part : bestMatch.args)
        part = translated(part);
    return fillIn(QCoreApplication::translate("Paginor", best), bestMatch.args);
}

QString translated(const QString& text)
{
    const QByteArray source = text.toUtf8();
    const QString exact = QCoreApplication::translate("Paginor", source.constData());
    if (exact != text)
        return exact;
    if (std::optional<QString> composed = translatedComposed(text))
        return *composed;
    // A list of lines (a heading and what it lists, a message and its question): each
    // line as it would be shown on its own.
    if (!text.contains('\n'))
        return text;
    QStringList lines = text.split('\n');
    for (QString& line : lines)
        line = translated(line);
    return lines.join('\n');
}

} // namespace

QString translationFolder()
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {dir + "/translations", dir + "/../share/paginor/translations"})
        if (QFileInfo(candidate).isDir())
            return QDir(candidate).canonicalPath();
    return dir + "/../share/paginor/translations";
}

bool loadTranslation(QCoreApplication& application, const QString& folder, const QLocale& locale)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(locale, "paginor", "_", folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

QString shownText(std::string_view text)
{
    return translated(fromView(text));
}

} // namespace app
