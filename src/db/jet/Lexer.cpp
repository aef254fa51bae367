#include "db/jet/Lexer.h"

#include "db/Variant.h"
#include "db/jet/JetErrors.h"

namespace tw::jet {

namespace {

class Scanner {
  public:
    explicit Scanner(const QString& sql) : sql_(sql) {}

    std::vector<Token> run() {
        std::vector<Token> tokens;
        while (true) {
            skipBlanks();
            if (pos_ >= sql_.size()) {
                tokens.push_back(Token{TokenKind::End, QString(), static_cast<int>(pos_)});
                return tokens;
            }
            tokens.push_back(next());
        }
    }

  private:
    QChar at(qsizetype i) const { return i < sql_.size() ? sql_[i] : QChar(); }

    void skipBlanks() {
        while (pos_ < sql_.size() && sql_[pos_].isSpace()) {
            ++pos_;
        }
    }

    Token make(TokenKind kind, QString text, qsizetype start) const {
        return Token{kind, std::move(text), static_cast<int>(start)};
    }

    Token next() {
        const qsizetype start = pos_;
        const QChar c = sql_[pos_];
        if (c == u'\'' || c == u'"') {
            return quotedText(c);
        }
        if (c == u'[') {
            return bracketed();
        }
        if (c == u'#') {
            return dateLiteral();
        }
        if (c.isDigit() || (c == u'.' && at(pos_ + 1).isDigit())) {
            return number();
        }
        if (c.isLetter() || c == u'_') {
            while (pos_ < sql_.size() && (sql_[pos_].isLetterOrNumber() || sql_[pos_] == u'_')) {
                ++pos_;
            }
            return make(TokenKind::Name, sql_.mid(start, pos_ - start), start);
        }
        return symbol();
    }

    Token quotedText(QChar quote) {
        const qsizetype start = pos_++;
        QString text;
        while (true) {
            if (pos_ >= sql_.size()) {
                raiseSyntax(sql_.mid(start, 20));
            }
            if (sql_[pos_] == quote) {
                if (at(pos_ + 1) == quote) {
                    text += quote;
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return make(TokenKind::Text, text, start);
            }
            text += sql_[pos_++];
        }
    }

    Token bracketed() {
        const qsizetype start = pos_;
        const qsizetype close = sql_.indexOf(u']', pos_ + 1);
        if (close < 0) {
            raiseSyntax(sql_.mid(start, 20));
        }
        pos_ = close + 1;
        return make(TokenKind::BracketName, sql_.mid(start + 1, close - start - 1), start);
    }

    Token dateLiteral() {
        const qsizetype start = pos_;
        const qsizetype close = sql_.indexOf(u'#', pos_ + 1);
        if (close < 0) {
            raiseSyntax(sql_.mid(start, 20));
        }
        const QString inside = sql_.mid(start + 1, close - start - 1).trimmed();
        const QDateTime when = parseDateText(inside);
        if (!when.isValid()) {
            raiseSyntax(sql_.mid(start, close - start + 1));
        }
        pos_ = close + 1;
        return make(TokenKind::Date, toStorageDateText(when), start);
    }

    Token number() {
        const qsizetype start = pos_;
        bool isDouble = false;
        skipDigits();
        if (at(pos_) == u'.') {
            isDouble = true;
            ++pos_;
            skipDigits();
        }
        if ((at(pos_) == u'e' || at(pos_) == u'E') &&
            (at(pos_ + 1).isDigit() ||
             ((at(pos_ + 1) == u'+' || at(pos_ + 1) == u'-') && at(pos_ + 2).isDigit()))) {
            isDouble = true;
            pos_ += 2;
            skipDigits();
        }
        QString text = sql_.mid(start, pos_ - start);
        if (!isDouble && text.size() > 18) {
            isDouble = true;  // too long for a whole number: Jet reads it as a Double
        }
        return make(isDouble ? TokenKind::Double : TokenKind::Integer, text, start);
    }

    void skipDigits() {
        while (pos_ < sql_.size() && sql_[pos_].isDigit()) {
            ++pos_;
        }
    }

    Token symbol() {
        const qsizetype start = pos_;
        const QString two = sql_.mid(pos_, 2);
        if (two == u"<>" || two == u"<=" || two == u">=") {
            pos_ += 2;
            return make(TokenKind::Symbol, two, start);
        }
        static const QString kSingles = QStringLiteral("(),.;*+-/\\^&=<>!");
        if (kSingles.contains(sql_[pos_])) {
            ++pos_;
            return make(TokenKind::Symbol, QString(sql_[start]), start);
        }
        raiseSyntax(sql_.mid(start, 20));
    }

    const QString& sql_;
    qsizetype pos_ = 0;
};

}  // namespace

std::vector<Token> lex(const QString& sql) {
    return Scanner(sql).run();
}

}  // namespace tw::jet
