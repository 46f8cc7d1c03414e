#include "platform/ScriptedDialogs.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

const char* const kShowAnswer = "show";

// One field of a log line: tabs and line ends would break the line apart.
std::string Field(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

MessageAnswer DefaultAnswer(uint32_t style)
{
    if (style & MessageStyle::YesNo)
        return (style & MessageStyle::NoDefault) ? MessageAnswer::No : MessageAnswer::Yes;
    return MessageAnswer::Ok;
}

bool ParseAnswer(const std::string& word, uint32_t style, MessageAnswer& answer)
{
    const bool yesNo = (style & MessageStyle::YesNo) != 0;
    if (word == "ok" && !yesNo)
        answer = MessageAnswer::Ok;
    else if (word == "yes" && yesNo)
        answer = MessageAnswer::Yes;
    else if (word == "no" && yesNo)
        answer = MessageAnswer::No;
    else if (word == "cancel" && (style & MessageStyle::Cancel))
        answer = MessageAnswer::Cancel;
    else
        return false;
    return true;
}

const char* AnswerName(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Yes:
        return "yes";
    case MessageAnswer::No:
        return "no";
    case MessageAnswer::Cancel:
        return "cancel";
    case MessageAnswer::Ok:
        break;
    }
    return "ok";
}

}  // namespace

ScriptedDialogs::ScriptedDialogs(std::string logPath, std::string answersPath, MessageSink* realMessages,
                                 FileDialogSink* realFiles)
    : m_logPath(std::move(logPath)),
      m_answersPath(std::move(answersPath)),
      m_realMessages(realMessages),
      m_realFiles(realFiles)
{
}

std::unique_ptr<ScriptedDialogs> ScriptedDialogs::FromEnvironment(MessageSink* realMessages,
                                                                  FileDialogSink* realFiles)
{
    const char* log = getenv("VELBRIN_TEST_DIALOGS");
    if (!log || !*log)
        return nullptr;
    const char* answers = getenv("VELBRIN_TEST_DIALOG_ANSWERS");
    return std::make_unique<ScriptedDialogs>(log, answers ? answers : "", realMessages, realFiles);
}

std::string ScriptedDialogs::NextAnswer()
{
    if (m_answersPath.empty())
        return {};
    std::ifstream script(m_answersPath);
    std::string line;
    for (size_t i = 0; i <= m_answered; ++i) {
        if (!std::getline(script, line))
            return {};
    }
    ++m_answered;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

void ScriptedDialogs::Log(const std::string& kind, const std::string& first, const std::string& second,
                          const std::string& answer)
{
    FILE* log = fopen(m_logPath.c_str(), "a");
    if (!log) {
        fprintf(stderr, "VELBRIN_TEST_DIALOGS: cannot append to %s\n", m_logPath.c_str());
        return;
    }
    fprintf(log, "%s\t%s\t%s\t%s\n", kind.c_str(), Field(first).c_str(), Field(second).c_str(),
            Field(answer).c_str());
    fclose(log);
}

MessageAnswer ScriptedDialogs::ShowMessage(const std::string& text, const std::string& caption, uint32_t style)
{
    std::unique_lock<std::mutex> lock(m_lock);
    MessageAnswer answer = DefaultAnswer(style);
    const std::string line = NextAnswer();
    if (line == kShowAnswer && m_realMessages) {
        lock.unlock();
        answer = m_realMessages->ShowMessage(text, caption, style);
        lock.lock();
    } else if (!line.empty() && !ParseAnswer(line, style, answer)) {
        answer = DefaultAnswer(style);
    }
    Log("box", caption, text, AnswerName(answer));
    return answer;
}

bool ScriptedDialogs::AskPath(const FileDialogRequest& request, std::string& path)
{
    std::unique_lock<std::mutex> lock(m_lock);
    const std::string line = NextAnswer();
    bool chosen = false;
    if (line == kShowAnswer && m_realFiles) {
        lock.unlock();
        chosen = m_realFiles->AskPath(request, path);
        lock.lock();
    } else if (line.compare(0, 5, "path ") == 0 && line.size() > 5) {
        chosen = true;
        path = line.substr(5);
    }
    Log(request.kind == FileDialogRequest::Save ? "save" : "open", request.message, request.defaultFile,
        chosen ? path : "cancel");
    return chosen;
}
