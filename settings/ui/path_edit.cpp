#include "settings/ui/path_edit.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMimeData>
#include <QUrl>

namespace settings {

DropLineEdit::DropLineEdit(bool folderOnly, QWidget* parent) : QLineEdit(parent), m_folderOnly(folderOnly)
{
    setAcceptDrops(true);
}

QString DropLineEdit::nameFromDrop(const QMimeData* mime) const
{
    if (mime == nullptr || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (!info.exists())
            continue;
        if (info.isDir())
            return info.absoluteFilePath();
        return m_folderOnly ? info.absolutePath() : info.absoluteFilePath();
    }
    return {};
}

// QLineEdit refuses drops when read-only and would paste a URL as text otherwise;
// only local files and folders that exist are taken.
void DropLineEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (isEnabled() && !nameFromDrop(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropLineEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (isEnabled() && !nameFromDrop(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropLineEdit::dropEvent(QDropEvent* event)
{
    const QString name = isEnabled() ? nameFromDrop(event->mimeData()) : QString();
    if (name.isEmpty()) {
        event->ignore();
        return;
    }
    setText(name);
    event->acceptProposedAction();
}

PathEdit::PathEdit(const QString& name, bool folderOnly, Browse browse, QWidget* parent)
    : QWidget(parent), m_edit(new DropLineEdit(folderOnly, this)), m_browseButton(new QPushButton("...", this)),
      m_browse(std::move(browse))
{
    m_edit->setObjectName(name);
    m_browseButton->setObjectName(name + "_Browse");
    m_browseButton->setFixedWidth(m_browseButton->fontMetrics().horizontalAdvance("....") + 12);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_edit, 1);
    row->addWidget(m_browseButton);
    connect(m_browseButton, &QPushButton::clicked, this, [this] {
        if (auto chosen = m_browse(m_edit->text()))
            m_edit->setText(*chosen);
    });
}

void PathEdit::setBrowseOnly()
{
    m_edit->setReadOnly(true);
    // A read-only QLineEdit turns drops off; dropping a folder is the other way to choose one.
    m_edit->setAcceptDrops(true);
}

} // namespace settings
