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
    ScriptedPrompter& AnswerMessage(MsgResult result);
    ScriptedPrompter& AnswerInput(const QString& text);
    ScriptedPrompter& AnswerSave(const QString& path);
    ScriptedPrompter& CancelSave();
    ScriptedPrompter& AnswerFolder(const QString& folder);
    ScriptedPrompter& AnswerOpen(bool opened);
    // Message boxes with only an OK button are answered OK without a queued
    // answer (they are still recorded). Off by default.
    void AcknowledgeOkMessages(bool on) { acknowledgeOk_ = on; }

    const std::vector<DialogCall>& Calls() const { return calls_; }
    const DialogCall& LastCall() const;
    const QStringList& Failures() const { return failures_; }
    size_t PendingAnswers() const { return answers_.size(); }

    MsgResult Message(const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    std::optional<QString> SaveFile(const SaveDialogRequest& request) override;
    QString ChooseFolder(const QString& title) override;
    bool OpenDocument(const QString& pathOrUrl) override;

    static QString KindName(DialogKind kind);

  private:
    struct Answer {
        DialogKind kind;
        MsgResult result = MsgResult::Ok;
        std::optional<QString> text;
        bool opened = false;
    };

    Answer Take(const DialogCall& call);

    std::vector<DialogCall> calls_;
    std::deque<Answer> answers_;
    QStringList failures_;
    bool acknowledgeOk_ = false;
};

}  // namespace tw
