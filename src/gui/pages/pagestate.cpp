#include "gui/pages/pagestate.h"

#include "core/protocol/readback.h"

int g_curPage = kPageMusic;
std::array<int, 3> g_outScene = {0, 0, 0};
bool g_autoMode = true;
EScene g_sceneSel = EScene::Sing;
int g_spectrumOn = 0;
ECaptureState g_captureState = ECaptureState::Off;
int g_musicInputMax = 0;

void ResetPageState() {
    g_curPage = kPageMusic;
    g_outScene = {0, 0, 0};
    g_autoMode = true;
    g_sceneSel = EScene::Sing;
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

void SetOutputScene(EScene scene) {
    const int s = static_cast<int>(scene);
    g_outScene = {s, s, s};
    g_sceneSel = scene;
}

void TakeOutputSection(int outAuto, int outScene) {
    g_autoMode = outAuto == 1;
    g_sceneSel = outScene == 1 ? EScene::Disco : EScene::Sing;
    const int edited = SelectedOutputScene(outAuto, outScene) == 1 ? 1 : 0;
    g_outScene = {edited, edited, edited};
}
