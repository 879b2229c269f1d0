#include "printing/render/pdf_pages.h"

#include "printing/core/frame_pipeline.h"
#include "printing/core/print_geometry.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>

#include <unistd.h>

namespace printing {
namespace {

// A picture whose file goes into the PDF as it is: drawn as a stand-in image, whose data
// and description are replaced when the file is finished.
struct Placement {
    int page = 0;          // from 0
    std::size_t image = 0; // the image drawn n-th on that page, from 0
    long long offset = 0;  // its JPEG data in the spool
    std::size_t length = 0;
    imaging::JpegStream stream;
};

// The JPEG data of the pictures placed so far, kept in an unnamed temporary file: a long
// run of pages holds no photo in memory until the end.
class Spool {
public:
    Spool() : m_file(std::tmpfile())
    {
        if (!m_file)
            throw std::runtime_error("no temporary file for the photos");
    }
    ~Spool() { std::fclose(m_file); }
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    long long append(std::span<const std::uint8_t> data)
    {
        if (std::fseek(m_file, 0, SEEK_END) != 0)
            throw std::runtime_error("the temporary file for the photos can't be written");
        const long long offset = ::ftello(m_file);
        if (offset < 0 || std::fwrite(data.data(), 1, data.size(), m_file) != data.size() || std::fflush(m_file) != 0)
            throw std::runtime_error("the temporary file for the photos can't be written");
        return offset;
    }
    int fd() const { return ::fileno(m_file); }

private:
    std::FILE* m_file;
};

// Hands the spooled JPEG data of each replaced image to the PDF writer.
class SpoolReader : public QPDFObjectHandle::StreamDataProvider {
public:
    explicit SpoolReader(int fd) : m_fd(fd) {}
    void add(QPDFObjGen image, long long offset, std::size_t length) { m_parts[image] = {offset, length}; }

    void provideStreamData(QPDFObjGen const& og, Pipeline* pipeline) override
    {
        const auto [offset, length] = m_parts.at(og);
        std::vector<unsigned char> buffer(std::min<std::size_t>(length, 1 << 20));
        for (std::size_t done = 0; done < length;) {
            const ssize_t n = ::pread(m_fd, buffer.data(), std::min(buffer.size(), length - done),
                                      static_cast<off_t>(offset + static_cast<long long>(done)));
            if (n <= 0)
                throw std::runtime_error("the temporary file for the photos can't be read");
            pipeline->write(buffer.data(), static_cast<std::size_t>(n));
            done += static_cast<std::size_t>(n);
        }
        pipeline->finish();
    }

private:
    int m_fd;
    std::map<QPDFObjGen, std::pair<long long, std::size_t>> m_parts;
};

// The images a page's content draws, in drawing order, by their resource names.
class DrawnImages : public QPDFObjectHandle::ParserCallbacks {
public:
    explicit DrawnImages(QPDFObjectHandle xobjects) : m_xobjects(std::move(xobjects)) {}
    void handleObject(QPDFObjectHandle object) override
    {
        if (object.isName()) {
            m_operand = object.getName();
            return;
        }
        if (object.isOperator() && object.getOperatorValue() == "Do" && !m_operand.empty() &&
            m_xobjects.isDictionary() && m_xobjects.hasKey(m_operand)) {
            QPDFObjectHandle x = m_xobjects.getKey(m_operand);
            if (x.isStream() && x.getDict().getKey("/Subtype").isNameAndEquals("/Image"))
                names.push_back(m_operand);
        }
        m_operand.clear();
    }
    void handleEOF() override {}

    std::vector<std::string> names;

private:
    QPDFObjectHandle m_xobjects;
    std::string m_operand;
};

// The PDF writer's output, into the file that replaces the old one when all is written.
class SaveFileOutput : public Pipeline {
public:
    explicit SaveFileOutput(QSaveFile& file) : Pipeline("output", nullptr), m_file(file) {}
    void write(unsigned char const* data, std::size_t length) override
    {
        if (m_file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(length)) !=
            static_cast<qint64>(length))
            throw std::runtime_error(m_file.errorString().toStdString());
    }
    void finish() override {}

private:
    QSaveFile& m_file;
};

bool isStandIn(QPDFObjectHandle image)
{
    if (!image.isStream())
        return false;
    QPDFObjectHandle dict = image.getDict();
    return dict.getKey("/Width").isInteger() && dict.getKey("/Width").getIntValue() == 1 &&
           dict.getKey("/Height").isInteger() && dict.getKey("/Height").getIntValue() == 1;
}

} // namespace

bool isPdfPath(const std::string& path)
{
    return imaging::lowerExtensionOf(path) == ".pdf";
}

