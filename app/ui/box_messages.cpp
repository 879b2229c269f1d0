#include "app/ui/box_messages.h"

#include "app/qt/translation.h"

#include <QApplication>
#include <QMessageBox>

namespace app {
namespace {

QMessageBox::Icon iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(Buttons b)
{
    switch (b) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

void BoxMessages::show(MessageKind kind, const Message& text)
{
    showTitled(kind, QApplication::applicationName().toStdString(), text);
}

void BoxMessages::showTitled(MessageKind kind, std::string_view title, const Message& text)
{
    QMessageBox box(iconOf(kind), shownText(title),
                    shownText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

Answer BoxMessages::ask(MessageKind kind, const Message& text, Buttons buttons)
{
    QMessageBox box(iconOf(kind), QApplication::applicationName(), shownText(text),
                    buttonsOf(buttons), m_parent);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return Answer::Ok;
    }
}

} // namespace app
