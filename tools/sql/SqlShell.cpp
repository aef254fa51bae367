#include "SqlShell.h"

#include <QStringList>

#include "db/Database.h"
#include "db/Recordset.h"
#include "db/SqliteErrors.h"
#include "db/jet/Catalog.h"

namespace tw {

namespace {

void printRows(Recordset& rows, QTextStream& out) {
    QStringList line;
    for (int i = 0; i < rows.fieldCount(); ++i) {
        line << rows.fieldName(i);
    }
    out << line.join(u'\t') << '\n';
    while (!rows.isEof()) {
        line.clear();
        for (int i = 0; i < rows.fieldCount(); ++i) {
            // Null joins as empty text; dates show in the general date form.
            line << rows.field(i).joinText();
        }
        out << line.join(u'\t') << '\n';
        rows.moveNext();
    }
}

// A table or stored query named alone, also in brackets.
bool namesATable(Database& db, const QString& statement) {
    QString name = statement.trimmed();
    if (name.startsWith(u'[') && name.endsWith(u']')) {
        name = name.mid(1, name.size() - 2);
    }
    return db.catalog().findTable(name) != nullptr;
}

}  // namespace

void runStatement(Database& db, const QString& statement, QTextStream& out) {
    if (!namesATable(db, statement)) {
        try {
            out << db.execute(statement) << '\n';
            return;
        } catch (const AppError& error) {
            if (error.number() != sqlite::kCannotExecuteSelect) {
                throw;
            }
        }
    }
    printRows(*db.openRecordset(statement), out);
}

}  // namespace tw
