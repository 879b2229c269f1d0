// Messages of the window: modal message boxes over the main window.
#pragma once

#include "core/messages.h"

class QWidget;

namespace app {

class BoxMessages final : public core::Messages {
public:
    explicit BoxMessages(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void show(core::MessageKind kind, const core::Message& text) override;
    void showTitled(core::MessageKind kind, std::string_view title, const core::Message& text) override;
    core::Answer ask(core::MessageKind kind, const core::Message& text, core::Buttons buttons) override;

private:
    QWidget* m_parent;
};

} // namespace app
