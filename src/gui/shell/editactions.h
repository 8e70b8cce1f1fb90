// The editor's side of the edit history, the kept edits, snapshots and A/B: undo and redo
// (the page and the curve follow and the band is selected), the question after a read-back
// that found the unit changed, the snapshots in the user's data folder (on request, and one of
// what the unit held at each connection), the A/B toggle, and the title bar's notes on the
// link (reconnecting, why a search failed, edits kept while disconnected).
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "core/model/edithistory.h"

class CAudioData;
class CEditSession;
class CMainVolDlg;
class CSwitchChDlg;
class CTitleBar;
class CUnitConnection;
class QThreadPool;
class QWidget;

class CEditActions : public QObject {
    Q_OBJECT
public:
    struct SView {
        QWidget* pWindow = nullptr;
        CSwitchChDlg* pSelector = nullptr;
        CMainVolDlg* pMainVol = nullptr;
        CTitleBar* pTitleBar = nullptr;
    };
    CEditActions(CAudioData& model, CUnitConnection& connection, const SView& view);

    void Undo();
    void Redo();
    void ToggleAb();
    // Keeps the model as a parameter file in SnapshotFolder(); `unit`: what the last read-back
    // found, named as the unit's.
    void Snapshot(bool unit = false);
    // The read-back of a connection or mode recall ended.
    void OnReadBackCompleted();
    // The link state changed: the status and the note follow.
    void RefreshLinkNote();

    // The user's data folder's "Snapshots".
    static QString SnapshotFolder();
    // The last note shown (tests read it).
    const QString& Note() const { return m_note; }

signals:
    // A snapshot was written (path) or could not be (empty path, why).
    void SnapshotSaved(const QString& path, const QString& error);

private:
    CEditSession& Session();
    void ShowNote(const QString& text);
    // The page of the step's first field is shown, loaded again, its band selected.
    void ShowStep(const CEditHistory::Step& step);
    // Shows the step just undone (or redone) and says so, with the steps left.
    void Apply(const std::optional<CEditHistory::Step>& step, bool undo);
    void AskAboutKeptEdits(bool firstUnit);

    CAudioData& m_model;
    CUnitConnection& m_connection;
    SView m_view;
    QString m_note;
    QThreadPool* m_pWriter = nullptr;
};
