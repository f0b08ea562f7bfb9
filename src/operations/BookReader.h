#pragma once

#include <QString>

namespace purslet {

class App;

// The file the book belonged to before the command that calls the reader
// set the current file path and title.
struct PreviousFile
{
    QString path;
    QString title;
};

enum class ReadResult {
    Refused, // the book was not touched; path and title are `previous` again
    Whole,   // the book is the file's (an empty book for a missing file)
    Partial, // abandoned part way: the book belongs to no file
};

// Reads the file at the current file path into the cash book; every outcome
// is shown to the user through the Ui. When the read is refused or fails
// before the book was touched (wrong password, too many records, a file that
// cannot be opened), the current file path and title go back to `previous`,
// so that they keep naming the book still shown. A missing file keeps the new
// path (a later Save creates it) and leaves an empty book. A read abandoned
// part way leaves a book without a file, so no Save cuts a file short.
ReadResult FileReading(App &app, const QString &title, const PreviousFile &previous);
// For callers that did not change the path beforehand (a repeated read).
ReadResult FileReading(App &app, const QString &title);

} // namespace purslet
