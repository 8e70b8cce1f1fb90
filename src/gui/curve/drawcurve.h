// The response curve view: the summed response of the shown channel's band set over a
// logarithmic 20 Hz - 20 kHz axis and a +12 ... -24 dB axis, one numbered handle per band
// record, a line describing the selected band or the band under the pointer, and the spectrum
// analyser's bars behind the curve.
//
// Dragging a band's handle changes its frequency and gain; dragging a crossover's handle
// changes its corner within the limits of the page shown; after a right click on a band the
// wheel turns its Q (peaking) or shelf slope. Each change is written into the band record at
// once (which marks it for sending) and then reported: drags at once (or on the next
// notification tick when reporting at once is off), wheel turns on the next tick, 300 ms apart.
// Reports carry the band's index in its band set and the notification code of the channel
// shown (core/viewmath/curvenotify.h); the shell routes them as MSG_CURVE_POINT_MOVED and
// MSG_CURVE_Q_CHANGED. Reports still pending when the view switches to another channel are
// dropped, so a report never reaches the wrong page.
//
// The pointer edits nothing while the shown equaliser is bypassed, nor on the output channels
// while the outputs are in automatic mode (g_autoMode).
#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/dsp/frequencygrid.h"
#include "core/viewmath/curvegeometry.h"
#include "core/viewmath/curvenotify.h"
#include "gui/pages/curveview.h"

class CAudioData;
class CEQ;
class CEqRecord;
class CFilter;
class IEditObserver;

class CDrawCurve : public QWidget, public ICurveView {
    Q_OBJECT

public:
    static constexpr int kNotifyIntervalMs = 300;
    static constexpr int kDefaultBarCount = 128;

    explicit CDrawCurve(QWidget* parent = nullptr);

    // The parameter model whose band sets the view shows and edits (null shows an empty plot).
    void SetModel(CAudioData* model);
    // Recomputes the plot and the grid from the view's size and lays every band set of the
    // model out for the plot. Runs on every size change.
    void Layout();

    // The channel shown: 0 music, 1 microphone, 2 effect, 3 main out, 4 center, 5 sub. Each
    // call forgets the record under the pointer and the selected band; switching to another
    // channel drops the reports still pending.
    void SetChannelKind(int kind) override;
    // Shows a kind with its band-set index (inputs) or scene (outputs, 0 or 1).
    void ShowMusic(int index) override;
    void ShowMic(int index) override;
    void ShowEffect(int index) override;
    void ShowMainOut(int element) override;
    void ShowCenter(int element) override;
    void ShowSub(int element) override;
    // Marks band `index` of the shown band set as selected (-1 for none) and repaints.
    void ShowBand(int index) override;

    // Repaint, and the spectrum display on or off (off drops the bars).
    void Redraw() override;
    void SetSpectrumMode(bool on) override;

    // Report drags at once (the default) or on the next notification tick.
    void SetReportDragsAtOnce(bool atOnce);

    // Spectrum analyser: the magnitude values of one analysis (copied; none clears the bars),
    // the number of bars, and whether the bars are drawn at all. User-interface thread only:
    // an analysis running elsewhere hands its values over through a queued call.
    void SetSpectrumData(std::span<const double> values);
    void SetBarCount(int count);
    void SetSpectrumVisible(bool visible);

    int ChannelKind() const { return CurveKind(m_kind); }
    int NotifyCode() const { return m_nCode; }
    int SelectedBand() const { return m_nSelBand; }
    // Index of the record last found under the pointer or being dragged, -1 for none.
    int CurrentBand() const { return m_nCurrent; }
    // The plot in client coordinates.
    QRect PlotRect() const;
    // Whether the pointer edits the shown band set now (not bypassed, not an output channel
    // while the outputs are in automatic mode).
    bool PointerEnabled() const;

signals:
    // A band point was dragged (MSG_CURVE_POINT_MOVED).
    void CurvePointMoved(int band, int code);
    // A band's Q or shelf slope was turned (MSG_CURVE_Q_CHANGED).
    void CurveQChanged(int band, int code);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Shows kind `kind` with its band-set index or scene.
    void AttachChannel(OwnerKind kind, int index);
    CEqRecord* Record() const;
    CEQ* BandSet() const;
    CFilter* Current() const;
    // Clears the pointer state of the current record and the over-handle flag.
    void ReleaseCurrent();
    // Closes the drag's bracket of the edit history, if one is open.
    void EndDragStep();
    // The common start of every mouse event; false when the pointer is to be ignored.
    bool AcceptPointer(SCurvePoint p);
    // PointToFD on a band being dragged, with its diagnostic line.
    bool DragBand(CFilter& band, SCurvePoint p);
    // Mouse move with a crossover as the current record; true when its index changed.
    bool MoveCrossover(CFilter& crossover, SCurvePoint p);
    // Mouse move over no current handle: the first record whose handle holds the pointer
    // becomes the current one.
    void ScanHandles(SCurvePoint p);
    // A drag changed the current record: mark it for the next report, or report it at once.
    void DragChanged();
    void OnNotifyTimer();
    // Emits `signal` for every band in `pending`, lowest index first, and clears it.
    void Report(std::uint32_t& pending, void (CDrawCurve::*signal)(int, int));
    QString Description() const;

    CAudioData* m_pModel = nullptr;
    // The edit history's bracket of the drag under way (null: none).
    IEditObserver* m_pDragObserver = nullptr;
    OwnerKind m_kind = OwnerKind::Music;
    std::array<int, 6> m_nElement{};
    int m_nCode = 0;
    int m_nSelBand = -1;
    int m_nCurrent = -1;
    bool m_bOverHandle = false;
    bool m_bReportDragsAtOnce = true;
    // Bands with a report pending, one bit per index in the band set.
    std::uint32_t m_nPendingMoved = 0;
    std::uint32_t m_nPendingQ = 0;
    // Wheel rotation not yet turned into whole notches.
    int m_nWheelRest = 0;
    QTimer m_notifyTimer;

    SCurveRect m_rcPlot{};
    std::array<int, kCurveGridCount> m_nGridX{};
    // Client x of every grid frequency, for the summed curve.
    std::array<double, kFreqCount> m_dCurveX{};

    std::vector<double> m_spectrum;
    int m_nBarCount = kDefaultBarCount;
    int m_nValuesPerBar = 0;
    bool m_bSpectrumVisible = false;
};
