#include "db/jet/Lexer.h"

#include "db/Variant.h"
#include "db/jet/JetErrors.h"

namespace tw::jet {

namespace {

class Scanner {
  public:
    explicit Scanner(const QString& sql) : sql_(sql) {}

    std::vector<Token> Run() {
        std::vector<Token> tokens;
        while (true) {
            SkipBlanks();
            if (pos_ >= sql_.size()) {
                tokens.push_back(Token{TokenKind::End, QString(), static_cast<int>(pos_)});
                return tokens;
            }
            tokens.push_back(Next());
        }
    }

  private:
    QChar At(qsizetype i) const { return i < sql_.size() ? sql_[i] : QChar(); }

    void SkipBlanks() {
        while (pos_ < sql_.size() && sql_[pos_].isSpace()) {
            ++pos_;
        }
    }

    Token Make(TokenKind kind, QString text, qsizetype start) const {
        return Token{kind, std::move(text), static_cast<int>(start)};
    }

    Token Next() {
        const qsizetype start = pos_;
        const QChar c = sql_[pos_];
        if (c == u'\'' || c == u'"') {
            return QuotedText(c);
        }
        if (c == u'[') {
            return Bracketed();
        }
        if (c == u'#') {
            return DateLiteral();
        }
        if (c.isDigit() || (c == u'.' && At(pos_ + 1).isDigit())) {
            return Number();
        }
        if (c.isLetter() || c == u'_') {
            while (pos_ < sql_.size() && (sql_[pos_].isLetterOrNumber() || sql_[pos_] == u'_')) {
                ++pos_;
            }
            return Make(TokenKind::Name, sql_.mid(start, pos_ - start), start);
        }
        return Symbol();
    }

    Token QuotedText(QChar quote) {
        const qsizetype start = pos_++;
        QString text;
        while (true) {
            if (pos_ >= sql_.size()) {
                RaiseSyntax(sql_.mid(start, 20));
            }
            if (sql_[pos_] == quote) {
                if (At(pos_ + 1) == quote) {
                    text += quote;
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return Make(TokenKind::Text, text, start);
            }
            text += sql_[pos_++];
        }
    }

    Token Bracketed() {
        const qsizetype start = pos_;
        const qsizetype close = sql_.indexOf(u']', pos_ + 1);
        if (close < 0) {
            RaiseSyntax(sql_.mid(start, 20));
        }
        pos_ = close + 1;
        return Make(TokenKind::BracketName, sql_.mid(start + 1, close - start - 1), start);
    }

    Token DateLiteral() {
        const qsizetype start = pos_;
        const qsizetype close = sql_.indexOf(u'#', pos_ + 1);
        if (close < 0) {
            RaiseSyntax(sql_.mid(start, 20));
        }
        const QString inside = sql_.mid(start + 1, close - start - 1).trimmed();
        const QDateTime when = ParseDateText(inside);
        if (!when.isValid()) {
            RaiseSyntax(sql_.mid(start, close - start + 1));
        }
        pos_ = close + 1;
        return Make(TokenKind::Date, ToStorageDateText(when), start);
    }

    Token Number() {
        const qsizetype start = pos_;
        bool isDouble = false;
        SkipDigits();
        if (At(pos_) == u'.') {
            isDouble = true;
            ++pos_;
            SkipDigits();
        }
        if ((At(pos_) == u'e' || At(pos_) == u'E') &&
            (At(pos_ + 1).isDigit() ||
             ((At(pos_ + 1) == u'+' || At(pos_ + 1) == u'-') && At(pos_ + 2).isDigit()))) {
            isDouble = true;
            pos_ += 2;
            SkipDigits();
        }
        QString text = sql_.mid(start, pos_ - start);
        if (!isDouble && text.size() > 18) {
            isDouble = true;  // too long for a whole number: Jet reads it as a Double
        }
        return Make(isDouble ? TokenKind::Double : TokenKind::Integer, text, start);
    }

    void SkipDigits() {
        while (pos_ < sql_.size() && sql_[pos_].isDigit()) {
            ++pos_;
        }
    }

    Token Symbol() {
        const qsizetype start = pos_;
        const QString two = sql_.mid(pos_, 2);
        if (two == u"<>" || two == u"<=" || two == u">=") {
            pos_ += 2;
            return Make(TokenKind::Symbol, two, start);
        }
        static const QString kSingles = QStringLiteral("(),.;*+-/\\^&=<>!");
        if (kSingles.contains(sql_[pos_])) {
            ++pos_;
            return Make(TokenKind::Symbol, QString(sql_[start]), start);
        }
        RaiseSyntax(sql_.mid(start, 20));
    }

    const QString& sql_;
    qsizetype pos_ = 0;
};

}  // namespace

std::vector<Token> Lex(const QString& sql) {
    return Scanner(sql).Run();
}

}  // namespace tw::jet
