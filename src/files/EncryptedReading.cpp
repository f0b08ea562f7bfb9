#include "files/EncryptedReading.h"

#include "files/EncryptedBook.h"
#include "platform/Codepage.h"
#include "platform/RuntimeError.h"
#include "platform/Ui.h"

namespace purslet {

namespace {

void refuse(Ui &ui, const RuntimeError &error)
{
    ui.messageBox(error.description(), QStringLiteral("ファイルエラー"), MsgIcon::Critical, MsgButtons::Ok,
                  MsgAnswer::Ok);
}

// The key the password gives, or none when it is the wrong one.
BookKey keyFromUser(Ui &ui, const EncryptedHeader &header)
{
    const QString answer =
        ui.inputBox(QStringLiteral("パスワードを入力してください。"), QStringLiteral("パスワードの入力"), QString(), true);
    // A character without a code would be hashed as "?": it can never be
    // part of a password that was set.
    if (answer.isEmpty() || !FirstCharWithoutCp932(answer).isEmpty())
        return BookKey();
    ShowStatus(ui, QStringLiteral("パスワードを確かめています..."));
    BookKey key = BookKey::derive(answer, header.salt, header.limits);
    if (!KeyMatches(key, header))
        key.release();
    return key;
}

} // namespace

Decryption DecryptBook(Ui &ui, QByteArrayView bytes, const BookKey &held, DecryptedBook &out)
{
    try {
        const EncryptedHeader header = ReadEncryptedHeader(bytes);
        BookKey key;
        const bool useHeld = KeyMatches(held, header);
        if (!useHeld) {
            key = keyFromUser(ui, header);
            if (!key.held()) {
                ui.messageBox(QStringLiteral("パスワードが違うためファイルが開けません。"),
                              QStringLiteral("パスワードエラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
                return Decryption::WrongPassword;
            }
        }
        QByteArray plain = OpenSealedBook(bytes, header, useHeld ? held : key);
        out.parsed = ParseBook(plain, BookKind::Encrypted);
        WipeBytes(plain);
        // Authenticated bytes that do not parse were not written by this program.
        for (const ParsedRecord &r : out.parsed.records)
            if (r.error != 0)
                throw RuntimeError(kBadEncryptedBook,
                                   QStringLiteral("ファイルが壊れているか書き換えられているため、開くことはできません。"));
        out.key = std::move(key); // none when the held key opened it
        return Decryption::Opened;
    } catch (const RuntimeError &e) {
        refuse(ui, e);
        return Decryption::Refused;
    }
}

} // namespace purslet
