#pragma once

// The fuzz targets. Each takes one input of any bytes, runs the code under test on it and
// stops the process through Fail() when a property that must hold for every input does not.
// A libFuzzer program calls one of them from LLVMFuzzerTestOneInput (libfuzzer_entry.cpp);
// the generated-input driver (generated_inputs.cpp) calls all of them in one test.

#include <string_view>

namespace pv::fuzz {

// QuoteArgument then SplitCommandLine gives every argument back unchanged.
void FuzzCommandLine(std::string_view input);
// MatchesWildcard agrees with a slow, plainly recursive matcher. Input: pattern, '\n', name.
void FuzzWildcard(std::string_view input);
// NormaliseEntryPath and ComposePath.
void FuzzEntryPath(std::string_view input);
// ParseSkin gives a Skin within the documented limits or a Failure naming a line.
void FuzzSkinFile(std::string_view input);
// ReadCursorFileHeader accepts only headers whose every claim holds in the buffer.
void FuzzCursorFile(std::string_view input);
// ParsePrinterPosition accepts exactly the decimal texts that fit an int.
void FuzzPrinterPosition(std::string_view input);

// Reports the broken property and ends the process abnormally, so that libFuzzer keeps the
// input as a crash file and a test run fails.
[[noreturn]] void Fail(const char* property);

inline void Expect(bool holds, const char* property)
{
    if (!holds)
        Fail(property);
}

}  // namespace pv::fuzz
