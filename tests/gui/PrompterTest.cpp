// The two Prompter implementations: the scripted one records and answers from
// its queue and fails loudly when a dialog was not expected; the Qt one shows
// real prompter and converts the program's filters and answers.

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "UiTestSupport.h"
#include "gui/QtPrompter.h"
#include "support/ScriptedPrompter.h"

namespace tw {
namespace {

TEST(ScriptedDialogsTest, RecordsEveryCallAndAnswersInOrder) {
    ScriptedPrompter prompter;
    prompter.answerMessage(MsgResult::No)
        .answerInput("Fred")
        .answerSave("/tmp/out.xls")
        .cancelSave()
        .answerFolder("/tmp/export")
        .answerOpen(true);
    const QString question =
        "This operation will NOT remove all data for this player.\r\nWould you like to proceed ?";
    EXPECT_EQ(
        prompter.message(question, MsgButtons::YesNo, MsgIcon::Question, "Confirm Remove Tag"),
        MsgResult::No);
    EXPECT_EQ(prompter.inputBox("Please enter a gamertag.", "Add Gamertag", ""), "Fred");
    SaveDialogRequest request;
    request.title = "Export";
    request.filter = "Excel Workbook (*.xls)|*.xls";
    request.proposedName = "MyQry_3-20050105150700.xls";
    request.initialDir = "/home/user";
    request.overwritePrompt = false;
    EXPECT_EQ(prompter.saveFile(request), std::optional<QString>("/tmp/out.xls"));
    EXPECT_EQ(prompter.saveFile(request), std::nullopt);
    EXPECT_EQ(prompter.chooseFolder("Choose a folder"), "/tmp/export");
    EXPECT_TRUE(prompter.openDocument("/tmp/tps/Fred.html"));
    EXPECT_EQ(prompter.pendingAnswers(), 0u);
    EXPECT_TRUE(prompter.failures().isEmpty());

    const std::vector<DialogCall>& calls = prompter.calls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[0].kind, DialogKind::Message);
    EXPECT_EQ(calls[0].text, question);
    EXPECT_EQ(calls[0].title, "Confirm Remove Tag");
    EXPECT_EQ(calls[0].icon, MsgIcon::Question);
    EXPECT_EQ(calls[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(calls[1].kind, DialogKind::InputBox);
    EXPECT_EQ(calls[1].text, "Please enter a gamertag.");
    EXPECT_EQ(calls[1].title, "Add Gamertag");
    EXPECT_EQ(calls[2].kind, DialogKind::SaveFile);
    EXPECT_EQ(calls[2].save.filter, "Excel Workbook (*.xls)|*.xls");
    EXPECT_EQ(calls[2].save.proposedName, "MyQry_3-20050105150700.xls");
    EXPECT_EQ(calls[2].save.initialDir, "/home/user");
    EXPECT_FALSE(calls[2].save.overwritePrompt);
    EXPECT_EQ(calls[4].title, "Choose a folder");
    EXPECT_EQ(calls[5].text, "/tmp/tps/Fred.html");
    EXPECT_EQ(prompter.lastCall().kind, DialogKind::OpenDocument);
}

TEST(ScriptedDialogsTest, UnexpectedDialogsFailLoudly) {
    ScriptedPrompter prompter;
    try {
        prompter.message("Database cannot be found.", MsgButtons::Ok, MsgIcon::Critical, "Error");
        ADD_FAILURE() << "an unqueued message was answered";
    } catch (const ScriptError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "ScriptedPrompter: unexpected Message \"Error\" (Database cannot be found.): no "
                  "answer queued");
    }
    prompter.answerInput("Fred");
    EXPECT_THROW(prompter.message("Done", MsgButtons::Ok, MsgIcon::Information, "Done"),
                 ScriptError);
    EXPECT_THROW(prompter.chooseFolder("Choose"), ScriptError);
    // The failed calls are recorded too, and the queued answer is kept.
    EXPECT_EQ(prompter.calls().size(), 3u);
    ASSERT_EQ(prompter.failures().size(), 3);
    EXPECT_TRUE(prompter.failures()[1].endsWith("the next queued answer is for InputBox"));
    EXPECT_EQ(prompter.pendingAnswers(), 1u);
    EXPECT_EQ(prompter.inputBox("Please enter a gamertag.", "Add Gamertag", ""), "Fred");
}

TEST(ScriptedDialogsTest, OkMessagesCanBeAcknowledgedWithoutAnAnswer) {
    ScriptedPrompter prompter;
    prompter.acknowledgeOkMessages(true);
    EXPECT_EQ(prompter.message("Done", MsgButtons::Ok, MsgIcon::Information, "Done"),
              MsgResult::Ok);
    // A question still needs its answer.
    EXPECT_THROW(
        prompter.message("Proceed ?", MsgButtons::YesNo, MsgIcon::Question, "Confirm Purge"),
        ScriptError);
    prompter.answerMessage(MsgResult::Yes);
    EXPECT_EQ(prompter.message("Proceed ?", MsgButtons::YesNo, MsgIcon::Question, "Confirm Purge"),
              MsgResult::Yes);
    EXPECT_EQ(prompter.calls().size(), 3u);
}

TEST(QtDialogsTest, ConvertsTheProgramsFileFilters) {
    EXPECT_EQ(QtPrompter::nameFilters("Excel Workbook (*.xls)|*.xls"),
              QStringList{"Excel Workbook (*.xls)"});
    EXPECT_EQ(QtPrompter::nameFilters("Comma Separated|*.csv|All Files|*.*"),
              (QStringList{"Comma Separated (*.csv)", "All Files (*.*)"}));
    EXPECT_EQ(QtPrompter::nameFilters("Web Page|*.htm;*.html"),
              QStringList{"Web Page (*.htm *.html)"});
    EXPECT_EQ(QtPrompter::defaultSuffix("Excel Workbook (*.xls)|*.xls"), "xls");
    EXPECT_EQ(QtPrompter::defaultSuffix("Web Page|*.htm;*.html"), "htm");
    EXPECT_EQ(QtPrompter::defaultSuffix("All Files|*.*"), "");
    EXPECT_EQ(QtPrompter::documentUrl("https://www.brackenfold.example/tallywick/"),
              QUrl("https://www.brackenfold.example/tallywick/"));
    EXPECT_EQ(QtPrompter::documentUrl("/opt/Tallywick/tps/Big Fred.html"),
              QUrl::fromLocalFile("/opt/Tallywick/tps/Big Fred.html"));
}

// Answers the next modal dialog from inside its own event loop.
template <typename Answer>
void whenDialogShows(Answer answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(modal);
    });
}

