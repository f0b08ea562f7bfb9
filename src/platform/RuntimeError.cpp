#include "platform/RuntimeError.h"

namespace purslet {

RuntimeError::RuntimeError(int number, QString description)
    : m_number(number), m_description(std::move(description)), m_what(m_description.toUtf8())
{
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, standardDescription(number)) {}

QString RuntimeError::standardDescription(int number)
{
    switch (number) {
    case InvalidCall: return QStringLiteral("プロシージャの呼び出し、または引数が不正です。");
    case Overflow: return QStringLiteral("オーバーフローしました。");
    case SubscriptOutOfRange: return QStringLiteral("インデックスが有効範囲にありません。");
    case TypeMismatch: return QStringLiteral("型が一致しません。");
    case BadFileName: return QStringLiteral("ファイル名または番号が不正です。");
    case FileNotFound: return QStringLiteral("ファイルが見つかりません。");
    case DiskFull: return QStringLiteral("ディスクの空き容量が不足しています。");
    case InputPastEnd: return QStringLiteral("ファイルにこれ以上データがありません。");
    case PermissionDenied: return QStringLiteral("書き込みできません。");
    case PathFileAccess: return QStringLiteral("パス/ファイル アクセス エラーです。");
    case PathNotFound: return QStringLiteral("パスが見つかりません。");
    case PrinterError: return QStringLiteral("プリンタ エラーです。");
    case TooManyRecords: return QStringLiteral("記録の数が 32,767 件を超えるため扱えません。");
    case FileTooLarge: return QStringLiteral("ファイルが大きすぎるため読みこめません。");
    default: return QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。");
    }
}

} // namespace purslet
