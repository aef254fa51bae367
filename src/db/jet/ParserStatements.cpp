// Statements: SELECT (with INTO an outside file), INSERT, UPDATE, DELETE and
// TRANSFORM, and the FROM clause with Jet's nested, parenthesised joins.

#include "db/jet/JetErrors.h"
#include "db/jet/Parser.h"

namespace tw::jet {

Statement Parse(const QString& sql) {
    return Parser(Lex(sql)).ParseStatement();
}

Statement Parser::ParseStatement() {
    Statement statement;
    if (Peek().isWord("SELECT")) {
        statement.kind = Statement::Kind::Select;
        statement.select = ParseSelect();
        while (TakeWord("UNION")) {
            UnionPart part;
            part.all = TakeWord("ALL");
            part.select = ParseSelect();
            statement.unions.push_back(std::move(part));
        }
    } else if (Peek().isWord("INSERT")) {
        statement.kind = Statement::Kind::Insert;
        statement.insert = ParseInsert();
    } else if (Peek().isWord("UPDATE")) {
        statement.kind = Statement::Kind::Update;
        statement.update = ParseUpdate();
    } else if (Peek().isWord("DELETE")) {
        statement.kind = Statement::Kind::Delete;
        statement.del = ParseDelete();
    } else if (Peek().isWord("TRANSFORM")) {
        statement.kind = Statement::Kind::Transform;
        statement.transform = ParseTransform();
    } else {
        Raise(kInvalidStatement,
              QStringLiteral("Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', "
                             "'SELECT', or 'UPDATE'."));
    }
    ExpectEndOfStatement();
    return statement;
}

void Parser::ExpectEndOfStatement() {
    TakeSymbol(";");
    if (Peek().kind != TokenKind::End) {
        Raise(err::kMoreThanOneStatement,
              QStringLiteral("Characters found after end of SQL statement."));
    }
}

std::unique_ptr<SelectStmt> Parser::ParseSelect() {
    Nesting nesting(depth_);
    ExpectWord("SELECT");
    auto select = std::make_unique<SelectStmt>();
    if (TakeWord("DISTINCT")) {
        select->distinct = true;
    } else if (!TakeWord("DISTINCTROW")) {
        TakeWord("ALL");
    }
    if (TakeWord("TOP")) {
        if (Peek().kind != TokenKind::Integer) {
            Fail();
        }
        select->top = Take().text.toLongLong();
        select->topPercent = TakeWord("PERCENT");
    }
    ParseSelectItems(*select);
    if (TakeWord("INTO")) {
        select->into = ParseIntoTarget();
    }
    if (TakeWord("FROM")) {
        select->from = ParseFromList();
    }
    ParseSelectTail(*select);
    return select;
}

void Parser::ParseSelectItems(SelectStmt& select) {
    do {
        SelectItem item;
        if (Peek().isSymbol("*")) {
            Take();
            item.expr = std::make_unique<Expr>();
            item.expr->kind = ExprKind::Star;
        } else {
            item.expr = ParseExpr();
            if (TakeWord("AS")) {
                item.alias = TakeName();
            }
        }
        select.items.push_back(std::move(item));
    } while (TakeSymbol(","));
}

void Parser::ParseSelectTail(SelectStmt& select) {
    if (TakeWord("WHERE")) {
        select.where = ParseExpr();
    }
    if (TakeWord("GROUP")) {
        ExpectWord("BY");
        select.groupBy = ParseExprList();
    }
    if (TakeWord("HAVING")) {
        select.having = ParseExpr();
    }
    if (TakeWord("ORDER")) {
        ExpectWord("BY");
        do {
            OrderItem item;
            item.expr = ParseExpr();
            if (TakeWord("DESC")) {
                item.descending = true;
            } else {
                TakeWord("ASC");
            }
            select.orderBy.push_back(std::move(item));
        } while (TakeSymbol(","));
    }
}

IntoTarget Parser::ParseIntoTarget() {
    IntoTarget target;
    target.parts.push_back(TakeName());
    while (TakeSymbol(".")) {
        target.parts.push_back(TakeName());
    }
    return target;
}

std::vector<TableRefPtr> Parser::ParseFromList() {
    std::vector<TableRefPtr> list;
    do {
        list.push_back(ParseJoinChain());
    } while (TakeSymbol(","));
    return list;
}

TableRefPtr Parser::ParseJoinChain() {
    TableRefPtr left = ParseTableSource();
    while (true) {
        JoinKind kind = JoinKind::Inner;
        if (TakeWord("INNER")) {
            kind = JoinKind::Inner;
        } else if (TakeWord("LEFT")) {
            kind = JoinKind::Left;
            TakeWord("OUTER");
        } else if (TakeWord("RIGHT")) {
            kind = JoinKind::Right;
            TakeWord("OUTER");
        } else if (!Peek().isWord("JOIN")) {
            return left;
        }
        ExpectWord("JOIN");
        auto join = std::make_unique<TableRef>();
        join->kind = TableRef::Kind::Join;
        join->join = kind;
        join->left = std::move(left);
        join->right = ParseTableSource();
        ExpectWord("ON");
        join->on = ParseExpr();
        left = std::move(join);
    }
}

TableRefPtr Parser::ParseTableSource() {
    Nesting nesting(depth_);
    auto source = std::make_unique<TableRef>();
    if (TakeSymbol("(")) {
        if (!Peek().isWord("SELECT")) {
            TableRefPtr chain = ParseJoinChain();
            ExpectSymbol(")");
            return chain;
        }
        source->kind = TableRef::Kind::Derived;
        source->derived = ParseSelect();
        TakeSymbol(";");  // "FROM (" + a saved statement + ")" may carry its own ";"
        ExpectSymbol(")");
    } else {
        source->kind = TableRef::Kind::Named;
        source->name = TakeName();
    }
    if (TakeWord("AS") || AtName()) {
        source->alias = TakeName();
    }
    return source;
}

std::unique_ptr<InsertStmt> Parser::ParseInsert() {
    ExpectWord("INSERT");
    ExpectWord("INTO");
    auto insert = std::make_unique<InsertStmt>();
    insert->table = TakeName();
    if (TakeSymbol("(")) {
        do {
            insert->columns.push_back(TakeName());
        } while (TakeSymbol(","));
        ExpectSymbol(")");
    }
    if (TakeWord("VALUES")) {
        ExpectSymbol("(");
        insert->values = ParseExprList();
        ExpectSymbol(")");
    } else if (Peek().isWord("SELECT")) {
        insert->select = ParseSelect();
    } else {
        Fail();
    }
    return insert;
}

std::unique_ptr<UpdateStmt> Parser::ParseUpdate() {
    ExpectWord("UPDATE");
    auto update = std::make_unique<UpdateStmt>();
    update->target = ParseJoinChain();
    ExpectWord("SET");
    do {
        Assignment assignment;
        if (!AtName()) {
            Fail();
        }
        assignment.column = ParseNameOrCall();
        if (assignment.column->kind != ExprKind::Column) {
            Fail();
        }
        ExpectSymbol("=");
        assignment.value = ParseExpr();
        update->assignments.push_back(std::move(assignment));
    } while (TakeSymbol(","));
    if (TakeWord("WHERE")) {
        update->where = ParseExpr();
    }
    return update;
}

std::unique_ptr<DeleteStmt> Parser::ParseDelete() {
    ExpectWord("DELETE");
    auto del = std::make_unique<DeleteStmt>();
    if (TakeSymbol("*")) {
        // DELETE * FROM T: the one table of the FROM clause
    } else if (AtName() && Peek(1).isSymbol(".") && Peek(2).isSymbol("*")) {
        del->target = TakeName();
        Take();
        Take();
    }
    ExpectWord("FROM");
    del->from = ParseFromList();
    if (TakeWord("WHERE")) {
        del->where = ParseExpr();
    }
    return del;
}

std::unique_ptr<TransformStmt> Parser::ParseTransform() {
    ExpectWord("TRANSFORM");
    auto transform = std::make_unique<TransformStmt>();
    transform->value = ParseExpr();
    if (TakeWord("AS")) {
        transform->valueAlias = TakeName();
    }
    transform->select = ParseSelect();
    ExpectWord("PIVOT");
    transform->pivot = ParseConcat();  // stops before IN (...)
    if (TakeWord("IN")) {
        ExpectSymbol("(");
        transform->pivotIn = ParseExprList();
        ExpectSymbol(")");
    }
    return transform;
}

}  // namespace tw::jet
