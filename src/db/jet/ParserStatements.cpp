// Statements: SELECT (with INTO an outside file), INSERT, UPDATE, DELETE and
// TRANSFORM, and the FROM clause with Jet's nested, parenthesised joins.

#include "db/jet/JetErrors.h"
#include "db/jet/Parser.h"

namespace tw::jet {

Statement parse(const QString& sql) {
    return Parser(lex(sql)).parseStatement();
}

Statement Parser::parseStatement() {
    Statement statement;
    if (peek().isWord("SELECT")) {
        statement.kind = Statement::Kind::Select;
        statement.select = parseSelect();
        while (takeWord("UNION")) {
            UnionPart part;
            part.all = takeWord("ALL");
            part.select = parseSelect();
            statement.unions.push_back(std::move(part));
        }
    } else if (peek().isWord("INSERT")) {
        statement.kind = Statement::Kind::Insert;
        statement.insert = parseInsert();
    } else if (peek().isWord("UPDATE")) {
        statement.kind = Statement::Kind::Update;
        statement.update = parseUpdate();
    } else if (peek().isWord("DELETE")) {
        statement.kind = Statement::Kind::Delete;
        statement.del = parseDelete();
    } else if (peek().isWord("TRANSFORM")) {
        statement.kind = Statement::Kind::Transform;
        statement.transform = parseTransform();
    } else {
        raise(kInvalidStatement,
              QStringLiteral("Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', "
                             "'SELECT', or 'UPDATE'."));
    }
    expectEndOfStatement();
    return statement;
}

void Parser::expectEndOfStatement() {
    takeSymbol(";");
    if (peek().kind != TokenKind::End) {
        raise(err::kMoreThanOneStatement,
              QStringLiteral("Characters found after end of SQL statement."));
    }
}

std::unique_ptr<SelectStmt> Parser::parseSelect() {
    Nesting nesting(depth_);
    expectWord("SELECT");
    auto select = std::make_unique<SelectStmt>();
    if (takeWord("DISTINCT")) {
        select->distinct = true;
    } else if (!takeWord("DISTINCTROW")) {
        takeWord("ALL");
    }
    if (takeWord("TOP")) {
        if (peek().kind != TokenKind::Integer) {
            fail();
        }
        select->top = take().text.toLongLong();
        select->topPercent = takeWord("PERCENT");
    }
    parseSelectItems(*select);
    if (takeWord("INTO")) {
        select->into = parseIntoTarget();
    }
    if (takeWord("FROM")) {
        select->from = parseFromList();
    }
    parseSelectTail(*select);
    return select;
}

void Parser::parseSelectItems(SelectStmt& select) {
    do {
        SelectItem item;
        if (peek().isSymbol("*")) {
            take();
            item.expr = std::make_unique<Expr>();
            item.expr->kind = ExprKind::Star;
        } else {
            item.expr = parseExpr();
            if (takeWord("AS")) {
                item.alias = takeName();
            }
        }
        select.items.push_back(std::move(item));
    } while (takeSymbol(","));
}

void Parser::parseSelectTail(SelectStmt& select) {
    if (takeWord("WHERE")) {
        select.where = parseExpr();
    }
    if (takeWord("GROUP")) {
        expectWord("BY");
        select.groupBy = parseExprList();
    }
    if (takeWord("HAVING")) {
        select.having = parseExpr();
    }
    if (takeWord("ORDER")) {
        expectWord("BY");
        do {
            OrderItem item;
            item.expr = parseExpr();
            if (takeWord("DESC")) {
                item.descending = true;
            } else {
                takeWord("ASC");
            }
            select.orderBy.push_back(std::move(item));
        } while (takeSymbol(","));
    }
}

IntoTarget Parser::parseIntoTarget() {
    IntoTarget target;
    target.parts.push_back(takeName());
    while (takeSymbol(".")) {
        target.parts.push_back(takeName());
    }
    return target;
}

std::vector<TableRefPtr> Parser::parseFromList() {
    std::vector<TableRefPtr> list;
    do {
        list.push_back(parseJoinChain());
    } while (takeSymbol(","));
    return list;
}

TableRefPtr Parser::parseJoinChain() {
    TableRefPtr left = parseTableSource();
    while (true) {
        JoinKind kind = JoinKind::Inner;
        if (takeWord("INNER")) {
            kind = JoinKind::Inner;
        } else if (takeWord("LEFT")) {
            kind = JoinKind::Left;
            takeWord("OUTER");
        } else if (takeWord("RIGHT")) {
            kind = JoinKind::Right;
            takeWord("OUTER");
        } else if (!peek().isWord("JOIN")) {
            return left;
        }
        expectWord("JOIN");
        auto join = std::make_unique<TableRef>();
        join->kind = TableRef::Kind::Join;
        join->join = kind;
        join->left = std::move(left);
        join->right = parseTableSource();
        expectWord("ON");
        join->on = parseExpr();
        left = std::move(join);
    }
}

TableRefPtr Parser::parseTableSource() {
    Nesting nesting(depth_);
    auto source = std::make_unique<TableRef>();
    if (takeSymbol("(")) {
        if (!peek().isWord("SELECT")) {
            TableRefPtr chain = parseJoinChain();
            expectSymbol(")");
            return chain;
        }
        source->kind = TableRef::Kind::Derived;
        source->derived = parseSelect();
        takeSymbol(";");  // "FROM (" + a saved statement + ")" may carry its own ";"
        expectSymbol(")");
    } else {
        source->kind = TableRef::Kind::Named;
        source->name = takeName();
    }
    if (takeWord("AS") || atName()) {
        source->alias = takeName();
    }
    return source;
}

std::unique_ptr<InsertStmt> Parser::parseInsert() {
    expectWord("INSERT");
    expectWord("INTO");
    auto insert = std::make_unique<InsertStmt>();
    insert->table = takeName();
    if (takeSymbol("(")) {
        do {
            insert->columns.push_back(takeName());
        } while (takeSymbol(","));
        expectSymbol(")");
    }
    if (takeWord("VALUES")) {
        expectSymbol("(");
        insert->values = parseExprList();
        expectSymbol(")");
    } else if (peek().isWord("SELECT")) {
        insert->select = parseSelect();
    } else {
        fail();
    }
    return insert;
}

std::unique_ptr<UpdateStmt> Parser::parseUpdate() {
    expectWord("UPDATE");
    auto update = std::make_unique<UpdateStmt>();
    update->target = parseJoinChain();
    expectWord("SET");
    do {
        Assignment assignment;
        if (!atName()) {
            fail();
        }
        assignment.column = parseNameOrCall();
        if (assignment.column->kind != ExprKind::Column) {
            fail();
        }
        expectSymbol("=");
        assignment.value = parseExpr();
        update->assignments.push_back(std::move(assignment));
    } while (takeSymbol(","));
    if (takeWord("WHERE")) {
        update->where = parseExpr();
    }
    return update;
}

std::unique_ptr<DeleteStmt> Parser::parseDelete() {
    expectWord("DELETE");
    auto del = std::make_unique<DeleteStmt>();
    if (takeSymbol("*")) {
        // DELETE * FROM T: the one table of the FROM clause
    } else if (atName() && peek(1).isSymbol(".") && peek(2).isSymbol("*")) {
        del->target = takeName();
        take();
        take();
    }
    expectWord("FROM");
    del->from = parseFromList();
    if (takeWord("WHERE")) {
        del->where = parseExpr();
    }
    return del;
}

std::unique_ptr<TransformStmt> Parser::parseTransform() {
    expectWord("TRANSFORM");
    auto transform = std::make_unique<TransformStmt>();
    transform->value = parseExpr();
    if (takeWord("AS")) {
        transform->valueAlias = takeName();
    }
    transform->select = parseSelect();
    expectWord("PIVOT");
    transform->pivot = parseConcat();  // stops before IN (...)
    if (takeWord("IN")) {
        expectSymbol("(");
        transform->pivotIn = parseExprList();
        expectSymbol(")");
    }
    return transform;
}

}  // namespace tw::jet
