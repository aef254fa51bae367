// The progress display: start state, captions and colours, and ShowStage
// for every state, including the edge cases around the current row.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <set>

#include "UiTestSupport.h"
#include "app/ProgramState.h"
#include "ui/frmMain.h"

namespace tw {
namespace {

using Names = std::set<QString>;

class frmMainStagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::App();
        window = std::make_unique<frmMain>();
        window->show();
        test::Settle();
        state.sleep = [this](int milliseconds) { pauses.push_back(milliseconds); };
    }

    // Names of the stage labels and pictures that are shown, e.g.
    // "lblStageInfo_1"; a shown pair must have both halves shown.
    Names ShownPairs() const {
        Names shown;
        const std::pair<const char*, const ControlArray<QLabel, 5>*> pairs[] = {
            {"Working", &window->lblStageWorking},
            {"Complete", &window->lblStageComplete},
            {"Failed", &window->lblStageFailed},
            {"Info", &window->lblStageInfo},
        };
        const ControlArray<QLabel, 5>* pictures[] = {
            &window->imgStageWorking, &window->imgStageComplete, &window->imgStageFailed,
            &window->imgStageInfo};
        for (int row = 1; row <= 5; ++row) {
            for (size_t k = 0; k < std::size(pairs); ++k) {
                const bool label = !(*pairs[k].second)[row]->isHidden();
                const bool picture = !(*pictures[k])[row]->isHidden();
                EXPECT_EQ(label, picture) << pairs[k].first << " row " << row;
                if (label) {
                    shown.insert(
                        QStringLiteral("%1_%2").arg(QLatin1String(pairs[k].first)).arg(row));
                }
            }
        }
        return shown;
    }

    // Starts a player's download as the driver does: reset, row 1 working.
    void StartDownload() {
        state.CurrentStage = 1;
        window->ShowStage(state, StageState::Reset);
        window->lblStageWorking[1]->show();
        window->imgStageWorking[1]->show();
    }

    void AdvanceTo(int16_t row) {
        state.CurrentStage = row;
        window->ShowStage(state, StageState::Advance);
    }

    // The text a user sees at the centre of a row's label place.
    QString VisibleTextInRow(int row) {
        const QWidget* top =
            window->frameMain->childAt(window->lblStageWorking[row]->geometry().center());
        const auto* label = qobject_cast<const QLabel*>(top);
        return label ? label->text() : QString();
    }

    std::unique_ptr<frmMain> window;
    ProgramState state;
    std::vector<int> pauses;
};

TEST_F(frmMainStagesTest, StartShowsOnlyWelcome) {
    EXPECT_EQ(ShownPairs(), Names{"Info_1"});
    EXPECT_EQ(window->lblStageInfo[1]->text(), "Welcome");
    EXPECT_EQ(VisibleTextInRow(1), "Welcome");
}

TEST_F(frmMainStagesTest, CaptionsColoursAndFonts) {
    const char* captions[5][4] = {
        {"Establishing connection ...", "Connection established", "No connection", "Welcome"},
        {"Looking up gamertag ...", "Gamertag found", "Gamertag not found", "Skip"},
        {"Searching for new games ...", "New games found", "xx", "No new games found"},
        {"Extracting data ...", "Data extracted", "Data extraction failed", "Skip"},
        {"Optimizing database ...", "Process complete", "xx", "Skip"},
    };
    const QColor colours[] = {QColor(255, 255, 0), QColor(0, 0x80, 0), QColor(0xC0, 0, 0),
                              QColor(0, 0, 0xC0)};
    for (int row = 1; row <= 5; ++row) {
        const QLabel* labels[] = {window->lblStageWorking[row], window->lblStageComplete[row],
                                  window->lblStageFailed[row], window->lblStageInfo[row]};
        const QLabel* pictures[] = {window->imgStageWorking[row], window->imgStageComplete[row],
                                    window->imgStageFailed[row], window->imgStageInfo[row]};
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(labels[k]->objectName().toStdString());
            EXPECT_EQ(labels[k]->text(), QLatin1String(captions[row - 1][k]));
            EXPECT_EQ(labels[k]->palette().color(QPalette::WindowText), colours[k]);
            EXPECT_TRUE(labels[k]->font().bold());
            EXPECT_TRUE(labels[k]->autoFillBackground());
            EXPECT_EQ(pictures[k]->pixmap().deviceIndependentSize().toSize(), QSize(16, 17));
        }
        EXPECT_EQ(window->lblStageWorking[row]->objectName(),
                  QStringLiteral("lblStageWorking_%1").arg(row));
    }
}

