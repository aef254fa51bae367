#pragma once
// Splits Jet SQL text into tokens: names, [bracketed names], '..' and ".."
// texts, numbers, #date# literals and operator symbols.

#include <QString>
#include <vector>

namespace tw::jet {

enum class TokenKind {
    End,
    Name,         // a bare word: keyword or name
    BracketName,  // [anything but ]]
    Text,         // '..' or "..", quotes removed, doubled quotes undone
    Integer,
    Double,
    Date,    // #m/d/yyyy [time]#, text holds the storage form
    Symbol,  // ( ) , . ; * + - / \ ^ & = <> < > <= >= !
};

struct Token {
    TokenKind kind = TokenKind::End;
    QString text;
    int position = 0;  // 0-based offset in the statement

    // Case-insensitive test for a bare word.
    bool isWord(const char* word) const {
        // The length first: the parser tries a bare word against every
        // reserved word.
        const QLatin1String latin(word);
        return kind == TokenKind::Name && text.size() == latin.size() &&
               text.compare(latin, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(const char* symbol) const {
        return kind == TokenKind::Symbol && text == QLatin1String(symbol);
    }
};

// Throws AppError 3075 for text that cannot be split (an unclosed quote,
// bracket or date literal, a character Jet does not know).
std::vector<Token> lex(const QString& sql);

}  // namespace tw::jet
