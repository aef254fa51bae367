#pragma once
// The main window. It owns the controls, the menus, the layout rule, the
// progress display (ShowStage) and the download lock (SetDownloadMode), and
// knows no feature: the wiring unit connects the controls' signals and the
// menu actions to the feature handlers.
//
// Names: every control is a public member named as the program names it, and
// its Qt object name is the same text. A control array is a ControlArray
// indexed from 1; element n has the object name "<name>_<n>"
// ("lblStageWorking_3", "optFilterGame_1").

#include <QMainWindow>
#include <cstdint>
#include <functional>

#include "app/About.h"  // the maker's name and page, shown by lblBrackenfoldLink
#include "ui/ControlArray.h"

class QAction;
class QChartView;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

namespace tw {

struct ProgramState;
class FlexGrid;
class LinkLabel;

// The values ShowStage understands.
struct StageState {
    static constexpr int16_t Reset = 0;
    static constexpr int16_t Advance = 1;
    static constexpr int16_t Info = 2;
    static constexpr int16_t Failed = 3;
};

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    // Designed outer size limits of the window, in twips.
    static constexpr int kMinOuterWidth = 11415;
    static constexpr int kMinOuterHeight = 7335;
    // The outer size counts a border and caption allowance around the client
    // area, as the designed window did (outer 11415 x 7335 = client 11295 x
    // 6645). Counting it this way keeps the layout table inside the client
    // area whatever decorations the desktop draws.
    static constexpr int kChromeWidth = 120;
    static constexpr int kChromeHeight = 690;

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Progress display: 0 Reset, 1 Advance, 2 Info, 3 Failed; reads
    // state.CurrentStage, Advance pauses through state.sleep(1000).
    void ShowStage(ProgramState& state, int16_t stageState);
    // Locks (true) or unlocks (false) everything that could start other work.
    void SetDownloadMode(bool downloading);
    // Download, Remove and Profile act on the player cmbTagList shows: with
    // no entry selected they are disabled. Run after the list changes (the
    // summary refresh does); SetDownloadMode applies it too.
    void UpdatePlayerButtons();
    // The resize rule: snap to the smallest size, else place the controls
    // that follow the window's edges. Runs on every resize of the client area.
    void Form_Resize();

    // Placement in twips: outer size as described above, position of the
    // window's outer top-left corner.
    int OuterWidthTwips() const;
    int OuterHeightTwips() const;
    int TopTwips() const;
    int LeftTwips() const;
    void SetOuterSizeTwips(int width, int height);
    void MoveToTwips(int left, int top);
    // A window whose caption cannot be reached on any screen (its placement
    // was saved on a monitor that is gone) is moved onto the nearest screen's
    // available area; one the user can reach and drag stays where it is. Runs
    // again each time the window is shown.
    void KeepOnScreen();

    // Asked before the window closes (any way of closing it); false keeps the
    // window open. Unset means the window may close.
    std::function<bool()> queryUnload;

    // Controls outside frameMain.
    QGroupBox* frameFilterPlayer = nullptr;
    ControlArray<QRadioButton, 3> optFilterPlayer;
    QGroupBox* frameFilterGame = nullptr;
    ControlArray<QRadioButton, 3> optFilterGame;
    QComboBox* cmbQuery = nullptr;
    QPushButton* cmdRunQuery = nullptr;
    QPushButton* cmdQryExport = nullptr;
    FlexGrid* flxData = nullptr;
    QChartView* chtData = nullptr;
    QLabel* lblRecordCount = nullptr;
    QLabel* imgAscending = nullptr;
    QLabel* imgDescending = nullptr;
    QLabel* picBrackenfoldLogo = nullptr;
    LinkLabel* lblBrackenfoldLink = nullptr;

    // frameMain ("Control Center") and its controls.
    QGroupBox* frameMain = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbTagList = nullptr;
    QPushButton* cmdAddGamertag = nullptr;
    QPushButton* cmdRemoveGamertag = nullptr;
    QPushButton* cmdProfileGamertag = nullptr;
    QLabel* imgAvatar = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblClanName = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblTotalGames = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* lblLastDownload = nullptr;
    QFrame* Line1 = nullptr;
    ControlArray<QLabel, 5> lblStageWorking;
    ControlArray<QLabel, 5> imgStageWorking;
    ControlArray<QLabel, 5> lblStageComplete;
    ControlArray<QLabel, 5> imgStageComplete;
    ControlArray<QLabel, 5> lblStageFailed;
    ControlArray<QLabel, 5> imgStageFailed;
    ControlArray<QLabel, 5> lblStageInfo;
    ControlArray<QLabel, 5> imgStageInfo;
    QLabel* lblElapsedTime = nullptr;
    QLabel* lblDownloadedBytes = nullptr;
    QPushButton* cmdDownload = nullptr;
    QPushButton* cmdStopDownload = nullptr;
    QFrame* shpProgressEmpty = nullptr;
    QFrame* shpProgressFull = nullptr;
    QLabel* lblProgressPercent = nullptr;
    QLabel* lblProgressText = nullptr;

    // Menus. A top menu's own enabled state is its menuAction()'s.
    QMenu* mnuFile = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuDatabase = nullptr;
    QAction* mnuExportExcel = nullptr;
    QAction* mnuExportXML = nullptr;
    QAction* mnuExportCSV = nullptr;
    QAction* mnuSp1 = nullptr;
    QAction* mnuImportOld = nullptr;
    QAction* mnuImportOther = nullptr;  // hidden, no handler
    QAction* mnuSp2 = nullptr;
    QAction* mnuPurgeNonTagList = nullptr;
    QAction* mnuPurgeEntireDatabase = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuTPSReport = nullptr;
    QAction* mnuSp3 = nullptr;
    QAction* mnuOptions = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuSupport = nullptr;
    QAction* mnuSp4 = nullptr;
    QAction* mnuAbout = nullptr;
    // Not on the menu bar: the result grid's pop-up menu.
    QMenu* mnuFlexGrid = nullptr;
    QAction* mnuTagListInsert = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateFilterControls(QWidget* client);
    void CreateQueryControls(QWidget* client);
    void CreateMakerControls(QWidget* client);
    void CreatePlayerControls();
    void CreateDownloadControls();
    void CreateStageRows();
    void CreateMenus();
    void ApplyDesignedPlaces();
    void PlaceTwips(QWidget* widget, int left, int top, int width, int height);
    void SetTopTwips(QWidget* widget, int top);
    void SetLeftTwips(QWidget* widget, int left);
    void SetWidthTwips(QWidget* widget, int width);
    void SetHeightTwips(QWidget* widget, int height);

    QWidget* client_ = nullptr;
    bool downloading_ = false;
    bool movedOnScreen_ = false;  // by KeepOnScreen, before the frame was known
};

}  // namespace tw
