#include "gallerywindow.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <vector>

#include "core/model/datadefine.h"
#include "gui/controls/artwork.h"
#include "gui/controls/artworkids.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/limitinputedit.h"
#include "gui/controls/numedit.h"
#include "gui/controls/numspin.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/sxgroupbox.h"
#include "gui/controls/xpbutton.h"

namespace {

const QColor kDark(40, 41, 45);
const QColor kPage(241, 241, 241);
const QColor kGreen(14, 186, 7);
const QColor kGrey(121, 122, 124);
constexpr int kSelectorWidth = 124;

// A plain panel in one colour.
class CPanel : public QWidget {
public:
    CPanel(const QColor& colour, QWidget* parent) : QWidget(parent) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, colour);
        setPalette(colours);
        setAutoFillBackground(true);
    }
};

CStaticTrans* Caption(const QString& text, const QColor& colour, QWidget* parent, int x, int y) {
    auto* label = new CStaticTrans(text, parent);
    label->SetTextColour(colour);
    label->move(x, y);
    label->adjustSize();
    return label;
}

CXPButton* Button(QWidget* parent, int id, const QString& text, int face, const QColor& colour,
                  int x, int y) {
    auto* button = new CXPButton(id, parent);
    button->SetFaceBitmap(face);
    button->setText(text);
    button->SetTextColour(colour);
    button->SetHoverTextColour(colour);
    button->SetFontSize(14);
    button->move(x, y);
    button->resize(button->sizeHint());
    return button;
}

QLabel* Picture(int id, QWidget* parent, int x, int y) {
    auto* picture = new QLabel(parent);
    picture->setPixmap(ArtPixmapForScreen(id));
    picture->move(x, y);
    picture->adjustSize();
    return picture;
}

CBitmapSlider* Slider(QWidget* parent, int id, bool vertical, int channel, int active, int thumb,
                      int x, int y) {
    auto* slider = new CBitmapSlider(id, parent);
    slider->SetVertical(vertical);
    slider->SetBitmapChannel(channel, active);
    slider->SetBitmapThumb(thumb);
    slider->move(x, y);
    return slider;
}

}  // namespace

GalleryWindow::GalleryWindow() {
    setWindowTitle(QStringLiteral("Sonvela controls"));
    setFixedSize(1000, 660);
    BuildSelector();
    auto* page = new CPanel(kPage, this);
    page->setGeometry(kSelectorWidth, 0, width() - kSelectorWidth, height());
    BuildSliders(page);
    BuildNumberBoxes(page);
    BuildButtons(page);
    BuildTextControls(page);
    BuildGroupBoxes(page);
}

void GalleryWindow::BuildSelector() {
    auto* column = new CPanel(kDark, this);
    column->setGeometry(0, 0, kSelectorWidth, height());
    Picture(IDB_APP_ICON, column, 14, 12);
    Caption(QStringLiteral("Sonvela"), QColor(230, 230, 232), column, 54, 19);
    const struct {
        const char* caption;
        int height;
        bool selected;
    } buttons[] = {{"Music", 20, true},    {"MIC", 19, false},    {"Effect", 20, false},
                   {"Main", 18, false},    {"Center", 20, false}, {"SUB", 20, false},
                   {"FFT", 18, false},     {"System", 18, false}, {"EQ Pass", 18, false},
                   {"EQ Reset", 18, false}};
    int y = 64;
    for (const auto& b : buttons) {
        const QColor colour = b.selected ? kGreen : kGrey;
        CXPButton* button = Button(column, 1000, QString::fromLatin1(b.caption),
                                   IDB_SELECTOR_BUTTON, colour, 14, y);
        button->SetFontSize(b.height);
        y += 40;
        if (b.selected) {
            AddState(QStringLiteral("selector_selected"), button);
        } else if (std::string_view(b.caption) == "MIC") {
            AddState(QStringLiteral("selector_normal"), button);
        } else if (std::string_view(b.caption) == "Effect") {
            button->SetHoverTextColour(kGreen);
            m_hovered.push_back(button);
            AddState(QStringLiteral("selector_hover"), button);
        }
    }
}

