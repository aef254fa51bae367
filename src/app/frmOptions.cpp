#include "app/frmOptions.h"

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

#include "app/Dialogs.h"
#include "app/ProgramState.h"
#include "app/SettingsFile.h"

namespace tw {
namespace {

const QString kInternet = QStringLiteral("Internet");
const QString kApplication = QStringLiteral("Application");

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel* NewLabel(QWidget* parent, const char* name, const char* caption) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLineEdit* NewTextBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QString Flag(const QCheckBox* box) {
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

// Reads the nine keys back, in the order the settings file lists them for
// this purpose, so Settings equals what the file now holds.
void ReadOptionSettings(ProgramState& state) {
    Settings& s = state.settings;
    s.Use_Proxy = SettingBool(ReadIni(state, kInternet, QStringLiteral("Use_Proxy")));
    s.Proxy_Port = SettingPort(ReadIni(state, kInternet, QStringLiteral("Proxy_Port"))).value_or(0);
    s.Proxy_Address = ReadIni(state, kInternet, QStringLiteral("Proxy_Address"));
    s.Auto_Grid_Highlight =
        SettingBool(ReadIni(state, kApplication, QStringLiteral("Auto_Grid_Highlight")));
    s.Download_All_Tag_List =
        SettingBool(ReadIni(state, kApplication, QStringLiteral("Download_All_Tag_List")));
    s.Download_Only_Experience_Level =
        SettingBool(ReadIni(state, kApplication, QStringLiteral("Download_Only_Experience_Level")));
    s.Scan_All_Game_Lists =
        SettingBool(ReadIni(state, kApplication, QStringLiteral("Scan_All_Game_Lists")));
    s.Query_Export_Format =
        SettingInt16(ReadIni(state, kApplication, QStringLiteral("Query_Export_Format")));
    s.TPS_Use_KApD = SettingBool(ReadIni(state, kApplication, QStringLiteral("TPS_Use_KApD")));
}

}  // namespace

QString ProxyPortRefusedMessage(const QString& typed) {
    return NoPortText(QStringLiteral("Proxy_Port"), typed) +
           QStringLiteral("\r\nNothing has been saved.");
}

frmOptions::frmOptions(ProgramState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QString::fromLatin1(kOptionsCaption));
    setModal(false);
    CreateDownloadFrame();
    CreateQueryFrame();
    CreateReportFrame();

    cmdSaveOptions = new QPushButton(QStringLiteral("Save"), this);
    cmdSaveOptions->setObjectName(QStringLiteral("cmdSaveOptions"));
    cmdCancelOptions = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancelOptions->setObjectName(QStringLiteral("cmdCancelOptions"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSaveOptions);
    buttons->addWidget(cmdCancelOptions);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frameDownloadSettings);
    layout->addWidget(frameQuerySettings);
    layout->addWidget(frameTPSReportSettings);
    layout->addLayout(buttons);

