#include "core/message.h"

#include "core/text.h"

namespace core {

std::string Message::english() const
{
    if (m_kind != Kind::Composed)
        return m_form;
    std::vector<std::string> parts;
    parts.reserve(m_parts.size());
    for (const Message& p : m_parts)
        parts.push_back(p.english());
    return core::fillIn(m_form, parts);
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

} // namespace core
