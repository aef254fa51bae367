#pragma once
// The Prompter seam with real Qt prompter, parented to the main window.

#include <QPointer>
#include <QStringList>

#include "core/Prompter.h"

namespace tw {

class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    MsgResult message(const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    std::optional<QString> saveFile(const SaveDialogRequest& request) override;
    QString chooseFolder(const QString& title) override;
    bool openDocument(const QString& pathOrUrl) override;

    // "Name (*.ext)|*.ext|Other|*.a;*.b" -> {"Name (*.ext)", "Other (*.a *.b)"}.
    static QStringList nameFilters(const QString& filter);
    // The extension of the first pattern of the filter ("xls"), or empty.
    static QString defaultSuffix(const QString& filter);
    // A file path or a web address as the desktop opens it.
    static QUrl documentUrl(const QString& pathOrUrl);

  private:
    QPointer<QWidget> parent_;
};

}  // namespace tw