std::optional<FileInPdf> fileInPdf(const PageDrawing& d, const FrameSource& s)
{
    const imaging::Picture& picture = s.picture;
    if (d.direct || !picture.isJpeg() || s.frame < 1 || s.frame > static_cast<int>(d.layout.frames.size()))
        return std::nullopt;
    const page::Rect& r = d.layout.frames[static_cast<std::size_t>(s.frame - 1)].image;
    // The work bitmap: the picture's height by the frame's shape. A wider picture is cut
    // at its right; a narrower one fills the left of it.
    const int work = workBitmapWidth(picture.height(), d.aspectRatio);
    if (r.width < 1 || r.height < 1 || picture.width() > work || picture.height() < r.height || work < r.width)
        return std::nullopt;
    std::optional<imaging::JpegStream> stream = imaging::describeJpegStream(picture.jpegData(), picture.decodeOptions());
    if (!stream)
        return std::nullopt;
    return FileInPdf{QRectF(r.left, r.top, static_cast<double>(r.width) * picture.width() / work, r.height),
                     std::move(*stream)};
}

struct PdfPages::Impl {
    std::string path;
    QSaveFile file;
    QTemporaryFile pages; // what Qt's writer makes; the placed files go in at the end
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    int dpi = 0;
    int pageCount = 0;
    std::unique_ptr<Spool> spool;
    std::vector<Placement> placements;

    void place(QPainter& painter, const QRectF& rect, const imaging::Picture& picture, imaging::JpegStream stream,
               std::size_t index);
    void copyPages();
    void putFilesIn();
};

void PdfPages::Impl::place(QPainter& p, const QRectF& rect, const imaging::Picture& picture,
                           imaging::JpegStream stream, std::size_t index)
{
    if (!spool)
        spool = std::make_unique<Spool>();
    Placement placed;
    placed.page = pageCount - 1;
    placed.image = index;
    placed.offset = spool->append(picture.jpegData());
    placed.length = picture.jpegData().size();
    placed.stream = std::move(stream);
    placements.push_back(std::move(placed));
    // A one-pixel stand-in, a new image each time, so the writer makes an object of its
    // own for every placement.
    QImage standIn(1, 1, QImage::Format_RGB32);
    standIn.fill(Qt::white);
    p.drawImage(rect, standIn);
}

void PdfPages::Impl::copyPages()
{
    if (!pages.seek(0))
        throw std::runtime_error(pages.errorString().toStdString());
    while (!pages.atEnd()) {
        const QByteArray chunk = pages.read(1 << 20);
        if (chunk.isEmpty())
            throw std::runtime_error(pages.errorString().toStdString());
        if (file.write(chunk) != chunk.size())
            throw std::runtime_error(file.errorString().toStdString());
    }
}

// Each stand-in becomes the JPEG data of its file: the page draws it in the same place,
// the PDF reader decodes the file's own bytes.
void PdfPages::Impl::putFilesIn()
{
    if (!pages.flush())
        throw std::runtime_error(pages.errorString().toStdString());
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(QFile::encodeName(pages.fileName()).constData());
    std::vector<QPDFPageObjectHelper> all = QPDFPageDocumentHelper(pdf).getAllPages();
    auto reader = std::make_shared<SpoolReader>(spool->fd());
    std::map<int, std::vector<std::string>> drawn;
    std::map<std::vector<std::uint8_t>, QPDFObjectHandle> profiles;
    for (const Placement& placed : placements) {
        if (placed.page < 0 || placed.page >= static_cast<int>(all.size()))
            throw std::runtime_error("a page is missing");
        QPDFPageObjectHelper& page = all[static_cast<std::size_t>(placed.page)];
        QPDFObjectHandle xobjects = page.getAttribute("/Resources", false).getKey("/XObject");
        auto [names, fresh] = drawn.try_emplace(placed.page);
        if (fresh) {
            DrawnImages images(xobjects);
            page.parseContents(&images);
            names->second = std::move(images.names);
        }
        if (placed.image >= names->second.size())
            throw std::runtime_error("a photo is missing from its page");
        QPDFObjectHandle image = xobjects.getKey(names->second[placed.image]);
        if (!isStandIn(image))
            throw std::runtime_error("a photo is not where it was drawn");
        QPDFObjectHandle dict = image.getDict();
        const imaging::JpegStream& s = placed.stream;
        dict.replaceKey("/Width", QPDFObjectHandle::newInteger(s.width));
        dict.replaceKey("/Height", QPDFObjectHandle::newInteger(s.height));
        dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
        for (const char* key : {"/SMask", "/Mask", "/Decode", "/DecodeParms"})
            dict.removeKey(key);
        if (s.components == 1) {
            dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceGray"));
        } else if (s.profile.empty()) {
            dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceRGB"));
        } else {
            // The colours the file's profile means, as the screen and the printer get them;
            // one profile object serves every photo that carries the same profile.
            auto [profile, added] = profiles.try_emplace(s.profile);
            if (added) {
                profile->second =
                    pdf.newStream(std::string(reinterpret_cast<const char*>(s.profile.data()), s.profile.size()));
                profile->second.getDict().replaceKey("/N", QPDFObjectHandle::newInteger(3));
                profile->second.getDict().replaceKey("/Alternate", QPDFObjectHandle::newName("/DeviceRGB"));
            }
            QPDFObjectHandle space = QPDFObjectHandle::newArray();
            space.appendItem(QPDFObjectHandle::newName("/ICCBased"));
            space.appendItem(profile->second);
            dict.replaceKey("/ColorSpace", space);
        }
        reader->add(image.getObjGen(), placed.offset, placed.length);
        image.replaceStreamData(reader, QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());
    }
    SaveFileOutput output(file);
    QPDFWriter writer(pdf);
    writer.setOutputPipeline(&output);
    // Every other stream goes out as Qt's writer compressed it.
    writer.setDecodeLevel(qpdf_dl_none);
    writer.write();
}

