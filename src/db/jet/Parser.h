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
Statement Parse(const QString& sql);

class Parser {
  public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}
    Statement ParseStatement();

  private:
    // Statements (ParserStatements.cpp)
    std::unique_ptr<SelectStmt> ParseSelect();
    void ParseSelectItems(SelectStmt& select);
    std::unique_ptr<InsertStmt> ParseInsert();
    std::unique_ptr<UpdateStmt> ParseUpdate();
    std::unique_ptr<DeleteStmt> ParseDelete();
    std::unique_ptr<TransformStmt> ParseTransform();
    std::vector<TableRefPtr> ParseFromList();
    TableRefPtr ParseJoinChain();
    TableRefPtr ParseTableSource();
    IntoTarget ParseIntoTarget();
    void ParseSelectTail(SelectStmt& select);
    void ExpectEndOfStatement();

    // Expressions (ParserExpr.cpp), lowest precedence first.
    ExprPtr ParseExpr();
    ExprPtr ParseAnd();
    ExprPtr ParseNot();
    ExprPtr ParseComparison();
    ExprPtr ParseConcat();
    ExprPtr ParseAdditive();
    ExprPtr ParseMod();
    ExprPtr ParseIntDiv();
    ExprPtr ParseMultiplicative();
    ExprPtr ParseUnary();
    ExprPtr ParsePower();
    ExprPtr ParsePowerOperand();
    ExprPtr ParsePrimary();
    ExprPtr ParseNameOrCall();
    ExprPtr ParseParenthesised();
    ExprPtr ParseInTail(ExprPtr subject, bool negated);
    std::vector<ExprPtr> ParseExprList();

    // Tokens
    const Token& Peek(int ahead = 0) const;
    Token Take();
    bool TakeWord(const char* word);
    bool TakeSymbol(const char* symbol);
    void ExpectWord(const char* word);
    void ExpectSymbol(const char* symbol);
    bool AtReservedWord() const;
    bool AtName() const;  // a bare non-reserved word or a bracketed name
    QString TakeName();   // a bare non-reserved word or a bracketed name, else 3075
    [[noreturn]] void Fail() const;

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
