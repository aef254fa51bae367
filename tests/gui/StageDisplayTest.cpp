// The progress display: the stage rows as the window creates them (start
// state, captions, readable colours) and as DownloadPanel switches them when the
// download session reports a stage change.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "core/Session.h"
#include "download/DownloadSession.h"
#include "gui/DownloadPanel.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

using Names = std::set<QString>;
using Change = DownloadSession::StageChange;

class StageDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::app();
        window_ = std::make_unique<MainWindow>();
        panel_ = new DownloadPanel(state_, *window_);  // owned by the window
        window_->show();
        test::settle();
    }

    // Names of the stage labels and icons that are shown, e.g. "Info_1"; a
    // shown pair must have both halves shown.
    Names shownPairs() const {
        Names shown;
        for (int row = 1; row <= MainWindow::kStageRows; ++row) {
            const StageRow& stage = window_->stageRow(row);
            const std::pair<const char*, StagePair> pairs[] = {{"Working", stage.working},
                                                               {"Complete", stage.complete},
                                                               {"Failed", stage.failed},
                                                               {"Info", stage.info}};
            for (const auto& [kind, pair] : pairs) {
                const bool label = !pair.label->isHidden();
                EXPECT_EQ(label, !pair.icon->isHidden()) << kind << " row " << row;
                if (label) {
                    shown.insert(QStringLiteral("%1_%2").arg(QLatin1String(kind)).arg(row));
                }
            }
        }
        return shown;
    }

    // The session reports a change, as its worker does through the queued
    // connection (here on the window's own thread, so delivered at once).
    void report(int row, Change change, const QString& caption = QString()) {
        emit panel_->session().stageChanged(row, change, caption);
    }

    // A player's download starts: every row hidden, row 1 working.
    void startDownload() { report(1, Change::Start); }

    // The text a user sees at the centre of a row's label place.
    QString visibleTextInRow(int row) {
        const QWidget* top = window_->controlCenter->childAt(
            window_->stageRow(row).working.label->geometry().center());
        const auto* label = qobject_cast<const QLabel*>(top);
        return label ? label->text() : QString();
    }

    Session state_;  // outlives the window and its panel
    std::unique_ptr<MainWindow> window_;
    DownloadPanel* panel_ = nullptr;
};

TEST_F(StageDisplayTest, StartShowsOnlyWelcome) {
    EXPECT_EQ(shownPairs(), Names{"Info_1"});
    EXPECT_EQ(visibleTextInRow(1), "Welcome");
}

TEST_F(StageDisplayTest, StageCaptions) {
    const char* captions[5][4] = {
        {"Establishing connection ...", "Connection established", "No connection", "Welcome"},
        {"Looking up gamertag ...", "Gamertag found", "Gamertag not found", "Skip"},
        {"Searching for new games ...", "New games found", "xx", "No new games found"},
        {"Extracting data ...", "Data extracted", "Data extraction failed", "Skip"},
        {"Optimizing database ...", "Process complete", "xx", "Skip"},
    };
    for (int row = 1; row <= 5; ++row) {
        const StageRow& stage = window_->stageRow(row);
        const QLabel* labels[] = {stage.working.label, stage.complete.label, stage.failed.label,
                                  stage.info.label};
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(labels[k]->text(), QLatin1String(captions[row - 1][k])) << row << " " << k;
        }
    }
}

// Every stage text can be read on the window's background (4.5:1, the WCAG
// level for normal text) and keeps the hue that says what it means: working
// amber, complete green, failed red, info blue.
TEST_F(StageDisplayTest, StageTextsAreReadableOnTheWindowAndKeepTheirMeaning) {
    const QColor background = window_->palette().color(QPalette::Window);
    struct Kind {
        const char* name;
        StagePair StageRow::*pair;
        int hueFrom;  // degrees, the range may wrap past 360
        int hueTo;
    };
    const Kind kinds[] = {{"working", &StageRow::working, 20, 50},
                          {"complete", &StageRow::complete, 90, 150},
                          {"failed", &StageRow::failed, 345, 375},
                          {"info", &StageRow::info, 210, 250}};
    for (const Kind& kind : kinds) {
        for (int row = 1; row <= MainWindow::kStageRows; ++row) {
            SCOPED_TRACE(std::string(kind.name) + " row " + std::to_string(row));
            const QLabel* label = (window_->stageRow(row).*kind.pair).label;
            const QColor text = label->palette().color(QPalette::WindowText);
            // The label paints its own background: that must be the window's.
            EXPECT_EQ(label->palette().color(QPalette::Window), background);
            EXPECT_GE(test::contrast(text, background), 4.5)
                << text.name().toStdString() << " on " << background.name().toStdString();
            const int hue = text.hsvHue();
            ASSERT_GE(hue, 0) << "a grey says nothing";
            const int unwrapped = hue < kind.hueFrom ? hue + 360 : hue;
            EXPECT_LE(unwrapped, kind.hueTo) << hue;
            EXPECT_GE(text.hsvSaturation(), 200);
        }
    }
    // The stage text as painted: sample the darkest pixel of a shown working
    // label and compare it with the background it is painted on.
    window_->stageRow(2).working.label->show();
    const QImage shot = window_->stageRow(2).working.label->grab().toImage();
    QColor darkest = background;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            if (test::relativeLuminance(pixel) < test::relativeLuminance(darkest)) {
                darkest = pixel;
            }
        }
    }
    EXPECT_EQ(shot.pixelColor(0, 0), background);
    EXPECT_GE(test::contrast(darkest, background), 4.5) << darkest.name().toStdString();
}

