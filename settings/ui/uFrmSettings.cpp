#include "settings/ui/uFrmSettings.h"

#include "log/ui/uLogFileDialog.h"

#include "adapter/uBusSpeeds.h"
#include "base/uConsts.h"
#include "protocol/uIdentifiers.h"
#include "widgets/uLook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr QLatin1String Caption("Settings");

constexpr QLatin1String CanBusCaption("CAN bus");
constexpr QLatin1String TestEnvCaption("test protocol (developement)");
constexpr QLatin1String TestEnvHint("In test protocol Logger supports three TELQAR's");
constexpr QLatin1String ProdEnvCaption("production environment");
constexpr QLatin1String ProdEnvHint("In production environment Logger supports one TELQAR");
constexpr QLatin1String UnitIdsCaption("TELQAR CAN ID's");
constexpr QLatin1String UnitId1Hint("In test protocol TELQAR uses two subsequent ID's");
constexpr QLatin1String UnitIdHint("Each TELQAR uses two subsequent ID's");
constexpr QLatin1String UnitId2Name("Second TELQAR CAN ID");
constexpr QLatin1String UnitId3Name("Third TELQAR CAN ID");
constexpr QLatin1String Unit2Hint("Enable second TELQAR");
constexpr QLatin1String Unit3Hint("Enable third TELQAR");
constexpr QLatin1String ChassisIdCaption("Chassis CAN ID");
constexpr QLatin1String ChassisIdHint("Chassis reading available only in production environment");
constexpr QLatin1String AdapterCaption("Adapter");
constexpr QLatin1String
    AdapterHint("The CAN adapter the next Connect opens: what this computer has "
                "now, and the simulated unit");
constexpr QLatin1String BusSpeedCaption("CAN speed");
constexpr QLatin1String BusSpeedHint("Select CAN bus speed");
constexpr QLatin1String LogFileCaption("Log file");
constexpr QLatin1String LogFileNameCaption("Log file name (read only)");
constexpr QLatin1String LogFileNameText("log.csv");
constexpr QLatin1String LogFileNameHint("Use 'File - Save as' to change");
constexpr QLatin1String SlowSaveCaption("save every 32nd record");
constexpr QLatin1String SelectFileCaption("Select file name");
constexpr QLatin1String SelectFileHint("Open file dialog box");
constexpr QLatin1String OkCaption("OK");
constexpr QLatin1String CancelCaption("Cancel");

constexpr QLatin1String CheckIdsMessage("Check CAN ID's");

// What switching the environment writes into the identifier fields.
constexpr QLatin1String ProductionUnitId("18FECE47");
constexpr QLatin1String ProductionChassisId("18FECF10");
constexpr QLatin1String TestUnitId("18FEDC10");

constexpr int IdentifierMaxLength = 10;

QLineEdit *MakeIdentifierEdit(QWidget *parent, const char *name, const QString &hint)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(hint);
    edit->setMaxLength(IdentifierMaxLength);
    return edit;
}

// The gradient makes text white by default; a field the user types in keeps black on white.
// The disabled colours stay the style's, so a greyed field still looks greyed.
void KeepFieldReadable(QWidget *field)
{
    QPalette palette = field->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::Base, Qt::white);
    }
    field->setPalette(palette);
}

}  // namespace

TFrmSettings::TFrmSettings(QWidget *parent) : QDialog(parent)
{
    BuildUi();
    ShowMessage = [this](const QString &text) {
        QMessageBox::information(this, QString::fromUtf8(Consts::AppTitle), text);
    };

    // toggled, not clicked: a click on the button already selected changes nothing.
    for (QRadioButton *button : {rbTestEnv, rbProdEnv})
        connect(button, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected)
                rbProdEnvClick();
        });
    // toggled fires for the program's tick changes too, which must run the handlers as well.
    connect(cbID2, &QCheckBox::toggled, this, &TFrmSettings::cbID2Click);
    connect(cbID3, &QCheckBox::toggled, this, &TFrmSettings::cbID3Click);
    for (QCheckBox *tick : {cbID2, cbID3, cbSlowSave})
        connect(tick, &QCheckBox::toggled, this, [this] { emit LogTicksChanged(LogTicks()); });
    connect(Button3, &QPushButton::clicked, this, &TFrmSettings::Button3Click);
    connect(Button1, &QPushButton::clicked, this, &TFrmSettings::accept);
    connect(Button2, &QPushButton::clicked, this, &TFrmSettings::reject);
}

