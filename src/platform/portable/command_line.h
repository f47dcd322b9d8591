#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pv {

// Splits a command line into arguments by the Windows rules (CommandLineToArgvW): the first
// argument ends at the first blank outside quotes; after it, 2n backslashes before a quote
// give n backslashes and the quote toggles quoting, 2n+1 give n backslashes and a literal
// quote; "" inside a quoted run gives a literal quote.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// `argument` in double quotes so that SplitCommandLine gives it back unchanged. For a text
// without quotes and without trailing backslashes this is simply quote, text, quote.
std::string QuoteArgument(std::string_view argument);

}  // namespace pv
