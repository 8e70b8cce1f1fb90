// What the pages and the selector need of the response curve view: show a channel's band set,
// mark a band, redraw, and the spectrum display.
#pragma once

#include "core/model/filter.h"

class ICurveView {
public:
    virtual ~ICurveView() = default;
    // Shows the band set of owner kind `kind` with `index` (the scene of an output kind, else
    // 0), with no band selected.
    virtual void AttachChannel(OwnerKind kind, int index) = 0;
    // Marks band `band` selected (-1: none) and redraws.
    virtual void ShowBand(int band) = 0;
    virtual void Redraw() = 0;
    // Spectrum mode on or off; off also drops the bars shown.
    virtual void SetSpectrumMode(bool bOn) = 0;
};