void GalleryWindow::BuildSliders(QWidget* page) {
    auto* box = new CColourGroupBox(QStringLiteral("Sliders"), ECaptionAlign::Left, page);
    box->setGeometry(16, 10, 330, 380);
    box->SetBorderColour(QColor(200, 201, 204));
    box->SetCaptionColour(QColor(60, 61, 64));

    const struct {
        const char* caption;
        const char* name;
        int channel;
        int active;
        int thumb;
        int pos;
        bool disabled;
    } horizontal[] = {
        {"Horizontal", "slider_h_active", IDB_H_CHANNEL, IDB_H_CHANNEL_FILLED, IDB_H_THUMB, 9,
         false},
        {"Locked (output pages in Auto)", "slider_h_disabled", IDB_H_CHANNEL_DISABLED, 0,
         IDB_H_THUMB_DISABLED, 0, true},
    };
    int y = 30;
    for (const auto& h : horizontal) {
        Caption(QString::fromLatin1(h.caption), QColor(60, 61, 64), box, 16, y);
        CBitmapSlider* slider = Slider(box, 1420, false, h.channel, h.active, h.thumb, 16, y + 18);
        slider->SetRange(0, 14);
        slider->SetPos(h.pos);
        slider->setEnabled(!h.disabled);
        AddState(QString::fromLatin1(h.name), slider);
        y += 50;
    }

    const struct {
        const char* name;
        int channel;
        int active;
        int thumb;
        int margin;
        int max;
        int pos;
        bool disabled;
    } vertical[] = {
        {"slider_v_eq_active", IDB_EQ_CHANNEL, IDB_EQ_CHANNEL_GREY, IDB_EQ_THUMB, 20, 180, 60,
         false},
        {"slider_v_eq_inactive", IDB_EQ_CHANNEL_GREY, 0, IDB_EQ_THUMB_GREY, 20, 180, 90, true},
        {"slider_v_volume", IDB_VOLUME_CHANNEL, IDB_VOLUME_CHANNEL_TOP, IDB_VOLUME_THUMB, 0, 80, 24,
         false},
    };
    int x = 40;
    for (const auto& v : vertical) {
        CBitmapSlider* slider =
            Slider(box, 1321, true, v.channel, v.active, v.thumb, x, 140 - (v.margin ? 0 : 10));
        slider->SetMargin(0, v.margin, 0, v.margin);
        slider->SetRange(0, v.max);
        slider->SetPos(v.pos);
        slider->setEnabled(!v.disabled);
        AddState(QString::fromLatin1(v.name), slider);
        x += 70;
    }
    Picture(IDB_SEPARATOR, page, 356, 10)->resize(6, 380);
}

void GalleryWindow::BuildNumberBoxes(QWidget* page) {
    auto* box = new CColourGroupBox(QStringLiteral("Number boxes"), ECaptionAlign::Left, page);
    box->setGeometry(374, 10, 246, 380);
    box->SetBorderColour(QColor(200, 201, 204));
    box->SetCaptionColour(QColor(60, 61, 64));

    const std::vector<double> freq(kFreqTable.begin(), kFreqTable.end());
    const std::vector<double> q(kQTable.begin(), kQTable.end());
    const std::vector<double> delay(kEchoADelayTable.begin(), kEchoADelayTable.end());
    int y = 30;
    const auto add = [&](const char* name, const char* caption, auto configure) {
        Caption(QString::fromLatin1(caption), QColor(60, 61, 64), box, 16, y + 4);
        auto* edit = new CNumEdit(1307, box);
        auto* spin = new CNumSpin(1314, box);
        edit->setGeometry(110, y, 90, 24);
        spin->setGeometry(200, y, 18, 24);
        spin->SetBuddy(edit);
        configure(*edit, *spin);
        AddState(QString::fromLatin1(name), edit);
        y += 40;
    };
    add("numedit_offset_gain", "Gain", [](CNumEdit& e, CNumSpin& s) {
        s.SetRange(0, 180);
        e.SetDisplayType(kNumDisplayOffset);
        e.SetStep(0.2);
        e.SetOffset(24);
        e.SetSuffix("dB");
        s.SetPos(105);
    });
    add("numedit_linear_int", "Level", [](CNumEdit& e, CNumSpin& s) {
        s.SetRange(0, 50);
        e.SetDisplayType(kNumDisplayLinear);
        e.SetStep(2);
        e.SetSuffix("%");
        s.SetPos(35);
    });
    add("numedit_linear_decimal", "Reverb time", [](CNumEdit& e, CNumSpin& s) {
        s.SetRange(0, 50);
        e.SetDisplayType(kNumDisplayLinear);
        e.SetStep(0.1);
        e.SetMode(1);
        e.SetSuffix("s");
        s.SetPos(18);
    });
    add("numedit_table_freq", "Frequency", [&](CNumEdit& e, CNumSpin& s) {
        s.SetRange(0, 360);
        e.SetDisplayType(kNumDisplayTable);
        e.SetMode(kNumTableOneDecimal);
        e.SetTable(freq);
        s.SetPos(202);
    });
    add("numedit_table_off", "High-pass", [&](CNumEdit& e, CNumSpin& s) {
        s.SetRange(0, 142);
        e.SetDisplayType(kNumDisplayTable);
        e.SetMode(kNumTableOneDecimal);
        e.SetOffText(true);
        e.SetTable(freq);
        s.SetPos(0);
    });
    add("numedit_table_q", "Q", [&](CNumEdit& e, CNumSpin& s) {
        s.SetRange(0, 100);
        e.SetDisplayType(kNumDisplayTable);
        e.SetMode(kNumTableTwoDecimals);
        e.SetTable(q);
        s.SetPos(16);
    });
    add("numedit_table_prefix", "Delay", [&](CNumEdit& e, CNumSpin& s) {
        s.SetRange(0, 15);
        e.SetDisplayType(kNumDisplayTable);
        e.SetMode(kNumTableIntPrefix);
        e.SetPrefix("~");
        e.SetTable(delay);
        s.SetPos(7);
    });
}

