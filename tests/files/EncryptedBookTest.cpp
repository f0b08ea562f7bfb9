#include "ScriptedUi.h"

#include "files/BookFormat.h"
#include "files/EncryptedBook.h"
#include "files/EncryptedReading.h"
#include "platform/Codepage.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace purslet;
using namespace purslet::test;

namespace {

// Argon2id at its least, for speed; the default is checked apart.
const KdfLimits kQuick{1, 8192};
const QString kPassword = QStringLiteral("秘密のpw");
const QString kMemo = QStringLiteral("誰にも見せないメモ");

QByteArray smallBook(const BookKey &key)
{
    const std::vector<BookRecord> records = {
        {QStringLiteral("2026/04/01"), QStringLiteral("お小遣い"), QStringLiteral("3,000"), QString(), kMemo},
        {QStringLiteral("2026/04/03"), QString(), QString(), QStringLiteral("650"), QStringLiteral("a \"b\", c")},
    };
    return SealBook(SerializeBook(records, BookKind::Encrypted), key);
}

struct Opening
{
    Decryption outcome;
    ScriptedUi ui;
    DecryptedBook book;
};

// Decrypts with the password typed at the prompt.
std::unique_ptr<Opening> open(const QByteArray &bytes, const QString &typed = kPassword)
{
    auto o = std::make_unique<Opening>();
    o->ui.inputs = {typed};
    o->outcome = DecryptBook(o->ui, bytes, BookKey(), o->book);
    return o;
}

QByteArray withUint64(QByteArray bytes, qsizetype at, quint64 value)
{
    for (int i = 0; i < 8; ++i)
        bytes[at + i] = char(uchar(value >> (8 * i)));
    return bytes;
}

class EncryptedBook : public ::testing::Test
{
protected:
    BookKey key = BookKey::derive(kPassword, BookKey::newSalt(), kQuick);
    QByteArray bytes = smallBook(key);
};

} // namespace

TEST_F(EncryptedBook, RoundTripsWithThePasswordAndHidesTheRecords)
{
    EXPECT_TRUE(bytes.startsWith("Purslet encrypted book 1\r\n"));
    EXPECT_TRUE(IsEncryptedBook(bytes));
    EXPECT_FALSE(bytes.contains(ToCp932(kMemo)));
    EXPECT_FALSE(bytes.contains("2026/04/01"));

    const auto o = open(bytes);
    ASSERT_EQ(o->outcome, Decryption::Opened) << qPrintable(o->ui.messages.empty() ? QString() : o->ui.lastMessage().text);
    ASSERT_EQ(o->book.parsed.records.size(), 2u);
    EXPECT_EQ(o->book.parsed.records[0].fields[4], kMemo);
    EXPECT_EQ(o->book.parsed.records[1].fields[4], QStringLiteral("a \"b\", c"));
    EXPECT_TRUE(o->book.key.held());
    EXPECT_EQ(o->ui.prompts.size(), 1u);
    EXPECT_TRUE(o->ui.prompts[0].masked);

    // Every write takes a fresh nonce: the same book never gives the same bytes.
    EXPECT_NE(smallBook(key), bytes);
}

TEST_F(EncryptedBook, WrongPasswordsAreToldAsTheScrambledKindTellsThem)
{
    for (const QString &typed : {QStringLiteral("秘密のPW"), QString(), QStringLiteral("秘密のpw\U0001F600")}) {
        const auto o = open(bytes, typed);
        EXPECT_EQ(o->outcome, Decryption::WrongPassword) << qPrintable(typed);
        ASSERT_EQ(o->ui.messages.size(), 1u);
        EXPECT_EQ(o->ui.lastMessage().text, QStringLiteral("パスワードが違うためファイルが開けません。"));
        EXPECT_EQ(o->ui.lastMessage().title, QStringLiteral("パスワードエラー"));
        EXPECT_TRUE(o->book.parsed.records.empty());
    }
}

