#include "files/BookFormat.h"
#include "files/FieldReader.h"
#include "data/Book.h"
#include "platform/Codepage.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

using namespace purslet;

namespace {
BookRecord rec(const QString &a, const QString &b, const QString &c, const QString &d, const QString &e)
{
    return BookRecord{a, b, c, d, e};
}

std::vector<BookRecord> recordsOf(const ParsedBook &book)
{
    std::vector<BookRecord> out;
    for (const ParsedRecord &r : book.records) {
        EXPECT_EQ(r.error, 0);
        out.push_back(r.fields);
    }
    return out;
}

QStringList fieldsOf(const QString &text)
{
    FieldReader reader(text);
    QStringList fields;
    QString f;
    while (reader.next(f))
        fields << f;
    return fields;
}

const QByteArray kExample = QByteArrayLiteral("\"\"\r\n"
                                              "\"8031803980398039802F80308034802F80308031\",\"\","
                                              "\"8031802C803080308030\",\"\",\"\"\r\n");
} // namespace

TEST(BookFormat, WritesTheTwoLineExampleByteForByte)
{
    const std::vector<BookRecord> records{rec(QStringLiteral("1999/04/01"), {}, QStringLiteral("1,000"), {}, {})};
    EXPECT_EQ(SerializeBook(records, BookKind::Own), kExample);

    const ParsedBook book = ParseBook(kExample, BookKind::Own);
    EXPECT_EQ(book.passwordError, 0);
    EXPECT_EQ(book.password, QString());
    EXPECT_EQ(recordsOf(book), records);
}

TEST(BookFormat, EmptyBookInEachKind)
{
    EXPECT_EQ(SerializeBook(std::vector<BookRecord>{}, BookKind::Own), QByteArrayLiteral("\"\"\r\n"));
    EXPECT_EQ(SerializeBook(std::vector<BookRecord>{}, BookKind::Backup), QByteArray());
    EXPECT_EQ(SerializeBook(std::vector<BookRecord>{}, BookKind::Text), QByteArray());
    EXPECT_TRUE(ParseBook(QByteArrayLiteral("\"\"\r\n"), BookKind::Own).records.empty());
    EXPECT_TRUE(ParseBook(QByteArray(), BookKind::Backup).records.empty());
    EXPECT_TRUE(ParseBook(QByteArray(), BookKind::Text).records.empty());
    // An own file without even the password line.
    EXPECT_EQ(ParseBook(QByteArray(), BookKind::Own).passwordError, RuntimeError::InputPastEnd);
}

TEST(BookFormat, PasswordAndFieldsAreNeverPlain)
{
    const QByteArray bytes = SerializeBook({rec(QStringLiteral("2024/01/02"), QStringLiteral("食費"), {},
                                                QStringLiteral("500"), QStringLiteral("A"))},
                                           BookKind::Own, QStringLiteral("pw"));
    EXPECT_TRUE(bytes.startsWith("\"80708077\"\r\n"));
    EXPECT_TRUE(bytes.endsWith(",\"8041\"\r\n"));
    EXPECT_FALSE(bytes.contains("2024"));
    EXPECT_EQ(ParseBook(bytes, BookKind::Own).password, QStringLiteral("pw"));
    // The backup kind is the same without the password line.
    const QByteArray backup = SerializeBook({rec(QStringLiteral("A"), {}, {}, {}, {})}, BookKind::Backup);
    EXPECT_EQ(backup, QByteArrayLiteral("\"8041\",\"\",\"\",\"\",\"\"\r\n"));
}

TEST(BookFormat, EveryKindRoundTrips)
{
    const QString longText = QString(8191, QChar(u'漢'));
    const QString big = QString(20000, QChar(u'x')); // beyond the old 8,191 limit
    const std::vector<BookRecord> records{
        rec(QStringLiteral("2024/04/01"), QStringLiteral("給料"), QStringLiteral("250,000"), {},
            QStringLiteral("He said \"hi\", then left")),
        rec(QStringLiteral("2024/04/02"), {}, {}, QStringLiteral("1,000"), longText),
        rec(QStringLiteral("2024/04/03"), QStringLiteral("ｶﾀｶﾅ"), {}, QStringLiteral("3"),
            QStringLiteral("a\r\nb\x1A\x1C\x7F漢")), // controls as Windows maps them
        rec(QStringLiteral("2024/04/04"), QStringLiteral("\"\""), {}, {}, big),
        rec({}, {}, {}, {}, {}),
    };
    for (BookKind kind : {BookKind::Own, BookKind::Backup, BookKind::Text}) {
        const QByteArray bytes = SerializeBook(records, kind, QStringLiteral("秘密"));
        const ParsedBook back = ParseBook(bytes, kind);
        EXPECT_EQ(recordsOf(back), records) << int(kind);
        if (kind == BookKind::Own) {
            EXPECT_EQ(back.password, QStringLiteral("秘密"));
        }
    }
    // Quotes are doubled in text files only.
    const QByteArray text = SerializeBook({records[0]}, BookKind::Text);
    EXPECT_EQ(text, ToCp932(QStringLiteral("\"2024/04/01\",\"給料\",\"250,000\",\"\",\"He said \"\"hi\"\", then left\"\r\n")));
}

TEST(BookFormat, RefusesToWriteMoreRecordsThanTheCounterHolds)
{
    std::vector<BookRecord> records(size_t(kMaxWrittenRecords), rec(QStringLiteral("2024/01/01"), {}, {}, {}, {}));
    EXPECT_NO_THROW(SerializeBook(records, BookKind::Backup));
    records.push_back(records.front());
    try {
        SerializeBook(records, BookKind::Own);
        FAIL();
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), RuntimeError::Overflow);
    }
}