void GalleryWindow::BuildButtons(QWidget* page) {
    auto* box = new CColourGroupBox(QStringLiteral("Buttons"), ECaptionAlign::Left, page);
    box->setGeometry(636, 10, 224, 380);
    box->SetBorderColour(QColor(200, 201, 204));
    box->SetCaptionColour(QColor(60, 61, 64));

    const QColor black(0, 0, 0);
    const QColor typeGrey(100, 100, 100);
    AddState(QStringLiteral("button_type_selected"),
             Button(box, 1, QStringLiteral("P"), IDB_TYPE_SELECTED, kGreen, 16, 30));
    AddState(QStringLiteral("button_type_normal"),
             Button(box, 2, QStringLiteral("BY"), IDB_TYPE_NORMAL, typeGrey, 62, 30));
    Button(box, 3, QStringLiteral("HS"), IDB_TYPE_NORMAL, typeGrey, 108, 30);
    AddState(QStringLiteral("button_q_down"), Button(box, 4, {}, IDB_Q_DOWN, black, 160, 31));
    AddState(QStringLiteral("button_q_up"), Button(box, 5, {}, IDB_Q_UP, black, 186, 31));

    AddState(QStringLiteral("button_scene_selected"),
             Button(box, 6, QStringLiteral("Sing"), IDB_SCENE_SELECTED, black, 16, 70));
    CXPButton* disco =
        Button(box, 7, QStringLiteral("Disco"), IDB_SCENE_NORMAL, QColor(130, 130, 130), 92, 70);
    AddState(QStringLiteral("button_scene_normal"), disco);
    AddState(QStringLiteral("button_polarity"),
             Button(box, 8, QStringLiteral("+"), IDB_POLARITY, black, 170, 72));

    AddState(QStringLiteral("button_toggle_on"), Button(box, 9, {}, IDB_TOGGLE_ON, black, 16, 114));
    AddState(QStringLiteral("button_toggle_off"),
             Button(box, 10, {}, IDB_TOGGLE_OFF, black, 70, 114));

    AddState(QStringLiteral("button_mode_echo"),
             Button(box, 11, QStringLiteral("EchoA+EchoB"), IDB_MODE_ECHO, black, 16, 150));
    AddState(QStringLiteral("button_mode_reverb"),
             Button(box, 12, QStringLiteral("EchoA+Revb"), IDB_MODE_REVERB, black, 16, 184));

    // Pointer states: a button whose hover face differs, hovered and pressed.
    const auto twoFaced = [&](int id, int x) {
        CXPButton* b = Button(box, id, QStringLiteral("Disco"), IDB_SCENE_NORMAL, kGrey, x, 226);
        b->SetFaceBitmaps(IDB_SCENE_SELECTED, IDB_SCENE_SELECTED, IDB_SCENE_SELECTED,
                          IDB_SCENE_NORMAL, IDB_SCENE_SELECTED, IDB_SCENE_NORMAL);
        b->SetSelected(false);
        b->SetHoverTextColour(kGreen);
        return b;
    };
    CXPButton* hover = twoFaced(13, 16);
    m_hovered.push_back(hover);
    AddState(QStringLiteral("button_hover"), hover);
    CXPButton* pressed = twoFaced(14, 92);
    m_pressed.push_back(pressed);
    AddState(QStringLiteral("button_pressed"), pressed);
    CXPButton* elided = Button(box, 15, QStringLiteral("Caption far too long to fit"),
                               IDB_SCENE_NORMAL, black, 16, 266);
    AddState(QStringLiteral("button_elided_caption"), elided);

    // The main window's white title bar.
    auto* title = new CPanel(QColor(255, 255, 255), page);
    title->setGeometry(16, 610, page->width() - 32, 36);
    Picture(IDB_APP_ICON, title, 4, 2);
    Caption(QStringLiteral("Sonvela 3.6"), QColor(0, 0, 0), title, 44, 10);
    Caption(QStringLiteral("UnConnect"), QColor(255, 0, 0), title, 160, 10);
    const int right = title->width();
    Picture(IDB_TITLE_MINIMISE, title, right - 108, 4);
    Picture(IDB_TITLE_MAXIMISE, title, right - 72, 4);
    AddState(QStringLiteral("title_close"), Picture(IDB_TITLE_CLOSE, title, right - 36, 4));
}

