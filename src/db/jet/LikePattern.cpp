#include "db/jet/LikePattern.h"

namespace tw::jet {

namespace {

QChar fold(QChar c) {
    return c.toCaseFolded();
}

}  // namespace

LikePattern::LikePattern(const QString& pattern) {
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        Element e;
        if (c == u'*') {
            e.kind = Element::Kind::AnyRun;
        } else if (c == u'?') {
            e.kind = Element::Kind::One;
        } else if (c == u'#') {
            e.kind = Element::Kind::Digit;
        } else if (c == u'[' && pattern.indexOf(u']', i + 1) > i) {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            QString list = pattern.mid(i + 1, close - i - 1);
            i = close;
            e.kind = Element::Kind::Set;
            if (list.startsWith(u'!')) {
                e.negated = true;
                list.remove(0, 1);
            }
            for (qsizetype k = 0; k < list.size(); ++k) {
                if (k + 2 < list.size() && list[k + 1] == u'-') {
                    e.ranges.emplace_back(fold(list[k]), fold(list[k + 2]));
                    k += 2;
                } else {
                    e.ranges.emplace_back(fold(list[k]), fold(list[k]));
                }
            }
        } else {
            e.literal = fold(c);
        }
        elements_.push_back(e);
    }
}

bool LikePattern::matchesOne(const Element& e, QChar c) const {
    switch (e.kind) {
        case Element::Kind::One:
            return true;
        case Element::Kind::Digit:
            return c.isDigit();
        case Element::Kind::Set: {
            const QChar f = fold(c);
            bool inside = false;
            for (const auto& [low, high] : e.ranges) {
                inside = inside || (f >= low && f <= high);
            }
            return inside != e.negated;
        }
        case Element::Kind::Literal:
            return fold(c) == e.literal;
        case Element::Kind::AnyRun:
            break;
    }
    return false;
}

// Greedy match with back-tracking to the last * seen.
bool LikePattern::matches(const QString& text) const {
    size_t p = 0;
    qsizetype t = 0;
    size_t starP = std::string::npos;
    qsizetype starT = 0;
    while (t < text.size()) {
        if (p < elements_.size() && elements_[p].kind == Element::Kind::AnyRun) {
            starP = p++;
            starT = t;
        } else if (p < elements_.size() && matchesOne(elements_[p], text[t])) {
            ++p;
            ++t;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < elements_.size() && elements_[p].kind == Element::Kind::AnyRun) {
        ++p;
    }
    return p == elements_.size();
}

}  // namespace tw::jet
