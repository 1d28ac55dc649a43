#include "files/item_reader.h"

#include <istream>

namespace qv {

namespace {

constexpr int kEnd = -1;

bool isSeparator(int c) { return c == ',' || c == '\r' || c == '\n'; }

}  // namespace

std::optional<std::string> ItemReader::next() {
    if (peek() == kEnd) return std::nullopt;
    while (isBlank(peek())) get();
    std::string item;
    if (peek() == '"') {
        get();
        for (int c = get(); c != kEnd; c = get()) {
            if (c != '"') {
                item.push_back(static_cast<char>(c));
            } else if (quotes_ == Quotes::DoubledIsOne && peek() == '"') {
                item.push_back('"');
                get();
            } else {
                break;
            }
        }
        while (peek() != kEnd && !isSeparator(peek())) get();
    } else {
        for (int c = peek(); c != kEnd && !isSeparator(c); c = peek())
            item.push_back(static_cast<char>(get()));
    }
    skipSeparator();
    return item;
}

bool ItemReader::skip(std::string_view prefix) {
    for (size_t i = 0; i < prefix.size(); ++i)
        if (peek(i) != static_cast<unsigned char>(prefix[i])) return false;
    pending_.erase(0, prefix.size());
    return true;
}

void ItemReader::skipSeparator() {
    const int c = get();
    if (c == '\r' && peek() == '\n') get();
}

int ItemReader::peek(size_t ahead) {
    while (pending_.size() <= ahead) {
        const int c = pull();
        if (c == kEnd) return kEnd;
        pending_.push_back(static_cast<char>(c));
    }
    return static_cast<unsigned char>(pending_[ahead]);
}

int ItemReader::get() {
    if (pending_.empty()) return pull();
    const int c = static_cast<unsigned char>(pending_.front());
    pending_.erase(0, 1);
    return c;
}

int ItemReader::pull() {
    if (ended_) return kEnd;
    using Traits = std::istream::traits_type;
    // A file stream that fails to read its file is left in the bad state, and ends there.
    if (left_ == 0) {
        ended_ = true;
        overBudget_ = in_.peek() != Traits::eof();
        failed_ = in_.bad();
        return kEnd;
    }
    const Traits::int_type c = in_.get();
    if (c == Traits::eof()) {
        ended_ = true;
        failed_ = in_.bad();
        return kEnd;
    }
    --left_;
    return c;
}

}  // namespace qv
