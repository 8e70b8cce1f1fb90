// What every channel page offers the selector and the main window.
#pragma once

class IChannelPage {
public:
    virtual ~IChannelPage() = default;
    // Sets every control from the page's record (for output pages the record of scene
    // `bandSet`) and attaches the curve view to its band set. Sends nothing, and leaves every
    // change flag as it is.
    virtual void LoadFromModel(int bandSet) = 0;
    // 1: every EQ band control disabled and greyed; 0: enabled again and reloaded.
    virtual void ApplyEqBypass(int state) = 0;
    // The user dragged band `band` on the curve (its frequency and gain changed) or turned its
    // Q; the page shows the band's new values and selects it. Bands past the last are ignored.
    virtual void OnCurveBandMoved(int band) = 0;
    virtual void OnCurveQChanged(int band) = 0;
    // The band's number turns green, the previous one black.
    virtual void SelectBand(int band) = 0;
};