    connect(chkUseProxy, &QCheckBox::clicked, this, [this] { chkUseProxy_Click(); });
    connect(cmdSaveOptions, &QPushButton::clicked, this, [this] { cmdSaveOptions_Click(); });
    connect(cmdCancelOptions, &QPushButton::clicked, this, [this] { cmdCancelOptions_Click(); });
    Form_Load();
}

void frmOptions::CreateDownloadFrame() {
    frameDownloadSettings = new QGroupBox(QStringLiteral("Download Settings"), this);
    frameDownloadSettings->setObjectName(QStringLiteral("frameDownloadSettings"));
    QWidget* frame = frameDownloadSettings;
    chkAllTagList =
        NewCheckBox(frame, "chkAllTagList", "Download data for all in Tag List one after another");
    chkOnlyExperienceLevel =
        NewCheckBox(frame, "chkOnlyExperienceLevel", "Download just experience level data");
    chkScanAllGameLists = NewCheckBox(frame, "chkScanAllGameLists",
                                      "Scan every available game list for missing games");
    chkUseProxy = NewCheckBox(frame, "chkUseProxy", "Use proxy");
    lblProxyAddress = NewLabel(frame, "lblProxyAddress", "Address:");
    txtProxyAddress = NewTextBox(frame, "txtProxyAddress");
    lblProxyPort = NewLabel(frame, "lblProxyPort", "Port:");
    txtProxyPort = NewTextBox(frame, "txtProxyPort");

    auto* grid = new QGridLayout(frame);
    grid->addWidget(chkAllTagList, 0, 0, 1, 4);
    grid->addWidget(chkOnlyExperienceLevel, 1, 0, 1, 4);
    grid->addWidget(chkScanAllGameLists, 2, 0, 1, 4);
    grid->addWidget(chkUseProxy, 3, 0, 1, 4);
    grid->addWidget(lblProxyAddress, 4, 0);
    grid->addWidget(txtProxyAddress, 4, 1);
    grid->addWidget(lblProxyPort, 4, 2);
    grid->addWidget(txtProxyPort, 4, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 1);
}

void frmOptions::CreateQueryFrame() {
    frameQuerySettings = new QGroupBox(QStringLiteral("Query Settings"), this);
    frameQuerySettings->setObjectName(QStringLiteral("frameQuerySettings"));
    QWidget* frame = frameQuerySettings;
    chkAutoGridHighlight = NewCheckBox(frame, "chkAutoGridHighlight",
                                       "Highlight my gamertag in the query results grid");
    lblExportFormat = NewLabel(frame, "lblExportFormat", "Export Format:");
    auto* formats = new QHBoxLayout;
    formats->addWidget(lblExportFormat);
    // One group, so choosing a button clears the others; none is chosen until
    // the setting names one.
    auto* group = new QButtonGroup(this);
    const char* captions[] = {"Excel", "CSV", "HTML", "XML"};
    for (int n = 1; n <= 4; ++n) {
        auto* button = new QRadioButton(QString::fromLatin1(captions[n - 1]), frame);
        button->setObjectName(QStringLiteral("optQryExportFormat_") + QString::number(n));
        group->addButton(button, n);
        formats->addWidget(button);
        optQryExportFormat[n] = button;
    }
    formats->addStretch();
    auto* column = new QVBoxLayout(frame);
    column->addWidget(chkAutoGridHighlight);
    column->addLayout(formats);
}

void frmOptions::CreateReportFrame() {
    frameTPSReportSettings = new QGroupBox(QStringLiteral("TPS Report Settings"), this);
    frameTPSReportSettings->setObjectName(QStringLiteral("frameTPSReportSettings"));
    chkTPSuseKApD = NewCheckBox(frameTPSReportSettings, "chkTPSuseKApD",
                                "Use KApD ratio. (If you do not check this, KpD will be used)");
    auto* column = new QVBoxLayout(frameTPSReportSettings);
    column->addWidget(chkTPSuseKApD);
}

void frmOptions::Form_Load() {
    const Settings& s = state_.settings;
    chkAllTagList->setChecked(s.Download_All_Tag_List);
    chkOnlyExperienceLevel->setChecked(s.Download_Only_Experience_Level);
    chkScanAllGameLists->setChecked(s.Scan_All_Game_Lists);
    chkUseProxy->setChecked(s.Use_Proxy);
    chkAutoGridHighlight->setChecked(s.Auto_Grid_Highlight);
    chkTPSuseKApD->setChecked(s.TPS_Use_KApD);
    txtProxyAddress->setText(s.Proxy_Address);
    // No port (not set, or a value that was no port): an empty box.
    txtProxyPort->setText(s.Proxy_Port > 0 ? QString::number(s.Proxy_Port) : QString());
    // A format outside 1 to 4 matches no button, and none is chosen.
    if (s.Query_Export_Format >= 1 && s.Query_Export_Format <= 4) {
        optQryExportFormat[s.Query_Export_Format]->setChecked(true);
    }
    chkUseProxy_Click();
}

void frmOptions::chkUseProxy_Click() {
    const bool on = chkUseProxy->isChecked();
    for (QWidget* widget :
         {static_cast<QWidget*>(txtProxyAddress), static_cast<QWidget*>(txtProxyPort),
          static_cast<QWidget*>(lblProxyAddress), static_cast<QWidget*>(lblProxyPort)}) {
        widget->setEnabled(on);
    }
}

int frmOptions::SelectedExportFormat() const {
    for (int n = 1; n <= 4; ++n) {
        if (optQryExportFormat[n]->isChecked()) {
            return n;
        }
    }
    return 0;
}

void frmOptions::WriteOptions(const QString& proxyPort) {
    std::vector<IniEntry> entries = {
        {kInternet, QStringLiteral("Use_Proxy"), Flag(chkUseProxy)},
        {kInternet, QStringLiteral("Proxy_Address"), txtProxyAddress->text()},
        {kInternet, QStringLiteral("Proxy_Port"), proxyPort},
        {kApplication, QStringLiteral("Auto_Grid_Highlight"), Flag(chkAutoGridHighlight)},
        {kApplication, QStringLiteral("Download_All_Tag_List"), Flag(chkAllTagList)},
        {kApplication, QStringLiteral("Download_Only_Experience_Level"),
         Flag(chkOnlyExperienceLevel)},
        {kApplication, QStringLiteral("Scan_All_Game_Lists"), Flag(chkScanAllGameLists)},
        {kApplication, QStringLiteral("TPS_Use_KApD"), Flag(chkTPSuseKApD)},
    };
    const int format = SelectedExportFormat();
    if (format != 0) {
        entries.push_back(
            {kApplication, QStringLiteral("Query_Export_Format"), QString::number(format)});
    }
    // One write for the whole Save: a failure is told once, not once a key.
    WriteIni(state_, entries);
}

void frmOptions::cmdSaveOptions_Click() {
    const QString typed = txtProxyPort->text();
    const std::optional<int32_t> proxyPort = SettingPort(typed);
    if (!proxyPort) {
        state_.dialogs->Message(ProxyPortRefusedMessage(typed), MsgButtons::Ok,
                                MsgIcon::Exclamation, QString::fromLatin1(kOptionsCaption));
        txtProxyPort->setFocus();
        txtProxyPort->selectAll();
        return;
    }
    WriteOptions(*proxyPort > 0 ? QString::number(*proxyPort) : QString());
    ReadOptionSettings(state_);
    close();
}

void frmOptions::cmdCancelOptions_Click() {
    close();
}

frmOptions* ShowOptions(ProgramState& state, QWidget* parent) {
    if (parent) {
        auto* open = parent->findChild<frmOptions*>(QStringLiteral("frmOptions"),
                                                    Qt::FindDirectChildrenOnly);
        if (open && open->isVisible()) {
            open->raise();
            open->activateWindow();
            return open;
        }
    }
    auto* dialog = new frmOptions(state, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return dialog;
}

}  // namespace tw
