// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/PieceSize.h"
#include "operations/OperationState.h"
#include "operations/WindowServices.h"
#include "ui/LongWork.h"

#include <QMainWindow>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace cindral::ui {

class HelpChannel;
class OpenFileDialog;
class StatusBar;

// The main window: password and file boxes, the Encrypt and Decrypt buttons, a clock and the
// date, the instructions, a status bar shown while an operation runs, and About and Help in
// the menu bar. It is the window services through which the operations reach the user.
class MainWindow : public QMainWindow, public WindowServices
{
    Q_OBJECT

public:
    // The operations read the clock to pace their long work, and files `pieceSize` bytes at a
    // time.
    explicit MainWindow(LongWork::Clock clock = LongWork::steadyClock(),
                        qsizetype pieceSize = defaultPieceSize);

    // Takes a file as if it had been accepted in the open-file dialog: the file box shows it and
    // the operations work on it.
    void chooseFile(const QString& path);

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
    void keptTexts(const QStringList& lines) override;
    void progress(qint64 done, qint64 total) override;

protected:
    void showEvent(QShowEvent* event) override;
    // A close asked for while an operation works is held until it has ended.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void showTime();
    void browseForFile();
    void moveOnAfterLongPassword();
    void encryptChosenFile();
    void decryptChosenFile();
    void exitProgram();
    void showAbout();
    void showHelp();

private:
    OperationState m_state;
    LongWork m_longWork;
    qsizetype m_pieceSize;
    bool m_operationRunning = false;
    bool m_closeHeld = false;
    bool m_placed = false;
    QWidget* m_client;
    QLabel* m_dateLabel = nullptr;
    QLabel* m_clockLabel = nullptr;
    QLineEdit* m_passwordBox = nullptr;
    QPushButton* m_browseButton = nullptr;
    QLineEdit* m_fileBox = nullptr;
    QPushButton* m_encryptButton = nullptr;
    QPushButton* m_decryptButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    StatusBar* m_statusBar = nullptr;
    OpenFileDialog* m_fileDialog = nullptr;
    HelpChannel* m_helpChannel = nullptr;

    void writeDate();
    // Runs an operation with the window alive but deaf to input, then carries out a held close.
    void workOnChosenFile(const std::function<void()>& operation);

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
    // A button of the standard size at `twipsAt`, pressed by Enter as by Space.
    [[nodiscard]] QPushButton* addButton(const QString& name, const QString& caption,
                                         QPoint twipsAt, void (MainWindow::*pressed)(),
                                         const QString& description);
};

} // namespace cindral::ui
