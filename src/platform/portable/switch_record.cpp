#include "platform/portable/switch_record.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <sstream>
#include <thread>
#include <utility>

#include "failure/failure.h"

namespace pv::switch_record {
namespace {

constexpr char kHeading[] = "Pressvale default printer switch";

// Names hold any bytes but blanks and control characters, written as %XX, so that a line
// splits at its blanks alone.
std::string Escape(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte == '%' || byte == 0x7f) {
            constexpr char kHex[] = "0123456789ABCDEF";
            escaped += {'%', kHex[byte >> 4], kHex[byte & 15]};
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::optional<std::string> Unescape(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            plain += text[i];
            continue;
        }
        if (i + 2 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(text[i + 2])))
            return std::nullopt;
        plain += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
        i += 2;
    }
    return plain;
}

bool DefaultIsOneOf(Printers& printers, const SwitchRecord& record)
{
    try {
        if (printers.isCurrentDefault(record.replaced))
            return true;
        return std::any_of(record.printers.begin(), record.printers.end(),
                           [&](const std::string& name) { return printers.isCurrentDefault(name); });
    } catch (const Failure&) {
        return true;
    }
}

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Holds the store's lock for a scope, where it could be had.
class Locked {
public:
    explicit Locked(SwitchRecordStore& store) : store_(store), held_(store.lock()) {}
    ~Locked()
    {
        if (held_)
            store_.unlock();
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    bool held() const { return held_; }

private:
    SwitchRecordStore& store_;
    bool held_;
};

// The record as it stands, without the programs that no longer run; nothing when there is
// none or it cannot be read.
std::optional<SwitchRecord> ReadLive(SwitchRecordStore& store)
{
    const std::optional<std::string> text = store.read();
    std::optional<SwitchRecord> record = text ? Parse(*text) : std::nullopt;
    if (record)
        std::erase_if(record->programs, [&](const ProgramIdentity& program) { return !store.runs(program); });
    return record;
}

}  // namespace

std::string Format(const SwitchRecord& record)
{
    std::string text = std::string(kHeading) + "\nreplaced " + Escape(record.replaced) + '\n';
    for (const std::string& printer : record.printers)
        text += "printer " + Escape(printer) + '\n';
    for (const ProgramIdentity& program : record.programs) {
        text += "program " + Escape(program.host) + ' ' + Escape(program.user) + ' ' + Escape(program.processId) + ' ' +
                Escape(program.started) + '\n';
    }
    return text;
}

std::optional<SwitchRecord> Parse(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kHeading)
        return std::nullopt;
    SwitchRecord record;
    bool replacedSeen = false;
    while (std::getline(lines, line)) {
        // Split at each blank, so that an empty field (an empty name) stays a field.
        const std::size_t keywordEnd = std::min(line.find(' '), line.size());
        const std::string keyword = line.substr(0, keywordEnd);
        std::vector<std::string> fields;
        for (std::size_t start = keywordEnd; start < line.size();) {
            const std::size_t end = std::min(line.find(' ', start + 1), line.size());
            std::optional<std::string> field = Unescape(line.substr(start + 1, end - start - 1));
            if (!field)
                return std::nullopt;
            fields.push_back(std::move(*field));
            start = end;
        }
        if (keyword == "replaced" && fields.size() == 1 && !replacedSeen) {
            record.replaced = fields[0];
            replacedSeen = true;
        } else if (keyword == "printer" && fields.size() == 1) {
            record.printers.push_back(fields[0]);
        } else if (keyword == "program" && fields.size() == 4) {
            record.programs.push_back({fields[0], fields[1], fields[2], fields[3]});
        } else {
            return std::nullopt;
        }
    }
    return replacedSeen ? std::optional(record) : std::nullopt;
}

void ProgramSwitches::join(const std::string& replaced) noexcept
{
    try {
        const Locked locked(store_);
        if (!locked.held())
            return;
        std::optional<SwitchRecord> record = ReadLive(store_);
        // A default that is none of the record's is the user's choice since: the record
        // begins again from it, keeping the programs that still run.
        if (!record || (replaced != record->replaced && !Contains(record->printers, replaced))) {
            SwitchRecord fresh{replaced, {}, record ? record->programs : std::vector<ProgramIdentity>{}};
            record = std::move(fresh);
        }
        record->programs.push_back(store_.self());
        store_.write(Format(*record));
        recorded_ = true;
    } catch (const Failure&) {
    }
}

void ProgramSwitches::add(const std::string& printer) noexcept
{
    if (!recorded_)
        return;
    try {
        const Locked locked(store_);
        std::optional<SwitchRecord> record = ReadLive(store_);
        if (locked.held() && record && !Contains(record->printers, printer)) {
            record->printers.push_back(printer);
            store_.write(Format(*record));
        }
    } catch (const Failure&) {
    }
}

void ProgramSwitches::leave(const std::string& ownReplaced, const std::function<void(const std::string&)>& putBack)
{
    if (!std::exchange(recorded_, false)) {
        putBack(ownReplaced);
        return;
    }
    const Locked locked(store_);
    std::optional<SwitchRecord> record;
    try {
        record = locked.held() ? ReadLive(store_) : std::nullopt;
    } catch (const Failure&) {
    }
    if (!record) {
        putBack(ownReplaced);
        return;
    }
    const ProgramIdentity self = store_.self();
    std::erase(record->programs, self);
    if (!record->programs.empty()) {
        try {
            store_.write(Format(*record));
        } catch (const Failure&) {
        }
        return;
    }
    try {
        putBack(record->replaced);
    } catch (...) {
        try {
            store_.write(Format(*record));
        } catch (const Failure&) {
        }
        throw;
    }
    store_.remove();
}

bool Settle(SwitchRecordStore& store, Printers& printers, const std::optional<SwitchRecord>& told)
{
    // Nearly every start finds no record: it then locks, and makes, nothing.
    if (!told && !store.read())
        return true;
    const Locked locked(store);
    std::optional<SwitchRecord> record;
    try {
        record = locked.held() ? ReadLive(store) : std::nullopt;
        if (!record && locked.held() && store.read())
            store.remove();  // a text that is no record
    } catch (const Failure&) {
    }
    const bool fromStore = record.has_value();
    if (record && told) {
        std::erase_if(record->programs, [&](const ProgramIdentity& program) {
            return std::find(told->programs.begin(), told->programs.end(), program) != told->programs.end();
        });
    }
    if (!record)
        record = told;
    if (!record)
        return true;
    if (fromStore && !record->programs.empty())
        return true;
    try {
        if (DefaultIsOneOf(printers, *record))
            printers.setDefault(record->replaced);
    } catch (const Failure&) {
        return false;
    }
    if (fromStore)
        store.remove();
    return true;
}

namespace {

void SettleWithRetries(SwitchRecordStore& store, Printers& printers, const std::optional<SwitchRecord>& told, int tries,
                       std::chrono::seconds pause)
{
    for (int attempt = 1; !Settle(store, printers, told) && attempt < tries; ++attempt)
        std::this_thread::sleep_for(pause);
}

}  // namespace

void RestoreAtLogIn(SwitchRecordStore& store, Printers& printers)
{
    SettleWithRetries(store, printers, std::nullopt, 10, std::chrono::seconds(3));
    store.removeLoginEntry();
}

void SettleAfterProgramEnded(SwitchRecordStore& store, Printers& printers, const SwitchRecord& told)
{
    SettleWithRetries(store, printers, told, 3, std::chrono::seconds(1));
}

}  // namespace pv::switch_record
