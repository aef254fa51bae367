#pragma once
// The Prompter seam for the application-shell tests, which do not link the
// window library: records every message and answers from a queue (OK when
// the queue is empty).

#include <deque>
#include <vector>

#include "core/Prompter.h"

namespace tw {

struct RecordedMessage {
    QString text;
    MsgButtons buttons;
    MsgIcon icon;
    QString title;
};

class RecordingPrompter : public Prompter {
  public:
    MsgResult message(const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override {
        messages.push_back({text, buttons, icon, title});
        if (answers.empty()) {
            return MsgResult::Ok;
        }
        MsgResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const SaveDialogRequest&) override { return std::nullopt; }
    QString chooseFolder(const QString&) override { return {}; }
    bool openDocument(const QString&) override { return false; }

    std::vector<RecordedMessage> messages;
    std::deque<MsgResult> answers;
};

}  // namespace tw
