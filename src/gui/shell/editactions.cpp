#include "gui/shell/editactions.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QThreadPool>
#include <algorithm>
#include <memory>

#include "core/model/audiodata.h"
#include "core/model/pmxfile.h"
#include "core/protocol/audiodataadapter.h"
#include "gui/pages/mainvoldlg.h"
#include "gui/pages/pagestate.h"
#include "gui/pages/switchchdlg.h"
#include "gui/shell/titlebar.h"
#include "link/linkcontroller.h"
#include "link/reconnector.h"
#include "link/unitconnection.h"

namespace {
const QString kKeepUnit = QStringLiteral("Keep the unit's settings");

// The band a cell belongs to on its channel's page; -1 for any other field.
int BandOfCell(CAudioData& model, const EditCell& cell) {
    CEqRecord* record = model.EqRecordOfChannel(cell.channel);
    if (record == nullptr || cell.space != CellSpace::Word) {
        return -1;
    }
    const CEQ& eq = record->GetEQ();
    for (int k = 0; k < eq.GetBandCount(); ++k) {
        const int w = cell.word - eq.GetAt(k).BandWordBase();
        if (w >= 0 && w < kBandWordCount) {
            return k;
        }
    }
    return -1;
}
}  // namespace

CEditActions::CEditActions(CAudioData& model, CUnitConnection& connection, const SView& view)
    : QObject(view.pWindow), m_model(model), m_connection(connection), m_view(view) {
    // One writer thread: snapshots are written one after the other, so that two in the same
    // second get names of their own.
    m_pWriter = new QThreadPool(this);
    m_pWriter->setMaxThreadCount(1);
    connect(&m_connection.Reconnector(), &CReconnector::Changed, this,
            &CEditActions::RefreshLinkNote);
    connect(&m_connection.Search(), &CConnectSearch::Finished, this, [this](SearchResult result) {
        if (result != SearchResult::Connected && !m_connection.Reconnector().Active()) {
            const QStringList& failures = m_connection.Search().Failures();
            const QString why = failures.isEmpty() ? QStringLiteral("No unit found")
                                                   : QStringLiteral("No unit found: ") +
                                                         failures.join(QStringLiteral("; "));
            ShowNote(why + QStringLiteral(". Edits are kept and will be sent to the unit"));
        }
    });
    connect(&m_connection.Controller(), &CLinkController::VolumesConfirmed, this, [this] {
        ShowNote(QStringLiteral("Settings uploaded to the unit: undo history cleared"));
    });
    connect(m_view.pTitleBar, &CTitleBar::SnapshotClicked, this, [this] { Snapshot(); });
}

CEditSession& CEditActions::Session() {
    return m_connection.ModelAdapter()->Session();
}

void CEditActions::ShowNote(const QString& text) {
    m_note = text;
    m_view.pTitleBar->ShowNote(text);
}

void CEditActions::ShowStep(const CEditHistory::Step& step) {
    m_connection.Controller().SendPendingPromptly();
    m_view.pMainVol->LoadVolumes();
    int band = -1;
    if (!step.changes.empty()) {
        const EditCell& cell = step.changes.front().cell;
        band = BandOfCell(m_model, cell);
        const auto kind = OwnerKindOfChannel(cell.channel);
        const int page = kind ? static_cast<int>(*kind) : g_curPage;
        if (cell.space == CellSpace::Word && cell.channel == kChMic &&
            cell.word == m_model.Mic().FieldWord(CAudioMICData::kOutScene)) {
            // A scene switch taken back or brought again: every output edits that scene.
            SetOutputScene(m_model.Mic().GetOutScene() == 1 ? EScene::Disco : EScene::Sing);
        } else if (kind && IsOutputKind(*kind)) {
            // The output page shows the scene whose value came back.
            g_outScene[static_cast<std::size_t>(page - kPageMainOut)] =
                cell.channel - OwnerChannel(*kind, 0);
        }
        if (cell.space != CellSpace::System && kind && page != g_curPage) {
            m_view.pSelector->ShowPage(page);
        }
    }
    m_view.pSelector->ReloadCurrentPage(band);
}

void CEditActions::Undo() {
    Apply(Session().Undo(), true);
}

void CEditActions::Redo() {
    Apply(Session().Redo(), false);
}

void CEditActions::Apply(const std::optional<CEditHistory::Step>& step, bool undo) {
    if (!step) {
        ShowNote(undo ? QStringLiteral("Nothing to undo") : QStringLiteral("Nothing to redo"));
        return;
    }
    ShowStep(*step);
    const CEditHistory& history = Session().History();
    ShowNote((undo ? QStringLiteral("Undone: %1 field(s); %2 more to undo")
                   : QStringLiteral("Redone: %1 field(s); %2 more to redo"))
                 .arg(step->changes.size())
                 .arg(undo ? history.UndoCount() : history.RedoCount()));
}

void CEditActions::ToggleAb() {
    const int changed = Session().ToggleAb();
    CEditHistory::Step none;
    ShowStep(none);
    const QString live = Session().LiveSlot() == 0 ? QStringLiteral("A") : QStringLiteral("B");
    m_view.pTitleBar->ShowAbSlot(live);
    ShowNote(QStringLiteral("%1 is live: %2 field(s) changed").arg(live).arg(changed));
}