void TFrmSettings::BuildUi()
{
    setObjectName(QStringLiteral("FrmSettings"));
    setWindowTitle(Caption);

    auto *background = new TGradientBackground(this);
    // Tick boxes and radio buttons write in the background's colour; disabled ones must differ.
    QPalette backgroundPalette = background->palette();
    backgroundPalette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(64, 64, 64));
    background->setPalette(backgroundPalette);

    GroupBox1 = new QGroupBox(CanBusCaption, background);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    rbTestEnv = new QRadioButton(TestEnvCaption, GroupBox1);
    rbTestEnv->setObjectName(QStringLiteral("rbTestEnv"));
    rbTestEnv->setToolTip(TestEnvHint);
    rbProdEnv = new QRadioButton(ProdEnvCaption, GroupBox1);
    rbProdEnv->setObjectName(QStringLiteral("rbProdEnv"));
    rbProdEnv->setToolTip(ProdEnvHint);
    rbProdEnv->setChecked(true);

    Label1 = Look::MakeLabel(GroupBox1, "Label1", UnitIdsCaption, Qt::white);
    txtID1 = MakeIdentifierEdit(GroupBox1, "txtID1", UnitId1Hint);
    Label1->setBuddy(txtID1);

    // Units 2 and 3 have no label of their own and share one hint, so each gets a name.
    txtID2 = MakeIdentifierEdit(GroupBox1, "txtID2", UnitIdHint);
    txtID2->setAccessibleName(UnitId2Name);
    txtID2->setEnabled(false);
    cbID2 = new QCheckBox(GroupBox1);
    cbID2->setObjectName(QStringLiteral("cbID2"));
    cbID2->setToolTip(Unit2Hint);
    cbID2->setAccessibleName(Unit2Hint);
    txtID3 = MakeIdentifierEdit(GroupBox1, "txtID3", UnitIdHint);
    txtID3->setAccessibleName(UnitId3Name);
    txtID3->setEnabled(false);
    cbID3 = new QCheckBox(GroupBox1);
    cbID3->setObjectName(QStringLiteral("cbID3"));
    cbID3->setToolTip(Unit3Hint);
    cbID3->setAccessibleName(Unit3Hint);
    cbID3->setEnabled(false);

    Label4 = Look::MakeLabel(GroupBox1, "Label4", ChassisIdCaption, Qt::white);
    txtChassisID = MakeIdentifierEdit(GroupBox1, "txtChassisID", ChassisIdHint);
    Label4->setBuddy(txtChassisID);

    lAdapter = Look::MakeLabel(GroupBox1, "lAdapter", AdapterCaption, Qt::white);
    cbbAdapter = new QComboBox(GroupBox1);
    cbbAdapter->setObjectName(QStringLiteral("cbbAdapter"));
    cbbAdapter->setToolTip(AdapterHint);
    cbbAdapter->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lAdapter->setBuddy(cbbAdapter);

    Label2 = Look::MakeLabel(GroupBox1, "Label2", BusSpeedCaption, Qt::white);
    cbbBaudrates = new QComboBox(GroupBox1);
    cbbBaudrates->setObjectName(QStringLiteral("cbbBaudrates"));
    cbbBaudrates->setToolTip(BusSpeedHint);
    cbbBaudrates->addItems(BusSpeeds::Captions());
    cbbBaudrates->setCurrentIndex(BusSpeeds::DefaultIndex);
    Label2->setBuddy(cbbBaudrates);

    GroupBox2 = new QGroupBox(LogFileCaption, background);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    Label3 = Look::MakeLabel(GroupBox2, "Label3", LogFileNameCaption, Qt::white);
    eLogFileName = new QLineEdit(LogFileNameText, GroupBox2);
    eLogFileName->setObjectName(QStringLiteral("eLogFileName"));
    eLogFileName->setToolTip(LogFileNameHint);
    eLogFileName->setReadOnly(true);
    Label3->setBuddy(eLogFileName);
    Button3 = new QPushButton(SelectFileCaption, GroupBox2);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setToolTip(SelectFileHint);
    Button3->setAutoDefault(false);
    Button3->hide();  // File > Save as is the way to a new name
    cbSlowSave = new QCheckBox(SlowSaveCaption, GroupBox2);
    cbSlowSave->setObjectName(QStringLiteral("cbSlowSave"));
    lLogEnds = Look::MakeLabel(GroupBox2, "lLogEnds", QString(), QColor(255, 220, 120));
    lLogEnds->setWordWrap(true);
    lLogEnds->hide();

    for (QWidget *field : std::initializer_list<QWidget *>{txtID1, txtID2, txtID3, txtChassisID,
                                                           cbbAdapter, cbbBaudrates, eLogFileName})
        KeepFieldReadable(field);

    Button1 = new QPushButton(OkCaption, background);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(CancelCaption, background);
    Button2->setObjectName(QStringLiteral("Button2"));

    auto *canBus = new QGridLayout(GroupBox1);
    canBus->addWidget(lAdapter, 0, 0);
    canBus->addWidget(cbbAdapter, 0, 1, 1, 2);
    canBus->addWidget(rbTestEnv, 1, 0, 1, 3);
    canBus->addWidget(rbProdEnv, 2, 0, 1, 3);
    canBus->addWidget(Label1, 3, 0);
    canBus->addWidget(txtID1, 3, 1);
    canBus->addWidget(txtID2, 4, 1);
    canBus->addWidget(cbID2, 4, 2);
    canBus->addWidget(txtID3, 5, 1);
    canBus->addWidget(cbID3, 5, 2);
    canBus->addWidget(Label4, 6, 0);
    canBus->addWidget(txtChassisID, 6, 1);
    canBus->addWidget(Label2, 7, 0);
    canBus->addWidget(cbbBaudrates, 7, 1, 1, 2);

    auto *logFile = new QGridLayout(GroupBox2);
    logFile->addWidget(Label3, 0, 0, 1, 2);
    logFile->addWidget(eLogFileName, 1, 0);
    logFile->addWidget(Button3, 1, 1);
    logFile->addWidget(cbSlowSave, 2, 0, 1, 2);
    logFile->addWidget(lLogEnds, 3, 0, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto *content = new QVBoxLayout(background);
    content->addWidget(GroupBox1);
    content->addWidget(GroupBox2);
    content->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(background);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed dialog border
}

