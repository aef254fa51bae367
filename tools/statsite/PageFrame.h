// The frame every page of the site shares: document head with the style sheet
// link, the masthead, and the closing tags. The frame carries none of the
// markers the program searches for, so it cannot disturb a scraper.
#pragma once

#include <QByteArray>
#include <QString>

namespace tw::statsite::pageframe {

QByteArray head(const QByteArray& title);
// The head's declaration of the pages' code page, for the small pages without the frame.
QByteArray charsetMeta();
QByteArray foot();
// Text that came from a request, made safe to show in a page.
QByteArray escaped(const QString& text);
// The style sheet the frame links to.
QByteArray styleSheet();

}  // namespace tw::statsite::pageframe
