#include "gui/pages/pagestate.h"

int g_curPage = kPageMusic;
std::array<int, 3> g_outScene = {0, 0, 0};
int g_autoMode = 1;
int g_sceneSel = 0;
int g_spectrumOn = 0;
ECaptureState g_captureState = ECaptureState::Off;
int g_musicInputMax = 0;

void ResetPageState() {
    g_curPage = kPageMusic;
    g_outScene = {0, 0, 0};
    g_autoMode = 1;
    g_sceneSel = 0;
    g_spectrumOn = 0;
    g_captureState = ECaptureState::Off;
    g_musicInputMax = 0;
}

int PageBandSet(int page) {
    if (page >= kPageMainOut && page <= kPageSub) {
        return g_outScene[static_cast<std::size_t>(page - kPageMainOut)];
    }
    return 0;
}

int PageChannel(int page) {
    if (page >= kPageMusic && page <= kPageEffect) {
        return page;
    }
    if (page >= kPageMainOut && page <= kPageSub) {
        return kPageMainOut + 2 * (page - kPageMainOut) + PageBandSet(page);
    }
    return -1;
}
