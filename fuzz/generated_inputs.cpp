// Runs every fuzz target on its seed corpus and then on a fixed stream of inputs made from the
// seeds by random edits, so that the targets' properties are checked in every build, also
// where libFuzzer is not available. The stream depends only on the seeds and the count.
//
//   pressvale_fuzz_generated CORPUS_FOLDER INPUTS_PER_TARGET

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "targets.h"

namespace pv::fuzz {
namespace {

using namespace std::string_literals;

struct Target {
    const char* name;  // also the name of its corpus folder
    void (*run)(std::string_view);
    std::vector<std::string> tokens;  // pieces of text the edits insert
};

const std::vector<Target>& Targets()
{
    static const std::vector<Target> targets{
        {"command_line", FuzzCommandLine, {"\"", "\\", " ", "\t", "\\\\\"", "\"\"", "\"\"\"", "\0"s, "a", "\xC3\xA9"}},
        {"wildcard",
         FuzzWildcard,
         {"*", "?", ".", ".*", "*.*", "\n", "a", "A", "z", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xC3",
          "\xA9", "\xFF"}},
        {"entry_path", FuzzEntryPath, {"/", "//", "\\", ":", "\n", "C:\\\\", "a", "."}},
        {"skin_file",
         FuzzSkinFile,
         {"\n",
          "\r\n",
          "[window]",
          "[button]",
          "[printer-box]",
          "[later]",
          "background = ",
          "#fff",
          "#102030",
          "font-size = ",
          "11.25",
          "font-family = ",
          "\"Arial\"",
          "font-bold = yes",
          "border-width = ",
          "32",
          "33",
          "radius=",
          "# c",
          "; c",
          "=",
          "[",
          "]",
          "\xEF\xBB\xBF",
          "\t",
          " ",
          "\x01",
          "\xC3\xA9",
          "\xED\xA0\x80"}},
        {"cursor_file",
         FuzzCursorFile,
         {"\0"s, "\x01", "\x02", "\xFF", "\x10", "\x28\0\0\0"s, "\0\0\0\0"s, "\x89PNG\r\n\x1a\n", "\x16\0\0\0"s}},
        {"printer_position",
         FuzzPrinterPosition,
         {"-", "0", "1", "9", "2147483647", "2147483648", "-2147483648", "+", " ", "x", "00", "\0"s}},
    };
    return targets;
}

// What Fail() reports along with the broken property.
const char* currentTarget = "";
std::string currentInput;

std::string Escaped(std::string_view bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            text += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            text += hex;
        }
    }
    return text;
}

std::vector<std::string> ReadSeeds(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<std::string> seeds;
    for (const auto& file : files) {
        std::ifstream stream(file, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    }
    return seeds;
}

class InputMaker {
public:
    InputMaker(const std::vector<std::string>& seeds, const std::vector<std::string>& tokens)
        : seeds_(seeds),
          tokens_(tokens)
    {}

    // A seed, or nothing, changed by one to eight random edits.
    std::string next()
    {
        std::string input = pick(seeds_.size() + 1) == 0 ? std::string() : seeds_[pick(seeds_.size())];
        for (std::size_t edits = 1 + pick(8); edits > 0; --edits)
            edit(input);
        if (input.size() > kLongest)
            input.resize(kLongest);
        return input;
    }

private:
    static constexpr std::size_t kLongest = 4096;

    std::size_t pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }

    void edit(std::string& input)
    {
        const std::size_t at = pick(input.size() + 1);
        const std::size_t length = std::min(input.size() - at, 1 + pick(8));
        switch (pick(6)) {
        case 0:
            input.insert(at, tokens_[pick(tokens_.size())]);
            break;
        case 1:
            input.insert(at, 1, static_cast<char>(pick(256)));
            break;
        case 2:
            input.erase(at, length);
            break;
        case 3:
            if (at < input.size())
                input[at] = static_cast<char>(pick(256));
            break;
        case 4:
            input.insert(pick(input.size() + 1), input.substr(at, length));
            break;
        default: {
            const std::string& other = seeds_[pick(seeds_.size())];
            input = input.substr(0, at) + other.substr(pick(other.size() + 1));
            break;
        }
        }
    }

    const std::vector<std::string>& seeds_;
    const std::vector<std::string>& tokens_;
    std::mt19937_64 random_{20240611};
};

}  // namespace

void Fail(const char* property)
{
    std::fprintf(stderr, "Broken property in target %s: %s\nInput: \"%s\"\n", currentTarget, property,
                 Escaped(currentInput).c_str());
    std::abort();
}

}  // namespace pv::fuzz

int main(int argc, char** argv)
{
    using namespace pv::fuzz;
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER INPUTS_PER_TARGET\n", argv[0]);
        return 2;
    }
    const std::filesystem::path corpus = argv[1];
    const long count = std::atol(argv[2]);
    for (const Target& target : Targets()) {
        currentTarget = target.name;
        const std::vector<std::string> seeds = ReadSeeds(corpus / target.name);
        if (seeds.empty()) {
            std::fprintf(stderr, "No seeds in %s\n", (corpus / target.name).c_str());
            return 1;
        }
        for (const std::string& seed : seeds) {
            currentInput = seed;
            target.run(currentInput);
        }
        InputMaker maker(seeds, target.tokens);
        for (long i = 0; i < count; ++i) {
            currentInput = maker.next();
            target.run(currentInput);
        }
        std::printf("%-16s %zu seeds, %ld generated inputs\n", target.name, seeds.size(), count);
    }
    return 0;
}
