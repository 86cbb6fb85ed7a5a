#include "settings/ui/uFrmSettings.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// A dialog that has been opened once, its refusals collected instead of shown.
struct TOpenDialog {
    TOpenDialog()
    {
        Dialog.ShowMessage = [this](const QString &text) { Messages << text; };
        Dialog.show();
    }
    TFrmSettings Dialog;
    QStringList Messages;
};

// The identifier controls a user can reach, then the ticked boxes marked "+".
QStringList Usable(const TFrmSettings &d)
{
    QStringList usable;
    for (QWidget *control : QList<QWidget *>{d.txtID2, d.cbID2, d.txtID3, d.cbID3, d.txtChassisID})
        if (control->isEnabled())
            usable << control->objectName();
    for (QCheckBox *tick : {d.cbID2, d.cbID3})
        if (tick->isChecked())
            usable << tick->objectName() + u'+';
    return usable;
}

// The caption a screen reader announces for a field through its label relation.
QString LabelOf(QWidget *widget)
{
    const auto labels =
        QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

enum TCancelWay { ByButton, ByEscape, ByCloseBox };

}  // namespace

class tst_uFrmSettings : public QObject
{
    Q_OBJECT
private slots:
    void fieldsAreNamedForScreenReaders()
    {
        TFrmSettings d;
        const QList<std::pair<QWidget *, QLabel *>> labelled{{d.cbbAdapter, d.lAdapter},
                                                             {d.txtID1, d.Label1},
                                                             {d.txtChassisID, d.Label4},
                                                             {d.cbbBaudrates, d.Label2},
                                                             {d.eLogFileName, d.Label3}};
        for (const auto &[field, label] : labelled)
            QCOMPARE(LabelOf(field), label->text());

        // Without a label or caption of their own, they need names that tell them apart.
        QSet<QString> names;
        for (QWidget *field : QList<QWidget *>{d.txtID2, d.cbID2, d.txtID3, d.cbID3})
            names << QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name);
        QCOMPARE(names.size(), 4);
        QVERIFY(!names.contains(QString()));
    }

    void opensInProductionAndSwitchesEnvironment()
    {
        TOpenDialog open;
        TFrmSettings &d = open.Dialog;
        QCOMPARE(d.SelectedEnv(), TProtocolEnv::peProduction);
        QCOMPARE(Usable(d), QStringList{"txtChassisID"});
        QCOMPARE(d.cbbBaudrates->currentText(), QStringLiteral("250 kBit/sec"));
        d.txtID1->setText(QStringLiteral("typed"));
        d.rbProdEnv->click();  // already selected: nothing happens
        QCOMPARE(d.txtID1->text(), QStringLiteral("typed"));

        d.rbTestEnv->click();
        QCOMPARE(d.txtID1->text(), QStringLiteral("18FEDC10"));
        QCOMPARE(Usable(d), QStringList{"cbID2"});
        d.cbID2->click();

        d.txtChassisID->setText(QStringLiteral("typed"));
        d.rbProdEnv->click();
        QCOMPARE(d.txtID1->text(), QStringLiteral("18FECE47"));
        QCOMPARE(d.txtChassisID->text(), QStringLiteral("18FECF10"));
        QCOMPARE(Usable(d), QStringList{"txtChassisID"});
    }

    void thirdUnitOnlyAfterSecondInTestProtocol()
    {
        TOpenDialog open;
        TFrmSettings &d = open.Dialog;
        d.cbID2->click();
        d.cbID3->click();
        QCOMPARE(Usable(d), QStringList{"txtChassisID"});
        d.rbTestEnv->click();
        d.cbID3->click();
        QCOMPARE(Usable(d), QStringList{"cbID2"});
        d.cbID2->click();
        d.cbID3->click();
        QCOMPARE(Usable(d),
                 (QStringList{"txtID2", "cbID2", "txtID3", "cbID3", "cbID2+", "cbID3+"}));

        d.cbID2->setChecked(false);  // a change by the program runs the handlers too
        QCOMPARE(Usable(d), QStringList{"cbID2"});
    }

    void reopeningSwitchesUnits2And3OffKeepingTexts()
    {
        TOpenDialog open;
        TFrmSettings &d = open.Dialog;
        d.rbTestEnv->click();
        d.cbID2->click();
        d.cbID3->click();
        d.txtID2->setText(QStringLiteral("18FEDC20"));
        d.txtID3->setText(QStringLiteral("18FEDC30"));
        d.Button1->click();
        QVERIFY(!d.isVisible());

        d.show();
        QCOMPARE(d.SelectedEnv(), TProtocolEnv::peTest);
        QCOMPARE(Usable(d), QStringList{"cbID2"});
        QCOMPARE(d.txtID2->text(), QStringLiteral("18FEDC20"));
        QCOMPARE(d.txtID3->text(), QStringLiteral("18FEDC30"));

        d.txtID3->setText(d.txtID2->text());  // equal, but both units are off now
        d.Button1->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(open.Messages, QStringList());
    }

    void okChecksIdentifiers_data()
    {
        // units 1: production, where switching fills unit 1 "18FECE47" and chassis "18FECF10";
        // units 2 or 3: test protocol with that many ticked, unit 1 "18FEDC10".
        // A null chassis keeps what switching filled in.
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("id2");
        QTest::addColumn<QString>("id3");
        QTest::addColumn<QString>("chassis");
        QTest::addColumn<bool>("closes");
        const QString keep;
        QTest::newRow("unit 2 as unit 1") << 2 << "18FEDC10"
                                          << "" << keep << false;
        QTest::newRow("unit 2 empty") << 2 << ""
                                      << "" << keep << false;
        QTest::newRow("unit 2 with a space") << 2 << "18FE DC20"
                                             << "" << keep << false;
        QTest::newRow("unit 2 with 0x") << 2 << "0x18FEDC20"
                                        << "" << keep << false;
        QTest::newRow("unit 2 above FFFFFFFF") << 2 << "100000000"
                                               << "" << keep << false;
        QTest::newRow("unit 2 nine digits, zero first") << 2 << "0FFFFFFFF"
                                                        << "" << keep << true;
        QTest::newRow("unit 2 as unit 1 in lower case") << 2 << "18fedc10"
                                                        << "" << keep << true;
        QTest::newRow("unit 2 on unit 1's B+1") << 2 << "18FEDC11"
                                                << "" << keep << true;
        QTest::newRow("unit 3 as unit 1") << 3 << "18FEDC20"
                                          << "18FEDC10" << keep << false;
        QTest::newRow("unit 3 as unit 2") << 3 << "18FEDC20"
                                          << "18FEDC20" << keep << false;
        QTest::newRow("unit 3 not hex") << 3 << "18FEDC20"
                                        << "18FEDG30" << keep << false;
        QTest::newRow("three units") << 3 << "18FEDC20"
                                     << "18FEDC30" << keep << true;
        QTest::newRow("production defaults") << 1 << ""
                                             << "" << keep << true;
        QTest::newRow("chassis as unit 1") << 1 << ""
                                           << ""
                                           << "18FECE47" << false;
        QTest::newRow("chassis as greyed unit 2") << 1 << "18FECF10"
                                                  << "" << keep << false;
        QTest::newRow("chassis empty") << 1 << ""
                                       << ""
                                       << "" << false;
        QTest::newRow("chassis not hex") << 1 << ""
                                         << ""
                                         << "18FECF1Z" << false;
    }

    void okChecksIdentifiers()
    {
        QFETCH(int, units);
        QFETCH(QString, id2);
        QFETCH(QString, id3);
        QFETCH(QString, chassis);
        QFETCH(bool, closes);
        TOpenDialog open;
        TFrmSettings &d = open.Dialog;
        d.rbTestEnv->click();
        if (units == 1)
            d.rbProdEnv->click();
        if (units >= 2)
            d.cbID2->click();
        if (units == 3)
            d.cbID3->click();
        d.txtID2->setText(id2);
        d.txtID3->setText(id3);
        if (!chassis.isNull())
            d.txtChassisID->setText(chassis);

        QTest::keyClick(&d, Qt::Key_Return);
        QCOMPARE(d.isVisible(), !closes);
        QCOMPARE(d.result() == QDialog::Accepted, closes);
        QCOMPARE(open.Messages, closes ? QStringList() : QStringList{"Check CAN ID's"});
        QCOMPARE(d.txtID2->text(), id2);  // a refusal keeps the user's entries
    }

    void cancelNeverChecks_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Cancel") << int(ByButton);
        QTest::newRow("Escape") << int(ByEscape);
        QTest::newRow("close box") << int(ByCloseBox);
    }

    void cancelNeverChecks()
    {
        QFETCH(int, way);
        TOpenDialog open;
        TFrmSettings &d = open.Dialog;
        d.rbTestEnv->click();
        d.cbID2->click();
        d.txtID2->setText(d.txtID1->text());
        if (way == ByButton)
            d.Button2->click();
        else if (way == ByEscape)
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            d.close();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(open.Messages, QStringList());
    }

    void saveDialogChangesLogFileName()
    {
        TFrmSettings d;
        d.eLogFileName->setText(QStringLiteral("seed.csv"));
        QString seeded;
        QStringList filters;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seeded = QFileInfo(dialog->selectedFiles().value(0)).fileName();
            filters = dialog->nameFilters();
            dialog->selectFile(QStringLiteral("chosen"));  // the default suffix is added
            static_cast<QDialog *>(dialog)->accept();      // public as a QDialog
        });
        d.Button3->click();
        QCOMPARE(seeded, QStringLiteral("seed.csv"));
        QCOMPARE(filters, (QStringList{"*.csv", "*.txt", "*.*"}));
        QCOMPARE(QFileInfo(d.eLogFileName->text()).fileName(), QStringLiteral("chosen.csv"));
    }

    // The main window hands a value in and takes one back; the ticks the log follows are
    // reported as they change, also while the dialog is open and then cancelled.
    void settingsGoInAndComeBackAsAValue()
    {
        TFrmSettings d;
        d.rbTestEnv->setChecked(true);
        const TSettings test{5,
                             QStringLiteral("18FEDC10"),
                             QStringLiteral("18FEDC20"),
                             QStringLiteral("18FEDC30"),
                             QString(),
                             TProtocolEnv::peTest,
                             QStringLiteral("trip.csv"),
                             QStringLiteral("socketcan:can1")};
        TAdapterOffer offer{{{"socketcan:can0", "can0 (down)"}, {"socketcan:can1", "can1 (up)"}}};
        d.Load(test, offer);
        QCOMPARE(d.cbbAdapter->currentText(), QStringLiteral("can1 (up)"));
        QVERIFY(d.cbbAdapter->isEnabled());
        const TSettings back = d.Values();
        QCOMPARE(back.CanBackend, test.CanBackend);
        QCOMPARE(back.BaudrateIndex, 5);
        QCOMPARE(back.CanId1 + back.CanId2 + back.CanId3, test.CanId1 + test.CanId2 + test.CanId3);
        QVERIFY(back.ChassisCanId.isEmpty() && back.ProtocolEnv == TProtocolEnv::peTest);
        QCOMPARE(back.LogFileName, test.LogFileName);

        QList<bool> slow;
        connect(&d, &TFrmSettings::LogTicksChanged, this,
                [&slow](const TLogTicks &t) { slow << t.EveryThirtySecond; });
        d.cbSlowSave->setChecked(true);
        QCOMPARE(slow, QList<bool>{true});
        QVERIFY(d.LogTicks().Unit2 && d.LogTicks().Unit3);

        // A replay cannot be swapped for an adapter.
        offer.Fixed = true;
        d.Load(test, offer);
        QVERIFY(!d.cbbAdapter->isEnabled());
    }

    // The chosen name is only a base: choosing an existing file asks nothing about replacing it.
    void choosingAnExistingFileAsksNothing()
    {
        QFile existing(QStringLiteral("taken.csv"));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        TFrmSettings d;
        bool asked = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->selectFile(QFileInfo(existing).absoluteFilePath());
            QTimer::singleShot(100, [&] {
                if (auto *question =
                        qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                    asked = true;
                    question->reject();
                }
            });
            static_cast<QDialog *>(dialog)->accept();
        });
        d.Button3->click();
        QVERIFY(!asked);
        QCOMPARE(QFileInfo(d.eLogFileName->text()).fileName(), QStringLiteral("taken.csv"));
    }
};

QTEST_MAIN(tst_uFrmSettings)
#include "tst_uFrmSettings.moc"
