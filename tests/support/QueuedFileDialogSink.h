#pragma once
// Answers file dialogs from a queue of paths (an empty string, or an empty queue, cancels) and records
// every request.

#include "platform/FileDialogSink.h"

#include <deque>
#include <string>
#include <vector>

class QueuedFileDialogSink : public FileDialogSink {
public:
    bool AskPath(const FileDialogRequest& request, std::string& path) override
    {
        requests.push_back(request);
        if (answers.empty())
            return false;
        std::string answer = answers.front();
        answers.pop_front();
        if (answer.empty())
            return false;
        path = answer;
        return true;
    }

    std::deque<std::string> answers;
    std::vector<FileDialogRequest> requests;
};