PdfPages::PdfPages(const std::string& path) : m(std::make_unique<Impl>())
{
    m->path = path;
    m->file.setFileName(QString::fromStdString(path));
    if (!m->file.open(QIODevice::WriteOnly))
        throw PrintError({QT_TRANSLATE_NOOP("Paginor", "Can't write %1: %2"), path, m->file.errorString().toStdString()});
    if (!m->pages.open())
        throw PrintError({QT_TRANSLATE_NOOP("Paginor", "Can't write %1: %2"), path, m->pages.errorString().toStdString()});
    m->writer = std::make_unique<QPdfWriter>(&m->pages);
    m->writer->setCreator("Paginor");
}

PdfPages::~PdfPages()
{
    if (m->painter.isActive())
        m->painter.end();
    // Never committed: the half-written file is dropped and any older one stays.
    m->file.cancelWriting();
}

void PdfPages::add(const PageDrawing& drawing, const DrawHooks& hooks, ReadyFrames* ready)
{
    const PrintTarget& t = drawing.layout.target;
    const bool first = !m->painter.isActive();
    if (first)
        m->dpi = t.dpi;
    const double w = static_cast<double>(t.pageWidth) / m->dpi;
    const double h = static_cast<double>(t.pageHeight) / m->dpi;
    // A wide page is a turned portrait sheet, as the printer gets it.
    const bool landscape = w > h;
    const QPageSize size(landscape ? QSizeF(h, w) : QSizeF(w, h), QPageSize::Inch, QString(), QPageSize::ExactMatch);
    const QPageLayout layout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
    if (first) {
        m->writer->setResolution(m->dpi);
        m->writer->setPageLayout(layout);
        if (!m->painter.begin(m->writer.get()))
            throw PrintError({QT_TRANSLATE_NOOP("Paginor", "Can't write %1"), m->path});
    } else {
        m->writer->setPageLayout(layout);
        m->writer->newPage();
    }
    ++m->pageCount;

    PageDrawing d = drawing;
    std::vector<imaging::JpegStream> streams(d.frames.size());
    for (std::size_t i = 0; i < d.frames.size(); ++i)
        if (std::optional<FileInPdf> file = fileInPdf(d, d.frames[i])) {
            d.frames[i].asIs = file->rect;
            streams[i] = std::move(file->stream);
        }
    DrawHooks withFiles = hooks;
    withFiles.drawAsIs = [this, &d, &streams](QPainter& painter, const QRectF& rect, std::size_t index) {
        try {
            m->place(painter, rect, d.frames.at(index).picture, std::move(streams.at(index)), index);
        } catch (const std::exception& e) {
            throw PrintError({QT_TRANSLATE_NOOP("Paginor", "Can't write %1: %2"), m->path, core::messageOf(e)});
        }
    };
    std::vector<FrameWork> work = frameWork(d);
    if (ready)
        ready->attachTo(work);
    FramePipeline pipeline(std::move(work));
    drawPage(m->painter, d, withFiles, pipeline, nullptr);
}

void PdfPages::finish()
{
    if (m->painter.isActive())
        m->painter.end();
    try {
        if (m->placements.empty())
            m->copyPages();
        else
            m->putFilesIn();
    } catch (const std::exception& e) {
        throw PrintError({QT_TRANSLATE_NOOP("Paginor", "Can't write %1: %2"), m->path, core::messageOf(e)});
    }
    if (!m->file.commit())
        throw PrintError({QT_TRANSLATE_NOOP("Paginor", "Can't write %1: %2"), m->path, m->file.errorString().toStdString()});
}

} // namespace printing