TEST_F(EncryptedBook, EveryChangedByteAndEveryCutIsRefused)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        QByteArray changed = bytes;
        changed[i] = char(changed[i] ^ 0x01);
        const auto o = open(changed);
        EXPECT_NE(o->outcome, Decryption::Opened) << "byte " << i;
        EXPECT_TRUE(o->book.parsed.records.empty());
        EXPECT_FALSE(o->book.key.held());
    }
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        const auto o = open(bytes.left(length));
        EXPECT_EQ(o->outcome, Decryption::Refused) << "length " << length;
        EXPECT_TRUE(o->book.parsed.records.empty());
        // Shorter than the header and its tag: refused before the password is asked.
        if (length < 26 + 76 + 16) {
            EXPECT_TRUE(o->ui.prompts.empty()) << "length " << length;
        }
    }
}

TEST_F(EncryptedBook, AbsurdHeadersAreRefusedBeforeAnyKeyIsDerived)
{
    const qsizetype ops = 26 + 4, mem = ops + 8;
    const struct
    {
        const char *what;
        QByteArray bytes;
        const char *message;
    } cases[] = {
        {"no work", withUint64(bytes, ops, 0), "鍵の作成条件"},
        {"endless work", withUint64(bytes, ops, 1'000'000), "鍵の作成条件"},
        {"no memory", withUint64(bytes, mem, 0), "鍵の作成条件"},
        {"more memory than the machine has", withUint64(bytes, mem, quint64(1) << 50), "鍵の作成条件"},
        {"another key derivation", QByteArray(bytes).replace(26, 1, "\x07"), "壊れているか書き換えられている"},
        {"a later version", QByteArray(bytes).replace(23, 1, "2"), "新しい版の Purslet"},
        {"another file entirely", QByteArrayLiteral("\"\"\r\n"), "壊れているか書き換えられている"},
    };
    for (const auto &c : cases) {
        const auto o = open(c.bytes);
        EXPECT_EQ(o->outcome, Decryption::Refused) << c.what;
        EXPECT_TRUE(o->ui.prompts.empty()) << c.what;
        ASSERT_EQ(o->ui.messages.size(), 1u) << c.what;
        EXPECT_TRUE(o->ui.lastMessage().text.contains(QString::fromUtf8(c.message))) << c.what;
        EXPECT_EQ(o->ui.lastMessage().title, QStringLiteral("ファイルエラー"));
        EXPECT_EQ(o->ui.lastMessage().icon, MsgIcon::Critical);
    }
}

TEST_F(EncryptedBook, TheHeldKeyOpensItsOwnFilesWithoutAsking)
{
    ScriptedUi ui;
    DecryptedBook book;
    EXPECT_EQ(DecryptBook(ui, bytes, key, book), Decryption::Opened);
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_FALSE(book.key.held()); // the held key stays where it is

    // Another file's salt: the password is asked for.
    const BookKey other = BookKey::derive(kPassword, BookKey::newSalt(), kQuick);
    ui.inputs = {kPassword};
    EXPECT_EQ(DecryptBook(ui, bytes, other, book), Decryption::Opened);
    EXPECT_EQ(ui.prompts.size(), 1u);
}

TEST(BookKey, ReleaseWipesAndForgetsTheKey)
{
    BookKey key = BookKey::derive(kPassword, BookKey::newSalt(), kQuick);
    ASSERT_TRUE(key.held());
    BookKey moved = std::move(key);
    EXPECT_FALSE(key.held());
    EXPECT_TRUE(moved.held());
    moved.release();
    EXPECT_FALSE(moved.held());
    EXPECT_EQ(moved.data(), nullptr);
    EXPECT_TRUE(moved.salt().isEmpty());

    // The same password and salt give the same key; code page 932's own
    // form and the input method's form of a character are one password.
    const QByteArray salt = BookKey::newSalt();
    const BookKey a = BookKey::derive(QStringLiteral("a\u301Cb"), salt, kQuick);
    const BookKey b = BookKey::derive(QStringLiteral("a\uFF5Eb"), salt, kQuick);
    const BookKey c = BookKey::derive(QStringLiteral("a-b"), salt, kQuick);
    EXPECT_EQ(std::memcmp(a.data(), b.data(), BookKey::kBytes), 0);
    EXPECT_NE(std::memcmp(a.data(), c.data(), BookKey::kBytes), 0);
}
