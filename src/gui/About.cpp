#include "gui/About.h"

#include <QAction>

#include "core/Prompter.h"
#include "core/Session.h"
#include "gui/LinkLabel.h"
#include "gui/MainWindow.h"

namespace tw {

QString aboutText(const QString& programDir) {
    return QStringLiteral("Tallywick        v") + QLatin1String(kVersionText) +
           QStringLiteral("\r\nCopyright (C) ") + QLatin1String(kMakerName) +
           QStringLiteral(". All rights reserved.\r\n") +
           QStringLiteral("Halo 2 statistics tracker - ") + QLatin1String(kMakerUrl) +
           QStringLiteral("\r\nProgram folder: ") + programDir;
}

QString makerLinkCaption() {
    return QLatin1String(kMakerName) + QLatin1Char('\n') + QStringLiteral("tallywick.org");
}

QString makerLinkToolTip() {
    return QStringLiteral("Visit ") + QLatin1String(kMakerName) + QStringLiteral(" at ") +
           QLatin1String(kMakerUrl);
}

void aboutClicked(Session& state) {
    state.prompter->message(aboutText(state.programDir), MsgButtons::Ok, MsgIcon::Information,
                            QLatin1String(kAboutTitle));
}

void openMakerPage(Session& state) {
    state.prompter->openDocument(QLatin1String(kMakerUrl));
}

void connectAbout(Session& state, MainWindow& window) {
    QObject::connect(window.aboutAction, &QAction::triggered, &window,
                     [&state] { aboutClicked(state); });
    QObject::connect(window.supportAction, &QAction::triggered, &window,
                     [&state] { openMakerPage(state); });
    QObject::connect(window.makerLink, &LinkLabel::clicked, &window,
                     [&state] { openMakerPage(state); });
}

}  // namespace tw
