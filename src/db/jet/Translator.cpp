#include "db/jet/Translator.h"

#include <memory>

#include "db/jet/JetErrors.h"
#include "db/jet/Parser.h"
#include "db/jet/TranslatorImpl.h"

namespace tw::jet {

namespace {

// [Excel 8.0;DATABASE=file].[sheet] or [Text;DATABASE=folder].[name.txt]
ExternalTarget outsideTarget(const IntoTarget& into) {
    const qsizetype at =
        into.parts.front().indexOf(QLatin1String("DATABASE="), 0, Qt::CaseInsensitive);
    if (into.parts.size() != 2 || at < 0) {
        raiseSyntax(QStringLiteral("INTO ") + into.parts.front());
    }
    ExternalTarget target;
    target.connect = into.parts[0].left(at);
    target.database = into.parts[0].mid(at + 9);
    target.table = into.parts[1];
    if (target.connect.startsWith(QLatin1String("Excel"), Qt::CaseInsensitive)) {
        target.kind = ExternalTarget::Kind::Excel8;
    } else if (target.connect.startsWith(QLatin1String("Text"), Qt::CaseInsensitive)) {
        target.kind = ExternalTarget::Kind::Text;
    } else {
        raise(err::kNoOutsideWriter, QStringLiteral("Could not find installable ISAM."));
    }
    return target;
}

}  // namespace

namespace detail {

Translation Translator::run(const Statement& statement) {
    Translation translation;
    switch (statement.kind) {
        case Statement::Kind::Select: {
            const SelectStmt& select = *statement.select;
            const bool into = select.into.has_value();
            SelectResult result =
                statement.unions.empty() ? selectSql(select, nullptr, !into) : unionSql(statement);
            translation.kind = into ? Translation::Kind::SelectInto : Translation::Kind::Select;
            translation.sql = result.sql;
            translation.columns = result.columns;
            translation.baseTable = result.baseTable;
            if (into) {
                translation.target = outsideTarget(*select.into);
            }
            return translation;
        }
        case Statement::Kind::Insert:
            translation.sql = insert(*statement.insert);
            break;
        case Statement::Kind::Update:
            translation.sql = update(*statement.update);
            break;
        case Statement::Kind::Delete:
            translation.sql = deleteSql(*statement.del);
            break;
        case Statement::Kind::Transform:
            return transform(*statement.transform);
    }
    translation.kind = Translation::Kind::Action;
    return translation;
}

}  // namespace detail

Translation translate(const QString& jetSql, const Catalog& catalog) {
    auto statement = std::make_shared<Statement>(parse(jetSql));
    detail::Translator translator(catalog);
    Translation translation = translator.run(*statement);
    if (translation.kind == Translation::Kind::Transform) {
        auto ownCatalog = std::make_shared<Catalog>(catalog);
        translation.finalSql = [statement, ownCatalog](const std::vector<QString>& values) {
            detail::Translator again(*ownCatalog);
            const detail::SelectResult result = again.transformFinal(*statement->transform, values);
            Translation final;
            final.kind = Translation::Kind::Select;
            final.sql = result.sql;
            final.columns = result.columns;
            return final;
        };
    }
    return translation;
}

std::optional<AppError> errorFromEngineMessage(const QString& message) {
    const qsizetype colon = message.indexOf(QLatin1String(": "));
    bool ok = false;
    const int number = colon > 0 ? message.left(colon).toInt(&ok) : 0;
    if (!ok) {
        return std::nullopt;
    }
    return AppError(number, kSource, message.mid(colon + 2));
}

}  // namespace tw::jet
