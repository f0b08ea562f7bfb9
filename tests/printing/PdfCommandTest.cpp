#include "ScriptedUi.h"

#include "platform/RuntimeError.h"
#include "presenters/PdfCommand.h"

#include <gtest/gtest.h>

using namespace purslet;
using namespace purslet::test;

TEST(PdfCommand, SaveDialogThenTheFileAndTheStatus)
{
    const QString out = QStringLiteral("/tmp/book.pdf");
    const QString done = QStringLiteral("PDFファイルに書き出しました。") + out;
    enum class Writer { Writes, Fails, Throws };
    struct Case
    {
        const char *name;
        std::deque<QString> paths; // empty: the dialog cancelled
        Writer writer;
        std::deque<MsgAnswer> answers;
        QStringList written;
        QStringList statuses;
        size_t messages;
    };
    const Case cases[] = {
        {"cancelled", {}, Writer::Writes, {}, {}, {}, 0},
        {"written", {out}, Writer::Writes, {}, {out}, {done}, 0},
        // The failure was shown where it happened; nothing claims a file.
        {"not written", {out}, Writer::Fails, {}, {out}, {QString()}, 0},
        {"error", {out}, Writer::Throws, {MsgAnswer::No}, {out}, {QString()}, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUi ui;
        ui.savePaths = c.paths;
        ui.answers = c.answers;
        QStringList written;
        filePdf_Click(ui, QStringLiteral("/home/a/家計.psl"), [&](const QString &path) {
            written << path;
            if (c.writer == Writer::Throws)
                throw RuntimeError(RuntimeError::PermissionDenied);
            return c.writer == Writer::Writes;
        });
        ASSERT_EQ(ui.fileDialogs.size(), 1u);
        const FileDialogRequest &request = ui.fileDialogs[0];
        EXPECT_EQ(request.title, QStringLiteral("PDFファイルに書き出す"));
        EXPECT_EQ(request.defaultSuffix, QStringLiteral("pdf"));
        EXPECT_EQ(request.initialPath, QStringLiteral("/home/a/家計.pdf"));
        EXPECT_TRUE(request.askOverwrite);
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(ui.statuses, c.statuses);
        EXPECT_EQ(ui.messages.size(), c.messages);
    }
}

TEST(PdfCommand, OfferedNameBesideTheBook)
{
    const std::pair<const char *, const char *> cases[] = {
        {"", ""},
        {"/home/a/book.psl", "/home/a/book.pdf"},
        {"/home/a/book.2024.csv", "/home/a/book.2024.pdf"},
        {"/home/a/book", "/home/a/book.pdf"},
    };
    for (const auto &[book, pdf] : cases)
        EXPECT_EQ(PdfPathFor(QString::fromUtf8(book)), QString::fromUtf8(pdf)) << book;
}
