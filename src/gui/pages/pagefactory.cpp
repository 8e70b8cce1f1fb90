#include "gui/pages/pagefactory.h"

#include "gui/pages/effectdlg.h"
#include "gui/pages/micdlg.h"
#include "gui/pages/musicdlg.h"
#include "gui/pages/outputdlg.h"
#include "gui/pages/pagestate.h"

CChannelPage* CreateChannelPage(int page, CAudioData& model, QWidget* parent) {
    CChannelPage* pPage = nullptr;
    switch (page) {
        case kPageMusic:
            pPage = new CMusicDlg(model, parent);
            break;
        case kPageMic:
            pPage = new CMicDlg(model, parent);
            break;
        case kPageEffect:
            pPage = new CEffectDlg(model, parent);
            break;
        case kPageMainOut:
            pPage = new COutputDlg(model, kMainOutMembers, parent);
            break;
        case kPageCenter:
            pPage = new COutputDlg(model, kCenterMembers, parent);
            break;
        case kPageSub:
            pPage = new COutputDlg(model, kSubMembers, parent);
            break;
        default:
            return nullptr;
    }
    pPage->hide();
    return pPage;
}
