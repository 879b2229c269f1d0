// Edits for a folder or file name with a browse button; folders may be dropped on them.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <functional>

class QMimeData;
#include <optional>

namespace settings {

// A line edit that takes a dropped file or folder: a folder is taken as it is, a file
// gives the folder it lies in when folderOnly is set, its own name otherwise.
class DropLineEdit final : public QLineEdit {
public:
    explicit DropLineEdit(bool folderOnly, QWidget* parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QString nameFromDrop(const QMimeData* mime) const;
    bool m_folderOnly;
};

// The edit and its browse button side by side. browse gets the text shown and returns the
// new one, or nullopt when the user cancelled.
class PathEdit final : public QWidget {
public:
    using Browse = std::function<std::optional<QString>(const QString& current)>;

    PathEdit(const QString& name, bool folderOnly, Browse browse, QWidget* parent = nullptr);

    QLineEdit* edit() const { return m_edit; }
    QPushButton* browseButton() const { return m_browseButton; }
    QString text() const { return m_edit->text(); }
    void setText(const QString& text) { m_edit->setText(text); }
    // The name is chosen or dropped, never typed.
    void setBrowseOnly();

private:
    DropLineEdit* m_edit;
    QPushButton* m_browseButton;
    Browse m_browse;
};

} // namespace settings
