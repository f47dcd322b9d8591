#pragma once

#include <stdexcept>
#include <string>

namespace pv {

// The one kind of failure every routine raises: a description for the user and a numeric
// code. The code is one of the run-time error numbers below when the program raises the
// failure itself, or the system's own error number (errno on Linux, GetLastError() on Windows)
// when a platform service passes a failure of the system on. Guarded procedures catch it,
// report it and go on with their next step.
class Failure : public std::runtime_error {
public:
    Failure(std::string description, long code)
        : std::runtime_error(description),
          description_(std::move(description)),
          code_(code)
    {}

    const std::string& description() const { return description_; }
    long code() const { return code_; }

private:
    std::string description_;
    long code_;
};

// Codes the program raises itself: the run-time error numbers of the Windows platform for the
// same faults, so an error report names such a fault by one number everywhere.
namespace failure_code {
inline constexpr long kInvalidProcedureCall = 5;
inline constexpr long kSubscriptOutOfRange = 9;
inline constexpr long kInternalError = 51;
inline constexpr long kFileNotFound = 53;
inline constexpr long kPathNotFound = 76;
inline constexpr long kInvalidPicture = 481;
inline constexpr long kFileNameBufferTooSmall = 20476;
inline constexpr long kIndexOutOfBounds = 35600;
inline constexpr long kPrinterNotFound = 1801;
}  // namespace failure_code

}  // namespace pv
