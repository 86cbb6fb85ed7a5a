#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// Window "Changelog": shows "changelog.txt" (the working folder's, else the installed one),
// read again at every showing. Created once at start-up and hidden, not destroyed, when closed.
class TFrmChangeLog : public QDialog
{
public:
    explicit TFrmChangeLog(QWidget *parent = nullptr);

    QLabel *lTytul = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *JvImgBtn1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildUi();
    void FormShow();
    void JvImgBtn1Click();
};
