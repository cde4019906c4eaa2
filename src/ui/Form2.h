#pragma once

#include "operations/OperationState.h"
#include "operations/WindowServices.h"

#include <QMainWindow>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace cindral::ui {

class HelpChannel;
class OpenFileDialog;
class StatusBar;

// The main window: password and file boxes, the Encrypt and Decrypt buttons, a clock and the
// date, the instructions, a status bar shown while an operation runs, and About and Help in
// the menu bar. It is the window services through which the operations reach the user.
class Form2 : public QMainWindow, public WindowServices
{
    Q_OBJECT

public:
    Form2();

    // The instructions, each line followed by CR LF.
    static const QString instructionText;

    [[nodiscard]] QByteArray passwordText() const override;
    [[nodiscard]] QString fileBoxText() const override;
    [[nodiscard]] QByteArray chosenFileName() const override;
    void pointerBusy() override;
    void pointerNormal() override;
    void showStatusBar() override;
    void hideStatusBar() override;
    void setStageText(const QString& text) override;
    void focusPassword() override;
    void selectWholePassword() override;
    void messageBox(const QString& prompt, const QString& title, MessageIcon icon) override;

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void Timer1_Timer();
    void browse_Click();
    void Text1_Change();
    void encrip_Click();
    void decrip_Click();
    void exit_Click();
    void abt_Click();
    void hlp_Click();

private:
    OperationState m_state;
    bool m_placed = false;
    QWidget* m_client;
    QLabel* m_Label2 = nullptr;
    QLabel* m_Label3 = nullptr;
    QLineEdit* m_Text1 = nullptr;
    QPushButton* m_browse = nullptr;
    QLineEdit* m_Text2 = nullptr;
    QPushButton* m_encrip = nullptr;
    QPushButton* m_decrip = nullptr;
    QPushButton* m_exit = nullptr;
    QPlainTextEdit* m_Text3 = nullptr;
    StatusBar* m_StatusBar1 = nullptr;
    QTimer* m_Timer1 = nullptr;
    OpenFileDialog* m_CommonDialog1 = nullptr;
    HelpChannel* m_CommonDialog2 = nullptr;

    void Form_Load();

    void buildWindow();
    void buildMenu();
    void buildHeader();
    void buildPasswordAndFile();
    void buildButtons();
    void buildFooter();
    void buildComponents();
    void orderTabs();
    void centreOnScreen();

    [[nodiscard]] QLabel* addLabel(const QString& name, const QString& text);
    [[nodiscard]] QPushButton* addButton(const QString& name, const QString& caption);
};

} // namespace cindral::ui
