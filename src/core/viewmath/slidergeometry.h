// Position <-> pixel mapping of the bitmap slider along its axis. The thumb's centre travels
// between the two margins; the minimum lies at the low end (left, or top of a vertical slider).
#pragma once

struct SSliderAxis {
    int nLength = 0;      // control width (horizontal) or height (vertical)
    int nMarginLow = 0;   // left or top margin
    int nMarginHigh = 0;  // right or bottom margin
    int nThumb = 0;       // thumb width or height
};

struct SSliderRange {
    int nMin = 0;
    int nMax = 100;
};

// Pixels the thumb's centre can travel; 0 or less means the slider has no usable track.
int SliderTravel(const SSliderAxis& axis);
// True when the slider can map positions at all: a positive travel and max > min. A slider
// without a track draws its thumb at the low end and ignores pointer input.
bool SliderHasTrack(const SSliderAxis& axis, const SSliderRange& range);

// Centre pixel of the thumb for pos, truncated toward zero.
int SliderPosToPixel(const SSliderAxis& axis, const SSliderRange& range, int pos);
// Position for a centre pixel, truncated toward zero and limited to the range.
int SliderPixelToPos(const SSliderAxis& axis, const SSliderRange& range, int pixel);
// The lowest and highest pixel the thumb's centre may take.
int SliderLowestPixel(const SSliderAxis& axis);
int SliderHighestPixel(const SSliderAxis& axis);
// pixel limited to [lowest, highest] (lowest wins when the track is too short).
int SliderClampPixel(const SSliderAxis& axis, int pixel);
// pos limited to [min, max]; min wins when max < min.
int SliderClampPos(const SSliderRange& range, int pos);
