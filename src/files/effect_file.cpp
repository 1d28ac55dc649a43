#include "files/effect_file.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qv::effects {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::vector<std::string> splitItems(std::string_view text, size_t maxItems) {
    std::vector<std::string> items;
    size_t p = 0;
    const size_t n = text.size();
    while (p < n && items.size() < maxItems) {
        while (p < n && isBlank(text[p])) ++p;
        std::string item;
        if (p < n && text[p] == '"') {
            const size_t close = text.find('"', p + 1);
            const size_t end = close == std::string_view::npos ? n : close;
            item.assign(text.substr(p + 1, end - p - 1));
            p = end;
            // Whatever follows the closing quote up to the separator is not part of it.
            while (p < n && text[p] != ',' && !isLineEnd(text[p])) ++p;
        } else {
            const size_t start = p;
            while (p < n && text[p] != ',' && !isLineEnd(text[p])) ++p;
            item.assign(text.substr(start, p - start));
        }
        items.push_back(std::move(item));
        if (p < n) {
            if (text[p] == '\r' && p + 1 < n && text[p + 1] == '\n') ++p;
            ++p;
        }
    }
    return items;
}

std::optional<int32_t> parseTiming(std::string_view item) {
    size_t end = item.size();
    while (end > 0 && isBlank(item[end - 1])) --end;
    item = item.substr(0, end);
    const bool plus = !item.empty() && item.front() == '+';
    if (plus) item.remove_prefix(1);
    if (item.empty() || item.front() == '+' || (plus && item.front() == '-')) return std::nullopt;
    int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(item.data(), item.data() + item.size(), value);
    if (ec != std::errc() || ptr != item.data() + item.size()) return std::nullopt;
    return value;
}

ReadResult parseEffect(std::string_view text, size_t maxSteps) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());

    std::vector<std::string> items = splitItems(text, maxSteps + 1);
    if (items.empty()) return {std::nullopt, "the file is empty"};
    const std::optional<int32_t> timing = parseTiming(items.front());
    if (!timing) {
        // A binary file's first "item" can be long; a glimpse is enough to recognise it.
        constexpr size_t kShown = 20;
        std::string shown = items.front().substr(0, kShown);
        if (items.front().size() > kShown) shown += "...";
        return {std::nullopt, "its first item, \"" + shown + "\", is no timing (a whole number from -2147483648 to 2147483647)"};
    }
    EffectFile fx;
    fx.timing = *timing;
    fx.steps.assign(std::make_move_iterator(items.begin() + 1), std::make_move_iterator(items.end()));
    return {std::move(fx), {}};
}

ReadResult readEffectFile(const std::string& path, size_t maxSteps) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return {std::nullopt, "the file does not exist"};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {std::nullopt, "the file cannot be opened"};
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return {std::nullopt, "the file cannot be read"};
    return parseEffect(text.str(), maxSteps);
}

}  // namespace qv::effects