TEST_F(frmMainStagesTest, ResetHidesEveryPair) {
    state.CurrentStage = 3;
    window->ShowStage(state, StageState::Reset);
    EXPECT_EQ(ShownPairs(), Names{});
    EXPECT_TRUE(pauses.empty());
}

TEST_F(frmMainStagesTest, AdvancePausesOneSecondThenMovesTheWorkingRow) {
    StartDownload();
    AdvanceTo(2);
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Working_2"}));
    AdvanceTo(3);
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Complete_2", "Working_3"}));
    EXPECT_EQ(VisibleTextInRow(2), "Gamertag found");
    EXPECT_EQ(VisibleTextInRow(3), "Searching for new games ...");
    EXPECT_EQ(pauses, (std::vector<int>{1000, 1000}));
}

TEST_F(frmMainStagesTest, InfoCoversTheWorkingPairAndClearsTheFlags) {
    StartDownload();
    AdvanceTo(2);
    AdvanceTo(3);
    state.DownloadInProgress = true;
    state.StopRequested = true;
    window->ShowStage(state, StageState::Info);
    // Row 3's working pair stays shown beneath the info pair.
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Complete_2", "Working_3", "Info_3"}));
    EXPECT_EQ(VisibleTextInRow(3), "No new games found");
    EXPECT_FALSE(state.DownloadInProgress);
    EXPECT_FALSE(state.StopRequested);
    EXPECT_EQ(pauses.size(), 2u);
}

TEST_F(frmMainStagesTest, InfoHidesThePreviousRowsWorkingPair) {
    StartDownload();
    AdvanceTo(2);
    state.CurrentStage = 3;
    window->ShowStage(state, StageState::Info);
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Info_3"}));
    EXPECT_EQ(VisibleTextInRow(3), "No new games found");
    EXPECT_EQ(pauses.size(), 1u);
}

TEST_F(frmMainStagesTest, FailedShowsTheFailedPairAndClearsTheFlags) {
    StartDownload();
    for (int16_t row = 2; row <= 4; ++row) {
        AdvanceTo(row);
    }
    state.DownloadInProgress = true;
    state.StopRequested = true;
    window->ShowStage(state, StageState::Failed);
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Complete_2", "Complete_3", "Failed_4"}));
    EXPECT_EQ(VisibleTextInRow(4), "Data extraction failed");
    EXPECT_FALSE(state.DownloadInProgress);
    EXPECT_FALSE(state.StopRequested);
}

TEST_F(frmMainStagesTest, FailedOnTheFirstRowShowsNoConnection) {
    StartDownload();
    window->ShowStage(state, StageState::Failed);
    EXPECT_EQ(ShownPairs(), Names{"Failed_1"});
    EXPECT_EQ(VisibleTextInRow(1), "No connection");
}

TEST_F(frmMainStagesTest, UnknownStateChangesNothing) {
    StartDownload();
    AdvanceTo(2);
    state.DownloadInProgress = true;
    for (int16_t value : {int16_t{4}, int16_t{-1}, int16_t{100}}) {
        window->ShowStage(state, value);
    }
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Working_2"}));
    EXPECT_TRUE(state.DownloadInProgress);
    EXPECT_EQ(pauses.size(), 1u);
}

TEST_F(frmMainStagesTest, RowZeroIsACallerErrorThatChangesNothing) {
    StartDownload();
    state.CurrentStage = 1;
    state.DownloadInProgress = true;
    for (int16_t value : {StageState::Advance, StageState::Info}) {
        try {
            window->ShowStage(state, value);
            ADD_FAILURE() << "no error for row 0, state " << value;
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), 340);
            EXPECT_EQ(error.description(), "Control array element '0' doesn't exist");
        }
    }
    EXPECT_EQ(ShownPairs(), Names{"Working_1"});
    EXPECT_TRUE(state.DownloadInProgress);
}

}  // namespace
}  // namespace tw
