// The two scene records (0 "Sing", 1 "Disco") of one output kind.
#pragma once

#include <array>

#include "core/model/outputrecord.h"

// Scene index of a value from the unit, a file or a page: 1 only when the value is 1.
inline int SceneIndex(int scene) {
    return scene == 1 ? 1 : 0;
}

template <typename TRecord>
class COutputRoute {
public:
    explicit COutputRoute(DeviceImage* image) : m_records{TRecord(0, image), TRecord(1, image)} {}

    TRecord& GetAt(int scene) { return m_records[static_cast<std::size_t>(SceneIndex(scene))]; }
    const TRecord& GetAt(int scene) const {
        return m_records[static_cast<std::size_t>(SceneIndex(scene))];
    }
    static constexpr int GetCount() { return 2; }

private:
    std::array<TRecord, 2> m_records;
};

using CAudioMainOutRoute = COutputRoute<CAudioMainOutData>;
using CAudioCenRoute = COutputRoute<CAudioCenData>;
using CAudioSubRoute = COutputRoute<CAudioSubData>;
