#include "core/message.h"

namespace app {

std::string fillIn(std::string_view form, const std::vector<std::string>& parts)
{
    std::string out;
    out.reserve(form.size());
    for (std::size_t i = 0; i < form.size(); ++i) {
        const char c = i + 1 < form.size() && form[i] == '%' ? form[i + 1] : '\0';
        const std::size_t n = c >= '1' && c <= '9' ? static_cast<std::size_t>(c - '0') : 0;
        if (n >= 1 && n <= parts.size()) {
            out += parts[n - 1];
            ++i;
        } else {
            out += form[i];
        }
    }
    return out;
}

std::string Message::english() const
{
    if (m_kind != Kind::Composed)
        return m_form;
    std::vector<std::string> parts;
    parts.reserve(m_parts.size());
    for (const Message& p : m_parts)
        parts.push_back(p.english());
    return fillIn(m_form, parts);
}

std::string listBeforeLast(const std::vector<int>& numbers)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < numbers.size(); ++i)
        out += (i ? ", " : "") + std::to_string(numbers[i]);
    return out;
}

Message messageOf(const std::exception& e)
{
    if (const auto* carried = dynamic_cast<const MessageError*>(&e))
        return carried->message();
    return Message::plain(e.what());
}

} // namespace app
