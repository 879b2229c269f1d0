#include "twain/dsm/source_dialogs.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace twain::dsm {
namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

QString shown(const char* text)
{
    return QCoreApplication::translate("Paginor", text);
}

} // namespace

namespace {

void fillList(QListWidget* list, const std::vector<DeviceInfo>& devices, const std::string& current)
{
    list->clear();
    for (const DeviceInfo& d : devices) {
        auto* item = new QListWidgetItem(qs(d.name + "  " + d.description), list);
        item->setData(Qt::UserRole, qs(d.name));
        if (d.name == current)
            list->setCurrentItem(item);
    }
    if (!list->currentItem() && list->count() > 0)
        list->setCurrentRow(0);
}

} // namespace

std::string chooseDevice(QWidget* parent, const std::vector<DeviceInfo>& devices, const std::string& current,
                         const LookAgain& lookAgain)
{
    QDialog dialog(parent);
    dialog.setObjectName("SelectSource");
    dialog.setWindowTitle(QCoreApplication::translate("Paginor", "Select Source"));
    auto* list = new QListWidget(&dialog);
    list->setObjectName("Sources");
    auto* none = new QLabel(QCoreApplication::translate("Paginor", "No scanner was found."), &dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QPushButton* select = buttons->button(QDialogButtonBox::Ok);
    select->setText(QCoreApplication::translate("Paginor", "Select"));
    QPushButton* again = buttons->addButton(QCoreApplication::translate("Paginor", "Look again"),
                                            QDialogButtonBox::ActionRole);
    again->setObjectName("LookAgain");
    again->setVisible(bool(lookAgain));
    auto show = [&, list, none, select](const std::vector<DeviceInfo>& found, const std::string& chosen) {
        fillList(list, found, chosen);
        none->setVisible(found.empty());
        select->setEnabled(list->currentItem() != nullptr);
    };
    show(devices, current);
    QObject::connect(again, &QPushButton::clicked, &dialog, [&] {
        const QListWidgetItem* item = list->currentItem();
        const std::string chosen = item ? item->data(Qt::UserRole).toString().toStdString() : current;
        if (const auto found = lookAgain(&dialog))
            show(*found, chosen);
    });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QCoreApplication::translate("Paginor", "Sources:"), &dialog));
    layout->addWidget(list);
    layout->addWidget(none);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || !list->currentItem())
        return {};
    return list->currentItem()->data(Qt::UserRole).toString().toStdString();
}

LookingBox::LookingBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("LookingForScanners");
    setWindowTitle(QCoreApplication::applicationName());
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0); // no end known: the bar shows that something is going on
    busy->setTextVisible(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QCoreApplication::translate("Paginor", "Looking for scanners…"), this));
    layout->addWidget(busy);
    layout->addWidget(buttons);
}

SourceDialog::SourceDialog(QWidget* parent, SaneDevice& device, Hooks hooks)
    : QDialog(parent), m_device(device), m_hooks(std::move(hooks))
{
    setObjectName("SourceDialog");
    setWindowTitle(qs(device.name()));
    setModal(false);
    auto* form = new QFormLayout;
    const char* modeLabel = QT_TRANSLATE_NOOP("Paginor", "Mode:");
    const char* resolutionLabel = QT_TRANSLATE_NOOP("Paginor", "Resolution (dpi):");
    const char* sourceLabel = QT_TRANSLATE_NOOP("Paginor", "Source:");
    m_mode = addChoice("Mode", shown(modeLabel), "mode");
    m_resolution = addChoice("Resolution", shown(resolutionLabel), "resolution");
    m_source = addChoice("Source", shown(sourceLabel), "source");
    if (m_mode)
        form->addRow(shown(modeLabel), m_mode);
    if (m_resolution)
        form->addRow(shown(resolutionLabel), m_resolution);
    if (m_source)
        form->addRow(shown(sourceLabel), m_source);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 100);
    m_progress->setVisible(false);
    m_message = new QLabel(this);
    m_message->setObjectName("Message");
    m_message->setWordWrap(true);
    m_scan = new QPushButton(QCoreApplication::translate("Paginor", "Scan"), this);
    m_scan->setObjectName("Scan");
    m_scan->setDefault(true);
    m_cancel = new QPushButton(QCoreApplication::translate("Paginor", "Cancel"), this);
    m_cancel->setObjectName("Cancel");
    m_cancel->setEnabled(false);
    m_close = new QPushButton(QCoreApplication::translate("Paginor", "Close"), this);
    m_close->setObjectName("Close");
    connect(m_scan, &QPushButton::clicked, this, [this] {
        if (applyChoices() && m_hooks.scan)
            m_hooks.scan();
    });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_hooks.cancel)
            m_hooks.cancel();
    });
    connect(m_close, &QPushButton::clicked, this, [this] {
        if (m_hooks.close)
            m_hooks.close();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_scan);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_progress);
    layout->addWidget(m_message);
    layout->addLayout(buttons);
}

QComboBox* SourceDialog::addChoice(const char* objectName, const QString&, const std::string& option)
{
    const std::vector<std::string> choices = m_device.optionChoices(option);
    if (choices.empty())
        return nullptr;
    auto* box = new QComboBox(this);
    box->setObjectName(objectName);
    for (const std::string& c : choices)
        box->addItem(qs(c));
    const QString now = qs(m_device.optionText(option));
    if (box->findText(now) < 0 && !now.isEmpty())
        box->addItem(now);
    box->setCurrentText(now);
    return box;
}

QString SourceDialog::setOption(const QString& name, const QString& value)
{
    try {
        m_device.setOption(name.toStdString(), value.toStdString());
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

bool SourceDialog::applyChoices()
{
    try {
        if (m_mode)
            m_device.setOption("mode", m_mode->currentText().toStdString());
        if (m_resolution)
            m_device.setOption("resolution", m_resolution->currentText().toStdString());
        if (m_source)
            m_device.setOption("source", m_source->currentText().toStdString());
    } catch (const std::exception& e) {
        setMessage(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

void SourceDialog::setBusy(bool busy)
{
    m_scan->setEnabled(!busy);
    m_close->setEnabled(!busy);
    m_cancel->setEnabled(busy);
    for (QComboBox* box : {m_mode, m_resolution, m_source})
        if (box)
            box->setEnabled(!busy);
    m_progress->setVisible(busy);
    if (busy) {
        m_progress->setValue(0);
        m_message->clear();
    }
}

void SourceDialog::setProgress(int percent)
{
    m_progress->setValue(percent);
}

void SourceDialog::setMessage(const QString& text)
{
    m_message->setText(text);
}

// The window's close button is the Close button: the session is asked to close the source.
void SourceDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (m_close->isEnabled() && m_hooks.close)
        m_hooks.close();
}

} // namespace twain::dsm
