// What the pages and the selector need of the response curve view: show a channel's band set,
// mark a band, redraw, and the spectrum display.
#pragma once

#include <array>

#include "core/model/filter.h"
#include "core/viewmath/curvenotify.h"

class ICurveView {
public:
    virtual ~ICurveView() = default;
    // The kind shown (CurveKind: 0 music .. 5 sub), with the band set that kind showed last.
    virtual void SetChannelKind(int kind) = 0;
    // Shows a kind's band set with no band selected: the inputs' index (0) or the outputs'
    // scene (0 or 1).
    virtual void ShowMusic(int index) = 0;
    virtual void ShowMic(int index) = 0;
    virtual void ShowEffect(int index) = 0;
    virtual void ShowMainOut(int element) = 0;
    virtual void ShowCenter(int element) = 0;
    virtual void ShowSub(int element) = 0;
    // Marks band `band` selected (-1: none) and redraws.
    virtual void ShowBand(int band) = 0;
    virtual void Redraw() = 0;
    // Spectrum mode on or off; off also drops the bars shown.
    virtual void SetSpectrumMode(bool bOn) = 0;
};

// The show operation of each owner kind, by CurveKind.
using CurveShowFn = void (ICurveView::*)(int);
inline constexpr std::array<CurveShowFn, kCurveKindCount> kCurveShowOfKind = {
    &ICurveView::ShowMusic,   &ICurveView::ShowMic,    &ICurveView::ShowEffect,
    &ICurveView::ShowMainOut, &ICurveView::ShowCenter, &ICurveView::ShowSub};

// Attaches `curve` to the band set `bandSet` of owner kind `kind` (its scene for an output),
// with no band selected: the kind, then the kind's own show operation.
inline void AttachCurve(ICurveView& curve, OwnerKind kind, int bandSet) {
    curve.SetChannelKind(CurveKind(kind));
    (curve.*kCurveShowOfKind[static_cast<std::size_t>(CurveKind(kind))])(bandSet);
}
