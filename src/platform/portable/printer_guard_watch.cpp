#include "platform/portable/printer_guard_watch.h"

namespace pv::printer_guard {

std::string Record(char kind, const std::string& name)
{
    std::string record(1, kind);
    record.append(name).push_back('\0');
    return record;
}

std::optional<switch_record::SwitchRecord> WatchProgram(const std::function<std::string()>& readSome,
                                                        const std::function<void()>& sayWatching)
{
    std::optional<switch_record::SwitchRecord> told;
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
                if (!told) {
                    told = switch_record::SwitchRecord{std::move(name), {}, {}};
                    sayWatching();
                }
                break;
            case kWatch:
                if (told)
                    told->printers.push_back(std::move(name));
                break;
            case kDone:
                return std::nullopt;
            }
        }
        pending.erase(0, start);
    }
    if (told && told->printers.empty())
        return std::nullopt;
    return told;
}

}  // namespace pv::printer_guard
