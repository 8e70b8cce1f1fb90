#include "core/viewmath/slidergeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

int SliderTravel(const SSliderAxis& axis) {
    return axis.nLength - axis.nMarginLow - axis.nMarginHigh - axis.nThumb;
}

bool SliderHasTrack(const SSliderAxis& axis, const SSliderRange& range) {
    return SliderTravel(axis) > 0 && range.nMax > range.nMin;
}

int SliderLowestPixel(const SSliderAxis& axis) {
    return axis.nMarginLow + axis.nThumb / 2;
}

int SliderHighestPixel(const SSliderAxis& axis) {
    return axis.nLength - axis.nMarginHigh - axis.nThumb / 2;
}

int SliderClampPixel(const SSliderAxis& axis, int pixel) {
    return std::max(SliderLowestPixel(axis), std::min(pixel, SliderHighestPixel(axis)));
}

int SliderClampPos(const SSliderRange& range, int pos) {
    return std::max(range.nMin, std::min(pos, range.nMax));
}

int SliderPosToPixel(const SSliderAxis& axis, const SSliderRange& range, int pos) {
    if (!SliderHasTrack(axis, range)) {
        return SliderLowestPixel(axis);
    }
    const std::int64_t offset = static_cast<std::int64_t>(SliderTravel(axis)) *
                                (static_cast<std::int64_t>(pos) - range.nMin) /
                                (static_cast<std::int64_t>(range.nMax) - range.nMin);
    return static_cast<int>(offset) + SliderLowestPixel(axis);
}

int SliderPixelToPos(const SSliderAxis& axis, const SSliderRange& range, int pixel) {
    if (!SliderHasTrack(axis, range)) {
        return range.nMin;
    }
    const double fraction =
        static_cast<double>(pixel - SliderLowestPixel(axis)) / SliderTravel(axis);
    const double pos =
        range.nMin +
        std::trunc(fraction * (static_cast<double>(range.nMax) - static_cast<double>(range.nMin)));
    return SliderClampPos(range, static_cast<int>(std::clamp(pos, -2147483648.0, 2147483647.0)));
}