void GalleryWindow::BuildTextControls(QWidget* page) {
    auto* box =
        new CColourGroupBox(QStringLiteral("Labels and edits"), ECaptionAlign::Centre, page);
    box->setGeometry(16, 404, 330, 140);
    box->SetBorderColour(QColor(200, 201, 204));
    box->SetCaptionColour(QColor(60, 61, 64));

    CStaticTrans* clear =
        Caption(QStringLiteral("Transparent label"), QColor(60, 61, 64), box, 16, 30);
    AddState(QStringLiteral("label_transparent"), clear);
    CStaticTrans* solid =
        Caption(QStringLiteral("Connecting..."), QColor(255, 255, 255), box, 170, 28);
    solid->SetBackColour(QColor(100, 100, 100));
    solid->setMargin(3);
    solid->adjustSize();
    AddState(QStringLiteral("label_solid"), solid);

    auto* name = new CLimitInputEdit(box);
    name->setGeometry(16, 64, 180, 24);
    name->setMaxLength(20);
    name->setText(QStringLiteral("Karaoke_Room 2"));
    AddState(QStringLiteral("limitedit_default"), name);
    auto* password = new CLimitInputEdit(box);
    password->setGeometry(16, 100, 80, 24);
    password->SetDigitsOnly(true);
    password->setMaxLength(4);
    password->SetBackColour(QColor(255, 255, 255));
    password->SetTextColour(QColor(0, 0, 0));
    password->setText(QStringLiteral("3958"));
    AddState(QStringLiteral("limitedit_digits"), password);
}

void GalleryWindow::BuildGroupBoxes(QWidget* page) {
    const struct {
        const char* name;
        const char* caption;
        ECaptionAlign align;
        bool enabled;
    } boxes[] = {
        {"groupbox_left", "Mode", ECaptionAlign::Left, true},
        {"groupbox_centre", "Network", ECaptionAlign::Centre, true},
        {"groupbox_right", "EQ", ECaptionAlign::Right, true},
        {"groupbox_disabled", "Disabled", ECaptionAlign::Left, false},
    };
    int x = 362;
    for (const auto& b : boxes) {
        auto* box = new CColourGroupBox(QString::fromLatin1(b.caption), b.align, page);
        box->setGeometry(x, 404, 118, 90);
        box->SetBorderColour(kGreen);
        box->SetCaptionColour(QColor(40, 41, 45));
        box->setEnabled(b.enabled);
        AddState(QString::fromLatin1(b.name), box);
        x += 124;
    }
    auto* plain = new CColourGroupBox(QStringLiteral("System colours"), ECaptionAlign::Left, page);
    plain->setGeometry(362, 504, 242, 60);
    AddState(QStringLiteral("groupbox_system_colours"), plain);
}

void GalleryWindow::ApplyPointerStates() {
    for (QWidget* w : m_hovered) {
        const QPointF at(4, 4);
        QEnterEvent enter(at, at, w->mapToGlobal(at));
        QCoreApplication::sendEvent(w, &enter);
    }
    for (QWidget* w : m_pressed) {
        const QPointF at(4, 4);
        QEnterEvent enter(at, at, w->mapToGlobal(at));
        QCoreApplication::sendEvent(w, &enter);
        QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &press);
    }
}
