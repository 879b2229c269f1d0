// The EXIF details window: one frame's EXIF items in a grid that sorts by any column.
#pragma once

#include "core/translatable.h"

#include "exif/core/exif.h"

#include <QDialog>

#include <string>
#include <string_view>
#include <vector>

class QTableWidget;

namespace exif {

inline constexpr std::string_view kExifFormCaption = QT_TRANSLATE_NOOP("Paginor", "Extended Image info (Embedded in jpeg file) ");

// What the window shows: the frame's file name and items, or nothing (no frame
// selected, or its picture had no EXIF data).
struct ExifFormContent {
    bool hasExif = false;
    std::string fileName; // the frame's FileName; the window shows it without its folder
    std::vector<ExifItem> items;
};

// The third column's text of a tag: "$ " and at least four upper-case hex digits.
std::string tagText(std::int32_t tag);

class ExifDetailsDialog final : public QDialog {
public:
    explicit ExifDetailsDialog(const ExifFormContent& content, QWidget* parent = nullptr);

    QTableWidget* SortGrid1() const { return m_grid; }
    // Closing keeps the placement and the column widths for the next opening.
    void done(int result) override;

private:
    void fill(const ExifFormContent& content);
    void restorePlacement();
    void savePlacement() const;
    void QUIT1Click();

    QTableWidget* m_grid = nullptr;
};

} // namespace exif
