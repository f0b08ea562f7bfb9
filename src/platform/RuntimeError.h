#pragma once

#include <QString>
#include <exception>

namespace purslet {

// A run-time error as the user sees it: a number and a Japanese description.
class RuntimeError final : public std::exception
{
public:
    enum Number {
        InvalidCall = 5,
        Overflow = 6,
        SubscriptOutOfRange = 9,
        TypeMismatch = 13,
        BadFileName = 52,
        FileNotFound = 53,
        InputPastEnd = 62,
        DiskFull = 61,
        PermissionDenied = 70,
        PathFileAccess = 75,
        PathNotFound = 76,
        PrinterError = 482,
        TooManyRecords = 1001,
        FileTooLarge = 1002,
    };

    RuntimeError(int number, QString description);
    explicit RuntimeError(int number);

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

    static QString standardDescription(int number);

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace purslet
