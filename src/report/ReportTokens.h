#pragma once
// The page being filled. The template is bytes and passes through untouched
// outside its tokens. A token is "?NAME?" (letters, digits, "_"), matched
// without regard to letter case. Sections give each token its text; the page
// is put together in one pass over the template, so a value is never searched
// for tokens itself and a name or quote can neither fill nor break the rest.

#include <QByteArray>
#include <QHash>
#include <QString>

namespace tw {

// Text as HTML character data or attribute value: & < > " ' as references.
QString htmlEscaped(const QString& text);

class ReportPage {
  public:
    explicit ReportPage(QByteArray templateText) : template_(std::move(templateText)) {}

    // Gives `token` ("?NAME?") a plain text, escaped for HTML. A token keeps
    // the first value it gets, so a later fallback changes only tokens still
    // open.
    void fill(const char* token, const QString& text);
    // The same with a fragment of HTML this program builds, put in unchanged.
    void fillHtml(const char* token, const QString& html);
    bool isFilled(const char* token) const;

    // The template with every token that has a value replaced; tokens
    // without one stay as written.
    QByteArray render() const;

  private:
    QByteArray template_;
    QHash<QByteArray, QByteArray> values_;  // "?NAME?" in upper case
};

}  // namespace tw
