#pragma once

#include <QString>

#include <vector>

namespace purslet {

struct Book;

// A text as finding compares it: in the form a file gives it back, then
// width and case folded, so that ａ finds a and ｶ finds カ.
QString SearchForm(const QString &text);

// The rows of the cash book shown (grid rows, top to bottom) whose matter or
// memo holds the text, or, when the text is a number ("1200", "1,200",
// "１２００"), whose income or outgo is that amount.
std::vector<int> MatchingRows(const Book &book, const QString &text);

// The matches of one text, kept between the steps of a find: worked out
// again only when the text changes or after forget() (the records or the
// period changed).
class RecordSearch final
{
public:
    const std::vector<int> &matches(const Book &book, const QString &text);
    void forget() { m_valid = false; }

private:
    bool m_valid = false;
    QString m_text;
    std::vector<int> m_matches;
};

} // namespace purslet