QString CEditActions::SnapshotFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("Snapshots"));
}

void CEditActions::Snapshot(bool unit) {
    std::vector<std::uint8_t> bytes;
    if (unit) {
        CAudioData held;
        held.LoadAllFromImage(Session().ReadImage());
        bytes = ParameterBytes(held);
    } else {
        bytes = ParameterBytes(m_model);
    }
    const QString stem =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) +
        (unit ? QStringLiteral(" unit") : QString());
    const QString folder = SnapshotFolder();
    // The file is written and flushed away from the UI thread; the result comes back queued.
    QPointer<CEditActions> self(this);
    m_pWriter->start([self, bytes = std::move(bytes), folder, stem] {
        // Two snapshots in one second are told apart by a number.
        QString path = QDir(folder).filePath(stem + kParameterFileExtension);
        for (int n = 2; QFileInfo::exists(path); ++n) {
            path = QDir(folder).filePath(
                QStringLiteral("%1 %2%3").arg(stem).arg(n).arg(kParameterFileExtension));
        }
        QString error;
        if (!QDir().mkpath(folder)) {
            error = QStringLiteral("cannot create the folder ") + folder;
        } else if (const PmxResult saved = SaveParameterBytes(bytes, path.toStdString());
                   !saved.ok) {
            error = QString::fromStdString(saved.error);
        }
        QMetaObject::invokeMethod(
            qApp,
            [self, path, error] {
                if (self == nullptr) {
                    return;
                }
                self->ShowNote(error.isEmpty() ? QStringLiteral("Snapshot saved: ") + path
                                               : QStringLiteral("Snapshot not saved: ") + error);
                emit self->SnapshotSaved(error.isEmpty() ? path : QString(), error);
            },
            Qt::QueuedConnection);
    });
}

void CEditActions::OnReadBackCompleted() {
    using Outcome = CEditSession::Outcome;
    const Outcome outcome = m_connection.ModelAdapter()->LastReadBackOutcome();
    if (outcome != Outcome::NotALinkUp) {
        Snapshot(true);
    }
    switch (outcome) {
        case Outcome::Sent:
            ShowNote(QStringLiteral("The unit holds what it held: %1 kept edit(s) sent")
                         .arg(Session().LastSentCount()));
            break;
        case Outcome::Ask:
        case Outcome::AskFirstUnit:
            AskAboutKeptEdits(outcome == Outcome::AskFirstUnit);
            break;
        case Outcome::UnitReplaced:
            ShowNote(
                QStringLiteral("The unit's settings changed while the link was down: undo "
                               "history cleared"));
            break;
        case Outcome::NotALinkUp:
            ShowNote(QStringLiteral("Settings read from the unit: undo history cleared"));
            break;
        case Outcome::NothingKept:
            ShowNote(QString());
            break;
    }
}

void CEditActions::AskAboutKeptEdits(bool firstUnit) {
    const int count = Session().KeptCount();
    const QString send = QStringLiteral("Send my %1 edits").arg(count);
    const QString text = firstUnit
                             ? QStringLiteral(
                                   "%1 edit(s) were made before this unit was connected. The "
                                   "unit's own settings are shown now.")
                                   .arg(count)
                             : QStringLiteral(
                                   "The unit's settings changed while the link was down (its "
                                   "front panel or another PC). %1 edit(s) made here are kept.")
                                   .arg(count);
    QPointer<QWidget> parent(m_view.pWindow);
    QPointer<CEditActions> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, parent, text, send] {
            auto* pBox = new QMessageBox(QMessageBox::Question, QStringLiteral("Kept edits"), text,
                                         QMessageBox::NoButton, parent);
            pBox->setAttribute(Qt::WA_DeleteOnClose);
            pBox->setWindowModality(Qt::WindowModal);
            QPushButton* pKeep = pBox->addButton(kKeepUnit, QMessageBox::RejectRole);
            pBox->addButton(send, QMessageBox::AcceptRole);
            pBox->setDefaultButton(pKeep);
            QObject::connect(pBox, &QMessageBox::finished, pBox, [self, pBox, pKeep](int) {
                if (self == nullptr) {
                    return;
                }
                if (pBox->clickedButton() == pKeep || pBox->clickedButton() == nullptr) {
                    self->Session().DropKept();
                    self->ShowNote(QStringLiteral("Kept the unit's settings"));
                } else {
                    const int sent = self->Session().KeptCount();
                    self->Session().SendKept();
                    self->ShowNote(QStringLiteral("%1 kept edit(s) sent").arg(sent));
                }
                CEditHistory::Step none;
                self->ShowStep(none);
            });
            pBox->open();
        },
        Qt::QueuedConnection);
}

void CEditActions::RefreshLinkNote() {
    const CReconnector& reconnector = m_connection.Reconnector();
    const bool connected = m_connection.State().connected == 1;
    if (reconnector.Active() && !connected) {
        m_view.pTitleBar->ShowReconnecting(std::max(reconnector.Attempt(), 1));
    }
    if (connected) {
        return;
    }
    QString text = QStringLiteral("Edits are kept and will be sent when the unit is back");
    if (!reconnector.LastFailure().isEmpty()) {
        text += QStringLiteral(" (last try: ") + reconnector.LastFailure() + ')';
    }
    ShowNote(text);
}
