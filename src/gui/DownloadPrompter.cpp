#include "gui/DownloadPrompter.h"

#include <QMetaObject>
#include <QThread>

namespace tw {

ThreadPrompter::ThreadPrompter(std::function<Prompter*()> target, QObject* parent)
    : QObject(parent), target_(std::move(target)) {}

template <typename Call>
void ThreadPrompter::onOwnThread(Call call) {
    if (QThread::currentThread() == thread()) {
        call();
        return;
    }
    QMetaObject::invokeMethod(this, call, Qt::BlockingQueuedConnection);
}

MsgResult ThreadPrompter::message(const QString& text, MsgButtons buttons, MsgIcon icon,
                                  const QString& title) {
    MsgResult result = MsgResult::Ok;
    onOwnThread([&] { result = target_()->message(text, buttons, icon, title); });
    return result;
}

QString ThreadPrompter::inputBox(const QString& prompt, const QString& title,
                                 const QString& defaultText) {
    QString result;
    onOwnThread([&] { result = target_()->inputBox(prompt, title, defaultText); });
    return result;
}

std::optional<QString> ThreadPrompter::saveFile(const SaveDialogRequest& request) {
    std::optional<QString> result;
    onOwnThread([&] { result = target_()->saveFile(request); });
    return result;
}

QString ThreadPrompter::chooseFolder(const QString& title) {
    QString result;
    onOwnThread([&] { result = target_()->chooseFolder(title); });
    return result;
}

bool ThreadPrompter::openDocument(const QString& pathOrUrl) {
    bool result = false;
    onOwnThread([&] { result = target_()->openDocument(pathOrUrl); });
    return result;
}

}  // namespace tw
