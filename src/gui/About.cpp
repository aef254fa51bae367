#include "gui/About.h"

#include "core/Prompter.h"
#include "core/Session.h"

namespace tw {

QString AboutText() {
    return QStringLiteral("Tallywick        v") + QLatin1String(kVersionText) +
           QStringLiteral("\r\nCopyright (C) ") + QLatin1String(kMakerName) +
           QStringLiteral(". All rights reserved.\r\n") +
           QStringLiteral("Halo 2 statistics tracker - ") + QLatin1String(kMakerUrl);
}

QString MakerLinkCaption() {
    return QLatin1String(kMakerName) + QLatin1Char('\n') + QStringLiteral("tallywick.org");
}

QString MakerLinkToolTip() {
    return QStringLiteral("Visit ") + QLatin1String(kMakerName) + QStringLiteral(" at ") +
           QLatin1String(kMakerUrl);
}

void aboutClicked(Session& state) {
    state.prompter->Message(AboutText(), MsgButtons::Ok, MsgIcon::Information,
                           QLatin1String(kAboutTitle));
}

void OpenMakerPage(Session& state) {
    state.prompter->OpenDocument(QLatin1String(kMakerUrl));
}

}  // namespace tw
