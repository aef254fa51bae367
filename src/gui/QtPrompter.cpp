#include "gui/QtPrompter.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace tw {

namespace {

QMessageBox::Icon toQtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        case MsgButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MsgResult fromQtButton(int button, MsgButtons buttons) {
    switch (button) {
        case QMessageBox::Yes:
            return MsgResult::Yes;
        case QMessageBox::No:
            return MsgResult::No;
        case QMessageBox::Retry:
            return MsgResult::Retry;
        case QMessageBox::Cancel:
            return MsgResult::Cancel;
        case QMessageBox::Ok:
            return MsgResult::Ok;
        default:
            // Closed with Escape or the window's close button: the box's
            // cancelling answer.
            return buttons == MsgButtons::YesNo ? MsgResult::No
                   : buttons == MsgButtons::Ok  ? MsgResult::Ok
                                                : MsgResult::Cancel;
    }
}

}  // namespace

MsgResult QtPrompter::message(const QString& text, MsgButtons buttons, MsgIcon icon,
                              const QString& title) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(toQtIcon(icon), title, shown, toQtButtons(buttons), parent_);
    box.setTextFormat(Qt::PlainText);
    return fromQtButton(box.exec(), buttons);
}

QString QtPrompter::inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) {
    bool accepted = false;
    const QString text =
        QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, defaultText, &accepted);
    return accepted ? text : QString();
}

std::optional<QString> QtPrompter::saveFile(const SaveDialogRequest& request) {
    QFileDialog dialog(parent_, request.title, request.initialDir);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters(request.filter));
    dialog.setDefaultSuffix(defaultSuffix(request.filter));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (!request.proposedName.isEmpty()) {
        dialog.selectFile(request.proposedName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

QString QtPrompter::chooseFolder(const QString& title) {
    return QFileDialog::getExistingDirectory(parent_, title);
}

bool QtPrompter::openDocument(const QString& pathOrUrl) {
    return QDesktopServices::openUrl(documentUrl(pathOrUrl));
}

QStringList QtPrompter::nameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts.at(i).trimmed();
        QString patterns = parts.at(i + 1).trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the last parentheses of the name.
        if (name.endsWith(QLatin1Char(')')) &&
            name.mid(name.lastIndexOf(QLatin1Char('(')) + 1).chopped(1).simplified() ==
                patterns.simplified()) {
            filters << name;
        } else {
            filters << name + QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
    }
    if (filters.isEmpty() && !filter.trimmed().isEmpty()) {
        filters << filter.trimmed();
    }
    return filters;
}

QString QtPrompter::defaultSuffix(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2) {
        return QString();
    }
    const QString first = parts.at(1).split(QLatin1Char(';')).constFirst().trimmed();
    if (!first.startsWith(QStringLiteral("*."))) {
        return QString();
    }
    QString extension = first.mid(2);
    if (extension.contains(QLatin1Char('*')) || extension.contains(QLatin1Char('?'))) {
        return QString();
    }
    return extension;
}

QUrl QtPrompter::documentUrl(const QString& pathOrUrl) {
    QUrl url(pathOrUrl, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1) {
        return url;
    }
    return QUrl::fromLocalFile(pathOrUrl);
}

}  // namespace tw
