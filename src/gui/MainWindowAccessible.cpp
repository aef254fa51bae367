// What a screen reader hears: a name for every control that has no caption
// of its own, what each value and stage row is, the progress bar and the
// maker's link with the roles they play, and the tag list's full gamertags.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "gui/LinkLabel.h"
#include "gui/MainWindow.h"
#include "gui/ResultGrid.h"

namespace tw {

namespace {

// The progress bar is two drawn frames and a percentage label; the empty
// frame stands for all three, its value the percentage shown.
class ProgressAccessible : public QAccessibleWidget {
  public:
    explicit ProgressAccessible(QWidget* frame)
        : QAccessibleWidget(frame, QAccessible::ProgressBar) {}
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            return QStringLiteral("Download progress");
        }
        if (kind == QAccessible::Value || kind == QAccessible::Description) {
            const auto* percent =
                widget()->parentWidget()->findChild<QLabel*>(QStringLiteral("lblProgressPercent"));
            return percent && !percent->isHidden() ? percent->text() : QString();
        }
        return QAccessibleWidget::text(kind);
    }
};

// A link, not static text, so it is announced as one and can be pressed.
class LinkAccessible : public QAccessibleWidget {
  public:
    explicit LinkAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::Link) {
        addControllingSignal(QStringLiteral("clicked()"));
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            return static_cast<const QLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* windowAccessible(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        return nullptr;
    }
    if (className == QLatin1String("QFrame") &&
        widget->objectName() == QLatin1String("shpProgressEmpty")) {
        return new ProgressAccessible(widget);
    }
    if (className == QLatin1String("tw::LinkLabel")) {
        return new LinkAccessible(widget);
    }
    return nullptr;
}

void describe(QWidget* widget, const QString& name, const QString& description = QString()) {
    if (!name.isEmpty()) {
        widget->setAccessibleName(name);
    }
    if (!description.isEmpty()) {
        widget->setAccessibleDescription(description);
    }
}

}  // namespace

void MainWindow::installAccessibleRoles() {
    // Installed once for the program, before any control is made; it answers
    // only for this window's progress bar and link.
    static const bool installed = (QAccessible::installFactory(windowAccessible), true);
    (void)installed;
}

void MainWindow::nameForAssistiveTools() {
    // A combo box is named by its value on this desktop and labelled by its
    // caption.
    gamertagCaption->setBuddy(tagListBox);
    describe(tagListBox, QStringLiteral("Tag list"), QStringLiteral("The player shown"));
    describe(addButton, QStringLiteral("Add a gamertag"));
    describe(removeButton, QStringLiteral("Remove the gamertag"));
    describe(profileButton, QStringLiteral("Gamertag profile"));
    describe(avatarPicture, QStringLiteral("Avatar"));
    describe(clanName, QString(), QStringLiteral("Clan"));
    describe(totalGames, QString(), QStringLiteral("Downloaded games"));
    describe(lastDownload, QString(), QStringLiteral("Last update"));
    describe(elapsedTime, QString(), QStringLiteral("Elapsed time"));
    describe(downloadedBytes, QString(), QStringLiteral("Downloaded bytes"));
    describe(progressText, QString(), QStringLiteral("Download progress"));
    describe(progressPercent, QString(), QStringLiteral("Download progress"));
    const QStringList players = {QStringLiteral("All players"),
                                 QStringLiteral("All players in the tag list"),
                                 QStringLiteral("Me")};
    const QStringList games = {QStringLiteral("All games"), QStringLiteral("Ranked games"),
                               QStringLiteral("Unranked games")};
    for (int i = 0; i < 3; ++i) {
        describe(playerFilterOptions[static_cast<size_t>(i)], players[i]);
        describe(gameFilterOptions[static_cast<size_t>(i)], games[i]);
    }
    describe(queryList, QStringLiteral("Saved query"), QStringLiteral("The saved query to run"));
    describe(resultGrid, QStringLiteral("Query results"));
    describe(resultChart, QStringLiteral("Query chart"));
    describe(recordCount, QString(), QStringLiteral("Record count"));
    describe(makerLogo, QStringLiteral("Brackenfold logo"));
    describe(controlCenter, QString(), QStringLiteral("The player and the download"));
    describe(firstRunHint, QString(), QStringLiteral("Getting started"));

    // A gamertag too long for the list's width shows in full in a tool tip.
    connect(tagListBox, &QComboBox::currentTextChanged, tagListBox,
            [box = tagListBox](const QString& text) { box->setToolTip(text); });
    connect(tagListBox->model(), &QAbstractItemModel::rowsInserted, tagListBox,
            [box = tagListBox](const QModelIndex&, int first, int last) {
                for (int row = first; row <= last; ++row) {
                    box->setItemData(row, box->itemText(row), Qt::ToolTipRole);
                }
            });
}

}  // namespace tw
