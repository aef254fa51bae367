// tallywick-makedb SOURCE_DIR TARGET: builds the delivered database from
// SOURCE_DIR/schema.sql and SOURCE_DIR/reference/*.tsv, unless TARGET exists.

#include <QFileInfo>
#include <QString>
#include <cstdio>

#include "db/AppError.h"
#include "db/SqliteSchemaBuilder.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tallywick-makedb SOURCE_DIR TARGET\n");
        return 2;
    }
    const QString sourceDir = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    if (QFileInfo::exists(target)) {
        return 0;
    }
    try {
        tw::sqlite::createStatisticsDatabase(target, sourceDir);
    } catch (const tw::AppError& error) {
        std::fprintf(stderr, "Error %d: %s\n", error.number(),
                     error.description().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
