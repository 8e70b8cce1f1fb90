#include "gui/settings/pmxfilepanel.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeWidget>

#include "core/model/audiodata.h"
#include "core/model/modeldiff.h"
#include "core/model/parameterimport.h"
#include "core/model/pmxfile.h"
#include "core/model/pmxlibrary.h"
#include "gui/controls/artworkids.h"
#include "gui/controls/limitinputedit.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/labeltext.h"
#include "gui/pages/messagebox.h"
#include "gui/pages/pagestate.h"
#include "gui/settings/settingscontrols.h"

namespace {
constexpr int kNumberColumnWidth = 50;
constexpr int kNameColumnWidth = 215;
constexpr int kFileNameMaxLength = 80;

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

CXPButton* MakeButton(int id, const QString& text, QWidget* parent, const QRect& frame) {
    return MakeSettingsButton(id, text, IDB_SELECTOR_BUTTON, parent, frame, 11);
}
}  // namespace

CPmxFilePanel::CPmxFilePanel(CAudioData& model, const QString& folder, QWidget* parent)
    : QWidget(parent), m_model(model), m_folder(folder) {
    m_pList = new QTreeWidget(this);
    m_pList->setObjectName(QStringLiteral("fileList"));
    m_pList->setColumnCount(2);
    m_pList->setHeaderLabels({LabelText(kLabelGroupSystem, 22), LabelText(kLabelGroupSystem, 23)});
    m_pList->setColumnWidth(0, kNumberColumnWidth);
    m_pList->setColumnWidth(1, kNameColumnWidth);
    m_pList->setRootIsDecorated(false);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setUniformRowHeights(true);
    m_pList->setGeometry(0, 0, 330, 360);
    connect(m_pList, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* pItem) {
        OnFileSelected(m_pList->indexOfTopLevelItem(pItem));
    });

    auto* pLabel = new CStaticTrans(LabelText(kLabelGroupSystem, 19), this);
    pLabel->SetTextColour(Qt::black);
    pLabel->setGeometry(0, 372, 80, 22);
    m_pName = new CLimitInputEdit(this);
    m_pName->setObjectName(QStringLiteral("fileName"));
    m_pName->SetTextColour(Qt::black);
    m_pName->SetBackColour(Qt::white);
    m_pName->setMaxLength(kFileNameMaxLength);
    m_pName->setGeometry(84, 372, 246, 22);

    m_pLoad = MakeButton(IDC_SYS_LOAD_FILE, LabelText(kLabelGroupSystem, 20), this,
                         QRect(0, 406, 96, 32));
    m_pSave = MakeButton(IDC_SYS_SAVE_FILE, LabelText(kLabelGroupSystem, 21), this,
                         QRect(117, 406, 96, 32));
    CXPButton* pOpen = MakeButton(IDC_SYS_OPEN_FILE, LabelText(kLabelGroupSettings, 19), this,
                                  QRect(234, 406, 96, 32));
    CXPButton* pSaveAs = MakeButton(IDC_SYS_SAVE_FILE_AS, LabelText(kLabelGroupSettings, 20), this,
                                    QRect(234, 446, 96, 32));
    pOpen->setToolTip(QStringLiteral("Ctrl+O"));
    pSaveAs->setToolTip(QStringLiteral("Ctrl+Shift+S"));
    connect(m_pLoad, &CXPButton::clicked, this, &CPmxFilePanel::LoadSelectedFile);
    connect(m_pSave, &CXPButton::clicked, this, &CPmxFilePanel::SaveCurrentModel);
    connect(pOpen, &CXPButton::clicked, this, &CPmxFilePanel::OpenFileDialog);
    connect(pSaveAs, &CXPButton::clicked, this, &CPmxFilePanel::SaveAsFileDialog);
    RefreshFileList();
}

void CPmxFilePanel::RefreshFileList() {
    m_files =
        m_folder.isEmpty() ? std::vector<std::string>{} : ListParameterFiles(LocalPath(m_folder));
    m_selectedRow = -1;
    m_pList->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(m_files.size()));
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        rows.append(new QTreeWidgetItem(
            {QString::number(i + 1), QFile::decodeName(FileTitle(m_files[i]).c_str())}));
    }
    m_pList->addTopLevelItems(rows);
}

void CPmxFilePanel::OnFileSelected(int row) {
    if (row < 0 || row >= static_cast<int>(m_files.size())) {
        return;
    }
    m_selectedRow = row;
    m_pList->setCurrentItem(m_pList->topLevelItem(row));
    m_pName->setText(m_pList->topLevelItem(row)->text(1));
    m_pName->setFocus();
}

