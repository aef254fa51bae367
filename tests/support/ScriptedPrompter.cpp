#include "support/ScriptedPrompter.h"

namespace tw {

ScriptedPrompter& ScriptedPrompter::answerMessage(MsgResult result) {
    answers_.push_back({DialogKind::Message, result, std::nullopt, false});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::answerInput(const QString& text) {
    answers_.push_back({DialogKind::InputBox, MsgResult::Ok, text, false});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::answerSave(const QString& path) {
    answers_.push_back({DialogKind::SaveFile, MsgResult::Ok, path, false});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::cancelSave() {
    answers_.push_back({DialogKind::SaveFile, MsgResult::Cancel, std::nullopt, false});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::answerFolder(const QString& folder) {
    answers_.push_back({DialogKind::ChooseFolder, MsgResult::Ok, folder, false});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::answerOpen(bool opened) {
    answers_.push_back({DialogKind::OpenDocument, MsgResult::Ok, std::nullopt, opened});
    return *this;
}

const DialogCall& ScriptedPrompter::lastCall() const {
    if (calls_.empty()) {
        throw ScriptError(QStringLiteral("ScriptedPrompter: no dialog has been shown"));
    }
    return calls_.back();
}

MsgResult ScriptedPrompter::message(const QString& text, MsgButtons buttons, MsgIcon icon,
                                    const QString& title) {
    DialogCall call;
    call.kind = DialogKind::Message;
    call.title = title;
    call.text = text;
    call.icon = icon;
    call.buttons = buttons;
    const bool queued = !answers_.empty() && answers_.front().kind == DialogKind::Message;
    if (!queued && acknowledgeOk_ && buttons == MsgButtons::Ok) {
        calls_.push_back(call);
        return MsgResult::Ok;
    }
    return take(call).result;
}

QString ScriptedPrompter::inputBox(const QString& prompt, const QString& title,
                                   const QString& defaultText) {
    DialogCall call;
    call.kind = DialogKind::InputBox;
    call.title = title;
    call.text = prompt;
    call.defaultText = defaultText;
    return take(call).text.value_or(QString());
}

std::optional<QString> ScriptedPrompter::saveFile(const SaveDialogRequest& request) {
    DialogCall call;
    call.kind = DialogKind::SaveFile;
    call.title = request.title;
    call.save = request;
    return take(call).text;
}

QString ScriptedPrompter::chooseFolder(const QString& title) {
    DialogCall call;
    call.kind = DialogKind::ChooseFolder;
    call.title = title;
    return take(call).text.value_or(QString());
}

bool ScriptedPrompter::openDocument(const QString& pathOrUrl) {
    DialogCall call;
    call.kind = DialogKind::OpenDocument;
    call.text = pathOrUrl;
    return take(call).opened;
}

QString ScriptedPrompter::kindName(DialogKind kind) {
    switch (kind) {
        case DialogKind::Message:
            return QStringLiteral("Message");
        case DialogKind::InputBox:
            return QStringLiteral("InputBox");
        case DialogKind::SaveFile:
            return QStringLiteral("SaveFile");
        case DialogKind::ChooseFolder:
            return QStringLiteral("ChooseFolder");
        case DialogKind::OpenDocument:
            return QStringLiteral("OpenDocument");
    }
    return QStringLiteral("?");
}

ScriptedPrompter::Answer ScriptedPrompter::take(const DialogCall& call) {
    calls_.push_back(call);
    QString problem;
    if (answers_.empty()) {
        problem = QStringLiteral("no answer queued");
    } else if (answers_.front().kind != call.kind) {
        problem =
            QStringLiteral("the next queued answer is for ") + kindName(answers_.front().kind);
    }
    if (!problem.isEmpty()) {
        const QString message = QStringLiteral("ScriptedPrompter: unexpected %1 \"%2\" (%3): %4")
                                    .arg(kindName(call.kind), call.title, call.text, problem);
        failures_ << message;
        throw ScriptError(message);
    }
    Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

}  // namespace tw
