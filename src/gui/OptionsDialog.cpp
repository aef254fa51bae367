#include "gui/OptionsDialog.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/Prompter.h"
#include "core/Session.h"
#include "core/SettingsFile.h"
#include "gui/MainWindow.h"
#include "gui/WidgetFactory.h"

namespace tw {
namespace {

const QString kInternet = QStringLiteral("Internet");
const QString kApplication = QStringLiteral("Application");

QCheckBox* newCheckBox(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLineEdit* newTextBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QString flag(const QCheckBox* box) {
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

// Reads the nine keys back, in the order the settings file lists them for
// this purpose, so Settings equals what the file now holds.
void readOptionSettings(Session& state) {
    Settings& s = state.settings;
    s.useProxy = settingBool(readIni(state, kInternet, QStringLiteral("Use_Proxy")));
    s.proxyPort = settingPort(readIni(state, kInternet, QStringLiteral("Proxy_Port"))).value_or(0);
    s.proxyAddress = readIni(state, kInternet, QStringLiteral("Proxy_Address"));
    s.autoGridHighlight =
        settingBool(readIni(state, kApplication, QStringLiteral("Auto_Grid_Highlight")));
    s.downloadAllTagList =
        settingBool(readIni(state, kApplication, QStringLiteral("Download_All_Tag_List")));
    s.downloadOnlyExperienceLevel =
        settingBool(readIni(state, kApplication, QStringLiteral("Download_Only_Experience_Level")));
    s.scanAllGameLists =
        settingBool(readIni(state, kApplication, QStringLiteral("Scan_All_Game_Lists")));
    s.queryExportFormat =
        settingInt16(readIni(state, kApplication, QStringLiteral("Query_Export_Format")));
    s.tpsUseKApD = settingBool(readIni(state, kApplication, QStringLiteral("TPS_Use_KApD")));
}

}  // namespace

QString proxyPortRefusedMessage(const QString& typed) {
    return noPortText(QStringLiteral("Proxy_Port"), typed) +
           QStringLiteral("\r\nNothing has been saved.");
}

OptionsDialog::OptionsDialog(Session& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QString::fromLatin1(kOptionsCaption));
    setModal(false);
    createDownloadFrame();
    createQueryFrame();
    createReportFrame();

    saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setObjectName(QStringLiteral("cmdSaveOptions"));
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cmdCancelOptions"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(downloadSettingsGroup);
    layout->addWidget(querySettingsGroup);
    layout->addWidget(reportSettingsGroup);
    layout->addLayout(buttons);

    connect(useProxyCheck, &QCheckBox::clicked, this, [this] { useProxyClicked(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { saveOptions(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelOptions(); });
    showSettings();
}

void OptionsDialog::createDownloadFrame() {
    downloadSettingsGroup = new QGroupBox(QStringLiteral("Download Settings"), this);
    downloadSettingsGroup->setObjectName(QStringLiteral("frameDownloadSettings"));
    QWidget* frame = downloadSettingsGroup;
    allTagListCheck =
        newCheckBox(frame, "chkAllTagList", "Download data for all in Tag List one after another");
    onlyExperienceLevelCheck =
        newCheckBox(frame, "chkOnlyExperienceLevel", "Download just experience level data");
    scanAllGameListsCheck = newCheckBox(frame, "chkScanAllGameLists",
                                        "Scan every available game list for missing games");
    useProxyCheck = newCheckBox(frame, "chkUseProxy", "Use proxy");
    proxyAddressLabel =
        newLabel(frame, QStringLiteral("lblProxyAddress"), QStringLiteral("Address:"), false);
    proxyAddressEdit = newTextBox(frame, "txtProxyAddress");
    proxyPortLabel =
        newLabel(frame, QStringLiteral("lblProxyPort"), QStringLiteral("Port:"), false);
    proxyPortEdit = newTextBox(frame, "txtProxyPort");

    auto* grid = new QGridLayout(frame);
    grid->addWidget(allTagListCheck, 0, 0, 1, 4);
    grid->addWidget(onlyExperienceLevelCheck, 1, 0, 1, 4);
    grid->addWidget(scanAllGameListsCheck, 2, 0, 1, 4);
    grid->addWidget(useProxyCheck, 3, 0, 1, 4);
    grid->addWidget(proxyAddressLabel, 4, 0);
    grid->addWidget(proxyAddressEdit, 4, 1);
    grid->addWidget(proxyPortLabel, 4, 2);
    grid->addWidget(proxyPortEdit, 4, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 1);
}

void OptionsDialog::createQueryFrame() {
    querySettingsGroup = new QGroupBox(QStringLiteral("Query Settings"), this);
    querySettingsGroup->setObjectName(QStringLiteral("frameQuerySettings"));
    QWidget* frame = querySettingsGroup;
    autoGridHighlightCheck = newCheckBox(frame, "chkAutoGridHighlight",
                                         "Highlight my gamertag in the query results grid");
    exportFormatLabel =
        newLabel(frame, QStringLiteral("lblExportFormat"), QStringLiteral("Export Format:"), false);
    auto* formats = new QHBoxLayout;
    formats->addWidget(exportFormatLabel);
    // One group, so choosing a button clears the others; none is chosen until
    // the setting names one.
    auto* group = new QButtonGroup(this);
    const char* captions[] = {"Excel", "CSV", "HTML", "XML"};
    for (int n = 1; n <= 4; ++n) {
        auto* button = new QRadioButton(QString::fromLatin1(captions[n - 1]), frame);
        button->setObjectName(QStringLiteral("optQryExportFormat_") + QString::number(n));
        group->addButton(button, n);
        formats->addWidget(button);
        exportFormatOptions[n] = button;
    }
    formats->addStretch();
    auto* column = new QVBoxLayout(frame);
    column->addWidget(autoGridHighlightCheck);
    column->addLayout(formats);
}

void OptionsDialog::createReportFrame() {
    reportSettingsGroup = new QGroupBox(QStringLiteral("TPS Report Settings"), this);
    reportSettingsGroup->setObjectName(QStringLiteral("frameTPSReportSettings"));
    useKillsAssistsPerDeathCheck =
        newCheckBox(reportSettingsGroup, "chkTPSuseKApD",
                    "Use KApD ratio. (If you do not check this, KpD will be used)");
    auto* column = new QVBoxLayout(reportSettingsGroup);
    column->addWidget(useKillsAssistsPerDeathCheck);
}

void OptionsDialog::showSettings() {
    const Settings& s = state_.settings;
    allTagListCheck->setChecked(s.downloadAllTagList);
    onlyExperienceLevelCheck->setChecked(s.downloadOnlyExperienceLevel);
    scanAllGameListsCheck->setChecked(s.scanAllGameLists);
    useProxyCheck->setChecked(s.useProxy);
    autoGridHighlightCheck->setChecked(s.autoGridHighlight);
    useKillsAssistsPerDeathCheck->setChecked(s.tpsUseKApD);
    proxyAddressEdit->setText(s.proxyAddress);
    // No port (not set, or a value that was no port): an empty box.
    proxyPortEdit->setText(s.proxyPort > 0 ? QString::number(s.proxyPort) : QString());
    // A format outside 1 to 4 matches no button, and none is chosen.
    if (s.queryExportFormat >= 1 && s.queryExportFormat <= 4) {
        exportFormatOptions[s.queryExportFormat]->setChecked(true);
    }
    useProxyClicked();
}

void OptionsDialog::useProxyClicked() {
    const bool on = useProxyCheck->isChecked();
    for (QWidget* widget :
         {static_cast<QWidget*>(proxyAddressEdit), static_cast<QWidget*>(proxyPortEdit),
          static_cast<QWidget*>(proxyAddressLabel), static_cast<QWidget*>(proxyPortLabel)}) {
        widget->setEnabled(on);
    }
}

int OptionsDialog::selectedExportFormat() const {
    for (int n = 1; n <= 4; ++n) {
        if (exportFormatOptions[n]->isChecked()) {
            return n;
        }
    }
    return 0;
}

void OptionsDialog::writeOptions(const QString& proxyPort) {
    std::vector<IniEntry> entries = {
        {kInternet, QStringLiteral("Use_Proxy"), flag(useProxyCheck)},
        {kInternet, QStringLiteral("Proxy_Address"), proxyAddressEdit->text()},
        {kInternet, QStringLiteral("Proxy_Port"), proxyPort},
        {kApplication, QStringLiteral("Auto_Grid_Highlight"), flag(autoGridHighlightCheck)},
        {kApplication, QStringLiteral("Download_All_Tag_List"), flag(allTagListCheck)},
        {kApplication, QStringLiteral("Download_Only_Experience_Level"),
         flag(onlyExperienceLevelCheck)},
        {kApplication, QStringLiteral("Scan_All_Game_Lists"), flag(scanAllGameListsCheck)},
        {kApplication, QStringLiteral("TPS_Use_KApD"), flag(useKillsAssistsPerDeathCheck)},
    };
    const int format = selectedExportFormat();
    if (format != 0) {
        entries.push_back(
            {kApplication, QStringLiteral("Query_Export_Format"), QString::number(format)});
    }
    // One write for the whole Save: a failure is told once, not once a key.
    writeIni(state_, entries);
}

void OptionsDialog::saveOptions() {
    const QString typed = proxyPortEdit->text();
    const std::optional<int32_t> proxyPort = settingPort(typed);
    if (!proxyPort) {
        state_.prompter->message(proxyPortRefusedMessage(typed), MsgButtons::Ok,
                                 MsgIcon::Exclamation, QString::fromLatin1(kOptionsCaption));
        proxyPortEdit->setFocus();
        proxyPortEdit->selectAll();
        return;
    }
    writeOptions(*proxyPort > 0 ? QString::number(*proxyPort) : QString());
    readOptionSettings(state_);
    close();
}

void OptionsDialog::cancelOptions() {
    close();
}

OptionsDialog* showOptions(Session& state, QWidget* parent) {
    if (parent) {
        auto* open = parent->findChild<OptionsDialog*>(QStringLiteral("frmOptions"),
                                                       Qt::FindDirectChildrenOnly);
        if (open && open->isVisible()) {
            open->raise();
            open->activateWindow();
            return open;
        }
    }
    auto* dialog = new OptionsDialog(state, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return dialog;
}

void connectOptions(Session& state, MainWindow& window) {
    QObject::connect(window.optionsAction, &QAction::triggered, &window,
                     [&state, &window] { showOptions(state, &window); });
}

}  // namespace tw
