#include "core/viewmath/volumerules.h"

#include <algorithm>

int LimitSliderVolume(int volume, int limit) {
    return volume > limit ? limit : volume;
}

int ShortcutVolume(int current, int delta, int stop, int maximum) {
    if (delta < 0) {
        return current > 0 ? current - 1 : current;
    }
    if (delta == 0 || current == stop) {
        return current;
    }
    return std::min(current + 1, maximum);
}
