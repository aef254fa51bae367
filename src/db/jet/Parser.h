#pragma once
// Builds the syntax tree of exactly one Jet SQL statement. A trailing ";" is
// allowed; any other text after the statement is error 3142, so text spliced
// into a statement can never start a second one.

#include <QString>

#include "db/jet/Ast.h"
#include "db/jet/Lexer.h"

namespace tw::jet {

// Throws AppError: 3075 syntax, 3129 not a statement Jet knows, 3142 text
// after the end of the statement.
Statement parse(const QString& sql);

class Parser {
  public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}
    Statement parseStatement();

  private:
    // Statements (ParserStatements.cpp)
    std::unique_ptr<SelectStmt> parseSelect();
    void parseSelectItems(SelectStmt& select);
    std::unique_ptr<InsertStmt> parseInsert();
    std::unique_ptr<UpdateStmt> parseUpdate();
    std::unique_ptr<DeleteStmt> parseDelete();
    std::unique_ptr<TransformStmt> parseTransform();
    std::vector<TableRefPtr> parseFromList();
    TableRefPtr parseJoinChain();
    TableRefPtr parseTableSource();
    IntoTarget parseIntoTarget();
    void parseSelectTail(SelectStmt& select);
    void expectEndOfStatement();

    // Expressions (ParserExpr.cpp), lowest precedence first.
    ExprPtr parseExpr();
    ExprPtr parseAnd();
    ExprPtr parseNot();
    ExprPtr parseComparison();
    ExprPtr parseConcat();
    ExprPtr parseAdditive();
    ExprPtr parseMod();
    ExprPtr parseIntDiv();
    ExprPtr parseMultiplicative();
    ExprPtr parseUnary();
    ExprPtr parsePower();
    ExprPtr parsePowerOperand();
    ExprPtr parsePrimary();
    ExprPtr parseNameOrCall();
    ExprPtr parseParenthesised();
    ExprPtr parseInTail(ExprPtr subject, bool negated);
    std::vector<ExprPtr> parseExprList();

    // Tokens
    const Token& peek(int ahead = 0) const;
    Token take();
    bool takeWord(const char* word);
    bool takeSymbol(const char* symbol);
    void expectWord(const char* word);
    void expectSymbol(const char* symbol);
    bool atReservedWord() const;
    bool atName() const;  // a bare non-reserved word or a bracketed name
    QString takeName();   // a bare non-reserved word or a bracketed name, else 3075
    [[noreturn]] void fail() const;

    // Bounds the recursion of nested parentheses, signs and sub-selects, so
    // no text can exhaust the stack (error 3360, as Jet's "too complex").
    class Nesting {
      public:
        explicit Nesting(int& depth);
        ~Nesting() { --depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

      private:
        int& depth_;
    };

    std::vector<Token> tokens_;
    size_t pos_ = 0;
    int depth_ = 0;
};

}  // namespace tw::jet
