#pragma once

#include "cli/CliOptions.h"
#include "operations/WindowServices.h"

#include <QByteArray>
#include <QString>
#include <QTextStream>

namespace cindral::cli {

// The window services of one operation on one file, on a terminal: both boxes and the chosen
// file name are the file's path; a message box is one line, "path: Title: Prompt", on standard
// output for information and on standard error otherwise; there is no pointer or status bar.
class ConsoleWindow : public WindowServices
{
public:
    ConsoleWindow(QByteArray password, QString path, Verbosity verbosity, QTextStream& out,
                  QTextStream& err);

    [[nodiscard]] QByteArray passwordText() const override { return m_password; }
    [[nodiscard]] QString fileBoxText() const override { return m_path; }
    [[nodiscard]] QString chosenFileName() const override { return m_path; }

    void pointerBusy() override {}
    void pointerNormal() override {}
    void showStatusBar() override {}
    void hideStatusBar() override {}
    void setStageText(const QString& text) override;
    void focusPassword() override {}
    void selectWholePassword() override {}
    void messageBox(const QString& prompt, const QString& title, MessageIcon icon) override;

private:
    void writeLine(QTextStream& stream, const QString& text);

    QByteArray m_password;
    QString m_path;
    Verbosity m_verbosity;
    QTextStream& m_out;
    QTextStream& m_err;
};

} // namespace cindral::cli
