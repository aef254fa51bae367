// Names: columns of the FROM sources (also of the scopes around a correlated
// sub-select) and the select-list aliases that other select expressions reuse.
//
// The alias rule, as Access resolves it: a name that is only an alias is
// replaced by the aliased expression in parentheses (also chained); a name
// that is both a column and an alias (Sum(Game_Player.Kills) AS Kills) means
// the table column inside an aggregate's argument and the alias at the top
// level of another select expression. Outside the select list a column wins.
// An expression never refers to its own alias.

#include "db/jet/JetErrors.h"
#include "db/jet/TranslatorImpl.h"

namespace tw::jet::detail {

namespace {

[[noreturn]] void raiseUnknownName(const QString& name) {
    raise(err::kUnknownName,
          QStringLiteral("Too few parameters. Expected 1. Unknown name '%1'.").arg(name));
}

const ColumnInfo* findIn(const Source& source, const QString& name) {
    for (const ColumnInfo& c : source.columns) {
        if (c.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &c;
        }
    }
    return nullptr;
}

Typed columnOf(const Source& source, const ColumnInfo& column) {
    Typed t;
    t.sql = quoteName(source.qualifier) + u'.' + quoteName(column.name);
    t.type = column.type;
    t.column = column.name;
    t.qualifier = source.qualifier;
    return t;
}

int findAlias(const Scope& scope, const QString& name) {
    if (scope.items == nullptr) {
        return -1;
    }
    for (size_t i = 0; i < scope.items->size(); ++i) {
        if ((*scope.items)[i].alias.compare(name, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

std::vector<Source*> Translator::sourcesOf(Scope& scope, const QString& qualifier) {
    std::vector<Source*> found;
    for (Source& s : scope.sources) {
        if (qualifier.isEmpty() || s.qualifier.compare(qualifier, Qt::CaseInsensitive) == 0) {
            found.push_back(&s);
        }
    }
    return found;
}

std::optional<Typed> Translator::findColumn(Scope& scope, const QString& qualifier,
                                            const QString& name) {
    for (Scope* s = &scope; s != nullptr; s = s->parent) {
        if (!qualifier.isEmpty()) {
            for (Source* source : sourcesOf(*s, qualifier)) {
                if (const ColumnInfo* c = findIn(*source, name)) {
                    return columnOf(*source, *c);
                }
                raiseUnknownName(qualifier + u'.' + name);
            }
            continue;
        }
        std::optional<Typed> match;
        for (Source& source : s->sources) {
            if (const ColumnInfo* c = findIn(source, name)) {
                if (match) {
                    raise(kAmbiguousField,
                          QStringLiteral("The specified field '%1' could refer to more than one "
                                         "table listed in the FROM clause of your SQL statement.")
                              .arg(name));
                }
                match = columnOf(source, *c);
            }
        }
        if (match) {
            return match;
        }
    }
    return std::nullopt;
}

Typed Translator::columnReference(const Expr& expr, Scope& scope, const Place& place) {
    int alias = expr.qualifier.isEmpty() ? findAlias(scope, expr.text) : -1;
    if (alias == place.item || (alias >= 0 && scope.itemBusy[alias])) {
        alias = -1;
    }
    const bool aliasFirst = place.selectList && place.aggregateDepth == 0;
    std::optional<Typed> column;
    if (alias < 0 || !aliasFirst) {
        column = findColumn(scope, expr.qualifier, expr.text);
        // [Game.Game_ID]: a bracketed name holding table and column.
        const qsizetype dot = expr.text.lastIndexOf(u'.');
        if (!column && expr.qualifier.isEmpty() && expr.bracketed && dot > 0) {
            column = findColumn(scope, expr.text.left(dot), expr.text.mid(dot + 1));
        }
    }
    if (alias >= 0 && !column) {
        Typed inlined = selectItemValue(alias, scope);
        inlined.sql = u'(' + inlined.sql + u')';
        inlined.column.clear();
        inlined.textLiteral = false;
        return inlined;
    }
    if (!column) {
        raiseUnknownName(expr.qualifier.isEmpty() ? expr.text : expr.qualifier + u'.' + expr.text);
    }
    return *column;
}

Typed Translator::selectItemValue(int index, Scope& scope) {
    if (!scope.itemCache[index]) {
        scope.itemBusy[index] = true;
        Place place;
        place.selectList = true;
        place.item = index;
        scope.itemCache[index] = expression(*(*scope.items)[index].expr, scope, place);
        scope.itemBusy[index] = false;
    }
    return *scope.itemCache[index];
}

}  // namespace tw::jet::detail
