// Expressions, by VB's precedence: ^ above unary minus above * / above
// integer division above Mod above + - above & above comparisons and Like above Not above And
// above Or; the same level binds left to right (2^3^2 = 64, -2^2 = -4).

#include <array>

#include "db/jet/JetErrors.h"
#include "db/jet/Parser.h"

namespace tw::jet {

namespace {

ExprPtr makeNode(ExprKind kind, QString text = QString()) {
    auto node = std::make_unique<Expr>();
    node->kind = kind;
    node->text = std::move(text);
    return node;
}

// Height of an operator chain; a + b + c + ... builds a left-deep tree that
// the translator walks recursively.
int heightOf(const Expr& e) {
    return e.kind == ExprKind::Binary ? e.height : 1;
}

ExprPtr makeBinary(const QString& op, ExprPtr lhs, ExprPtr rhs) {
    auto node = makeNode(ExprKind::Binary, op);
    node->height = std::max(heightOf(*lhs), heightOf(*rhs)) + 1;
    if (node->height > kMaxChainHeight) {
        raiseTooComplex();
    }
    node->args.push_back(std::move(lhs));
    node->args.push_back(std::move(rhs));
    return node;
}

ExprPtr makeUnary(const QString& op, ExprPtr operand) {
    auto node = makeNode(ExprKind::Unary, op);
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
        raiseTooComplex();
    }
}

const Token& Parser::peek(int ahead) const {
    const size_t i = std::min(pos_ + static_cast<size_t>(ahead), tokens_.size() - 1);
    return tokens_[i];
}

Token Parser::take() {
    Token t = peek();
    if (pos_ + 1 < tokens_.size()) {
        ++pos_;
    }
    return t;
}

bool Parser::takeWord(const char* word) {
    if (peek().isWord(word)) {
        take();
        return true;
    }
    return false;
}

bool Parser::takeSymbol(const char* symbol) {
    if (peek().isSymbol(symbol)) {
        take();
        return true;
    }
    return false;
}

void Parser::expectWord(const char* word) {
    if (!takeWord(word)) {
        fail();
    }
}

void Parser::expectSymbol(const char* symbol) {
    if (!takeSymbol(symbol)) {
        fail();
    }
}

bool Parser::atReservedWord() const {
    if (peek().kind != TokenKind::Name) {
        return false;
    }
    for (const char* word : kReserved) {
        if (peek().isWord(word)) {
            return true;
        }
    }
    return false;
}

bool Parser::atName() const {
    return peek().kind == TokenKind::BracketName ||
           (peek().kind == TokenKind::Name && !atReservedWord());
}

QString Parser::takeName() {
    if (!atName()) {
        fail();
    }
    return take().text;
}

void Parser::fail() const {
    const Token& t = peek();
    if (t.kind == TokenKind::End) {
        raiseSyntax(QStringLiteral("end of statement"));
    }
    raiseSyntax(t.text);
}

// ---- expressions ----

ExprPtr Parser::parseExpr() {
    Nesting nesting(depth_);
    ExprPtr lhs = parseAnd();
    while (takeWord("OR")) {
        lhs = makeBinary(QStringLiteral("OR"), std::move(lhs), parseAnd());
    }
    return lhs;
}

ExprPtr Parser::parseAnd() {
    ExprPtr lhs = parseNot();
    while (takeWord("AND")) {
        lhs = makeBinary(QStringLiteral("AND"), std::move(lhs), parseNot());
    }
    return lhs;
}

ExprPtr Parser::parseNot() {
    Nesting nesting(depth_);
    if (takeWord("NOT")) {
        return makeUnary(QStringLiteral("NOT"), parseNot());
    }
    return parseComparison();
}

ExprPtr Parser::parseComparison() {
    ExprPtr lhs = parseConcat();
    while (true) {
        const Token& t = peek();
        if (t.kind == TokenKind::Symbol && (t.text == u"=" || t.text == u"<>" || t.text == u"<" ||
                                            t.text == u">" || t.text == u"<=" || t.text == u">=")) {
            const QString op = take().text;
            lhs = makeBinary(op, std::move(lhs), parseConcat());
            continue;
        }
        bool negated = false;
        if (t.isWord("NOT") &&
            (peek(1).isWord("LIKE") || peek(1).isWord("IN") || peek(1).isWord("BETWEEN"))) {
            take();
            negated = true;
        }
        if (takeWord("LIKE")) {
            auto node = makeNode(ExprKind::Like);
            node->negated = negated;
            node->args.push_back(std::move(lhs));
            node->args.push_back(parseConcat());
            lhs = std::move(node);
        } else if (takeWord("IN")) {
            lhs = parseInTail(std::move(lhs), negated);
        } else if (takeWord("BETWEEN")) {
            auto node = makeNode(ExprKind::Between);
            node->negated = negated;
            node->args.push_back(std::move(lhs));
            node->args.push_back(parseConcat());
            expectWord("AND");
            node->args.push_back(parseConcat());
            lhs = std::move(node);
        } else if (takeWord("IS")) {
            auto node = makeNode(ExprKind::IsNull);
            node->negated = takeWord("NOT");
            expectWord("NULL");
            node->args.push_back(std::move(lhs));
            lhs = std::move(node);
        } else {
            return lhs;
        }
    }
}

ExprPtr Parser::parseInTail(ExprPtr subject, bool negated) {
    auto node = makeNode(ExprKind::In);
    node->negated = negated;
    node->args.push_back(std::move(subject));
    expectSymbol("(");
    if (peek().isWord("SELECT")) {
        node->select = parseSelect();
    } else {
        for (auto& item : parseExprList()) {
            node->args.push_back(std::move(item));
        }
    }
    expectSymbol(")");
    return node;
}

std::vector<ExprPtr> Parser::parseExprList() {
    std::vector<ExprPtr> list;
    list.push_back(parseExpr());
    while (takeSymbol(",")) {
        list.push_back(parseExpr());
    }
    return list;
}

ExprPtr Parser::parseConcat() {
    ExprPtr lhs = parseAdditive();
    while (takeSymbol("&")) {
        lhs = makeBinary(QStringLiteral("&"), std::move(lhs), parseAdditive());
    }
    return lhs;
}

ExprPtr Parser::parseAdditive() {
    ExprPtr lhs = parseMod();
    while (peek().isSymbol("+") || peek().isSymbol("-")) {
        const QString op = take().text;
        lhs = makeBinary(op, std::move(lhs), parseMod());
    }
    return lhs;
}

ExprPtr Parser::parseMod() {
    ExprPtr lhs = parseIntDiv();
    while (takeWord("MOD")) {
        lhs = makeBinary(QStringLiteral("MOD"), std::move(lhs), parseIntDiv());
    }
    return lhs;
}

ExprPtr Parser::parseIntDiv() {
    ExprPtr lhs = parseMultiplicative();
    while (takeSymbol("\\")) {
        lhs = makeBinary(QStringLiteral("\\"), std::move(lhs), parseMultiplicative());
    }
    return lhs;
}

ExprPtr Parser::parseMultiplicative() {
    ExprPtr lhs = parseUnary();
    while (peek().isSymbol("*") || peek().isSymbol("/")) {
        const QString op = take().text;
        lhs = makeBinary(op, std::move(lhs), parseUnary());
    }
    return lhs;
}

ExprPtr Parser::parseUnary() {
    Nesting nesting(depth_);
    if (peek().isSymbol("-") || peek().isSymbol("+")) {
        const QString op = take().text;
        return makeUnary(op, parseUnary());
    }
    return parsePower();
}

ExprPtr Parser::parsePower() {
    ExprPtr lhs = parsePrimary();
    while (takeSymbol("^")) {
        lhs = makeBinary(QStringLiteral("^"), std::move(lhs), parsePowerOperand());
    }
    return lhs;
}

// The exponent may carry its own sign: 2^-1.
ExprPtr Parser::parsePowerOperand() {
    Nesting nesting(depth_);
    if (peek().isSymbol("-") || peek().isSymbol("+")) {
        const QString op = take().text;
        return makeUnary(op, parsePowerOperand());
    }
    return parsePrimary();
}

ExprPtr Parser::parsePrimary() {
    const Token& t = peek();
    switch (t.kind) {
        case TokenKind::Integer:
            return makeNode(ExprKind::Integer, take().text);
        case TokenKind::Double:
            return makeNode(ExprKind::Double, take().text);
        case TokenKind::Text:
            return makeNode(ExprKind::Text, take().text);
        case TokenKind::Date:
            return makeNode(ExprKind::Date, take().text);
        case TokenKind::BracketName:
            return parseNameOrCall();
        case TokenKind::Symbol:
            if (t.isSymbol("(")) {
                return parseParenthesised();
            }
            fail();
        case TokenKind::Name:
            if (takeWord("NULL")) {
                return makeNode(ExprKind::Null);
            }
            if (takeWord("TRUE")) {
                return makeNode(ExprKind::Boolean, QStringLiteral("-1"));
            }
            if (takeWord("FALSE")) {
                return makeNode(ExprKind::Boolean, QStringLiteral("0"));
            }
            if (takeWord("EXISTS")) {
                auto node = makeNode(ExprKind::Exists);
                expectSymbol("(");
                node->select = parseSelect();
                expectSymbol(")");
                return node;
            }
            return parseNameOrCall();
        case TokenKind::End:
            break;
    }
    fail();
}

ExprPtr Parser::parseParenthesised() {
    expectSymbol("(");
    if (peek().isWord("SELECT")) {
        auto node = makeNode(ExprKind::Subquery);
        node->select = parseSelect();
        expectSymbol(")");
        return node;
    }
    ExprPtr inner = parseExpr();
    expectSymbol(")");
    return inner;
}

ExprPtr Parser::parseNameOrCall() {
    // A bare word before "(" is a function, even Left and Right.
    if (peek().kind == TokenKind::Name && peek(1).isSymbol("(")) {
        auto call = makeNode(ExprKind::Call, take().text);
        take();
        if (takeSymbol("*")) {
            call->star = true;
        } else if (!peek().isSymbol(")")) {
            call->args = parseExprList();
        }
        expectSymbol(")");
        return call;
    }
    const bool bracketed = peek().kind == TokenKind::BracketName;
    const QString first = takeName();
    std::vector<QString> parts{first};
    bool lastBracketed = bracketed;
    while (peek().isSymbol(".") || peek().isSymbol("!")) {
        take();
        if (takeSymbol("*")) {
            auto star = makeNode(ExprKind::Star);
            star->qualifier = parts.back();
            return star;
        }
        lastBracketed = peek().kind == TokenKind::BracketName;
        parts.push_back(takeName());
    }
    auto column = makeNode(ExprKind::Column, parts.back());
    column->bracketed = lastBracketed;
    if (parts.size() >= 2) {
        column->qualifier = parts[parts.size() - 2];
    }
    return column;
}

}  // namespace tw::jet
