// What the System page's parts share: the label groups their texts come from, the caption of
// their messages, and their buttons.
#pragma once

#include <QRect>
#include <QString>

class CXPButton;
class QWidget;

inline constexpr int kLabelGroupSystem = 10;    // the page's captions
inline constexpr int kLabelGroupMessages = 11;  // messages and questions
inline constexpr int kLabelGroupSettings = 12;  // tone-limit captions and the page's own texts

// "Prompt", the caption of the page's messages.
QString PromptCaption();
// A button with the face image `face` at `frame`: white text on the dark selector face, black
// text on the light ones.
CXPButton* MakeSettingsButton(int id, const QString& text, int face, QWidget* parent,
                              const QRect& frame, int fontHeight = 12);
