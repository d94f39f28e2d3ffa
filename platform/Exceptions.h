#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

/// The library's failure: carries the exact message text shown to the user.
class EReportError : public std::exception {
public:
    /// `message` is already translated and complete; it is shown as it is.
    explicit EReportError(QString message);

    /// The text to show.
    const QString& Message() const { return m_message; }
    /// Message() in UTF-8.
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

/// The silent abort: caught where the user's action began and never shown.
class EAbort : public std::exception {
public:
    /// A fixed text for logs; nothing is shown to the user.
    const char* what() const noexcept override { return "Operation aborted"; }
};
