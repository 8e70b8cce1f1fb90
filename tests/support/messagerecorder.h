// A parent widget for controls under test: records every control message it receives.
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QWidget>
#include <ostream>
#include <vector>

#include "gui/controls/controlevent.h"

struct SControlMessage {
    int nMessage;
    int nControlId;
    int nValue;
    bool operator==(const SControlMessage&) const = default;
};

inline void PrintTo(const SControlMessage& m, std::ostream* os) {
    *os << "{msg 0x" << std::hex << m.nMessage << std::dec << ", id " << m.nControlId << ", value "
        << m.nValue << "}";
}

// Pixel tests render a control alone onto a transparent image.
inline QImage RenderAlone(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

class CMessageRecorder : public QWidget {
public:
    CMessageRecorder() { resize(400, 300); }

    // Delivers posted messages, then hands over and forgets what arrived.
    std::vector<SControlMessage> Take() {
        QCoreApplication::sendPostedEvents(this);
        std::vector<SControlMessage> taken;
        taken.swap(m_messages);
        return taken;
    }

protected:
    void customEvent(QEvent* event) override {
        if (const auto* msg = CControlEvent::From(event)) {
            m_messages.push_back({msg->Message(), msg->ControlId(), msg->Value()});
        }
    }

private:
    std::vector<SControlMessage> m_messages;
};
