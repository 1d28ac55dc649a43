// Effect files: a timing value followed by the steps of an LED animation, read as a
// sequence of comma or line-end separated items. Pure functions, no window state.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace qv::effects {

// The items of an effect file's text, in file order. Items are separated by commas and
// line ends (CR LF, LF or CR alone); blanks and tabs in front of an item are skipped; a
// quoted item runs to the next quote and may hold commas and leading blanks. The line
// end after the last item adds no item, but an empty line after it is one, empty.
// Stops after `maxItems` items so that an oversized file costs no more than a full one.
std::vector<std::string> splitItems(std::string_view text, size_t maxItems);

// The timing item as a 32-bit signed whole number: an optional sign, digits, and
// nothing after them but blanks or tabs. nullopt for anything else ("12x", "5.5", "").
std::optional<int32_t> parseTiming(std::string_view item);

struct EffectFile {
    int32_t timing = 0;
    std::vector<std::string> steps;  // at most kMaxEffectSteps; surplus steps are dropped
};

// Parses a file's text; a failure says why the file was refused. A UTF-8 byte-order mark
// in front is skipped, since common editors write one. The stream is read only as far as
// the timing and `maxSteps` steps reach; a file whose timing and steps take more than
// 1 MB is refused.
Result<EffectFile> parseEffect(std::istream& in, size_t maxSteps);
Result<EffectFile> parseEffect(std::string_view text, size_t maxSteps);

// Reads and parses the file at `path`.
Result<EffectFile> readEffectFile(const std::string& path, size_t maxSteps);

}  // namespace qv::effects
