#include "board/port_number.h"

#include "board/decimal_field.h"
#include "platform/numbers.h"

namespace qv {

int16_t portNumberOfListText(const std::string& text) {
    // The number sits in characters 4 to 7 ("Com 12"): a typed "COM5" still names 5,
    // a bare "5" names nothing.
    const auto n = toInt16(decimalField(midCharacters(text, 3, 4)));
    // A negative number or one beyond 16 bits names no port; 0 lets "Connect" refuse
    // with its own message instead of opening a nonsense port.
    if (!n || *n < 0) return 0;
    return *n;
}

}  // namespace qv
