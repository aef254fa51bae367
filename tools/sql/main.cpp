// tallywick-sql DBFILE [STATEMENT]: runs STATEMENT, or each line of standard
// input, on the database file. Errors go to standard error as
// "Error N: description"; the exit status is then 1.

#include <QString>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "SqlShell.h"
#include "db/AppError.h"
#include "db/Database.h"

namespace {

void reportError(const tw::AppError& error) {
    QTextStream err(stderr);
    err << "Error " << error.number() << ": " << error.description() << '\n';
}

bool runOne(tw::Database& db, const QString& statement, QTextStream& out) {
    try {
        tw::runStatement(db, statement, out);
        out.flush();
        return true;
    } catch (const tw::AppError& error) {
        out.flush();
        reportError(error);
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: tallywick-sql DBFILE [STATEMENT]\n");
        return 2;
    }
    std::unique_ptr<tw::Database> db;
    try {
        db = tw::Database::open(QString::fromLocal8Bit(argv[1]));
    } catch (const tw::AppError& error) {
        reportError(error);
        return 1;
    }
    QTextStream out(stdout);
    if (argc == 3) {
        return runOne(*db, QString::fromLocal8Bit(argv[2]), out) ? 0 : 1;
    }
    QTextStream in(stdin);
    bool allDone = true;
    QString line;
    while (in.readLineInto(&line)) {
        if (!line.trimmed().isEmpty()) {
            allDone = runOne(*db, line, out) && allDone;
        }
    }
    return allDone ? 0 : 1;
}