TEST(QtDialogsTest, MessageShowsTitleTextIconAndButtons) {
    test::app();
    QtPrompter prompter;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    whenDialogShows([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttonCount = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::No)->click();
    });
    const MsgResult result = prompter.message("Line one\r\nLine two", MsgButtons::YesNo,
                                              MsgIcon::Question, "Confirm Import");
    EXPECT_EQ(result, MsgResult::No);
    EXPECT_EQ(title, "Confirm Import");
    EXPECT_EQ(text, "Line one\nLine two");
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(buttonCount, 2);

    whenDialogShows([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        box->button(QMessageBox::Retry)->click();
    });
    EXPECT_EQ(
        prompter.message("Try again ?", MsgButtons::RetryCancel, MsgIcon::Exclamation, "Error"),
        MsgResult::Retry);
}

TEST(QtDialogsTest, InputBoxGivesTheTextOrEmptyWhenCancelled) {
    test::app();
    QtPrompter prompter;
    whenDialogShows([](QWidget* modal) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(input->labelText(), "Please enter a gamertag.");
        input->setTextValue("O'Neil");
        input->accept();
    });
    EXPECT_EQ(prompter.inputBox("Please enter a gamertag.", "Add Gamertag", ""), "O'Neil");
    whenDialogShows([](QWidget* modal) {
        auto* input = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(input, nullptr);
        input->setTextValue("typed, then cancelled");
        input->reject();
    });
    EXPECT_EQ(prompter.inputBox("Please enter a gamertag.", "Add Gamertag", "x"), "");
}

}  // namespace
}  // namespace tw
