#include "gui/curve/drawcurve.h"

#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <ctime>

#include "core/model/audiodata.h"
#include "core/model/conversiontool.h"
#include "core/viewmath/curvedrag.h"
#include "core/viewmath/curvelabel.h"
#include "core/viewmath/curvenotify.h"
#include "gui/curve/curvepainter.h"
#include "gui/pages/pagestate.h"

namespace {

// Diagnostic lines of the view (off unless the category is enabled for debug output).
Q_LOGGING_CATEGORY(lcCurve, "sonvela.curve", QtInfoMsg)

// One notch of a mouse wheel.
constexpr int kWheelNotch = 120;
constexpr int kMaxBands = 32;

SCurvePoint ToPoint(const QPointF& p) {
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

std::uint32_t BandBit(int band) {
    return band >= 0 && band < kMaxBands ? std::uint32_t{1} << band : 0;
}

// "%Y-%m-%d %H:%M:%S %W-%A" of the local time, for the diagnostic lines.
QString TimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[80];
    const std::size_t n = std::strftime(text, sizeof(text), "%Y-%m-%d %H:%M:%S %W-%A", &local);
    return QString::fromLocal8Bit(text, static_cast<qsizetype>(n));
}

}  // namespace

CDrawCurve::CDrawCurve(QWidget* parent)
    : QWidget(parent), m_bReportDragsAtOnce(kCurveReportDragsAtOnce) {
    // Every paint covers the whole view, so nothing is erased beforehand.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    m_nCode = CurveNotifyCode(CurveKind(m_kind), 0);
    m_notifyTimer.setInterval(kNotifyIntervalMs);
    connect(&m_notifyTimer, &QTimer::timeout, this, &CDrawCurve::OnNotifyTimer);
    m_notifyTimer.start();
    Layout();
}

void CDrawCurve::SetModel(CAudioData* model) {
    ReleaseCurrent();
    m_pModel = model;
    m_nCurrent = -1;
    m_nPendingMoved = m_nPendingQ = 0;
    Layout();
}

void CDrawCurve::Layout() {
    m_rcPlot = CurvePlotRect(width(), height());
    const int w = m_rcPlot.right - m_rcPlot.left;
    const int h = m_rcPlot.bottom - m_rcPlot.top;
    m_nGridX = CurveGridX(w);
    for (std::size_t i = 0; i < m_dCurveX.size(); ++i) {
        m_dCurveX[i] = FreqToX(kFreqTable[i], w) + m_rcPlot.left;
    }
    if (m_pModel != nullptr) {
        m_pModel->SetPlotSize(w, h);
    }
    update();
}

QRect CDrawCurve::PlotRect() const {
    return QRect(m_rcPlot.left, m_rcPlot.top, m_rcPlot.right - m_rcPlot.left,
                 m_rcPlot.bottom - m_rcPlot.top);
}

CEqRecord* CDrawCurve::Record() const {
    if (m_pModel == nullptr) {
        return nullptr;
    }
    return m_pModel->EqRecordOfChannel(
        OwnerChannel(m_kind, m_nElement[static_cast<std::size_t>(CurveKind(m_kind))]));
}

CEQ* CDrawCurve::BandSet() const {
    CEqRecord* record = Record();
    return record != nullptr ? &record->GetEQ() : nullptr;
}

CFilter* CDrawCurve::Current() const {
    CEQ* eq = BandSet();
    if (eq == nullptr || m_nCurrent < 0 || m_nCurrent >= eq->GetCount()) {
        return nullptr;
    }
    return &eq->GetAt(m_nCurrent);
}

bool CDrawCurve::PointerEnabled() const {
    const CEqRecord* record = Record();
    return record != nullptr && !record->IsEqBypassed() && !(IsOutputKind(m_kind) && g_autoMode);
}

void CDrawCurve::AttachChannel(OwnerKind kind, int element) {
    const int kindIndex = CurveKind(kind);
    if (kindIndex < 0 || kindIndex >= kCurveKindCount) {
        return;
    }
    const int scene = IsOutputKind(kind) && element == 1 ? 1 : 0;
    const int code = CurveNotifyCode(kindIndex, scene);
    if (code != m_nCode) {
        // Reports for the channel left behind must not reach the page of the new one.
        m_nPendingMoved = m_nPendingQ = 0;
    }
    ReleaseCurrent();
    m_nCurrent = -1;
    m_nWheelRest = 0;
    m_nElement[static_cast<std::size_t>(kindIndex)] = IsOutputKind(kind) ? scene : element;
    m_kind = kind;
    m_nCode = code;
    m_nSelBand = -1;
    update();
}

void CDrawCurve::SetChannelKind(int kind) {
    if (kind >= 0 && kind < kCurveKindCount) {
        AttachChannel(static_cast<OwnerKind>(kind), m_nElement[static_cast<std::size_t>(kind)]);
    }
}

void CDrawCurve::ShowMusic(int index) {
    AttachChannel(OwnerKind::Music, index);
}

