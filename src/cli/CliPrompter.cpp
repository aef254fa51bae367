#include "cli/CliPrompter.h"

namespace tw::batch {

void writeText(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

void CliPrompter::print(const QString& title, const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    writeText(errors_, title + QStringLiteral(": ") + lines + QLatin1Char('\n'));
}

MsgResult CliPrompter::answerFor(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return MsgResult::Ok;
        case MsgButtons::YesNo:
            return MsgResult::No;
        case MsgButtons::OkCancel:
            return MsgResult::Cancel;
        case MsgButtons::RetryCancel:
            if (retries_ < kRetriesBeforeCancel) {
                ++retries_;
                return MsgResult::Retry;
            }
            retries_ = 0;
            return MsgResult::Cancel;
    }
    return MsgResult::Cancel;
}

MsgResult CliPrompter::message(const QString& text, MsgButtons buttons, MsgIcon icon,
                               const QString& title) {
    texts_ << text;
    if (icon == MsgIcon::Critical || icon == MsgIcon::Exclamation) {
        errorShown_ = true;
    }
    print(title, text);
    const MsgResult answer = answerFor(buttons);
    if (buttons != MsgButtons::Ok) {
        static constexpr const char* kNames[] = {"OK", "Yes", "No", "Retry", "Cancel"};
        writeText(errors_, QStringLiteral("  answered ") +
                               QLatin1String(kNames[static_cast<int>(answer)]) + QLatin1Char('\n'));
    }
    return answer;
}

QString CliPrompter::inputBox(const QString& prompt, const QString& title, const QString&) {
    print(title, prompt);
    return QString();  // as if cancelled
}

std::optional<QString> CliPrompter::saveFile(const SaveDialogRequest&) {
    if (savePath_.isEmpty()) {
        return std::nullopt;
    }
    return savePath_;
}

QString CliPrompter::chooseFolder(const QString&) {
    return folder_;
}

bool CliPrompter::openDocument(const QString&) {
    return false;  // never opens a viewer
}

}  // namespace tw::batch
