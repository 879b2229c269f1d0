#include "exif/ui/exif_form.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace exif {
namespace {

constexpr int kInitialWidths[3] = {182, 190, 97};

// Sorting compares the cell texts without regard to case, as the grid always sorted.
class GridItem final : public QTableWidgetItem {
public:
    explicit GridItem(const QString& text) : QTableWidgetItem(text)
    {
        setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override
    {
        return QString::compare(text(), other.text(), Qt::CaseInsensitive) < 0;
    }
};

QString fromStd(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Beside the main window's placement.
constexpr const char* kPlacementFile = "Paginor-window";

} // namespace

std::string tagText(std::int32_t tag)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "$ %04X", static_cast<unsigned>(tag));
    return buf;
}

ExifDetailsDialog::ExifDetailsDialog(const ExifFormContent& content, QWidget* parent) : QDialog(parent)
{
    setObjectName("ExifForm");
    setWindowTitle(QCoreApplication::translate("Paginor", std::string(kExifFormCaption).c_str()));
    resize(482, 602);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* menu = new QMenuBar(this);
    menu->setObjectName("MainMenu1");
    QAction* quit = menu->addAction(QCoreApplication::translate("Paginor", "&Quit"));
    quit->setObjectName("QUIT1");
    connect(quit, &QAction::triggered, this, &ExifDetailsDialog::QUIT1Click);
    layout->setMenuBar(menu);

    m_grid = new QTableWidget(2, 3, this);
    m_grid->setObjectName("SortGrid1");
    m_grid->setHorizontalHeaderLabels({QCoreApplication::translate("Paginor", "Parameter"), QCoreApplication::translate("Paginor", "Data"),
                                       QCoreApplication::translate("Paginor", "Tag #")});
    m_grid->verticalHeader()->setVisible(false);
    m_grid->setShowGrid(true);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->horizontalHeader()->setSortIndicatorShown(true);
    for (int c = 0; c < 3; ++c)
        m_grid->setColumnWidth(c, kInitialWidths[c]);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        QHeaderView* h = m_grid->horizontalHeader();
        const Qt::SortOrder order = h->sortIndicatorSection() == column && h->sortIndicatorOrder() == Qt::AscendingOrder
                                        ? Qt::DescendingOrder
                                        : Qt::AscendingOrder;
        h->setSortIndicator(column, order);
        m_grid->sortItems(column, order);
    });
    layout->addWidget(m_grid);
    // No column is sorted until a header is clicked.
    m_grid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);

    fill(content);
    restorePlacement();
}

void ExifDetailsDialog::fill(const ExifFormContent& content)
{
    if (!content.hasExif)
        return; // the header alone, over the two empty rows the grid starts with
    m_grid->setRowCount(static_cast<int>(content.items.size()) + 1);
    const std::size_t slash = content.fileName.find_last_of('/');
    const std::string name = slash == std::string::npos ? content.fileName : content.fileName.substr(slash + 1);
    m_grid->setItem(0, 0, new GridItem(QCoreApplication::translate("Paginor", "File name")));
    m_grid->setItem(0, 1, new GridItem(fromStd(name)));
    m_grid->setItem(0, 2, new GridItem(QCoreApplication::translate("Paginor", "N/A")));
    for (std::size_t i = 0; i < content.items.size(); ++i) {
        const ExifItem& item = content.items[i];
        // The values are the file's bytes; Latin-1 shows any of them.
        m_grid->setItem(static_cast<int>(i) + 1, 0, new GridItem(QCoreApplication::translate("Paginor", item.label.c_str())));
        m_grid->setItem(static_cast<int>(i) + 1, 1, new GridItem(QString::fromLatin1(item.value.data(),
                                                                                   static_cast<qsizetype>(item.value.size()))));
        m_grid->setItem(static_cast<int>(i) + 1, 2, new GridItem(fromStd(tagText(item.tag))));
    }
}

void ExifDetailsDialog::restorePlacement()
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "Korvan", kPlacementFile);
    restoreGeometry(store.value("ExifForm/geometry").toByteArray());
    for (int c = 0; c < 3; ++c) {
        const int width = store.value("ExifForm/v" + QString::number(c), 0).toInt();
        if (width > 0)
            m_grid->setColumnWidth(c, width);
    }
}

void ExifDetailsDialog::savePlacement() const
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "Korvan", kPlacementFile);
    store.setValue("ExifForm/geometry", saveGeometry());
    for (int c = 0; c < 3; ++c)
        store.setValue("ExifForm/v" + QString::number(c), m_grid->columnWidth(c));
}

void ExifDetailsDialog::done(int result)
{
    savePlacement();
    QDialog::done(result);
}

void ExifDetailsDialog::QUIT1Click()
{
    accept();
}

} // namespace exif
