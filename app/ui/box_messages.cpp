#include "app/ui/box_messages.h"

#include "app/qt/translation.h"

#include <QApplication>
#include <QMessageBox>

namespace app {
namespace {

QMessageBox::Icon iconOf(core::MessageKind kind)
{
    switch (kind) {
    case core::MessageKind::Information: return QMessageBox::Information;
    case core::MessageKind::Warning: return QMessageBox::Warning;
    case core::MessageKind::Error: return QMessageBox::Critical;
    case core::MessageKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(core::Buttons b)
{
    switch (b) {
    case core::Buttons::Ok: return QMessageBox::Ok;
    case core::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case core::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case core::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

void BoxMessages::show(core::MessageKind kind, const core::Message& text)
{
    showTitled(kind, QApplication::applicationName().toStdString(), text);
}

void BoxMessages::showTitled(core::MessageKind kind, std::string_view title, const core::Message& text)
{
    QMessageBox box(iconOf(kind), shownText(title),
                    shownText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

core::Answer BoxMessages::ask(core::MessageKind kind, const core::Message& text, core::Buttons buttons)
{
    QMessageBox box(iconOf(kind), QApplication::applicationName(), shownText(text),
                    buttonsOf(buttons), m_parent);
    switch (box.exec()) {
    case QMessageBox::Yes: return core::Answer::Yes;
    case QMessageBox::No: return core::Answer::No;
    case QMessageBox::Cancel: return core::Answer::Cancel;
    default: return core::Answer::Ok;
    }
}

} // namespace app
