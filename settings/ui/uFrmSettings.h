#pragma once
// Window "Settings": the adapter, protocol environment, CAN identifiers of the units and the
// chassis, bus speed and the log's options. Created once at start-up and hidden, not destroyed,
// when closed, so its controls keep their state for the run. The main window loads a TSettings
// before showing it and takes one back after OK; the log follows the ticks it reports.

#include "protocol/uProtocolEnv.h"
#include "settings/uSettings.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFrmSettings : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmSettings(QWidget *parent = nullptr);

    TProtocolEnv SelectedEnv() const;

    // Fills the controls from the settings in force and the adapters found now; the environment
    // buttons keep the choice with which the dialog was last closed.
    void Load(const TSettings &settings, const TAdapterOffer &adapters = {});
    // The settings as the controls hold them, for applying after OK.
    TSettings Values() const;
    // Says that OK will end the log of this name, which runs; nothing for none.
    void ShowRunningLog(const QString &fileName);
    TLogTicks LogTicks() const;

    // Tells the user why OK was refused; an information box unless a test replaces it.
    std::function<void(const QString &text)> ShowMessage;

    // Closing with OK (Enter, Button1, accept()) is refused while the identifiers are not
    // acceptable; any other way of closing is not checked.
    void done(int result) override;

    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *rbTestEnv = nullptr;
    QRadioButton *rbProdEnv = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtID1 = nullptr;
    QLineEdit *txtID2 = nullptr;
    QCheckBox *cbID2 = nullptr;
    QLineEdit *txtID3 = nullptr;
    QCheckBox *cbID3 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *txtChassisID = nullptr;
    QLabel *lAdapter = nullptr;
    QComboBox *cbbAdapter = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *cbbBaudrates = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *eLogFileName = nullptr;
    QCheckBox *cbSlowSave = nullptr;
    QLabel *lLogEnds = nullptr;  // shown while a log runs
    QPushButton *Button3 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

signals:
    void LogTicksChanged(const TLogTicks &ticks);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildUi();
    void FormShow();
    void UpdateIdControls();
    void rbProdEnvClick();
    void cbID2Click();
    void cbID3Click();
    bool FormCloseQuery();
    void Button3Click();
};
