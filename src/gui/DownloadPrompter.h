#pragma once
// The prompter a download's worker thread asks through: every call is
// carried to the window's thread and waits there for the user's answer, so
// every box is shown by the window's thread as Qt requires. Called on the
// window's thread itself it asks directly.

#include <QObject>
#include <functional>

#include "core/Prompter.h"

namespace tw {

class ThreadPrompter : public QObject, public Prompter {
    Q_OBJECT
  public:
    // `target` gives the prompter that answers (looked up at each call, so a
    // prompter installed later is the one asked); it lives on this object's
    // thread.
    explicit ThreadPrompter(std::function<Prompter*()> target, QObject* parent = nullptr);

    MsgResult message(const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    std::optional<QString> saveFile(const SaveDialogRequest& request) override;
    QString chooseFolder(const QString& title) override;
    bool openDocument(const QString& pathOrUrl) override;

  private:
    // Runs `call` on this object's thread and returns when it is done.
    template <typename Call>
    void onOwnThread(Call call);

    std::function<Prompter*()> target_;
};

}  // namespace tw
