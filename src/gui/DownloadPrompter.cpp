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

MsgResult ThreadPrompter::Message(const QString& text, MsgButtons buttons, MsgIcon icon,
                                  const QString& title) {
    MsgResult result = MsgResult::Ok;
    onOwnThread([&] { result = target_()->Message(text, buttons, icon, title); });
    return result;
}

QString ThreadPrompter::InputBox(const QString& prompt, const QString& title,
                                 const QString& defaultText) {
    QString result;
    onOwnThread([&] { result = target_()->InputBox(prompt, title, defaultText); });
    return result;
}

std::optional<QString> ThreadPrompter::SaveFile(const SaveDialogRequest& request) {
    std::optional<QString> result;
    onOwnThread([&] { result = target_()->SaveFile(request); });
    return result;
}

QString ThreadPrompter::ChooseFolder(const QString& title) {
    QString result;
    onOwnThread([&] { result = target_()->ChooseFolder(title); });
    return result;
}

bool ThreadPrompter::OpenDocument(const QString& pathOrUrl) {
    bool result = false;
    onOwnThread([&] { result = target_()->OpenDocument(pathOrUrl); });
    return result;
}

}  // namespace tw
