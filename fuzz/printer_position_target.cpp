#include <climits>
#include <cstdint>
#include <string>

#include "printing/printer_selection.h"
#include "targets.h"

namespace pv::fuzz {
namespace {

// A decimal whole number: an optional minus sign, then one or more digits and nothing else.
// Its value when that fits an int.
std::optional<int> ReferenceValue(std::string_view text)
{
    const bool negative = text.starts_with('-');
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{INT_MAX} + 1)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

void FuzzPrinterPosition(std::string_view input)
{
    Expect(ParsePrinterPosition(std::string(input)) == ReferenceValue(input),
           "exactly the decimal texts that fit an int are read, to their value");

    // Every position the program stores reads back as itself.
    std::uint32_t bits = 0;
    for (const char c : input.substr(0, 4))
        bits = bits << 8 | static_cast<std::uint8_t>(c);
    const int position = static_cast<int>(bits);
    Expect(ParsePrinterPosition(std::to_string(position)) == position, "a stored position reads back");
}

}  // namespace pv::fuzz
