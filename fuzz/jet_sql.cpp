// Saved queries are user text: the Jet SQL lexer, parser and translator take
// any text to SQLite SQL or to a numbered AppError, against the catalog of a
// real statistics database.

#include <QCoreApplication>
#include <QTemporaryDir>

#include "FuzzCheck.h"
#include "db/AppError.h"
#include "db/Database.h"
#include "db/SqliteSchemaBuilder.h"
#include "db/jet/Translator.h"

using namespace tw;

namespace {

jet::Catalog statisticsCatalog() {
    const QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/fuzz.mdb");
    sqlite::createStatisticsDatabase(path, QStringLiteral(TALLYWICK_DB_SOURCE_DIR));
    return Database::open(path)->catalog();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const jet::Catalog catalog = statisticsCatalog();
    const QString sql = QString::fromUtf8(fuzz::inputBytes(data, size));
    try {
        const jet::Translation translation = jet::translate(sql, catalog);
        if (translation.kind != jet::Translation::Kind::Transform) {
            fuzz::require(!translation.sql.isEmpty(), "a translation is SQL");
        } else {
            fuzz::require(!translation.pivotValuesSql.isEmpty(), "a crosstab has its pivot query");
            fuzz::require(bool(translation.finalSql), "a crosstab has its final statement");
            const jet::Translation final =
                translation.finalSql({QStringLiteral("a"), QString(), QStringLiteral("1")});
            fuzz::require(!final.sql.isEmpty(), "a crosstab's final statement is SQL");
        }
    } catch (const AppError& error) {
        fuzz::require(error.number() != 0, "an error has its number");
    }
    return 0;
}
