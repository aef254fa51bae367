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

    void setSavePath(const QString& path) { savePath_ = path; }
    void setFolder(const QString& folder) { folder_ = folder; }
    // A step went well: the next failure box gets its retries afresh.
    void resetRetries() { retries_ = 0; }

    // A message with an error or warning icon has been shown.
    bool errorShown() const { return errorShown_; }
    // A message with exactly this text has been shown.
    bool shown(const QString& text) const { return texts_.contains(text); }

    MsgResult message(const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    std::optional<QString> saveFile(const SaveDialogRequest& request) override;
    QString chooseFolder(const QString& title) override;
    bool openDocument(const QString& pathOrUrl) override;

  private:
    MsgResult answerFor(MsgButtons buttons);
    void print(const QString& title, const QString& text);

    std::FILE* errors_;
    QString savePath_;
    QString folder_;
    QStringList texts_;
    int retries_ = 0;
    bool errorShown_ = false;
};

// Writes the text (UTF-8) and flushes, so lines keep their order with the
// other stream and reach a log file even if the program ends at once.
void writeText(std::FILE* stream, const QString& text);

}  // namespace tw::batch
