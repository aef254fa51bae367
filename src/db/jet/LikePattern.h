#pragma once
// Jet's Like: * any run of characters, ? one character, # one digit,
// [list] one character of the list (ranges a-z allowed), [!list] one
// character not in it; % and _ are ordinary characters. Letter case is
// ignored.

#include <QString>
#include <vector>

namespace tw::jet {

class LikePattern {
  public:
    explicit LikePattern(const QString& pattern);
    bool matches(const QString& text) const;

  private:
    struct Element {
        enum class Kind { AnyRun, One, Digit, Set, Literal };
        Kind kind = Kind::Literal;
        QChar literal;
        bool negated = false;
        std::vector<std::pair<QChar, QChar>> ranges;  // for Set
    };
    bool matchesOne(const Element& element, QChar c) const;

    std::vector<Element> elements_;
};

}  // namespace tw::jet
