#include "platform/cups/cups_printers.h"

#include <cups/cups.h>

#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <optional>

#include "failure/failure.h"
#include "platform/cups/user_lpoptions.h"

namespace pv {
namespace {

// The destination list of one cupsGetDests2 call, freed when it goes out of scope.
class DestList {
public:
    DestList() { count_ = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_); }
    ~DestList() { cupsFreeDests(count_, dests_); }
    DestList(const DestList&) = delete;
    DestList& operator=(const DestList&) = delete;

    cups_dest_t* begin() const { return dests_; }
    cups_dest_t* end() const { return dests_ + count_; }
    int count() const { return count_; }
    cups_dest_t* data() const { return dests_; }

private:
    cups_dest_t* dests_ = nullptr;
    int count_ = 0;
};

// A failure of the last CUPS request, described in the user's terms.
Failure lastCupsFailure(const std::string& action)
{
    const ipp_status_t status = cupsLastError();
    std::string description;
    if (status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
        description =
            std::string("The print system (CUPS at ") + cupsServer() + ") cannot be reached: " + cupsLastErrorString();
    else
        description = action + ": " + cupsLastErrorString();
    return Failure(description, status);
}

// Whether the last request found no scheduler to answer it.
bool schedulerUnreachable(const DestList& dests)
{
    return dests.count() == 0 && cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
}

// Throws unless the scheduler answered. One without printers answers "not found", which is
// an empty list; any other error, an unreachable scheduler among them, is a failure.
void requireAnswer(const DestList& dests, const std::string& action)
{
    if (dests.count() == 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE &&
        cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND)
        throw lastCupsFailure(action);
}

Failure noDefaultFailure()
{
    return Failure("No default printer is set.", failure_code::kPrinterNotFound);
}

std::string displayName(const cups_dest_t& dest)
{
    std::string name = dest.name;
    if (dest.instance)
        name.append("/").append(dest.instance);
    return name;
}

// The destination the library marks as the default, if any.
std::optional<std::string> markedDefault(const DestList& dests)
{
    for (const cups_dest_t& dest : dests) {
        if (dest.is_default)
            return displayName(dest);
    }
    return std::nullopt;
}

// Whether the environment names the default, outranking every lpoptions file: LPDEST, or
// PRINTER unless it is "lp" (the old System V name, which CUPS passes over).
bool environmentNamesDefault()
{
    const char* lpdest = std::getenv("LPDEST");
    const char* printer = std::getenv("PRINTER");
    return (lpdest && *lpdest) || (printer && *printer && std::strcmp(printer, "lp") != 0);
}

// Writes `name` ("queue" or "queue/instance"), spelt as the scheduler spells it, as the
// default into the user's lpoptions.
// While the scheduler cannot be reached the name cannot be checked, and the failure says so;
// the file is written all the same, since the user's default lives there and not in the
// scheduler: a print run that ends while the scheduler is away still puts the user's own
// default back for when it returns.
void saveUserDefault(const std::string& name)
{
    DestList dests;
    if (schedulerUnreachable(dests)) {
        const Failure unreachable = lastCupsFailure("Cannot save the default printer");
        WriteUserDefaultPrinter(name);
        throw Failure(unreachable.description() + ". \"" + name +
                          "\" was saved as the default printer for when it "
                          "can be reached again.",
                      unreachable.code());
    }
    requireAnswer(dests, "Cannot read the printers");

    // Printer names cannot hold "/", so the first one separates an instance.
    const auto slash = name.find('/');
    const std::string queue = name.substr(0, slash);
    const std::string instance = slash == std::string::npos ? "" : name.substr(slash + 1);
    cups_dest_t* chosen =
        cupsGetDest(queue.c_str(), instance.empty() ? nullptr : instance.c_str(), dests.count(), dests.data());
    if (!chosen)
        throw Failure("The printer \"" + name + "\" is not installed.", failure_code::kPrinterNotFound);

    // Written by our own writer rather than cupsSetDests2: run as root, newer client
    // libraries (CUPS 2.4.10) save there into the system-wide lpoptions, which every user
    // reads and which the user's own file outranks, so the default would neither be the
    // user's nor be put back where it was read.
    WriteUserDefaultPrinter(displayName(*chosen));
}

}  // namespace

std::vector<std::string> CupsPrinters::installed()
{
    DestList dests;
    requireAnswer(dests, "Cannot list the printers");
    std::vector<std::string> names;
    for (const cups_dest_t& dest : dests) {
        if (!dest.instance)
            names.emplace_back(dest.name);
    }
    return names;
}

std::string CupsPrinters::defaultPrinter()
{
    DestList dests;
    // The user's own default lives in their options file, so it can be read (and later put
    // back) while the scheduler is away.
    if (schedulerUnreachable(dests)) {
        if (auto saved = ReadUserDefaultPrinter())
            return *saved;
    }
    requireAnswer(dests, "Cannot read the default printer");
    if (auto name = markedDefault(dests))
        return *name;
    if (dests.count() == 0)
        throw noDefaultFailure();
    return {};
}

bool CupsPrinters::isCurrentDefault(const std::string& name)
{
    DestList dests;
    if (schedulerUnreachable(dests))
        throw lastCupsFailure("Cannot read the default printer");
    requireAnswer(dests, "Cannot read the default printer");
    const auto current = markedDefault(dests);
    if (!current)
        throw noDefaultFailure();
    return *current == name;
}

void CupsPrinters::setDefault(const std::string& name)
{
    // LPDEST or PRINTER outrank the user's lpoptions, so a write there would change nothing
    // that the reader uses, only the user's own default, which the run's put-back would then
    // replace with the environment's printer. The file is left alone, and a choice that the
    // environment overrides is reported rather than claimed.
    if (environmentNamesDefault()) {
        DestList dests;
        requireAnswer(dests, "Cannot read the default printer");
        if (strcasecmp(markedDefault(dests).value_or("").c_str(), name.c_str()) != 0)
            throw Failure("\"" + name +
                              "\" was not made the default printer: the LPDEST or PRINTER environment "
                              "setting overrides it.",
                          failure_code::kInvalidProcedureCall);
        return;
    }
    // No default: the user's options file names none; the scheduler has none of its own,
    // or it would have been the default read before.
    if (name.empty()) {
        WriteUserDefaultPrinter(name);
        return;
    }
    saveUserDefault(name);
}

}  // namespace pv
