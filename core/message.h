// A message as the program composes it: a fixed form ("Can't load %1") and the parts that
// fill its %1, %2, ... The headless commands print its English text (english()); the window
// translates the form and each part that is a fixed text of the program, and never a
// file name or a number.
#pragma once

#include "core/translatable.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace core {

class Message {
public:
    enum class Kind {
        Fixed,    // a fixed text of the program: translated whole
        Composed, // a form with its parts
        Name,     // a file name, a number, a library's own words: never translated
    };

    // A fixed text (marked with QT_TRANSLATE_NOOP("Paginor", ...) where the window shows it).
    Message(const char* fixed) : m_form(fixed) {}
    Message(std::string_view fixed) : m_form(fixed) {}
    // A composed text is never taken for a fixed one: compose it from a form and its parts.
    Message(const std::string&) = delete;
    Message(std::string&&) = delete;

    // form with its parts: each part a Message (translated as one), a string (a name,
    // never translated) or a number.
    template <class First, class... Rest>
    Message(std::string_view form, First&& first, Rest&&... rest) : m_kind(Kind::Composed), m_form(form)
    {
        m_parts.reserve(1 + sizeof...(Rest));
        m_parts.push_back(part(std::forward<First>(first)));
        (m_parts.push_back(part(std::forward<Rest>(rest))), ...);
    }

    // A text that is never translated (a name, a library's words).
    static Message name(std::string text)
    {
        Message m{std::string_view()};
        m.m_kind = Kind::Name;
        m.m_form = std::move(text);
        return m;
    }
    // A text of which nothing is known: a fixed text when the translation knows it,
    // shown as it stands otherwise (an exception's text that carries no form).
    static Message plain(std::string_view text) { return Message(text); }

    Kind kind() const { return m_kind; }
    // The fixed text, the form, or the name.
    const std::string& form() const { return m_form; }
    const std::vector<Message>& parts() const { return m_parts; }
    bool empty() const { return m_kind != Kind::Composed && m_form.empty(); }

    // The English text: the form with its parts filled in.
    std::string english() const;
    operator std::string() const { return english(); }
    friend bool operator==(const Message& m, std::string_view text) { return m.english() == text; }

private:
    static Message part(Message m) { return m; }
    static Message part(const char* text) { return name(text); }
    static Message part(std::string text) { return name(std::move(text)); }
    static Message part(std::string_view text) { return name(std::string(text)); }
    template <class N, std::enable_if_t<std::is_integral_v<N>, int> = 0>
    static Message part(N n)
    {
        return name(std::to_string(n));
    }

    Kind m_kind = Kind::Fixed;
    std::string m_form;
    std::vector<Message> m_parts;
};

// Form + parts for "Frames 1, 2 and 4 ...": the numbers before the last joined by ", ",
// so a form "Frames %1 and %2 ..." takes them.
std::string listBeforeLast(const std::vector<int>& numbers);

// An error that carries its message with its form; what() is its English text.
class MessageError : public std::runtime_error {
public:
    explicit MessageError(Message message)
        : std::runtime_error(message.english()), m_message(std::move(message))
    {
    }
    const Message& message() const { return m_message; }

private:
    Message m_message;
};

// The message an exception carries: its form when it has one, its text otherwise.
Message messageOf(const std::exception& e);

} // namespace core
