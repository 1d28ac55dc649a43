#include "files/effect_file.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/item_reader.h"

namespace qv::effects {

namespace {

// An effect file is a few kB at most; its timing and steps never need more than this.
constexpr size_t kReadBudget = 1 << 20;

std::vector<std::string> splitItems(ItemReader& in, size_t maxItems) {
    std::vector<std::string> items;
    while (items.size() < maxItems) {
        std::optional<std::string> item = in.next();
        if (!item) break;
        items.push_back(std::move(*item));
    }
    return items;
}

}  // namespace

std::vector<std::string> splitItems(std::string_view text, size_t maxItems) {
    std::istringstream in{std::string(text)};
    ItemReader items(in, text.size(), ItemReader::Quotes::EndTheItem);
    return splitItems(items, maxItems);
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

Result<EffectFile> parseEffect(std::string_view text, size_t maxSteps) {
    std::istringstream in{std::string(text)};
    return parseEffect(in, maxSteps);
}

Result<EffectFile> parseEffect(std::istream& file, size_t maxSteps) {
    ItemReader in(file, kReadBudget, ItemReader::Quotes::EndTheItem);
    in.skip("\xEF\xBB\xBF");
    std::vector<std::string> items = splitItems(in, maxSteps + 1);
    if (in.failed()) return Failure{"the file cannot be read"};
    if (in.overBudget()) return Failure{"its timing and steps run on past its first 1 MB"};
    if (items.empty()) return Failure{"the file is empty"};
    const std::optional<int32_t> timing = parseTiming(items.front());
    if (!timing) {
        // A binary file's first "item" can be long; a glimpse is enough to recognise it.
        constexpr size_t kShown = 20;
        std::string shown = items.front().substr(0, kShown);
        if (items.front().size() > kShown) shown += "...";
        return Failure{"its first item, \"" + shown +
                       "\", is no timing (a whole number from -2147483648 to 2147483647)"};
    }
    EffectFile fx;
    fx.timing = *timing;
    fx.steps.assign(std::make_move_iterator(items.begin() + 1), std::make_move_iterator(items.end()));
    return fx;
}

Result<EffectFile> readEffectFile(const std::string& path, size_t maxSteps) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return Failure{"the file does not exist"};
    std::ifstream in(path, std::ios::binary);
    if (!in) return Failure{"the file cannot be opened"};
    return parseEffect(in, maxSteps);
}

}  // namespace qv::effects
