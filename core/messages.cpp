#include "messages.h"

#include <iostream>
#include <ostream>

namespace core {
namespace {

const char* kindName(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information: return "information";
    case MessageKind::Warning: return "warning";
    case MessageKind::Error: return "error";
    case MessageKind::Confirmation: return "question";
    }
    return "message";
}

const char* answerName(Answer a)
{
    switch (a) {
    case Answer::Ok: return "OK";
    case Answer::Yes: return "Yes";
    case Answer::No: return "No";
    case Answer::Cancel: return "Cancel";
    }
    return "?";
}

// A question answered automatically must still be one of its own buttons.
Answer fitAnswer(Answer wanted, Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel: return wanted == Answer::Ok || wanted == Answer::Yes ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo: return wanted == Answer::Yes || wanted == Answer::Ok ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel: return wanted == Answer::Ok ? Answer::Yes : wanted;
    }
    return wanted;
}

StreamMessages& stderrSink()
{
    static StreamMessages sink(std::cerr);
    return sink;
}

Messages* g_sink = nullptr;

} // namespace

StreamMessages::StreamMessages(std::ostream& out, Answer answerToQuestions)
    : m_out(out), m_answer(answerToQuestions)
{
}

void StreamMessages::show(MessageKind kind, const Message& text)
{
    m_out << "paginor: " << kindName(kind) << ": " << text.english() << '\n' << std::flush;
}

Answer StreamMessages::ask(MessageKind kind, const Message& text, Buttons buttons)
{
    const Answer a = fitAnswer(m_answer, buttons);
    m_out << "paginor: " << kindName(kind) << ": " << text.english() << " -> " << answerName(a) << '\n' << std::flush;
    return a;
}

void ScriptedMessages::show(MessageKind kind, const Message& text)
{
    m_entries.push_back({kind, text.english(), false});
}

Answer ScriptedMessages::ask(MessageKind kind, const Message& text, Buttons buttons)
{
    m_entries.push_back({kind, text.english(), true});
    Answer a = Answer::No;
    if (!m_answers.empty()) {
        a = m_answers.front();
        m_answers.pop_front();
    }
    return fitAnswer(a, buttons);
}

std::vector<std::string> ScriptedMessages::texts() const
{
    std::vector<std::string> out;
    for (const auto& e : m_entries)
        out.push_back(e.text);
    return out;
}

Messages& messages()
{
    return g_sink ? *g_sink : stderrSink();
}

void setMessages(Messages* sink)
{
    g_sink = sink;
}

} // namespace core
