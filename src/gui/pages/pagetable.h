// The pages of the main window, as the selector and the window reach them. A page that is not
// built yet is null; its selector button then does nothing.
#pragma once

#include <array>

#include "gui/pages/pagestate.h"

class CChannelPage;
class CMainVolDlg;
class ICurveView;
class QWidget;

struct SPageTable {
    std::array<CChannelPage*, kChannelPages> channelPages{};
    CMainVolDlg* pMainVol = nullptr;
    QWidget* pSystemPage = nullptr;
    QWidget* pCurveWidget = nullptr;
    ICurveView* pCurve = nullptr;

    CChannelPage* Page(int page) const {
        return page >= 0 && page < kChannelPages ? channelPages[static_cast<std::size_t>(page)]
                                                 : nullptr;
    }
};
