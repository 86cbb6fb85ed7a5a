#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;
class TSvgPicture;

// Window "About": borderless, on top, centred on the screen. Created once at start-up and
// hidden, not destroyed, when closed.
class TfrmSplashScreen : public QDialog
{
public:
    explicit TfrmSplashScreen(QWidget *parent = nullptr);

    QLabel *lTytul = nullptr;
    QLabel *JvBehaviorLabel1 = nullptr;
    QLabel *lWersja = nullptr;
    QLabel *Label1 = nullptr;
    TSvgPicture *JvImageRotate1 = nullptr;
    QLabel *Label5 = nullptr;
    TSvgPicture *JvImageRotate2 = nullptr;
    TSvgPicture *JvImageRotate3 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label6 = nullptr;
    QPushButton *JvImgBtn1 = nullptr;
    // Closes the window 30 s after start-up unless it has been shown by then; showing
    // switches it off, so a shown window stays until "OK".
    QTimer *Timer1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildUi();
    void FormCreate();
    void FormShow();
    void JvImgBtn1Click();
    void Timer1Timer();
};
