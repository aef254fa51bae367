// Expressions, by VB's precedence: ^ above unary minus above * / above
// integer division above Mod above + - above & above comparisons and Like above Not above And
// above Or; the same level binds left to right (2^3^2 = 64, -2^2 = -4).

#include <array>

#include "db/jet/JetErrors.h"
#include "db/jet/Parser.h"

namespace tw::jet {

namespace {

ExprPtr MakeNode(ExprKind kind, QString text = QString()) {
    auto node = std::make_unique<Expr>();
    node->kind = kind;
    node->text = std::move(text);
    return node;
}

// Height of an operator chain; a + b + c + ... builds a left-deep tree that
// the translator walks recursively.
int HeightOf(const Expr& e) {
    return e.kind == ExprKind::Binary ? e.height : 1;
}

ExprPtr MakeBinary(const QString& op, ExprPtr lhs, ExprPtr rhs) {
    auto node = MakeNode(ExprKind::Binary, op);
    node->height = std::max(HeightOf(*lhs), HeightOf(*rhs)) + 1;
    if (node->height > kMaxChainHeight) {
        RaiseTooComplex();
    }
    node->args.push_back(std::move(lhs));
    node->args.push_back(std::move(rhs));
    return node;
}

ExprPtr MakeUnary(const QString& op, ExprPtr operand) {
    auto node = MakeNode(ExprKind::Unary, op);
    node->args.push_back(std::move(operand));
    return node;
}

constexpr std::array kReserved = {
    "SELECT", "FROM",      "WHERE",    "GROUP",       "BY",    "HAVING", "ORDER",   "AS",
    "AND",    "OR",        "NOT",      "IN",          "IS",    "LIKE",   "BETWEEN", "ON",
    "JOIN",   "INNER",     "LEFT",     "RIGHT",       "OUTER", "UNION",  "INTO",    "VALUES",
    "SET",    "PIVOT",     "DISTINCT", "DISTINCTROW", "TOP",   "ASC",    "DESC",    "MOD",
    "EXISTS", "TRANSFORM", "XOR",      "EQV",         "IMP"};

}  // namespace

// ---- tokens ----

Parser::Nesting::Nesting(int& depth) : depth_(depth) {
    if (++depth_ > kMaxNesting) {
        --depth_;
        RaiseTooComplex();
    }
}

const Token& Parser::Peek(int ahead) const {
    const size_t i = std::min(pos_ + static_cast<size_t>(ahead), tokens_.size() - 1);
    return tokens_[i];
}

Token Parser::Take() {
    Token t = Peek();
    if (pos_ + 1 < tokens_.size()) {
        ++pos_;
    }
    return t;
}

bool Parser::TakeWord(const char* word) {
    if (Peek().isWord(word)) {
        Take();
        return true;
    }
    return false;
}

bool Parser::TakeSymbol(const char* symbol) {
    if (Peek().isSymbol(symbol)) {
        Take();
        return true;
    }
    return false;
}

void Parser::ExpectWord(const char* word) {
    if (!TakeWord(word)) {
        Fail();
    }
}

void Parser::ExpectSymbol(const char* symbol) {
    if (!TakeSymbol(symbol)) {
        Fail();
    }
}

bool Parser::AtReservedWord() const {
    if (Peek().kind != TokenKind::Name) {
        return false;
    }
    for (const char* word : kReserved) {
        if (Peek().isWord(word)) {
            return true;
        }
    }
    return false;
}

bool Parser::AtName() const {
    return Peek().kind == TokenKind::BracketName ||
           (Peek().kind == TokenKind::Name && !AtReservedWord());
}

QString Parser::TakeName() {
    if (!AtName()) {
        Fail();
    }
    return Take().text;
}

void Parser::Fail() const {
    const Token& t = Peek();
    if (t.kind == TokenKind::End) {
        RaiseSyntax(QStringLiteral("end of statement"));
    }
    RaiseSyntax(t.text);
}

// ---- expressions ----

ExprPtr Parser::ParseExpr() {
    Nesting nesting(depth_);
    ExprPtr lhs = ParseAnd();
    while (TakeWord("OR")) {
        lhs = MakeBinary(QStringLiteral("OR"), std::move(lhs), ParseAnd());
    }
    return lhs;
}

ExprPtr Parser::ParseAnd() {
    ExprPtr lhs = ParseNot();
    while (TakeWord("AND")) {
        lhs = MakeBinary(QStringLiteral("AND"), std::move(lhs), ParseNot());
    }
    return lhs;
}

ExprPtr Parser::ParseNot() {
    Nesting nesting(depth_);
    if (TakeWord("NOT")) {
        return MakeUnary(QStringLiteral("NOT"), ParseNot());
    }
    return ParseComparison();
}

ExprPtr Parser::ParseComparison() {
    ExprPtr lhs = ParseConcat();
    while (true) {
        const Token& t = Peek();
        if (t.kind == TokenKind::Symbol && (t.text == u"=" || t.text == u"<>" || t.text == u"<" ||
                                            t.text == u">" || t.text == u"<=" || t.text == u">=")) {
            const QString op = Take().text;
            lhs = MakeBinary(op, std::move(lhs), ParseConcat());
            continue;
        }
        bool negated = false;
        if (t.isWord("NOT") &&
            (Peek(1).isWord("LIKE") || Peek(1).isWord("IN") || Peek(1).isWord("BETWEEN"))) {
            Take();
            negated = true;
        }
        if (TakeWord("LIKE")) {
            auto node = MakeNode(ExprKind::Like);
            node->negated = negated;
            node->args.push_back(std::move(lhs));
            node->args.push_back(ParseConcat());
            lhs = std::move(node);
        } else if (TakeWord("IN")) {
            lhs = ParseInTail(std::move(lhs), negated);
        } else if (TakeWord("BETWEEN")) {
            auto node = MakeNode(ExprKind::Between);
            node->negated = negated;
            node->args.push_back(std::move(lhs));
            node->args.push_back(ParseConcat());
            ExpectWord("AND");
            node->args.push_back(ParseConcat());
            lhs = std::move(node);
        } else if (TakeWord("IS")) {
            auto node = MakeNode(ExprKind::IsNull);
            node->negated = TakeWord("NOT");
            ExpectWord("NULL");
            node->args.push_back(std::move(lhs));
            lhs = std::move(node);
        } else {
            return lhs;
        }
    }
}

ExprPtr Parser::ParseInTail(ExprPtr subject, bool negated) {
    auto node = MakeNode(ExprKind::In);
    node->negated = negated;
    node->args.push_back(std::move(subject));
    ExpectSymbol("(");
    if (Peek().isWord("SELECT")) {
        node->select = ParseSelect();
    } else {
        for (auto& item : ParseExprList()) {
            node->args.push_back(std::move(item));
        }
    }
    ExpectSymbol(")");
    return node;
}

std::vector<ExprPtr> Parser::ParseExprList() {
    std::vector<ExprPtr> list;
    list.push_back(ParseExpr());
    while (TakeSymbol(",")) {
        list.push_back(ParseExpr());
    }
    return list;
}

ExprPtr Parser::ParseConcat() {
    ExprPtr lhs = ParseAdditive();
    while (TakeSymbol("&")) {
        lhs = MakeBinary(QStringLiteral("&"), std::move(lhs), ParseAdditive());
    }
    return lhs;
}

ExprPtr Parser::ParseAdditive() {
    ExprPtr lhs = ParseMod();
    while (Peek().isSymbol("+") || Peek().isSymbol("-")) {
        const QString op = Take().text;
        lhs = MakeBinary(op, std::move(lhs), ParseMod());
    }
    return lhs;
}

ExprPtr Parser::ParseMod() {
    ExprPtr lhs = ParseIntDiv();
    while (TakeWord("MOD")) {
        lhs = MakeBinary(QStringLiteral("MOD"), std::move(lhs), ParseIntDiv());
    }
    return lhs;
}

ExprPtr Parser::ParseIntDiv() {
    ExprPtr lhs = ParseMultiplicative();
    while (TakeSymbol("\\")) {
        lhs = MakeBinary(QStringLiteral("\\"), std::move(lhs), ParseMultiplicative());
    }
    return lhs;
}

ExprPtr Parser::ParseMultiplicative() {
    ExprPtr lhs = ParseUnary();
    while (Peek().isSymbol("*") || Peek().isSymbol("/")) {
        const QString op = Take().text;
        lhs = MakeBinary(op, std::move(lhs), ParseUnary());
    }
    return lhs;
}

ExprPtr Parser::ParseUnary() {
    Nesting nesting(depth_);
    if (Peek().isSymbol("-") || Peek().isSymbol("+")) {
        const QString op = Take().text;
        return MakeUnary(op, ParseUnary());
    }
    return ParsePower();
}

ExprPtr Parser::ParsePower() {
    ExprPtr lhs = ParsePrimary();
    while (TakeSymbol("^")) {
        lhs = MakeBinary(QStringLiteral("^"), std::move(lhs), ParsePowerOperand());
    }
    return lhs;
}

// The exponent may carry its own sign: 2^-1.
ExprPtr Parser::ParsePowerOperand() {
    Nesting nesting(depth_);
    if (Peek().isSymbol("-") || Peek().isSymbol("+")) {
        const QString op = Take().text;
        return MakeUnary(op, ParsePowerOperand());
    }
    return ParsePrimary();
}

ExprPtr Parser::ParsePrimary() {
    const Token& t = Peek();
    switch (t.kind) {
        case TokenKind::Integer:
            return MakeNode(ExprKind::Integer, Take().text);
        case TokenKind::Double:
            return MakeNode(ExprKind::Double, Take().text);
        case TokenKind::Text:
            return MakeNode(ExprKind::Text, Take().text);
        case TokenKind::Date:
            return MakeNode(ExprKind::Date, Take().text);
        case TokenKind::BracketName:
            return ParseNameOrCall();
        case TokenKind::Symbol:
            if (t.isSymbol("(")) {
                return ParseParenthesised();
            }
            Fail();
        case TokenKind::Name:
            if (TakeWord("NULL")) {
                return MakeNode(ExprKind::Null);
            }
            if (TakeWord("TRUE")) {
                return MakeNode(ExprKind::Boolean, QStringLiteral("-1"));
            }
            if (TakeWord("FALSE")) {
                return MakeNode(ExprKind::Boolean, QStringLiteral("0"));
            }
            if (TakeWord("EXISTS")) {
                auto node = MakeNode(ExprKind::Exists);
                ExpectSymbol("(");
                node->select = ParseSelect();
                ExpectSymbol(")");
                return node;
            }
            return ParseNameOrCall();
        case TokenKind::End:
            break;
    }
    Fail();
}

ExprPtr Parser::ParseParenthesised() {
    ExpectSymbol("(");
    if (Peek().isWord("SELECT")) {
        auto node = MakeNode(ExprKind::Subquery);
        node->select = ParseSelect();
        ExpectSymbol(")");
        return node;
    }
    ExprPtr inner = ParseExpr();
    ExpectSymbol(")");
    return inner;
}

ExprPtr Parser::ParseNameOrCall() {
    // A bare word before "(" is a function, even Left and Right.
    if (Peek().kind == TokenKind::Name && Peek(1).isSymbol("(")) {
        auto call = MakeNode(ExprKind::Call, Take().text);
        Take();
        if (TakeSymbol("*")) {
            call->star = true;
        } else if (!Peek().isSymbol(")")) {
            call->args = ParseExprList();
        }
        ExpectSymbol(")");
        return call;
    }
    const bool bracketed = Peek().kind == TokenKind::BracketName;
    const QString first = TakeName();
    std::vector<QString> parts{first};
    bool lastBracketed = bracketed;
    while (Peek().isSymbol(".") || Peek().isSymbol("!")) {
        Take();
        if (TakeSymbol("*")) {
            auto star = MakeNode(ExprKind::Star);
            star->qualifier = parts.back();
            return star;
        }
        lastBracketed = Peek().kind == TokenKind::BracketName;
        parts.push_back(TakeName());
    }
    auto column = MakeNode(ExprKind::Column, parts.back());
    column->bracketed = lastBracketed;
    if (parts.size() >= 2) {
        column->qualifier = parts[parts.size() - 2];
    }
    return column;
}

}  // namespace tw::jet
