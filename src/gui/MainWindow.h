#pragma once
// The main window. It owns the controls, the menus, their layout, the five
// stage rows of the progress display and the download lock
// (setDownloadMode), and knows no feature: the wiring unit and the panels
// connect the controls' signals and the menu actions to the features.
//
// Names: every control is a public member; its Qt object name is the name the
// program always gave it. The controls of a group carry "<name>_<n>", n from 1
// ("lblStageWorking_3", "optFilterGame_1").

#include <QMainWindow>
#include <array>
#include <functional>
#include <utility>

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

struct Session;
class ResultGrid;
class LinkLabel;

// One way a stage row can stand: its caption and its icon, shown together.
struct StagePair {
    QLabel* label = nullptr;
    QLabel* icon = nullptr;
};

// One row of the progress display. The four pairs lie on the same place; the
// later ones lie above the earlier ones.
struct StageRow {
    StagePair working;
    StagePair complete;
    StagePair failed;
    StagePair info;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The smallest outer size of the window, in twips.
    static constexpr int kMinOuterWidth = 11415;
    static constexpr int kMinOuterHeight = 7335;
    // The outer size counts a border and caption allowance around the client
    // area (outer 11415 x 7335 = client 11295 x 6645), whatever decorations
    // the desktop draws, so a saved size means the same client area anywhere.
    static constexpr int kChromeWidth = 120;
    static constexpr int kChromeHeight = 690;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The progress display has one row per stage of a player's download.
    static constexpr int kStageRows = 5;
    // Row 1 to kStageRows, numbered as the download numbers its stages.
    StageRow& stageRow(int row) { return stageRows_.at(static_cast<size_t>(row - 1)); }
    const StageRow& stageRow(int row) const { return stageRows_.at(static_cast<size_t>(row - 1)); }

    // Locks (true) or unlocks (false) everything that could start other work.
    void setDownloadMode(bool downloading);
    // Download, Remove and Profile act on the player tagListBox shows: with
    // no entry selected they are disabled. Run after the list changes (the
    // summary refresh does); setDownloadMode applies it too.
    void updatePlayerButtons();

    // Placement in twips, as the settings file keeps it: outer size as
    // described above, position of the window's outer top-left corner. A size
    // below the smallest in either direction opens the window at the
    // smallest size in both.
    int outerWidthTwips() const;
    int outerHeightTwips() const;
    int topTwips() const;
    int leftTwips() const;
    void setOuterSizeTwips(int width, int height);
    void moveToTwips(int left, int top);
    // A window whose caption cannot be reached on any screen (its placement
    // was saved on a monitor that is gone) is moved onto the nearest screen's
    // available area; one the user can reach and drag stays where it is. Runs
    // again each time the window is shown.
    void keepOnScreen();

    // Asked before the window closes (any way of closing it); false keeps the
    // window open. Unset means the window may close.
    std::function<bool()> queryUnload;

    // Controls outside controlCenter.
    QGroupBox* playerFilterGroup = nullptr;
    // All, All in Tag List, Me ("optFilterPlayer_1" to "_3").
    std::array<QRadioButton*, 3> playerFilterOptions{};
    QGroupBox* gameFilterGroup = nullptr;
    // All, Ranked, Unranked ("optFilterGame_1" to "_3").
    std::array<QRadioButton*, 3> gameFilterOptions{};
    QComboBox* queryList = nullptr;
    QPushButton* runQueryButton = nullptr;
    QPushButton* exportButton = nullptr;
    ResultGrid* resultGrid = nullptr;
    QChartView* resultChart = nullptr;
    QLabel* recordCount = nullptr;
    QLabel* ascendingIcon = nullptr;
    QLabel* descendingIcon = nullptr;
    QLabel* makerLogo = nullptr;
    LinkLabel* makerLink = nullptr;

    // controlCenter ("Control Center") and its controls.
    QGroupBox* controlCenter = nullptr;
    QLabel* gamertagCaption = nullptr;
    QComboBox* tagListBox = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* profileButton = nullptr;
    QLabel* avatarPicture = nullptr;
    QLabel* clanCaption = nullptr;
    QLabel* clanName = nullptr;
    QLabel* totalGamesCaption = nullptr;
    QLabel* totalGames = nullptr;
    QLabel* lastDownloadCaption = nullptr;
    QLabel* lastDownload = nullptr;
    // Shown instead of the summary while the tag list is empty.
    QLabel* firstRunHint = nullptr;
    QFrame* separatorLine = nullptr;
    QLabel* elapsedTime = nullptr;
    QLabel* downloadedBytes = nullptr;
    QPushButton* downloadButton = nullptr;
    QPushButton* stopButton = nullptr;
    QFrame* progressEmpty = nullptr;
    QFrame* progressFull = nullptr;
    QLabel* progressPercent = nullptr;
    QLabel* progressText = nullptr;

    // Menus. A top menu's own enabled state is its menuAction()'s.
    QMenu* fileMenu = nullptr;
    // The tag list's and the download's buttons as menu entries with their
    // keys; each presses its button, so it does exactly what the button does.
    QAction* addGamertagAction = nullptr;
    QAction* removeGamertagAction = nullptr;
    QAction* downloadAction = nullptr;
    QAction* stopAction = nullptr;  // Escape, while a download runs
    QAction* exitAction = nullptr;
    QMenu* databaseMenu = nullptr;
    QAction* runQueryAction = nullptr;       // presses Run
    QAction* exportResultsAction = nullptr;  // presses Export
    QAction* exportExcelAction = nullptr;
    QAction* exportXmlAction = nullptr;
    QAction* exportCsvAction = nullptr;
    QAction* menuSeparator1 = nullptr;
    QAction* importOldAction = nullptr;
    QAction* importOtherAction = nullptr;  // hidden, no handler
    QAction* menuSeparator2 = nullptr;
    QAction* purgeNonTagListAction = nullptr;
    QAction* purgeEntireDatabaseAction = nullptr;
    QMenu* toolsMenu = nullptr;
    QAction* tpsReportAction = nullptr;
    QAction* menuSeparator3 = nullptr;
    QAction* optionsAction = nullptr;
    QMenu* helpMenu = nullptr;
    QAction* supportAction = nullptr;
    QAction* menuSeparator4 = nullptr;
    QAction* aboutAction = nullptr;
    // Not on the menu bar: the result grid's pop-up menu.
    QMenu* gridMenu = nullptr;
    QAction* insertIntoTagListAction = nullptr;

  protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createFilterControls(QWidget* client);
    void createQueryControls(QWidget* client);
    void createMakerControls(QWidget* client);
    void createPlayerControls();
    void createDownloadControls();
    void createStageRows();
    void createMenus();
    void createKeys();
    QList<std::pair<QAction*, QPushButton*>> keyedButtons() const;
    void syncKeyedActions();
    void chainTabOrder();
    static void installAccessibleRoles();
    void nameForAssistiveTools();
    void applyStageColors();
    void layOutClient();
    void layOutControlCenter();
    QSize minimumClientSize() const;
    int menuHeight() const;

    std::array<StageRow, kStageRows> stageRows_{};
    QWidget* client_ = nullptr;
    bool downloading_ = false;
    bool movedOnScreen_ = false;  // by keepOnScreen, before the frame was known
};

}  // namespace tw
