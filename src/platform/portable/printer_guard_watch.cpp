#include "platform/portable/printer_guard_watch.h"

#include <optional>
#include <vector>

#include "failure/failure.h"

namespace pv::printer_guard {
namespace {

bool DefaultIsOneOf(Printers& printers, const std::vector<std::string>& setByRuns)
{
    try {
        for (const std::string& name : setByRuns) {
            if (printers.isCurrentDefault(name))
                return true;
        }
        return false;
    } catch (const Failure&) {
        return true;
    }
}

}  // namespace

std::string Record(char kind, const std::string& name)
{
    std::string record(1, kind);
    record.append(name).push_back('\0');
    return record;
}

void WatchProgram(const std::function<std::string()>& readSome, const std::function<void()>& sayWatching,
                  Printers& printers)
{
    std::optional<std::string> replaced;
    std::vector<std::string> setByRuns;
    std::string pending;
    for (std::string bytes = readSome(); !bytes.empty(); bytes = readSome()) {
        pending += bytes;
        std::size_t start = 0;
        for (std::size_t end; (end = pending.find('\0', start)) != std::string::npos; start = end + 1) {
            if (end == start)
                continue;
            std::string name = pending.substr(start + 1, end - start - 1);
            switch (pending[start]) {
            case kReplaced:
                if (!replaced) {
                    replaced = std::move(name);
                    sayWatching();
                }
                break;
            case kWatch:
                setByRuns.push_back(std::move(name));
                break;
            case kDone:
                return;
            }
        }
        pending.erase(0, start);
    }
    if (!replaced || setByRuns.empty())
        return;
    // The replaced default counts as well: a switch that failed may still have written the
    // user's own default (where LPDEST outranks it, say), which putting it back mends.
    setByRuns.push_back(*replaced);
    if (DefaultIsOneOf(printers, setByRuns)) {
        try {
            printers.setDefault(*replaced);
        } catch (const Failure&) {
            // Nobody is left to tell; the guard has done what it could.
        }
    }
}

}  // namespace pv::printer_guard
