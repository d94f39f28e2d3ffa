#include "db/SqlUrl.h"

#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QString kHiddenPassword = QStringLiteral("***");

/// scheme ":" ["//" [user [":" password] "@"] [host] [":" port]] path ["?" query]; a password may hold
/// an "@" of its own that was not percent-encoded, so the last "@" before the path ends it.
const QRegularExpression& UrlPattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^([A-Za-z][A-Za-z0-9+.-]*):(?://(?:([^:@/]*)(?::([^/]*))?@)?(\[[^\]]*\]|[^:/?]*)(?::([^/?]*))?)?([^?]*)(?:\?(.*))?$)"));
    return pattern;
}

[[noreturn]] void RaiseBadUrl(const QString& url, const QString& fault)
{
    throw EReportError(QCoreApplication::translate("TSqlConnection", "Database URL \"%1\": %2")
                           .arg(HideUrlPassword(url), fault));
}

QString Decoded(const QString& part)
{
    return QUrl::fromPercentEncoding(part.toUtf8());
}

QString DriverOfScheme(const QString& scheme)
{
    const QString lower = scheme.toLower();
    if (lower == u"sqlite" || lower == u"sqlite3")
        return QStringLiteral("QSQLITE");
    if (lower == u"postgresql" || lower == u"postgres")
        return QStringLiteral("QPSQL");
    if (lower == u"mysql" || lower == u"mariadb")
        return QStringLiteral("QMYSQL");
    if (lower == u"odbc")
        return QStringLiteral("QODBC");
    // Any other driver Qt has, by its own name: "qibase://...".
    return lower.toUpper();
}

} // namespace

bool IsDatabaseUrl(const QString& text)
{
    const QRegularExpressionMatch match = UrlPattern().match(text);
    return match.hasMatch() && match.capturedLength(1) > 1
        && (text.contains(QStringLiteral("://"))
            || match.captured(1).startsWith(u"sqlite", Qt::CaseInsensitive));
}

TSqlUrl ParseSqlUrl(const QString& url)
{
    const QRegularExpressionMatch match = UrlPattern().match(url);
    if (!match.hasMatch() || !IsDatabaseUrl(url))
        RaiseBadUrl(url,
            QCoreApplication::translate("TSqlConnection",
                "not a database URL; write sqlite:///path/file.db or postgresql://user@host/dbname"));
    TSqlUrl result;
    result.driver = DriverOfScheme(match.captured(1));
    result.user = Decoded(match.captured(2));
    result.password = Decoded(match.captured(3));
    result.host = Decoded(match.captured(4));
    if (result.host.startsWith(u'['))
        result.host = result.host.mid(1, result.host.size() - 2);
    if (match.capturedLength(5) > 0) {
        bool ok = false;
        result.port = match.captured(5).toInt(&ok);
        if (!ok || result.port <= 0 || result.port > 65535)
            RaiseBadUrl(url,
                QCoreApplication::translate(
                    "TSqlConnection", "the port \"%1\" is not a number from 1 to 65535")
                    .arg(match.captured(5)));
    }
    const QString path = Decoded(match.captured(6));
    QStringList options;
    const QUrlQuery query(match.captured(7));
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == u"host")
            result.host = value;
        else if (key == u"port" && value.toInt() > 0)
            result.port = value.toInt();
        else
            options.append(key + u'=' + value);
    }
    result.options = options.join(u';');
    if (result.driver == u"QSQLITE") {
        if (!result.host.isEmpty())
            RaiseBadUrl(url,
                QCoreApplication::translate("TSqlConnection",
                    "an SQLite URL names a file, not a host: write sqlite:///path/file.db (three slashes)"));
        result.database = path;
    } else {
        result.database = path.startsWith(u'/') ? path.mid(1) : path;
    }
    if (result.database.isEmpty())
        RaiseBadUrl(url, QCoreApplication::translate("TSqlConnection", "the URL names no database"));
    return result;
}

QString HideUrlPassword(const QString& url)
{
    // Up to the last "@": a password may hold an unencoded "/" or "@" that the URL's parts then
    // misread, and a message must not show any of it. A port followed by an "@" in the query hides
    // more than needed, which is the safe side.
    static const QRegularExpression password(QStringLiteral(R"(^([A-Za-z][A-Za-z0-9+.-]*://[^:@/]*:).*@)"));
    QString hidden = url;
    const QRegularExpressionMatch match = password.match(url);
    if (match.hasMatch())
        hidden.replace(0, match.capturedLength(0), match.captured(1) + kHiddenPassword + u'@');
    // A password given as a query item ("?password=...") is hidden too.
    static const QRegularExpression queryPassword(QStringLiteral(R"(([?&]password=)[^&]*)"));
    hidden.replace(queryPassword, QStringLiteral("\\1") + kHiddenPassword);
    return hidden;
}
