#include "statsite/PageFrame.h"

#include "statsite/PageText.h"

namespace tw::statsite::pageframe {

QByteArray head(const QByteArray& title) {
    return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
           "<html>\r\n<head>\r\n<title>Game Statistics - " +
           title + "</title>\r\n" + charsetMeta() +
           "<link rel=\"stylesheet\" type=\"text/css\" href=\"/stats/site.css\">\r\n"
           "</head>\r\n<body>\r\n"
           "<div class=\"Masthead\"><a href=\"/\">Game Statistics</a></div>\r\n"
           "<div class=\"Page\">\r\n";
}

QByteArray charsetMeta() {
    return "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n";
}

QByteArray foot() {
    return "</div>\r\n<div class=\"Footer\">Statistics are updated after every game.</div>\r\n"
           "</body>\r\n</html>\r\n";
}

QByteArray escaped(const QString& text) {
    return pagetext::cp1252(text.toHtmlEscaped());
}

QByteArray styleSheet() {
    return "body { font-family: Verdana, Arial, sans-serif; font-size: 12px; background: #1d232b;"
           " color: #dfe6ee; margin: 0; }\n"
           ".Masthead { background: #0b3c5d; padding: 8px 16px; font-size: 18px; }\n"
           ".Masthead a { color: #ffffff; text-decoration: none; }\n"
           ".Page { padding: 12px 16px; }\n"
           ".Footer { padding: 8px 16px; color: #7d8a99; font-size: 10px; }\n"
           "a { color: #8fc3ff; }\n"
           "table { border-collapse: collapse; }\n"
           "td, th { border: 1px solid #34404d; padding: 3px 6px; }\n"
           "th { background: #2a3440; text-align: left; }\n";
}

}  // namespace tw::statsite::pageframe
