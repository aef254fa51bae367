#pragma once
// Tools > Options: the settings a user may change without editing the
// settings file. Opening shows Settings as they stand; Save writes the nine
// keys to the file and reads them back into Settings, so the next download,
// query, export or report uses them; Cancel writes nothing. Not modal.

#include <QAction>
#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tw {

struct ProgramState;

inline constexpr char kOptionsCaption[] = "Options";
inline constexpr int32_t kHighestPort = 65535;

// Told when the typed proxy port lies outside 0 to 65535 and the nearest
// port was stored instead.
QString ProxyPortClampedMessage(int32_t storedPort);

// The proxy port as Save stores it: the leading number of the text, rounded
// half to even; `clamped` tells whether it had to be brought into 0..65535.
int32_t ProxyPortFromText(const QString& text, bool* clamped);

class frmOptions : public QDialog {
    Q_OBJECT
  public:
    explicit frmOptions(ProgramState& state, QWidget* parent = nullptr);

    void cmdSaveOptions_Click();
    void cmdCancelOptions_Click();
    // The proxy rule: the address and port fields and their labels are
    // enabled only while "Use proxy" is checked; their contents stay.
    void chkUseProxy_Click();

    // The export-format button chosen, 1 to 4; 0 when none is.
    int SelectedExportFormat() const;

    QGroupBox* frameDownloadSettings = nullptr;
    QCheckBox* chkAllTagList = nullptr;
    QCheckBox* chkOnlyExperienceLevel = nullptr;
    QCheckBox* chkScanAllGameLists = nullptr;
    QCheckBox* chkUseProxy = nullptr;
    QLabel* lblProxyAddress = nullptr;
    QLineEdit* txtProxyAddress = nullptr;
    QLabel* lblProxyPort = nullptr;
    QLineEdit* txtProxyPort = nullptr;

    QGroupBox* frameQuerySettings = nullptr;
    QCheckBox* chkAutoGridHighlight = nullptr;
    QLabel* lblExportFormat = nullptr;
    // Indexed 1 to 4 (Excel, CSV, HTML, XML); element 0 is unused.
    std::array<QRadioButton*, 5> optQryExportFormat{};

    QGroupBox* frameTPSReportSettings = nullptr;
    QCheckBox* chkTPSuseKApD = nullptr;

    QPushButton* cmdSaveOptions = nullptr;
    QPushButton* cmdCancelOptions = nullptr;

  private:
    void CreateDownloadFrame();
    void CreateQueryFrame();
    void CreateReportFrame();
    void Form_Load();
    void WriteOptions(int32_t proxyPort);

    ProgramState& state_;
};

// Shows the dialog over `parent`, not modal, and returns it. While one is
// open, it is brought to the front instead of opening a second.
frmOptions* ShowOptions(ProgramState& state, QWidget* parent);

// Connects Tools > Options of the main window (any window with a QAction*
// mnuOptions).
template <class Window>
void ConnectOptions(ProgramState& state, Window& window) {
    QObject::connect(window.mnuOptions, &QAction::triggered, &window,
                     [&state, &window] { ShowOptions(state, &window); });
}

}  // namespace tw