TProtocolEnv TFrmSettings::SelectedEnv() const
{
    return rbProdEnv->isChecked() ? TProtocolEnv::peProduction : TProtocolEnv::peTest;
}

void TFrmSettings::Load(const TSettings &settings, const TAdapterOffer &adapters)
{
    cbbAdapter->clear();
    for (const TAdapterChoice &choice : adapters.Choices)
        cbbAdapter->addItem(choice.Caption, choice.Backend);
    cbbAdapter->setCurrentIndex(cbbAdapter->findData(settings.CanBackend));
    cbbAdapter->setEnabled(!adapters.Fixed);
    cbbBaudrates->setCurrentIndex(settings.BaudrateIndex);
    txtID1->setText(settings.CanId1);
    cbID2->setChecked(!settings.CanId2.isEmpty());
    txtID2->setText(settings.CanId2);
    cbID3->setChecked(!settings.CanId3.isEmpty());
    txtID3->setText(settings.CanId3);
    txtChassisID->setText(settings.ChassisCanId);
    eLogFileName->setText(settings.LogFileName);
}

TSettings TFrmSettings::Values() const
{
    TSettings settings;
    settings.BaudrateIndex = cbbBaudrates->currentIndex();
    settings.CanId1 = txtID1->text();
    settings.CanId2 = cbID2->isChecked() ? txtID2->text() : QString();
    settings.CanId3 = cbID3->isChecked() ? txtID3->text() : QString();
    settings.ProtocolEnv = SelectedEnv();
    settings.ChassisCanId =
        settings.ProtocolEnv == TProtocolEnv::peProduction ? txtChassisID->text() : QString();
    settings.LogFileName = eLogFileName->text();
    settings.CanBackend = cbbAdapter->currentData().toString();
    return settings;
}

void TFrmSettings::ShowRunningLog(const QString &fileName)
{
    lLogEnds->setText(QStringLiteral("OK ends the running log %1; Start begins a new one.")
                          .arg(fileName));
    lLogEnds->setVisible(!fileName.isEmpty());
}

TLogTicks TFrmSettings::LogTicks() const
{
    return {cbID2->isChecked(), cbID3->isChecked(), cbSlowSave->isChecked()};
}

void TFrmSettings::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A spontaneous show is the window coming back from the task bar, not an opening.
    if (!event->spontaneous())
        FormShow();
}

void TFrmSettings::FormShow()
{
    UpdateIdControls();
}

// Units 2 and 3 always open switched off: the user ticks them again to keep them.
void TFrmSettings::UpdateIdControls()
{
    const bool production = SelectedEnv() == TProtocolEnv::peProduction;
    txtChassisID->setEnabled(production);
    cbID2->setEnabled(!production);
    txtID2->setEnabled(false);
    txtID3->setEnabled(false);
    cbID2->setChecked(false);
    cbID3->setChecked(false);
    cbID3->setEnabled(false);
}

void TFrmSettings::rbProdEnvClick()
{
    UpdateIdControls();
    if (SelectedEnv() == TProtocolEnv::peProduction) {
        txtID1->setText(ProductionUnitId);
        txtChassisID->setText(ProductionChassisId);
    } else {
        txtID1->setText(TestUnitId);
    }
}

void TFrmSettings::cbID2Click()
{
    const bool on = cbID2->isChecked() && SelectedEnv() == TProtocolEnv::peTest;
    txtID2->setEnabled(on);
    cbID3->setEnabled(on);
    cbID3->setChecked(false);
}

void TFrmSettings::cbID3Click()
{
    txtID3->setEnabled(cbID3->isChecked() && SelectedEnv() == TProtocolEnv::peTest);
}

bool TFrmSettings::FormCloseQuery()
{
    TIdentifierFields fields;
    fields.Id1 = txtID1->text();
    fields.Id2 = txtID2->text();
    fields.Id3 = txtID3->text();
    fields.Chassis = txtChassisID->text();
    fields.Id2Enabled = txtID2->isEnabledTo(this);
    fields.Id3Enabled = txtID3->isEnabledTo(this);
    fields.ChassisEnabled = txtChassisID->isEnabledTo(this);
    if (IdentifiersAcceptable(fields))
        return true;
    ShowMessage(CheckIdsMessage);
    return false;
}

void TFrmSettings::done(int result)
{
    if (result == Accepted && !FormCloseQuery())
        return;
    QDialog::done(result);
}

void TFrmSettings::Button3Click()
{
    const QString chosen = ChooseLogFileName(this, eLogFileName->text());
    if (!chosen.isEmpty())
        eLogFileName->setText(chosen);
}