TEST(FieldReader, TakesFieldsAcrossLineEnds)
{
    EXPECT_EQ(fieldsOf(QStringLiteral("a,b,c\r\nd,e\r\n")), (QStringList{"a", "b", "c", "d", "e"}));
    // Blanks before a field are skipped; text after a closing quote is skipped.
    EXPECT_EQ(fieldsOf(QStringLiteral("  \"x, y\"junk , \tz\n")), (QStringList{"x, y", "z"}));
    // CR LF is one line end; LF and CR alone end a line too.
    EXPECT_EQ(fieldsOf(QStringLiteral("a\r\n\r\nb\rc\nd")), (QStringList{"a", "", "b", "c", "d"}));
    // A trailing comma leaves one empty field; a quote runs across line ends.
    EXPECT_EQ(fieldsOf(QStringLiteral("a,")), (QStringList{"a", ""}));
    EXPECT_EQ(fieldsOf(QStringLiteral("\"1\r\n2\",\"\"\"\",\"un\"\"closed")),
              (QStringList{"1\r\n2", "\"", "un\"closed"}));
    // Unquoted fields keep their quotes as they stand.
    EXPECT_EQ(fieldsOf(QStringLiteral("a\"\"b")), (QStringList{"a\"\"b"}));

    FieldReader reader(u"x \r\n \x1A");
    QString f;
    ASSERT_TRUE(reader.next(f));
    EXPECT_TRUE(reader.atEnd());
}

TEST(BookFormat, TextFileRecordsAreFiveFieldsWhateverTheLines)
{
    const QByteArray bytes = ToCp932(QStringLiteral("2024/01/01,食費,\"1,000\"\r\n,メモ,2024/01/02\r\n"
                                                    "\"交通費\",,\"200\",\"\"\r\n"));
    const ParsedBook book = ParseBook(bytes, BookKind::Text);
    ASSERT_EQ(book.records.size(), 2u);
    EXPECT_EQ(book.records[0].fields,
              rec(QStringLiteral("2024/01/01"), QStringLiteral("食費"), QStringLiteral("1,000"), {}, QStringLiteral("メモ")));
    EXPECT_EQ(book.records[0].error, 0);
    EXPECT_EQ(book.records[1].fields,
              rec(QStringLiteral("2024/01/02"), QStringLiteral("交通費"), {}, QStringLiteral("200"), {}));
    EXPECT_EQ(book.records[1].error, 0);

    // A record cut short by the end keeps what was read.
    const ParsedBook cut = ParseBook(QByteArrayLiteral("a,b,c,d,e\r\nf,g\r\n"), BookKind::Text);
    ASSERT_EQ(cut.records.size(), 2u);
    EXPECT_EQ(cut.records[1].error, RuntimeError::InputPastEnd);
    EXPECT_EQ(cut.records[1].fields, rec("f", "g", {}, {}, {}));
}

TEST(BookFormat, TextFilesMayBeUtf8)
{
    const QString expected = QStringLiteral("食費");
    const QByteArray utf8 = QStringLiteral("2024/01/01,食費,,500,\"メモ\"\n2024/01/02,€,1,,\n").toUtf8();
    for (const QByteArray &bytes : {utf8, QByteArray("\xEF\xBB\xBF") + utf8}) {
        const ParsedBook book = ParseBook(bytes, BookKind::Text);
        ASSERT_EQ(book.records.size(), 2u);
        EXPECT_EQ(book.records[0].fields, rec(QStringLiteral("2024/01/01"), expected, {}, QStringLiteral("500"),
                                              QStringLiteral("メモ")));
        EXPECT_EQ(book.records[1].fields[1], QStringLiteral("€"));
    }
    // Code page 932 bytes are not valid UTF-8 and stay code page 932.
    EXPECT_EQ(DecodeTextFile(ToCp932(expected)), expected);
    EXPECT_EQ(DecodeTextFile(QByteArrayLiteral("plain")), QStringLiteral("plain"));
}

TEST(BookFormat, EncodedFieldErrorsStayWithTheirRecord)
{
    QByteArray bytes = SerializeBook({rec("a", "b", "c", "d", "e"), rec("f", "g", "h", "i", "j")}, BookKind::Backup);
    bytes.replace("8062", "80X2"); // breaks "b"
    const ParsedBook book = ParseBook(bytes, BookKind::Backup);
    ASSERT_EQ(book.records.size(), 2u);
    EXPECT_EQ(book.records[0].error, RuntimeError::TypeMismatch);
    EXPECT_EQ(book.records[1].error, 0);
    EXPECT_EQ(book.records[1].fields, rec("f", "g", "h", "i", "j"));

    const ParsedBook badPassword = ParseBook(QByteArrayLiteral("\"zz\"\r\n"), BookKind::Own);
    EXPECT_EQ(badPassword.passwordError, RuntimeError::TypeMismatch);
}

TEST(BookFormat, RecordsOfTheCashBookSkipTheSubtotal)
{
    Book book;
    Grid &g = book.msfgCashier;
    g.insertRow(1, {QStringLiteral("2024/01/01"), QStringLiteral("m"), QStringLiteral("1"), QString(),
                    QStringLiteral("99"), QStringLiteral("memo")});
    const std::vector<BookRecord> records = RecordsOf(g);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], rec(QStringLiteral("2024/01/01"), QStringLiteral("m"), QStringLiteral("1"), {},
                              QStringLiteral("memo")));
}
