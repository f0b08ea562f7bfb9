#pragma once

#include <QString>

namespace purslet {

// A print job that takes lines of text, as the print commands use it. Every
// call but abort() may throw RuntimeError.
class LinePrinter
{
public:
    virtual ~LinePrinter() = default;

    // The print dialog: false when the user cancelled it. Throws when there
    // is no printer to choose.
    virtual bool choose() = 0;
    // Starts the job on the chosen printer.
    virtual void begin() = 0;
    virtual void setFontName(const QString &name) = 0;
    // One line below the last; a line that does not fit goes to a new page.
    virtual void printLine(const QString &line) = 0;
    // Ends the document: the job goes to the printer.
    virtual void end() = 0;
    // Gives up an unfinished job: withdrawn where the print system allows
    // it, otherwise closed as far as it got.
    virtual void abort() = 0;
};

} // namespace purslet
