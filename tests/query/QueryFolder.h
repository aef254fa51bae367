#pragma once
// A temporary program folder for the query tests: the delivered database with
// rows the test seeds, a settings file holding the test's saved queries, small
// Level and Medal pictures, and one program run (state, scripted prompter, main
// window) with the query panel and the tag list connected. The window's
// controls are found by their object names.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include "core/Session.h"
#include "gui/MainWindow.h"
#include "gui/QueryPanel.h"
#include "query/QueryRunner.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"

class QAction;
class QChartView;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;

namespace tw {
class ResultGrid;
}

namespace tw::testing {

struct SavedQuery {
    QString name;
    QString sql;
};

class QueryFolderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs SQLite statements on the database file before Load().
    void seed(const char* sql);
    // Writes the settings file with these queries, then loads the window.
    void load(const std::vector<SavedQuery>& queries, const QByteArray& application = {});
    // Selects query `index` of queryList and presses Run.
    void Run(int index);
    void selectFilters(int player, int game);
    // Writes a small picture file at `relative` in the program folder.
    void putPicture(const QString& relative, const QByteArray& format = "BMP");

    QString filePath(const QString& relative) const { return dir_.filePath(relative); }

    // The window's controls by object name.
    template <typename T>
    T& control(const char* name) const {
        T* found = window_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    ResultGrid& resultGrid() const;
    QComboBox& queryList() const;
    QLabel& recordCount() const;
    QChartView& resultChart() const;
    QLabel& arrow(bool ascending) const;
    QMenu& gridMenu() const;
    QAction& insertIntoTagList() const;
    QString cell(int row, int col) const;
    // The back colour of the grid cell (row, col); selects that cell.
    uint32_t backColor(int row, int col) const;
    // The program's debug log; "<missing>" while nothing was logged.
    QByteArray debugLog() const;
    // Sends a mouse press/release to the grid cell (row, col).
    void clickCell(int row, int col, Qt::MouseButton button);

    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<Session> state_;
    QueryPanel* panel_ = nullptr;  // a child of the window
};

}  // namespace tw::testing
