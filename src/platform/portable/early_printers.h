#pragma once

#include <future>
#include <string>
#include <thread>
#include <vector>

#include "services/printers.h"

namespace pv {

// The printers, with the start-up's two questions put ahead of time. Made as the program
// starts, it asks `printers` for the default printer and for the installed printers, each on
// a thread of its own, as the Printers interface allows, so that the print system answers
// while the window is being built and the two waits overlap (a print system that searches the
// network may take a quarter of a second for each). Each early answer, or the failure that
// came instead, is handed to the first call that asks that question; every later call, and
// every other question, goes to `printers` when it is made, once both early questions have
// been answered.
class EarlyPrinters final : public Printers {
public:
    explicit EarlyPrinters(Printers& printers);
    ~EarlyPrinters() override;
    EarlyPrinters(const EarlyPrinters&) = delete;
    EarlyPrinters& operator=(const EarlyPrinters&) = delete;

    // Drops the early answers nobody took, so that no later call gets one that has gone stale.
    void dropEarlyAnswers();

    std::vector<std::string> installed() override;
    std::string defaultPrinter() override;
    bool isCurrentDefault(const std::string& name) override;
    void setDefault(const std::string& name) override;

private:
    // Waits until the early questions have been answered.
    void finishAsking();

    Printers& printers_;
    std::future<std::string> defaultPrinter_;
    std::future<std::vector<std::string>> installed_;
    std::thread askingDefault_;
    std::thread askingInstalled_;
};

}  // namespace pv
