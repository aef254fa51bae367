#pragma once
// Tools > Options: the settings a user may change without editing the
// settings file. Opening shows Settings as they stand; Save writes the nine
// keys to the file and reads them back into Settings, so the next download,
// query, export or report uses them; a proxy port that is no port is refused
// and nothing is written. Cancel writes nothing. Not modal.

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

struct Session;
class MainWindow;

inline constexpr char kOptionsCaption[] = "Options";

// Told when Save meets a typed proxy port that is no port (0, 70000, text);
// nothing is saved and the dialog stays open.
QString proxyPortRefusedMessage(const QString& typed);

class OptionsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit OptionsDialog(Session& state, QWidget* parent = nullptr);

    void saveOptions();
    void cancelOptions();
    // The proxy rule: the address and port fields and their labels are
    // enabled only while "Use proxy" is checked; their contents stay.
    void useProxyClicked();

    // The export-format button chosen, 1 to 4; 0 when none is.
    int selectedExportFormat() const;

    QGroupBox* downloadSettingsGroup = nullptr;
    QCheckBox* allTagListCheck = nullptr;
    QCheckBox* onlyExperienceLevelCheck = nullptr;
    QCheckBox* scanAllGameListsCheck = nullptr;
    QCheckBox* useProxyCheck = nullptr;
    QLabel* proxyAddressLabel = nullptr;
    QLineEdit* proxyAddressEdit = nullptr;
    QLabel* proxyPortLabel = nullptr;
    QLineEdit* proxyPortEdit = nullptr;

    QGroupBox* querySettingsGroup = nullptr;
    QCheckBox* autoGridHighlightCheck = nullptr;
    QLabel* exportFormatLabel = nullptr;
    // Indexed 1 to 4 (Excel, CSV, HTML, XML); element 0 is unused.
    std::array<QRadioButton*, 5> exportFormatOptions{};

    QGroupBox* reportSettingsGroup = nullptr;
    QCheckBox* useKillsAssistsPerDeathCheck = nullptr;

    QPushButton* saveButton = nullptr;
    QPushButton* cancelButton = nullptr;

  private:
    void createDownloadFrame();
    void createQueryFrame();
    void createReportFrame();
    void showSettings();
    void writeOptions(const QString& proxyPort);

    Session& state_;
};

// Shows the dialog over `parent`, not modal, and returns it. While one is
// open, it is brought to the front instead of opening a second.
OptionsDialog* showOptions(Session& state, QWidget* parent);

// Connects Tools > Options of the main window.
void connectOptions(Session& state, MainWindow& window);

}  // namespace tw
