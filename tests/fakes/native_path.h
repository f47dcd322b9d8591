#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "services/path_style.h"

namespace pv::testing {

// The drive that rooted test paths lie on where paths carry one.
inline constexpr std::string_view kTestDrive = pv::kPathSeparator == '\\' ? "C:" : "";

// `path`, written with "/" as tests write it, in the platform's form: every "/" becomes the
// platform's separator, and a rooted path gets the test drive in front ("/docs/a.pdf" is
// "C:\docs\a.pdf" on Windows, "/" is "C:\"). Relative paths get no drive.
inline std::string Native(std::string_view path)
{
    std::string result;
    if (!path.empty() && path.front() == '/')
        result = kTestDrive;
    for (char c : path)
        result += c == '/' ? pv::kPathSeparator : c;
    return result;
}

// Native of each of `paths`, in order.
inline std::vector<std::string> NativePaths(std::initializer_list<std::string_view> paths)
{
    std::vector<std::string> result;
    for (std::string_view path : paths)
        result.push_back(Native(path));
    return result;
}

// `folder` (already native), one separator, then the relative `tail` written with "/" as tests
// write it.
inline std::string NativeJoin(const std::string& folder, std::string_view tail)
{
    return folder + pv::kPathSeparator + Native(tail);
}

}  // namespace pv::testing
