#include "gui/settings/settingscontrols.h"

#include "gui/controls/artworkids.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/labeltext.h"

QString PromptCaption() {
    return LabelText(kLabelGroupMessages, 3);
}

CXPButton* MakeSettingsButton(int id, const QString& text, int face, QWidget* parent,
                              const QRect& frame, int fontHeight) {
    auto* pButton = new CXPButton(id, parent);
    pButton->SetFaceBitmap(face);
    pButton->setText(text);
    pButton->SetFontSize(fontHeight);
    const QColor textColour = face == IDB_SELECTOR_BUTTON ? QColor(Qt::white) : QColor(Qt::black);
    pButton->SetTextColour(textColour);
    pButton->SetHoverTextColour(textColour);
    pButton->setGeometry(frame);
    return pButton;
}
