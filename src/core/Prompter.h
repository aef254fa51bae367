#pragma once
// The one seam through which the program talks to the user outside its main
// window: message boxes, the input box, the save-file dialog, the folder
// chooser and "open this file or address". The Qt implementation (src/gui/)
// shows real prompter; tests install ScriptedPrompter (src/gui/), which records
// every call and answers from a queue.

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace tw {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, YesNo, RetryCancel, OkCancel };
enum class MsgResult { Ok, Yes, No, Retry, Cancel };

struct SaveDialogRequest {
    QString title;
    QString filter;        // "Excel Workbook (*.xls)|*.xls" style, as the program builds it
    QString proposedName;  // file name proposed in the dialog
    QString initialDir;
    bool overwritePrompt = true;
};

class Prompter {
  public:
    virtual ~Prompter() = default;

    // Lines of `text` are joined with CR LF by the callers, as they are written.
    virtual MsgResult message(const QString& text, MsgButtons buttons, MsgIcon icon,
                              const QString& title) = 0;
    // Returns the typed text; cancelling gives the empty text.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
    // The chosen path, or nullopt when cancelled (the callers raise 32755).
    virtual std::optional<QString> saveFile(const SaveDialogRequest& request) = 0;
    // The chosen folder, or the empty text when cancelled.
    virtual QString chooseFolder(const QString& title) = 0;
    // Opens a file or web address in the desktop's viewer. Returns false on failure.
    virtual bool openDocument(const QString& pathOrUrl) = 0;
};

}  // namespace tw