// Each case: the changes reported after a start, the pairs then shown, the
// texts a user then sees in some rows and, where the change ends the
// download's percentage, the window title.
TEST_F(StageDisplayTest, ChangesSwitchThePairsOfTheirRows) {
    struct Step {
        int row;
        Change change;
        const char* caption;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        Names shown;
        std::vector<std::pair<int, const char*>> visible;
        const char* title = nullptr;
    };
    const Case cases[] = {
        {"reset hides every pair", {{3, Change::Reset, ""}}, {}, {}},
        {"a start hides what an earlier download showed",
         {{2, Change::Advance, ""}, {2, Change::Failed, ""}, {1, Change::Start, ""}},
         {"Working_1"},
         {{1, "Establishing connection ..."}}},
        {"advance moves the working row",
         {{2, Change::Advance, ""}, {3, Change::Advance, ""}},
         {"Complete_1", "Complete_2", "Working_3"},
         {{2, "Gamertag found"}, {3, "Searching for new games ..."}}},
        {"advance with a caption renames the finished row",
         {{2, Change::Advance, ""},
          {3, Change::Advance, ""},
          {4, Change::Advance, "New games found (7)"}},
         {"Complete_1", "Complete_2", "Complete_3", "Working_4"},
         {{3, "New games found (7)"}, {4, "Extracting data ..."}}},
        {"info covers the working pair, which stays beneath it",
         {{2, Change::Advance, ""}, {3, Change::Advance, ""}, {3, Change::Info, ""}},
         {"Complete_1", "Complete_2", "Working_3", "Info_3"},
         {{3, "No new games found"}}},
        {"info hides the previous row's working pair",
         {{2, Change::Advance, ""}, {3, Change::Info, ""}},
         {"Complete_1", "Info_3"},
         {{3, "No new games found"}}},
        {"failed on the first row",
         {{1, Change::Failed, ""}},
         {"Failed_1"},
         {{1, "No connection"}}},
        {"failed with a caption says what failed",
         {{2, Change::Advance, ""},
          {3, Change::Advance, ""},
          {3, Change::Failed, "Game list not read"}},
         {"Complete_1", "Complete_2", "Failed_3"},
         {{3, "Game list not read"}},
         "Tallywick"},
        // A list download marks rows one by one: working, then complete.
        {"working and complete switch one row",
         {{2, Change::Advance, ""},
          {3, Change::Advance, ""},
          {4, Change::Advance, ""},
          {4, Change::Complete, ""},
          {5, Change::Working, ""}},
         {"Complete_1", "Complete_2", "Complete_3", "Complete_4", "Working_5"},
         {{5, "Optimizing database ..."}},
         "Tallywick"},
        {"complete on the last row",
         {{2, Change::Advance, ""},
          {3, Change::Advance, ""},
          {4, Change::Advance, ""},
          {5, Change::Advance, ""},
          {5, Change::Complete, "Process complete"}},
         {"Complete_1", "Complete_2", "Complete_3", "Complete_4", "Complete_5"},
         {{5, "Process complete"}},
         "Tallywick"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window_->setWindowTitle(QStringLiteral("Tallywick   40%"));
        startDownload();
        for (const Step& step : c.steps) {
            report(step.row, step.change,
                   *step.caption ? QString::fromLatin1(step.caption) : QString());
        }
        EXPECT_EQ(shownPairs(), c.shown);
        for (const auto& [row, text] : c.visible) {
            EXPECT_EQ(visibleTextInRow(row), QLatin1String(text)) << row;
        }
        if (c.title) {
            EXPECT_EQ(window_->windowTitle(), QLatin1String(c.title)) << "the percentage goes";
        }
    }
}

TEST_F(StageDisplayTest, UnknownChangeChangesNothing) {
    startDownload();
    report(2, Change::Advance);
    for (int value : {-1, 7, 100}) {
        report(2, static_cast<Change>(value), QStringLiteral("never shown"));
    }
    EXPECT_EQ(shownPairs(), (Names{"Complete_1", "Working_2"}));
    EXPECT_EQ(visibleTextInRow(2), "Looking up gamertag ...");
}

// Row 0 (before the first stage) and rows past the last are no rows: a
// change reported for them shows and renames nothing. (Advance and Info also
// act on the row before theirs, so only rows below 1 are out of reach.)
TEST_F(StageDisplayTest, RowsOutsideTheDisplayChangeNothing) {
    startDownload();
    for (int row : {0, -3}) {
        for (Change change :
             {Change::Advance, Change::Info, Change::Failed, Change::Working, Change::Complete}) {
            report(row, change, QStringLiteral("never shown"));
        }
    }
    for (Change change : {Change::Failed, Change::Working, Change::Complete}) {
        report(MainWindow::kStageRows + 1, change, QStringLiteral("never shown"));
    }
    EXPECT_EQ(shownPairs(), Names{"Working_1"});
    EXPECT_EQ(visibleTextInRow(1), "Establishing connection ...");
    for (int row = 1; row <= MainWindow::kStageRows; ++row) {
        const StageRow& stage = window_->stageRow(row);
        for (const StagePair& pair : {stage.working, stage.complete, stage.failed, stage.info}) {
            EXPECT_NE(pair.label->text(), "never shown") << row;
        }
    }
}

}  // namespace
}  // namespace tw