void CDrawCurve::ShowMic(int index) {
    AttachChannel(OwnerKind::Mic, index);
}

void CDrawCurve::ShowEffect(int index) {
    AttachChannel(OwnerKind::Effect, index);
}

void CDrawCurve::ShowMainOut(int element) {
    AttachChannel(OwnerKind::MainOut, element);
}

void CDrawCurve::ShowCenter(int element) {
    AttachChannel(OwnerKind::Center, element);
}

void CDrawCurve::ShowSub(int element) {
    AttachChannel(OwnerKind::Sub, element);
}

void CDrawCurve::ShowBand(int index) {
    m_nSelBand = index;
    update();
}

void CDrawCurve::Redraw() {
    update();
}

void CDrawCurve::SetSpectrumMode(bool on) {
    if (!on) {
        m_spectrum.clear();
        m_nValuesPerBar = 0;
    }
    SetSpectrumVisible(on);
}

void CDrawCurve::SetReportDragsAtOnce(bool atOnce) {
    m_bReportDragsAtOnce = atOnce;
}

void CDrawCurve::SetSpectrumData(std::span<const double> values) {
    m_spectrum.assign(values.begin(), values.end());
    m_nValuesPerBar = m_nBarCount > 0 ? static_cast<int>(m_spectrum.size()) / m_nBarCount : 0;
    update();
}

void CDrawCurve::SetBarCount(int count) {
    m_nBarCount = std::max(count, 0);
    m_nValuesPerBar = m_nBarCount > 0 ? static_cast<int>(m_spectrum.size()) / m_nBarCount : 0;
    update();
}

void CDrawCurve::SetSpectrumVisible(bool visible) {
    m_bSpectrumVisible = visible;
    update();
}

void CDrawCurve::ReleaseCurrent() {
    if (CFilter* current = Current()) {
        current->m_bHovered = false;
        current->m_bGrabbed = false;
        current->m_bWheelArmed = false;
    }
    m_bOverHandle = false;
}

bool CDrawCurve::AcceptPointer(SCurvePoint p) {
    if (!PointerEnabled()) {
        // Nothing may stay grabbed or armed while the band set is locked.
        ReleaseCurrent();
        return false;
    }
    if (!rect().contains(p.x, p.y)) {
        ReleaseCurrent();
    }
    return true;
}

void CDrawCurve::mouseMoveEvent(QMouseEvent* event) {
    const SCurvePoint p = ToPoint(event->position());
    if (!AcceptPointer(p)) {
        return;
    }
    CFilter* current = Current();
    bool changed = false;
    if (current != nullptr && current->IsCrossover()) {
        changed = MoveCrossover(*current, p);
    } else if (current != nullptr && current->m_bGrabbed && !current->m_rcHandle.Contains(p)) {
        changed = DragBand(*current, p);
        m_bOverHandle = false;
        m_nSelBand = -1;
        update();
    } else if (current != nullptr && current->m_rcHandle.Contains(p)) {
        current->m_bHovered = true;
        if (current->m_bGrabbed) {
            changed = DragBand(*current, p);
        }
        m_bOverHandle = true;
    } else {
        ScanHandles(p);
    }
    if (changed) {
        DragChanged();
    }
}

bool CDrawCurve::DragBand(CFilter& band, SCurvePoint p) {
    const bool changed = PointToFD(band, p);
    if (lcCurve().isDebugEnabled()) {
        qCDebug(lcCurve).noquote()
            << QStringLiteral(
                   "%1:#################### PointToFD nFreqNew %2 ############################")
                   .arg(TimeStamp())
                   .arg(band.m_nFreq);
    }
    return changed;
}

bool CDrawCurve::MoveCrossover(CFilter& crossover, SCurvePoint p) {
    const bool inside = crossover.m_rcHandle.Contains(p);
    if (crossover.m_bGrabbed) {
        // The limits follow the page shown, which is the page of the channel the view shows.
        const bool changed = CrossoverPointToFD(crossover, p.x, CurveKind(m_kind));
        if (!inside) {
            update();
        }
        m_bOverHandle = true;
        return changed;
    }
    if (!inside) {
        ReleaseCurrent();
        m_nCurrent = -1;
    } else {
        crossover.m_bHovered = true;
        m_bOverHandle = true;
    }
    return false;
}

void CDrawCurve::ScanHandles(SCurvePoint p) {
    CEQ* eq = BandSet();
    const int count = eq != nullptr ? eq->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        CFilter& record = eq->GetAt(i);
        if (record.m_rcHandle.Contains(p)) {
            if (i != m_nCurrent) {
                m_nWheelRest = 0;
            }
            m_nCurrent = i;
            record.m_bHovered = true;
            m_bOverHandle = true;
            setCursor(record.m_bWheelArmed && !record.m_bGrabbed ? Qt::CrossCursor
                                                                 : Qt::ArrowCursor);
            return;
        }
    }
    setCursor(Qt::ArrowCursor);
    m_bOverHandle = false;
}

