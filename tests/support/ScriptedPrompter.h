#pragma once
// The Prompter seam for tests: records every call and answers from a queue the
// test fills beforehand. A call whose answer is not queued (the queue is empty
// or its next answer is for another kind of dialog) is recorded under
// Failures() and throws ScriptError, so an unexpected dialog fails the test
// loudly instead of hanging or being answered by chance.

#include <deque>
#include <stdexcept>
#include <vector>

#include "core/Prompter.h"

namespace tw {

class ScriptError : public std::logic_error {
  public:
    explicit ScriptError(const QString& what) : std::logic_error(what.toStdString()) {}
};

enum class DialogKind { Message, InputBox, SaveFile, ChooseFolder, OpenDocument };

struct DialogCall {
    DialogKind kind = DialogKind::Message;
    QString title;
    QString text;  // message text, input prompt, document path or address
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    QString defaultText;     // input box only
    SaveDialogRequest save;  // save dialog only
};

class ScriptedPrompter : public Prompter {
  public:
    // Queue the answers, in the order the prompter will be shown.
    ScriptedPrompter& answerMessage(MsgResult result);
    ScriptedPrompter& answerInput(const QString& text);
    ScriptedPrompter& answerSave(const QString& path);
    ScriptedPrompter& cancelSave();
    ScriptedPrompter& answerFolder(const QString& folder);
    ScriptedPrompter& answerOpen(bool opened);
    // Message boxes with only an OK button are answered OK without a queued
    // answer (they are still recorded). Off by default.
    void acknowledgeOkMessages(bool on) { acknowledgeOk_ = on; }

    const std::vector<DialogCall>& calls() const { return calls_; }
    const DialogCall& lastCall() const;
    const QStringList& failures() const { return failures_; }
    size_t pendingAnswers() const { return answers_.size(); }

    MsgResult message(const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    std::optional<QString> saveFile(const SaveDialogRequest& request) override;
    QString chooseFolder(const QString& title) override;
    bool openDocument(const QString& pathOrUrl) override;

    static QString kindName(DialogKind kind);

  private:
    struct Answer {
        DialogKind kind;
        MsgResult result = MsgResult::Ok;
        std::optional<QString> text;
        bool opened = false;
    };

    Answer take(const DialogCall& call);

    std::vector<DialogCall> calls_;
    std::deque<Answer> answers_;
    QStringList failures_;
    bool acknowledgeOk_ = false;
};

}  // namespace tw
