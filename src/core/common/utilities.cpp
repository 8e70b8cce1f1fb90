#include "core/common/utilities.h"

#include <algorithm>

#include "core/common/usernotify.h"

#ifdef _WIN32
#include <windows.h>
#endif

std::string OsVersionNameFor(int major, int minor) {
    struct Entry {
        int major;
        int minor;
        const char* name;
    };
    static constexpr Entry kNames[] = {
        {5, 0, "Windows 2000"},  {5, 1, "Windows XP"},  {5, 2, "Windows 2003"},
        {6, 0, "Windows Vista"}, {6, 1, "Windows 7"},   {6, 2, "Windows 8"},
        {6, 3, "Windows 8.1"},   {10, 0, "Windows 10"},
    };
    for (const Entry& e : kNames) {
        if (e.major == major && e.minor == minor) {
            return e.name;
        }
    }
    return "当前系统低于Windows 2000，或者高于Windows 10，或者未知系统版本";
}

std::string GetOsVersionName() {
#ifdef _WIN32
    // The process environment block holds the true version, unlike the compatibility-adjusted
    // version query.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
        auto fn = reinterpret_cast<RtlGetVersionFn>(GetProcAddress(ntdll, "RtlGetVersion"));
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof(info);
        if (fn != nullptr && fn(&info) == 0) {
            return OsVersionNameFor(static_cast<int>(info.dwMajorVersion),
                                    static_cast<int>(info.dwMinorVersion));
        }
    }
#endif
    return OsVersionNameFor(-1, -1);
}

std::string BytesToString(std::span<const std::uint8_t> bytes, int n) {
    const auto count =
        static_cast<std::size_t>(std::clamp<long>(n, 0, static_cast<long>(bytes.size())));
    auto first = bytes.begin();
    auto last = std::find(first, first + static_cast<std::ptrdiff_t>(count), std::uint8_t{0});
    return std::string(first, last);
}

bool StringToFixedField(std::span<std::uint8_t> field, std::string_view text) {
    if (text.size() > field.size()) {
        NotifyUser("char Len error");
        return false;
    }
    std::copy(text.begin(), text.end(), field.begin());
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(text.size()), field.end(),
              std::uint8_t{0x20});
    return true;
}