void CDrawCurve::DragChanged() {
    // The information line follows the record being dragged.
    m_nSelBand = -1;
    update();
    if (!m_bReportDragsAtOnce) {
        m_nPendingMoved |= BandBit(m_nCurrent);
        return;
    }
    m_nPendingMoved &= ~BandBit(m_nCurrent);
    if (lcCurve().isDebugEnabled()) {
        qCDebug(lcCurve).noquote()
            << QStringLiteral(
                   "%1:####################IsWindows10UpdataUI############################")
                   .arg(TimeStamp());
    }
    emit CurvePointMoved(m_nCurrent, m_nCode);
}

void CDrawCurve::mousePressEvent(QMouseEvent* event) {
    const SCurvePoint p = ToPoint(event->position());
    if (!AcceptPointer(p)) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    CFilter* current = Current();
    if (current == nullptr || !m_bOverHandle || !current->m_bHovered) {
        return;
    }
    if (event->button() == Qt::LeftButton) {
        current->m_bGrabbed = true;
        current->m_bWheelArmed = false;
        const SCurvePoint centre = current->m_rcHandle.Centre();
        current->m_ptGrabOffset = {p.x - centre.x, p.y - centre.y};
    } else if (event->button() == Qt::RightButton && !current->m_bGrabbed &&
               BandTakesWheel(*current)) {
        current->m_bWheelArmed = true;
        m_nWheelRest = 0;
        setCursor(Qt::CrossCursor);
    }
}

void CDrawCurve::mouseReleaseEvent(QMouseEvent* event) {
    const SCurvePoint p = ToPoint(event->position());
    if (!AcceptPointer(p) || event->button() != Qt::LeftButton) {
        return;
    }
    CFilter* current = Current();
    if (current != nullptr && current->m_bHovered) {
        ReleaseCurrent();
    }
}

void CDrawCurve::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    qCDebug(lcCurve).noquote() << QStringLiteral("鼠标滚动方向 = %1").arg(delta);
    event->accept();
    CFilter* current = Current();
    if (!PointerEnabled() || current == nullptr || !current->m_bWheelArmed) {
        return;
    }
    // One step per whole notch; a high-resolution wheel's smaller turns add up to notches.
    m_nWheelRest += delta;
    const int notches = m_nWheelRest / kWheelNotch;
    m_nWheelRest -= notches * kWheelNotch;
    bool changed = false;
    for (int n = 0; n < std::abs(notches); ++n) {
        changed = StepBandQ(*current, notches) || changed;
    }
    if (changed) {
        update();
        m_nPendingQ |= BandBit(m_nCurrent);
    }
}

void CDrawCurve::OnNotifyTimer() {
    if (m_nPendingMoved != 0) {
        if (lcCurve().isDebugEnabled()) {
            qCDebug(lcCurve).noquote()
                << QStringLiteral(
                       "%1:####################CDrawCurve::OnTimer############################")
                       .arg(TimeStamp());
        }
        Report(m_nPendingMoved, &CDrawCurve::CurvePointMoved);
    }
    if (m_nPendingQ != 0) {
        Report(m_nPendingQ, &CDrawCurve::CurveQChanged);
    }
}

void CDrawCurve::Report(std::uint32_t& pending, void (CDrawCurve::*signal)(int, int)) {
    // Taken before emitting: a receiver may switch the view to another channel.
    const std::uint32_t bands = pending;
    const int code = m_nCode;
    pending = 0;
    for (int band = 0; band < kMaxBands; ++band) {
        if ((bands & BandBit(band)) != 0) {
            emit(this->*signal)(band, code);
        }
    }
}

QString CDrawCurve::Description() const {
    const CEQ* eq = BandSet();
    if (eq == nullptr) {
        return {};
    }
    const int count = eq->GetCount();
    int index = -1;
    if (m_nSelBand >= 0 && m_nSelBand < count) {
        index = m_nSelBand;
    } else if (m_nCurrent >= 0 && m_nCurrent < count) {
        index = m_nCurrent;
    }
    if (index < 0) {
        return {};
    }
    return QString::fromStdString(CurveRecordDescription(eq->GetAt(index), index));
}

void CDrawCurve::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    PaintCurveBackground(painter, rect(), m_rcPlot, m_nGridX);
    if (m_bSpectrumVisible) {
        PaintSpectrumBars(painter, m_rcPlot, m_spectrum, m_nValuesPerBar, m_nBarCount);
    }
    CEqRecord* record = Record();
    if (record == nullptr) {
        return;
    }
    CEQ& eq = record->GetEQ();
    PaintResponse(painter, m_rcPlot, m_dCurveX, eq.SumResponse());
    if (record->IsEqBypassed()) {
        PaintBypassText(painter, m_rcPlot);
    }
    PaintInfoLine(painter, m_rcPlot, Description());
    PaintHandles(painter, eq);
}

void CDrawCurve::resizeEvent(QResizeEvent* /*event*/) {
    Layout();
}
