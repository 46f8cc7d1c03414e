#pragma once
// Records every message box instead of showing it ("caption|text") and answers from a queue (OK, or
// the box's first button, when the queue is empty).

#include "platform/MessageSink.h"

#include <deque>
#include <string>
#include <vector>

class RecordingMessageSink : public MessageSink {
public:
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, uint32_t style) override
    {
        messages.push_back(caption + "|" + text);
        styles.push_back(style);
        if (!answers.empty()) {
            MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return (style & MessageStyle::YesNo) ? MessageAnswer::Yes : MessageAnswer::Ok;
    }

    std::vector<std::string> messages;
    std::vector<uint32_t> styles;
    std::deque<MessageAnswer> answers;
};
