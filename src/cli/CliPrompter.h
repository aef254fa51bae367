#pragma once
// The prompter of the batch mode: no one is there to answer, so every message
// is written to standard error with its title and answered as a cautious user
// would; the save dialog and the folder chooser answer with the paths the
// command line gave.

#include <QStringList>
#include <cstdio>

#include "core/Prompter.h"

namespace tw::batch {

// How often the connection-failure box is answered Retry before Cancel.
inline constexpr int kRetriesBeforeCancel = 3;

class CliPrompter : public Prompter {
  public:
    explicit CliPrompter(std::FILE* errors) : errors_(errors) {}

    void SetSavePath(const QString& path) { savePath_ = path; }
    void SetFolder(const QString& folder) { folder_ = folder; }
    // A step went well: the next failure box gets its retries afresh.
    void ResetRetries() { retries_ = 0; }

    // A message with an error or warning icon has been shown.
    bool ErrorShown() const { return errorShown_; }
    // A message with exactly this text has been shown.
    bool Shown(const QString& text) const { return texts_.contains(text); }

    MsgResult Message(const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    std::optional<QString> SaveFile(const SaveDialogRequest& request) override;
    QString ChooseFolder(const QString& title) override;
    bool OpenDocument(const QString& pathOrUrl) override;

  private:
    MsgResult Answer(MsgButtons buttons);
    void Print(const QString& title, const QString& text);

    std::FILE* errors_;
    QString savePath_;
    QString folder_;
    QStringList texts_;
    int retries_ = 0;
    bool errorShown_ = false;
};

// Writes the text (UTF-8) and flushes, so lines keep their order with the
// other stream and reach a log file even if the program ends at once.
void WriteText(std::FILE* stream, const QString& text);

}  // namespace tw::batch
