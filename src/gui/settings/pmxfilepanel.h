// The System page's parameter files: the library list (folder pmxfolder.h), the name box, and
// the buttons that upload a listed file to the unit and save the model into the library; beside
// them "Open..." and "Save as..." for a file anywhere. Every upload is asked first, with the
// number of parameters that would change on the unit, and a file with values outside the
// unit's ranges is sent clamped to them (as `sonvela-cli restore --force` sends it).
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class CAudioData;
class CLimitInputEdit;
class CXPButton;
class QTreeWidget;
struct CheckedParameterFile;

inline constexpr int IDC_SYS_FILE_LIST = 2922;
inline constexpr int IDC_SYS_LOAD_FILE = 2923;
inline constexpr int IDC_SYS_SAVE_FILE = 2924;
inline constexpr int IDC_SYS_FILE_NAME = 2933;
inline constexpr int IDC_SYS_OPEN_FILE = 2925;
inline constexpr int IDC_SYS_SAVE_FILE_AS = 2926;

class CPmxFilePanel : public QWidget {
    Q_OBJECT
public:
    struct SHandlers {
        std::function<bool()> isConnected;
        // The model now holds the file: send it to the unit (MSG_UPLOAD_MODEL).
        std::function<void()> uploadModel;
    };

    // folder: the library folder; empty when there is none (the list is empty and saving
    // fails).
    CPmxFilePanel(CAudioData& model, const QString& folder, QWidget* parent = nullptr);
    void SetHandlers(SHandlers handlers) { m_handlers = std::move(handlers); }

    // Re-reads the library and refills the list (no row selected).
    void RefreshFileList();
    // Remembers the row and puts its file title into the name box.
    void OnFileSelected(int row);
    // The listed file selected, asked, loaded and uploaded.
    void LoadSelectedFile();
    // The model saved in the library under the name typed.
    void SaveCurrentModel();
    // A parameter file anywhere (Open..., a file dropped on the window), asked, loaded and
    // uploaded; the connection is checked before the file is read.
    void LoadFile(const QString& path);
    // The asynchronous file dialogs.
    void OpenFileDialog();
    void SaveAsFileDialog();

    const QString& Folder() const { return m_folder; }
    const std::vector<std::string>& Files() const { return m_files; }
    int SelectedRow() const { return m_selectedRow; }
    QTreeWidget* List() const { return m_pList; }
    CLimitInputEdit* NameEdit() const { return m_pName; }
    CXPButton* LoadButton() const { return m_pLoad; }
    CXPButton* SaveButton() const { return m_pSave; }

private:
    void AskAndUpload(const CheckedParameterFile& file);
    void WriteFile(const QString& path);

    CAudioData& m_model;
    QString m_folder;
    SHandlers m_handlers;
    std::vector<std::string> m_files;
    int m_selectedRow = -1;
    QTreeWidget* m_pList = nullptr;
    CLimitInputEdit* m_pName = nullptr;
    CXPButton* m_pLoad = nullptr;
    CXPButton* m_pSave = nullptr;
};
