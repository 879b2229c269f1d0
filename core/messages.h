// The one door through which the program tells the user something or asks a question.
// The window answers with message boxes, headless runs print to stderr, tests script the answers.
#pragma once

#include "core/message.h"

#include <deque>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace core {

enum class MessageKind {
    Information,  // an "i" box: something the user should know, nothing went wrong
    Warning,      // something went partly wrong, the command goes on
    Error,        // the command failed and stopped
    Confirmation, // a question
};

enum class Buttons {
    Ok,
    YesNo,
    YesNoCancel,
    OkCancel,
};

enum class Answer { Ok, Yes, No, Cancel };

class Messages {
public:
    virtual ~Messages() = default;
    // Every text goes in as a Message, so the window can translate its form; a composed
    // std::string does not compile here.
    // Shows text and waits until it is acknowledged.
    virtual void show(MessageKind kind, const Message& text) = 0;
    // Asks text and returns the button pressed.
    virtual Answer ask(MessageKind kind, const Message& text, Buttons buttons) = 0;

    // Shows text under a title of its own (a message box's caption, a fixed text); where
    // messages have no titles the text is shown as show() shows it.
    virtual void showTitled(MessageKind kind, std::string_view title, const Message& text)
    {
        (void)title;
        show(kind, text);
    }

    void information(const Message& text) { show(MessageKind::Information, text); }
    void warning(const Message& text) { show(MessageKind::Warning, text); }
    void error(const Message& text) { show(MessageKind::Error, text); }
};

// Headless runs: every message goes to a stream (stderr), one line per message with
// its kind; questions take a fixed answer and say which.
class StreamMessages final : public Messages {
public:
    explicit StreamMessages(std::ostream& out, Answer answerToQuestions = Answer::No);
    void show(MessageKind kind, const Message& text) override;
    Answer ask(MessageKind kind, const Message& text, Buttons buttons) override;

private:
    std::ostream& m_out;
    Answer m_answer;
};

// Tests: records every text and answers questions from a queue (No when it runs dry).
class ScriptedMessages final : public Messages {
public:
    struct Entry {
        MessageKind kind;
        std::string text;
        bool question;
    };

    void queueAnswer(Answer a) { m_answers.push_back(a); }
    void show(MessageKind kind, const Message& text) override;
    Answer ask(MessageKind kind, const Message& text, Buttons buttons) override;

    const std::vector<Entry>& entries() const { return m_entries; }
    std::vector<std::string> texts() const;
    void clear() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
    std::deque<Answer> m_answers;
};

// Messages of one part of the program passed on under that part's title, as boxes with
// the title as their caption.
class TitledMessages final : public Messages {
public:
    TitledMessages(Messages& inner, std::string title) : m_inner(inner), m_title(std::move(title)) {}
    void show(MessageKind kind, const Message& text) override { m_inner.showTitled(kind, m_title, text); }
    Answer ask(MessageKind kind, const Message& text, Buttons buttons) override
    {
        return m_inner.ask(kind, text, buttons);
    }

private:
    Messages& m_inner;
    std::string m_title;
};

// The process-wide sink used by code that has no other way to reach the user
// (the window installs its message boxes here; headless runs keep stderr).
Messages& messages();
void setMessages(Messages* sink); // nullptr restores the stderr sink

} // namespace core
