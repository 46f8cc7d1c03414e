#pragma once
// Message boxes and file dialogs answered without a window, for end-to-end runs under Xvfb (a modal box
// there would hang the run). Chosen by the environment:
//
//   VELBRIN_TEST_DIALOGS=<log file>
//       Every box and file dialog is appended to the log as one line instead of being shown, fields
//       separated by tabs, newlines in texts written as \n:
//           box    <caption>  <text>     <answer>        answer: ok, yes, no or cancel
//           save   <message>  <default file>  <answer>   answer: the path chosen, or cancel
//           open   <message>  <default file>  <answer>
//       The file is opened, appended and closed for every line, so it is complete whenever read.
//   VELBRIN_TEST_DIALOG_ANSWERS=<script file>   (optional)
//       Answers, one line for each box or dialog in the order they come: "ok", "yes", "no", "cancel",
//       or "path <file>" for a file dialog; "show" shows that one for real (the sinks given at
//       construction) and logs what the person at the display answered, once the dialog is gone.
//       The script is read again for every question, so a test may append answers while the program
//       runs. Without a line (or with one that does not fit the question: a path for a box, a button
//       for a file dialog, "show" without a real sink) a box answers its default button (OK; Yes, or
//       No with NoDefault) and a file dialog is cancelled.

#include "platform/FileDialogSink.h"
#include "platform/MessageSink.h"

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>

class ScriptedDialogs : public MessageSink, public FileDialogSink {
public:
    // answersPath may be empty (no script). The real sinks answer "show"; not owned, may be null.
    ScriptedDialogs(std::string logPath, std::string answersPath, MessageSink* realMessages = nullptr,
                    FileDialogSink* realFiles = nullptr);
    // The scripted dialogs when VELBRIN_TEST_DIALOGS names a log, else null.
    static std::unique_ptr<ScriptedDialogs> FromEnvironment(MessageSink* realMessages = nullptr,
                                                            FileDialogSink* realFiles = nullptr);

    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, uint32_t style) override;
    bool AskPath(const FileDialogRequest& request, std::string& path) override;

private:
    // The next line of the script, or empty when there is none; consumes it.
    std::string NextAnswer();
    void Log(const std::string& kind, const std::string& first, const std::string& second,
             const std::string& answer);

    // Not held while a real dialog runs: its loop may bring another question.
    std::mutex m_lock;
    std::string m_logPath;
    std::string m_answersPath;
    MessageSink* m_realMessages;
    FileDialogSink* m_realFiles;
    size_t m_answered = 0;
};
