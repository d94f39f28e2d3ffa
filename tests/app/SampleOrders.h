#pragma once

#include <QString>
#include <memory>

class TForm1;
class TRLGraphicStorage;
struct TFormatSettings;

/// The sample database written once per test process into a temporary directory.
QString SampleDatabaseDirectory();

/// The number conventions, date formats and library language of a POSIX locale name for the
/// lifetime of the object, as if the program had started under LANG=`localeName`; with a fixed
/// SOURCE_DATE_EPOCH when `epoch` is not empty. The previous state comes back afterwards.
class TScopedLocale {
public:
    explicit TScopedLocale(const QString& localeName, const QByteArray& epoch = {});
    ~TScopedLocale();
    TScopedLocale(const TScopedLocale&) = delete;
    TScopedLocale& operator=(const TScopedLocale&) = delete;

private:
    std::unique_ptr<TFormatSettings> m_savedSettings;
    QByteArray m_savedEpoch;
    bool m_hadEpoch;
};

/// The program's form over the sample database, tables open, with one order located and
/// prepared as the headless run prepares it.
class TPreparedOrder {
public:
    /// Fails the current test (and leaves Pages() empty) when the order is missing or
    /// preparation fails. With `layoutFile` the form prints with that layout.
    explicit TPreparedOrder(const QString& order, const QString& layoutFile = {});
    ~TPreparedOrder();

    TForm1& Form() { return *m_form; }
    TRLGraphicStorage& Pages();
    int PageCount();

private:
    std::unique_ptr<TForm1> m_form;
};
