// Messages of the window: modal message boxes over the main window.
#pragma once

#include "core/messages.h"

class QWidget;

namespace app {

class BoxMessages final : public Messages {
public:
    explicit BoxMessages(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void show(MessageKind kind, const Message& text) override;
    void showTitled(MessageKind kind, std::string_view title, const Message& text) override;
    Answer ask(MessageKind kind, const Message& text, Buttons buttons) override;

private:
    QWidget* m_parent;
};

} // namespace app
