// Comma or line-end separated items, read from a stream only as far as they are asked
// for: the settings file and the effect files need their first few items, and whatever
// follows those (a long tail, a stray huge file) is never taken in.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The blanks skipped in front of an item: space and tab.
inline bool isBlank(int c) { return c == ' ' || c == '\t'; }

class ItemReader {
public:
    // How a double quote inside a quoted item reads.
    enum class Quotes {
        EndTheItem,   // the item runs to the next quote
        DoubledIsOne  // "" stands for one quote; a single one ends the item
    };

    // Reads at most `budget` bytes of `in`; the reader ends there as if the text ended.
    ItemReader(std::istream& in, size_t budget, Quotes quotes) : in_(in), left_(budget), quotes_(quotes) {}

    // The next item, or nullopt where the text ends. Items end at a comma or a line end
    // (CR LF, LF or CR alone), which is consumed; blanks and tabs in front of an item are
    // skipped; a quoted item may hold commas and line ends, and whatever stands between
    // its closing quote and the separator is dropped.
    std::optional<std::string> next();

    // Consumes `prefix` when the text goes on with it.
    bool skip(std::string_view prefix);

    // The text was not read to its end because the budget ran out, so the last item may
    // be cut short.
    bool overBudget() const { return overBudget_; }
    // The stream failed while it was read.
    bool failed() const { return failed_; }

private:
    int peek(size_t ahead = 0);
    int get();
    int pull();
    void skipSeparator();

    std::istream& in_;
    size_t left_;
    Quotes quotes_;
    // Bytes taken from the stream but not yet consumed (a look-ahead).
    std::string pending_;
    bool ended_ = false;
    bool overBudget_ = false;
    bool failed_ = false;
};

}  // namespace qv