void CPmxFilePanel::LoadSelectedFile() {
    if (!m_handlers.isConnected || !m_handlers.isConnected()) {
        ShowQueuedMessage(this, LabelText(kLabelGroupMessages, 2), PromptCaption());
        return;
    }
    if (m_selectedRow < 0 || m_selectedRow >= static_cast<int>(m_files.size())) {
        ShowQueuedMessage(this, LabelText(kLabelGroupMessages, 12), PromptCaption());
        return;
    }
    const QString path = QDir(m_folder).filePath(
        QFile::decodeName(m_files[static_cast<std::size_t>(m_selectedRow)].c_str()));
    LoadFile(path);
}

void CPmxFilePanel::LoadFile(const QString& path) {
    if (!m_handlers.isConnected || !m_handlers.isConnected()) {
        ShowQueuedMessage(this, LabelText(kLabelGroupMessages, 2), PromptCaption());
        return;
    }
    // The file is read and checked before the question, so that the question can say what it
    // changes; nothing reaches the model before Yes.
    const CheckedParameterFile file = ReadCheckedParameterFile(LocalPath(path));
    if (!file.read.ok) {
        ShowQueuedMessage(this, LabelText(kLabelGroupSettings, 17), PromptCaption());
        return;
    }
    AskAndUpload(file);
}

void CPmxFilePanel::AskAndUpload(const CheckedParameterFile& file) {
    CAudioData incoming;
    LoadCheckedParameterFile(incoming, file);
    const std::size_t differences = DiffModels(m_model, incoming).size();
    QString question = LabelText(kLabelGroupMessages, 13) + QStringLiteral("\n\n") +
                       LabelText(kLabelGroupSettings, 23).arg(differences);
    if (!file.issues.empty()) {
        question +=
            QStringLiteral("\n") + LabelText(kLabelGroupSettings, 22).arg(file.issues.size());
    }
    AskYesNoQueued(this, question, LabelText(kLabelGroupMessages, 14), [this, file](bool yes) {
        if (!yes || !m_handlers.isConnected || !m_handlers.isConnected()) {
            return;
        }
        LoadCheckedParameterFile(m_model, file);
        g_outScene = {0, 0, 0};
        if (m_handlers.uploadModel) {
            m_handlers.uploadModel();
        }
    });
}

void CPmxFilePanel::SaveCurrentModel() {
    const QString name = m_pName->text();
    if (name.isEmpty()) {
        return;
    }
    const std::string typed = name.toStdString();
    if (m_folder.isEmpty() || !IsAcceptableFileName(typed)) {
        ShowQueuedMessage(this, LabelText(kLabelGroupSettings, 18), PromptCaption());
        return;
    }
    const std::string fileName = typed + kParameterFileExtension;
    const int listed = FindFileIgnoringCase(m_files, fileName);
    if (listed < 0) {
        WriteFile(QDir(m_folder).filePath(QString::fromStdString(fileName)));
        return;
    }
    // A listed name that differs only in letter case is the same file on a disk that ignores
    // case; the save replaces the listed file, so the answer holds on every disk.
    const QString target = QDir(m_folder).filePath(
        QFile::decodeName(m_files[static_cast<std::size_t>(listed)].c_str()));
    AskYesNoQueued(
        this,
        LabelText(kLabelGroupMessages, 15) + QString::fromStdString(fileName) + QStringLiteral("?"),
        LabelText(kLabelGroupMessages, 16), [this, target](bool yes) {
            if (yes) {
                WriteFile(target);
            }
        });
}

void CPmxFilePanel::WriteFile(const QString& path) {
    if (!SaveParameterFile(m_model, LocalPath(path)).ok) {
        ShowQueuedMessage(this, LabelText(kLabelGroupSettings, 18), PromptCaption());
        return;
    }
    RefreshFileList();
}

void CPmxFilePanel::OpenFileDialog() {
    auto* pDialog = new QFileDialog(this, LabelText(kLabelGroupSettings, 19), m_folder,
                                    LabelText(kLabelGroupSettings, 21));
    pDialog->setAttribute(Qt::WA_DeleteOnClose);
    pDialog->setAcceptMode(QFileDialog::AcceptOpen);
    pDialog->setFileMode(QFileDialog::ExistingFile);
    connect(pDialog, &QFileDialog::fileSelected, this, &CPmxFilePanel::LoadFile);
    pDialog->open();
}

void CPmxFilePanel::SaveAsFileDialog() {
    auto* pDialog = new QFileDialog(this, LabelText(kLabelGroupSettings, 20), m_folder,
                                    LabelText(kLabelGroupSettings, 21));
    pDialog->setAttribute(Qt::WA_DeleteOnClose);
    pDialog->setAcceptMode(QFileDialog::AcceptSave);
    pDialog->setDefaultSuffix(QStringLiteral("pmx"));
    connect(pDialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        if (!SaveParameterFile(m_model, LocalPath(path)).ok) {
            ShowQueuedMessage(this, LabelText(kLabelGroupSettings, 18), PromptCaption());
        } else if (QFileInfo(path).absolutePath() == QDir(m_folder).absolutePath()) {
            RefreshFileList();
        }
    });
    pDialog->open();
}
